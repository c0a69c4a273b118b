#include "documents/exercise_generator.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

#include "documents/assignment_file.h"
#include "documents/grids_to_state.h"
#include "documents/method_comparison.h"
#include "documents/text_numbers.h"
#include "documents/text_task_file.h"
#include "documents/time_comparison.h"
#include "solver/driver.h"
#include "solver/report_buffer.h"
#include "solver/solve_hooks.h"
#include "solver/solve_state.h"

namespace kargolo {
namespace {

constexpr int kLargestSide = 1000;
constexpr std::int32_t kLargestTariff = 1000000;
constexpr int kAttempts = 1000;

// splitmix64: small, fast and the same everywhere.
class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }
    // Uniform in [low, high], without the bias of a plain remainder.
    std::int64_t Between(std::int64_t low, std::int64_t high) {
        const std::uint64_t span = static_cast<std::uint64_t>(high - low) + 1;
        const std::uint64_t limit = std::numeric_limits<std::uint64_t>::max() -
                                    std::numeric_limits<std::uint64_t>::max() % span;
        std::uint64_t x = Next();
        while (x >= limit) x = Next();
        return low + static_cast<std::int64_t>(x % span);
    }
    bool Percent(int percent) { return Between(1, 100) <= percent; }

private:
    std::uint64_t m_state;
};

// total split into `parts` positive amounts; total >= parts.
std::vector<std::int64_t> SplitTotal(std::int64_t total, int parts, SeededRandom& random) {
    std::vector<std::int64_t> weights(static_cast<std::size_t>(parts));
    std::int64_t weightSum = 0;
    for (std::int64_t& w : weights) weightSum += w = random.Between(1, 10);
    const std::int64_t spare = total - parts;
    std::vector<std::int64_t> amounts(weights.size());
    std::int64_t given = 0;
    for (std::size_t k = 0; k < weights.size(); ++k) {
        amounts[k] = 1 + spare * weights[k] / weightSum;
        given += amounts[k];
    }
    amounts[static_cast<std::size_t>(random.Between(0, parts - 1))] += total - given;
    return amounts;
}

std::int64_t Sum(const std::vector<std::int64_t>& amounts, std::size_t from, std::size_t to) {
    std::int64_t sum = 0;
    for (std::size_t k = from; k < to; ++k) sum += amounts[k];
    return sum;
}

struct Rims {
    std::vector<std::int64_t> Supplies;
    std::vector<std::int64_t> Demands;
};

// Demands of the total; with degenerate, the first l of them add up to the first k supplies.
bool MakeDemands(const ExerciseOptions& o, std::int64_t total, SeededRandom& random, Rims& rims) {
    const int n = o.Consumers;
    if (!o.Degenerate) {
        if (total < n) return false;
        rims.Demands = SplitTotal(total, n, random);
        return true;
    }
    const auto k = static_cast<std::size_t>(random.Between(1, o.Suppliers - 1));
    const int l = static_cast<int>(random.Between(1, n - 1));
    const std::int64_t part = Sum(rims.Supplies, 0, k);
    if (part < l || total - part < n - l) return false;
    rims.Demands = SplitTotal(part, l, random);
    const std::vector<std::int64_t> rest = SplitTotal(total - part, n - l, random);
    rims.Demands.insert(rims.Demands.end(), rest.begin(), rest.end());
    return true;
}

bool MakeRims(const ExerciseOptions& o, SeededRandom& random, Rims& rims) {
    const std::int64_t unit = 5 * std::max(1, (o.Consumers + o.Suppliers - 1) / o.Suppliers);
    rims.Supplies.clear();
    for (int i = 0; i < o.Suppliers; ++i) rims.Supplies.push_back(unit * random.Between(2, 20));
    const std::int64_t supply = Sum(rims.Supplies, 0, rims.Supplies.size());
    const std::int64_t difference = unit * random.Between(1, std::max<std::int64_t>(1, supply / unit / 5));
    std::int64_t demand = supply;
    if (o.Type == ExerciseType::Surplus) demand = supply - difference;
    if (o.Type == ExerciseType::Deficit) demand = supply + difference;
    return demand > 0 && MakeDemands(o, demand, random, rims);
}

