#pragma once

// Independent checks of a plan, for any rule or method.

#include <ostream>

#include "solver/eps_value.h"
#include "solver/solve_state.h"

namespace kargolo {
// Lets failures print "5+e" instead of bytes.
void PrintTo(const EpsValue& value, std::ostream* out);
}  // namespace kargolo

namespace kargolo::testing {

// Every supplier ships exactly its supply, every consumer gets exactly its demand, every cell
// is free (-1, 0) or holds a quantity >= 0, and (without limits) no more than m + n - 1 cells
// are occupied.
void ExpectPlanMeetsRims(const SolveState& s);

// Every cell holds no more than its limit (a closed route holds nothing).
void ExpectPlanWithinLimits(const SolveState& s);

// Whether the limits let every unit of the balanced task through (a maximum flow from the
// suppliers over the routes, each capped by its limit, to the consumers).
bool LimitsLetAllCargoThrough(const SolveState& s);

// No cheaper plan exists within the limits: the residual network of the plan (a route can take
// more while below its limit, give back while it carries cargo) has no cycle of negative cost.
void ExpectNoCheaperPlanWithinLimits(const SolveState& s);

// The plan is optimal: potentials with u_i + v_j = c_i,j on the m + n - 1 basic cells exist,
// every free cell has c_i,j - u_i - v_j >= 0, and the dual value equals the cost.
void ExpectOptimalityCertificate(const SolveState& s);

}  // namespace kargolo::testing
