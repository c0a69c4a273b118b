#include <gtest/gtest.h>

#include "documents/task_editing.h"

namespace kargolo::testing {
namespace {

// A task of m suppliers and n consumers whose tariff (j, i) is "ij", supplies "Ai", demands
// "Bj", and limits "Dij"; distinct texts show where every cell went.
TaskGrids Labelled(int m, int n) {
    TaskGrids grids = NewTaskGrids(m, n);
    for (int i = 1; i <= m; ++i) {
        for (int j = 1; j <= n; ++j) {
            grids.Tarif.At(j, i) = std::to_string(i) + std::to_string(j);
            grids.Restriction.At(j, i) = "D" + std::to_string(i) + std::to_string(j);
        }
        grids.Tarif.At(n + 1, i) = grids.Restriction.At(n + 1, i) = "A" + std::to_string(i);
    }
    for (int j = 1; j <= n; ++j) {
        grids.Tarif.At(j, m + 1) = grids.Restriction.At(j, m + 1) = "B" + std::to_string(j);
    }
    return grids;
}

TEST(NewTaskGrids, StartsAsTheEditorShowsANewTask) {
    const TaskGrids grids = NewTaskGrids();
    ASSERT_EQ(grids.Suppliers(), 3);
    ASSERT_EQ(grids.Consumers(), 3);
    EXPECT_EQ(grids.Tarif.At(0, 1), "поставщик A1");
    EXPECT_EQ(grids.Tarif.At(3, 0), "потребитель B3");
    EXPECT_EQ(grids.Tarif.At(0, 4), "Потребности");
    EXPECT_EQ(grids.Tarif.At(4, 0), "Запасы груза");
    EXPECT_EQ(grids.Tarif.At(2, 2), "0");
    EXPECT_EQ(grids.Tarif.At(4, 2), "0");
    EXPECT_EQ(grids.Restriction.At(2, 2), "M");
    EXPECT_EQ(grids.Tarif.At(4, 4), "");
    EXPECT_EQ(grids.Restriction.At(4, 4), "");
}

TEST(CheckCell, NormalisesLettersNonNumbersAndRefusesNegativeLimits) {
    const struct {
        GridKind Grid;
        int Column;
        const char* Typed;
        const char* Message;  // nullptr: allowed
        const char* Kept;
    } cases[] = {
        {GridKind::Restriction, 1, "m", nullptr, "M"},
        {GridKind::Restriction, 1, " м ", nullptr, "M"},  // the Cyrillic letter
        {GridKind::Restriction, 1, "М", nullptr, "M"},
        {GridKind::Restriction, 1, "-5", "Число должно быть > 0", "-5"},
        {GridKind::Restriction, 1, "12", nullptr, "12"},
        {GridKind::Tarif, 1, "-5", nullptr, "-5"},
        {GridKind::Tarif, 1, "m", nullptr, "M"},  // a forbidden route
        {GridKind::Tarif, 4, "m", nullptr, "0"},  // a supply is a number
        {GridKind::Tarif, 1, "abc", nullptr, "0"},
        {GridKind::Tarif, 1, "12ab", nullptr, "0"},
        {GridKind::Tarif, 1, "", nullptr, "0"},
        {GridKind::Tarif, 1, "-0", nullptr, "0"},
        {GridKind::Tarif, 1, "99999999999", nullptr, "0"},  // no 32-bit integer
        {GridKind::Mandatory, 1, "", nullptr, ""},          // none
        {GridKind::Mandatory, 1, " 7 ", nullptr, " 7 "},
        {GridKind::Mandatory, 1, "x", nullptr, "0"},
        {GridKind::Mandatory, 1, "m", nullptr, "0"},
        {GridKind::Mandatory, 1, "-3", "Обязательная поставка не может быть отрицательной", "-3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        TaskGrids grids = NewTaskGrids();
        TextGrid& grid = c.Grid == GridKind::Tarif ? grids.Tarif
                         : c.Grid == GridKind::Restriction ? grids.Restriction
                                                           : grids.Mandatory;
        grid.At(c.Column, 1) = c.Typed;
        const CellCheck check = CheckCell(grids, c.Grid, c.Column, 1);
        EXPECT_EQ(check.Allowed, c.Message == nullptr);
        EXPECT_EQ(check.Message, c.Message == nullptr ? "" : c.Message);
        EXPECT_EQ(grid.At(c.Column, 1), c.Kept);
    }
}

TEST(CheckLeavingCell, KeepsTheCornerOutAndMirrorsSuppliesAndDemands) {
    TaskGrids grids = NewTaskGrids();
    grids.Tarif.At(4, 2) = "25";
    EXPECT_FALSE(CheckLeavingCell(grids, GridKind::Tarif, 4, 2, 4, 4).Allowed);
    EXPECT_TRUE(CheckLeavingCell(grids, GridKind::Tarif, 4, 2, 4, 3).Allowed);
    EXPECT_EQ(grids.Restriction.At(4, 2), "25");
    grids.Restriction.At(2, 4) = "40";
    EXPECT_TRUE(CheckLeavingCell(grids, GridKind::Restriction, 2, 4, 1, 1).Allowed);
    EXPECT_EQ(grids.Tarif.At(2, 4), "40");
    grids.Restriction.At(1, 1) = "-3";
    EXPECT_FALSE(CheckLeavingCell(grids, GridKind::Restriction, 1, 1, 2, 1).Allowed);
}

TEST(CopyRim, BringsTheSuppliesAndDemandsOfOnePageToTheOther) {
    TaskGrids grids = NewTaskGrids(2, 2);
    grids.Tarif.At(3, 1) = "7";
    grids.Tarif.At(2, 3) = "9";
    CopyRim(grids, GridKind::Tarif);
    EXPECT_EQ(grids.Restriction.At(3, 1), "7");
    EXPECT_EQ(grids.Restriction.At(2, 3), "9");
    EXPECT_EQ(grids.Restriction.At(1, 1), "M");
}

TEST(InsertSupplier, PutsAnEmptySupplierBeforeTheCurrentRow) {
    TaskGrids grids = Labelled(3, 2);
    InsertSupplier(grids, 2);
    ASSERT_EQ(grids.Suppliers(), 4);
    EXPECT_EQ(grids.Tarif.At(0, 2), "поставщик A2");
    EXPECT_EQ(grids.Tarif.At(1, 1), "11");
    EXPECT_EQ(grids.Tarif.At(1, 2), "0");
    EXPECT_EQ(grids.Tarif.At(3, 2), "0");
    EXPECT_EQ(grids.Restriction.At(1, 2), "M");
    EXPECT_EQ(grids.Restriction.At(3, 2), "0");
    EXPECT_EQ(grids.Tarif.At(1, 3), "21");  // old supplier 2 is now 3
    EXPECT_EQ(grids.Tarif.At(3, 4), "A3");
    EXPECT_EQ(grids.Tarif.At(2, 5), "B2");
    EXPECT_EQ(grids.Tarif.At(3, 5), "");
    InsertSupplier(grids, 5);  // on the demand row: before it
    EXPECT_EQ(grids.Tarif.At(1, 5), "0");
    EXPECT_EQ(grids.Tarif.At(1, 6), "B1");
}

TEST(InsertConsumer, PutsAnEmptyConsumerBeforeTheCurrentColumn) {
    TaskGrids grids = Labelled(2, 2);
    InsertConsumer(grids, 1);
    ASSERT_EQ(grids.Consumers(), 3);
    EXPECT_EQ(grids.Tarif.At(1, 1), "0");
    EXPECT_EQ(grids.Restriction.At(1, 3), "0");
    EXPECT_EQ(grids.Tarif.At(2, 1), "11");
    EXPECT_EQ(grids.Restriction.At(3, 2), "D22");
    EXPECT_EQ(grids.Tarif.At(3, 0), "потребитель B3");
}

// A two-supplier task used to lose one more and save a file that the reader refuses.
TEST(DeleteSupplier, RemovesTheCurrentRowButKeepsAtLeastTwoSuppliers) {
    TaskGrids grids = Labelled(3, 2);
    EXPECT_EQ(DeleteSupplier(grids, 2), "");
    ASSERT_EQ(grids.Suppliers(), 2);
    EXPECT_EQ(grids.Tarif.At(1, 2), "31");
    EXPECT_EQ(grids.Tarif.At(0, 2), "поставщик A2");
    EXPECT_EQ(DeleteSupplier(grids, 1), "Число строк или колонок таблицы должно быть больше 2");
    EXPECT_EQ(grids.Suppliers(), 2);
    EXPECT_EQ(DeleteConsumer(grids, 1), "Число строк или колонок таблицы должно быть больше 2");
}

TEST(DeleteSupplier, OnTheDemandRowDropsTheLastRow) {
    TaskGrids grids = Labelled(3, 2);
    EXPECT_EQ(DeleteSupplier(grids, 4), "");
    EXPECT_EQ(grids.Tarif.At(1, 3), "31");  // the last supplier's row is now the demand row
    EXPECT_EQ(grids.Tarif.At(3, 3), "");
}

TEST(InverseSign, NegatesTariffsOnlyAndTwiceRestoresThem) {
    TaskGrids grids = Labelled(2, 2);
    grids.Tarif.At(1, 1) = "-0";
    grids.Tarif.At(2, 2) = "x7";
    InverseSign(grids);
    EXPECT_EQ(grids.Tarif.At(1, 1), "0");
    EXPECT_EQ(grids.Tarif.At(2, 1), "-12");
    EXPECT_EQ(grids.Tarif.At(2, 2), "0");
    EXPECT_EQ(grids.Tarif.At(3, 1), "A1");
    InverseSign(grids);
    EXPECT_EQ(grids.Tarif.At(2, 1), "12");
}

TEST(Transpose, SwapsSuppliersAndConsumersAndTwiceRestoresTheTask) {
    const TaskGrids original = Labelled(2, 3);
    TaskGrids grids = original;
    Transpose(grids);
    ASSERT_EQ(grids.Suppliers(), 3);
    ASSERT_EQ(grids.Consumers(), 2);
    EXPECT_EQ(grids.Tarif.At(2, 3), "23");  // route (2,3) is now (3,2)
    EXPECT_EQ(grids.Restriction.At(1, 2), "D12");
    EXPECT_EQ(grids.Tarif.At(3, 1), "B1");  // demands became supplies
    EXPECT_EQ(grids.Tarif.At(2, 4), "A2");
    EXPECT_EQ(grids.Tarif.At(3, 4), "");
    EXPECT_EQ(grids.Tarif.At(0, 3), "поставщик A3");
    Transpose(grids);
    EXPECT_EQ(grids, original);
}

// A block copied comes back as the same texts when pasted elsewhere; line ends of either kind,
// a final line end and blanks around texts are read as spreadsheets write them.
TEST(PasteBlock, WritesTheBlockAndItsRimsIntoBothGrids) {
    TaskGrids grids = NewTaskGrids(3, 3);
    PasteBlock(grids, GridKind::Tarif, 1, 1, " 5\t7 \r\n9\t11\r\n");
    EXPECT_EQ(CopyBlock(grids, GridKind::Tarif, 1, 1, 2, 2), "5\t7\n9\t11\n");
    PasteBlock(grids, GridKind::Tarif, 3, 1, "1\t40");  // the last text lands in the supplies
    EXPECT_EQ(grids.Tarif.At(4, 1), "40");
    EXPECT_EQ(grids.Restriction.At(4, 1), "40");
    PasteBlock(grids, GridKind::Restriction, 1, 1, "M\t25");
    EXPECT_EQ(grids.Restriction.At(2, 1), "25");
    EXPECT_EQ(grids.Tarif.At(2, 1), "7");  // a limit is no tariff
}

// A whole task (tariffs, supplies as the last column, demands as the last row) pasted at the
// first cell of a smaller task grows it to its size; the corner stays empty.
TEST(PasteBlock, GrowsTheTaskForAWholeTask) {
    TaskGrids grids = NewTaskGrids(2, 2);
    PasteBlock(grids, GridKind::Tarif, 1, 1, "1\t2\t3\t10\n4\t5\t6\t20\n7\t8\t9\t30\n15\t15\t30\t99\n");
    EXPECT_EQ(grids.Suppliers(), 3);
    EXPECT_EQ(grids.Consumers(), 3);
    EXPECT_EQ(CopyBlock(grids, GridKind::Tarif, 1, 1, 4, 3), "1\t2\t3\t10\n4\t5\t6\t20\n7\t8\t9\t30\n");
    EXPECT_EQ(CopyBlock(grids, GridKind::Tarif, 1, 4, 3, 1), "15\t15\t30\n");
    EXPECT_EQ(grids.Tarif.At(4, 4), "");
    EXPECT_EQ(grids.Restriction.At(1, 4), "15");
}

// A whole task into a new one: the task takes the block's size, smaller ones too.
TEST(PasteTask, MakesTheTaskTheBlocksSize) {
    TaskGrids grids = NewTaskGrids(3, 3);
    PasteTask(grids, "1\t2\t10\n3\t4\t20\n15\t15\t\n");
    EXPECT_EQ(grids.Suppliers(), 2);
    EXPECT_EQ(grids.Consumers(), 2);
    EXPECT_EQ(CopyBlock(grids, GridKind::Tarif, 1, 1, 3, 3), "1\t2\t10\n3\t4\t20\n15\t15\t\n");
    EXPECT_EQ(grids.Restriction.At(3, 2), "20");
    TaskGrids captioned = NewTaskGrids(3, 3);
    PasteTask(captioned, "\tпотребитель B1\tпотребитель B2\tЗапасы груза\n"
                         "поставщик A1\t1\t2\t10\nпоставщик A2\t3\t4\t20\nПотребности\t15\t15\t\n");
    EXPECT_EQ(captioned, grids);  // the captions are the grid's own
}

}  // namespace
}  // namespace kargolo::testing