TaskGrids MakeGrids(const ExerciseOptions& o, const Rims& rims, SeededRandom& random, bool& limited) {
    const int m = o.Suppliers;
    const int n = o.Consumers;
    TaskGrids grids = MakeTaskGrids(m, n);
    for (auto* grid : {&grids.Tarif, &grids.Restriction}) {
        for (int i = 0; i < m; ++i) grid->At(n + 1, i + 1) = NumberToText(rims.Supplies[static_cast<std::size_t>(i)]);
        for (int j = 0; j < n; ++j) grid->At(j + 1, m + 1) = NumberToText(rims.Demands[static_cast<std::size_t>(j)]);
    }
    limited = false;
    for (int i = 0; i < m; ++i) {
        for (int j = 0; j < n; ++j) {
            grids.Tarif.At(j + 1, i + 1) = NumberToText(random.Between(o.LowestTariff, o.HighestTariff));
            std::int64_t limit = -1;
            if (o.LimitedPercent > 0 && random.Percent(o.LimitedPercent)) {
                const std::int64_t route = std::min(rims.Supplies[static_cast<std::size_t>(i)],
                                                    rims.Demands[static_cast<std::size_t>(j)]);
                limit = std::max<std::int64_t>(1, route * (100 - random.Between(0, o.Tightness)) / 100);
                limited = true;
            }
            grids.Restriction.At(j + 1, i + 1) = limit < 0 ? std::string(1, 'M') : NumberToText(limit);
        }
    }
    return grids;
}

// A run in checking mode from Vogel's plan whose report goes nowhere (the sink outlives it).
struct QuietRun {
    DiscardingReportSink Nowhere;
    SolveState State;
    std::optional<ImprovementResult> Result;  // nothing when a run cannot take the task
};

void SolveQuietly(const TaskGrids& grids, bool limited, QuietRun& run) {
    SolveState& s = run.State;
    if (!GridsToSolveState(grids, limited, s).empty() || !CheckTaskInput(s).empty()) return;
    s.SolveMode = kSolveModeChecking;
    s.PlanMethod = kPlanVogel;
    s.Report.StreamTo(run.Nowhere);
    SilentHooks quiet;
    run.Result = Solve(s, quiet, false);
}

// Whether a drawn task meets the options that only a solution can tell.
bool MeetsSolvedOptions(const ExerciseOptions& o, const TaskGrids& grids, bool limited) {
    const bool needsFeasible = limited && !o.AllowUnsolvable;
    if (!needsFeasible && !o.UniqueOptimum) return true;
    QuietRun run;
    SolveQuietly(grids, limited, run);
    if (!run.Result) return false;
    if (run.Result->Unsolvable) return o.AllowUnsolvable && !o.UniqueOptimum;
    return !o.UniqueOptimum || HasUniqueOptimum(run.State);
}

// The potentials of the final basis. With limits the run leaves those of its last stage; without,
// they are found again down the tree of the basic cells (basis zeros included), u_1 = 0.
bool FinalPotentials(const SolveState& s, std::vector<std::int64_t>& u, std::vector<std::int64_t>& v) {
    const auto m = static_cast<std::size_t>(s.m);
    const auto n = static_cast<std::size_t>(s.n);
    if (s.RestrictedTask) {
        if (s.PotentialsU.size() != m || s.PotentialsV.size() != n) return false;
        for (const PotentialEntry& p : s.PotentialsU) u.push_back(p.Value);
        for (const PotentialEntry& p : s.PotentialsV) v.push_back(p.Value);
        return std::all_of(s.PotentialsU.begin(), s.PotentialsU.end(), [](const PotentialEntry& p) { return p.M == 0; }) &&
               std::all_of(s.PotentialsV.begin(), s.PotentialsV.end(), [](const PotentialEntry& p) { return p.M == 0; });
    }
    u.assign(m, 0);
    v.assign(n, 0);
    std::vector<bool> rowKnown(m, false);
    std::vector<bool> columnKnown(n, false);
    rowKnown[0] = true;
    std::size_t known = 1;
    for (bool progress = true; progress;) {  // small tasks: repeated passes are enough
        progress = false;
        for (std::size_t i = 0; i < m; ++i) {
            for (std::size_t j = 0; j < n; ++j) {
                const TaskCell& c = s.Cell(static_cast<int>(i), static_cast<int>(j));
                if (!InBasis(c) || rowKnown[i] == columnKnown[j]) continue;
                if (rowKnown[i]) {
                    v[j] = c.Tariff - u[i];
                    columnKnown[j] = true;
                } else {
                    u[i] = c.Tariff - v[j];
                    rowKnown[i] = true;
                }
                ++known;
                progress = true;
            }
        }
    }
    return known == m + n;
}

