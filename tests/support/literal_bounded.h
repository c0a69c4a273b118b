#pragma once

// The basis completion and the estimates of the method for bounded variables in their
// step-by-step form: every completion cell found by a new scan of all cells, every estimate
// and list head as the textbook states them. The fast forms in solver/ must equal them.

#include <vector>

#include "solver/restricted.h"
#include "solver/solve_state.h"

namespace kargolo::testing {

bool LiteralCompleteBoundedBasis(SolveState& s, int count, std::vector<int>& added);
BoundedCandidates LiteralFindBoundedEstimates(SolveState& s);

}  // namespace kargolo::testing
