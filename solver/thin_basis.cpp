#include "solver/thin_basis.h"

#include <algorithm>
#include <tuple>

#include "solver/basis.h"
#include "solver/internal_error.h"

namespace kargolo {
namespace {

MValue TariffOf(const TaskCell& c) { return {c.TariffM, c.Tariff}; }
MValue Minus(MValue a, MValue b) { return {a.M - b.M, a.Number - b.Number}; }

bool Before(const ThinBasis::Entry& a, const ThinBasis::Entry& b) {
    return std::tie(a.Major, a.Minor, a.Tie, a.Cell) < std::tie(b.Major, b.Minor, b.Tie, b.Cell);
}

}  // namespace

void ThinBasis::Heap::Put(std::size_t at, const Entry& entry, std::vector<int>& place) {
    m_entries[at] = entry;
    place[At(entry.Cell)] = static_cast<int>(at);
}

void ThinBasis::Heap::Up(std::size_t at, std::vector<int>& place) {
    const Entry entry = m_entries[at];
    while (at > 0 && Before(entry, m_entries[(at - 1) / 2])) {
        Put(at, m_entries[(at - 1) / 2], place);
        at = (at - 1) / 2;
    }
    Put(at, entry, place);
}

void ThinBasis::Heap::Down(std::size_t at, std::vector<int>& place) {
    const Entry entry = m_entries[at];
    for (;;) {
        std::size_t child = 2 * at + 1;
        if (child >= m_entries.size()) break;
        if (child + 1 < m_entries.size() && Before(m_entries[child + 1], m_entries[child])) ++child;
        if (!Before(m_entries[child], entry)) break;
        Put(at, m_entries[child], place);
        at = child;
    }
    Put(at, entry, place);
}

void ThinBasis::Heap::Push(const Entry& entry, std::vector<int>& place) {
    m_entries.push_back(entry);
    Up(m_entries.size() - 1, place);
}

void ThinBasis::Heap::Erase(int cell, std::vector<int>& place) {
    const auto at = static_cast<std::size_t>(place[At(cell)]);
    const Entry last = m_entries.back();
    m_entries.pop_back();
    if (at < m_entries.size()) {
        Put(at, last, place);
        Up(at, place);
        Down(static_cast<std::size_t>(place[At(last.Cell)]), place);
    }
}

bool ThinBasis::Suits(int m, int n) {
    const int shorter = std::min(m, n);
    return shorter <= kShortest && std::max(m, n) >= kRatio * shorter;
}

bool ThinBasis::Build(const SolveState& s) {
    m_m = s.m;
    m_n = s.n;
    m_tall = s.m >= s.n;
    m_long = std::max(s.m, s.n);
    m_short = std::min(s.m, s.n);
    m_bounded = s.RestrictedTask;
    m_mOrders = std::any_of(s.Cells.begin(), s.Cells.end(), [](const TaskCell& c) { return c.TariffM != 0; });
    m_hang.assign(At(m_long), kAlone);
    m_listed.assign(At(s.CellCount()), CandidateList::None);
    for (int order = 0; order < kOrders; ++order) {
        const bool kept = (order == kLowerWhole || m_bounded) && (order < kLowerM || m_mOrders);
        m_heaps[order].assign(kept ? At(m_short * m_short) : 0, Heap());
        m_place[order].assign(kept ? At(s.CellCount()) : 0, -1);
    }
    m_coreLines.clear();
    m_corePosition.assign(At(m_long), -1);
    for (int line = 0; line < m_long; ++line) Place(s, line);
    return BuildCore(s);
}

void ThinBasis::Follow(const SolveState& s, const std::vector<int>& changed) {
    for (const int k : changed) {
        const int line = LongOf(k);
        Drop(line);
        Place(s, line);
    }
    SOLVER_CHECK(BuildCore(s));
}

// Takes a long line out of the heaps and out of the core.
void ThinBasis::Drop(int line) {
    const int from = m_hang[At(line)];
    if (from == kCore) {
        const int position = m_corePosition[At(line)];
        m_corePosition[At(m_coreLines.back())] = position;
        m_coreLines[At(position)] = m_coreLines.back();
        m_coreLines.pop_back();
        m_corePosition[At(line)] = -1;
    }
    if (from < 0) return;
    for (int to = 0; to < m_short; ++to) {
        const int k = Cell(line, to);
        const CandidateList list = m_listed[At(k)];
        if (list == CandidateList::None) continue;
        const bool lower = list == CandidateList::Lower;
        for (const int order : {lower ? kLowerWhole : kUpperWhole, lower ? kLowerM : kUpperM}) {
            if (!m_heaps[order].empty()) m_heaps[order][At(Group(from, to))].Erase(k, m_place[order]);
        }
        m_listed[At(k)] = CandidateList::None;
    }
    m_hang[At(line)] = kAlone;
}

// Puts a long line back by its basic cells: a leaf's candidates into the heaps of its pairs.
void ThinBasis::Place(const SolveState& s, int line) {
    int basic = 0;
    int from = kAlone;
    for (int to = 0; to < m_short; ++to) {
        if (!IsBasic(s, s.At(Cell(line, to)))) continue;
        ++basic;
        from = to;
    }
    if (basic > 1) {
        m_hang[At(line)] = kCore;
        m_corePosition[At(line)] = static_cast<int>(m_coreLines.size());
        m_coreLines.push_back(line);
        return;
    }
    m_hang[At(line)] = from;
    if (from < 0) return;
    const MValue hangTariff = TariffOf(s.At(Cell(line, from)));
    for (int to = 0; to < m_short; ++to) {
        const int k = Cell(line, to);
        const TaskCell& c = s.At(k);
        const CandidateList list = ListOf(s, c);
        if (list == CandidateList::None) continue;
        m_listed[At(k)] = list;
        const MValue fixed = Minus(TariffOf(c), hangTariff);
        const bool lower = list == CandidateList::Lower;
        const std::int64_t sign = lower ? 1 : -1;
        const std::int64_t tie = TieRank(c);
        const int group = Group(from, to);
        const Entry whole{sign * fixed.M, sign * fixed.Number, tie, k};
        m_heaps[lower ? kLowerWhole : kUpperWhole][At(group)].Push(whole, m_place[lower ? kLowerWhole : kUpperWhole]);
        if (m_mOrders) {
            const int order = lower ? kLowerM : kUpperM;
            m_heaps[order][At(group)].Push({sign * fixed.M, 0, tie, k}, m_place[order]);
        }
    }
}

// The core's trees, from its first node each, with their potentials (u + v = c on every cell);
// false when the core holds a cycle.
bool ThinBasis::BuildCore(const SolveState& s) {
    const int nodes = m_short + static_cast<int>(m_coreLines.size());
    m_coreCells.resize(At(nodes));
    for (std::vector<int>& cells : m_coreCells) cells.clear();
    for (std::size_t c = 0; c < m_coreLines.size(); ++c) {
        const int line = m_coreLines[c];
        for (int to = 0; to < m_short; ++to) {
            const int k = Cell(line, to);
            if (!IsBasic(s, s.At(k))) continue;
            m_coreCells[At(m_short) + c].push_back(k);
            m_coreCells[At(to)].push_back(k);
        }
    }
    m_parent.assign(At(nodes), -1);
    m_parentCell.assign(At(nodes), -1);
    m_depth.assign(At(nodes), 0);
    m_tree.assign(At(nodes), -1);
    m_potential.assign(At(nodes), MValue{});
    int trees = 0;
    for (int root = 0; root < nodes; ++root) {
        if (m_tree[At(root)] >= 0) continue;
        m_tree[At(root)] = trees;
        m_queue.assign(1, root);
        for (std::size_t next = 0; next < m_queue.size(); ++next) {
            const int node = m_queue[next];
            for (const int k : m_coreCells[At(node)]) {
                if (k == m_parentCell[At(node)]) continue;
                const int other = node < m_short ? CoreNode(LongOf(k)) : ShortOf(k);
                if (m_tree[At(other)] >= 0) return false;
                m_tree[At(other)] = trees;
                m_parent[At(other)] = node;
                m_parentCell[At(other)] = k;
                m_depth[At(other)] = m_depth[At(node)] + 1;
                m_potential[At(other)] = Minus(TariffOf(s.At(k)), m_potential[At(node)]);
                m_queue.push_back(other);
            }
        }
        ++trees;
    }
    return true;
}

int ThinBasis::TreeOfLong(int line) const {
    const int from = m_hang[At(line)];
    if (from == kAlone) return -1 - line;  // a tree of its own
    return m_tree[At(Anchor(line))];
}

MValue ThinBasis::LongPotential(const SolveState& s, int line) const {
    const int from = m_hang[At(line)];
    if (from == kAlone) return {};
    if (from == kCore) return m_potential[At(CoreNode(line))];
    return Minus(TariffOf(s.At(Cell(line, from))), m_potential[At(from)]);
}

bool ThinBasis::SameTree(int k) const { return TreeOfLong(LongOf(k)) == m_tree[At(ShortOf(k))]; }

// From the long line of k to its short line, turned round when the long lines are columns.
void ThinBasis::AppendCycle(int k, std::vector<int>& out) const {
    const int line = LongOf(k);
    std::vector<int> path;
    if (m_hang[At(line)] >= 0) path.push_back(Cell(line, m_hang[At(line)]));
    AppendTreePath(Anchor(line), ShortOf(k), m_parent, m_parentCell, m_depth, path);
    if (m_tall) {
        out.insert(out.end(), path.begin(), path.end());
    } else {
        out.insert(out.end(), path.rbegin(), path.rend());
    }
}

// The head of a list: the best head of the heaps of each pair within a tree, and the cells of
// the core lines.
ListKey ThinBasis::BestOf(const SolveState& s, CandidateList list) const {
    const bool lower = list == CandidateList::Lower;
    const std::vector<Heap>& whole = m_heaps[lower ? kLowerWhole : kUpperWhole];
    const std::vector<Heap>& byM = m_heaps[lower ? kLowerM : kUpperM];
    const std::int64_t sign = lower ? 1 : -1;
    ListKey best;
    for (int from = 0; from < m_short; ++from) {
        for (int to = 0; to < m_short; ++to) {
            const Heap& heap = whole[At(Group(from, to))];
            if (from == to || heap.Empty() || m_tree[At(from)] != m_tree[At(to)]) continue;
            const MValue shared = Minus(m_potential[At(from)], m_potential[At(to)]);
            const Entry& top = heap.Top();
            const MValue estimate{static_cast<std::int32_t>(sign * top.Major) + shared.M,
                                  sign * top.Minor + shared.Number};
            ListKey key = KeyOf(list, estimate, top.Tie, top.Cell);
            if (key.Kind == 0) {  // the M part decides: the best tie among the equal M parts
                const Entry& first = byM[At(Group(from, to))].Top();
                key.Tie = first.Tie;
                key.Cell = first.Cell;
            }
            if (key < best) best = key;
        }
    }
    for (const int line : m_coreLines) {
        const MValue own = m_potential[At(CoreNode(line))];
        for (int to = 0; to < m_short; ++to) {
            const int k = Cell(line, to);
            const TaskCell& c = s.At(k);
            if (ListOf(s, c) != list) continue;
            const MValue estimate = Minus(Minus(TariffOf(c), own), m_potential[At(to)]);
            const ListKey key = KeyOf(list, estimate, TieRank(c), k);
            if (key < best) best = key;
        }
    }
    return best;
}

bool ThinBasis::Heads(const SolveState& s, KeptHead& lower, KeptHead& upper) {
    const auto head = [&](CandidateList list) {
        KeptHead result;
        result.Cell = BestOf(s, list).Cell;
        if (result.Cell < 0) return result;
        const int line = LongOf(result.Cell);
        const MValue across = Minus(TariffOf(s.At(result.Cell)), LongPotential(s, line));
        result.Estimate = Minus(across, m_potential[At(ShortOf(result.Cell))]);
        return result;
    };
    lower = head(CandidateList::Lower);
    upper = m_bounded ? head(CandidateList::Upper) : KeptHead{};
    return true;
}

void ThinBasis::Potentials(const SolveState& s, std::vector<PotentialEntry>& u,
                           std::vector<PotentialEntry>& v) const {
    const int trees = m_tree.empty() ? 0 : *std::max_element(m_tree.begin(), m_tree.end()) + 1;
    std::vector<MValue> shift(At(trees));  // what the rows of a tree gain, its columns lose
    std::vector<char> known(At(trees), 0);
    u.assign(At(m_m), {});
    v.assign(At(m_n), {});
    for (int node = 0; node < m_m + m_n; ++node) {
        const bool row = node < m_m;
        const int index = row ? node : node - m_m;
        const bool isLong = row == m_tall;
        const MValue p = isLong ? LongPotential(s, index) : m_potential[At(index)];
        const int tree = isLong ? TreeOfLong(index) : m_tree[At(index)];
        MValue gain;
        if (tree >= 0) {
            if (!known[At(tree)]) {
                known[At(tree)] = 1;
                shift[At(tree)] = row ? MValue{-p.M, -p.Number} : p;
            }
            gain = shift[At(tree)];
        }
        if (row) {
            u[At(index)] = {p.Number + gain.Number, 1, p.M + gain.M};
        } else {
            v[At(index)] = {p.Number - gain.Number, 1, p.M - gain.M};
        }
    }
}

}  // namespace kargolo
