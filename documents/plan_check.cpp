#include "documents/plan_check.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>
#include <queue>

#include "documents/document_texts.h"
#include "documents/grids_to_state.h"
#include "documents/method_comparison.h"
#include "documents/plan_check_texts.h"
#include "solver/basis.h"
#include "solver/components.h"
#include "solver/driver.h"
#include "solver/report_buffer.h"
#include "solver/solve_hooks.h"
#include "solver/solve_state.h"

namespace kargolo {
namespace {

std::size_t At(int index) {
    return static_cast<std::size_t>(index);
}

// A plan value: an integer of 32 bits, an empty value being 0; the fault or an empty text.
std::string ReadQuantity(const std::string& text, std::int64_t& value) {
    value = 0;
    if (text.empty()) return {};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::invalid_argument || end != text.data() + text.size()) {
        return Format(kTextNotNumber, text.c_str());
    }
    if (error == std::errc::result_out_of_range ||
        value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return Format(kTextOutOfRange, text.c_str());
    }
    return {};
}

// The balanced table the plan is judged in: the task closed as the solver closes it, the plan's
// quantities in its cells (free cells -1) and the fictitious line taking what is left.
struct JudgedTable {
    SolveState State;
    DiscardingReportSink Nowhere;
    PlanQuantities Plan;  // of the balanced table
    bool Limits = false;
};

// When the plan's rims are wrong, the fictitious line would only carry its faults: it stays
// empty, and the basis is judged by the task's own routes.
void BalancePlan(const SolveState& task, const PlanQuantities& plan, bool rimsRight, PlanVerdict& v,
                 JudgedTable& table) {
    SolveState& s = table.State;
    s.Report.StreamTo(table.Nowhere);
    s.m = task.m;
    s.n = task.n;
    s.Cells = task.Cells;
    s.Supplies = task.Supplies;
    s.Demands = task.Demands;
    s.RestrictedTask = table.Limits = task.RestrictedTask;
    s.SolveMode = kSolveModeChecking;
    SilentHooks quiet;
    BalanceTask(s, quiet);
    v.Rows = s.m;
    v.Columns = s.n;
    v.FictitiousConsumer = s.n > task.n;
    v.FictitiousSupplier = s.m > task.m;
    table.Plan.assign(At(s.m), std::vector<std::int64_t>(At(s.n), 0));
    for (int i = 0; i < task.m; ++i) {
        for (int j = 0; j < task.n; ++j) table.Plan[At(i)][At(j)] = plan[At(i)][At(j)];
    }
    for (int i = 0; rimsRight && v.FictitiousConsumer && i < s.m; ++i) {
        std::int64_t shipped = 0;
        for (int j = 0; j < task.n; ++j) shipped += std::max<std::int64_t>(0, plan[At(i)][At(j)]);
        table.Plan[At(i)][At(task.n)] =
            std::max<std::int64_t>(0, s.Supplies[At(i)].Amount - shipped);
    }
    for (int j = 0; rimsRight && v.FictitiousSupplier && j < s.n; ++j) {
        std::int64_t received = 0;
        for (int i = 0; i < task.m; ++i) received += std::max<std::int64_t>(0, plan[At(i)][At(j)]);
        table.Plan[At(task.m)][At(j)] =
            std::max<std::int64_t>(0, s.Demands[At(j)].Amount - received);
    }
}

void Add(PlanVerdict& v, const char* kind, std::string text) {
    v.Mistakes.push_back({kind, std::move(text)});
}

void CheckSigns(const PlanQuantities& plan, PlanVerdict& v) {
    for (std::size_t i = 0; i < plan.size(); ++i) {
        for (std::size_t j = 0; j < plan[i].size(); ++j) {
            if (plan[i][j] < 0) {
                Add(v, "negative",
                    Format(kNegativeQuantity, static_cast<unsigned>(i + 1),
                           static_cast<unsigned>(j + 1), static_cast<long long>(plan[i][j])));
            }
        }
    }
}

// One row (or column): what it ships (or gets) against its supply (or demand). Moving less is a
// mistake only where no fictitious line can take the rest.
void CheckLine(bool row, int line, std::int64_t moved, std::int64_t amount, bool mayFallShort,
               PlanVerdict& v) {
    const char* kind = row ? "row-balance" : "column-balance";
    const auto number = static_cast<unsigned>(line + 1);
    const auto a = static_cast<long long>(moved);
    const auto b = static_cast<long long>(amount);
    if (moved > amount) {
        Add(v, kind, Format(row ? kRowShipsMore : kColumnGetsMore, number, a, b, a - b));
    } else if (moved < amount && !mayFallShort) {
        Add(v, kind, Format(row ? kRowShipsLess : kColumnGetsLess, number, a, b, b - a));
    }
}

// Every row ships its supply and every column gets its demand; an open task's fictitious line
// takes the rest, which may only go one way.
void CheckRims(const SolveState& task, const PlanQuantities& plan, PlanVerdict& v) {
    const std::size_t before = v.Mistakes.size();
    std::int64_t supply = 0;
    std::int64_t demand = 0;
    for (const RimEntry& r : task.Supplies) supply += r.Amount;
    for (const RimEntry& r : task.Demands) demand += r.Amount;
    for (int i = 0; i < task.m; ++i) {
        std::int64_t shipped = 0;
        for (int j = 0; j < task.n; ++j) shipped += plan[At(i)][At(j)];
        CheckLine(true, i, shipped, task.Supplies[At(i)].Amount, supply > demand, v);
    }
    for (int j = 0; j < task.n; ++j) {
        std::int64_t received = 0;
        for (int i = 0; i < task.m; ++i) received += plan[At(i)][At(j)];
        CheckLine(false, j, received, task.Demands[At(j)].Amount, demand > supply, v);
    }
    v.Balanced = v.Mistakes.size() == before;
    v.Remainder = supply > demand ? supply - demand : demand - supply;
}

void CheckLimits(const SolveState& task, const PlanQuantities& plan, PlanVerdict& v) {
    for (int i = 0; i < task.m; ++i) {
        for (int j = 0; j < task.n; ++j) {
            const TaskCell& c = task.Cell(i, j);
            const std::int64_t x = plan[At(i)][At(j)];
            const auto row = static_cast<unsigned>(i + 1);
            const auto column = static_cast<unsigned>(j + 1);
            if (IsClosedRoute(c) && x > 0) {
                Add(v, "closed-route",
                    Format(kClosedRouteUsed, row, column, row, column, static_cast<long long>(x)));
                v.WithinLimits = false;
            } else if (HasLimit(c) && x > c.Limit) {
                Add(v, "limit",
                    Format(kOverLimit, row, column, static_cast<long long>(x), row, column,
                           static_cast<long long>(c.Limit), static_cast<long long>(x - c.Limit)));
                v.WithinLimits = false;
            }
        }
    }
}

// A cell counted for the basis: occupied, and with limits below its limit too.
bool Counted(const JudgedTable& table, int i, int j) {
    const std::int64_t x = table.Plan[At(i)][At(j)];
    const TaskCell& c = table.State.Cell(i, j);
    return x > 0 && (!table.Limits || !HasLimit(c) || x < c.Limit);
}

// The path of counted cells from row i to column j in the forest of the cells joined so far
// (rows 0..m-1, columns m..): the cycle that cell (i, j) closes, the cell first.
std::vector<std::pair<int, int>> CycleThrough(int m, int n,
                                              const std::vector<std::pair<int, int>>& joined, int i,
                                              int j) {
    std::vector<std::vector<std::pair<int, int>>> next(At(m + n));  // node -> (node, cell index)
    for (std::size_t k = 0; k < joined.size(); ++k) {
        const auto [row, column] = joined[k];
        next[At(row)].emplace_back(m + column, static_cast<int>(k));
        next[At(m + column)].emplace_back(row, static_cast<int>(k));
    }
    std::vector<int> via(At(m + n), -1);  // the cell a node was reached by
    std::vector<int> from(At(m + n), -1);
    std::queue<int> queue;
    queue.push(m + j);
    from[At(m + j)] = m + j;
    while (!queue.empty()) {
        const int node = queue.front();
        queue.pop();
        for (const auto& [other, cell] : next[At(node)]) {
            if (from[At(other)] >= 0) continue;
            from[At(other)] = node;
            via[At(other)] = cell;
            queue.push(other);
        }
    }
    std::vector<std::pair<int, int>> cycle = {{i, j}};
    for (int node = i; node != m + j; node = from[At(node)])
        cycle.push_back(joined[At(via[At(node)])]);
    return cycle;
}

std::string CellList(const std::vector<std::pair<int, int>>& cells, const char* separator) {
    std::string text;
    for (const auto& [i, j] : cells)
        text += (text.empty() ? "" : separator) + Format("(%d,%d)", i + 1, j + 1);
    return text;
}

std::string CountedWhat(const PlanVerdict& v, bool limits) {
    std::string what = limits ? kInteriorCells : "";
    if (v.FictitiousConsumer)
        what += Format(kWithFictitiousConsumer, static_cast<unsigned>(v.Columns));
    if (v.FictitiousSupplier)
        what += Format(kWithFictitiousSupplier, static_cast<unsigned>(v.Rows));
    return what;
}

// Counts the cells of the basis, names a cycle among them and, for a degenerate plan, the
// basis zeros the method of potentials would add.
void CheckBasis(JudgedTable& table, PlanVerdict& v) {
    SolveState& s = table.State;
    Components components(s.m + s.n);
    std::vector<std::pair<int, int>> joined;
    for (int i = 0; i < s.m; ++i) {
        for (int j = 0; j < s.n; ++j) {
            if (!Counted(table, i, j)) continue;
            ++v.Occupied;
            if (components.Join(i, s.m + j)) {
                joined.emplace_back(i, j);
            } else if (v.Cycle.empty()) {
                v.Cycle = CycleThrough(s.m, s.n, joined, i, j);
            }
        }
    }
    const int needed = s.m + s.n - 1;
    const std::string what = CountedWhat(v, table.Limits);
    if (v.Occupied > needed) {
        Add(v, "too-many-cells",
            Format(kTooManyCells, static_cast<unsigned>(v.Occupied), what.c_str(),
                   static_cast<unsigned>(needed)));
    }
    if (!v.Cycle.empty()) {
        std::vector<std::pair<int, int>> closed = v.Cycle;
        closed.push_back(v.Cycle.front());
        Add(v, "cycle", Format(kCycleOfCells, what.c_str(), CellList(closed, " &rarr; ").c_str()));
    }
    v.Basic = v.Cycle.empty() && v.Occupied <= needed;
}

// The table as the basis sees it: counted cells hold their quantity, the rest are free.
void MarkBasis(JudgedTable& table) {
    SolveState& s = table.State;
    s.RestrictedTask = false;  // the forest and the zeros go by the quantities alone
    for (int i = 0; i < s.m; ++i) {
        for (int j = 0; j < s.n; ++j) {
            const bool counted = Counted(table, i, j);
            SetPlanQuantity(
                s.Cell(i, j),
                {counted ? static_cast<std::int32_t>(table.Plan[At(i)][At(j)]) : kFreeCargo, 0});
        }
    }
}

// The estimate that shows a cell could lower F: below 0 at zero, above 0 at a route's limit.
bool Improves(const TaskCell& c, std::int64_t x, std::int64_t estimate, bool limits) {
    if (limits && IsClosedRoute(c)) return false;
    if (limits && HasLimit(c) && x >= c.Limit) return estimate > 0;
    return estimate < 0;
}

// A basic plan: the basis zeros a degenerate one lacks, and when a feasible plan is not optimal
// its potentials and the cell with the largest estimate against it (ties: the smaller tariff,
// then the first cell).
void FindEvidence(JudgedTable& table, bool feasible, PlanVerdict& v) {
    SolveState& s = table.State;
    const bool limits = table.Limits;
    MarkBasis(table);
    BasisForest basis(s);
    TariffOrder cheapestFirst(s);
    if (!PlaceBasisZeros(s, basis, cheapestFirst) || !basis.Root()) return;
    for (const int k : basis.Cells()) {
        if (!Counted(table, k / s.n, k % s.n)) v.AddedZeros.emplace_back(k / s.n, k % s.n);
    }
    std::sort(v.AddedZeros.begin(), v.AddedZeros.end());
    if (!feasible || v.Optimal || !v.OptimalF) return;
    FindPotentials(s, basis, false);
    PlanEvidence evidence;
    for (const PotentialEntry& u : s.PotentialsU) evidence.U.push_back(u.Value);
    for (const PotentialEntry& w : s.PotentialsV) evidence.V.push_back(w.Value);
    std::int64_t best = 0;
    for (int i = 0; i < s.m; ++i) {
        for (int j = 0; j < s.n; ++j) {
            const TaskCell& c = s.Cell(i, j);
            if (basis.Contains(i * s.n + j)) continue;
            const std::int64_t estimate = c.Tariff - evidence.U[At(i)] - evidence.V[At(j)];
            const std::int64_t x = table.Plan[At(i)][At(j)];
            if (!Improves(c, x, estimate, limits)) continue;
            const std::int64_t gain = estimate < 0 ? -estimate : estimate;
            if (gain > best || (gain == best && c.Tariff < evidence.Tariff)) {
                best = gain;
                evidence.Row = i;
                evidence.Column = j;
                evidence.Tariff = c.Tariff;
                evidence.Estimate = estimate;
                evidence.AtLimit = limits && HasLimit(c) && x >= c.Limit;
            }
        }
    }
    if (best > 0) v.Evidence = evidence;
}

std::int64_t PlanCost(const SolveState& task, const PlanQuantities& plan) {
    std::int64_t cost = 0;
    for (int i = 0; i < task.m; ++i) {
        for (int j = 0; j < task.n; ++j)
            cost += std::int64_t{task.Cell(i, j).Tariff} * plan[At(i)][At(j)];
    }
    return cost;
}

}  // namespace

