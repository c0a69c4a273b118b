#pragma once

// The kept basis of a tall or wide task: few lines on one side (the short lines), many on the
// other (the long lines).
//
// A spanning tree has m + n - 1 cells, so all but fewer than w of the long lines hold exactly
// one basic cell (w short lines): such a line hangs as a leaf from the short line of its cell,
// and its potential follows from that line's. The short lines and the long lines with more
// basic cells form the core, at most 2w - 1 nodes, which is walked anew whenever the basis
// changes. For a leaf l hanging from p, the estimate of its cell (l, s) is
// c(l,s) - c(l,p) + pot(p) - pot(s): a part fixed while l hangs from p, and a part shared by
// every leaf of p. So each pair (p, s) keeps the candidates of its leaves in heaps ordered by
// their fixed parts, and a list's head is found among the heads of these heaps and the cells of
// the core lines: a stage costs about w * w and the lines its shift touched, whatever the
// number of long lines.

#include <vector>

#include "solver/kept_basis.h"

namespace kargolo {

class ThinBasis final : public KeptBasis {
public:
    // At most kShortest short lines, and at least kRatio times as many long ones.
    static constexpr int kShortest = 32;
    static constexpr int kRatio = 4;
    static bool Suits(int m, int n);

    bool Build(const SolveState& s) override;
    void Follow(const SolveState& s, const std::vector<int>& changed) override;
    bool SameTree(int k) const override;
    void AppendCycle(int k, std::vector<int>& out) const override;
    bool Heads(const SolveState& s, KeptHead& lower, KeptHead& upper) override;
    void Potentials(const SolveState& s, std::vector<PotentialEntry>& u,
                    std::vector<PotentialEntry>& v) const override;

    // A heap of the candidates of one pair (p, s) in one order, smallest key first, that can
    // drop any of them; Place keeps each candidate's position.
    struct Entry {
        std::int64_t Major = 0;
        std::int64_t Minor = 0;
        std::int64_t Tie = 0;
        int Cell = -1;
    };
    class Heap {
    public:
        bool Empty() const { return m_entries.empty(); }
        const Entry& Top() const { return m_entries.front(); }
        void Push(const Entry& entry, std::vector<int>& place);
        void Erase(int cell, std::vector<int>& place);
        void Clear() { m_entries.clear(); }

    private:
        void Put(std::size_t at, const Entry& entry, std::vector<int>& place);
        void Up(std::size_t at, std::vector<int>& place);
        void Down(std::size_t at, std::vector<int>& place);
        std::vector<Entry> m_entries;
    };

private:
    // The orders kept: each list by its whole fixed part, and by its M part alone (only when
    // some tariff has an M part), for estimates whose M parts decide alone.
    enum Order { kLowerWhole, kUpperWhole, kLowerM, kUpperM, kOrders };
    static constexpr int kAlone = -1;  // a long line without basic cells
    static constexpr int kCore = -2;   // a long line with more than one

    static std::size_t At(int index) { return static_cast<std::size_t>(index); }
    int Cell(int line, int shortLine) const {
        return m_tall ? line * m_n + shortLine : shortLine * m_n + line;
    }
    int LongOf(int k) const { return m_tall ? k / m_n : k % m_n; }
    int ShortOf(int k) const { return m_tall ? k % m_n : k / m_n; }
    int Group(int from, int to) const { return from * m_short + to; }
    int CoreNode(int line) const { return m_short + m_corePosition[At(line)]; }
    // The core node a long line's path starts from: its short line for a leaf.
    int Anchor(int line) const { return m_hang[At(line)] >= 0 ? m_hang[At(line)] : CoreNode(line); }
    int TreeOfLong(int line) const;
    MValue LongPotential(const SolveState& s, int line) const;

    void Drop(int line);
    void Place(const SolveState& s, int line);
    bool BuildCore(const SolveState& s);
    ListKey BestOf(const SolveState& s, CandidateList list) const;

    bool m_tall = true;
    int m_m = 0;
    int m_n = 0;
    int m_long = 0;
    int m_short = 0;
    bool m_bounded = false;
    bool m_mOrders = false;
    std::vector<int> m_hang;              // per long line: its short line as a leaf, or kAlone/kCore
    std::vector<CandidateList> m_listed;  // per cell of a leaf: the list it stands in
    std::vector<Heap> m_heaps[kOrders];   // per order, per pair (p, s)
    std::vector<int> m_place[kOrders];    // per order, per cell: its position in its heap
    std::vector<int> m_coreLines;
    std::vector<int> m_corePosition;      // per long line: its index in m_coreLines
    // The core: short lines 0..w-1, then the core lines; per node its parent, the cell to it,
    // its depth, its tree and its potential.
    std::vector<std::vector<int>> m_coreCells;
    std::vector<int> m_parent;
    std::vector<int> m_parentCell;
    std::vector<int> m_depth;
    std::vector<int> m_tree;
    std::vector<MValue> m_potential;
    std::vector<int> m_queue;
};

}  // namespace kargolo
