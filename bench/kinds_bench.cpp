// The transportation problem by the time criterion and the assignment problem on random square
// tasks: the solvers alone in checking mode ("TimeCriterion", "Assignment"), whole command-line
// runs from the file to the report ("...Run", report to /dev/null, checking or detailed), and
// LEMON as the yardstick: the smallest feasible time by maximum flows over a binary search of
// the times ("BottleneckByPreflow"), the assignment by its network simplex with unit supplies
// ("AssignmentByNetworkSimplex"). Times are 1..1000, costs 1..1000.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "bench/task_generator.h"
#include "cli/solver_run.h"
#include "documents/assignment_file.h"
#include "documents/text_task_file.h"
#include "documents/task_grids.h"
#include "solver/hungarian.h"
#include "solver/solve_hooks.h"
#include "solver/time_criterion.h"

#ifdef KARGOLO_WITH_LEMON
#include <lemon/network_simplex.h>
#include <lemon/preflow.h>
#include <lemon/smart_graph.h>
#endif

namespace kargolo::bench {
namespace {

constexpr std::uint32_t kSeed = 12345;

SolveState TimeTask(int size) {
    SolveState s = RandomTask(size, size, kSeed, kSolveModeChecking);
    std::mt19937 random(kSeed + 2);
    std::uniform_int_distribution<std::int32_t> time(1, 1000);
    for (TaskCell& cell : s.Cells) cell.Tariff = time(random);
    return s;
}

AssignmentTask CostMatrix(int size) {
    std::mt19937 random(kSeed);
    std::uniform_int_distribution<std::int32_t> cost(1, 1000);
    AssignmentTask task;
    task.Rows = size;
    task.Columns = size;
    for (int k = 0; k < size * size; ++k) task.Values.push_back(cost(random));
    task.Forbidden.assign(task.Values.size(), 0);
    return task;
}

// state.range(1): the rule of the first plan (0 north-west corner, 1 minimum element).
void TimeCriterion(benchmark::State& state) {
    SolveState task = TimeTask(static_cast<int>(state.range(0)));
    task.PlanMethod = static_cast<std::int32_t>(state.range(1));
    SilentHooks hooks;
    TimeCriterionResult result;
    for (auto _ : state) {
        state.PauseTiming();
        SolveState s = task;
        state.ResumeTiming();
        result = SolveByTime(s, hooks, false);
    }
    state.counters["T"] = static_cast<double>(result.LongestTime.Number);
    state.counters["stages"] = result.Stages;
}
BENCHMARK(TimeCriterion)
    ->ArgsProduct({{30, 100, 300}, {0, 1}})
    ->ArgNames({"size", "rule"})
    ->Unit(benchmark::kMillisecond);

void Assignment(benchmark::State& state) {
    const AssignmentTask task = CostMatrix(static_cast<int>(state.range(0)));
    SilentHooks hooks;
    AssignmentResult result;
    for (auto _ : state) {
        SolveState s;
        s.SolveMode = kSolveModeChecking;
        result = SolveAssignment(task, s, hooks);
    }
    state.counters["total"] = static_cast<double>(result.Total);
    state.counters["stages"] = result.Stages;
}
BENCHMARK(Assignment)->Arg(30)->Arg(100)->Arg(300)->ArgName("size")->Unit(benchmark::kMillisecond);

// The task files of the command-line runs, written once.
class TaskFiles {
public:
    TaskFiles() : m_folder(std::filesystem::temp_directory_path() / "kargolo-kinds-bench") {
        std::filesystem::create_directories(m_folder);
    }
    ~TaskFiles() { std::filesystem::remove_all(m_folder); }

