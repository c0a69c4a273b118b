// Whole solves of random square tasks with limits in checking mode, and the same tasks solved
// by LEMON's network simplex with the limits as arc capacities. Compare "Solve/..." with
// "NetworkSimplex/..." of the same size.

#include <benchmark/benchmark.h>

#include "bench/task_generator.h"
#include "solver/driver.h"
#include "solver/report_texts.h"
#include "solver/solve_hooks.h"

#ifdef KARGOLO_WITH_LEMON
#include "bench/lemon_yardstick.h"
#endif

namespace kargolo::bench {
namespace {

// The random task; with state.range(1) set, tariffs 1..3, where ties are everywhere.
SolveState Task(const benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    SolveState task = RandomLimitedTask(size, size, 12345, kSolveModeChecking);
    if (state.range(1) != 0) {
        for (TaskCell& cell : task.Cells) cell.Tariff = 1 + cell.Tariff % 3;
    }
    return task;
}

void Solve(benchmark::State& state) {
    const SolveState task = Task(state);
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
BENCHMARK(Solve)
    ->ArgsProduct({{10, 30, 100, 200, 300}, {0, 1}})
    ->ArgNames({"size", "ties"})
    ->Unit(benchmark::kMillisecond);

#ifdef KARGOLO_WITH_LEMON
void NetworkSimplex(benchmark::State& state) {
    const LemonTask task(Task(state), true);
    double f = 0;
    for (auto _ : state) f = task.Solve();
    state.counters["F"] = f;
}
BENCHMARK(NetworkSimplex)
    ->ArgsProduct({{10, 30, 100, 200, 300}, {0, 1}})
    ->ArgNames({"size", "ties"})
    ->Unit(benchmark::kMillisecond);
#endif

}  // namespace
}  // namespace kargolo::bench

BENCHMARK_MAIN();
