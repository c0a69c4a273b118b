#include "tests/support/plan_checks.h"

#include <gtest/gtest.h>

#include "solver/report_writer.h"

namespace kargolo {
void PrintTo(const EpsValue& value, std::ostream* out) { *out << FormatEpsValue(value); }
}  // namespace kargolo

namespace kargolo::testing {

void ExpectPlanMeetsRims(const SolveState& s) {
    std::vector<std::int64_t> shipped(static_cast<std::size_t>(s.m));
    std::vector<std::int64_t> received(static_cast<std::size_t>(s.n));
    int occupied = 0;
    for (int i = 0; i < s.m; ++i) {
        for (int j = 0; j < s.n; ++j) {
            const TaskCell& c = s.Cell(i, j);
            const bool free = c.Cargo == kFreeCargo && c.CargoEps == 0;
            EXPECT_TRUE(free || c.Cargo >= 0) << "cell (" << i + 1 << "," << j + 1 << ")";
            if (free) continue;
            ++occupied;
            shipped[static_cast<std::size_t>(i)] += c.Cargo;
            received[static_cast<std::size_t>(j)] += c.Cargo;
        }
    }
    for (int i = 0; i < s.m; ++i) {
        EXPECT_EQ(shipped[static_cast<std::size_t>(i)], s.Supplies[static_cast<std::size_t>(i)].Amount)
            << "supplier A" << i + 1;
    }
    for (int j = 0; j < s.n; ++j) {
        EXPECT_EQ(received[static_cast<std::size_t>(j)], s.Demands[static_cast<std::size_t>(j)].Amount)
            << "consumer B" << j + 1;
    }
    if (!s.RestrictedTask) {  // with limits, cells at their limit are occupied but not basic
        EXPECT_LE(occupied, s.m + s.n - 1);
    }
}

void ExpectPlanWithinLimits(const SolveState& s) {
    for (int k = 0; k < s.CellCount(); ++k) {
        const TaskCell& c = s.At(k);
        if (c.Limit == kNoLimit || !CarriesCargo(c)) continue;
        EXPECT_LE(c.Cargo, c.Limit) << "cell (" << k / s.n + 1 << "," << k % s.n + 1 << ")";
    }
}

void ExpectOptimalityCertificate(const SolveState& s) {
    std::vector<std::int64_t> u(static_cast<std::size_t>(s.m));
    std::vector<std::int64_t> v(static_cast<std::size_t>(s.n));
    std::vector<bool> rowKnown(static_cast<std::size_t>(s.m));
    std::vector<bool> columnKnown(static_cast<std::size_t>(s.n));
    rowKnown[0] = true;
    int basic = 0;
    for (const TaskCell& c : s.Cells) basic += InBasis(c);
    ASSERT_EQ(basic, s.m + s.n - 1);
    for (bool progress = true; progress;) {  // sweeps until nothing new is found
        progress = false;
        for (int i = 0; i < s.m; ++i) {
            for (int j = 0; j < s.n; ++j) {
                const auto ui = static_cast<std::size_t>(i);
                const auto vj = static_cast<std::size_t>(j);
                if (!InBasis(s.Cell(i, j)) || rowKnown[ui] == columnKnown[vj]) continue;
                if (rowKnown[ui]) v[vj] = s.Cell(i, j).Tariff - u[ui];
                if (columnKnown[vj]) u[ui] = s.Cell(i, j).Tariff - v[vj];
                rowKnown[ui] = columnKnown[vj] = progress = true;
            }
        }
    }
    std::int64_t cost = 0;
    std::int64_t dual = 0;
    for (int i = 0; i < s.m; ++i) {
        ASSERT_TRUE(rowKnown[static_cast<std::size_t>(i)]) << "the basis does not reach A" << i + 1;
        dual += u[static_cast<std::size_t>(i)] * s.Supplies[static_cast<std::size_t>(i)].Amount;
        for (int j = 0; j < s.n; ++j) {
            const TaskCell& c = s.Cell(i, j);
            if (CarriesCargo(c)) cost += std::int64_t{c.Tariff} * c.Cargo;
            if (InBasis(c)) continue;
            EXPECT_GE(c.Tariff - u[static_cast<std::size_t>(i)] - v[static_cast<std::size_t>(j)], 0)
                << "cell (" << i + 1 << "," << j + 1 << ") could still lower the cost";
        }
    }
    for (int j = 0; j < s.n; ++j) {
        ASSERT_TRUE(columnKnown[static_cast<std::size_t>(j)]) << "the basis does not reach B" << j + 1;
        dual += v[static_cast<std::size_t>(j)] * s.Demands[static_cast<std::size_t>(j)].Amount;
    }
    EXPECT_EQ(dual, cost);
}

}  // namespace kargolo::testing
