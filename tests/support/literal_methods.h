#pragma once

// The improvement methods written out step by step as they are taught: the cycle found by a
// depth-first search over the matrix, potentials by repeated passes, basis zeros by a cycle
// search per candidate, F re-summed over the matrix. Slow; kept only to prove the fast methods
// equal to them. They throw after maxStages stages instead of cycling for ever.

#include "solver/solve_hooks.h"
#include "solver/solve_state.h"

namespace kargolo::testing {

// The cycle search from cell a to cell b: -1 when found (cells appended to CycleList), -2 not.
int LiteralFindCycle(SolveState& s, int a, int b, int mode, int depth);

bool LiteralSolveByPotentials(SolveState& s, SolveHooks& hooks, int maxStages = 100000);
bool LiteralSolveByDistribution(SolveState& s, SolveHooks& hooks, int maxStages = 100000);

}  // namespace kargolo::testing
