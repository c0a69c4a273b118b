#include "solver/time_criterion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>

#include "solver/plan_rules.h"
#include "tests/support/plan_checks.h"
#include "tests/support/task_builders.h"

namespace kargolo::testing {
namespace {

std::size_t At(int index) { return static_cast<std::size_t>(index); }

// Times from 0 to 25, or 6 to 8 in every fourth task (many ties), limits as the task has them.
TaskSpec RandomTimeTask(std::uint32_t seed, bool limits) {
    TaskSpec task = limits ? RandomLimitedTask(seed, 6) : RandomTask(seed, 7);
    for (std::int32_t& time : task.Tariffs) time += 5;
    return task;
}

// The task closed by a consumer or supplier whose routes take no time; every route open
// unless the task limits it.
SolveState OracleState(const TaskSpec& task) {
    SolveState s = MakeState(task, kSolveModeChecking);
    if (!s.RestrictedTask) {
        for (TaskCell& c : s.Cells) c.Limit = kNoLimit;
    }
    std::int64_t balance = 0;
    for (const RimEntry& a : s.Supplies) balance += a.Amount;
    for (const RimEntry& b : s.Demands) balance -= b.Amount;
    if (balance == 0) return s;
    const int m = s.m + (balance < 0 ? 1 : 0);
    const int n = s.n + (balance > 0 ? 1 : 0);
    SolveState closed = s;
    ResizeTask(closed, m, n);
    for (int i = 0; i < m; ++i) {
        for (int j = 0; j < n; ++j) {
            const bool own = i < s.m && j < s.n;
            closed.Cell(i, j) = own ? s.Cell(i, j) : TaskCell{};
            if (!own) closed.Cell(i, j).Limit = kNoLimit;
        }
    }
    for (int i = 0; i < m; ++i) closed.Supplies[At(i)] = i < s.m ? s.Supplies[At(i)] : RimEntry{static_cast<std::int32_t>(-balance), 0};
    for (int j = 0; j < n; ++j) closed.Demands[At(j)] = j < s.n ? s.Demands[At(j)] : RimEntry{static_cast<std::int32_t>(balance), 0};
    return closed;
}

// The smallest T for which the routes of time <= T let every unit through (a maximum flow), or
// nothing when not even every route does.
std::optional<std::int32_t> SmallestFeasibleTime(const TaskSpec& task) {
    const SolveState base = OracleState(task);
    std::set<std::int32_t> times{0};
    for (const TaskCell& c : base.Cells) times.insert(c.Tariff);
    for (const std::int32_t t : times) {
        SolveState s = base;
        for (TaskCell& c : s.Cells) {
            if (c.Tariff > t) c.Limit = 0;
        }
        if (LimitsLetAllCargoThrough(s)) return t;
    }
    return std::nullopt;
}

// Every supplier ships its supply and every consumer gets its demand; no cell is negative or
// above its limit. (A plan of the time criterion may hold more than m + n - 1 loaded cells.)
void ExpectFeasiblePlan(const SolveState& s) {
    std::vector<std::int64_t> shipped(At(s.m));
    std::vector<std::int64_t> received(At(s.n));
    for (int i = 0; i < s.m; ++i) {
        for (int j = 0; j < s.n; ++j) {
            const TaskCell& c = s.Cell(i, j);
            ASSERT_TRUE(c.Cargo == kFreeCargo || c.Cargo > 0) << "cell (" << i + 1 << "," << j + 1 << ")";
            if (c.Cargo <= 0) continue;
            shipped[At(i)] += c.Cargo;
            received[At(j)] += c.Cargo;
            if (s.RestrictedTask && HasLimit(c)) {
                EXPECT_LE(c.Cargo, c.Limit);
            }
        }
    }
    for (int i = 0; i < s.m; ++i) EXPECT_EQ(shipped[At(i)], s.Supplies[At(i)].Amount) << "A" << i + 1;
    for (int j = 0; j < s.n; ++j) EXPECT_EQ(received[At(j)], s.Demands[At(j)].Amount) << "B" << j + 1;
}

// The T of each stage, read from the status lines "Этап k: T = x" (M as the largest).
std::vector<std::int64_t> StageTimes(const RecordingHooks& hooks) {
    std::vector<std::int64_t> times;
    for (const std::string& line : hooks.Lines) {
        const std::size_t at = line.find(": T = ");
        if (line.rfind("Этап ", 0) != 0 || at == std::string::npos) continue;
        const std::string value = line.substr(at + 6);
        times.push_back(value == "M" ? std::int64_t{1} << 40 : std::stoll(value));
    }
    return times;
}

void ExpectSmallestTime(const TaskSpec& task, std::int32_t rule) {
    SolveState s = MakeState(task, kSolveModeChecking);
    s.PlanMethod = rule;
    const int m = s.m;
    const int n = s.n;
    RecordingHooks hooks;
    ASSERT_EQ(CheckTimeTaskInput(s), "");
    const TimeCriterionResult result = SolveByTime(s, hooks, false);
    const std::optional<std::int32_t> oracle = SmallestFeasibleTime(task);
    ASSERT_TRUE(result.Completed);
    ExpectFeasiblePlan(s);
    const std::vector<std::int64_t> times = StageTimes(hooks);
    EXPECT_TRUE(std::adjacent_find(times.begin(), times.end(), std::less_equal<>()) == times.end())
        << "T did not fall from stage to stage";
    EXPECT_EQ(times.size(), result.Stages);
    EXPECT_EQ(result.Unsolvable, !oracle.has_value());
    if (!oracle) return;
    EXPECT_EQ(result.LongestTime, (MValue{0, *oracle}));
    EXPECT_EQ(LongestLoadedTime(s, m, n), result.LongestTime);
}

TEST(SolveByTime, ReachesTheSmallestTimeThatLetsEveryUnitThrough) {
    for (std::uint32_t seed = 1; seed <= 2500; ++seed) {
        const TaskSpec task = RandomTimeTask(seed, false);
        SCOPED_TRACE(task.Name);
        ExpectSmallestTime(task, static_cast<std::int32_t>(seed % 4));
    }
}

TEST(SolveByTime, ReachesTheSmallestTimeWithinTheLimitsOrFindsNoPlan) {
    int unsolvable = 0;
    for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
        const TaskSpec task = RandomTimeTask(seed, true);
        SCOPED_TRACE(task.Name);
        ExpectSmallestTime(task, kPlanNorthWestCorner);
        unsolvable += SmallestFeasibleTime(task) ? 0 : 1;
    }
    EXPECT_GT(unsolvable, 50);  // the random limits block some tasks
}

TEST(SolveByTime, TakesEqualTimesEverywhere) {
    const TaskSpec tasks[] = {
        {"one time", {20, 30, 50}, {30, 40, 30}, {4, 4, 4, 4, 4, 4, 4, 4, 4}},
        {"two times", {10, 10, 10}, {15, 15}, {3, 5, 5, 3, 3, 5}},
        {"zero cargo", {0, 0}, {0, 0}, {1, 2, 3, 4}},
        {"zero times", {5, 5}, {4, 6}, {0, 0, 0, 0}},
    };
    for (const TaskSpec& task : tasks) {
        SCOPED_TRACE(task.Name);
        for (std::int32_t rule = 0; rule < 4; ++rule) ExpectSmallestTime(task, rule);
    }
}

// The stage loop unloads (3,3) in two shifts and then finds no cycle for (2,3): column 3 can get
// only 20 of its 30 units over routes faster than 9.
TEST(SolveByTime, WritesEveryStageOfATextbookTask) {
    SolveState s = MakeState({"3x3", {20, 30, 50}, {30, 40, 30}, {5, 8, 2, 6, 3, 9, 4, 7, 10}});
    RecordingHooks hooks;
    const TimeCriterionResult result = SolveByTime(s, hooks, false);
    EXPECT_EQ(result.Stages, 2u);
    EXPECT_EQ(result.LongestTime, (MValue{0, 9}));
    EXPECT_EQ(Quantities(s), (std::vector<std::int32_t>{-1, -1, 20, -1, 20, 10, 30, 20, -1}));
    EXPECT_TRUE(Contains(s, "Цикл разгрузки: (3,3)<b>-</b> &rarr; (3,1)<b>+</b> &rarr; (1,1)<b>-</b> "
                            "&rarr; (1,3)<b>+</b>"));
    EXPECT_TRUE(Contains(s, "Клетка (3,3) разгружена частично: в ней осталось 10 единиц груза."));
    EXPECT_TRUE(Contains(s, "Для клетки <b>(2,3)</b> цикла разгрузки нет"));
    EXPECT_TRUE(Contains(s, "Наименьшее время перевозки T<sub>min</sub> = 9"));
}

// Limits that leave cargo undistributed send it over routes of time M first; the run either
// removes them or says that no plan exists.
TEST(SolveByTime, RemovesTheFictitiousRoutesOfTimeMOrGivesTheVerdict) {
    const std::int32_t open = kNoLimit;
    // The least time first fills (1,1) with 10 and (2,2) with its 5, and 5 units are left.
    const TaskSpec solvable{"solvable", {10, 10}, {10, 10}, {1, 2, 3, 9}, {10, open, open, 5}};
    SolveState s = MakeState(solvable);
    RecordingHooks hooks;
    TimeCriterionResult result = SolveByTime(s, hooks, false);
    EXPECT_FALSE(result.Unsolvable);
    EXPECT_EQ(s.m, 2);
    EXPECT_EQ(result.LongestTime, (MValue{0, 3}));
    EXPECT_TRUE(Contains(s, "Все фиктивные перевозки со временем M устранены"));
    ExpectFeasiblePlan(s);

    const TaskSpec blocked{"blocked", {10, 10}, {10, 10}, {1, 2, 3, 9}, {10, 0, 0, 5}};
    SolveState t = MakeState(blocked);
    result = SolveByTime(t, hooks, false);
    EXPECT_TRUE(result.Unsolvable);
    EXPECT_TRUE(Contains(t, "<b>Задача неразрешима:</b>"));
    EXPECT_FALSE(Contains(t, "T<sub>min</sub>"));
}

// A plan the user typed in the stepwise pause is where the stages go on from.
class PlanChangingHooks : public RecordingHooks {
public:
    explicit PlanChangingHooks(StageDecision decision) : m_decision(decision) {}
    StageAnswer BeforeStage(SolveState& s, unsigned stage, bool) override {
        if (stage != 1 || m_decision == StageDecision::Abort) return {m_decision, false};
        for (TaskCell& c : s.Cells) SetPlanQuantity(c, {0, 0});
        MinimumElement(s);
        return {StageDecision::Continue, true};
    }

private:
    StageDecision m_decision;
};

TEST(SolveByTime, GoesOnFromThePlanTheUserTypedOrStops) {
    const TaskSpec task{"3x3", {20, 30, 50}, {30, 40, 30}, {5, 8, 2, 6, 3, 9, 4, 7, 10}};
    SolveState s = MakeState(task, kSolveModeStepwise);
    PlanChangingHooks changing(StageDecision::Continue);
    TimeCriterionResult result = SolveByTime(s, changing, false);
    EXPECT_TRUE(Contains(s, "пользователь внес изменения в таблицу перевозок"));
    EXPECT_EQ(result.LongestTime, (MValue{0, 9}));
    ExpectFeasiblePlan(s);

    SolveState t = MakeState(task, kSolveModeStepwise);
    PlanChangingHooks aborting(StageDecision::Abort);
    result = SolveByTime(t, aborting, false);
    EXPECT_FALSE(result.Completed);
    EXPECT_TRUE(Contains(t, "это не ответ"));
    EXPECT_FALSE(Contains(t, "T<sub>min</sub>"));
}

TEST(CheckTimeTaskInput, RefusesANegativeTime) {
    SolveState s = MakeState({"negative", {5, 5}, {5, 5}, {1, 2, -3, 4}});
    EXPECT_EQ(CheckTimeTaskInput(s),
              "Время перевозки в клетке (2,1) отрицательно (-3). Время не может быть отрицательным.");
    s.At(2).Tariff = 3;
    s.Supplies[0].Amount = -1;
    EXPECT_NE(CheckTimeTaskInput(s), "");
}

}  // namespace
}  // namespace kargolo::testing
