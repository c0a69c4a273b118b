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

TEST(ComputeObjectiveF, FormsEachProductIn64BitsBeforeTheSinglePrecisionSum) {
    // 100000 * 100000 wraps in 32 bits; the exact product 10^10 is a float exactly.
    SolveState s = MakeState({"big product", {100000, 0}, {100000, 0}, {100000, 1, 1, 1}});
    SetPlanQuantity(s.Cell(0, 0), {100000, 0});
    for (int k = 1; k < 4; ++k) SetPlanQuantity(s.At(k), {kFreeCargo, 0});
    EXPECT_EQ(ComputeObjectiveF(s), 1e10f);
}

TEST(ComputeObjectiveF, RoundsTheRunningSumToSinglePrecisionAfterEachCell) {
    // 2^24 + 1 + 1: each addition of 1 to 2^24 rounds back to 2^24 in single precision, where an
    // exact sum would give 16777218.
    SolveState s = MakeState({"above 2^24", {16777216, 1, 1}, {16777218}, {1, 1, 1}});
    SetPlanQuantity(s.Cell(0, 0), {16777216, 0});
    SetPlanQuantity(s.Cell(1, 0), {1, 0});
    SetPlanQuantity(s.Cell(2, 0), {1, 0});
    EXPECT_EQ(ComputeObjectiveF(s), 16777216.0f);
}

TEST(ComputeObjectiveF, SkipsBasisZerosAndFreeCells) {
    SolveState s = MakeState({"2x2", {5, 5}, {5, 5}, {7, 100, 100, 3}});
    SetPlanQuantity(s.Cell(0, 0), {5, 0});
    SetPlanQuantity(s.Cell(0, 1), {0, 0});
    SetPlanQuantity(s.Cell(1, 0), {kFreeCargo, 0});
    SetPlanQuantity(s.Cell(1, 1), {5, 0});
    EXPECT_EQ(ComputeObjectiveF(s), 50.0f);
}

}  // namespace
}  // namespace kargolo::testing