// The routes of a solved task (not the fictitious ones, which have no tariff to move) that may
// give a second optimum: outside the final basis, estimate zero. With limits the run leaves no
// mark of its basis; a route at zero or at its limit with estimate zero is taken then, whether it
// was a degenerate part of the basis or not (moving its tariff is safe either way), and a route
// strictly between its bounds is always in the basis. A closed route has no alternative.
struct TiedRoute {
    int Row = 0;
    int Column = 0;
    bool AtLimit = false;
};

std::vector<TiedRoute> TiedRoutes(const SolveState& s, int suppliers, int consumers) {
    std::vector<TiedRoute> tied;
    std::vector<std::int64_t> u;
    std::vector<std::int64_t> v;
    if (!FinalPotentials(s, u, v)) return tied;
    for (int i = 0; i < suppliers; ++i) {
        for (int j = 0; j < consumers; ++j) {
            const TaskCell& c = s.Cell(i, j);
            const std::int64_t estimate =
                c.Tariff - u[static_cast<std::size_t>(i)] - v[static_cast<std::size_t>(j)];
            if (estimate != 0 || c.TariffM != 0) continue;
            if (!s.RestrictedTask && !InBasis(c)) tied.push_back({i, j, false});
            if (!s.RestrictedTask || IsClosedRoute(c)) continue;
            const bool atLimit = HasLimit(c) && c.Cargo >= c.Limit;
            if (atLimit || c.Cargo <= 0) tied.push_back({i, j, atLimit});
        }
    }
    return tied;
}

// Without limits: a tied route's tariff raised by one (within the range) makes its estimate 1
// and leaves the plan optimal.
void RaiseTiedTariffs(const ExerciseOptions& o, TaskGrids& grids) {
    QuietRun run;
    SolveQuietly(grids, false, run);
    if (!run.Result) return;
    for (const TiedRoute& route : TiedRoutes(run.State, grids.Suppliers(), grids.Consumers())) {
        std::string& text = grids.Tarif.At(route.Column + 1, route.Row + 1);
        const std::int32_t tariff = TextToNumber(text);
        if (tariff < o.HighestTariff) text = NumberToText(std::int64_t{tariff} + 1);
    }
}

// With limits: a tied route at zero gets its tariff raised by one, one at its limit lowered by
// one. Either keeps the plan optimal (its cost moves by as much as any plan's can) and leaves
// only the optima that agree with it on that route. Where the range of tariffs does not allow
// that step, the other one is taken: the plan is no longer optimal, the next solution finds
// another optimum, and its ties are broken in the next round.
void BreakTiesWithLimits(const ExerciseOptions& o, TaskGrids& grids) {
    constexpr int kRounds = 4;
    for (int round = 0; round < kRounds; ++round) {
        QuietRun run;
        SolveQuietly(grids, true, run);
        if (!run.Result || run.Result->Unsolvable) return;
        const std::vector<TiedRoute> tied =
            TiedRoutes(run.State, grids.Suppliers(), grids.Consumers());
        if (tied.empty()) return;
        bool optimumMoved = false;
        for (const TiedRoute& route : tied) {
            std::string& text = grids.Tarif.At(route.Column + 1, route.Row + 1);
            const std::int64_t tariff = TextToNumber(text);
            std::int64_t step = route.AtLimit ? -1 : 1;
            if (tariff + step < o.LowestTariff || tariff + step > o.HighestTariff) {
                step = -step;
                optimumMoved = true;
            }
            if (tariff + step >= o.LowestTariff && tariff + step <= o.HighestTariff) {
                text = NumberToText(tariff + step);
            }
        }
        if (!optimumMoved) return;
    }
}

