#include <gtest/gtest.h>

#include "documents/grids_to_state.h"
#include "solver/solve_state.h"

namespace kargolo::testing {
namespace {

// A 2x2 task: tariffs 1 2 / 3 4, supplies 5 6, demands 7 4, every route unlimited.
TaskGrids SmallGrids() {
    TaskGrids grids = MakeTaskGrids(2, 2);
    const char* tariffs[] = {"1", "2", "3", "4"};
    for (int k = 0; k < 4; ++k) {
        grids.Tarif.At(k % 2 + 1, k / 2 + 1) = tariffs[k];
        grids.Restriction.At(k % 2 + 1, k / 2 + 1) = "M";
    }
    grids.Tarif.At(3, 1) = "5";
    grids.Tarif.At(3, 2) = "6";
    grids.Tarif.At(1, 3) = "7";
    grids.Tarif.At(2, 3) = "4";
    return grids;
}

TEST(GridsToSolveState, ReadsRimsTariffsAndLimits) {
    TaskGrids grids = SmallGrids();
    grids.Tarif.At(2, 1) = "-2x";  // trailing letters are dropped
    grids.Restriction.At(1, 1) = " m ";
    grids.Restriction.At(2, 1) = "";
    grids.Restriction.At(1, 2) = "0";
    grids.Restriction.At(2, 2) = "12 ";
    SolveState s;
    EXPECT_EQ(GridsToSolveState(grids, true, s), "");
    ASSERT_EQ(s.m, 2);
    ASSERT_EQ(s.n, 2);
    EXPECT_TRUE(s.RestrictedTask);
    EXPECT_EQ(s.Supplies[1].Amount, 6);
    EXPECT_EQ(s.Demands[0].Amount, 7);
    EXPECT_EQ(s.Cell(0, 1).Tariff, -2);
    EXPECT_EQ(s.Cell(0, 0).Limit, kNoLimit);
    EXPECT_EQ(s.Cell(0, 1).Limit, 0);
    EXPECT_EQ(s.Cell(1, 0).Limit, 0);
    EXPECT_EQ(s.Cell(1, 1).Limit, 12);
    EXPECT_EQ(s.Cell(1, 1).Cargo, 0);
}

TEST(GridsToSolveState, NamesTheFirstNumberThatDoesNotFitIn32Bits) {
    const struct {
        int Column, Row;
        bool Limits;
        const char* Message;
    } cases[] = {
        {3, 2, false, "Число \"2147483648\" в запасе поставщика A2 не помещается в 32 бита: "
                      "допустимы числа от -2147483648 до 2147483647."},
        {1, 3, false, "Число \"2147483648\" в потребности потребителя B1 не помещается в 32 бита: "
                      "допустимы числа от -2147483648 до 2147483647."},
        {2, 1, false, "Число \"2147483648\" в тарифе клетки (1,2) не помещается в 32 бита: "
                      "допустимы числа от -2147483648 до 2147483647."},
        {1, 2, true, "Число \"2147483648\" в ограничении клетки (2,1) не помещается в 32 бита: "
                     "допустимы числа от -2147483648 до 2147483647."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message);
        TaskGrids grids = SmallGrids();
        (c.Limits ? grids.Restriction : grids.Tarif).At(c.Column, c.Row) = "2147483648";
        SolveState s;
        EXPECT_EQ(GridsToSolveState(grids, false, s), c.Message);
    }
}

}  // namespace
}  // namespace kargolo::testing
