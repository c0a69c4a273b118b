#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "solver/basis.h"
#include "solver/bounded_tracking.h"
#include "solver/driver.h"
#include "solver/plan_rules.h"
#include "solver/report_writer.h"
#include "solver/restricted.h"
#include "tests/support/literal_bounded.h"
#include "tests/support/literal_methods.h"
#include "tests/support/literal_plan_rules.h"
#include "tests/support/plan_checks.h"
#include "tests/support/task_builders.h"

namespace kargolo::testing {
namespace {

constexpr std::int32_t M = kNoLimit;

// A state in the middle of a bounded run, drawn at random: every state a cell can be in (free,
// zero, epsilon quantities, below, at and over its limit, closed, basic), tariffs with ties and
// M parts, potentials with M parts.
SolveState RandomBoundedState(std::uint32_t seed) {
    std::mt19937 random(seed);
    auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    SolveState s;
    ResizeTask(s, pick(2, 7), pick(2, 7));
    s.RestrictedTask = true;
    s.SolveMode = pick(0, 1);
    s.EstimationDisplaying = pick(0, 2);
    s.EpsilonCounter = pick(0, 3);
    for (TaskCell& c : s.Cells) {
        c.Tariff = pick(-2, 4);
        c.TariffM = pick(0, 7) == 0 ? pick(-1, 1) : 0;
        const int limitKind = pick(0, 3);
        c.Limit = limitKind == 0 ? kNoLimit : limitKind == 1 ? 0 : pick(1, 6);
        const std::int32_t top = c.Limit > 0 ? c.Limit : 6;
        const EpsValue quantities[] = {{kFreeCargo, 0}, {0, 0}, {0, pick(1, 3)}, {0, -pick(1, 3)},
                                       {pick(1, top), 0}, {top, -pick(1, 3)}, {pick(1, top), pick(-2, 2)}};
        SetPlanQuantity(c, quantities[pick(0, 6)]);
        c.Basic = pick(0, 3) == 0 ? 1 : 0;
    }
    for (auto* potentials : {&s.PotentialsU, &s.PotentialsV}) {
        potentials->resize(static_cast<std::size_t>(potentials == &s.PotentialsU ? s.m : s.n));
        for (PotentialEntry& p : *potentials) p = {pick(-5, 5), 1, pick(0, 5) == 0 ? pick(-1, 1) : 0};
    }
    return s;
}

// Both fast forms take the cells a scan of all cells would take: the completion through two
// queues made once, the estimates in one pass by rows.
TEST(BoundedMethod, CompletionAndEstimatesEqualTheirLiteralFormsOnRandomStates) {
    for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
        SCOPED_TRACE(seed);
        SolveState fast = RandomBoundedState(seed);
        SolveState literal = fast;
        const BoundedCandidates heads = FindBoundedEstimates(fast);
        const BoundedCandidates literalHeads = LiteralFindBoundedEstimates(literal);
        ASSERT_EQ(heads.Lower, literalHeads.Lower);
        ASSERT_EQ(heads.Upper, literalHeads.Upper);
        ASSERT_EQ(fast.Report.Text(), literal.Report.Text());
        for (int k = 0; k < fast.CellCount(); ++k) {
            ASSERT_EQ(fast.At(k).Estimate, literal.At(k).Estimate);
            ASSERT_EQ(fast.At(k).EstimateM, literal.At(k).EstimateM);
        }
        int count = 0;
        for (const TaskCell& c : fast.Cells) count += c.Basic;
        std::vector<int> added;
        std::vector<int> literalAdded;
        ASSERT_EQ(CompleteBoundedBasis(fast, count, added),
                  LiteralCompleteBoundedBasis(literal, count, literalAdded));
        ASSERT_EQ(added, literalAdded);
        ASSERT_EQ(Quantities(fast), Quantities(literal));
        ASSERT_EQ(fast.EpsilonCounter, literal.EpsilonCounter);
        for (int k = 0; k < fast.CellCount(); ++k) {
            ASSERT_EQ(fast.At(k).CargoEps, literal.At(k).CargoEps);
            ASSERT_EQ(fast.At(k).Basic, literal.At(k).Basic);
        }
        for (int i = 0; i < fast.m; ++i) {
            ASSERT_EQ(fast.Supplies[static_cast<std::size_t>(i)].AmountEps,
                      literal.Supplies[static_cast<std::size_t>(i)].AmountEps);
        }
    }
}

// A whole run with limits from a task as entered.
SolveState SolveWithLimits(const TaskSpec& task, std::int32_t mode = kSolveModeChecking) {
    SolveState s = MakeState(task, mode);
    SilentHooks hooks;
    Solve(s, hooks, false);
    return s;
}

// In a forest the potentials found down the trees are those of the textbook passes.
TEST(BoundedMethod, PotentialsOfAForestEqualThoseOfTheTextbookPasses) {
    int forests = 0;
    for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
        SolveState fast = RandomBoundedState(seed);
        BasisForest basis(fast);
        basis.Root();
        if (!basis.IsForest()) continue;
        ++forests;
        SolveState literal = fast;
        FindPotentials(fast, basis, false);
        FindPotentials(literal, basis, true);
        for (int i = 0; i < fast.m; ++i) {
            const PotentialEntry& u = fast.PotentialsU[static_cast<std::size_t>(i)];
            const PotentialEntry& literalU = literal.PotentialsU[static_cast<std::size_t>(i)];
            ASSERT_EQ(std::tie(u.Value, u.M, u.Known), std::tie(literalU.Value, literalU.M, literalU.Known)) << seed;
        }
        for (int j = 0; j < fast.n; ++j) {
            const PotentialEntry& v = fast.PotentialsV[static_cast<std::size_t>(j)];
            const PotentialEntry& literalV = literal.PotentialsV[static_cast<std::size_t>(j)];
            ASSERT_EQ(std::tie(v.Value, v.M, v.Known), std::tie(literalV.Value, literalV.M, literalV.Known)) << seed;
        }
    }
    EXPECT_GT(forests, 1000);
}