AssignmentResult SolveMatrixQuietly(const AssignmentTask& task) {
    DiscardingReportSink nowhere;
    SolveState s;
    s.Report.StreamTo(nowhere);
    s.SolveMode = kSolveModeChecking;
    SilentHooks quiet;
    return SolveAssignment(task, s, quiet);
}

// No other assignment reaches the total: forbidding any assigned cell makes every assignment
// worse (another optimum avoids at least one cell of this one).
bool HasUniqueAssignment(const AssignmentTask& task, const AssignmentResult& best) {
    for (int i = 0; i < task.Rows; ++i) {
        const int j = best.ColumnOfRow[static_cast<std::size_t>(i)];
        if (j < 0) continue;
        AssignmentTask other = task;
        other.Forbidden[static_cast<std::size_t>(i * task.Columns + j)] = 1;
        const AssignmentResult result = SolveMatrixQuietly(other);
        if (result.Solvable && result.Total == best.Total) return false;
    }
    return true;
}

AssignmentTask MakeMatrix(const ExerciseOptions& o, SeededRandom& random) {
    AssignmentTask task;
    task.Rows = o.Suppliers;
    task.Columns = o.Consumers;
    task.Maximise = o.Maximise;
    for (int k = 0; k < task.Rows * task.Columns; ++k) {
        const bool forbidden = o.ForbiddenPercent > 0 && random.Percent(o.ForbiddenPercent);
        task.Values.push_back(forbidden ? 0 : static_cast<std::int32_t>(random.Between(o.LowestTariff, o.HighestTariff)));
        task.Forbidden.push_back(forbidden ? std::uint8_t{1} : std::uint8_t{0});
    }
    return task;
}

bool MeetsAssignmentOptions(const ExerciseOptions& o, const AssignmentTask& task) {
    if (o.AllowUnsolvable && !o.UniqueOptimum) return true;
    const AssignmentResult result = SolveMatrixQuietly(task);
    if (!result.Solvable) return o.AllowUnsolvable && !o.UniqueOptimum;
    return !o.UniqueOptimum || HasUniqueAssignment(task, result);
}

std::string CheckKindOptions(const ExerciseOptions& o) {
    if (o.Kind == ExerciseKind::Time && o.LowestTariff < 0) {
        return "Время перевозки не может быть отрицательным: нижний предел времен должен быть не "
               "меньше 0.";
    }
    if (o.Kind == ExerciseKind::Time && o.UniqueOptimum) {
        return "Для задачи по критерию времени единственность оптимального плана не проверяется.";
    }
    if (o.ForbiddenPercent < 0 || o.ForbiddenPercent > 100) {
        return "Доля запрещенных назначений задается в процентах, от 0 до 100.";
    }
    return {};
}

std::string AssignmentText(const AssignmentResult& result) {
    std::string text;
    for (std::size_t i = 0; i < result.ColumnOfRow.size(); ++i) {
        if (result.ColumnOfRow[i] < 0) continue;
        if (!text.empty()) text += ' ';
        text += Format("A%d-B%d", static_cast<int>(i) + 1, result.ColumnOfRow[i] + 1);
    }
    return text;
}

// A line of answers.csv: the file, the value of each rule's first plan ("-" with limits, where
// the rules do not apply), the optimum and the stages.
std::string KeyLine(std::string_view fileName, const std::int64_t (&firstPlans)[4], bool bounded,
                    bool unsolvable, std::int64_t optimum, unsigned stages) {
    std::string line(fileName);
    for (const std::int64_t value : firstPlans) {
        line += ';';
        line += bounded ? std::string("-") : NumberToText(value);
    }
    line += ';';
    line += unsolvable ? std::string("неразрешима") : NumberToText(optimum);
    line += ';' + std::to_string(stages) + '\n';
    return line;
}

}  // namespace

