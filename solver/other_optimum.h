#pragma once

// Whether a solved task has other optimal plans, and one of them.
//
// With the potentials of the final plan, every optimal plan carries cargo only on routes whose
// estimate is zero (and, with limits, keeps a route whose estimate is negative at its limit), so
// the optimal plans differ from the one found by shifts along cycles of zero-estimate routes. A
// shift is possible when every route of the cycle that grows is below its limit and every route
// that shrinks carries cargo: then θ > 0, and the plan shifted by θ is a second optimum. No such
// cycle exists exactly when the optimum is unique; any such cycle passes through a route at one
// of its bounds (at zero or at its limit), since the routes between their bounds form a tree.
//
// Tie rule: the entering route is the first in row-major order, routes outside the basis before
// those in it (basis zeros), whose cycle exists; of its cycles one with the fewest routes outside
// the basis (its own basis cycle when cargo can move along it), found by a 0-1 breadth-first
// search over rows and columns in ascending order.

#include <cstdint>
#include <vector>

namespace kargolo {

struct SolveState;

struct OtherOptimum {
    bool Checked = false;  // the potentials of the final plan could be found
    bool Exists = false;   // a second optimal plan exists (Checked only)
    bool ZeroEstimates = false;  // some route outside the basis has a zero estimate
    int Entering = -1;     // the route that starts the cycle
    bool EnteringAtLimit = false;  // it falls from its limit instead of rising from zero
    std::vector<int> Cycle;        // the entering route first, then routes alternately - and +
    std::int64_t Theta = 0;
};

// Looks at the plan of a finished run: without limits its basis (basis zeros included), with
// limits the potentials of its last stage. Quantities are taken without their epsilon parts.
OtherOptimum FindOtherOptimum(const SolveState& solved);

// Shifts the plan by theta along the cycle of `other` (the entering route gains when it rose from
// zero); free routes that receive cargo hold it afterwards.
void ShiftToOtherOptimum(SolveState& s, const OtherOptimum& other);

}  // namespace kargolo
