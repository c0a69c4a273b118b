#include "solver/row_minima.h"

#include "solver/row_worker.h"

#include <algorithm>
#include <limits>

namespace kargolo {
namespace {

bool Fits(std::int64_t value) { return value > -RowMinima::kSmall && value < RowMinima::kSmall; }

// min over j of price[j] - u - v[j]: a plain loop over arrays, which the compiler vectorises.
std::int32_t SmallestOfRow(const std::int32_t* __restrict price, const std::int32_t* __restrict v,
                           std::int32_t u, int n) {
    std::int32_t minimum = std::numeric_limits<std::int32_t>::max();
    for (int j = 0; j < n; ++j) {
        const std::int32_t estimate = price[j] - u - v[j];
        minimum = estimate < minimum ? estimate : minimum;
    }
    return minimum;
}

}  // namespace

RowMinima::RowMinima() = default;
RowMinima::~RowMinima() = default;
RowMinima::RowMinima(RowMinima&&) noexcept = default;
RowMinima& RowMinima::operator=(RowMinima&&) noexcept = default;

bool RowMinima::Update(const std::vector<std::int32_t>& prices, int m, int n,
                       const std::vector<std::int64_t>& u, const std::vector<std::int64_t>& v,
                       std::vector<PriceChange>& changed) {
    if (m_valid && m == m_m && n == m_n) {
        FollowPrices(prices, changed);  // under the potentials they were last found with
        m_valid = MovePotentials(u, v, true);
        if (!m_valid) return false;
    } else {
        m_m = m;
        m_n = n;
        m_offset = 0;
        m_u.assign(At(m), 0);
        m_v.assign(At(n), 0);
        m_minimum.assign(At(m), 0);
        m_stale.assign(At(m), 1);
        m_columnMoves.assign(At(n), 0);
        m_valid = MovePotentials(u, v, false);
        if (!m_valid) return false;
    }
    const auto refresh = [&](int begin, int end) {
        for (int i = begin; i < end; ++i) RefreshRow(prices, i);
    };
    if (std::int64_t{m} * n >= kCellsForTwoThreads) {
        if (!m_worker) m_worker = std::make_unique<RowWorker>();
        m_worker->Run(m, refresh);
    } else {
        refresh(0, m);
    }
    for (const int j : m_movedColumns) m_columnMoves[At(j)] = 0;
    m_movedColumns.clear();
    return true;
}

// A cell whose price changed lowers its row's minimum, or leaves the row to be recomputed when
// it may have held the minimum and rose. Only a cell's first change counts: its old price.
void RowMinima::FollowPrices(const std::vector<std::int32_t>& prices, std::vector<PriceChange>& changed) {
    std::stable_sort(changed.begin(), changed.end(),
                     [](const PriceChange& a, const PriceChange& b) { return a.Cell < b.Cell; });
    for (std::size_t p = 0; p < changed.size(); ++p) {
        const int k = changed[p].Cell;
        const int i = k / m_n;
        const int j = k % m_n;
        if (m_stale[At(i)] || (p > 0 && changed[p - 1].Cell == k)) continue;
        const std::int32_t before = changed[p].OldPrice - m_u[At(i)] - m_v[At(j)];
        const std::int32_t after = Estimate(prices, i, j);
        if (after < m_minimum[At(i)]) {
            m_minimum[At(i)] = after;
        } else if (before == m_minimum[At(i)] && after > before) {
            m_stale[At(i)] = 1;
        }
    }
}

// The new potentials with the offset under which fewer lines move: the current one or the one
// that keeps the first moved line still. A row that moved is marked for recomputing; a column
// that moved is remembered with its move, for RefreshRow.
bool RowMinima::MovePotentials(const std::vector<std::int64_t>& u, const std::vector<std::int64_t>& v,
                               bool chooseOffset) {
    std::int64_t shift = 0;
    for (int i = 0; i < m_m && shift == 0; ++i) shift = m_u[At(i)] - (u[At(i)] + m_offset);
    for (int j = 0; j < m_n && shift == 0; ++j) shift = (v[At(j)] - m_offset) - m_v[At(j)];
    const auto moves = [&](std::int64_t offset) {
        int count = 0;
        for (int i = 0; i < m_m; ++i) count += u[At(i)] + offset != m_u[At(i)] ? 1 : 0;
        for (int j = 0; j < m_n; ++j) count += v[At(j)] - offset != m_v[At(j)] ? 1 : 0;
        return count;
    };
    if (chooseOffset && shift != 0 && moves(m_offset + shift) < moves(m_offset)) m_offset += shift;
    for (int i = 0; i < m_m; ++i) {
        const std::int64_t potential = u[At(i)] + m_offset;
        if (!Fits(potential)) return false;
        if (potential == m_u[At(i)]) continue;
        m_u[At(i)] = static_cast<std::int32_t>(potential);
        m_stale[At(i)] = 1;
    }
    m_movedColumns.clear();
    for (int j = 0; j < m_n; ++j) {
        const std::int64_t potential = v[At(j)] - m_offset;
        if (!Fits(potential)) return false;
        if (potential == m_v[At(j)]) continue;
        m_columnMoves[At(j)] = static_cast<std::int32_t>(potential - m_v[At(j)]);
        m_v[At(j)] = static_cast<std::int32_t>(potential);
        m_movedColumns.push_back(j);
    }
    return true;
}

// A row whose potential moved is recomputed. In the others the estimates of the moved columns
// fell or rose: the row is recomputed when a cell that may have held its minimum rose, else the
// moved cells' new estimates are taken into account.
void RowMinima::RefreshRow(const std::vector<std::int32_t>& prices, int i) {
    if (!m_stale[At(i)] && !m_movedColumns.empty()) {
        const std::int32_t before = m_minimum[At(i)];
        std::int32_t minimum = before;
        bool minimumRose = false;
        for (const int j : m_movedColumns) {
            const std::int32_t after = Estimate(prices, i, j);
            const std::int64_t old = std::int64_t{after} + m_columnMoves[At(j)];
            minimumRose = minimumRose || (old == before && after > old);
            minimum = after < minimum ? after : minimum;
        }
        m_minimum[At(i)] = minimum;
        m_stale[At(i)] = minimumRose ? 1 : 0;
    }
    if (!m_stale[At(i)]) return;
    m_minimum[At(i)] = SmallestOfRow(&prices[At(i * m_n)], m_v.data(), m_u[At(i)], m_n);
    m_stale[At(i)] = 0;
}

}  // namespace kargolo