std::string CheckExerciseOptions(const ExerciseOptions& o) {
    if (o.Suppliers < 2 || o.Consumers < 2 || o.Suppliers > kLargestSide || o.Consumers > kLargestSide) {
        return Format(o.Kind == ExerciseKind::Assignment ? "Число исполнителей и работ должно быть от 2 до %d."
                                                         : "Число поставщиков и потребителей должно быть от 2 до %d.",
                      kLargestSide);
    }
    if (o.LowestTariff > o.HighestTariff || o.LowestTariff < -kLargestTariff ||
        o.HighestTariff > kLargestTariff) {
        return Format("Тарифы должны лежать в пределах от -%d до %d, нижний не больше верхнего.",
                      kLargestTariff, kLargestTariff);
    }
    if (o.LimitedPercent < 0 || o.LimitedPercent > 100 || o.Tightness < 0 || o.Tightness > 100) {
        return "Доля ограниченных маршрутов и строгость ограничений задаются в процентах, от 0 до 100.";
    }
    if (o.UniqueOptimum && o.LowestTariff == o.HighestTariff) {
        return "Когда все тарифы равны, равноценных оптимальных планов всегда несколько: для "
               "единственного оптимального плана нужны хотя бы два разных тарифа.";
    }
    return CheckKindOptions(o);
}

GeneratedExercise GenerateExercise(const ExerciseOptions& options, unsigned index) {
    GeneratedExercise exercise;
    exercise.Failure = CheckExerciseOptions(options);
    if (!exercise.Failure.empty()) return exercise;
    SeededRandom random(options.Seed ^ (0xD1B54A32D192ED03u * (std::uint64_t{index} + 1)));
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (options.Kind == ExerciseKind::Assignment) {
            AssignmentTask matrix = MakeMatrix(options, random);
            if (!MeetsAssignmentOptions(options, matrix)) continue;
            exercise.Matrix = std::move(matrix);
            exercise.Grids = AssignmentGrids(exercise.Matrix);
            return exercise;
        }
        Rims rims;
        if (!MakeRims(options, random, rims)) continue;
        bool limited = false;
        TaskGrids grids = MakeGrids(options, rims, random, limited);
        if (options.UniqueOptimum && !limited) RaiseTiedTariffs(options, grids);
        if (options.UniqueOptimum && limited) BreakTiesWithLimits(options, grids);
        if (!MeetsSolvedOptions(options, grids, limited)) continue;
        exercise.Grids = std::move(grids);
        if (options.Kind == ExerciseKind::Time) exercise.Grids.Kind = TaskKind::Time;
        exercise.Limits = limited;
        return exercise;
    }
    exercise.Failure = Format("За %d попыток не нашлось задачи с такими условиями.", kAttempts);
    if (options.UniqueOptimum && options.Kind == ExerciseKind::Assignment) {
        exercise.Failure += " Единственное оптимальное назначение легче получить при более широких пределах значений.";
    } else if (options.UniqueOptimum) {
        exercise.Failure += " Единственный оптимальный план легче получить при более широких пределах тарифов.";
    }
    return exercise;
}

bool HasUniqueOptimum(const SolveState& s) {
    std::vector<std::int64_t> u;
    std::vector<std::int64_t> v;
    if (!FinalPotentials(s, u, v)) return false;
    int zeroEstimates = 0;
    for (int i = 0; i < s.m; ++i) {
        for (int j = 0; j < s.n; ++j) {
            const TaskCell& c = s.Cell(i, j);
            if (s.RestrictedTask && IsClosedRoute(c)) continue;
            if (c.TariffM == 0 && c.Tariff - u[static_cast<std::size_t>(i)] - v[static_cast<std::size_t>(j)] == 0) {
                ++zeroEstimates;
            }
        }
    }
    return zeroEstimates == s.m + s.n - 1;
}

namespace {

// The optimal plan of the task's own routes by a run with the default settings.
std::vector<std::vector<std::int64_t>> OptimalPlan(const TaskGrids& grids, bool limits) {
    SolveState s;
    DiscardingReportSink nowhere;
    s.Report.StreamTo(nowhere);
    if (!GridsToSolveState(grids, limits, s).empty() || !CheckTaskInput(s).empty()) return {};
    s.SolveMode = kSolveModeChecking;
    SilentHooks quiet;
    if (Solve(s, quiet, false).Unsolvable) return {};
    std::vector<std::vector<std::int64_t>> plan(static_cast<std::size_t>(grids.Suppliers()));
    for (int i = 0; i < grids.Suppliers(); ++i) {
        for (int j = 0; j < grids.Consumers(); ++j) {
            plan[static_cast<std::size_t>(i)].push_back(std::max(0, s.Cell(i, j).Cargo));
        }
    }
    return plan;
}

}  // namespace