// Lets the second pause report a changed plan (so the run takes the plan afresh), then runs to
// the end. (An edited plan the stepwise window lets through is a basic plan like any other.)
class ChangedPlanHooks : public RecordingHooks {
public:
    StageAnswer BeforeStage(SolveState&, unsigned stage, bool) override {
        return {stage < 3 ? StageDecision::Continue : StageDecision::RunToEnd, stage == 2};
    }
};

// One run with limits from the first plan on, with the given tracking.
struct BoundedRun {
    SolveState State;
    ChangedPlanHooks Hooks;
    BoundedOutcome Result;
    bool Completed = false;
};

void RunBounded(const TaskSpec& task, std::int32_t mode, std::int32_t display,
                BoundedTracking& tracking, BoundedRun& run) {
    run.State = BalancedState(task, mode);
    run.State.EstimationDisplaying = display;
    RestrictedMinimumElement(run.State);
    run.Completed = SolveRestricted(run.State, run.Hooks, run.Result, tracking);
}

// Random tasks with limits: ties in every fourth, tariffs beyond the packed pass in every
// seventh, some larger tasks.
TaskSpec BoundedRunTask(std::uint32_t seed) {
    TaskSpec task = RandomLimitedTask(seed, seed % 5 == 0 ? 14 : 8);
    if (seed % 7 == 0) {
        for (std::int32_t& tariff : task.Tariffs) tariff *= 1000003;
    }
    return task;
}

// Runs the task with the kept tracking and with the literal one and expects the same reports,
// status lines, outcomes and cells.
void ExpectKeptEqualsLiteral(const TaskSpec& task, std::int32_t mode, std::int32_t display) {
    KeptBoundedTracking kept;
    LiteralBoundedTracking literal;
    BoundedRun fast;
    BoundedRun textbook;
    RunBounded(task, mode, display, kept, fast);
    RunBounded(task, mode, display, literal, textbook);
    ASSERT_EQ(fast.State.Report.Text(), textbook.State.Report.Text());
    ASSERT_EQ(fast.Hooks.Lines, textbook.Hooks.Lines);
    ASSERT_EQ(fast.State.ObjectiveF, textbook.State.ObjectiveF);
    ASSERT_EQ(fast.Completed, textbook.Completed);
    ASSERT_EQ(fast.Result.ConditionsMet, textbook.Result.ConditionsMet);
    ASSERT_EQ(fast.Result.ExtendedTaskPresent, textbook.Result.ExtendedTaskPresent);
    ASSERT_EQ(fast.State.CellCount(), textbook.State.CellCount());
    for (int k = 0; k < fast.State.CellCount(); ++k) {
        const TaskCell& c = fast.State.At(k);
        const TaskCell& t = textbook.State.At(k);
        ASSERT_EQ(std::tie(c.Cargo, c.CargoEps, c.Basic, c.Estimate, c.EstimateM),
                  std::tie(t.Cargo, t.CargoEps, t.Basic, t.Estimate, t.EstimateM))
            << "cell " << k;
    }
}

