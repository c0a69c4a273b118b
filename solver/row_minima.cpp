#include "solver/row_minima.h"

#include "solver/row_worker.h"

#include <algorithm>
#include <limits>

namespace kargolo {
namespace {

// The passes over many cells are compiled twice on x86-64 ELF targets: for AVX2, taken at load
// time on processors that have it, and for the baseline. Elsewhere they are compiled once.
#if defined(__x86_64__) && defined(__ELF__) && (defined(__GNUC__) || defined(__clang__))
#define KARGOLO_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define KARGOLO_VECTOR_CLONES
#endif

constexpr int kBlock = 16;

// Each row's best cell among the cells of `columns` (in increasing order), by estimate, then tie
// rank (price ^ tieMask: the price, or its order reversed), from the prices column by column: an
// equal cell of a later column does not replace an earlier one. Plain loops over arrays with bit
// operations instead of branches, which the compiler vectorises.
KARGOLO_VECTOR_CLONES
void Sweep(std::int32_t* __restrict sweep, std::int32_t* __restrict tie, std::int32_t* __restrict column,
           const std::int32_t* __restrict byColumn, const int* columns, int count,
           const std::int32_t* __restrict u, const std::int32_t* __restrict v, int m, std::int32_t tieMask) {
    for (int c = 0; c < count; ++c) {
        const std::int32_t j = columns[c];
        const std::int32_t* __restrict price = byColumn + static_cast<std::ptrdiff_t>(j) * m;
        const std::int32_t vj = v[j];
        for (int i = 0; i < m; ++i) {
            const std::int32_t estimate = price[i] - u[i] - vj;
            const std::int32_t rank = price[i] ^ tieMask;
            const std::int32_t s = sweep[i];
            const std::int32_t t = tie[i];
            const std::int32_t better = -static_cast<std::int32_t>((estimate < s) | ((estimate == s) & (rank < t)));
            sweep[i] = (estimate & better) | (s & ~better);
            tie[i] = (rank & better) | (t & ~better);
            column[i] = (j & better) | (column[i] & ~better);
        }
    }
}

// The smallest estimate price[j] - u - v[j] of a row and of each of its blocks of kBlock cells
// (the last may be shorter); whole blocks have a fixed length, which the compiler unrolls.
KARGOLO_VECTOR_CLONES
std::int32_t RowMinimum(const std::int32_t* __restrict price, const std::int32_t* __restrict v,
                        std::int32_t u, int n, std::int32_t* __restrict blockMinima) {
    std::int32_t minimum = std::numeric_limits<std::int32_t>::max();
    int start = 0;
    int b = 0;
    for (; start + kBlock <= n; start += kBlock, ++b) {
        std::int32_t block = std::numeric_limits<std::int32_t>::max();
        for (int j = 0; j < kBlock; ++j) {
            const std::int32_t estimate = price[start + j] - u - v[start + j];
            block = estimate < block ? estimate : block;
        }
        blockMinima[b] = block;
        minimum = block < minimum ? block : minimum;
    }
    if (start < n) {
        std::int32_t block = std::numeric_limits<std::int32_t>::max();
        for (int j = start; j < n; ++j) {
            const std::int32_t estimate = price[j] - u - v[j];
            block = estimate < block ? estimate : block;
        }
        blockMinima[b] = block;
        minimum = block < minimum ? block : minimum;
    }
    return minimum;
}

}  // namespace

RowMinima::RowMinima() = default;
RowMinima::~RowMinima() = default;
RowMinima::RowMinima(RowMinima&&) noexcept = default;
RowMinima& RowMinima::operator=(RowMinima&&) noexcept = default;

void RowMinima::Reset(const std::vector<std::int32_t>& prices, int tieSign, int m, int n,
                      std::vector<std::int32_t> u, std::vector<std::int32_t> v, bool transposed) {
    m_prices = &prices;
    m_transposed = transposed;
    m_tieSign = tieSign;
    m_m = m;
    m_n = n;
    m_u = std::move(u);
    m_v = std::move(v);
    m_value.assign(At(m), 0);
    m_exact.assign(At(m), 0);
    m_best.assign(At(m), 0);
    m_rowRise.assign(At(m), 0);
    m_columnRise.assign(At(n), 0);
    m_inRows.assign(At(m), 0);
    m_inColumns.assign(At(n), 0);
    m_candidates.assign(At(m), 0);
    for (int i = 0, k = 0; i < m; ++i) {
        for (int j = 0; j < n; ++j, ++k) m_candidates[At(i)] += prices[At(k)] != kNoCandidate ? 1 : 0;
    }
    m_sweep.resize(At(m));
    m_sweepTie.resize(At(m));
    m_sweepColumn.resize(At(m));
    m_byColumn.resize(prices.size());
    for (int i = 0, k = 0; i < m; ++i) {
        for (int j = 0; j < n; ++j, ++k) m_byColumn[At(j * m + i)] = prices[At(k)];
    }
    const auto recompute = [this](int begin, int end) {
        std::vector<std::int32_t> blocks;  // each thread its own
        for (int i = begin; i < end; ++i) Recompute(i, blocks);
    };
    if (std::int64_t{m} * n >= kCellsForTwoThreads) {
        if (!m_worker) m_worker = std::make_unique<RowWorker>();
        m_worker->Run(m, recompute);
    } else {
        recompute(0, m);
    }
}

// The smallest estimate of the row, block by block, then the cell that holds it and comes
// first by the tie rule, looked for only in the blocks that hold the smallest estimate.
void RowMinima::Recompute(int i, std::vector<std::int32_t>& blocks) {
    m_exact[At(i)] = 1;
    if (m_candidates[At(i)] == 0) {
        m_value[At(i)] = kNone;
        m_best[At(i)] = 0;
        return;
    }
    const std::int32_t* price = &(*m_prices)[At(i * m_n)];
    const std::int32_t* v = m_v.data();
    const std::int32_t u = m_u[At(i)];
    blocks.resize(At((m_n + kBlock - 1) / kBlock));
    const std::int32_t minimum = RowMinimum(price, v, u, m_n, blocks.data());
    int best = -1;
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        if (blocks[b] != minimum) continue;
        const int start = static_cast<int>(b) * kBlock;
        for (int j = start; j < std::min(start + kBlock, m_n); ++j) {
            if (price[j] - u - v[j] != minimum) continue;
            if (best < 0 || TieBefore(i * m_n + j, i * m_n + best)) best = j;
        }
    }
    m_value[At(i)] = minimum;
    m_best[At(i)] = best;
}