ExerciseAnswer AnswerExercise(const TaskGrids& grids, bool limits) {
    ExerciseAnswer answer;
    answer.Bounded = limits;
    const MethodComparison runs = CompareMethods(grids, limits, {kMethodPotentials});
    for (const MethodRun& run : runs.Runs) {
        if (!limits) answer.FirstPlanF[run.PlanMethod] = run.FirstPlanF;
        if (limits) answer.BoundedFirstPlanF = run.FirstPlanF;
        if (run.PlanMethod == kPlanNorthWestCorner || limits) {
            answer.OptimalF = run.FinalF;
            answer.Unsolvable = run.Unsolvable;
            answer.NorthWestStages = run.Stages;
        }
    }
    if (runs.Refusal.empty()) answer.Plan = OptimalPlan(grids, limits);
    return answer;
}

std::string AnswersHeader() {
    return "файл;F северо-западного угла;F минимального элемента;F Фогеля;"
           "F двойного предпочтения;F оптимальное;этапов метода потенциалов\n";
}

std::string AnswerLine(std::string_view fileName, const ExerciseAnswer& answer) {
    return KeyLine(fileName, answer.FirstPlanF, answer.Bounded, answer.Unsolvable, answer.OptimalF,
                   answer.NorthWestStages);
}

TimeExerciseAnswer AnswerTimeExercise(const TaskGrids& grids, bool limits) {
    TimeExerciseAnswer answer;
    answer.Bounded = limits;
    for (const TimeRuleRun& run : CompareTimeRules(grids, limits).Runs) {
        if (!limits) answer.FirstPlanT[run.PlanMethod] = run.FirstPlanT;
        if (run.PlanMethod == kPlanNorthWestCorner || limits) {
            answer.SmallestT = run.SmallestT;
            answer.Unsolvable = run.Unsolvable;
            answer.Stages = run.Stages;
        }
    }
    return answer;
}

std::string TimeAnswersHeader() {
    return "файл;T северо-западного угла;T минимального элемента;T Фогеля;"
           "T двойного предпочтения;T минимальное;этапов по критерию времени\n";
}

std::string TimeAnswerLine(std::string_view fileName, const TimeExerciseAnswer& answer) {
    return KeyLine(fileName, answer.FirstPlanT, answer.Bounded, answer.Unsolvable, answer.SmallestT,
                   answer.Stages);
}

std::string AssignmentAnswersHeader() { return "файл;цель;оптимум;назначение;этапов\n"; }

std::string AssignmentAnswerLine(std::string_view fileName, const AssignmentTask& task) {
    const AssignmentResult result = SolveMatrixQuietly(task);
    std::string line(fileName);
    line += task.Maximise ? ";максимум;" : ";минимум;";
    if (!result.Solvable) return line + "неразрешима;-;0\n";
    return line + NumberToText(result.Total) + ';' + AssignmentText(result) + ';' +
           std::to_string(result.Stages) + '\n';
}

const char* ExerciseFileExtension(ExerciseKind kind) {
    return kind == ExerciseKind::Assignment ? "csv" : "tab";
}

std::string ExerciseFileBytes(const GeneratedExercise& exercise, ExerciseKind kind) {
    if (kind == ExerciseKind::Assignment) return SerializeTextTask(exercise.Grids);
    const std::vector<std::uint8_t> bytes = SerializeTableFile(exercise.Grids);
    return std::string(bytes.begin(), bytes.end());
}

std::string AnswersHeader(ExerciseKind kind) {
    switch (kind) {
        case ExerciseKind::Time: return TimeAnswersHeader();
        case ExerciseKind::Assignment: return AssignmentAnswersHeader();
        case ExerciseKind::Transport: break;
    }
    return AnswersHeader();
}

std::string AnswerLine(std::string_view fileName, const GeneratedExercise& exercise, ExerciseKind kind) {
    switch (kind) {
        case ExerciseKind::Time: return TimeAnswerLine(fileName, AnswerTimeExercise(exercise.Grids, exercise.Limits));
        case ExerciseKind::Assignment: return AssignmentAnswerLine(fileName, exercise.Matrix);
        case ExerciseKind::Transport: break;
    }
    return AnswerLine(fileName, AnswerExercise(exercise.Grids, exercise.Limits));
}

}  // namespace kargolo