std::string ReadPlan(const std::vector<TextValueLine>& lines, int m, int n, PlanQuantities& plan) {
    if (lines.empty()) return Format(kTextAt, 1u, 1u, kPlanEmpty);
    if (lines.size() != At(m)) {
        const TextValueLine& at = lines.size() > At(m) ? lines[At(m)] : lines.back();
        return Format(
            kTextAt, at.Number + (lines.size() > At(m) ? 0 : 1), 1u,
            Format(kPlanLineCount, static_cast<unsigned>(lines.size()), static_cast<unsigned>(m))
                .c_str());
    }
    PlanQuantities read(At(m), std::vector<std::int64_t>(At(n), 0));
    for (int i = 0; i < m; ++i) {
        const TextValueLine& line = lines[At(i)];
        if (line.Values.size() != At(n)) {
            return Format(kTextAt, line.Number,
                          static_cast<unsigned>(std::min(line.Values.size(), At(n)) + 1),
                          Format(kPlanValueCount, static_cast<unsigned>(line.Values.size()),
                                 static_cast<unsigned>(n))
                              .c_str());
        }
        for (int j = 0; j < n; ++j) {
            if (std::string fault = ReadQuantity(line.Values[At(j)], read[At(i)][At(j)]);
                !fault.empty()) {
                return Format(kTextAt, line.Number, static_cast<unsigned>(j + 1), fault.c_str());
            }
        }
    }
    plan = std::move(read);
    return {};
}

