// Whole solves of random square tasks with limits in checking mode, and the same tasks solved
// by LEMON's network simplex with the limits as arc capacities. Compare "Solve/..." with
// "NetworkSimplex/..." of the same size.

#include <benchmark/benchmark.h>

#include "bench/task_generator.h"
#include "solver/driver.h"
#include "solver/report_texts.h"
#include "solver/solve_hooks.h"

#ifdef KARGOLO_WITH_LEMON
#include <lemon/network_simplex.h>
#include <lemon/smart_graph.h>
#endif

namespace kargolo::bench {
namespace {

void Solve(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const SolveState task = RandomLimitedTask(size, size, 12345, kSolveModeChecking);
    SilentHooks hooks;
    double f = 0;
    for (auto _ : state) {
        state.PauseTiming();
        SolveState s = task;
        state.ResumeTiming();
        kargolo::Solve(s, hooks, false);
        f = static_cast<double>(s.ObjectiveF);
    }
    state.counters["F"] = f;
}
BENCHMARK(Solve)->Arg(10)->Arg(30)->Arg(100)->Arg(200)->Arg(300)->Unit(benchmark::kMillisecond);

#ifdef KARGOLO_WITH_LEMON
void NetworkSimplex(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const SolveState task = RandomLimitedTask(size, size, 12345, kSolveModeChecking);
    lemon::SmartDigraph graph;
    lemon::SmartDigraph::ArcMap<std::int64_t> cost(graph);
    lemon::SmartDigraph::ArcMap<std::int64_t> upper(graph);
    lemon::SmartDigraph::NodeMap<std::int64_t> supply(graph);
    std::vector<lemon::SmartDigraph::Node> rows;
    std::vector<lemon::SmartDigraph::Node> columns;
    for (int i = 0; i < task.m; ++i) {
        rows.push_back(graph.addNode());
        supply[rows.back()] = task.Supplies[static_cast<std::size_t>(i)].Amount;
    }
    for (int j = 0; j < task.n; ++j) {
        columns.push_back(graph.addNode());
        supply[columns.back()] = -task.Demands[static_cast<std::size_t>(j)].Amount;
    }
    for (int i = 0; i < task.m; ++i) {
        for (int j = 0; j < task.n; ++j) {
            const TaskCell& cell = task.Cell(i, j);
            const auto arc = graph.addArc(rows[static_cast<std::size_t>(i)],
                                          columns[static_cast<std::size_t>(j)]);
            cost[arc] = cell.Tariff;
            upper[arc] = cell.Limit == kNoLimit ? std::int64_t{1} << 40 : cell.Limit;
        }
    }
    double f = 0;
    for (auto _ : state) {
        lemon::NetworkSimplex<lemon::SmartDigraph, std::int64_t, std::int64_t> simplex(graph);
        simplex.costMap(cost).upperMap(upper).supplyMap(supply);
        const auto result = simplex.run();
        f = result == simplex.OPTIMAL ? static_cast<double>(simplex.totalCost()) : -1;
    }
    state.counters["F"] = f;
}
BENCHMARK(NetworkSimplex)->Arg(10)->Arg(30)->Arg(100)->Arg(200)->Arg(300)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
}  // namespace kargolo::bench

BENCHMARK_MAIN();
