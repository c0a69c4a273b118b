#pragma once

// Operations on a classical basic plan (no capacity limits).
//
// The basic cells form a spanning forest over m + n nodes: the rows 0..m-1 and the columns
// m..m+n-1, a basic cell (i, j) joining row i and column j. A plan with m + n - 1 basic cells
// and no cycle is a spanning tree, in which every free cell closes exactly one cycle. The
// forest gives the cycle of a cell, the potentials and "would this cell close a cycle" without
// the searches over the matrix that the textbook steps make.

#include <cstdint>
#include <utility>
#include <vector>

#include "solver/solve_state.h"

namespace kargolo {

class BasisForest {
public:
    // The basic cells of the plan (see IsBasic).
    explicit BasisForest(const SolveState& s);

    int Count() const { return static_cast<int>(m_cells.size()); }
    bool Contains(int k) const { return m_position[static_cast<std::size_t>(k)] >= 0; }
    const std::vector<int>& Cells() const { return m_cells; }
    void Add(int k);
    void Remove(int k);
    // The XOR of the keys of the basic cells (see CellKey), kept as cells join and leave.
    std::uint64_t Fingerprint() const { return m_fingerprint; }

    // Roots every tree of the forest (row 0's first); false when it does not span every row
    // and column.
    bool Root();
    // Whether the cells hold no cycle, so that every tree is a tree indeed. Needs Root().
    bool IsForest() const { return Count() + m_trees == m_m + m_n; }
    // The potentials from a forest: 0 at every root, then down each tree. In a forest they are
    // the only ones, whatever the order of finding them. Needs Root().
    void SetPotentials(SolveState& s) const;
    // Whether free cell k joins a row and a column of the same tree, so that it has a cycle.
    // Needs Root().
    bool ClosesCycle(int k) const;

    // The cycle that free cell k = (i, j) closes: the path of basic cells from row i to
    // column j, appended in that order. This is the order in which the depth-first cycle
    // search of the textbook lists it behind the entering cell. Needs Root().
    void AppendCycle(int k, std::vector<int>& out) const;

private:
    int NodeOfRow(int i) const { return i; }
    int NodeOfColumn(int j) const { return m_m + j; }

    int m_m;
    int m_n;
    std::vector<int> m_cells;     // the basic cells, in no order
    std::vector<std::pair<int, int>> m_ends;  // per basic cell, its row node and column node
    std::vector<int> m_position;  // index in m_cells, or -1
    std::uint64_t m_fingerprint = 0;
    // Scratch of Root(): the cells at each node, as (cell, node at the other end).
    std::vector<int> m_start;
    std::vector<int> m_fill;
    std::vector<std::pair<int, int>> m_incident;
    // The rooted forest: per node its parent node, the cell joining them, and its depth.
    std::vector<int> m_parentNode;
    std::vector<int> m_parentCell;
    std::vector<int> m_depth;
    std::vector<int> m_component;  // the tree of each node
    std::vector<int> m_order;      // nodes in breadth-first order, tree by tree
    int m_trees = 0;
};

// The cells of the path from node `from` to node `to` of a rooted forest (per node its parent,
// the cell to it and its depth; depths may all be off by one constant per tree), appended in
// that order.
void AppendTreePath(int from, int to, const std::vector<int>& parent, const std::vector<int>& parentCell,
                    const std::vector<int>& depth, std::vector<int>& out);

// The potentials with u_1 = 0 and u_i + v_j = c_i,j on every basic cell, number and M parts,
// into s.PotentialsU and s.PotentialsV. With writeLines, one line per potential in the order of
// the textbook passes: every known row finds its unknown columns (rows in order, their basic
// cells by column), then every known column its unknown rows, and so on. Throws when the
// basis does not reach every row and column. Needs basis.Root().
void FindPotentials(SolveState& s, const BasisForest& basis, bool writeLines);

// Every cell in order of increasing tariff, ties in row-major order, sorted a piece at a time as
// far as it is read: a completion of the basis mostly reads only the first cells.
class TariffOrder {
public:
    explicit TariffOrder(const SolveState& s);
    int Size() const { return static_cast<int>(m_keys.size()); }
    // The p-th cell of the order.
    int Cell(int p);

private:
    std::vector<std::int64_t> m_keys;  // the tariff above the row-major index
    std::size_t m_sorted = 0;          // the keys before this are in their final places
};

// Completes a degenerate basis with basis zeros: free cells in order of increasing tariff (ties
// in row-major order) become (0, 0) when they join two trees of the forest, until it has
// m + n - 1 cells. Returns false when the free cells run out first.
bool PlaceBasisZeros(SolveState& s, BasisForest& basis, TariffOrder& order);

// Shifts the plan along CycleList (the entering cell first, then alternately '-' and '+'):
// theta is the smallest quantity of the '-' cells; every '-' cell that drops to 0 leaves the
// basis, and the entering cell holds theta (a basis zero when theta is 0). Returns theta.
std::int32_t ShiftAlongCycle(SolveState& s);

}  // namespace kargolo