    std::string Time(int size) {
        const auto path = m_folder / ("time-" + std::to_string(size) + ".csv");
        if (!std::filesystem::exists(path)) {
            const SolveState s = TimeTask(size);
            TaskGrids grids = MakeTaskGrids(size, size);
            for (int i = 0; i < size; ++i) {
                for (int j = 0; j < size; ++j) grids.Tarif.At(j + 1, i + 1) = std::to_string(s.Cell(i, j).Tariff);
                grids.Tarif.At(size + 1, i + 1) = std::to_string(s.Supplies[static_cast<std::size_t>(i)].Amount);
                grids.Tarif.At(i + 1, size + 1) = std::to_string(s.Demands[static_cast<std::size_t>(i)].Amount);
            }
            std::ofstream(path, std::ios::binary) << SerializeTextTask(grids);
        }
        return path.string();
    }
    std::string Matrix(int size) {
        const auto path = m_folder / ("matrix-" + std::to_string(size) + ".csv");
        if (!std::filesystem::exists(path)) {
            std::ofstream(path, std::ios::binary) << SerializeAssignmentMatrix(CostMatrix(size));
        }
        return path.string();
    }

private:
    std::filesystem::path m_folder;
};

TaskFiles& Files() {
    static TaskFiles files;
    return files;
}

// state.range(1): 0 checking, 1 detailed.
void RunCommandLine(benchmark::State& state, const char* kind, const std::string& task) {
    const std::vector<std::string> args = {"--kind", kind, "--mode", state.range(1) != 0 ? "detailed" : "checking",
                                           task, "-o", "/dev/null"};
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        if (RunSolver(args, out, err) != kExitSolved) state.SkipWithError(err.str().c_str());
    }
}

void TimeCriterionRun(benchmark::State& state) {
    RunCommandLine(state, "time", Files().Time(static_cast<int>(state.range(0))));
}
BENCHMARK(TimeCriterionRun)
    ->ArgsProduct({{30, 100, 300}, {0, 1}})
    ->ArgNames({"size", "detailed"})
    ->Unit(benchmark::kMillisecond);

void AssignmentRun(benchmark::State& state) {
    RunCommandLine(state, "assignment", Files().Matrix(static_cast<int>(state.range(0))));
}
BENCHMARK(AssignmentRun)
    ->ArgsProduct({{30, 100, 300}, {0, 1}})
    ->ArgNames({"size", "detailed"})
    ->Unit(benchmark::kMillisecond);

#ifdef KARGOLO_WITH_LEMON
using Graph = lemon::SmartDigraph;

// Whether the routes of time <= limit carry every unit: a maximum flow from a source over the
// suppliers and consumers to a sink.
bool AllThrough(const SolveState& task, std::int32_t limit) {
    Graph graph;
    Graph::ArcMap<std::int64_t> capacity(graph);
    const Graph::Node source = graph.addNode();
    const Graph::Node sink = graph.addNode();
    std::vector<Graph::Node> rows;
    std::vector<Graph::Node> columns;
    std::int64_t total = 0;
    for (const RimEntry& supply : task.Supplies) {
        rows.push_back(graph.addNode());
        capacity[graph.addArc(source, rows.back())] = supply.Amount;
        total += supply.Amount;
    }
    for (const RimEntry& demand : task.Demands) {
        columns.push_back(graph.addNode());
        capacity[graph.addArc(columns.back(), sink)] = demand.Amount;
    }
    for (int i = 0; i < task.m; ++i) {
        for (int j = 0; j < task.n; ++j) {
            if (task.Cell(i, j).Tariff > limit) continue;
            capacity[graph.addArc(rows[static_cast<std::size_t>(i)], columns[static_cast<std::size_t>(j)])] = total;
        }
    }
    lemon::Preflow<Graph, Graph::ArcMap<std::int64_t>> preflow(graph, capacity, source, sink);
    preflow.runMinCut();
    return preflow.flowValue() == total;
}

void BottleneckByPreflow(benchmark::State& state) {
    const SolveState task = TimeTask(static_cast<int>(state.range(0)));
    std::vector<std::int32_t> times;
    for (const TaskCell& cell : task.Cells) times.push_back(cell.Tariff);
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());
    std::int32_t smallest = 0;
    for (auto _ : state) {
        std::size_t low = 0;
        std::size_t high = times.size() - 1;
        while (low < high) {
            const std::size_t middle = (low + high) / 2;
            if (AllThrough(task, times[middle])) {
                high = middle;
            } else {
                low = middle + 1;
            }
        }
        smallest = times[low];
    }
    state.counters["T"] = smallest;
}
BENCHMARK(BottleneckByPreflow)->Arg(30)->Arg(100)->Arg(300)->ArgName("size")->Unit(benchmark::kMillisecond);

void AssignmentByNetworkSimplex(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const AssignmentTask task = CostMatrix(size);
    Graph graph;
    Graph::ArcMap<std::int64_t> cost(graph);
    Graph::NodeMap<std::int64_t> supply(graph);
    std::vector<Graph::Node> rows;
    std::vector<Graph::Node> columns;
    for (int k = 0; k < size; ++k) {
        rows.push_back(graph.addNode());
        supply[rows.back()] = 1;
        columns.push_back(graph.addNode());
        supply[columns.back()] = -1;
    }
    for (int i = 0; i < size; ++i) {
        for (int j = 0; j < size; ++j) {
            cost[graph.addArc(rows[static_cast<std::size_t>(i)], columns[static_cast<std::size_t>(j)])] =
                task.Values[static_cast<std::size_t>(i * size + j)];
        }
    }
    std::int64_t total = 0;
    for (auto _ : state) {
        lemon::NetworkSimplex<Graph, std::int64_t, std::int64_t> simplex(graph);
        simplex.costMap(cost).supplyMap(supply);
        simplex.run();
        total = simplex.totalCost();
    }
    state.counters["total"] = static_cast<double>(total);
}
BENCHMARK(AssignmentByNetworkSimplex)->Arg(30)->Arg(100)->Arg(300)->ArgName("size")->Unit(benchmark::kMillisecond);
#endif

}  // namespace
}  // namespace kargolo::bench

BENCHMARK_MAIN();
