#pragma once

// The kept basis of any task: the forest of the basic cells (BasisTree) and, per candidate list,
// the smallest estimates of every row (RowMinima, of every column for a tall task) in 32 bits, or the list's cells themselves
// while it holds few of them (the upper list mostly does). Without M parts a price is the
// tariff itself; with them it is packed as M * 2^24 + number, which keeps the order of the
// values as long as numbers stay below 2^21 and M parts below 16 in magnitude. Tariffs or
// potentials beyond that leave the pricing to a pass over every cell. Prices also break ties
// (see RowMinima): a smaller plain tariff first, and an M tariff (only the extended task's, M
// alone) after every plain one.

#include <vector>

#include "solver/basis_tree.h"
#include "solver/kept_basis.h"
#include "solver/row_minima.h"

namespace kargolo {

class BroadBasis final : public KeptBasis {
public:
    bool Build(const SolveState& s) override;
    void Follow(const SolveState& s, const std::vector<int>& changed) override;
    bool SameTree(int k) const override { return m_tree.SameTree(k); }
    void AppendCycle(int k, std::vector<int>& out) const override { m_tree.AppendCycle(k, out); }
    bool Heads(const SolveState& s, KeptHead& lower, KeptHead& upper) override;
    void Potentials(const SolveState&, std::vector<PotentialEntry>& u,
                    std::vector<PotentialEntry>& v) const override {
        m_tree.Normalized(u, v);
    }

private:
    // One list's pricing. Its prices are negated for the upper list (Sign -1), so that its
    // largest estimate is their smallest.
    struct ListPricing {
        CandidateList List = CandidateList::Lower;
        int Sign = 1;
        std::vector<std::int32_t> Prices;
        RowMinima Minima;
        bool Sparse = false;
        std::vector<int> Cells;     // while sparse: the candidates
        std::vector<int> Position;  // while sparse: per cell, its index in Cells or -1
    };

    static std::size_t At(int index) { return static_cast<std::size_t>(index); }
    // Where cell k stands in the prices: a tall task's pricing is transposed, to keep fewer,
    // longer lines.
    int Here(int k) const {
        return m_transposed ? k % m_tree.Columns() * m_tree.Rows() + k / m_tree.Columns() : k;
    }
    bool Fits(MValue value) const;
    std::int32_t Value(MValue value) const;
    void SetPrices(const SolveState& s, int k);
    void SetPrice(ListPricing& list, int k, std::int32_t price);
    void ResetPricing(ListPricing& list);
    void Retake(const SolveState& s, const std::vector<int>& changed);
    bool MoveBlock();
    bool MovePricing(const std::vector<int>& nodes);
    MValue Estimate(const SolveState& s, int k) const;
    KeptHead Head(const SolveState& s, ListPricing& list) const;

    BasisTree m_tree;
    bool m_bounded = false;
    bool m_packed = false;  // some tariff has an M part
    bool m_fits = false;    // the 32-bit pricing holds
    bool m_transposed = false;
    ListPricing m_lists[2];
    int m_listCount = 1;    // the upper list only with limits
    BasisTree::Move m_move;
    std::vector<int> m_allNodes;
    std::vector<int> m_joined;
    std::vector<int> m_left;
    std::vector<int> m_blockRows;
    std::vector<int> m_blockColumns;
    RowMinima::Changes m_rows;
    RowMinima::Changes m_columns;
};

}  // namespace kargolo
