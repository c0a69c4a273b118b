#include "solver/basis_tree.h"

#include <algorithm>

#include "solver/basis.h"
#include "solver/components.h"

namespace kargolo {
namespace {

constexpr int kNone = -1;
// Depths beyond this are taken afresh (a shift never adds more than the number of nodes).
constexpr int kDeepest = 1 << 30;

MValue CellTariff(const TaskCell& c) { return {c.TariffM, c.Tariff}; }
MValue Minus(MValue a, MValue b) { return {a.M - b.M, a.Number - b.Number}; }

}  // namespace

bool BasisTree::Build(const SolveState& s, const std::vector<int>& cells) {
    m_m = s.m;
    m_n = s.n;
    const int nodes = m_m + m_n;
    Components components(nodes);
    for (const int k : cells) {
        if (!components.Join(Row(k), Column(k))) return false;
    }
    if (m_position.size() == At(s.CellCount())) {
        for (const int k : m_cells) m_position[At(k)] = kNone;
    } else {
        m_position.assign(At(s.CellCount()), kNone);
    }
    m_cells.clear();
    m_incident.resize(At(nodes));
    for (auto& incident : m_incident) incident.clear();
    for (const int k : cells) Link(k);
    m_parent.assign(At(nodes), kNone);
    m_parentCell.assign(At(nodes), kNone);
    m_depth.assign(At(nodes), 0);
    m_tree.assign(At(nodes), kNone);
    m_potential.assign(At(nodes), 0);
    m_potentialM.assign(At(nodes), 0);
    m_mark.assign(At(nodes), 0);
    m_trees = 0;
    for (int root = 0; root < nodes; ++root) {
        if (m_tree[At(root)] != kNone) continue;
        Hang(root, kNone, kNone);
        for (const int node : m_queue) {
            m_tree[At(node)] = m_trees;
            if (node == root) continue;
            const MValue p = Minus(CellTariff(s.At(m_parentCell[At(node)])), Potential(m_parent[At(node)]));
            m_potential[At(node)] = p.Number;
            m_potentialM[At(node)] = p.M;
        }
        ++m_trees;
    }
    return true;
}

void BasisTree::Link(int k) {
    m_position[At(k)] = static_cast<int>(m_cells.size());
    m_cells.push_back(k);
    m_incident[At(Row(k))].push_back({k, Column(k)});
    m_incident[At(Column(k))].push_back({k, Row(k)});
}

void BasisTree::Unlink(int k) {
    const int position = m_position[At(k)];
    m_position[At(m_cells.back())] = position;
    m_cells[At(position)] = m_cells.back();
    m_cells.pop_back();
    m_position[At(k)] = kNone;
    for (const int node : {Row(k), Column(k)}) {
        auto& incident = m_incident[At(node)];
        *std::find_if(incident.begin(), incident.end(), [k](const auto& end) { return end.first == k; }) =
            incident.back();
        incident.pop_back();
    }
}

void BasisTree::Hang(int top, int from, int k) {
    m_parent[At(top)] = from;
    m_parentCell[At(top)] = k;
    if (from != kNone) m_depth[At(top)] = m_depth[At(from)] + 1;
    m_queue.assign(1, top);
    for (std::size_t next = 0; next < m_queue.size(); ++next) {
        const int node = m_queue[next];
        for (const auto& [cell, child] : m_incident[At(node)]) {
            if (cell == m_parentCell[At(node)]) continue;
            m_parent[At(child)] = node;
            m_parentCell[At(child)] = cell;
            m_depth[At(child)] = m_depth[At(node)] + 1;
            m_queue.push_back(child);
        }
    }
}

void BasisTree::AppendCycle(int k, std::vector<int>& out) const {
    AppendTreePath(Row(k), Column(k), m_parent, m_parentCell, m_depth, out);
}

// Searches the trees of nodes a and b (two trees, or the two parts of a cut one) a node at a
// time, so that the search stops once the smaller is complete: it costs about twice that.
bool BasisTree::SmallerSide(int a, int b, std::vector<int>*& smaller) {
    if (++m_stamp == 0) {
        std::fill(m_mark.begin(), m_mark.end(), 0u);
        m_stamp = 1;
    }
    m_sideA.assign(1, a);
    m_sideB.assign(1, b);
    m_mark[At(a)] = m_mark[At(b)] = m_stamp;
    const auto expand = [this](std::vector<int>& side, std::size_t next) {
        const int node = side[next];
        for (const auto& end : m_incident[At(node)]) {
            const int other = end.second;
            if (m_mark[At(other)] == m_stamp) continue;
            m_mark[At(other)] = m_stamp;
            side.push_back(other);
        }
    };
    for (std::size_t next = 0;; ++next) {
        if (next == m_sideA.size()) {
            smaller = &m_sideA;
            break;
        }
        if (next == m_sideB.size()) {
            smaller = &m_sideB;
            break;
        }
        expand(m_sideA, next);
        expand(m_sideB, next);
    }
    ++m_stamp;  // the smaller part alone carries the new mark
    for (const int node : *smaller) m_mark[At(node)] = m_stamp;
    return smaller == &m_sideB;
}

bool BasisTree::Pivot(const SolveState& s, int entering, int leaving, Move& move) {
    if (!Contains(leaving) || Contains(entering) || !SameTree(entering) || TooDeep(entering)) return false;
    const int below = m_parentCell[At(Row(leaving))] == leaving ? Row(leaving) : Column(leaving);
    const int above = m_parent[At(below)];
    Unlink(leaving);
    std::vector<int>* smaller = nullptr;
    const bool holdsRoot = SmallerSide(below, above, smaller);
    if ((m_mark[At(Row(entering))] == m_stamp) == (m_mark[At(Column(entering))] == m_stamp)) {
        Link(leaving);  // `leaving` is not on the cycle
        return false;
    }
    if (holdsRoot) {
        m_parent[At(below)] = kNone;
        m_parentCell[At(below)] = kNone;
    }
    HangSide(s, *smaller, entering, move);
    return true;
}

void BasisTree::Cut(int leaving) {
    const int below = m_parentCell[At(Row(leaving))] == leaving ? Row(leaving) : Column(leaving);
    const int above = m_parent[At(below)];
    Unlink(leaving);
    std::vector<int>* smaller = nullptr;
    SmallerSide(below, above, smaller);
    m_parent[At(below)] = kNone;
    m_parentCell[At(below)] = kNone;
    const int tree = m_trees++;
    for (const int node : *smaller) m_tree[At(node)] = tree;
}

bool BasisTree::Join(const SolveState& s, int entering, Move& move) {
    if (Contains(entering) || SameTree(entering) || TooDeep(entering)) return false;
    std::vector<int>* smaller = nullptr;
    SmallerSide(Row(entering), Column(entering), smaller);
    const bool rowMoves = m_mark[At(Row(entering))] == m_stamp;
    const int tree = m_tree[At(rowMoves ? Column(entering) : Row(entering))];
    for (const int node : *smaller) m_tree[At(node)] = tree;
    HangSide(s, *smaller, entering, move);
    return true;
}

bool BasisTree::TooDeep(int k) const {
    return std::max(m_depth[At(Row(k))], m_depth[At(Column(k))]) >= kDeepest - m_m - m_n;
}

// The nodes of `side` (marked with m_stamp, one end of `entering` among them) hang from the
// other end by `entering`, their potentials moved by its estimate so that u + v = c holds on it.
void BasisTree::HangSide(const SolveState& s, const std::vector<int>& side, int entering, Move& move) {
    const int row = Row(entering);
    const int column = Column(entering);
    const bool rowMoves = m_mark[At(row)] == m_stamp;
    const MValue estimate = Minus(Minus(CellTariff(s.At(entering)), Potential(row)), Potential(column));
    move.Delta = rowMoves ? estimate : MValue{-estimate.M, -estimate.Number};
    move.Nodes = side;
    Hang(rowMoves ? row : column, rowMoves ? column : row, entering);
    Link(entering);
    for (const int node : move.Nodes) {
        const std::int64_t sign = node < m_m ? 1 : -1;
        m_potential[At(node)] += sign * move.Delta.Number;
        m_potentialM[At(node)] += static_cast<std::int32_t>(sign) * move.Delta.M;
    }
}

void BasisTree::Normalized(std::vector<PotentialEntry>& u, std::vector<PotentialEntry>& v) const {
    // Per tree, what its rows gain (its columns lose the same) to bring its first node to 0.
    std::vector<MValue> shift(m_tree.empty() ? 0 : At(*std::max_element(m_tree.begin(), m_tree.end()) + 1));
    std::vector<char> known(shift.size(), 0);
    u.assign(At(m_m), {});
    v.assign(At(m_n), {});
    for (int node = 0; node < m_m + m_n; ++node) {
        const std::size_t tree = At(m_tree[At(node)]);
        const MValue p = Potential(node);
        if (!known[tree]) {
            known[tree] = 1;
            shift[tree] = node < m_m ? MValue{-p.M, -p.Number} : p;
        }
        if (node < m_m) {
            u[At(node)] = {p.Number + shift[tree].Number, 1, p.M + shift[tree].M};
        } else {
            v[At(node - m_m)] = {p.Number - shift[tree].Number, 1, p.M - shift[tree].M};
        }
    }
}

}  // namespace kargolo
