#pragma once

// The improvement stage of a run: the method chosen by the settings improves the first plan
// until no estimate can lower F.

namespace kargolo {

struct SolveState;
class SolveHooks;

struct ImprovementResult {
    bool Completed = true;             // false: the user aborted the run in the stepwise pause
    bool ConditionsMet = false;        // with limits: every condition of the optimum holds
    bool ExtendedTaskPresent = false;  // with limits: the extended task's row and column remain
};

// Whether this build can improve a plan. Until the methods exist a full solve is refused by the
// callers instead of passing the first plan off as a solution.
constexpr bool kImprovementMethodsBuilt = false;

// Runs the improvement method that the settings name (with limits, the bounded method).
ImprovementResult ImprovePlan(SolveState& s, SolveHooks& hooks);

}  // namespace kargolo
