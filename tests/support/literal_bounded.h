#pragma once

// The basis completion and the estimates of the method for bounded variables in their
// step-by-step form: every completion cell found by a new scan of all cells, every estimate
// and list head as the textbook states them. The fast forms in solver/ must equal them.

#include <optional>
#include <vector>

#include "solver/bounded_tracking.h"
#include "solver/restricted.h"
#include "solver/solve_state.h"

namespace kargolo::testing {

bool LiteralCompleteBoundedBasis(SolveState& s, int count, std::vector<int>& added);
BoundedCandidates LiteralFindBoundedEstimates(SolveState& s);

// A run's knowledge of its plan found anew from all cells at every stage.
class LiteralBoundedTracking final : public BoundedTracking {
public:
    void Reset() override {}
    int FlagInteriorCells(SolveState& s) override { return FlagEveryInteriorCell(s); }
    bool CompleteBasis(SolveState& s, int count, std::vector<int>& added) override {
        return LiteralCompleteBoundedBasis(s, count, added);
    }
    const BasisForest& Basis(const SolveState& s) override {
        m_basis.emplace(s);
        m_basis->Root();
        return *m_basis;
    }
    BoundedCandidates FindEstimates(SolveState& s) override { return LiteralFindBoundedEstimates(s); }
    EpsValue Shift(SolveState& s) override { return BoundedShift(s); }
    std::int64_t Objective(const SolveState& s) override { return PlainObjective(s); }

private:
    std::optional<BasisForest> m_basis;
};

}  // namespace kargolo::testing
