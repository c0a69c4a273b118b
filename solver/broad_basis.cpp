#include "solver/broad_basis.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

#include "solver/internal_error.h"

namespace kargolo {
namespace {

constexpr std::int32_t kMScale = 1 << 24;
constexpr std::int64_t kNumberBound = 1 << 21;
constexpr std::int32_t kMBound = 15;

MValue TariffOf(const TaskCell& c) { return {c.TariffM, c.Tariff}; }

// The M part of a packed value.
std::int64_t MPart(std::int64_t packed) { return (packed + kMScale / 2) >> 24; }

}  // namespace

bool BroadBasis::Fits(MValue value) const {
    if (m_packed) return std::llabs(value.Number) < kNumberBound && std::abs(value.M) <= kMBound;
    return value.M == 0 && std::llabs(value.Number) < RowMinima::kSmall;
}

std::int32_t BroadBasis::Value(MValue value) const {
    return static_cast<std::int32_t>((m_packed ? std::int64_t{value.M} * kMScale : 0) + value.Number);
}

bool BroadBasis::Build(const SolveState& s) {
    std::vector<int> cells;
    for (int k = 0; k < s.CellCount(); ++k) {
        if (IsBasic(s, s.At(k))) cells.push_back(k);
    }
    if (!m_tree.Build(s, cells)) return false;
    m_bounded = s.RestrictedTask;
    m_packed = std::any_of(s.Cells.begin(), s.Cells.end(), [](const TaskCell& c) { return c.TariffM != 0; });
    m_fits = std::all_of(s.Cells.begin(), s.Cells.end(), [this](const TaskCell& c) { return Fits(TariffOf(c)); });
    m_allNodes.resize(At(s.m + s.n));
    std::iota(m_allNodes.begin(), m_allNodes.end(), 0);
    for (const int node : m_allNodes) m_fits = m_fits && Fits(m_tree.Potential(node));
    if (!m_fits) return true;
    m_listCount = m_bounded ? 2 : 1;
    m_transposed = s.m > s.n;
    for (int l = 0; l < m_listCount; ++l) {
        ListPricing& list = m_lists[l];
        list.List = l == 0 ? CandidateList::Lower : CandidateList::Upper;
        list.Sign = l == 0 ? 1 : -1;
        list.Prices.assign(At(s.CellCount()), RowMinima::kNoCandidate);
        for (int i = 0, k = 0; i < s.m; ++i) {
            for (int j = 0; j < s.n; ++j, ++k) {
                const TaskCell& c = s.At(k);
                const int here = m_transposed ? j * s.m + i : k;
                if (ListOf(s, c) == list.List) list.Prices[At(here)] = list.Sign * Value(TariffOf(c));
            }
        }
        ResetPricing(list);
    }
    return true;
}

// A list holding fewer than one cell in kSparse is kept as its cells; one that grows beyond
// twice that takes the row minima.
constexpr int kSparse = 32;

void BroadBasis::ResetPricing(ListPricing& list) {
    const int m = m_tree.Rows();
    const int n = m_tree.Columns();
    list.Cells.clear();
    for (int i = 0, k = 0; i < m; ++i) {
        for (int j = 0; j < n; ++j, ++k) {
            if (list.Prices[At(m_transposed ? j * m + i : k)] != RowMinima::kNoCandidate) list.Cells.push_back(k);
        }
    }
    list.Sparse = static_cast<std::int64_t>(list.Cells.size()) * kSparse < std::int64_t{m} * n;
    if (list.Sparse) {
        list.Position.assign(At(m * n), -1);
        for (std::size_t p = 0; p < list.Cells.size(); ++p) list.Position[At(list.Cells[p])] = static_cast<int>(p);
        return;
    }
    list.Cells.clear();
    list.Position.clear();
    std::vector<std::int32_t> u(At(m));
    std::vector<std::int32_t> v(At(n));
    for (int i = 0; i < m; ++i) u[At(i)] = list.Sign * Value(m_tree.Potential(i));
    for (int j = 0; j < n; ++j) v[At(j)] = list.Sign * Value(m_tree.Potential(m + j));
    if (m_transposed) {
        list.Minima.Reset(list.Prices, list.Sign, n, m, std::move(v), std::move(u), true);
    } else {
        list.Minima.Reset(list.Prices, list.Sign, m, n, std::move(u), std::move(v));
    }
}

// A cell's prices in both lists, as its list says.
void BroadBasis::SetPrices(const SolveState& s, int k) {
    const TaskCell& c = s.At(k);
    const CandidateList of = ListOf(s, c);
    for (int l = 0; l < m_listCount; ++l) {
        ListPricing& list = m_lists[l];
        SetPrice(list, k, of == list.List ? list.Sign * Value(TariffOf(c)) : RowMinima::kNoCandidate);
    }
}

void BroadBasis::SetPrice(ListPricing& list, int k, std::int32_t price) {
    if (list.Prices[At(Here(k))] == price) return;
    list.Prices[At(Here(k))] = price;
    if (!list.Sparse) {
        list.Minima.PriceChanged(Here(k));
        return;
    }
    int& position = list.Position[At(k)];
    if (price == RowMinima::kNoCandidate) {
        list.Position[At(list.Cells.back())] = position;
        list.Cells[At(position)] = list.Cells.back();
        list.Cells.pop_back();
        position = -1;
    } else if (position < 0) {
        position = static_cast<int>(list.Cells.size());
        list.Cells.push_back(k);
        if (list.Cells.size() * kSparse > 2 * list.Prices.size()) ResetPricing(list);
    }
}

// The changes as a sequence of steps on the forest: a joining cell that closes a cycle swaps
// with a leaving cell on it, another joins two trees, and a leaving cell left over cuts its
// tree. Each step that moves potentials moves a block of the pricing; anything else builds the
// forest anew.
void BroadBasis::Follow(const SolveState& s, const std::vector<int>& changed) {
    m_joined.clear();
    m_left.clear();
    for (const int k : changed) {
        const bool basic = IsBasic(s, s.At(k));
        if (basic && !m_tree.Contains(k)) m_joined.push_back(k);
        if (!basic && m_tree.Contains(k)) m_left.push_back(k);
        if (m_fits) SetPrices(s, k);
    }
    for (const int k : m_joined) {
        bool moved = false;
        if (m_tree.SameTree(k)) {
            for (int& leaving : m_left) {
                if (leaving < 0 || !m_tree.Pivot(s, k, leaving, m_move)) continue;
                leaving = -1;
                moved = true;
                break;
            }
        } else {
            moved = m_tree.Join(s, k, m_move);
        }
        if (!moved) return Retake(s, changed);
        if (!MoveBlock()) return Retake(s, changed);
    }
    for (const int k : m_left) {
        if (k >= 0) m_tree.Cut(k);
    }
}

// The forest built anew from the basic cells, its potentials from 0 at each tree's first node.
void BroadBasis::Retake(const SolveState& s, const std::vector<int>& changed) {
    std::vector<int> cells;
    for (const int k : m_tree.Cells()) {
        if (IsBasic(s, s.At(k))) cells.push_back(k);
    }
    for (const int k : changed) {
        if (IsBasic(s, s.At(k)) && !m_tree.Contains(k)) cells.push_back(k);
    }
    std::sort(cells.begin(), cells.end());
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    SOLVER_CHECK(m_tree.Build(s, cells));
    if (m_fits && !MovePricing(m_allNodes)) m_fits = false;
}

// The part of a tree that a shift moved, its rows up and its columns down by the same amount.
bool BroadBasis::MoveBlock() {
    if (!m_fits) return true;
    m_blockRows.clear();
    m_blockColumns.clear();
    const int m = m_tree.Rows();
    for (const int node : m_move.Nodes) {
        if (!Fits(m_tree.Potential(node))) return false;
        if (node < m) {
            m_blockRows.push_back(node);
        } else {
            m_blockColumns.push_back(node - m);
        }
    }
    // The lines of a transposed pricing are the columns, which fall by the amount rows rise by.
    const std::int32_t delta = Value(m_move.Delta);
    const std::vector<int>& lines = m_transposed ? m_blockColumns : m_blockRows;
    const std::vector<int>& across = m_transposed ? m_blockRows : m_blockColumns;
    for (int l = 0; l < m_listCount; ++l) {
        ListPricing& list = m_lists[l];
        if (!list.Sparse) list.Minima.MoveBlock(lines, across, (m_transposed ? -1 : 1) * list.Sign * delta);
    }
    return true;
}

bool BroadBasis::MovePricing(const std::vector<int>& nodes) {
    if (!m_fits) return true;
    m_rows.clear();
    m_columns.clear();
    const int m = m_tree.Rows();
    for (const int node : nodes) {
        const MValue p = m_tree.Potential(node);
        if (!Fits(p)) return false;
        (node < m ? m_rows : m_columns).push_back({node < m ? node : node - m, Value(p)});
    }
    for (int l = 0; l < m_listCount; ++l) {
        ListPricing& list = m_lists[l];
        if (list.Sparse) continue;
        if (l == 1) {
            for (auto& change : m_rows) change.second = -change.second;
            for (auto& change : m_columns) change.second = -change.second;
        }
        list.Minima.MovePotentials(m_transposed ? m_columns : m_rows, m_transposed ? m_rows : m_columns);
    }
    return true;
}

MValue BroadBasis::Estimate(const SolveState& s, int k) const {
    const MValue row = m_tree.Potential(k / s.n);
    const MValue column = m_tree.Potential(s.m + k % s.n);
    const TaskCell& c = s.At(k);
    return {c.TariffM - row.M - column.M, c.Tariff - row.Number - column.Number};
}

// The head of a list kept as its cells: the best key among them. Else the smallest value of the
// list's prices (its most violating estimate, negated for the upper list) and the best tie
// among the cells of its key: all cells of its M part when that decides.
KeptHead BroadBasis::Head(const SolveState& s, ListPricing& list) const {
    KeptHead head;
    if (list.Sparse) {
        ListKey best;
        for (const int k : list.Cells) {
            const ListKey key = KeyOf(list.List, Estimate(s, k), TieRank(s.At(k)), k);
            if (key < best) best = key;
        }
        head.Cell = best.Cell;
    } else {
        const std::int64_t smallest = list.Minima.Smallest();
        if (smallest >= 0) return head;
        const std::int64_t mPart = m_packed ? MPart(smallest) : 0;
        if (mPart < 0) {
            head.Cell = list.Minima.BestIn(mPart * kMScale - kMScale / 2, mPart * kMScale + kMScale / 2 - 1);
        } else {
            head.Cell = list.Minima.BestIn(smallest, smallest);
        }
    }
    if (head.Cell >= 0) head.Estimate = Estimate(s, head.Cell);
    return head;
}

bool BroadBasis::Heads(const SolveState& s, KeptHead& lower, KeptHead& upper) {
    if (!m_fits) return false;
    lower = Head(s, m_lists[0]);
    upper = m_bounded ? Head(s, m_lists[1]) : KeptHead{};
    return true;
}

}  // namespace kargolo
