#include <gtest/gtest.h>

#include "solver/solve_state.h"
#include "tests/support/plan_checks.h"
#include "tests/support/task_builders.h"

namespace kargolo::testing {
namespace {

TEST(Remainders, CountOnlyCellsThatCarryCargo) {
    SolveState s = MakeState({"2x3", {30, 20}, {10, 25, 15}, {}});
    SetPlanQuantity(s.Cell(0, 0), {10, 0});
    SetPlanQuantity(s.Cell(0, 1), {0, 0});           // basis zero
    SetPlanQuantity(s.Cell(0, 2), {kFreeCargo, 0});  // free
    SetPlanQuantity(s.Cell(1, 0), {0, 2});           // an epsilon quantity carries cargo
    EXPECT_EQ(RowRemainder(s, 0), (EpsValue{20, 0}));
    EXPECT_EQ(RowRemainder(s, 1), (EpsValue{20, -2}));
    EXPECT_EQ(ColumnRemainder(s, 0), (EpsValue{0, -2}));
    EXPECT_EQ(ColumnRemainder(s, 1), (EpsValue{25, 0}));
}

TEST(ComputeObjectiveF, FormsEachProductIn64Bits) {
    // 100000 * 100000 wraps in 32 bits.
    SolveState s = MakeState({"big product", {100000, 0}, {100000, 0}, {100000, 1, 1, 1}});
    SetPlanQuantity(s.Cell(0, 0), {100000, 0});
    for (int k = 1; k < 4; ++k) SetPlanQuantity(s.At(k), {kFreeCargo, 0});
    EXPECT_EQ(ComputeObjectiveF(s), 10000000000);
}

// F used to be summed in single precision: 2^24 + 1 + 1 came out as 2^24, and a plan costing
// 2^62 - 2^32 + 1 was off by billions.
TEST(ComputeObjectiveF, IsExactAbove2To24AndNear2To62) {
    SolveState s = MakeState({"above 2^24", {16777216, 1, 1}, {16777218}, {1, 1, 1}});
    SetPlanQuantity(s.Cell(0, 0), {16777216, 0});
    SetPlanQuantity(s.Cell(1, 0), {1, 0});
    SetPlanQuantity(s.Cell(2, 0), {1, 0});
    EXPECT_EQ(ComputeObjectiveF(s), 16777218);
    SolveState huge = MakeState({"near 2^62", {2147483647}, {2147483647}, {2147483647}});
    SetPlanQuantity(huge.Cell(0, 0), {2147483647, 0});
    EXPECT_EQ(ComputeObjectiveF(huge), 4611686014132420609);
}

TEST(ObjectiveChange, IsTheExactDistanceEvenAcrossTheWholeRange) {
    EXPECT_EQ(ObjectiveChange(445, 430), 15u);
    EXPECT_EQ(ObjectiveChange(-80, 10), 90u);
    const std::int64_t big = std::int64_t{1} << 62;
    EXPECT_EQ(ObjectiveChange(-big, big), std::uint64_t{1} << 63);
    EXPECT_EQ(ObjectiveChange(16777217, 16777216), 1u);
}

TEST(ComputeObjectiveF, SkipsBasisZerosAndFreeCells) {
    SolveState s = MakeState({"2x2", {5, 5}, {5, 5}, {7, 100, 100, 3}});
    SetPlanQuantity(s.Cell(0, 0), {5, 0});
    SetPlanQuantity(s.Cell(0, 1), {0, 0});
    SetPlanQuantity(s.Cell(1, 0), {kFreeCargo, 0});
    SetPlanQuantity(s.Cell(1, 1), {5, 0});
    EXPECT_EQ(ComputeObjectiveF(s), 50);
}

}  // namespace
}  // namespace kargolo::testing