// The new estimate of cell k: it may become the row's best, or leave the row without a known
// best when it held it and rose.
void RowMinima::PriceChanged(int k) {
    const int i = k / m_n;
    std::int32_t& kept = m_byColumn[At(k % m_n * m_m + i)];
    const std::int32_t price = (*m_prices)[At(k)];
    m_candidates[At(i)] += (price != kNoCandidate ? 1 : 0) - (kept != kNoCandidate ? 1 : 0);
    kept = price;
    const std::int32_t estimate = Estimate(k);
    std::int64_t& value = m_value[At(i)];
    if (m_candidates[At(i)] == 0) {
        Recompute(i);
    } else if (!m_exact[At(i)]) {
        value = std::min<std::int64_t>(value, estimate);
    } else if (m_best[At(i)] == k % m_n) {
        if (estimate <= value) {
            value = estimate;
        } else {
            m_exact[At(i)] = 0;  // the old minimum stays a bound below the new one
        }
    } else if (estimate < value || (estimate == value && TieBefore(k, i * m_n + m_best[At(i)]))) {
        value = estimate;
        m_best[At(i)] = k % m_n;
    }
}

// Cell (i, j) falls by the rise of u_i and of v_j, so no cell of row i falls by more than the
// rise of u_i and the largest rise of a column: the row's bound falls by that, and the row
// stays exact when its best cell is in a column that rose the most.
void RowMinima::MovePotentials(const Changes& rows, const Changes& columns) {
    std::int64_t most = static_cast<int>(columns.size()) < m_n ? 0 : std::numeric_limits<std::int64_t>::min();
    for (const auto& [j, potential] : columns) {
        m_columnRise[At(j)] = std::int64_t{potential} - m_v[At(j)];
        m_v[At(j)] = potential;
        most = std::max(most, m_columnRise[At(j)]);
    }
    if (columns.empty()) most = 0;
    for (const auto& [i, potential] : rows) {
        m_rowRise[At(i)] = std::int64_t{potential} - m_u[At(i)];
        m_u[At(i)] = potential;
    }
    for (int i = 0; i < m_m; ++i) {
        if (m_candidates[At(i)] == 0) continue;
        m_value[At(i)] -= m_rowRise[At(i)] + most;
        if (m_exact[At(i)] && m_columnRise[At(m_best[At(i)])] != most) m_exact[At(i)] = 0;
    }
    for (const auto& change : rows) m_rowRise[At(change.first)] = 0;
    for (const auto& change : columns) m_columnRise[At(change.first)] = 0;
}

