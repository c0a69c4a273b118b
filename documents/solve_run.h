#pragma once

// One solve run from a task's grids to the finished report document, as the desktop program's
// launcher and the command-line solver both make it: the grids become numbers, a task that a
// run cannot take is refused with a message, the driver runs between the report's head and its
// footer, and an internal failure is caught here, once, keeping the report written so far.

#include <functional>
#include <string>

#include "documents/run_outcome.h"
#include "documents/task_grids.h"
#include "solver/solve_state.h"
#include "solver/task_variants.h"

namespace kargolo {

class SolveHooks;

struct SolveRunResult {
    std::string Refusal;      // why the task was not solved; nothing was run
    bool Failed = false;      // the run stopped on an internal failure
    std::string FailedCheck;  // the failed check's text
    bool Aborted = false;     // the user ended the run before the optimum
    bool Unsolvable = false;  // the limits keep part of the cargo from its consumers
    RunOutcome Outcome;       // for scripts (when the run was not refused)
};

// Fills s from the grids and the settings and runs it as the kind of the grids asks (the
// transportation task, by the time criterion, or the assignment problem); s.Report then holds
// the whole document (unless the task was refused).
SolveRunResult RunSolve(const TaskGrids& grids, bool restricted, bool planOnly,
                        const SolveSettings& settings, SolveHooks& hooks, SolveState& s);

// The transportation task alone, whatever the kind of the grids.
SolveRunResult RunTransportSolve(const TaskGrids& grids, bool restricted, bool planOnly,
                                 const SolveSettings& settings, SolveHooks& hooks, SolveState& s);

// Runs the driver on a filled state between the report's head and its footer, with the task's
// variant.
SolveRunResult SolveIntoDocument(SolveState& s, SolveHooks& hooks, bool planOnly,
                                 const TaskVariant& variant = {});

// Runs `run` between the report's head and its footer, catching an internal failure once; run
// notes in the result how the solution ended and its outcome, whose status is set here.
SolveRunResult RunIntoDocument(SolveState& s, bool planOnly, const std::function<void(SolveRunResult&)>& run);

}  // namespace kargolo