std::string ParsePlanText(std::string_view bytes, int m, int n, PlanQuantities& plan) {
    return ReadPlan(ReadTextValues(bytes), m, n, plan);
}

std::string ReadStatedF(std::string_view text, std::optional<std::int64_t>& statedF) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())) != 0) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())) != 0) text.remove_suffix(1);
    statedF.reset();
    if (text.empty()) return {};
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return Format(kStatedFNotNumber, std::string(text).c_str());
    }
    statedF = value;
    return {};
}

namespace {

// The check judges costs to minimise on routes with tariffs of numbers: a task to maximise, with
// mandatory shipments or with forbidden routes (tariff M) other than the closed routes of a task
// solved with limits is refused.
std::string VariantRefusal(const TaskGrids& grids, bool limits, const SolveState& task) {
    if (grids.Kind != TaskKind::Transport) return kKindNotChecked;
    TaskVariant variant;
    if (std::string problem = GridsToVariant(grids, limits, task, variant); !problem.empty()) {
        return problem;
    }
    const bool refused = variant.Maximise || !variant.Mandatory.empty() || variant.LimitsForForbiddenOnly;
    return refused ? kVariantNotChecked : "";
}

}  // namespace

PlanVerdict CheckPlan(const TaskGrids& grids, bool limits, const PlanQuantities& plan,
                      std::optional<std::int64_t> statedF) {
    PlanVerdict v;
    SolveState task;
    v.Refusal = GridsToSolveState(grids, limits, task);
    if (v.Refusal.empty()) v.Refusal = VariantRefusal(grids, limits, task);
    if (v.Refusal.empty()) v.Refusal = CheckTaskInput(task);
    if (v.Refusal.empty() &&
        (plan.size() != At(task.m) || std::any_of(plan.begin(), plan.end(), [&](const auto& row) {
             return row.size() != At(task.n);
         }))) {
        v.Refusal = Format(kPlanSizeWrong, static_cast<unsigned>(plan.size()),
                           static_cast<unsigned>(plan.empty() ? 0 : plan.front().size()),
                           static_cast<unsigned>(task.m), static_cast<unsigned>(task.n));
    }
    if (!v.Refusal.empty()) return v;
    CheckSigns(plan, v);
    const bool signsRight = v.Mistakes.empty();
    CheckRims(task, plan, v);
    if (limits) CheckLimits(task, plan, v);
    JudgedTable table;
    BalancePlan(task, plan, signsRight && v.Balanced, v, table);
    CheckBasis(table, v);
    v.Cost = PlanCost(task, plan);
    v.StatedF = statedF;
    if (statedF) {
        v.StatedFRight = *statedF == v.Cost;
        if (!*v.StatedFRight) {
            Add(v, "stated-f",
                Format(kStatedFWrong, static_cast<long long>(*statedF),
                       static_cast<long long>(v.Cost)));
        }
    }
    const MethodRun optimum =
        RunQuietly(task, limits ? kPlanMinimumElement : kPlanVogel, kMethodPotentials);
    if (!optimum.Unsolvable) v.OptimalF = optimum.FinalF;
    const bool feasible = signsRight && v.Balanced && v.WithinLimits;
    v.Optimal = feasible && v.OptimalF && v.Cost <= *v.OptimalF;
    if (feasible && v.OptimalF && !v.Optimal) {
        Add(v, "not-optimal",
            Format(kNotOptimal, static_cast<long long>(v.Cost),
                   static_cast<long long>(*v.OptimalF)));
    }
    if (v.Basic) FindEvidence(table, feasible, v);
    return v;
}

}  // namespace kargolo