// The run that keeps its basis, counts and prices between stages must choose, write and report
// exactly as the run that finds everything anew at every stage.
TEST(BoundedMethod, KeptTrackingEqualsTheLiteralStagesOnRandomTasks) {
    const std::pair<std::int32_t, std::int32_t> settings[] = {
        {kSolveModeChecking, kEstimatesAsLines},
        {kSolveModeDetailed, kEstimatesAsLines},
        {kSolveModeChecking, kEstimatesAsLines},
        {kSolveModeDetailed, kEstimatesAsLinesAndTable},
        {kSolveModeStepwise, kEstimatesAsTable},
    };
    for (std::uint32_t seed = 1; seed <= 2500; ++seed) {
        const TaskSpec task = BoundedRunTask(seed);
        SCOPED_TRACE(task.Name);
        const auto [mode, display] = settings[seed % 5];
        ExpectKeptEqualsLiteral(task, mode, display);
    }
}

// Tall and wide tasks with limits, their extended tasks included, keep their basis as leaves
// hanging from a small core: the same choices, M parts and ties as the stages done anew.
TEST(BoundedMethod, KeptTrackingEqualsTheLiteralStagesOnTallAndWideTasks) {
    for (std::uint32_t seed = 1; seed <= 600; ++seed) {
        const int shortSide = 1 + static_cast<int>(seed % 3);
        const int longSide = 4 * (shortSide + 1) + static_cast<int>(seed / 3 % 11);
        const bool tall = seed % 2 == 0;
        TaskSpec task = RandomLimitedTaskOfShape(seed, tall ? longSide : shortSide, tall ? shortSide : longSide);
        if (seed % 4 == 1) {
            for (std::int32_t& tariff : task.Tariffs) tariff = 1 + (tariff & 1);  // ties everywhere
        }
        SCOPED_TRACE(task.Name);
        ExpectKeptEqualsLiteral(task, kSolveModeChecking, kEstimatesAsLines);
    }
}

TEST(RestrictedMinimumElement, CapsEachPlacementByTheLimitAndShowsTheLimit) {
    // (1,1) is the cheapest but limited to 7; (1,2) is closed; (2,1) has no limit.
    SolveState s = BalancedState({"2x2", {10, 10}, {10, 10}, {1, 2, 3, 4}, {7, 0, M, M}});
    RestrictedMinimumElement(s);
    EXPECT_EQ(Quantities(s), (std::vector<std::int32_t>{7, -1, 3, 7}));
    const std::string& text = s.Report.Text();
    EXPECT_NE(text.find("Помещаем туда меньшее из чисел A<sub>1</sub><sup>*</sup>=10, "
                        "B<sub>1</sub><sup>*</sup>=10 и D<sub>1,1</sub>=7<br>"),
              std::string::npos);
    EXPECT_EQ(text.find("(1,2)."), std::string::npos);  // the closed route receives 0 silently
    EXPECT_NE(text.find("A<sub>2</sub><sup>*</sup>=10, B<sub>1</sub><sup>*</sup>=3 и "
                        "D<sub>2,1</sub>=<b>M</b><br>"),
              std::string::npos);
}

// The rule walks the cells once in tariff order; it must place, close and write exactly as
// repeated searches for the cheapest open cell do.
TEST(RestrictedMinimumElement, EqualsTheLiteralRuleOnRandomTasks) {
    for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
        const TaskSpec task = RandomLimitedTask(seed, 9);
        SCOPED_TRACE(task.Name);
        for (const std::int32_t mode : {kSolveModeChecking, kSolveModeDetailed}) {
            SolveState fast = BalancedState(task, mode);
            SolveState literal = fast;
            RestrictedMinimumElement(fast);
            LiteralRestrictedMinimumElement(literal);
            ASSERT_EQ(Quantities(fast), Quantities(literal));
            ASSERT_EQ(fast.Report.Text(), literal.Report.Text());
        }
    }
}

