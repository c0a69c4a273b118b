#pragma once

// The plan rules written out step by step as they are taught, re-summing rows and columns for
// every placement. Slow; kept only to prove the fast rules equal to them.

#include "solver/solve_state.h"

namespace kargolo::testing {

void LiteralNorthWestCorner(SolveState& s);

}  // namespace kargolo::testing
