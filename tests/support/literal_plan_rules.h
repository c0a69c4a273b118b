#pragma once

// The plan rules written out step by step as they are taught: the cheapest open cell is found
// by scanning, and A*_i and B*_j are re-summed from the plan for every placement. Slow; kept
// only to prove the fast rules equal to them.

#include "solver/solve_state.h"

namespace kargolo::testing {

void LiteralNorthWestCorner(SolveState& s);
void LiteralMinimumElement(SolveState& s);
void LiteralVogelMethod(SolveState& s);
void LiteralDoublePreference(SolveState& s);
void LiteralRestrictedMinimumElement(SolveState& s);

}  // namespace kargolo::testing
