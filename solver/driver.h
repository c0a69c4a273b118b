#pragma once

// The solve driver: one run from a filled task to the finished report text. It writes the
// notation, notes a task whose tariffs are all <= 0, balances an open task with a fictitious
// consumer or supplier, builds the first plan, improves it, and closes with the final table,
// F and the cargo left undelivered. How much of this the report shows depends on SolveMode.
//
// The caller sets s.Report to the report head before the run and appends the footer after it.

#include <string>

#include "solver/improvement.h"

namespace kargolo {

struct SolveState;
class SolveHooks;

// A text that refuses the task, or an empty text when a run can take it: a run needs
// non-negative supplies and demands whose totals fit in 32 bits.
std::string CheckTaskInput(const SolveState& s);

// Runs the whole solution, or only the first plan with planOnly; how the improvement ended
// (nothing to tell after planOnly).
ImprovementResult Solve(SolveState& s, SolveHooks& hooks, bool planOnly);

// Closes an open task with a fictitious consumer (surplus) or supplier (deficit), writing the
// note on the type of the task. Sets TotalSupply and TotalDemand.
void BalanceTask(SolveState& s, SolveHooks& hooks);

// The end of the report: how the run ended, the final table and F, and the lines for cargo left
// undelivered.
void WriteClosingSummary(SolveState& s, SolveHooks& hooks, const ImprovementResult& result);

}  // namespace kargolo
