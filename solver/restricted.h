#pragma once

// Tasks with route capacity limits D_i,j (0 = a closed route, kNoLimit = none).
//
// The first plan is the minimum element rule capped by the limits. It may leave cargo
// undistributed (the Epsilon); then the task is extended by a fictitious supplier and consumer
// joined to it by tariffs M (an arbitrarily large number), whose corner cell must end up
// carrying all of Epsilon. The method of potentials for bounded variables then improves the
// plan: a free cell sits at 0 or at its limit, estimates carry M parts, degeneracy is removed
// with distinct epsilon quantities e, 2e, 3e, ..., and the run ends with a minimum-cost plan or
// with the verdict that the limits make the task unsolvable.

#include <cstdint>
#include <vector>

#include "solver/eps_value.h"
#include "solver/solve_state.h"

namespace kargolo {

class SolveHooks;

// The cheapest open cell first (ties in row-major order), each filled with the smallest of A*,
// B* and its limit; the row, the column and the cell are closed by whichever of the three it
// met. Fictitious lines take part from the start.
void RestrictedMinimumElement(SolveState& s);

// Completes a basis of fewer than m + n - 1 cells flagged Basic with cells that close no
// cycle: interior positive cells first, else cells at a bound, which receive the next epsilon
// quantity (0 + ke at the lower bound, D - ke at the upper one, the rims adjusted alike). The
// cells taken are appended to added. False when the candidates ran out first.
bool CompleteBoundedBasis(SolveState& s, int count, std::vector<int>& added);
// The same when every cell strictly between its bounds is basic already, with the basic cells
// listed and every cell in CompletionOrder: no pass over all cells.
bool CompleteBoundedBasisAtBounds(SolveState& s, int count, const std::vector<int>& basic,
                                  const std::vector<int>& order, std::vector<int>& added);
// Every cell in the completion's order: plain tariffs before M tariffs, a smaller plain tariff
// first, then row-major order. Repeated choices of "the first cell, replaced by a later one
// that wins the tie rule" take cells in this order.
std::vector<int> CompletionOrder(const SolveState& s);
// The tie rule of the candidate choices: a cell with a plain tariff beats one with an M tariff,
// and among plain tariffs the strictly smaller one wins; otherwise the earlier cell stays.
bool WinsTie(const TaskCell& later, const TaskCell& earlier);

// Shifts the plan along CycleList (entering cell first) by theta: the entering cell rises from
// 0 or falls from its limit, and theta is the smallest amount of a shrinking cell or residual
// capacity of a growing one. Cells reaching a bound leave the basis. Returns theta.
EpsValue BoundedShift(SolveState& s);

// The heads of the two candidate lists: the most violating cell at its lower bound (estimate
// below 0) and at its upper bound (estimate above 0), or -1. Within a list, M parts decide
// first, then number parts; on equal keys a cell with a plain tariff beats one with an M
// tariff, then the smaller tariff wins, then the earlier cell in row-major order.
struct BoundedCandidates {
    int Lower = -1;
    int Upper = -1;
};

// Stores the estimate of every cell (Estimate, EstimateM), writes them to the report as the
// settings ask, and returns the heads of the candidate lists.
BoundedCandidates FindBoundedEstimates(SolveState& s);
// The estimate of one cell, as FindBoundedEstimates stores it.
void SetEstimate(TaskCell& c, const PotentialEntry& u, const PotentialEntry& v);

// The entering cell: a head with an M part first (the lower one before the upper one), else
// the one with the larger absolute estimate (the lower one on a tie); -1 when there is none.
int PickEnteringCell(const SolveState& s, const BoundedCandidates& candidates);

// The cargo a first plan under the limits left undistributed (epsilon, the supplies less the
// cargo of the cells at (0, 0) or above), and the extended task that carries it: a fictitious
// supplier and consumer with epsilon each, every line's remainder on its tariff-M cell of the
// new row or column, the corner at tariff 0 and free. Every new cell is unlimited.
std::int64_t UndistributedCargo(const SolveState& s);
void ExtendWithFictitiousRoutes(SolveState& s, std::int64_t epsilon);

struct BoundedOutcome {
    bool ConditionsMet = false;        // every condition of the optimum holds
    bool ExtendedTaskPresent = false;  // the extended task's row and column remain
    unsigned Stages = 0;               // stages run, as the report numbers them
};

// The method of potentials for bounded variables; false when the user aborted.
bool SolveRestricted(SolveState& s, SolveHooks& hooks, BoundedOutcome& outcome);

}  // namespace kargolo