TEST(SolveRestricted, NotesAPlanThatShipsEverythingAndNumbersImprovementsFrom2) {
    SolveState s = SolveWithLimits({"all through", {10, 10}, {10, 10}, {1, 2, 3, 4}, {M, M, M, M}},
                                   kSolveModeDetailed);
    EXPECT_TRUE(Contains(s, "<b>Этап 1</b></font></p><BR>Так как суммарная величина "
                            "нераспределенного груза/потребностей epsilon = 0, то текущий план "
                            "является опорным планом транспортной задачи с ограничениями.<BR>"));
    EXPECT_TRUE(Contains(s, "<b>Этап 2</b>"));
    EXPECT_TRUE(Contains(s, "Так как все условия оптимальности выполнены"));
}

// The first plan leaves 5 units: the extended task is 4 x 4, its supplier written with the
// Cyrillic А, and the limits are loose enough for the method to place them.
TEST(SolveRestricted, ExtendsATaskWhoseFirstPlanLeavesCargo) {
    const TaskSpec task{"3x3 leaving 5",
                        {10, 10, 10},
                        {10, 10, 10},
                        {1, 2, 9, 2, 1, 9, 9, 9, 1},
                        {5, M, M, M, M, M, M, M, M}};
    SolveState s = SolveWithLimits(task, kSolveModeDetailed);
    EXPECT_TRUE(Contains(s, "epsilon = 5, т.е. > 0"));
    EXPECT_TRUE(Contains(s, "фиктивного поставщика А<sub>4</sub> с объемом производства, равным "
                            "5, и фиктивного потребителя B<sub>4</sub> с объемом потребностей, "
                            "равным 5."));
    EXPECT_TRUE(Contains(s, "Тариф перевозки c<sub>4,4</sub> между фиктивным поставщиком"));
    EXPECT_TRUE(Contains(s, "<td  class=cellA>B4</td>\n</tr>"));
    EXPECT_TRUE(Contains(s, "<BR>Так как перевозка X<sub>4,4</sub> = epsilon = 5"));
    ASSERT_EQ(s.m, 3);
    ExpectPlanMeetsRims(s);
    ExpectPlanWithinLimits(s);
    for (const TaskCell& c : s.Cells) {
        EXPECT_EQ(c.CargoEps, 0);
        EXPECT_EQ(c.Basic, 0);
    }
}

TEST(SolveRestricted, WritesTheVerdictEvenInCheckingModeWithZeroForAFreeCorner) {
    // Supplier 1 can ship at most 5 of its 10 units.
    SolveState s = SolveWithLimits({"blocked", {10, 10}, {10, 10}, {1, 1, 1, 1}, {3, 2, M, M}});
    EXPECT_TRUE(Contains(s, "<BR>Так как условия оптимальности опорного плана выполнены, но "
                            "перевозка X<sub>3,3</sub>, равная 0, меньше суммарной величины "
                            "нераспределенного груза/потребностей epsilon = 5, то транспортная "
                            "задача <b>неразрешима из-за наложенных ограничений.</b>"));
    EXPECT_TRUE(Contains(s, "<BR>5 единиц груза из хранилища A1 осталось нераспределенным."));
    EXPECT_EQ(s.m, 3);  // the extended row and column stay for the summary
}

// Every tariff <= 0 and a first plan that leaves 5 units: with -M on the extended row and
// column undelivered cargo looked attractive and the task was declared unsolvable, although its
// limits let everything through. The optimum ships x22 = 5 for F = -80.
TEST(SolveRestricted, SolvesAFeasibleTaskWithNonPositiveTariffsWhoseFirstPlanLeavesCargo) {
    SolveState s = SolveWithLimits({"non-positive", {10, 10}, {10, 10}, {-9, -5, -1, -1}, {M, M, M, 5}});
    EXPECT_TRUE(s.MaximisationTask);
    EXPECT_FALSE(Contains(s, "неразрешима"));
    EXPECT_EQ(s.ObjectiveF, -80);
    ExpectPlanWithinLimits(s);
}

