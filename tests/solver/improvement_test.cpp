#include <gtest/gtest.h>

#include "solver/basis.h"
#include "solver/cycling_guard.h"
#include "solver/driver.h"
#include "solver/improvement.h"
#include "solver/m_value.h"
#include "solver/method_texts.h"
#include "solver/plan_rules.h"
#include "tests/support/literal_methods.h"
#include "tests/support/plan_checks.h"
#include "tests/support/task_builders.h"

namespace kargolo::testing {
namespace {

using Rule = void (*)(SolveState&);
using Method = bool (*)(SolveState&, SolveHooks&);
constexpr Rule kRules[] = {NorthWestCorner, MinimumElement, VogelMethod, DoublePreference};

// A balanced task with its first plan, as the driver hands it to a method.
SolveState FirstPlan(const TaskSpec& task, Rule rule, std::int32_t mode,
                     std::int32_t display = kEstimatesAsLines) {
    SolveState s = BalancedState(task, mode);
    s.EstimationDisplaying = display;
    rule(s);
    s.ObjectiveF = ComputeObjectiveF(s);
    s.Report.Clear();
    return s;
}


TEST(FindCycle, ListsTheEnteringCellThenThePathFromItsRowToItsColumn) {
    SolveState s = MakeState({"2x2", {5, 5}, {5, 5}, {}});
    SetPlanQuantity(s.Cell(0, 0), {3, 0});
    SetPlanQuantity(s.Cell(0, 1), {2, 0});
    SetPlanQuantity(s.Cell(1, 0), {2, 0});
    SetPlanQuantity(s.Cell(1, 1), {kFreeCargo, 0});
    const std::vector<int> expected{3, 2, 0, 1};  // (2,2), (2,1), (1,1), (1,2)
    BasisForest basis(s);
    ASSERT_TRUE(basis.Root());
    std::vector<int> fast{3};
    basis.AppendCycle(3, fast);
    EXPECT_EQ(fast, expected);
    s.CycleList = {3};
    EXPECT_EQ(LiteralFindCycle(s, 3, 3, 0, 1), -1);
    EXPECT_EQ(s.CycleList, expected);
}

// The path in the tree must be the cycle that the depth-first search over the matrix finds,
// in the same order, for every free cell of many spanning bases.
TEST(FindCycle, EqualsTheDepthFirstSearchOnRandomBases) {
    for (std::uint32_t seed = 1; seed <= 600; ++seed) {
        const TaskSpec task = RandomTask(seed, 8);
        SCOPED_TRACE(task.Name);
        SolveState s = FirstPlan(task, kRules[seed % 4], kSolveModeChecking);
        BasisForest basis(s);
        TariffOrder order(s);
        ASSERT_TRUE(PlaceBasisZeros(s, basis, order));
        ASSERT_TRUE(basis.Root());
        for (int k = 0; k < s.CellCount(); ++k) {
            if (basis.Contains(k)) continue;
            std::vector<int> fast{k};
            basis.AppendCycle(k, fast);
            s.CycleList = {k};
            ASSERT_EQ(LiteralFindCycle(s, k, k, 0, 1), -1);
            ASSERT_EQ(fast, s.CycleList) << "cell " << k;
        }
    }
}

TEST(PlaceBasisZeros, TakesTheCheapestFreeCellThatClosesNoCycle) {
    // Basic (1,1) and (2,2): (1,2) costs 1 and (2,1) costs 1 too; the earlier one, (1,2), joins.
    SolveState s = MakeState({"2x2", {5, 5}, {5, 5}, {4, 1, 1, 4}});
    SetPlanQuantity(s.Cell(0, 0), {5, 0});
    SetPlanQuantity(s.Cell(0, 1), {kFreeCargo, 0});
    SetPlanQuantity(s.Cell(1, 0), {kFreeCargo, 0});
    SetPlanQuantity(s.Cell(1, 1), {5, 0});
    BasisForest basis(s);
    TariffOrder order(s);
    EXPECT_TRUE(PlaceBasisZeros(s, basis, order));
    EXPECT_EQ(Quantities(s), (std::vector<std::int32_t>{5, 0, -1, 5}));
    EXPECT_TRUE(PlaceBasisZeros(s, basis, order));  // a full basis stays as it is
    EXPECT_EQ(basis.Count(), 3);
}

// Sorted a piece at a time, the order must be that of a full sort however far it is read first.
TEST(TariffOrder, ListsEveryCellByTariffThenRowMajorWhereverItIsRead) {
    for (const int firstRead : {0, 5000, 12000}) {
        SolveState s = MakeState(RandomTaskOfShape(static_cast<std::uint32_t>(firstRead + 7), 110, 120));
        for (int k = 0; k < s.CellCount(); ++k) s.At(k).Tariff = (k * 7919) % 13 - 4;  // ties
        std::vector<int> sorted(static_cast<std::size_t>(s.CellCount()));
        for (std::size_t k = 0; k < sorted.size(); ++k) sorted[k] = static_cast<int>(k);
        std::stable_sort(sorted.begin(), sorted.end(), [&s](int a, int b) { return s.At(a).Tariff < s.At(b).Tariff; });
        TariffOrder order(s);
        ASSERT_EQ(order.Size(), s.CellCount());
        ASSERT_EQ(order.Cell(firstRead), sorted[static_cast<std::size_t>(firstRead)]);
        for (int p = 0; p < order.Size(); ++p) ASSERT_EQ(order.Cell(p), sorted[static_cast<std::size_t>(p)]) << p;
    }
}

TEST(ShiftAlongCycle, EmptiesEveryMinusCellThatHeldTheMinimum) {
    SolveState s = MakeState({"2x2", {10, 10}, {10, 10}, {}});
    SetPlanQuantity(s.Cell(0, 0), {4, 0});
    SetPlanQuantity(s.Cell(0, 1), {6, 0});
    SetPlanQuantity(s.Cell(1, 0), {6, 0});
    SetPlanQuantity(s.Cell(1, 1), {kFreeCargo, 0});
    s.CycleList = {3, 2, 0, 1};
    EXPECT_EQ(ShiftAlongCycle(s), 6);  // (2,1) and (1,2) both hold 6
    EXPECT_EQ(Quantities(s), (std::vector<std::int32_t>{10, -1, -1, 6}));
    // A basis zero at a '-' position: theta = 0, the entering cell becomes the basis zero.
    SetPlanQuantity(s.Cell(0, 0), {0, 0});
    SetPlanQuantity(s.Cell(0, 1), {kFreeCargo, 0});
    SetPlanQuantity(s.Cell(1, 0), {5, 0});
    SetPlanQuantity(s.Cell(1, 1), {5, 0});
    s.CycleList = {1, 0, 2, 3};
    EXPECT_EQ(ShiftAlongCycle(s), 0);
    EXPECT_EQ(Quantities(s), (std::vector<std::int32_t>{-1, 0, 5, 5}));
}

TEST(FormatPotential, WritesTheMPartFirstWithItsSign) {
    EXPECT_EQ(FormatPotential({0, -3}), "-3");
    EXPECT_EQ(FormatPotential({1, -3}), " 1M-3");
    EXPECT_EQ(FormatPotential({-1, 0}), "-1M");
    EXPECT_EQ(FormatPotential({-2, 7}), "-2M+7");
    EXPECT_EQ(FormatEstimate({1, -3}), "-3+1M");  // an estimate puts it last
    EXPECT_EQ(FormatEstimate({-1, 0}), "0-1M");
    EXPECT_TRUE(IsNegative({-1, 1000000}));   // M outweighs any number
    EXPECT_TRUE(IsPositive({0, 1}));
}

struct MethodPair {
    const char* Name;
    bool (*Fast)(SolveState&, SolveHooks&);
    bool (*Literal)(SolveState&, SolveHooks&, int);
};
const MethodPair kMethods[] = {
    {"potentials", SolveByPotentials, LiteralSolveByPotentials},
    {"distributive", SolveByDistribution, LiteralSolveByDistribution},
};

// Runs the fast and the textbook stages from the same first plan and expects the same plans,
// report, status lines, F and estimates.
void ExpectStagesAgree(const MethodPair& method, const SolveState& firstPlan) {
    SolveState fast = firstPlan;
    SolveState literal = firstPlan;
    RecordingHooks fastHooks;
    RecordingHooks literalHooks;
    ASSERT_TRUE(method.Fast(fast, fastHooks));
    ASSERT_TRUE(method.Literal(literal, literalHooks, 10000));
    ASSERT_EQ(Quantities(fast), Quantities(literal));
    ASSERT_EQ(fast.Report.Text(), literal.Report.Text());
    ASSERT_EQ(fastHooks.Lines, literalHooks.Lines);
    ASSERT_EQ(fast.ObjectiveF, literal.ObjectiveF);
    for (int k = 0; k < fast.CellCount(); ++k) {
        if (!IsFreeMarker(fast.At(k))) continue;
        ASSERT_EQ(fast.At(k).Estimate, literal.At(k).Estimate) << "cell " << k;
    }
    ExpectOptimalityCertificate(fast);
}

// The tree-based stages must choose the same cells and write the same report, status lines
// and plans as the textbook stages, from every first plan and in every display setting.
TEST(ImprovementMethods, EqualTheLiteralStagesOnRandomTasks) {
    const std::pair<std::int32_t, std::int32_t> settings[] = {
        {kSolveModeChecking, kEstimatesAsLines},
        {kSolveModeDetailed, kEstimatesAsLines},
        {kSolveModeDetailed, kEstimatesAsTable},
        {kSolveModeDetailed, kEstimatesAsLinesAndTable},
    };
    for (const MethodPair& method : kMethods) {
        SCOPED_TRACE(method.Name);
        for (std::uint32_t seed = 1; seed <= 500; ++seed) {
            const TaskSpec task = RandomTask(seed, 7);
            SCOPED_TRACE(task.Name);
            const auto [mode, display] = settings[seed % 4];
            ExpectStagesAgree(method, FirstPlan(task, kRules[seed / 4 % 4], mode, display));
        }
    }
}

// Larger tasks reach the 32-bit row-minimum pricing of checking mode on many stages; tariffs
// near the 32-bit limit take the 64-bit pass instead.
TEST(ImprovementMethods, EqualTheLiteralStagesInCheckingModeOnLargerTasks) {
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        TaskSpec task = RandomTask(seed, 24);
        SCOPED_TRACE(task.Name);
        if (seed % 3 == 0) {
            for (std::int32_t& tariff : task.Tariffs) tariff *= 100000000;
        }
        ExpectStagesAgree(kMethods[seed % 2], FirstPlan(task, kRules[seed % 4], kSolveModeChecking));
    }
}

// Tall and wide tasks keep their basis as leaves hanging from a small core: the same choices,
// reports and status lines as the textbook stages, with ties, degenerate rims and every rule.
TEST(ImprovementMethods, EqualTheLiteralStagesOnTallAndWideTasks) {
    for (std::uint32_t seed = 1; seed <= 400; ++seed) {
        const int shortSide = 1 + static_cast<int>(seed % 4);
        const int longSide = 4 * shortSide + static_cast<int>(seed / 4 % 13);
        const bool tall = seed % 2 == 0;
        const TaskSpec task = RandomTaskOfShape(seed, tall ? longSide : shortSide, tall ? shortSide : longSide);
        SCOPED_TRACE(task.Name);
        ExpectStagesAgree(kMethods[seed / 2 % 2], FirstPlan(task, kRules[seed / 8 % 4], kSolveModeChecking));
    }
}

// A report that reaches its limit stops writing the course, and the stages from then on take
// the kept basis: they must go on exactly as the stages that write everything.
TEST(ImprovementMethods, GoOnAlikeOnceTheReportReachesItsLimit) {
    for (std::uint32_t seed = 1; seed <= 120; ++seed) {
        const TaskSpec task = seed % 2 == 0 ? RandomTask(seed, 9) : RandomTaskOfShape(seed, 3, 14);
        SCOPED_TRACE(task.Name);
        const MethodPair& method = kMethods[seed / 2 % 2];
        SolveState cut = FirstPlan(task, kRules[seed / 4 % 4], kSolveModeDetailed);
        cut.ReportLimit = 3000 + 500 * (seed % 7);
        SolveState literal = FirstPlan(task, kRules[seed / 4 % 4], kSolveModeChecking);
        RecordingHooks cutHooks;
        RecordingHooks literalHooks;
        ASSERT_TRUE(method.Fast(cut, cutHooks));
        ASSERT_TRUE(method.Literal(literal, literalHooks, 10000));
        ASSERT_EQ(Quantities(cut), Quantities(literal));
        ASSERT_EQ(cut.ObjectiveF, literal.ObjectiveF);
        for (int k = 0; k < cut.CellCount(); ++k) {
            if (!IsFreeMarker(cut.At(k))) continue;
            ASSERT_EQ(cut.At(k).Estimate, literal.At(k).Estimate) << "cell " << k;
        }
    }
}

TEST(ImprovementMethods, ReachAnOptimalPlanFromEveryRule) {
    for (std::uint32_t seed = 1; seed <= 400; ++seed) {
        const TaskSpec task = RandomTask(seed, 12);
        SCOPED_TRACE(task.Name);
        std::int64_t cost = 0;
        for (const Rule rule : kRules) {
            for (const MethodPair& method : kMethods) {
                SCOPED_TRACE(method.Name);
                SolveState s = FirstPlan(task, rule, kSolveModeChecking);
                SilentHooks hooks;
                ASSERT_TRUE(method.Fast(s, hooks));
                ExpectPlanMeetsRims(s);
                ExpectOptimalityCertificate(s);
                if (rule == kRules[0] && method.Fast == Method(SolveByPotentials)) cost = s.ObjectiveF;
                EXPECT_EQ(s.ObjectiveF, cost);
            }
        }
    }
}

TEST(SolveByPotentials, StopsAtOnceWhenTheFirstPlanIsOptimal) {
    SolveState s = FirstPlan({"optimal", {10, 10}, {10, 10}, {1, 5, 5, 1}}, NorthWestCorner,
                             kSolveModeDetailed);
    SilentHooks hooks;
    EXPECT_TRUE(SolveByPotentials(s, hooks));
    const std::string& text = s.Report.Text();
    EXPECT_EQ(text.rfind("<p align=center><font size=\"+1\"><b>Этап 1</b></font></p>", 0), 0u);
    EXPECT_EQ(text.find("Наиболее потенциальной"), std::string::npos);
    EXPECT_EQ(text.find("Этап 2"), std::string::npos);
    // NW leaves (1,1) and (2,2); the zero goes to the cheaper of (1,2) and (2,1), the earlier.
    EXPECT_NE(text.find("<b>(i,j): (1,2)</b><BR>"), std::string::npos);
    EXPECT_NE(text.find("U<sub>1</sub>=0<BR>V<sub>1</sub>=C<sub>1,1</sub>-U<sub>1</sub>= <b>1</b><br>"
                        "V<sub>2</sub>=C<sub>1,2</sub>-U<sub>1</sub>= <b>5</b><br>"
                        "U<sub>2</sub>=C<sub>2,2</sub>-V<sub>2</sub>= <b>-4</b><br>"),
              std::string::npos);
    EXPECT_NE(text.find("S<sub>2,1</sub> = c<sub>2,1</sub> - (u<sub>2</sub> + v<sub>1</sub>) = 8.<BR>"),
              std::string::npos);
}

TEST(SolveByDistribution, WritesEachEstimateAsTheSumAlongItsCycle) {
    SolveState s = FirstPlan({"2x2", {10, 10}, {5, 15}, {3, 1, 2, 6}}, NorthWestCorner,
                             kSolveModeDetailed);
    SilentHooks hooks;
    EXPECT_TRUE(SolveByDistribution(s, hooks));
    // NW: (1,1)=5, (1,2)=5, (2,2)=10. S(2,1) = c21 - c22 + c12 - c11 = 2 - 6 + 1 - 3 = -6.
    EXPECT_NE(s.Report.Text().find("<SPAN STYLE=\"color:red; font-weight: bold\">S<sub>2,1</sub> = "
                                   "c<sub>2,1</sub>-c<sub>2,2</sub>+c<sub>1,2</sub>-c<sub>1,1</sub> = "
                                   "-6</SPAN><br>"),
              std::string::npos);
    EXPECT_NE(s.Report.Text().find("Наиболее перспективной является клетка <b>(2,1)</b>. Для нее "
                                   "оценка равна <b>-6</b>.<BR>"),
              std::string::npos);
    EXPECT_NE(s.Report.Text().find("Значение целевой функции изменилось на 30 единиц"),
              std::string::npos);
    ExpectOptimalityCertificate(s);
}

// Answers the stepwise pauses: aborts at stage `abortAt`, reports an edit at stage `editAt`,
// runs to the end from stage `endAt`.
class PausingHooks : public SilentHooks {
public:
    PausingHooks(unsigned abortAt, unsigned editAt, unsigned endAt = 0)
        : m_abortAt(abortAt), m_editAt(editAt), m_endAt(endAt) {}
    StageAnswer BeforeStage(SolveState&, unsigned stage, bool) override {
        Stages.push_back(stage);
        if (stage == m_abortAt) return {StageDecision::Abort, false};
        if (stage == m_endAt) return {StageDecision::RunToEnd, false};
        return {StageDecision::Continue, stage == m_editAt};
    }
    std::vector<unsigned> Stages;

private:
    unsigned m_abortAt;
    unsigned m_editAt;
    unsigned m_endAt;
};

TEST(SolveByPotentials, PausesBeforeEveryStageOfAStepwiseRunAndStopsOnAbort) {
    SolveState s = FirstPlan({"3x4", {30, 40, 50}, {20, 35, 25, 40}, {4, 6, 9, 5, 3, 8, 7, 2, 6, 5, 4, 8}},
                             NorthWestCorner, kSolveModeStepwise);
    PausingHooks hooks(2, 1);
    EXPECT_FALSE(SolveByPotentials(s, hooks));
    EXPECT_EQ(hooks.Stages, (std::vector<unsigned>{1, 2}));
    const std::string& text = s.Report.Text();
    EXPECT_NE(text.find("<b>Этап 1</b></font></p><p><b>В начале текущего этапа пользователь внес "
                        "изменения в таблицу перевозок:</b></p><P><table"),
              std::string::npos);
    const std::string lastHeading = "<b>Этап 2</b></font></p>";
    EXPECT_EQ(text.substr(text.size() - lastHeading.size()), lastHeading);  // nothing after it
}

// Running to the end used to be told by the window writing the solver's mode; now the pause
// answers it, and the report is that of a run that went on at every pause.
TEST(SolveByPotentials, StopsPausingOnceTheUserRunsToTheEnd) {
    const TaskSpec task{"3x4", {30, 40, 50}, {20, 35, 25, 40}, {4, 6, 9, 5, 3, 8, 7, 2, 6, 5, 4, 8}};
    for (const Method method : {Method(SolveByPotentials), Method(SolveByDistribution)}) {
        SolveState ended = FirstPlan(task, NorthWestCorner, kSolveModeStepwise);
        PausingHooks endAtTwo(0, 0, 2);
        EXPECT_TRUE(method(ended, endAtTwo));
        EXPECT_EQ(endAtTwo.Stages, (std::vector<unsigned>{1, 2}));
        SolveState paused = FirstPlan(task, NorthWestCorner, kSolveModeStepwise);
        PausingHooks everyStage(0, 0);
        EXPECT_TRUE(method(paused, everyStage));
        EXPECT_GT(everyStage.Stages.size(), 2u);
        EXPECT_EQ(ended.Report.Text(), paused.Report.Text());
        EXPECT_EQ(ended.SolveMode, kSolveModeStepwise);
    }
}

// Goes back `backs` times, one after another, at the first pause that offers it from stage 3
// on, and records every pause's plan.
class SteppingBackHooks : public SilentHooks {
public:
    explicit SteppingBackHooks(int backs) : m_backs(backs) {}
    struct Pause {
        unsigned Stage = 0;
        bool BackOffered = false;
        std::vector<TaskCell> Cells;
        std::int64_t F = 0;
    };
    StageAnswer BeforeStage(SolveState& s, unsigned stage, bool backOffered) override {
        Pauses.push_back({stage, backOffered, s.Cells, s.ObjectiveF});
        if (stage >= 3 && backOffered && m_backs > 0) {
            --m_backs;
            BackAt.push_back(Pauses.size() - 1);
            return {StageDecision::Back, false};
        }
        return {};
    }
    std::vector<Pause> Pauses;
    std::vector<std::size_t> BackAt;  // the pauses answered with Back

