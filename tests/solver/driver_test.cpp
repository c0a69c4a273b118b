#include <gtest/gtest.h>

#include <algorithm>

#include "solver/driver.h"
#include "solver/plan_rules.h"
#include "solver/report_writer.h"
#include "tests/support/plan_checks.h"
#include "tests/support/task_builders.h"

namespace kargolo::testing {
namespace {


std::size_t Count(const SolveState& s, const std::string& piece) {
    std::size_t count = 0;
    for (std::size_t at = s.Report.Text().find(piece); at != std::string::npos;
         at = s.Report.Text().find(piece, at + 1)) {
        ++count;
    }
    return count;
}

constexpr char kClosedNote[] =
    "Транспортная задача имеет закрытый тип, так как суммарный запас груза равен суммарным "
    "потребностям.";

TEST(BalanceTask, LeavesAClosedTaskAsItIs) {
    SolveState s = MakeState({"closed", {30, 20}, {15, 35}, {}});
    SilentHooks hooks;
    BalanceTask(s, hooks);
    EXPECT_EQ(s.Report.Text(), kClosedNote);
    EXPECT_EQ(s.m, 2);
    EXPECT_EQ(s.n, 2);
}

TEST(BalanceTask, AddsAFictitiousConsumerForSurplus) {
    SolveState s = MakeState({"surplus", {40, 20}, {10, 25}, {1, 2, 3, 4}}, kSolveModeChecking);
    SilentHooks hooks;
    BalanceTask(s, hooks);
    EXPECT_EQ(s.Report.Text(),
              "<BR>Транспортная задача является открытой, так как запас груза больше "
              "потребностей на 25 единиц. Приведем задачу к закрытому типу - введем фиктивного "
              "потребителя <b>B3</b>.<BR>");
    ASSERT_EQ(s.n, 3);
    EXPECT_EQ(s.Demands[2].Amount, 25);
    EXPECT_EQ(s.Cell(0, 1).Tariff, 2);  // old rows keep their cells in place
    EXPECT_EQ(s.Cell(1, 0).Tariff, 3);
    EXPECT_EQ(s.Cell(1, 2).Tariff, 0);
    EXPECT_EQ(s.TotalSupply, 60u);
    EXPECT_EQ(s.TotalDemand, 35u);
}

TEST(BalanceTask, AddsAFictitiousSupplierForDeficitUnlimitedWithLimits) {
    SolveState s = MakeState({"deficit", {10, 5}, {20, 10}, {}}, kSolveModeChecking);
    s.RestrictedTask = true;
    SilentHooks hooks;
    BalanceTask(s, hooks);
    EXPECT_EQ(s.Report.Text(),
              "<BR>Транспортная задача является открытой, так как запас груза меньше "
              "потребностей на 15 единиц. Приведем задачу к закрытому типу - Введем фиктивного "
              "поставщика <b>A3</b>.<BR>");
    ASSERT_EQ(s.m, 3);
    EXPECT_EQ(s.Supplies[2].Amount, 15);
    EXPECT_EQ(s.Cell(2, 0).Limit, kNoLimit);
    EXPECT_EQ(s.Cell(2, 1).Limit, kNoLimit);
}

TEST(BalanceTask, ShowsTheBalancedTableOnlyInDetailedMode) {
    for (const std::int32_t mode : {kSolveModeChecking, kSolveModeDetailed, kSolveModeStepwise}) {
        SCOPED_TRACE(mode);
        SolveState s = MakeState({"surplus", {40, 20}, {10, 25}, {}}, mode);
        SilentHooks hooks;
        BalanceTask(s, hooks);
        EXPECT_EQ(Contains(s, "<P><table"), mode == kSolveModeDetailed);
    }
}

TEST(Solve, NotesATaskWhoseTariffsAreAllNonPositiveAndAtLeastOneNegative) {
    const struct {
        const char* Name;
        std::vector<std::int32_t> Tariffs;
        bool Maximisation;
    } cases[] = {
        {"all zero", {0, 0, 0, 0}, false},
        {"zero and negative", {0, -5, -5, 0}, true},
        {"one positive", {1, -5, -5, -5}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        SolveState s = MakeState({c.Name, {5, 5}, {5, 5}, c.Tariffs}, kSolveModeChecking);
        SilentHooks hooks;
        Solve(s, hooks, true);
        EXPECT_EQ(s.MaximisationTask, c.Maximisation);
        EXPECT_EQ(Contains(s, "<p>Так как все тарифы отрицательны или равны нулю, то задача будет "
                              "решаться на нахождение максимального по модулю значения целевой "
                              "функции."),
                  c.Maximisation);
        EXPECT_EQ(s.Cell(0, 1).Tariff, c.Tariffs[1]);
    }
}

TEST(Solve, PlanOnlyInCheckingModeWritesTheHeaderThePlanAndF) {
    SolveState s = MakeState({"closed", {30, 20}, {10, 25, 15}, {1, 2, 3, 4, 5, 6}},
                             kSolveModeChecking);
    RecordingHooks hooks;
    Solve(s, hooks, true);
    SolveState table = s;
    table.Report.Clear();
    WriteTransportTable(table, hooks);
    EXPECT_EQ(s.Report.Text(), std::string(kClosedNote) +
                                   "<BR>Находим опорный план по правилу северо-западного "
                                   "угла:<BR>" +
                                   table.Report.Text() + "<BR><b>Целевая функция F=165</b><p>");
    EXPECT_EQ(hooks.Lines.front(), "Находим опорный план");
    EXPECT_EQ(hooks.Lines[2], "Целевая функция F=165");
}

// F used to be summed in single precision: this task printed F=100663296 for its first plan,
// which costs 100663297, and F= 33554432 for its optimum; a plan costing 4294967294 printed
// 4294967296.
TEST(Solve, PrintsTheExactCostOfLargePlans) {
    SolveState s = MakeState({"above 2^24", {16777217, 16777216}, {16777216, 16777217}, {3, 1, 1, 3}});
    RecordingHooks hooks;
    Solve(s, hooks, false);
    EXPECT_EQ(Count(s, "<BR><b>Целевая функция F=100663297</b><p>"), 1u);
    EXPECT_EQ(Count(s, "Значение целевой функции изменилось на 67108864 единиц"), 1u);
    EXPECT_EQ(Count(s, "<BR><b>Целевая функция F= 33554433</b>"), 2u);  // the stage and the answer
    EXPECT_NE(std::find(hooks.Lines.begin(), hooks.Lines.end(), "Целевая функция F= 33554433"),
              hooks.Lines.end());
    const struct {
        std::int32_t Tariff;
        std::int32_t Amount;
        const char* F;
    } plans[] = {{2147483647, 2, "F= 4294967294"},
                 {2147483647, 2147483647, "F= 4611686014132420609"},
                 {-2147483647, 2147483647, "F= -4611686014132420609"}};
    for (const auto& plan : plans) {
        SCOPED_TRACE(plan.F);
        SolveState one = MakeState({"1x1", {plan.Amount}, {plan.Amount}, {plan.Tariff}}, kSolveModeChecking);
        Solve(one, hooks, false);
        EXPECT_EQ(Count(one, std::string("<b>Целевая функция ") + plan.F + "</b>"), 1u);
    }
}

TEST(Solve, PlanOnlyInDetailedModeExplainsEverything) {
    SolveState s = MakeState({"surplus", {40, 20}, {10, 25}, {}}, kSolveModeDetailed);
    SilentHooks hooks;
    Solve(s, hooks, true);
    const std::string& text = s.Report.Text();
    const std::size_t notation = text.find("Примем некоторые обозначения: <BR>");
    const std::size_t balancing = text.find("введем фиктивного потребителя <b>B3</b>");
    const std::size_t header = text.find("по правилу северо-западного угла:<BR>");
    const std::size_t placements = text.find("Помещаем в клетку (1,1)");
    const std::size_t f = text.find("<BR><b>Целевая функция F=");
    EXPECT_EQ(notation, 0u);
    EXPECT_LT(notation, balancing);
    EXPECT_LT(balancing, header);
    EXPECT_LT(header, placements);
    EXPECT_LT(placements, f);
    EXPECT_EQ(Count(s, "<P><table"), 3u);  // as entered, balanced, first plan
    EXPECT_FALSE(Contains(s, "D<sub>i,j</sub>"));
    EXPECT_FALSE(Contains(s, "ПОШАГОВЫЙ РЕЖИМ"));
    ExpectPlanMeetsRims(s);
}

TEST(Solve, StepwisePlanOnlyShowsNoBalancedTable) {
    SolveState s = MakeState({"surplus", {40, 20}, {10, 25}, {}}, kSolveModeStepwise);
    SilentHooks hooks;
    Solve(s, hooks, true);
    EXPECT_EQ(Count(s, "<P><table"), 2u);
}

TEST(CheckTaskInput, RefusesNegativeRimsAndTotalsBeyond32Bits) {
    const struct {
        TaskSpec Task;
        const char* Message;
    } cases[] = {
        {{"fine", {5, 0}, {2, 3}, {}}, ""},
        {{"negative supply", {5, -7}, {2, 3}, {}},
         "Запас груза поставщика A2 отрицателен (-7). Запасы груза не могут быть "
         "отрицательными."},
        {{"negative demand", {5, 7}, {2, -3}, {}},
         "Потребность потребителя B2 отрицательна (-3). Потребности не могут быть "
         "отрицательными."},
        {{"supply total", {2147483647, 1}, {2, 3}, {}},
         "Суммарный запас груза больше 2147483647 единиц. Такую задачу решить нельзя."},
        {{"demand total", {2, 3}, {2000000000, 2000000000}, {}},
         "Суммарная потребность больше 2147483647 единиц. Такую задачу решить нельзя."},
        {{"largest total", {2147483646, 1}, {2, 3}, {}}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Task.Name);
        EXPECT_EQ(CheckTaskInput(MakeState(c.Task)), c.Message);
    }
}

// Supplies 40, 20 and demands 10, 25 get B3 = 25; the north-west plan leaves 5 units of A1 and
// 20 units of A2 in column 3.
SolveState SurplusTaskWithFirstPlan(std::int32_t mode) {
    SolveState s = MakeState({"surplus", {40, 20}, {10, 25}, {}}, mode);
    SilentHooks hooks;
    BalanceTask(s, hooks);
    NorthWestCorner(s);
    s.Report.Clear();
    return s;
}

TEST(WriteClosingSummary, NamesTheCargoLeftWithEachSupplier) {
    SolveState s = SurplusTaskWithFirstPlan(kSolveModeChecking);
    RecordingHooks hooks;
    WriteClosingSummary(s, hooks, {});
    const std::string& text = s.Report.Text();
    EXPECT_EQ(text.find("<BR>Так как все оценки"), std::string::npos);
    EXPECT_EQ(text.find("<P><table"), 0u);
    const std::string ending =
        "<BR><b>Целевая функция F= 35</b>"
        "<BR>5 единиц груза из хранилища A1 осталось нераспределенным."
        "<BR>20 единиц груза из хранилища A2 осталось нераспределенным.";
    EXPECT_EQ(text.substr(text.size() - ending.size()), ending);
    EXPECT_EQ(hooks.Lines.front(), "Решение завершено. Создается файл решения...");
}

TEST(WriteClosingSummary, WritesTheVerdictInDetailedModeAndTheAbortInEveryMode) {
    const std::string solved =
        "<BR>Так как все оценки <b>S<sub>i,j</sub></b>&gt;=0, то полученный план является "
        "оптимальным.<BR>Транспортная задача решена.<BR><P><table";
    const std::string aborted = "<BR><b>Решение задачи прервано пользователем.</b><BR><P><table";
    SilentHooks hooks;
    for (const std::int32_t mode : {kSolveModeChecking, kSolveModeDetailed}) {
        SCOPED_TRACE(mode);
        SolveState done = SurplusTaskWithFirstPlan(mode);
        WriteClosingSummary(done, hooks, {});
        EXPECT_EQ(done.Report.Text().rfind(solved, 0) == 0, mode == kSolveModeDetailed);
        SolveState stopped = SurplusTaskWithFirstPlan(mode);
        WriteClosingSummary(stopped, hooks, {.Completed = false, .Bounded = {}});
        EXPECT_EQ(stopped.Report.Text().rfind(aborted, 0), 0u);
    }
}

TEST(WriteClosingSummary, NamesCargoNotDeliveredToEachConsumer) {
    SolveState s = MakeState({"deficit", {10, 5}, {20, 10}, {}}, kSolveModeChecking);
    SilentHooks hooks;
    BalanceTask(s, hooks);
    NorthWestCorner(s);  // A3 = 15 ships 5 to B1 and 10 to B2
    WriteClosingSummary(s, hooks, {});
    EXPECT_TRUE(Contains(s, "<BR>5 единиц груза потребителю B1 не поставлено."
                            "<BR>10 единиц груза потребителю B2 не поставлено."));
}

// With the extended task the last row and column are the extended ones; cargo in them and in
// the fictitious column (surplus) before them adds up per supplier.
TEST(WriteClosingSummary, AddsUpTheExtendedAndFictitiousCargoOfTheExtendedTask) {
    SolveState s = MakeState({"extended", {10, 10, 0}, {5, 5, 10, 0}, {}}, kSolveModeChecking);
    s.TotalSupply = 20;
    s.TotalDemand = 10;
    for (TaskCell& c : s.Cells) SetPlanQuantity(c, {kFreeCargo, 0});
    SetPlanQuantity(s.Cell(0, 2), {4, 0});  // fictitious consumer
    SetPlanQuantity(s.Cell(0, 3), {2, 0});  // extended column
    SetPlanQuantity(s.Cell(2, 1), {3, 0});  // extended row
    SetPlanQuantity(s.Cell(1, 2), {6, 0});
    SilentHooks hooks;
    WriteClosingSummary(s, hooks, {.Completed = true, .Bounded = {.ConditionsMet = false, .ExtendedTaskPresent = true}});
    const std::string& text = s.Report.Text();
    const std::string ending =
        "<BR>6 единиц груза из хранилища A1 осталось нераспределенным."
        "<BR>6 единиц груза из хранилища A2 осталось нераспределенным."
        "<BR>3 единиц груза потребителю B2 не поставлено.";
    EXPECT_EQ(text.substr(text.size() - ending.size()), ending);
}

// Asks to stop from the start: the run is asked before its first improvement.
class StopAtOnce : public SilentHooks {
public:
    bool StopRequested() override {
        ++Asked;
        return true;
    }
    int Asked = 0;
};

// A stop asked for in the status window ends every method before its next stage, in every
// mode, as the stepwise abort does: the report so far, the first plan and the abort line.
TEST(Solve, StopsBeforeTheNextStageWhenTheUserAsks) {
    const TaskSpec task{"4x4", {10, 10, 10, 10}, {10, 10, 10, 10},
                        {9, 1, 2, 3, 3, 9, 1, 2, 2, 3, 9, 1, 1, 2, 3, 9}};
    TaskSpec limited = task;
    limited.Name = "4x4 limited";
    limited.Limits.assign(16, 5);
    for (const TaskSpec& spec : {task, limited}) {
        for (const std::int32_t method : {kMethodPotentials, kMethodDistributive}) {
            for (const std::int32_t mode : {kSolveModeChecking, kSolveModeDetailed}) {
                SCOPED_TRACE(spec.Name + " method " + std::to_string(method) + " mode " + std::to_string(mode));
                SolveState s = MakeState(spec, mode);
                s.SolveMethod = method;
                StopAtOnce hooks;
                Solve(s, hooks, false);
                EXPECT_EQ(hooks.Asked, 1);
                EXPECT_TRUE(Contains(s, "Решение задачи прервано пользователем."));
                EXPECT_FALSE(Contains(s, "<b>Этап 3</b>"));
            }
        }
    }
}

}  // namespace
}  // namespace kargolo::testing
