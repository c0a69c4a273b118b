// First plans of large random tasks. The timed part is the rule alone; making the task is not.

#include <benchmark/benchmark.h>

#include "bench/task_generator.h"
#include "solver/plan_rules.h"

namespace kargolo::bench {
namespace {

void RunRule(benchmark::State& state, void (*rule)(SolveState&), std::int32_t solveMode) {
    const int size = static_cast<int>(state.range(0));
    const SolveState task = RandomTask(size, size, 12345, solveMode);
    for (auto _ : state) {
        state.PauseTiming();
        SolveState s = task;
        state.ResumeTiming();
        rule(s);
        benchmark::DoNotOptimize(s.Cells.data());
    }
}

void NorthWestCornerChecking(benchmark::State& state) {
    RunRule(state, NorthWestCorner, kSolveModeChecking);
}
void NorthWestCornerDetailed(benchmark::State& state) {
    RunRule(state, NorthWestCorner, kSolveModeDetailed);
}

void MinimumElementChecking(benchmark::State& state) {
    RunRule(state, MinimumElement, kSolveModeChecking);
}
void VogelMethodChecking(benchmark::State& state) {
    RunRule(state, VogelMethod, kSolveModeChecking);
}
void DoublePreferenceChecking(benchmark::State& state) {
    RunRule(state, DoublePreference, kSolveModeChecking);
}
void VogelMethodDetailed(benchmark::State& state) {
    RunRule(state, VogelMethod, kSolveModeDetailed);
}

BENCHMARK(NorthWestCornerChecking)->Arg(100)->Arg(500)->Arg(1000)->Arg(2000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(NorthWestCornerDetailed)->Arg(100)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(MinimumElementChecking)->Arg(100)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(VogelMethodChecking)->Arg(100)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(DoublePreferenceChecking)->Arg(100)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(VogelMethodDetailed)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kargolo::bench

BENCHMARK_MAIN();