// A move changes two blocks of cells by the same amount: the listed rows in the other columns
// (down by delta) and the other rows in the listed columns (up by delta). A row keeps or finds
// its exact minimum wherever the cells to look at are few: those of the listed columns, or a
// whole row of the listed rows. When delta < 0 every row looks at its cells in the listed
// columns: the rows that fell take the smallest of them, the rows that rose compare them with
// their best cell risen. When delta > 0 a listed row whose best cell did not fall is found
// anew, and another row whose best cell rose keeps its old minimum as a bound.
void RowMinima::MoveBlock(const std::vector<int>& rows, const std::vector<int>& columns, std::int32_t delta) {
    if (delta == 0) return;
    for (const int i : rows) {
        m_inRows[At(i)] = 1;
        m_u[At(i)] += delta;
    }
    for (const int j : columns) {
        m_inColumns[At(j)] = 1;
        m_v[At(j)] -= delta;
    }
    if (delta < 0) SweepColumns(columns);
    for (int i = 0; i < m_m; ++i) {
        if (m_candidates[At(i)] == 0) continue;  // nothing to tell
        const bool listedRow = m_inRows[At(i)] != 0;
        const bool bestListed = m_inColumns[At(m_best[At(i)])] != 0;
        const bool exact = m_exact[At(i)] != 0;
        if (delta < 0) {
            if (listedRow && bestListed && exact) continue;  // none of its cells fell below it
            if (listedRow && exact) m_value[At(i)] -= delta;  // its best cell rose
            if (!listedRow && bestListed && exact) {
                m_value[At(i)] += delta;  // fell with the others of these columns
            } else {
                TakeSweep(i);
            }
        } else if (listedRow) {
            if (exact && !bestListed) {
                m_value[At(i)] -= delta;
            } else {
                Recompute(i);
            }
        } else if (bestListed) {
            m_exact[At(i)] = 0;
        }
    }
    for (const int i : rows) m_inRows[At(i)] = 0;
    for (const int j : columns) m_inColumns[At(j)] = 0;
}

// The best cell of each row among the cells of `columns`, column by column.
void RowMinima::SweepColumns(const std::vector<int>& columns) {
    m_sorted.assign(columns.begin(), columns.end());
    std::sort(m_sorted.begin(), m_sorted.end());
    std::fill(m_sweep.begin(), m_sweep.end(), std::numeric_limits<std::int32_t>::max());
    std::fill(m_sweepTie.begin(), m_sweepTie.end(), std::numeric_limits<std::int32_t>::max());
    Sweep(m_sweep.data(), m_sweepTie.data(), m_sweepColumn.data(), m_byColumn.data(), m_sorted.data(),
          static_cast<int>(m_sorted.size()), m_u.data(), m_v.data(), m_m, TieMask());
}

// The row's minimum is its value or the best cell of the sweep. A row whose value is a bound
// has it exact when the sweep found a cell below the bound: every other cell is above it.
void RowMinima::TakeSweep(int i) {
    const std::int32_t estimate = m_sweep[At(i)];
    std::int64_t& value = m_value[At(i)];
    const int k = i * m_n + m_sweepColumn[At(i)];
    const bool exact = m_exact[At(i)] != 0;
    if (estimate < value || (estimate == value && exact && TieBefore(k, i * m_n + m_best[At(i)]))) {
        value = estimate;
        m_best[At(i)] = m_sweepColumn[At(i)];
        m_exact[At(i)] = 1;
    }
}

// The exact rows give a smallest estimate; a row whose bound is below it is found anew, in the
// order of the bounds, until the next bound is above the smallest estimate found.
std::int64_t RowMinima::Smallest() {
    std::int64_t smallest = kNone;
    for (int i = 0; i < m_m; ++i) {
        if (m_exact[At(i)]) smallest = std::min(smallest, m_value[At(i)]);
    }
    m_pending.clear();
    for (int i = 0; i < m_m; ++i) {
        if (!m_exact[At(i)] && m_value[At(i)] <= smallest) m_pending.push_back(i);
    }
    std::sort(m_pending.begin(), m_pending.end(),
              [this](int a, int b) { return m_value[At(a)] < m_value[At(b)]; });
    for (const int i : m_pending) {
        if (m_value[At(i)] > smallest) break;
        Recompute(i);
        smallest = std::min(smallest, m_value[At(i)]);
    }
    return smallest;
}

int RowMinima::BestIn(std::int64_t low, std::int64_t high) {
    int best = -1;
    const auto offer = [this, &best](int k) {
        if (best < 0 || TieBefore(k, best)) best = k;
    };
    for (int i = 0; i < m_m; ++i) {
        if (m_candidates[At(i)] == 0) continue;
        if (!m_exact[At(i)] && m_value[At(i)] <= high) Recompute(i);
        if (m_value[At(i)] > high) continue;
        if (low == high) {
            if (m_value[At(i)] == low) offer(i * m_n + m_best[At(i)]);
            continue;
        }
        for (int k = i * m_n; k < (i + 1) * m_n; ++k) {
            const std::int32_t estimate = Estimate(k);
            if (estimate >= low && estimate <= high) offer(k);
        }
    }
    return best < 0 ? best : InTask(best);
}

}  // namespace kargolo
