#pragma once

// Runs of the two neighbours of the transportation task, from their task to the report document
// and to the outcome for scripts: the transportation problem by the time criterion (a task's
// grids with times in place of tariffs) and the assignment problem (a matrix). Both go as the
// transportation runs go (solve_run.h): a task a run cannot take is refused with a message, the
// run writes between the report's head and footer, an internal failure is caught once. The
// result's outcome has "objective" T (over the task's own routes) or the total, and "plan" the
// task's own cells, for the assignment 1 on each assigned cell.

#include "documents/solve_run.h"
#include "documents/task_grids.h"
#include "solver/hungarian.h"
#include "solver/solve_state.h"
#include "solver/time_criterion.h"

namespace kargolo {

class SolveHooks;

// The time criterion: fills s from the grids and the settings and runs it; time receives how
// the run ended. With restricted the task's limits apply; with planOnly only the first plan.
SolveRunResult RunTimeSolve(const TaskGrids& grids, bool restricted, bool planOnly,
                            const SolveSettings& settings, SolveHooks& hooks, SolveState& s,
                            TimeCriterionResult& time);

// The assignment problem: s carries the report and the settings only.
SolveRunResult RunAssignmentSolve(const AssignmentTask& task, const SolveSettings& settings,
                                  SolveHooks& hooks, SolveState& s, AssignmentResult& assignment);

}  // namespace kargolo