// Answers every stepwise pause with the same decision and counts the pauses.
class SameAnswerHooks : public SilentHooks {
public:
    explicit SameAnswerHooks(StageDecision decision) : m_decision(decision) {}
    StageAnswer BeforeStage(SolveState&, unsigned, bool) override {
        ++Pauses;
        return {m_decision, false};
    }
    int Pauses = 0;

private:
    StageDecision m_decision;
};

TEST(SolveRestricted, StopsPausingOnceTheUserRunsToTheEnd) {
    int longRuns = 0;
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        const TaskSpec task = RandomLimitedTask(seed, 7);
        SCOPED_TRACE(task.Name);
        SolveState paused = MakeState(task, kSolveModeStepwise);
        SameAnswerHooks goOn(StageDecision::Continue);
        Solve(paused, goOn, false);
        SolveState ended = MakeState(task, kSolveModeStepwise);
        SameAnswerHooks runToEnd(StageDecision::RunToEnd);
        Solve(ended, runToEnd, false);
        EXPECT_EQ(runToEnd.Pauses, std::min(goOn.Pauses, 1));
        EXPECT_EQ(ended.Report.Text(), paused.Report.Text());
        longRuns += goOn.Pauses > 2 ? 1 : 0;
    }
    EXPECT_GT(longRuns, 20);
}

// Closed routes can cut a task in parts that no basis joins; the potentials of such a part used
// to be looked for for ever. Each part now starts its own tree at 0.
TEST(SolveRestricted, SolvesATaskThatClosedRoutesCutInTwo) {
    SolveState s = SolveWithLimits({"cut in two", {5, 5}, {5, 5}, {1, 1, 1, 1}, {M, 0, 0, M}},
                                   kSolveModeDetailed);
    EXPECT_TRUE(Contains(s, "U<sub>1</sub>=0<BR>V<sub>1</sub>=C<sub>1,1</sub>-U<sub>1</sub>= "
                            "<b>1</b><br>U<sub>2</sub>=0<BR>V<sub>2</sub>=C<sub>2,2</sub>-"
                            "U<sub>2</sub>= <b>1</b><br>"));
    EXPECT_TRUE(Contains(s, "Так как все условия оптимальности выполнены"));
    EXPECT_EQ(s.ObjectiveF, 10);
}

// Cell (3,2) (tariff 13) sits at its limit 19 with estimate 11: it enters falling, so its own
// mark in the cycle is '-'.
TEST(SolveRestricted, MarksAnEnteringCellAtItsLimitWithMinus) {
    SolveState s = SolveWithLimits({"upper bound enters",
                                    {25, 32, 34},
                                    {60, 20},
                                    {7, 10, 0, -5, 0, 13},
                                    {M, 4, M, 16, 8, 19}},
                                   kSolveModeDetailed);
    const std::string& text = s.Report.Text();
    const std::size_t entering =
        text.find("является клетка <b>(3,2)</b>. Для нее оценка равна <b>11</b>");
    ASSERT_NE(entering, std::string::npos);
    const std::size_t cell = text.find(
        "<td bgcolor=\"#FFCCCC\"><table class=\"mtable\" nowrap><tr valign=top><td "
        "class=\"sign\">-</td><td class=\"cellC\">13</td></tr><tr valign=bottom><td "
        "class=\"cellX\">19</td>",
        entering);
    EXPECT_LT(cell, text.find("Перемещаем по циклу", entering));
}

TEST(PickEnteringCell, PrefersMPartsThenTheLargerEstimateThenTheLowerBound) {
    SolveState s = MakeState({"2 cells", {1}, {1, 1}, {}});
    auto set = [&s](int k, std::int64_t number, std::int32_t m) {
        s.At(k).Estimate = number;
        s.At(k).EstimateM = m;
    };
    set(0, -5, 0), set(1, 5, 0);
    EXPECT_EQ(PickEnteringCell(s, {0, 1}), 0);  // equal sizes: the lower bound
    set(0, -5, 0), set(1, 6, 0);
    EXPECT_EQ(PickEnteringCell(s, {0, 1}), 1);
    set(0, 0, -1), set(1, 0, 3);
    EXPECT_EQ(PickEnteringCell(s, {0, 1}), 0);  // both with M parts: the lower one
    set(0, -100, 0), set(1, 0, 1);
    EXPECT_EQ(PickEnteringCell(s, {0, 1}), 1);
    EXPECT_EQ(PickEnteringCell(s, {-1, 1}), 1);
    EXPECT_EQ(PickEnteringCell(s, {-1, -1}), -1);
}

