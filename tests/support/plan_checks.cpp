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
    EXPECT_LE(occupied, s.m + s.n - 1);
}

}  // namespace kargolo::testing
