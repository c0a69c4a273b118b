#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "documents/method_comparison.h"
#include "documents/plan_picture.h"
#include "documents/report_pages.h"
#include "documents/solve_run.h"
#include "documents/task_grids.h"
#include "solver/solve_hooks.h"
#include "solver/solve_state.h"

namespace kargolo::testing {
namespace {

// Min-cost flow by successive shortest paths (Bellman-Ford on the residual graph), small graphs.
class MinCostFlow {
public:
    explicit MinCostFlow(int nodes) : m_out(static_cast<std::size_t>(nodes)) {}

    int AddArc(int from, int to, std::int64_t capacity, std::int64_t cost) {
        m_out[static_cast<std::size_t>(from)].push_back(static_cast<int>(m_arcs.size()));
        m_arcs.push_back({to, capacity, cost});
        m_out[static_cast<std::size_t>(to)].push_back(static_cast<int>(m_arcs.size()));
        m_arcs.push_back({from, 0, -cost});
        return static_cast<int>(m_arcs.size()) - 2;
    }

    // The largest flow from source to sink, of the least cost among the largest.
    std::pair<std::int64_t, std::int64_t> Run(int source, int sink) {
        std::int64_t flow = 0;
        std::int64_t cost = 0;
        for (;;) {
            const std::vector<int> via = CheapestPath(source);
            if (via[static_cast<std::size_t>(sink)] < 0) break;
            std::int64_t push = std::numeric_limits<std::int64_t>::max();
            for (int v = sink; v != source; v = Tail(via[static_cast<std::size_t>(v)])) {
                push = std::min(push, m_arcs[static_cast<std::size_t>(via[static_cast<std::size_t>(v)])].Capacity);
            }
            for (int v = sink; v != source; v = Tail(via[static_cast<std::size_t>(v)])) {
                const int arc = via[static_cast<std::size_t>(v)];
                m_arcs[static_cast<std::size_t>(arc)].Capacity -= push;
                m_arcs[static_cast<std::size_t>(arc ^ 1)].Capacity += push;
                cost += push * m_arcs[static_cast<std::size_t>(arc)].Cost;
            }
            flow += push;
        }
        return {flow, cost};
    }

    std::int64_t Flow(int arc) const { return m_arcs[static_cast<std::size_t>(arc ^ 1)].Capacity; }

private:
    struct Arc {
        int To;
        std::int64_t Capacity;
        std::int64_t Cost;
    };

    int Tail(int arc) const { return m_arcs[static_cast<std::size_t>(arc ^ 1)].To; }

    std::vector<int> CheapestPath(int source) const {
        const std::int64_t unreached = std::numeric_limits<std::int64_t>::max();
        std::vector<std::int64_t> distance(m_out.size(), unreached);
        std::vector<int> via(m_out.size(), -1);
        distance[static_cast<std::size_t>(source)] = 0;
        for (bool changed = true; changed;) {
            changed = false;
            for (std::size_t v = 0; v < m_out.size(); ++v) {
                if (distance[v] == unreached) continue;
                for (const int arc : m_out[v]) {
                    const Arc& a = m_arcs[static_cast<std::size_t>(arc)];
                    if (a.Capacity > 0 && distance[v] + a.Cost < distance[static_cast<std::size_t>(a.To)]) {
                        distance[static_cast<std::size_t>(a.To)] = distance[v] + a.Cost;
                        via[static_cast<std::size_t>(a.To)] = arc;
                        changed = true;
                    }
                }
            }
        }
        return via;
    }

    std::vector<Arc> m_arcs;
    std::vector<std::vector<int>> m_out;
};

struct Route {
    int Tariff = 0;
    bool Forbidden = false;
    std::optional<int> Limit;  // none: unlimited
    int Mandatory = 0;
};

struct VariantTask {
    std::vector<int> Supplies;
    std::vector<int> Demands;
    std::vector<Route> Routes;  // row-major
    bool Maximise = false;
    bool Limits = false;        // the limits page is in use

