// The search for other optimal plans against brute force: on small tasks every integer plan is
// listed, and a second optimum exists exactly when two plans share the least cost (the optimal
// plans of a transportation task form a polytope with integer corners).

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <random>

#include "solver/driver.h"
#include "solver/other_optimum.h"
#include "solver/solve_hooks.h"
#include "tests/support/task_builders.h"

namespace kargolo::testing {
namespace {

struct Optima {
    std::int64_t Cost = std::numeric_limits<std::int64_t>::max();
    int Count = 0;  // plans of that cost
};

// Every integer plan of a balanced task, within the limits when the task has them.
Optima ListOptima(const TaskSpec& task) {
    const int m = static_cast<int>(task.Supplies.size());
    const int n = static_cast<int>(task.Demands.size());
    std::vector<std::int32_t> rows = task.Supplies;
    std::vector<std::int32_t> columns = task.Demands;
    Optima optima;
    std::function<void(int, std::int64_t)> place = [&](int k, std::int64_t cost) {
        if (k == m * n) {
            for (const std::int32_t left : rows) {
                if (left != 0) return;
            }
            for (const std::int32_t left : columns) {
                if (left != 0) return;
            }
            if (cost < optima.Cost) optima = {cost, 0};
            if (cost == optima.Cost) ++optima.Count;
            return;
        }
        const std::size_t i = static_cast<std::size_t>(k / n);
        const std::size_t j = static_cast<std::size_t>(k % n);
        std::int32_t most = std::min(rows[i], columns[j]);
        if (!task.Limits.empty() && task.Limits[static_cast<std::size_t>(k)] != kNoLimit) {
            most = std::min(most, task.Limits[static_cast<std::size_t>(k)]);
        }
        if (j + 1 == static_cast<std::size_t>(n) && rows[i] > most) return;  // the row cannot close
        for (std::int32_t x = 0; x <= most; ++x) {
            rows[i] -= x;
            columns[j] -= x;
            place(k + 1, cost + std::int64_t{x} * task.Tariffs[static_cast<std::size_t>(k)]);
            rows[i] += x;
            columns[j] += x;
        }
    };
    place(0, 0);
    return optima;
}

TaskSpec SmallTask(std::uint32_t seed, bool limits) {
    std::mt19937 random(seed);
    const auto uniform = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const int m = uniform(2, 3);
    const int n = uniform(2, 3);
    TaskSpec task{"seed " + std::to_string(seed), {}, {}, {}};
    std::int32_t total = 0;
    for (int i = 0; i < m; ++i) total += task.Supplies.emplace_back(uniform(0, 4));
    for (int j = 0; j + 1 < n; ++j) total -= task.Demands.emplace_back(uniform(0, total));
    task.Demands.push_back(total);
    for (int k = 0; k < m * n; ++k) task.Tariffs.push_back(uniform(1, 3));  // ties are common
    for (int k = 0; limits && k < m * n; ++k) {
        const int kind = uniform(0, 5);
        task.Limits.push_back(kind == 0 ? 0 : kind < 3 ? kNoLimit : uniform(1, 3));
    }
    return task;
}

std::int64_t Cost(const SolveState& s) {
    std::int64_t cost = 0;
    for (const TaskCell& c : s.Cells) cost += c.Cargo > 0 ? std::int64_t{c.Cargo} * c.Tariff : 0;
    return cost;
}

void ExpectPlanWithinRimsAndLimits(const SolveState& s) {
    for (int i = 0; i < s.m; ++i) {
        std::int64_t shipped = 0;
        for (int j = 0; j < s.n; ++j) shipped += std::max(s.Cell(i, j).Cargo, 0);
        EXPECT_EQ(shipped, s.Supplies[static_cast<std::size_t>(i)].Amount) << "row " << i + 1;
    }
    for (int j = 0; j < s.n; ++j) {
        std::int64_t received = 0;
        for (int i = 0; i < s.m; ++i) received += std::max(s.Cell(i, j).Cargo, 0);
        EXPECT_EQ(received, s.Demands[static_cast<std::size_t>(j)].Amount) << "column " << j + 1;
    }
    for (const TaskCell& c : s.Cells) {
        if (s.RestrictedTask && HasLimit(c)) {
            EXPECT_LE(std::max(c.Cargo, 0), c.Limit);
        }
    }
}

TEST(FindOtherOptimum, FindsASecondPlanExactlyWhenTwoPlansShareTheLeastCost) {
    int unique = 0;
    int several = 0;
    for (std::uint32_t seed = 1; seed <= 1500; ++seed) {
        const bool limits = seed % 2 == 0;
        const TaskSpec task = SmallTask(seed, limits);
        SCOPED_TRACE(task.Name + (limits ? " with limits" : ""));
        const Optima optima = ListOptima(task);
        if (optima.Count == 0) continue;  // the limits let no plan through
        SolveState s = MakeState(task, kSolveModeChecking);
        s.PlanMethod = static_cast<std::int32_t>(seed % 4);
        SilentHooks hooks;
        const ImprovementResult run = Solve(s, hooks, false);
        ASSERT_TRUE(run.Completed);
        ASSERT_FALSE(run.Unsolvable);
        ASSERT_EQ(Cost(s), optima.Cost);
        const OtherOptimum other = FindOtherOptimum(s);
        ASSERT_TRUE(other.Checked);
        EXPECT_EQ(other.Exists, optima.Count > 1);
        (other.Exists ? several : unique) += 1;
        if (!other.Exists) continue;
        EXPECT_GT(other.Theta, 0);
        EXPECT_EQ(other.Cycle.size() % 2, 0u);
        const std::vector<std::int32_t> before = Quantities(s);
        ShiftToOtherOptimum(s, other);
        ExpectPlanWithinRimsAndLimits(s);
        EXPECT_EQ(Cost(s), optima.Cost);
        EXPECT_NE(Quantities(s), before);
    }
    EXPECT_GT(unique, 100);  // both answers were tried often
    EXPECT_GT(several, 100);
}

}  // namespace
}  // namespace kargolo::testing