    // The first pause of the stage before the one at pause k.
    const Pause* FirstPauseOf(unsigned stage) const {
        for (const Pause& pause : Pauses) {
            if (pause.Stage == stage) return &pause;
        }
        return nullptr;
    }

private:
    int m_backs;
};

bool SameCells(const std::vector<TaskCell>& a, const std::vector<TaskCell>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t k = 0; k < a.size(); ++k) {
        if (PlanQuantity(a[k]) != PlanQuantity(b[k]) || a[k].Basic != b[k].Basic) return false;
    }
    return true;
}

// A stage back gives the user the plan the previous stage started with (twice back: the one
// before), writes one line saying so, and the run still ends at the optimum.
TEST(StepwisePause, GoesBackToThePlanThePreviousStageStartedWith) {
    int wentBack = 0;
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        const TaskSpec task = seed % 3 == 0 ? RandomLimitedTask(seed) : RandomTask(seed);
        const int backs = 1 + static_cast<int>(seed % 2);
        SolveState quick = MakeState(task, kSolveModeChecking);
        quick.SolveMethod = seed % 4 == 1 ? kMethodDistributive : kMethodPotentials;
        SilentHooks silent;
        Solve(quick, silent, false);

        SolveState s = MakeState(task, kSolveModeStepwise);
        s.SolveMethod = quick.SolveMethod;
        SteppingBackHooks hooks(backs);
        Solve(s, hooks, false);
        ASSERT_FALSE(hooks.Pauses.empty());
        EXPECT_FALSE(hooks.Pauses.front().BackOffered);
        EXPECT_EQ(s.ObjectiveF, quick.ObjectiveF);
        EXPECT_EQ(Contains(s, "неразрешима"), Contains(quick, "неразрешима"));
        const std::string& text = s.Report.Text();
        std::size_t lines = 0;
        for (std::size_t at = text.find(kSteppedBack); at != std::string::npos; at = text.find(kSteppedBack, at + 1)) {
            ++lines;
        }
        ASSERT_EQ(lines, hooks.BackAt.size());
        if (hooks.BackAt.empty()) continue;
        ++wentBack;
        // Every Back is asked again at once, with the same stage number.
        const std::size_t last = hooks.BackAt.back();
        ASSERT_LT(last + 1, hooks.Pauses.size());
        const SteppingBackHooks::Pause& after = hooks.Pauses[last + 1];
        EXPECT_EQ(after.Stage, hooks.Pauses[last].Stage);
        const unsigned wanted = hooks.Pauses[last].Stage - static_cast<unsigned>(hooks.BackAt.size());
        const SteppingBackHooks::Pause* earlier = hooks.FirstPauseOf(wanted);
        ASSERT_NE(earlier, nullptr);
        EXPECT_TRUE(SameCells(after.Cells, earlier->Cells)) << "back to stage " << wanted;
        EXPECT_EQ(after.F, earlier->F);
    }
    EXPECT_GT(wentBack, 100);
}

TEST(CyclingGuard, MakesTheRuleStricterEachTimeABasisComesBack) {
    CyclingGuard guard;
    EXPECT_FALSE(guard.RepeatsBasis({1, 2, 3}));
    EXPECT_FALSE(guard.RepeatsBasis({1, 2, 4}));
    guard.AfterShift(0);  // nothing moved: the bases met so far still count
    EXPECT_TRUE(guard.RepeatsBasis({3, 2, 1}));
    EXPECT_EQ(guard.Rule(), EnteringRule::FirstNegative);
    EXPECT_FALSE(guard.RepeatsBasis({1, 2, 4}));
    EXPECT_TRUE(guard.RepeatsBasis({1, 2, 3}));
    EXPECT_EQ(guard.Rule(), EnteringRule::RandomNegative);
    guard.AfterShift(5);
    EXPECT_EQ(guard.Rule(), EnteringRule::MostNegative);
    EXPECT_FALSE(guard.RepeatsBasis({1, 2, 3}));
}

}  // namespace
}  // namespace kargolo::testing
