#include "documents/solve_run.h"

#include <exception>

#include "documents/document_texts.h"
#include "documents/assignment_file.h"
#include "documents/grids_to_state.h"
#include "documents/task_kind_runs.h"
#include "solver/driver.h"
#include "solver/report_texts.h"

namespace kargolo {

namespace {

RunStatus StatusOf(const SolveRunResult& result, bool planOnly) {
    if (result.Failed) return RunStatus::Failed;
    if (result.Aborted) return RunStatus::Stopped;
    if (result.Unsolvable) return RunStatus::Unsolvable;
    return planOnly ? RunStatus::PlanOnly : RunStatus::Optimal;
}

void NoteOutcome(const SolveState& s, const VariantOutcome& run, const TaskVariant& variant, SolveRunResult& result) {
    result.Aborted = !run.Run.Completed;
    result.Unsolvable = run.Run.Unsolvable;
    RunOutcome& outcome = result.Outcome;
    outcome.Maximise = variant.Maximise;
    outcome.Objective = run.Objective;
    outcome.Plan = OwnPlan(s, run.Suppliers, run.Consumers);
    outcome.Stages = run.Run.Stages;
    outcome.Alternatives = run.OtherOptima;
}

}  // namespace

SolveRunResult SolveIntoDocument(SolveState& s, SolveHooks& hooks, bool planOnly, const TaskVariant& variant) {
    return RunIntoDocument(s, planOnly, [&](SolveRunResult& result) {
        NoteOutcome(s, SolveVariant(s, hooks, planOnly, variant), variant, result);
    });
}

SolveRunResult RunIntoDocument(SolveState& s, bool planOnly, const std::function<void(SolveRunResult&)>& run) {
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
    result.Outcome.Status = StatusOf(result, planOnly);
    s.Report.Append(kReportFooter);
    s.Report.MarkBodyEnd();
    s.Report.Append(kDocumentEnd);
    s.Report.Flush();
    return result;
}

SolveRunResult RunTransportSolve(const TaskGrids& grids, bool restricted, bool planOnly,
                                 const SolveSettings& settings, SolveHooks& hooks, SolveState& s) {
    ApplySettings(settings, s);
    SolveRunResult result;
    TaskVariant variant;
    result.Refusal = GridsToSolveState(grids, restricted, s);
    if (result.Refusal.empty()) result.Refusal = CheckTaskInput(s);
    if (result.Refusal.empty()) result.Refusal = GridsToVariant(grids, restricted, s, variant);
    if (!result.Refusal.empty()) return result;
    variant.SeekOtherOptima = settings.OtherOptima;
    return SolveIntoDocument(s, hooks, planOnly, variant);
}

SolveRunResult RunSolve(const TaskGrids& grids, bool restricted, bool planOnly,
                        const SolveSettings& settings, SolveHooks& hooks, SolveState& s) {
    switch (grids.Kind) {
        case TaskKind::Time: {
            TimeCriterionResult time;
            return RunTimeSolve(grids, restricted, planOnly, settings, hooks, s, time);
        }
        case TaskKind::Assignment: {
            AssignmentTask task;
            AssignmentResult assignment;
            SolveRunResult refused;
            refused.Refusal = GridsToAssignment(grids, task);
            if (!refused.Refusal.empty()) return refused;
            return RunAssignmentSolve(task, settings, hooks, s, assignment);
        }
        case TaskKind::Transport: break;
    }
    return RunTransportSolve(grids, restricted, planOnly, settings, hooks, s);
}

}  // namespace kargolo
