#pragma once

// Steps shared by the plan rules: the running rests A*_i and B*_j with the placement of the
// smaller one, the search for the cheapest open cell, the temporary exclusion of a fictitious
// row or column, and its filling at the end.
//
// UsingFlag marks cells: 0 = may still be chosen, 255 = excluded or already filled.

#include <cstdint>
#include <limits>
#include <vector>

#include "solver/solve_state.h"

namespace kargolo {

constexpr int kNoCell = -1;
constexpr std::uint8_t kCellOpen = 0;
constexpr std::uint8_t kCellUsed = 255;

inline bool HasFictitiousConsumer(const SolveState& s) { return s.TotalDemand < s.TotalSupply; }
inline bool HasFictitiousSupplier(const SolveState& s) { return s.TotalSupply < s.TotalDemand; }

// What supplier i still has to ship (A*_i) and consumer j still has to receive (B*_j), kept as
// running values. Numeric parts only: every quantity a plan rule places has epsilon part 0.
class PlanRests {
public:
    struct Placement {
        std::int32_t Placed = 0;
        std::int32_t RowBefore = 0;     // A*_i before the placement
        std::int32_t ColumnBefore = 0;  // B*_j before the placement
    };

    // The rests of a plan whose cells all hold (0, 0).
    explicit PlanRests(const SolveState& s);

    std::int32_t Row(int i) const { return m_row[static_cast<std::size_t>(i)]; }
    std::int32_t Column(int j) const { return m_column[static_cast<std::size_t>(j)]; }

    // Places into cell k the smaller of A*_i and B*_j (A*_i when they are equal), and no more
    // than cap.
    Placement Place(SolveState& s, int k,
                    std::int32_t cap = std::numeric_limits<std::int32_t>::max());

private:
    std::vector<std::int32_t> m_row;
    std::vector<std::int32_t> m_column;
};

enum class Scope { Row, Column, All };

// The open cell with the smallest Tariff in the scope (row index, column index, or every cell
// with index ignored); the first in the scope's order wins a tie. kNoCell when none is open.
int FindMinTariffCell(const SolveState& s, Scope scope, int index);

// The open cells in the order FindMinTariffCell(All) would take them one by one when each is
// flagged after it is taken: by tariff, ties in row-major order.
std::vector<int> OpenCellsInTariffOrder(const SolveState& s);
// Sorts cells by tariff, ties by index.
void SortByTariff(const SolveState& s, std::vector<int>& cells);

// Allocates UsingFlag with every cell open.
void StartFlags(SolveState& s);
// Flags the cells of a fictitious column or row until DistributeFictitious, with its line.
void ExcludeFictitious(SolveState& s);
// Releases UsingFlag.
void ReleaseFlags(SolveState& s);

// Puts the remaining cargo into the fictitious column (top to bottom) or row (left to right).
void DistributeFictitious(SolveState& s, PlanRests& rests);

}  // namespace kargolo
