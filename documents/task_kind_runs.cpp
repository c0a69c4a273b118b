#include "documents/task_kind_runs.h"

#include <algorithm>

#include "documents/document_texts.h"
#include "documents/grids_to_state.h"
#include "documents/text_numbers.h"

namespace kargolo {
namespace {

// The time criterion has no goal to maximise and no mandatory shipments.
std::string CheckTimeVariant(const TaskGrids& grids) {
    if (grids.Goal == TaskGoal::Maximise) return kTimeNoMaximum;
    for (int i = 1; i <= grids.Suppliers(); ++i) {
        for (int j = 1; j <= grids.Consumers(); ++j) {
            if (TextToNumber(grids.Mandatory.At(j, i)) != 0) return kTimeNoMandatory;
        }
    }
    return {};
}

void NoteTimeOutcome(const SolveState& s, const TaskGrids& grids, const TimeCriterionResult& time,
                     SolveRunResult& result) {
    result.Aborted = !time.Completed;
    result.Unsolvable = time.Unsolvable;
    RunOutcome& outcome = result.Outcome;
    outcome.Kind = "time";
    outcome.Objective = time.LongestTime.Number;
    outcome.Stages = time.Stages;
    for (int i = 0; i < grids.Suppliers(); ++i) {
        std::vector<std::int64_t>& row = outcome.Plan.emplace_back();
        for (int j = 0; j < grids.Consumers(); ++j) row.push_back(std::max(s.Cell(i, j).Cargo, 0));
    }
}

void NoteAssignmentOutcome(const AssignmentTask& task, const AssignmentResult& assignment,
                           SolveRunResult& result) {
    result.Aborted = !assignment.Completed;
    result.Unsolvable = !assignment.Solvable;
    RunOutcome& outcome = result.Outcome;
    outcome.Kind = "assignment";
    outcome.Maximise = task.Maximise;
    outcome.Objective = assignment.Total;
    outcome.Stages = assignment.Stages;
    outcome.Plan.assign(static_cast<std::size_t>(task.Rows),
                        std::vector<std::int64_t>(static_cast<std::size_t>(task.Columns), 0));
    for (std::size_t i = 0; i < assignment.ColumnOfRow.size(); ++i) {
        const int j = assignment.ColumnOfRow[i];
        if (j >= 0) outcome.Plan[i][static_cast<std::size_t>(j)] = 1;
    }
}

}  // namespace

SolveRunResult RunTimeSolve(const TaskGrids& grids, bool restricted, bool planOnly,
                            const SolveSettings& settings, SolveHooks& hooks, SolveState& s,
                            TimeCriterionResult& time) {
    ApplySettings(settings, s);
    SolveRunResult result;
    result.Refusal = GridsToSolveState(grids, restricted, s);
    if (result.Refusal.empty()) result.Refusal = CheckTimeTaskInput(s);
    if (result.Refusal.empty()) result.Refusal = CheckTimeVariant(grids);
    if (!result.Refusal.empty()) return result;
    return RunIntoDocument(s, planOnly, [&](SolveRunResult& run) {
        time = SolveByTime(s, hooks, planOnly);
        NoteTimeOutcome(s, grids, time, run);
    });
}

SolveRunResult RunAssignmentSolve(const AssignmentTask& task, const SolveSettings& settings,
                                  SolveHooks& hooks, SolveState& s, AssignmentResult& assignment) {
    ApplySettings(settings, s);
    SolveRunResult result;
    result.Refusal = CheckAssignmentTask(task);
    if (!result.Refusal.empty()) return result;
    return RunIntoDocument(s, false, [&](SolveRunResult& run) {
        assignment = SolveAssignment(task, s, hooks);
        NoteAssignmentOutcome(task, assignment, run);
    });
}

}  // namespace kargolo
