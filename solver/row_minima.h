#pragma once

// The smallest estimate price - u - v of every row, kept from one pricing pass to the next.
//
// A stage of the method of potentials changes the potentials of one side of the basis tree (u
// by some d, v by -d) and the prices of a few cells; only the rows and columns they touch are
// looked at again. Estimates stay the same when every u rises and every v falls by one amount,
// so the potentials are kept with an offset chosen at each stage to make the smaller side move.
// Everything is in 32 bits: prices and potentials stay below 2^30 and 2^28 in magnitude.

#include <cstdint>
#include <memory>
#include <vector>

namespace kargolo {

class RowWorker;

class RowMinima {
public:
    RowMinima();
    ~RowMinima();
    RowMinima(RowMinima&&) noexcept;
    RowMinima& operator=(RowMinima&&) noexcept;


public:
    // Potentials and prices of at least this magnitude do not fit the 32-bit pass.
    static constexpr std::int32_t kSmall = 1 << 28;

    // The next Update looks at every cell.
    void Reset() { m_valid = false; }

    struct PriceChange {
        int Cell;
        std::int32_t OldPrice;
    };

    // Brings the minima to the potentials u, v (of the textbook, u_1 = 0) and to `prices`
    // (row-major, m x n), of which only the cells in `changed` differ from the last call (in
    // the order of their changes; the list is sorted). False when the potentials do not fit
    // 32 bits; the minima are then invalid.
    bool Update(const std::vector<std::int32_t>& prices, int m, int n,
                const std::vector<std::int64_t>& u, const std::vector<std::int64_t>& v,
                std::vector<PriceChange>& changed);

    std::int32_t Minimum(int i) const { return m_minimum[At(i)]; }
    // The estimate of cell (i, j) under the current prices and potentials.
    std::int32_t Estimate(const std::vector<std::int32_t>& prices, int i, int j) const {
        return prices[At(i * m_n + j)] - m_u[At(i)] - m_v[At(j)];
    }

private:
    static std::size_t At(int index) { return static_cast<std::size_t>(index); }
    bool MovePotentials(const std::vector<std::int64_t>& u, const std::vector<std::int64_t>& v,
                        bool chooseOffset);
    void FollowPrices(const std::vector<std::int32_t>& prices, std::vector<PriceChange>& changed);
    void RefreshRow(const std::vector<std::int32_t>& prices, int i);

    // From this many cells on, two threads refresh the rows.
    static constexpr std::int64_t kCellsForTwoThreads = 1 << 18;

    bool m_valid = false;
    int m_m = 0;
    int m_n = 0;
    std::int64_t m_offset = 0;       // m_u = u + offset, m_v = v - offset
    std::vector<std::int32_t> m_u;
    std::vector<std::int32_t> m_v;
    std::vector<std::int32_t> m_minimum;  // per row
    std::vector<char> m_stale;            // per row: to be recomputed
    std::vector<int> m_movedColumns;      // columns whose potential moved, and by how much
    std::vector<std::int32_t> m_columnMoves;
    std::unique_ptr<RowWorker> m_worker;  // made for the first large task
};

}  // namespace kargolo