    const Route& At(int i, int j) const { return Routes[static_cast<std::size_t>(i) * Demands.size() + static_cast<std::size_t>(j)]; }
};

// The best total of the task, or none when no plan ships everything that must be shipped: every
// supply of a task with less supply than demand, every demand otherwise. Mandatory amounts are
// priced far below every tariff, so that the best flow takes them whenever a plan can.
std::optional<std::int64_t> OracleObjective(const VariantTask& task) {
    const int m = static_cast<int>(task.Supplies.size());
    const int n = static_cast<int>(task.Demands.size());
    const std::int64_t bonus = 1'000'000;
    MinCostFlow graph(m + n + 2);
    const int source = m + n;
    const int sink = source + 1;
    std::int64_t supply = 0;
    std::int64_t demand = 0;
    std::int64_t mandatory = 0;
    for (int i = 0; i < m; ++i) {
        graph.AddArc(source, i, task.Supplies[static_cast<std::size_t>(i)], 0);
        supply += task.Supplies[static_cast<std::size_t>(i)];
    }
    for (int j = 0; j < n; ++j) {
        graph.AddArc(m + j, sink, task.Demands[static_cast<std::size_t>(j)], 0);
        demand += task.Demands[static_cast<std::size_t>(j)];
    }
    std::vector<int> mandatoryArcs;
    for (int i = 0; i < m; ++i) {
        for (int j = 0; j < n; ++j) {
            const Route& r = task.At(i, j);
            if (r.Forbidden) continue;
            const std::int64_t cost = task.Maximise ? -r.Tariff : r.Tariff;
            const bool limited = task.Limits && r.Limit;
            const std::int64_t capacity = limited ? *r.Limit : supply + demand;
            if (r.Mandatory > 0) {
                mandatoryArcs.push_back(graph.AddArc(i, m + j, r.Mandatory, cost - bonus));
                mandatory += r.Mandatory;
            }
            graph.AddArc(i, m + j, capacity - r.Mandatory, cost);
        }
    }
    const auto [flow, cost] = graph.Run(source, sink);
    if (flow < std::min(supply, demand)) return std::nullopt;
    std::int64_t shippedMandatory = 0;
    for (const int arc : mandatoryArcs) shippedMandatory += graph.Flow(arc);
    if (shippedMandatory < mandatory) return std::nullopt;
    const std::int64_t total = cost + bonus * mandatory;
    return task.Maximise ? -total : total;
}

TaskGrids ToGrids(const VariantTask& task) {
    const int m = static_cast<int>(task.Supplies.size());
    const int n = static_cast<int>(task.Demands.size());
    TaskGrids grids = MakeTaskGrids(m, n);
    grids.Goal = task.Maximise ? TaskGoal::Maximise : TaskGoal::Minimise;
    for (int i = 0; i < m; ++i) grids.Tarif.At(n + 1, i + 1) = std::to_string(task.Supplies[static_cast<std::size_t>(i)]);
    for (int j = 0; j < n; ++j) grids.Tarif.At(j + 1, m + 1) = std::to_string(task.Demands[static_cast<std::size_t>(j)]);
    for (int i = 0; i < m; ++i) {
        for (int j = 0; j < n; ++j) {
            const Route& r = task.At(i, j);
            grids.Tarif.At(j + 1, i + 1) = r.Forbidden ? "M" : std::to_string(r.Tariff);
            grids.Restriction.At(j + 1, i + 1) = r.Limit ? std::to_string(*r.Limit) : "M";
            grids.Mandatory.At(j + 1, i + 1) = r.Mandatory > 0 ? std::to_string(r.Mandatory) : "";
        }
    }
    return grids;
}

// A small task with ties, of every type, with some of every variant; mandatory amounts small
// enough for every supply, demand and limit.
VariantTask RandomVariantTask(std::mt19937& random) {
    auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    VariantTask task;
    const int m = pick(2, 4);
    const int n = pick(2, 4);
    for (int i = 0; i < m; ++i) task.Supplies.push_back(pick(4, 20));
    for (int j = 0; j < n; ++j) task.Demands.push_back(pick(4, 20));
    task.Maximise = pick(0, 1) == 1;
    task.Limits = pick(0, 1) == 1;
    for (int k = 0; k < m * n; ++k) {
        Route r;
        r.Tariff = pick(1, 9);
        r.Forbidden = pick(0, 6) == 0;
        if (pick(0, 2) == 0) r.Limit = pick(0, 12);
        task.Routes.push_back(r);
    }
    for (int i = 0; i < m; ++i) {
        for (int j = 0; j < n; ++j) {
            Route& r = task.Routes[static_cast<std::size_t>(i * n + j)];
            if (r.Forbidden || pick(0, 5) != 0) continue;
            const int room = std::min({task.Supplies[static_cast<std::size_t>(i)], task.Demands[static_cast<std::size_t>(j)],
                                       task.Limits && r.Limit ? *r.Limit : 99});
            if (room < 2) continue;
            r.Mandatory = pick(1, room / 2);
        }
    }
    // Keep every supplier's and consumer's mandatory total within its stock.
    for (int i = 0; i < m; ++i) {
        int total = 0;
        for (int j = 0; j < n; ++j) total += task.At(i, j).Mandatory;
        if (total > task.Supplies[static_cast<std::size_t>(i)]) task.Supplies[static_cast<std::size_t>(i)] = total;
    }
    for (int j = 0; j < n; ++j) {
        int total = 0;
        for (int i = 0; i < m; ++i) total += task.At(i, j).Mandatory;
        if (total > task.Demands[static_cast<std::size_t>(j)]) task.Demands[static_cast<std::size_t>(j)] = total;
    }
    return task;
}

// The plan keeps every rule of the task, and its total is the objective the run gives.
void ExpectPlanKeepsTheTask(const VariantTask& task, const RunOutcome& outcome) {
    const std::size_t m = task.Supplies.size();
    const std::size_t n = task.Demands.size();
    ASSERT_EQ(outcome.Plan.size(), m);
    std::int64_t supply = 0;
    std::int64_t demand = 0;
    for (const int a : task.Supplies) supply += a;
    for (const int b : task.Demands) demand += b;
    std::int64_t total = 0;
    std::vector<std::int64_t> columns(n);
    for (std::size_t i = 0; i < m; ++i) {
        ASSERT_EQ(outcome.Plan[i].size(), n);
        std::int64_t row = 0;
        for (std::size_t j = 0; j < n; ++j) {
            const std::int64_t x = outcome.Plan[i][j];
            const Route& r = task.At(static_cast<int>(i), static_cast<int>(j));
            if (r.Forbidden) {
                EXPECT_EQ(x, 0) << "a forbidden route carries cargo";
            }
            if (task.Limits && r.Limit) {
                EXPECT_LE(x, *r.Limit);
            }
            EXPECT_GE(x, r.Mandatory);
            row += x;
            columns[j] += x;
            total += x * r.Tariff;
        }
        if (supply <= demand) {
            EXPECT_EQ(row, task.Supplies[i]);
        } else {
            EXPECT_LE(row, task.Supplies[i]);
        }
    }
    for (std::size_t j = 0; j < n; ++j) {
        if (demand <= supply) {
            EXPECT_EQ(columns[j], task.Demands[j]);
        } else {
            EXPECT_LE(columns[j], task.Demands[j]);
        }
    }
    EXPECT_EQ(total, outcome.Objective);
}

TEST(TaskVariants, ReachTheOptimumOfAMinCostFlowWithForbiddenRoutesLowerBoundsAndEitherGoal) {
    std::mt19937 random(2207);
    int solved = 0;
    int unsolvable = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        const VariantTask task = RandomVariantTask(random);
        SolveSettings settings;
        settings.SolveMode = kSolveModeChecking;
        settings.PlanMethod = trial % 4;
        settings.SolveMethod = (trial / 4) % 2;
        SilentHooks hooks;
        SolveState s;
        const SolveRunResult run = RunSolve(ToGrids(task), task.Limits, false, settings, hooks, s);
        SCOPED_TRACE("trial " + std::to_string(trial));
        ASSERT_EQ(run.Refusal, "");
        ASSERT_FALSE(run.Failed) << run.FailedCheck;
        const std::optional<std::int64_t> best = OracleObjective(task);
        ASSERT_EQ(run.Outcome.Status == RunStatus::Optimal, best.has_value());
        if (!best) {
            EXPECT_EQ(run.Outcome.Status, RunStatus::Unsolvable);
            ++unsolvable;
            continue;
        }
        ++solved;
        EXPECT_EQ(run.Outcome.Objective, *best);
        ExpectPlanKeepsTheTask(task, run.Outcome);
    }
    // Both outcomes were tried often.
    EXPECT_GT(solved, 1000);
    EXPECT_GT(unsolvable, 100);
}

// The navigator and the picture of the plan name the answer of a profit task by its profit, not
// by the F of the negated tariffs.
TEST(TaskVariants, NameTheAnswerOfAProfitTaskByTheProfit) {
    VariantTask task;
    task.Supplies = {30, 40, 50};
    task.Demands = {20, 35, 25, 40};
    for (const int tariff : {4, 6, 9, 5, 3, 8, 7, 2, 6, 5, 4, 8}) task.Routes.push_back({tariff, false, std::nullopt, 0});
    task.Maximise = true;
    SolveSettings settings;
    SilentHooks hooks;
    SolveState s;
    const SolveRunResult run = RunSolve(ToGrids(task), false, false, settings, hooks, s);
    ASSERT_EQ(run.Outcome.Status, RunStatus::Optimal);
    EXPECT_EQ(run.Outcome.Objective, 920);
    const ReportLayout layout = LayOutReport(s.Report.Index(), s.Report.Text().size(), {0, 1024});
    std::vector<std::string> labels;
    for (const auto& entry : layout.Entries) {
        if (!entry.Part) labels.push_back(entry.Label);
    }
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels.back(), "Ответ, прибыль = 920");
    EXPECT_EQ(labels.front(), "Условие задачи");
    EXPECT_NE(PlanSvg(SketchOfRun(s, run, "")).find(">Прибыль = 920<"), std::string::npos);
}

