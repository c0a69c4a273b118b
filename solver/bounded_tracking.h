#pragma once

// What a run of the method for bounded variables knows about its plan between stages: which
// cells lie strictly between their bounds, the forest of the basic cells, F and the estimates.
// The run asks for them at every stage. They can be found anew from all cells each time, or
// kept and brought up to date with the few cells a stage changes; both give the same answers.

#include <cstdint>
#include <optional>
#include <vector>

#include "solver/basis.h"
#include "solver/eps_value.h"
#include "solver/restricted.h"

namespace kargolo {

struct SolveState;

class BoundedTracking {
public:
    virtual ~BoundedTracking() = default;

    // The task or its whole plan changed (the extended task was left, the user edited the
    // plan): nothing known before holds.
    virtual void Reset() = 0;
    // Flags every cell strictly between its bounds as basic; returns how many there are.
    virtual int FlagInteriorCells(SolveState& s) = 0;
    // See CompleteBoundedBasis.
    virtual bool CompleteBasis(SolveState& s, int count, std::vector<int>& added) = 0;
    // The forest of the cells flagged Basic, rooted.
    virtual const BasisForest& Basis(const SolveState& s) = 0;
    // See FindBoundedEstimates.
    virtual BoundedCandidates FindEstimates(SolveState& s) = 0;
    // See BoundedShift.
    virtual EpsValue Shift(SolveState& s) = 0;
    // F over the cells with plain tariffs: cargo of the extended row and column adds nothing.
    virtual std::int64_t Objective(const SolveState& s) = 0;
};

// The definitions, from all cells.
int FlagEveryInteriorCell(SolveState& s);
std::int64_t PlainObjective(const SolveState& s);

// Keeps everything between stages. Estimates of a run that writes nothing come from one
// 32-bit pass over compact price arrays, which the compiler vectorises; the cells themselves
// receive every estimate only at the last stage, where the report's final table reads them.
class KeptBoundedTracking final : public BoundedTracking {
public:
    void Reset() override { m_valid = false; }
    int FlagInteriorCells(SolveState& s) override;
    bool CompleteBasis(SolveState& s, int count, std::vector<int>& added) override;
    const BasisForest& Basis(const SolveState& s) override;
    BoundedCandidates FindEstimates(SolveState& s) override;
    EpsValue Shift(SolveState& s) override;
    std::int64_t Objective(const SolveState&) override { return m_objective; }

private:
    void Rebuild(SolveState& s);
    void Follow(const SolveState& s, int k);  // the forest and the prices after cell k changed
    void SetPrices(const SolveState& s, int k);
    bool PricesFit(const SolveState& s) const;
    BoundedCandidates FindEstimatesByRows(SolveState& s);
    template <typename RowKeyOf>
    int HeadInRows(const SolveState& s, const std::vector<std::int32_t>& prices,
                   const std::vector<std::pair<int, std::int32_t>>& rowKeys, RowKeyOf key) const;

    bool m_valid = false;
    std::optional<BasisForest> m_basis;
    int m_interior = 0;
    std::int64_t m_objective = 0;
    // Per cell, its tariff as M * 2^24 + number when the cell is a candidate of the lower list
    // (at zero) or of the upper list (at its limit); a sentinel otherwise.
    std::vector<std::int32_t> m_lowerPrices;
    std::vector<std::int32_t> m_upperPrices;
    bool m_smallTariffs = false;  // every tariff fits the 32-bit pass
    std::vector<int> m_completionOrder;  // see CompletionOrder; made when first needed
    // Scratch of the estimates: packed potentials, the best key of each row in each list.
    std::vector<std::int32_t> m_u;
    std::vector<std::int32_t> m_v;
    std::vector<std::pair<int, std::int32_t>> m_lowerKeys;
    std::vector<std::pair<int, std::int32_t>> m_upperKeys;
};

// The method of potentials for bounded variables with the given tracking.
bool SolveRestricted(SolveState& s, SolveHooks& hooks, BoundedOutcome& outcome,
                     BoundedTracking& tracking);

}  // namespace kargolo
