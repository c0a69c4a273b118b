// Whole solves (first plan and improvement) of random square tasks in checking mode, the
// detailed report of a 30 x 30 task, and the same tasks solved by LEMON's network simplex as a
// yardstick. Compare the medians of "Solve/..." with "NetworkSimplex/..." of the same size.

#include <benchmark/benchmark.h>

#include "bench/task_generator.h"
#include "solver/driver.h"
#include "solver/improvement.h"
#include "solver/plan_rules.h"
#include "solver/report_writer.h"
#include "solver/report_texts.h"
#include "solver/solve_hooks.h"

#ifdef KARGOLO_WITH_LEMON
#include "bench/lemon_yardstick.h"
#endif

namespace kargolo::bench {
namespace {

// The first plan and its improvement, without the report's final table.
void RunPlanAndMethod(benchmark::State& state, void (*rule)(SolveState&), std::int32_t method) {
    const int size = static_cast<int>(state.range(0));
    SolveState task = RandomTask(size, size, 12345, kSolveModeChecking);
    task.SolveMethod = method;
    SilentHooks hooks;
    double f = 0;
    for (auto _ : state) {
        state.PauseTiming();
        SolveState s = task;
        state.ResumeTiming();
        BalanceTask(s, hooks);
        rule(s);
        ImprovePlan(s, hooks);
        f = static_cast<double>(ComputeObjectiveF(s));
    }
    state.counters["F"] = f;
}

void SolvePotentialsMinimum(benchmark::State& state) {
    RunPlanAndMethod(state, MinimumElement, kMethodPotentials);
}
void SolvePotentialsVogel(benchmark::State& state) {
    RunPlanAndMethod(state, VogelMethod, kMethodPotentials);
}
void SolveDistributiveMinimum(benchmark::State& state) {
    RunPlanAndMethod(state, MinimumElement, kMethodDistributive);
}
void SolveDistributiveVogel(benchmark::State& state) {
    RunPlanAndMethod(state, VogelMethod, kMethodDistributive);
}

// The table of a solved plan, as every report ends with it; MB/s of report text.
void WriteFinalTable(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    SolveState s = RandomTask(size, size, 12345, kSolveModeChecking);
    SilentHooks hooks;
    BalanceTask(s, hooks);
    MinimumElement(s);
    ImprovePlan(s, hooks);
    std::size_t bytes = 0;
    for (auto _ : state) {
        s.Report.Clear();
        WriteTransportTable(s, hooks);
        bytes += s.Report.Size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

// A whole detailed run, report included, as the desktop program makes it.
void DetailedReport(benchmark::State& state, std::int32_t method) {
    const int size = static_cast<int>(state.range(0));
    SolveState task = RandomTask(size, size, 12345, kSolveModeDetailed);
    task.SolveMethod = method;
    SilentHooks hooks;
    double megabytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        SolveState s = task;
        s.Report.Assign(kReportHead);
        state.ResumeTiming();
        Solve(s, hooks, false);
        megabytes = static_cast<double>(s.Report.Size()) / 1e6;
    }
    state.counters["MB"] = megabytes;
}
void DetailedReportPotentials(benchmark::State& state) {
    DetailedReport(state, kMethodPotentials);
}
void DetailedReportDistributive(benchmark::State& state) {
    DetailedReport(state, kMethodDistributive);
}

#define KARGOLO_SIZES ->Arg(10)->Arg(50)->Arg(100)->Arg(200)->Arg(500)->Arg(1000)
BENCHMARK(SolvePotentialsMinimum) KARGOLO_SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(SolvePotentialsVogel) KARGOLO_SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(SolveDistributiveMinimum) KARGOLO_SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(SolveDistributiveVogel) KARGOLO_SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(WriteFinalTable)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(DetailedReportPotentials)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK(DetailedReportDistributive)->Arg(30)->Unit(benchmark::kMillisecond);

#ifdef KARGOLO_WITH_LEMON
void NetworkSimplex(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const LemonTask task(RandomTask(size, size, 12345, kSolveModeChecking), false);
    double f = 0;
    for (auto _ : state) f = task.Solve();
    state.counters["F"] = f;
}
BENCHMARK(NetworkSimplex) KARGOLO_SIZES->Unit(benchmark::kMillisecond);
#endif

}  // namespace
}  // namespace kargolo::bench

BENCHMARK_MAIN();
