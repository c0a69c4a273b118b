// Detailed reports of square tasks from the north-west corner, written as kargolo-solve writes
// them: streamed in windows-1251 to a file through OutputFile. Reports the speed in bytes of
// report per second and the process's peak memory, which must not grow with the report.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/task_generator.h"
#include "documents/output_file.h"
#include "documents/report_stream.h"
#include "documents/solve_run.h"
#include "solver/solve_hooks.h"

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace kargolo::bench {
namespace {

double PeakMemoryMb() {
#ifndef _WIN32
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
#else
    return 0.0;
#endif
}

void StreamDetailedReport(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const SolveState task = RandomTask(size, size, 12345, kSolveModeDetailed);
    const auto path = std::filesystem::temp_directory_path() / "kargolo-report-stream-bench.html";
    SilentHooks hooks;
    std::uint64_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        SolveState s = task;
        OutputFile file;
        file.Open(path);
        EncodedReportSink sink([&file](std::string_view piece) { return file.Write(piece); });
        s.Report.StreamTo(sink);
        state.ResumeTiming();
        SolveIntoDocument(s, hooks, false);
        sink.Finish();
        file.Commit();
        bytes += sink.StoredSize();
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    state.counters["report_MB"] = static_cast<double>(bytes) / 1e6 / static_cast<double>(state.iterations());
    state.counters["peak_MB"] = PeakMemoryMb();
}

BENCHMARK(StreamDetailedReport)->Arg(30)->Arg(60)->Unit(benchmark::kMillisecond)->Iterations(3)
    ->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace kargolo::bench

BENCHMARK_MAIN();
