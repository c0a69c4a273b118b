#include <gtest/gtest.h>

#include "solver/plan_rules.h"
#include "tests/support/task_builders.h"

namespace kargolo::testing {
namespace {

constexpr char kNotation[] =
    "Введем некоторые обозначения:<br>  A<sub>i</sub><sup>*</sup> - излишек нераспределенного "
    "груза от поставщика A<sub>i</sub><br>  B<sub>j</sub><sup>*</sup> - недостача в поставке "
    "груза потребителю B<sub>j</sub><p>";


TEST(NorthWestCorner, PlacesTheSmallerRestAndNamesEachExhaustedLine) {
    SolveState s = MakeState({"plain", {30, 20}, {10, 25, 15}, {}});
    NorthWestCorner(s);
    EXPECT_EQ(Quantities(s), (std::vector<std::int32_t>{10, 20, -1, -1, 5, 15}));
    EXPECT_EQ(s.Report.Text(),
              std::string(kNotation) +
                  "Помещаем в клетку (1,1) меньшее из чисел A<sub>1</sub><sup>*</sup>=30 и "
                  "B<sub>1</sub><sup>*</sup>=10<br>"
                  "Так как спрос потребителя B<sub>1</sub> удовлетворен, то столбец 1 в "
                  "дальнейшем в расчет не принимается<br>"
                  "Помещаем в клетку (1,2) меньшее из чисел A<sub>1</sub><sup>*</sup>=20 и "
                  "B<sub>2</sub><sup>*</sup>=25<br>"
                  "Так как запасы поставщика A<sub>1</sub> исчерпаны, то строка 1 в дальнейшем в "
                  "расчет не принимается<br>"
                  "Помещаем в клетку (2,2) меньшее из чисел A<sub>2</sub><sup>*</sup>=20 и "
                  "B<sub>2</sub><sup>*</sup>=5<br>"
                  "Так как спрос потребителя B<sub>2</sub> удовлетворен, то столбец 2 в "
                  "дальнейшем в расчет не принимается<br>"
                  "Помещаем в клетку (2,3) меньшее из чисел A<sub>2</sub><sup>*</sup>=15 и "
                  "B<sub>3</sub><sup>*</sup>=15<br>");
}

TEST(NorthWestCorner, MovesDiagonallyWhenRowAndColumnRunOutTogether) {
    SolveState s = MakeState({"tie", {10, 20}, {10, 20}, {}});
    NorthWestCorner(s);
    EXPECT_EQ(Quantities(s), (std::vector<std::int32_t>{10, -1, -1, 20}));
    const std::string& text = s.Report.Text();
    EXPECT_NE(text.find("строка 1 в дальнейшем"), std::string::npos);
    EXPECT_NE(text.find("столбец 1 в дальнейшем"), std::string::npos);
    EXPECT_LT(text.find("строка 1 в дальнейшем"), text.find("столбец 1 в дальнейшем"));
    EXPECT_EQ(text.find("строка 2"), std::string::npos);  // no line after the last cell
}

TEST(NorthWestCorner, ZeroSupplyRowIsReportedExhaustedWithoutAPlacement) {
    SolveState s = MakeState({"zero supply", {0, 30}, {10, 20}, {}});
    NorthWestCorner(s);
    EXPECT_EQ(Quantities(s), (std::vector<std::int32_t>{-1, -1, 10, 20}));
    const std::string& text = s.Report.Text();
    EXPECT_EQ(text.find("клетку (1,1)"), std::string::npos);
    EXPECT_NE(text.find("запасы поставщика A<sub>1</sub> исчерпаны"), std::string::npos);
}

TEST(NorthWestCorner, CheckingModeWritesNothingButBuildsTheSamePlan) {
    SolveState detailed = MakeState({"plain", {30, 20}, {10, 25, 15}, {}});
    SolveState checking = MakeState({"plain", {30, 20}, {10, 25, 15}, {}}, kSolveModeChecking);
    NorthWestCorner(detailed);
    NorthWestCorner(checking);
    EXPECT_EQ(Quantities(checking), Quantities(detailed));
    EXPECT_EQ(checking.Report.Text(), "");
}

}  // namespace
}  // namespace kargolo::testing