// The comparison solves the same variant as a run: every rule and method reaches the run's
// objective (a profit for a profit task), and forbidden routes make it one bounded run.
TEST(TaskVariants, AreComparedAsTheyAreSolved) {
    std::mt19937 random(77);
    for (int trial = 0; trial < 200; ++trial) {
        const VariantTask task = RandomVariantTask(random);
        SolveSettings settings;
        settings.SolveMode = kSolveModeChecking;
        SilentHooks hooks;
        SolveState s;
        const SolveRunResult run = RunSolve(ToGrids(task), task.Limits, false, settings, hooks, s);
        const MethodComparison comparison = CompareMethods(ToGrids(task), task.Limits);
        ASSERT_EQ(comparison.Refusal, "");
        EXPECT_EQ(comparison.Profit, task.Maximise);
        const bool forbidden = std::any_of(task.Routes.begin(), task.Routes.end(), [](const Route& r) { return r.Forbidden; });
        EXPECT_EQ(comparison.Runs.size(), task.Limits || forbidden ? 1u : 8u);
        for (const MethodRun& method : comparison.Runs) {
            EXPECT_EQ(method.Unsolvable, run.Outcome.Status == RunStatus::Unsolvable);
            if (!method.Unsolvable) {
                EXPECT_EQ(method.FinalF, run.Outcome.Objective) << "trial " << trial;
            }
        }
    }
}

}  // namespace
}  // namespace kargolo::testing
