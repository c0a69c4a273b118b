#include "solver/hungarian.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <optional>
#include <random>

#include "solver/driver.h"
#include "solver/solve_state.h"
#include "tests/support/task_builders.h"

namespace kargolo::testing {
namespace {

std::size_t At(int index) { return static_cast<std::size_t>(index); }

// Values from a narrow range in every third task (many equal elements), some cells forbidden.
AssignmentTask RandomAssignment(std::uint32_t seed, int largestSide) {
    std::mt19937 random(seed);
    auto uniform = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    AssignmentTask task;
    task.Rows = uniform(1, largestSide);
    task.Columns = uniform(1, largestSide);
    task.Maximise = seed % 2 == 0;
    const int forbiddenPercent = uniform(0, 2) * 15;
    const bool narrow = seed % 3 == 0;
    for (int k = 0; k < task.Rows * task.Columns; ++k) {
        task.Values.push_back(narrow ? uniform(0, 3) : uniform(-20, 100));
        task.Forbidden.push_back(uniform(1, 100) <= forbiddenPercent ? std::uint8_t{1} : std::uint8_t{0});
    }
    return task;
}

// The best total over every way to give the rows distinct columns of the square matrix (zero
// rows or columns added), or nothing when every way meets a forbidden cell.
std::optional<std::int64_t> BruteForceTotal(const AssignmentTask& task) {
    const int n = std::max(task.Rows, task.Columns);
    std::vector<int> columns(At(n));
    std::iota(columns.begin(), columns.end(), 0);
    std::optional<std::int64_t> best;
    do {
        std::int64_t total = 0;
        bool allowed = true;
        for (int i = 0; i < task.Rows && allowed; ++i) {
            const int j = columns[At(i)];
            if (j >= task.Columns) continue;
            const std::size_t k = At(i) * At(task.Columns) + At(j);
            allowed = task.Forbidden[k] == 0;
            total += task.Values[k];
        }
        if (!allowed) continue;
        if (!best || (task.Maximise ? total > *best : total < *best)) best = total;
    } while (std::next_permutation(columns.begin(), columns.end()));
    return best;
}

// Distinct jobs on allowed cells whose values make the total; every job done when there are
// no more jobs than performers, and every performer busy when there are no more performers.
void ExpectAssignmentOf(const AssignmentTask& task, const AssignmentResult& result) {
    ASSERT_EQ(result.ColumnOfRow.size(), At(task.Rows));
    std::vector<int> used(At(task.Columns), 0);
    std::int64_t total = 0;
    int busy = 0;
    for (int i = 0; i < task.Rows; ++i) {
        const int j = result.ColumnOfRow[At(i)];
        if (j < 0) continue;
        ASSERT_LT(j, task.Columns);
        EXPECT_EQ(used[At(j)]++, 0) << "B" << j + 1 << " twice";
        const std::size_t k = At(i) * At(task.Columns) + At(j);
        EXPECT_EQ(task.Forbidden[k], 0) << "A" << i + 1 << " on a forbidden job";
        total += task.Values[k];
        ++busy;
    }
    EXPECT_EQ(busy, std::min(task.Rows, task.Columns));
    EXPECT_EQ(total, result.Total);
}

AssignmentResult RunAssignment(const AssignmentTask& task, std::int32_t mode, SolveState& s) {
    s.SolveMode = mode;
    RecordingHooks hooks;
    return SolveAssignment(task, s, hooks);
}

TEST(SolveAssignment, FindsTheBestAssignmentThatTryingEveryOneFinds) {
    for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
        const AssignmentTask task = RandomAssignment(seed, seed % 10 == 0 ? 8 : 6);
        SCOPED_TRACE(seed);
        SolveState s;
        const AssignmentResult result = RunAssignment(task, seed % 5 == 0 ? kSolveModeDetailed : kSolveModeChecking, s);
        const std::optional<std::int64_t> best = BruteForceTotal(task);
        ASSERT_EQ(result.Solvable, best.has_value());
        if (!best) continue;
        ExpectAssignmentOf(task, result);
        EXPECT_EQ(result.Total, *best);
    }
}

// The same task as a transportation task with every supply and demand 1 (forbidden cells are
// closed routes), solved by the method of potentials or the bounded method.
std::optional<std::int64_t> TransportTotal(const AssignmentTask& task) {
    SolveState s;
    ResizeTask(s, task.Rows, task.Columns);
    s.SolveMode = kSolveModeChecking;
    for (RimEntry& a : s.Supplies) a.Amount = 1;
    for (RimEntry& b : s.Demands) b.Amount = 1;
    for (std::size_t k = 0; k < task.Values.size(); ++k) {
        s.At(static_cast<int>(k)).Tariff = task.Maximise ? -task.Values[k] : task.Values[k];
        s.RestrictedTask = s.RestrictedTask || task.Forbidden[k] != 0;
    }
    if (s.RestrictedTask) {
        for (std::size_t k = 0; k < task.Values.size(); ++k) {
            s.At(static_cast<int>(k)).Limit = task.Forbidden[k] != 0 ? 0 : kNoLimit;
        }
    }
    SilentHooks hooks;
    const ImprovementResult result = kargolo::Solve(s, hooks, false);
    if (result.Unsolvable) return std::nullopt;
    return task.Maximise ? -s.ObjectiveF : s.ObjectiveF;
}

TEST(SolveAssignment, AgreesWithTheTransportationSolverOnLargerTasks) {
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        AssignmentTask task = RandomAssignment(seed, 40);
        SCOPED_TRACE(seed);
        SolveState s;
        const AssignmentResult result = RunAssignment(task, kSolveModeChecking, s);
        const std::optional<std::int64_t> total = TransportTotal(task);
        ASSERT_EQ(result.Solvable, total.has_value());
        if (!total) continue;
        ExpectAssignmentOf(task, result);
        EXPECT_EQ(result.Total, *total);
    }
}

