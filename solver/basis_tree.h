#pragma once

// The forest of the basic cells kept from stage to stage, with the potentials of every row and
// column, for runs that write nothing.
//
// The nodes are the rows 0..m-1 and the columns m..m+n-1; each tree hangs from a root, every
// other node from its parent by the basic cell that joins them. A stage's shift swaps one cell
// for another on its cycle: the cell that leaves cuts a tree in two, and the part with fewer
// nodes is hung again from the cell that entered, its potentials moved by that cell's estimate.
// Nothing else changes, so a stage costs about the smaller part, not the whole basis. Depths
// grow by a constant when the part holding the root is the one hung again; they serve only to
// compare nodes of one tree.

#include <cstdint>
#include <utility>
#include <vector>

#include "solver/m_value.h"
#include "solver/solve_state.h"

namespace kargolo {

class BasisTree {
public:
    // The nodes whose potentials moved in a shift: rows by +Delta, columns by -Delta.
    struct Move {
        std::vector<int> Nodes;
        MValue Delta;
    };

    // Takes the given basic cells afresh; each tree is rooted at its first node, whose potential
    // is 0. False (and nothing usable) when the cells hold a cycle.
    bool Build(const SolveState& s, const std::vector<int>& cells);

    int Rows() const { return m_m; }
    int Columns() const { return m_n; }
    const std::vector<int>& Cells() const { return m_cells; }
    bool Contains(int k) const { return m_position[At(k)] >= 0; }
    // Whether cell k joins a row and a column of the same tree.
    bool SameTree(int k) const { return m_tree[At(Row(k))] == m_tree[At(Column(k))]; }
    // The path of basic cells from the row of free cell k to its column, appended in that order.
    void AppendCycle(int k, std::vector<int>& out) const;
    // Free cell `entering` joins and basic cell `leaving` on its cycle leaves; false (and nothing
    // changed) when `leaving` is not on that cycle.
    bool Pivot(const SolveState& s, int entering, int leaving, Move& move);
    // Basic cell `leaving` leaves, cutting its tree in two; no potential moves.
    void Cut(int leaving);
    // Free cell `entering` joins two trees: the smaller hangs from the other and moves; false
    // (and nothing changed) when it joins a tree with itself.
    bool Join(const SolveState& s, int entering, Move& move);

    // The potential of a node, up to a constant per tree (u + v = c on every basic cell).
    MValue Potential(int node) const { return {m_potentialM[At(node)], m_potential[At(node)]}; }
    // The potentials with every tree's first node at 0, as BasisForest::SetPotentials finds them.
    void Normalized(std::vector<PotentialEntry>& u, std::vector<PotentialEntry>& v) const;

private:
    static std::size_t At(int index) { return static_cast<std::size_t>(index); }
    int Row(int k) const { return k / m_n; }
    int Column(int k) const { return m_m + k % m_n; }
    void Link(int k);
    void Unlink(int k);
    // Hangs the nodes reached from `top` below `from` by cell k (a root when from < 0); the
    // nodes in the order visited are left in m_queue.
    void Hang(int top, int from, int k);
    void HangSide(const SolveState& s, const std::vector<int>& side, int entering, Move& move);
    bool TooDeep(int k) const;  // depths near the limit: the forest is better built anew
    // After a cut between nodes a and b: the nodes of the smaller part, marked with m_stamp;
    // true when it is b's.
    bool SmallerSide(int a, int b, std::vector<int>*& smaller);

    int m_m = 0;
    int m_n = 0;
    std::vector<int> m_cells;
    std::vector<int> m_position;                     // per cell, its index in m_cells or -1
    // Per node, its basic cells and the nodes at their other ends.
    std::vector<std::vector<std::pair<int, int>>> m_incident;
    std::vector<int> m_parent;                       // per node, its parent node or -1
    std::vector<int> m_parentCell;                   // the cell to the parent
    std::vector<int> m_depth;
    std::vector<int> m_tree;                         // per node, its tree
    int m_trees = 0;                                 // tree numbers given so far
    std::vector<std::int64_t> m_potential;           // number part
    std::vector<std::int32_t> m_potentialM;          // M part
    // Scratch of Pivot: marks and the two searches.
    std::vector<unsigned> m_mark;
    unsigned m_stamp = 0;
    std::vector<int> m_queue;
    std::vector<int> m_sideA;
    std::vector<int> m_sideB;
};

}  // namespace kargolo
