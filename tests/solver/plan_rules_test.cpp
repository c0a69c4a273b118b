#include <gtest/gtest.h>

#include "solver/plan_common.h"
#include "solver/plan_rules.h"
#include "tests/support/literal_plan_rules.h"
#include "tests/support/plan_checks.h"
#include "tests/support/task_builders.h"

namespace kargolo::testing {
namespace {

using Rule = void (*)(SolveState&);

struct RulePair {
    const char* Name;
    Rule Fast;
    Rule Literal;
};

const RulePair kRules[] = {
    {"north-west corner", NorthWestCorner, LiteralNorthWestCorner},
    {"minimum element", MinimumElement, LiteralMinimumElement},
    {"Vogel", VogelMethod, LiteralVogelMethod},
    {"double preference", DoublePreference, LiteralDoublePreference},
};



// The fast rules must choose the same cells and write the same lines as the rules done step by
// step, on tasks with ties, zeros, negative tariffs, surplus, deficit and degenerate rims.
TEST(PlanRules, EqualTheLiteralRulesOnRandomTasks) {
    for (const RulePair& rule : kRules) {
        SCOPED_TRACE(rule.Name);
        for (std::uint32_t seed = 1; seed <= 4000; ++seed) {
            const TaskSpec task = RandomTask(seed, 9);
            SCOPED_TRACE(task.Name);
            for (const std::int32_t mode : {kSolveModeChecking, kSolveModeDetailed}) {
                SolveState fast = BalancedState(task, mode);
                SolveState literal = BalancedState(task, mode);
                rule.Fast(fast);
                rule.Literal(literal);
                ASSERT_EQ(Quantities(fast), Quantities(literal));
                ASSERT_EQ(fast.Report.Text(), literal.Report.Text());
                ASSERT_TRUE(fast.UsingFlag.empty());
            }
        }
    }
}

TEST(PlanRules, ShipEveryUnitOfRandomTasks) {
    for (const RulePair& rule : kRules) {
        SCOPED_TRACE(rule.Name);
        for (std::uint32_t seed = 1; seed <= 300; ++seed) {
            const TaskSpec task = RandomTask(seed, 12);
            SCOPED_TRACE(task.Name);
            SolveState s = BalancedState(task, kSolveModeChecking);
            rule.Fast(s);
            ExpectPlanMeetsRims(s);
            EXPECT_EQ(s.Report.Text(), "");
        }
    }
}

TEST(FindMinTariffCell, TakesTheFirstOpenCellOfTheSmallestTariffInTheScopesOrder) {
    SolveState s = MakeState({"3x3", {1, 1, 1}, {1, 1, 1}, {5, 2, 2, 1, 9, 2, 1, 3, 7}});
    StartFlags(s);
    EXPECT_EQ(FindMinTariffCell(s, Scope::All, 0), 3);     // (2,1) before (3,1)
    EXPECT_EQ(FindMinTariffCell(s, Scope::Row, 0), 1);     // (1,2) before (1,3)
    EXPECT_EQ(FindMinTariffCell(s, Scope::Column, 2), 2);  // (1,3) before (2,3)
    s.UsingFlag[3] = kCellUsed;
    EXPECT_EQ(FindMinTariffCell(s, Scope::All, 0), 6);
    for (int k : {0, 3, 6}) s.UsingFlag[static_cast<std::size_t>(k)] = kCellUsed;
    EXPECT_EQ(FindMinTariffCell(s, Scope::Column, 0), kNoCell);
}

// Supplies 40, 20 and demands 10, 25: B3 = 25 takes the rest after the real distribution, even
// though its tariffs 0 are the smallest of the matrix.
TEST(MinimumElement, FillsTheFictitiousColumnOnlyAtTheEnd) {
    SolveState s = BalancedState({"surplus", {40, 20}, {10, 25}, {3, 2, 1, 4}});
    MinimumElement(s);
    EXPECT_EQ(Quantities(s), (std::vector<std::int32_t>{-1, 25, 15, 10, -1, 10}));
    EXPECT_EQ(
        s.Report.Text(),
        "Введем некоторые обозначения:<br>  A<sub>i</sub><sup>*</sup> - излишек "
        "нераспределенного груза от поставщика A<sub>i</sub><br>  B<sub>j</sub><sup>*</sup> - "
        "недостача в поставке груза потребителю B<sub>j</sub><p>"
        "Временно исключаем из рассмотрения клетки фиктивного потребителя.<br>"
        "Находим незанятую клетку с минимальным тарифом: (2,1).<br>Помещаем туда меньшее из "
        "чисел A<sub>2</sub><sup>*</sup>=20 и B<sub>1</sub><sup>*</sup>=10<br>"
        "Находим незанятую клетку с минимальным тарифом: (1,2).<br>Помещаем туда меньшее из "
        "чисел A<sub>1</sub><sup>*</sup>=40 и B<sub>2</sub><sup>*</sup>=25<br>"
        "Теперь распределим оставшийся груз между поставщиками и фиктивным потребитем B3<br>"
        "Поместим в клетку (1,3) 15 единиц груза<br>"
        "Поместим в клетку (2,3) 10 единиц груза<br>");
}

TEST(MinimumElement, LeavesTheFictitiousCellOfAnExhaustedRowFree) {
    SolveState s = BalancedState({"surplus", {10, 20}, {25}, {1, 2}});
    MinimumElement(s);
    EXPECT_EQ(Quantities(s), (std::vector<std::int32_t>{10, -1, 15, 5}));
    EXPECT_FALSE(Contains(s, "Поместим в клетку (1,2)"));
    EXPECT_TRUE(Contains(s, "Поместим в клетку (2,2) 5 единиц груза<br>"));
}

TEST(MinimumElement, TakesNegativeTariffsFirstAndTiesInRowMajorOrder) {
    SolveState s = BalancedState({"ties", {10, 10}, {10, 10}, {2, -1, 2, 2}});
    MinimumElement(s);
    const std::string& text = s.Report.Text();
    const std::size_t negative = text.find("тарифом: (1,2)");
    const std::size_t tie = text.find("тарифом: (2,1)");
    ASSERT_NE(negative, std::string::npos);
    ASSERT_NE(tie, std::string::npos);
    EXPECT_LT(negative, tie);
    EXPECT_EQ(Quantities(s), (std::vector<std::int32_t>{-1, 10, 10, -1}));
}

TEST(VogelMethod, NamesTheTwoCheapestCellsOfEachLine) {
    SolveState s = BalancedState({"row 1: 4 1 3", {10, 10}, {5, 5, 10}, {4, 1, 3, 2, 6, 5}});
    VogelMethod(s);
    EXPECT_EQ(s.Report.Text().rfind(
                  "<b>Этап 1.</b><br>Определим разности между двумя наименьшими тарифами в "
                  "каждой строке и каждом столбце.<br>"
                  "Строка 1: c<sub>1,2</sub> - c<sub>1,3</sub> = 2<br>"
                  "Строка 2: c<sub>2,1</sub> - c<sub>2,3</sub> = 3<br>"
                  "Столбец 1: c<sub>2,1</sub> - c<sub>1,1</sub> = 2<br>",
                  0),
              0u);
}

TEST(VogelMethod, PrefersTheColumnsCellWhenPenaltiesAndTariffsTie) {
    SolveState s = BalancedState({"tie", {10, 10}, {5, 5, 10}, {1, 5, 9, 6, 1, 7}});
    VogelMethod(s);
    EXPECT_TRUE(Contains(s, "Максимальная разница двух минимальных тарифов в строке находится в "
                            "строке 2.<br>Максимальная разница двух минимальных тарифов в столбце "
                            "находится в столбце 1.<br>Заполняем клетку (1,1), имеющую "
                            "минимальный тариф.<br>"));
}

TEST(VogelMethod, TakesTheLaterRowWhenItsCheapestTariffIsSmaller) {
    SolveState s = BalancedState({"rows tie", {10, 10}, {10, 10}, {5, 7, 3, 5}});
    VogelMethod(s);
    EXPECT_TRUE(Contains(s, "в строке находится в строке 2.<br>"));
}

TEST(VogelMethod, ReportsLinesWithoutOpenCellsAndStartsEveryStageWithItsLine) {
    SolveState s = BalancedState({"surplus", {30, 30}, {20, 20}, {1, 2, 3, 4}});
    VogelMethod(s);
    const std::string& text = s.Report.Text();
    EXPECT_TRUE(Contains(s, "Временно исключаем из рассмотрения клетки фиктивного "
                            "потребителя.<br><b>Этап 1.</b>"));
    // The last stage finds nothing open: its stage line is followed by the empty lines.
    const std::string lastStage =
        "<b>Этап 4.</b><br>Определим разности между двумя наименьшими тарифами в каждой строке "
        "и каждом столбце.<br>Строка 1: нет свободных клеток<br>Строка 2: нет свободных "
        "клеток<br>Столбец 1: нет свободных клеток<br>Столбец 2: нет свободных клеток<br>"
        "Столбец 3: нет свободных клеток<br>Теперь распределим";
    EXPECT_NE(text.find(lastStage), std::string::npos) << text;
    ExpectPlanMeetsRims(s);
}

// Cells (1,2) and (2,3) are the cheapest of their rows and columns; (2,3) is filled before the
// marked cell (1,1) although its tariff is higher. (1,1) is then in an exhausted row.
TEST(DoublePreference, FillsDoublyMarkedCellsFirstAndWritesEveryMarkedPlacement) {
    SolveState s = BalancedState(
        {"3x3", {10, 10, 10}, {10, 10, 10}, {2, 1, 9, 9, 9, 5, 9, 9, 8}});
    DoublePreference(s);
    EXPECT_EQ(
        s.Report.Text(),
        "Находим клетки с минимальным тарифом в каждой строке и столбце:<BR>"
        "Строка 1: клетка (1,2)<sup>*</sup>, c<sub>1,2</sub><sup>*</sup>=1<BR>"
        "Строка 2: клетка (2,3)<sup>*</sup>, c<sub>2,3</sub><sup>*</sup>=5<BR>"
        "Строка 3: клетка (3,3)<sup>*</sup>, c<sub>3,3</sub><sup>*</sup>=8<BR>"
        "Столбец 1: клетка (1,1)<sup>*</sup>, c<sub>1,1</sub><sup>*</sup>=2<BR>"
        "Столбец 2: клетка (1,2)<sup>*</sup>, c<sub>1,2</sub><sup>*</sup>=1<BR>"
        "Столбец 3: клетка (2,3)<sup>*</sup>, c<sub>2,3</sub><sup>*</sup>=5<BR>"
        "Строка 1 и столбец 2 содержат одну и ту же клетку с наименьшим тарифом: "
        "(1,2)<sup>**</sup>. Помещаем в нее меньшее из чисел: 10 и 10.<BR>"
        "Строка 2 и столбец 3 содержат одну и ту же клетку с наименьшим тарифом: "
        "(2,3)<sup>**</sup>. Помещаем в нее меньшее из чисел: 10 и 10.<BR>"
        "Теперь заполним клетки, помеченные символом \"*\", начиная с клеток, имеющих "
        "наименьший тариф.<br>"
        "Поместим в клетку (1,1)<sup>*</sup> меньшее из чисел 0 и 10.<br>"
        "Поместим в клетку (3,3)<sup>*</sup> меньшее из чисел 10 и 0.<br>"
        "Теперь заполним все оставшиеся клетки.<br>"
        "Помещаем в клетку (3,1) меньшее из чисел 10 и 10.<br>");
    EXPECT_EQ(Quantities(s), (std::vector<std::int32_t>{-1, 10, -1, -1, -1, 10, 10, -1, -1}));
}

TEST(DoublePreference, GivesTheFictitiousRowNoMark) {
    SolveState s = BalancedState({"deficit", {10, 10}, {15, 15}, {1, 2, 3, 4}});
    DoublePreference(s);
    EXPECT_TRUE(Contains(s, "Временно исключаем из рассмотрения клетки фиктивного "
                            "поставщика.<br>Находим клетки"));
    EXPECT_TRUE(Contains(s, "Строка 3: нет свободных клеток<br>Столбец 1:"));
    EXPECT_TRUE(Contains(s, "Теперь распределим фиктивный груз между потребителями и фиктивным "
                            "поставщиком A3<br>"));
    ExpectPlanMeetsRims(s);
}

}  // namespace
}  // namespace kargolo::testing
