#include <gtest/gtest.h>

#include "documents/plan_edit.h"
#include "solver/plan_rules.h"
#include "tests/support/plan_checks.h"
#include "tests/support/task_builders.h"

namespace kargolo::testing {
namespace {

TEST(ParseQuantity, ReadsNumbersAndMultiplesOfE) {
    const struct {
        const char* Text;
        EpsValue Value;
        bool Read;
    } cases[] = {
        {"5", {5, 0}, true},   {"3+2e", {3, 2}, true}, {"e", {0, 1}, true},  {"4-e", {4, -1}, true},
        {"abc", {0, 0}, false}, {" 1 2 ", {12, 0}, true}, {"2E", {0, 2}, true}, {"-3", {-3, 0}, true},
        {"7+x", {7, 0}, true}, {"", {0, 0}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        const ParsedQuantity parsed = ParseQuantity(c.Text);
        EXPECT_EQ(parsed.Value, c.Value);
        EXPECT_EQ(parsed.Read, c.Read);
    }
}

// The texts put "%c A%i" and "%c (%i,%i)" behind headings that end in a blank, so the first
// entry stands after three blanks.

// 2 x 2 with supplies 10, 10 and demands 5, 15: (1,1) = 5, (1,2) = 5, (2,2) = 10.
SolveState ValidPlan() {
    SolveState s = MakeState({"2x2", {10, 10}, {5, 15}, {3, 1, 2, 4}});
    NorthWestCorner(s);
    return s;
}

// A plan cell takes what a quantity can be written with, and no digits beyond 32 bits.
TEST(CheckTypedQuantity, TakesDigitsSignsBlanksAndE) {
    for (const char* text : {"", "5", "5+2e", "e", "-e", "3 + E", "2147483647"}) {
        EXPECT_EQ(CheckTypedQuantity(text), TypedText::Complete) << text;
    }
    for (const char* text : {"abc", "5x", "1.5", "М"}) EXPECT_EQ(CheckTypedQuantity(text), TypedText::Refused) << text;
    EXPECT_EQ(CheckTypedQuantity("2147483648"), TypedText::TooLarge);
    EXPECT_EQ(CheckTypedQuantity("5+99999999999e"), TypedText::TooLarge);
}

TEST(PlanEditor, OpensWithOkForABasicPlanAndTheCountLineOtherwise) {
    SolveState valid = ValidPlan();
    EXPECT_EQ(PlanEditor(valid).check().Lines, std::vector<std::string>{"OK"});
    SolveState degenerate = MakeState({"tie", {10, 20}, {10, 20}, {}});
    NorthWestCorner(degenerate);
    const PlanEditor editor(degenerate);
    EXPECT_EQ(editor.check().Lines,
              std::vector<std::string>{"вырожденный: число базисных клеток = 2 < m+n-1 = 3"});
    EXPECT_EQ(editor.continueRefusal(), "");  // a short count alone does not stop the user
}

TEST(PlanEditor, CutsAQuantityToWhatTheRowAndColumnCanTake) {
    SolveState s = MakeState({"3x2", {5, 10, 10}, {13, 16}, {}});
    for (TaskCell& c : s.Cells) SetPlanQuantity(c, {kFreeCargo, 0});
    SetPlanQuantity(s.Cell(1, 0), {0, 0});
    SetPlanQuantity(s.Cell(1, 1), {10, 0});
    SetPlanQuantity(s.Cell(2, 1), {6, 0});
    SetPlanQuantity(s.Cell(2, 0), {4, 0});
    PlanEditor editor(s);
    // Row 1 has 5 left and column 1 has 13 - 4 = 9 left: a typed 7 stores 5, and says why.
    const PlanEditor::EditResult cut = editor.AcceptCellEdit(0, 0, "7");
    EXPECT_EQ(cut.CellText, "5");
    EXPECT_EQ(cut.Note, "(1,1): уменьшено до 5 - остаток строки A1");
    EXPECT_EQ(s.Cell(0, 0).Cargo, 5);
    EXPECT_TRUE(editor.planChanged());
    EXPECT_EQ(editor.AcceptCellEdit(0, 0, "4").Note, "");  // within the bounds: no note
    // Row 3 leaves 10 - 6 = 4 to (3,1), column 1 leaves 13 - 4 = 9 to it.
    EXPECT_EQ(editor.AcceptCellEdit(2, 0, "12").Note, "(3,1): уменьшено до 4 - остаток строки A3");
    // Row 3 and column 2 both leave 6 to (3,2).
    EXPECT_EQ(editor.AcceptCellEdit(2, 1, "20").Note, "(3,2): уменьшено до 6 - остаток строки A3 и столбца B2");
}

TEST(PlanEditor, CutsAQuantityToTheLimitOfItsCell) {
    SolveState s = MakeState({"2x2", {10, 10}, {10, 10}, {1, 2, 3, 4}, {3, kNoLimit, kNoLimit, kNoLimit}});
    s.RestrictedTask = true;
    for (TaskCell& c : s.Cells) SetPlanQuantity(c, {kFreeCargo, 0});
    PlanEditor editor(s);
    EXPECT_EQ(editor.AcceptCellEdit(0, 0, "9").Note, "(1,1): уменьшено до 3 - ограничение клетки");
    EXPECT_EQ(s.Cell(0, 0).Cargo, 3);
    EXPECT_EQ(editor.AcceptCellEdit(1, 1, "11").Note, "(2,2): уменьшено до 10 - остаток строки A2 и столбца B2");
}

TEST(PlanEditor, MakesNegativeQuantitiesZeroAndDropsEWithoutLimits) {
    SolveState s = ValidPlan();
    PlanEditor editor(s);
    EXPECT_EQ(editor.AcceptCellEdit(1, 0, "-3").CellText, "0");
    EXPECT_EQ(PlanQuantity(s.Cell(1, 0)), (EpsValue{0, 0}));  // a basis zero: basic
    ASSERT_FALSE(editor.check().Lines.empty());
    EXPECT_EQ(editor.check().Lines.front(), "не является опорным - число базисных клеток = 4 > m+n-1 = 3; ");
    EXPECT_TRUE(editor.check().CycleFound);  // the basis zero closes a cycle with the others
    EXPECT_EQ(editor.AcceptCellEdit(1, 0, "e").CellText, "0");
    EXPECT_EQ(PlanQuantity(s.Cell(1, 0)), (EpsValue{0, 0}));
}

TEST(PlanEditor, ClearingACellListsTheSupplierLeftWithCargo) {
    SolveState s = ValidPlan();
    PlanEditor editor(s);
    EXPECT_EQ(editor.AcceptCellEdit(0, 0, " ").CellText, "");
    EXPECT_TRUE(IsFreeMarker(s.Cell(0, 0)));
    EXPECT_EQ(editor.check().Lines,
              (std::vector<std::string>{
                  "вырожденный - число базисных клеток = 2 < m+n-1 = 3; ",
                  "не является опорным, т.к. не полностью распределен груз от следующих поставщиков:   A1;"}));
    EXPECT_EQ(editor.continueRefusal(),
              "Продолжение невозможно - нарушена опорность плана: \nв таблице присутствуют не "
              "полностью загруженные клетки;");
}

TEST(PlanEditor, KeepsOkAndCountsTheCostOfAcceptedEdits) {
    SolveState s = MakeState({"2x2", {10, 10}, {10, 10}, {3, 1, 2, 4}});
    NorthWestCorner(s);  // (1,1) = 10, (2,2) = 10: degenerate
    PlanEditor editor(s);
    EXPECT_EQ(editor.initialCost(), 70);
    EXPECT_EQ(editor.AcceptCellEdit(0, 1, "0").CellText, "0");  // a basis zero completes it
    EXPECT_EQ(editor.check().Lines, std::vector<std::string>{"OK"});
    SolveState free = MakeState({"2x2", {10, 10}, {10, 10}, {3, 3, 2, 4}});
    for (TaskCell& c : free.Cells) SetPlanQuantity(c, {kFreeCargo, 0});
    PlanEditor fresh(free);
    fresh.AcceptCellEdit(0, 1, "4");  // tariff 3
    EXPECT_EQ(fresh.currentCost(), 12);
}

TEST(PlanEditor, ChangesNothingWhenTheSameValueIsTyped) {
    SolveState s = ValidPlan();
    PlanEditor editor(s);
    EXPECT_EQ(editor.AcceptCellEdit(0, 1, " 5+0e ").CellText, "5");
    EXPECT_FALSE(editor.planChanged());
    EXPECT_FALSE(editor.AcceptCellEdit(0, 1, "abc").Accepted);
    EXPECT_EQ(s.Cell(0, 1).Cargo, 5);
}

TEST(PlanEditor, NamesTheCellsOfACycleAmongBasicCells) {
    SolveState s = ValidPlan();
    PlanEditor editor(s);
    s.Supplies[1].Amount = 15;  // room for (2,1) without leaving a supplier short
    s.Demands[0].Amount = 10;
    editor.AcceptCellEdit(1, 0, "5");
    EXPECT_TRUE(editor.check().CycleFound);
    EXPECT_EQ(editor.check().Lines.back(),
              "не является опорным, т.к. следующие клетки составляют цикл:   (1,1), (1,2), (2,2), (2,1); ");
    EXPECT_NE(editor.continueRefusal().find("из базисных клеток можно составить цикл;"), std::string::npos);
}

// A typed plan may hold a cycle that does not pass through the cell searched from; the search
// must end all the same.
TEST(FindBasicCycle, EndsOnACycleElsewhere) {
    SolveState s = MakeState({"3x3", {1, 1, 1}, {1, 1, 1}, {}});
    for (TaskCell& c : s.Cells) SetPlanQuantity(c, {kFreeCargo, 0});
    for (int k : {0, 1, 3, 4, 8}) SetPlanQuantity(s.At(k), {1, 0});  // (1,1)(1,2)(2,1)(2,2) cycle
    int steps = 0;
    EXPECT_FALSE(FindBasicCycle(s, 8, &steps));
    EXPECT_LE(steps, 1);  // (3,3) shares no line with another basic cell
    EXPECT_TRUE(FindBasicCycle(s, 0));
    EXPECT_EQ(s.CycleList.size(), 4u);
}

// Every cell of a full 6 x 6 basis: cycles everywhere, and the search from a cell outside the
// tested one's cycles still ends after a bounded number of steps.
TEST(FindBasicCycle, StaysBoundedOnADenseTypedPlan) {
    SolveState s = MakeState({"6x7", {1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1, 1}, {}});
    for (int k = 0; k < s.CellCount(); ++k) SetPlanQuantity(s.At(k), {1, 0});
    SetPlanQuantity(s.Cell(5, 6), {kFreeCargo, 0});
    for (int j = 0; j < 6; ++j) SetPlanQuantity(s.Cell(5, j), {kFreeCargo, 0});
    SetPlanQuantity(s.Cell(5, 6), {1, 0});  // alone in row 6 with column 7
    for (int i = 0; i < 5; ++i) SetPlanQuantity(s.Cell(i, 6), {kFreeCargo, 0});
    int steps = 0;
    EXPECT_FALSE(FindBasicCycle(s, 5 * 7 + 6, &steps));
    EXPECT_LE(steps, 1);
    EXPECT_TRUE(FindBasicCycle(s, 0, &steps));
    EXPECT_LT(steps, 100000);
}

}  // namespace
}  // namespace kargolo::testing
