#pragma once

// What a run of the method for bounded variables knows about its plan between stages: which
// cells lie strictly between their bounds, the forest of the basic cells, F and the estimates.
// The run asks for them at every stage. They can be found anew from all cells each time, or
// kept and brought up to date with the few cells a stage changes; both give the same answers.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "solver/basis.h"
#include "solver/eps_value.h"
#include "solver/kept_basis.h"
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
    // The potentials of the stage into s.PotentialsU and s.PotentialsV, as FindPotentials finds
    // them from Basis(); a stage that writes nothing may leave them to FindEstimates.
    virtual void FindStagePotentials(SolveState& s, bool writeLines) { FindPotentials(s, Basis(s), writeLines); }
    // The cycle of free cell k, k first (as CycleList holds it), into out; false when k closes
    // none.
    virtual bool FindCycle(const SolveState& s, int k, std::vector<int>& out) {
        const BasisForest& basis = Basis(s);
        if (!basis.ClosesCycle(k)) return false;
        out.assign(1, k);
        basis.AppendCycle(k, out);
        return true;
    }
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

// Keeps everything between stages: the counts and F, the forest of the basic cells, and for
// stages that write nothing the kept basis (see KeptBasis) with its pricing. Only the last
// stage's estimates reach the cells (the report's final table reads them), and only then do
// the potentials of a quiet run reach s.PotentialsU and s.PotentialsV.
class KeptBoundedTracking final : public BoundedTracking {
public:
    KeptBoundedTracking();
    ~KeptBoundedTracking() override;

    void Reset() override { m_valid = false; }
    int FlagInteriorCells(SolveState& s) override;
    bool CompleteBasis(SolveState& s, int count, std::vector<int>& added) override;
    const BasisForest& Basis(const SolveState& s) override;
    void FindStagePotentials(SolveState& s, bool writeLines) override;
    bool FindCycle(const SolveState& s, int k, std::vector<int>& out) override;
    BoundedCandidates FindEstimates(SolveState& s) override;
    EpsValue Shift(SolveState& s) override;
    std::int64_t Objective(const SolveState&) override { return m_objective; }

private:
    void Rebuild(SolveState& s);
    void Follow(const SolveState& s, int k);  // the forest after cell k changed

    bool m_valid = false;
    std::optional<BasisForest> m_basis;
    std::unique_ptr<KeptBasis> m_kept;
    bool m_keptValid = false;  // the basis holds no cycle, so that the kept form can take it
    bool m_rooted = false;     // the stage's potentials came from m_basis
    int m_interior = 0;
    std::int64_t m_objective = 0;
    std::vector<int> m_completionOrder;  // see CompletionOrder; made when first needed
};

// The method of potentials for bounded variables with the given tracking.
bool SolveRestricted(SolveState& s, SolveHooks& hooks, BoundedOutcome& outcome,
                     BoundedTracking& tracking);

}  // namespace kargolo
