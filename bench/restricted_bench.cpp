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
    const LemonTask task(RandomLimitedTask(size, size, 12345, kSolveModeChecking), true);
    double f = 0;
    for (auto _ : state) f = task.Solve();
    state.counters["F"] = f;
}
BENCHMARK(NetworkSimplex)->Arg(10)->Arg(30)->Arg(100)->Arg(200)->Arg(300)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
}  // namespace kargolo::bench

BENCHMARK_MAIN();
