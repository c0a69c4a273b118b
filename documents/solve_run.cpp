#include "documents/solve_run.h"

#include <exception>

#include "documents/grids_to_state.h"
#include "solver/driver.h"
#include "solver/report_texts.h"

namespace kargolo {

SolveRunResult SolveIntoDocument(SolveState& s, SolveHooks& hooks, bool planOnly) {
    return RunIntoDocument(s, [&](SolveRunResult& result) {
        const ImprovementResult improvement = Solve(s, hooks, planOnly);
        result.Aborted = !improvement.Completed;
        result.Unsolvable = improvement.Unsolvable;
    });
}

SolveRunResult RunIntoDocument(SolveState& s, const std::function<void(SolveRunResult&)>& run) {
    SolveRunResult result;
    s.Report.Assign(kReportHead);
    s.Report.MarkBodyBegin();
    try {
        run(result);
    } catch (const std::exception& failure) {
        result.Failed = true;
        result.FailedCheck = failure.what();
    } catch (...) {
        result.Failed = true;
    }
    s.Report.Append(kReportFooter);
    s.Report.MarkBodyEnd();
    s.Report.Append(kDocumentEnd);
    s.Report.Flush();
    return result;
}

SolveRunResult RunSolve(const TaskGrids& grids, bool restricted, bool planOnly,
                        const SolveSettings& settings, SolveHooks& hooks, SolveState& s) {
    ApplySettings(settings, s);
    SolveRunResult result;
    result.Refusal = GridsToSolveState(grids, restricted, s);
    if (result.Refusal.empty()) result.Refusal = CheckTaskInput(s);
    if (!result.Refusal.empty()) return result;
    return SolveIntoDocument(s, hooks, planOnly);
}

}  // namespace kargolo
