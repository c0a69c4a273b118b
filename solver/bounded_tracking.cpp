#include "solver/bounded_tracking.h"

#include <algorithm>

#include "solver/solve_state.h"

namespace kargolo {
namespace {

std::int64_t PlainCost(const TaskCell& c) {
    return CarriesCargo(c) && c.TariffM == 0 ? std::int64_t{c.Tariff} * c.Cargo : 0;
}

}  // namespace

int FlagEveryInteriorCell(SolveState& s) {
    int count = 0;
    for (TaskCell& c : s.Cells) {
        if (!IsInterior(c)) continue;
        c.Basic = 1;
        ++count;
    }
    return count;
}

std::int64_t PlainObjective(const SolveState& s) {
    std::int64_t f = 0;
    for (const TaskCell& c : s.Cells) f += PlainCost(c);
    return f;
}

KeptBoundedTracking::KeptBoundedTracking() = default;
KeptBoundedTracking::~KeptBoundedTracking() = default;

// Between rebuilds every cell strictly between its bounds stays flagged: a shift moves only the
// cells of a cycle, which were basic or are the entering cell that it flags, and unflags only
// those reaching a bound; the completion flags every cell it takes.
int KeptBoundedTracking::FlagInteriorCells(SolveState& s) {
    if (!m_valid) Rebuild(s);
    return m_interior;
}

void KeptBoundedTracking::Rebuild(SolveState& s) {
    m_interior = FlagEveryInteriorCell(s);
    m_objective = PlainObjective(s);
    m_basis.emplace(s);
    m_kept = MakeKeptBasis(s.m, s.n);
    m_keptValid = m_kept->Build(s);
    m_completionOrder.clear();
    m_valid = true;
}

void KeptBoundedTracking::Follow(const SolveState& s, int k) {
    const bool basic = s.At(k).Basic != 0;
    if (basic && !m_basis->Contains(k)) m_basis->Add(k);
    if (!basic && m_basis->Contains(k)) m_basis->Remove(k);
}

// Every cell strictly between its bounds was flagged basic, so the completion takes cells at
// their bounds only; each keeps its whole units, so only the count and the basis change.
bool KeptBoundedTracking::CompleteBasis(SolveState& s, int count, std::vector<int>& added) {
    if (m_completionOrder.empty()) m_completionOrder = CompletionOrder(s);
    const std::size_t before = added.size();
    const bool complete =
        CompleteBoundedBasisAtBounds(s, count, m_basis->Cells(), m_completionOrder, added);
    const std::vector<int> taken(added.begin() + static_cast<std::ptrdiff_t>(before), added.end());
    for (const int k : taken) {
        m_interior += IsInterior(s.At(k)) ? 1 : 0;
        Follow(s, k);
    }
    if (m_keptValid) m_kept->Follow(s, taken);
    return complete;
}

const BasisForest& KeptBoundedTracking::Basis(const SolveState&) {
    m_basis->Root();
    return *m_basis;
}

void KeptBoundedTracking::FindStagePotentials(SolveState& s, bool writeLines) {
    m_rooted = writeLines || !m_keptValid;
    if (m_rooted) FindPotentials(s, Basis(s), writeLines);
}

bool KeptBoundedTracking::FindCycle(const SolveState& s, int k, std::vector<int>& out) {
    if (m_rooted) return BoundedTracking::FindCycle(s, k, out);
    if (!m_kept->SameTree(k)) return false;
    out.assign(1, k);
    m_kept->AppendCycle(k, out);
    return true;
}

EpsValue KeptBoundedTracking::Shift(SolveState& s) {
    for (const int k : s.CycleList) {
        m_interior -= IsInterior(s.At(k)) ? 1 : 0;
        m_objective -= PlainCost(s.At(k));
    }
    const EpsValue theta = BoundedShift(s);
    for (const int k : s.CycleList) {
        m_interior += IsInterior(s.At(k)) ? 1 : 0;
        m_objective += PlainCost(s.At(k));
        Follow(s, k);
    }
    if (m_keptValid) m_kept->Follow(s, s.CycleList);
    return theta;
}

// A stage that writes nothing takes the heads of the kept pricing; the last stage, or one whose
// potentials outgrew it, takes the potentials of the kept basis and every cell's estimate.
BoundedCandidates KeptBoundedTracking::FindEstimates(SolveState& s) {
    if (m_rooted) return FindBoundedEstimates(s);
    KeptHead lower;
    KeptHead upper;
    if (m_kept->Heads(s, lower, upper) && (lower.Cell >= 0 || upper.Cell >= 0)) {
        for (const KeptHead& head : {lower, upper}) {
            if (head.Cell < 0) continue;
            s.At(head.Cell).Estimate = head.Estimate.Number;
            s.At(head.Cell).EstimateM = head.Estimate.M;
        }
        return {lower.Cell, upper.Cell};
    }
    m_kept->Potentials(s, s.PotentialsU, s.PotentialsV);
    return FindBoundedEstimates(s);
}

}  // namespace kargolo
