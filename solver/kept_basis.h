#pragma once

// The basis of a run that writes nothing, kept from stage to stage together with what finds
// the next entering cell, so that a stage costs what it changes rather than a pass over every
// cell. Two forms: ThinBasis for a task with few lines on one side and many on the other,
// BroadBasis for the rest (see MakeKeptBasis).
//
// The candidates of an entering cell stand in two lists, as the method for bounded variables
// has them: the lower list holds free cells at zero (every free cell without limits), the
// upper list free cells at their limits. The head of a list is its most violating cell: the
// lower list's by the most negative estimate, the upper list's by the most positive; M parts
// decide alone, then numbers; on equal keys a cell with a plain tariff comes before one with an
// M tariff, a smaller plain tariff first, then the earlier cell in row-major order.

#include <cstdint>
#include <memory>
#include <vector>

#include "solver/m_value.h"
#include "solver/solve_state.h"

namespace kargolo {

struct KeptHead {
    int Cell = -1;
    MValue Estimate;
};

class KeptBasis {
public:
    virtual ~KeptBasis() = default;

    // Takes the basis of the cells afresh (IsBasic); false when the basic cells hold a cycle
    // (a plan the user edited), which only the passes over every cell can take.
    virtual bool Build(const SolveState& s) = 0;
    // The cells listed changed since the last call: they joined or left the basis, or moved
    // between their bounds. Any order; a cell that did not change may be listed.
    virtual void Follow(const SolveState& s, const std::vector<int>& changed) = 0;

    // Whether free cell k joins a row and a column of the same tree.
    virtual bool SameTree(int k) const = 0;
    // The path of basic cells from the row of free cell k to its column, appended in order.
    virtual void AppendCycle(int k, std::vector<int>& out) const = 0;
    // The heads of both lists (Cell -1 for an empty list); false when the potentials have grown
    // beyond the kept pricing, so that a pass over every cell must find them.
    virtual bool Heads(const SolveState& s, KeptHead& lower, KeptHead& upper) = 0;
    // Every potential, with the first row or column of each tree at 0 (as
    // BasisForest::SetPotentials finds them).
    virtual void Potentials(const SolveState& s, std::vector<PotentialEntry>& u,
                            std::vector<PotentialEntry>& v) const = 0;
};

// The form that suits the task's shape.
std::unique_ptr<KeptBasis> MakeKeptBasis(int m, int n);

// The list a cell stands in: none (basic, closed or strictly between its bounds), the lower
// list or the upper list.
enum class CandidateList : std::uint8_t { None, Lower, Upper };
CandidateList ListOf(const SolveState& s, const TaskCell& c);

// The keys by which a list orders its cells, smaller first: (0, M) for an estimate with an M
// part of the list's sign, else (1, number) for a number of the list's sign (negated for the
// upper list); a tie rank (a plain tariff, or above every plain tariff for an M tariff); the
// cell. An estimate of the wrong sign is no candidate.
struct ListKey {
    int Kind = 2;  // 2: no candidate
    std::int64_t Value = 0;
    std::int64_t Tie = 0;
    int Cell = -1;

    friend bool operator<(const ListKey& a, const ListKey& b) {
        if (a.Kind != b.Kind) return a.Kind < b.Kind;
        if (a.Value != b.Value) return a.Value < b.Value;
        if (a.Tie != b.Tie) return a.Tie < b.Tie;
        return a.Cell < b.Cell;
    }
};
std::int64_t TieRank(const TaskCell& c);
ListKey KeyOf(CandidateList list, MValue estimate, std::int64_t tie, int cell);

}  // namespace kargolo
