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
    std::vector<std::int32_t> u(At(s.m));
    std::vector<std::int32_t> v(At(s.n));
    for (const int node : m_allNodes) {
        const MValue p = m_tree.Potential(node);
        m_fits = m_fits && Fits(p);
        (node < s.m ? u[At(node)] : v[At(node - s.m)]) = m_fits ? Value(p) : 0;
    }
    if (!m_fits) return true;
    m_lowerPrices.assign(At(s.CellCount()), RowMinima::kNoCandidate);
    m_upperPrices.assign(m_bounded ? At(s.CellCount()) : 0, RowMinima::kNoCandidate);
    for (int k = 0; k < s.CellCount(); ++k) {
        const TaskCell& c = s.At(k);
        const CandidateList list = ListOf(s, c);
        if (list == CandidateList::Lower) m_lowerPrices[At(k)] = Value(TariffOf(c));
        if (list == CandidateList::Upper) m_upperPrices[At(k)] = -Value(TariffOf(c));
    }
    if (m_bounded) {
        std::vector<std::int32_t> negatedU(u.size());
        std::vector<std::int32_t> negatedV(v.size());
        std::transform(u.begin(), u.end(), negatedU.begin(), std::negate<>());
        std::transform(v.begin(), v.end(), negatedV.begin(), std::negate<>());
        m_upper.Reset(m_upperPrices, -1, s.m, s.n, std::move(negatedU), std::move(negatedV));
    }
    m_lower.Reset(m_lowerPrices, 1, s.m, s.n, std::move(u), std::move(v));
    return true;
}

// A cell's prices in both lists, as its list says; the minima learn of a price that changed.
void BroadBasis::SetPrices(const SolveState& s, int k) {
    const TaskCell& c = s.At(k);
    const CandidateList list = ListOf(s, c);
    const std::int32_t value = Value(TariffOf(c));
    const std::int32_t lower = list == CandidateList::Lower ? value : RowMinima::kNoCandidate;
    if (m_lowerPrices[At(k)] != lower) {
        m_lowerPrices[At(k)] = lower;
        m_lower.PriceChanged(k);
    }
    if (!m_bounded) return;
    const std::int32_t upper = list == CandidateList::Upper ? -value : RowMinima::kNoCandidate;
    if (m_upperPrices[At(k)] != upper) {
        m_upperPrices[At(k)] = upper;
        m_upper.PriceChanged(k);
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
    const std::int32_t delta = Value(m_move.Delta);
    m_lower.MoveBlock(m_blockRows, m_blockColumns, delta);
    if (m_bounded) m_upper.MoveBlock(m_blockRows, m_blockColumns, -delta);
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
    m_lower.MovePotentials(m_rows, m_columns);
    if (!m_bounded) return true;
    for (auto& change : m_rows) change.second = -change.second;
    for (auto& change : m_columns) change.second = -change.second;
    m_upper.MovePotentials(m_rows, m_columns);
    return true;
}

// The smallest value of a list's prices (its most violating estimate, negated for the upper
// list) and the best tie among the cells of its key: all cells of its M part when that decides.
KeptHead BroadBasis::Head(const SolveState& s, RowMinima& minima) const {
    KeptHead head;
    const std::int64_t smallest = minima.Smallest();
    if (smallest >= 0) return head;
    const std::int64_t mPart = m_packed ? MPart(smallest) : 0;
    if (mPart < 0) {
        head.Cell = minima.BestIn(mPart * kMScale - kMScale / 2, mPart * kMScale + kMScale / 2 - 1);
    } else {
        head.Cell = minima.BestIn(smallest, smallest);
    }
    const MValue row = m_tree.Potential(head.Cell / s.n);
    const MValue column = m_tree.Potential(s.m + head.Cell % s.n);
    const TaskCell& c = s.At(head.Cell);
    head.Estimate = {c.TariffM - row.M - column.M, c.Tariff - row.Number - column.Number};
    return head;
}

bool BroadBasis::Heads(const SolveState& s, KeptHead& lower, KeptHead& upper) {
    if (!m_fits) return false;
    lower = Head(s, m_lower);
    upper = m_bounded ? Head(s, m_upper) : KeptHead{};
    return true;
}

}  // namespace kargolo