// Lower-bound candidates with equal estimates: the smaller plain tariff heads the list, an M
// tariff loses to any plain one, and equal M parts are not told apart by their numbers.
TEST(FindBoundedEstimates, HeadsTheListsByMPartThenNumberThenTariff) {
    const struct {
        const char* Name;
        std::vector<std::int32_t> Tariffs;
        std::vector<std::int32_t> TariffMs;
        int Head;
    } cases[] = {
        {"tariffs 4 then 2", {4, 2, 9}, {0, 0, 0}, 1},
        {"equal tariffs", {3, 3, 9}, {0, 0, 0}, 0},
        {"M tariff first", {9, 7, 9}, {1, 0, 0}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        SolveState s = MakeState({c.Name, {1}, {1, 1, 1}, c.Tariffs, {M, M, M}}, kSolveModeChecking);
        s.PotentialsU = {{0, 1, 0}};
        s.PotentialsV.assign(3, {});
        for (int j = 0; j < 3; ++j) {
            TaskCell& cell = s.At(j);
            cell.TariffM = c.TariffMs[static_cast<std::size_t>(j)];
            SetPlanQuantity(cell, {kFreeCargo, 0});
            // Potentials that leave the same estimate in cells 0 and 1.
            s.PotentialsV[static_cast<std::size_t>(j)] = {cell.Tariff + 5, 1, cell.TariffM};
        }
        s.PotentialsV[2].Value = 0;  // cell 2: a positive estimate, no candidate
        EXPECT_EQ(FindBoundedEstimates(s).Lower, c.Head);
    }
}

// The tree gives the same cycle as the depth-first search over the cells flagged Basic.
TEST(FindCycle, EqualsTheDepthFirstSearchOverBasicFlags) {
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        const TaskSpec task = RandomLimitedTask(seed, 8);
        SCOPED_TRACE(task.Name);
        SolveState s = BalancedState(task, kSolveModeChecking);
        RestrictedMinimumElement(s);
        int count = 0;
        for (TaskCell& c : s.Cells) {
            if (PlanQuantity(c) > EpsValue{} && (c.Limit == kNoLimit || c.Cargo < c.Limit)) {
                c.Basic = 1;
                ++count;
            }
        }
        std::vector<int> added;
        CompleteBoundedBasis(s, count, added);
        BasisForest basis(s);
        basis.Root();
        for (int k = 0; k < s.CellCount(); ++k) {
            if (s.At(k).Basic) continue;
            s.CycleList = {k};
            const bool literalFound = LiteralFindCycle(s, k, k, 0, 1) == -1;
            ASSERT_EQ(basis.ClosesCycle(k), literalFound) << "cell " << k;
            if (!literalFound) continue;
            std::vector<int> fast{k};
            basis.AppendCycle(k, fast);
            ASSERT_EQ(fast, s.CycleList) << "cell " << k;
        }
    }
}

// Every random task ends solved exactly when its limits let all cargo through, and then with
// a plan that no cycle of routes can make cheaper.
TEST(SolveRestricted, SolvesRandomTasksOrFindsThemBlocked) {
    for (std::uint32_t seed = 1; seed <= 1000; ++seed) {
        const TaskSpec task = RandomLimitedTask(seed, 7);
        SCOPED_TRACE(task.Name);
        SolveState balanced = BalancedState(task, kSolveModeChecking);
        const bool feasible = LimitsLetAllCargoThrough(balanced);
        for (const std::int32_t mode : {kSolveModeChecking, kSolveModeDetailed}) {
            SolveState s = SolveWithLimits(task, mode);
            ASSERT_EQ(!Contains(s, "неразрешима"), feasible);
            if (!feasible) continue;
            ExpectPlanMeetsRims(s);
            ExpectPlanWithinLimits(s);
            ExpectNoCheaperPlanWithinLimits(s);
        }
    }
}

}  // namespace
}  // namespace kargolo::testing
