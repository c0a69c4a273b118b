#pragma once

// The smallest estimate price - u - v of each row, kept from stage to stage.
//
// A stage moves the potentials of a part of the basis tree (its rows by some d, its columns by
// -d) and changes the prices of a few cells. Each row keeps its smallest estimate, and the cell
// that holds it, for as long as that is known to be exact; otherwise it keeps a bound below it.
// A move tells each row what it can: the row is exact still when the cell that held its minimum
// moved the most, else its bound falls by the most any of its cells fell. Only the rows whose
// bounds reach below the smallest estimate of a stage are looked at again, so that a stage
// costs about the rows that could hold it, not the whole table.
//
// Everything is in 32 bits: prices below 2^30 in magnitude (kNoCandidate for a cell that is no
// candidate) and potentials below kSmall. Cells of equal estimates are told apart by their
// prices (the smaller first, or the larger for prices negated), then by their order.

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace kargolo {

class RowWorker;

class RowMinima {
public:
    RowMinima();
    ~RowMinima();
    RowMinima(RowMinima&&) noexcept;
    RowMinima& operator=(RowMinima&&) noexcept;

    // Potentials and prices of at least this magnitude do not fit the 32-bit passes.
    static constexpr std::int32_t kSmall = 1 << 28;
    // The price of a cell that is not a candidate: beyond every estimate of a candidate.
    static constexpr std::int32_t kNoCandidate = 1 << 30;
    static constexpr std::int64_t kNone = std::int64_t{1} << 40;

    using Changes = std::vector<std::pair<int, std::int32_t>>;  // (row or column, new potential)

    // Takes the prices (row-major m x n; the caller keeps them and reports every change of a
    // price), the sign of their ties (-1 for negated prices) and the potentials, and finds every
    // row anew. With `transposed` the rows here are the columns of the task and the columns its
    // rows (a tall task keeps fewer, longer lines so): cells are still told apart by their
    // places in the task, and BestIn gives those.
    void Reset(const std::vector<std::int32_t>& prices, int tieSign, int m, int n,
               std::vector<std::int32_t> u, std::vector<std::int32_t> v, bool transposed = false);
    // Cell k's price changed (the new one is in the prices already); before the potentials of
    // the same stage move.
    void PriceChanged(int k);
    // Some rows and columns have these potentials now.
    void MovePotentials(const Changes& rows, const Changes& columns);
    // The rows listed rise by delta and the columns listed fall by it: a part of the basis tree
    // moved. The estimates of those rows in the other columns fall by
    // delta and those of the other rows in these columns rise by it.
    void MoveBlock(const std::vector<int>& rows, const std::vector<int>& columns, std::int32_t delta);

    // The smallest estimate of any cell of a row with candidates; kNone when no row has any.
    std::int64_t Smallest();
    // The cell (its place in the task) with an estimate in [low, high] whose tie rank is the
    // smallest, the first of them in the task's row-major order on equal ranks; -1 when there
    // is none.
    int BestIn(std::int64_t low, std::int64_t high);

private:
    static std::size_t At(int index) { return static_cast<std::size_t>(index); }
    std::int32_t Estimate(int k) const { return (*m_prices)[At(k)] - m_u[At(k / m_n)] - m_v[At(k % m_n)]; }
    // Prices ^ TieMask() order cells of equal estimates as the tie rule does.
    std::int32_t TieMask() const { return m_tieSign > 0 ? 0 : -1; }
    // The place in the task of cell k here.
    int InTask(int k) const { return m_transposed ? k % m_n * m_m + k / m_n : k; }
    // Whether cell a comes before cell b among cells of equal estimates.
    bool TieBefore(int a, int b) const {
        const std::int32_t x = m_tieSign * (*m_prices)[At(a)];
        const std::int32_t y = m_tieSign * (*m_prices)[At(b)];
        return x < y || (x == y && InTask(a) < InTask(b));
    }
    void Recompute(int i, std::vector<std::int32_t>& blocks);
    void Recompute(int i) { Recompute(i, m_blockMinima); }
    void SweepColumns(const std::vector<int>& columns);
    void TakeSweep(int i);

    // From this many cells on, two threads find the rows of a reset.
    static constexpr std::int64_t kCellsForTwoThreads = 1 << 18;

    const std::vector<std::int32_t>* m_prices = nullptr;
    int m_tieSign = 1;
    bool m_transposed = false;
    int m_m = 0;
    int m_n = 0;
    std::vector<std::int32_t> m_u;
    std::vector<std::int32_t> m_v;
    std::vector<std::int64_t> m_value;  // per row: its smallest estimate, or a bound below it
    std::vector<char> m_exact;          // per row: m_value is its smallest estimate
    std::vector<int> m_best;            // per exact row: the column of its best cell
    std::vector<int> m_candidates;      // per row: its candidates; a row of none has kNone
    // Scratch of a move: per row and column, by how much its potential rose.
    std::vector<std::int64_t> m_rowRise;
    std::vector<std::int64_t> m_columnRise;
    std::vector<int> m_pending;
    std::vector<std::int32_t> m_byColumn;  // the prices column by column (n x m)
    // Per row: its best cell among some columns, its estimate and tie.
    std::vector<std::int32_t> m_sweep;
    std::vector<std::int32_t> m_sweepTie;
    std::vector<std::int32_t> m_sweepColumn;
    std::vector<int> m_sorted;  // the columns of a sweep in increasing order
    std::vector<std::int32_t> m_blockMinima;
    std::vector<char> m_inRows;
    std::vector<char> m_inColumns;
    std::unique_ptr<RowWorker> m_worker;  // made for the first large task
};

}  // namespace kargolo