// Every stage adds one independent zero: a run takes at most n stages, and its report ends with
// n of them. Equal elements everywhere make the most ties.
TEST(SolveAssignment, ReachesNIndependentZerosInAtMostNStages) {
    for (std::uint32_t seed = 1; seed <= 1000; ++seed) {
        AssignmentTask task = RandomAssignment(seed * 3, 12);  // the narrow range
        SCOPED_TRACE(seed);
        SolveState s;
        const AssignmentResult result = RunAssignment(task, kSolveModeDetailed, s);
        if (!result.Solvable) continue;
        const int n = std::max(task.Rows, task.Columns);
        EXPECT_LE(result.Stages, static_cast<unsigned>(n));
        EXPECT_TRUE(Contains(s, Format("Независимых нулей %i - столько же, сколько строк", n)));
    }
}

AssignmentTask FromRows(const std::vector<std::vector<int>>& rows, bool maximise = false) {
    AssignmentTask task;
    task.Rows = static_cast<int>(rows.size());
    task.Columns = static_cast<int>(rows.front().size());
    task.Maximise = maximise;
    for (const auto& row : rows) {
        for (const int value : row) {
            task.Values.push_back(value < 0 ? 0 : value);
            task.Forbidden.push_back(value < 0 ? std::uint8_t{1} : std::uint8_t{0});
        }
    }
    return task;
}

TEST(SolveAssignment, NamesThePerformersThatForbiddenCellsLeaveWithoutJobs) {
    constexpr int M = -1;
    SolveState s;
    AssignmentResult result = RunAssignment(FromRows({{1, M, M}, {2, M, M}, {3, 4, 5}}), kSolveModeChecking, s);
    EXPECT_FALSE(result.Solvable);
    EXPECT_TRUE(Contains(s, "Исполнителям A<sub>1</sub>, A<sub>2</sub> (их 2) разрешены только работы "
                            "B<sub>1</sub> (их 1)"));
    SolveState t;
    result = RunAssignment(FromRows({{1, 2}, {M, M}}), kSolveModeDetailed, t);
    EXPECT_FALSE(result.Solvable);
    EXPECT_TRUE(Contains(t, "исполнителю A<sub>2</sub> запрещены все работы"));
}

TEST(SolveAssignment, TurnsAMaximumIntoAMinimumAndSquaresTheMatrix) {
    SolveState s;
    const AssignmentResult result = RunAssignment(FromRows({{7, 3, 5, 2}, {4, 8, 6, 1}}, true), kSolveModeDetailed, s);
    EXPECT_EQ(result.Total, 15);
    EXPECT_EQ(result.ColumnOfRow, (std::vector<int>{0, 1}));
    EXPECT_TRUE(Contains(s, "C = 8 - наибольший элемент матрицы"));
    EXPECT_TRUE(Contains(s, "фиктивными исполнителями A<sub>3</sub>, A<sub>4</sub>"));
    EXPECT_TRUE(Contains(s, "Работа B<sub>3</sub> остается невыполненной"));
    EXPECT_TRUE(Contains(s, "Наибольший суммарный эффект: 7 + 8 = 15"));
}

class StoppingHooks : public RecordingHooks {
public:
    bool StopRequested() override { return true; }
};

TEST(SolveAssignment, StopsWithoutCallingTheLastMatrixAnAnswer) {
    SolveState s;
    s.SolveMode = kSolveModeDetailed;
    StoppingHooks hooks;
    const AssignmentResult result = SolveAssignment(FromRows({{1, 2, 3}, {2, 4, 6}, {3, 6, 9}}), s, hooks);
    EXPECT_FALSE(result.Completed);
    EXPECT_TRUE(Contains(s, "поэтому ответа нет"));
    EXPECT_FALSE(Contains(s, "суммарная стоимость:"));
}

TEST(CheckAssignmentTask, RefusesAnEmptyOrTooLargeMatrix) {
    AssignmentTask task;
    EXPECT_EQ(CheckAssignmentTask(task), "Матрица задачи о назначениях пуста.");
    task.Rows = 1;
    task.Columns = kLargestAssignmentSide + 1;
    EXPECT_NE(CheckAssignmentTask(task), "");
}

}  // namespace
}  // namespace kargolo::testing
