#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <optional>

#include "documents/assignment_file.h"
#include "documents/exercise_generator.h"
#include "documents/grids_to_state.h"
#include "documents/table_file.h"
#include "documents/time_comparison.h"
#include "solver/solve_hooks.h"
#include "solver/time_criterion.h"

namespace kargolo::testing {
namespace {

ExerciseOptions Options(ExerciseKind kind, int m, int n) {
    ExerciseOptions o;
    o.Kind = kind;
    o.Suppliers = m;
    o.Consumers = n;
    o.Seed = 77;
    return o;
}

// The smallest T of the grids, by a run of their own.
TimeCriterionResult SolveTimes(const TaskGrids& grids, bool limits) {
    SolveState s;
    EXPECT_EQ(GridsToSolveState(grids, limits, s), "");
    s.SolveMode = kSolveModeChecking;
    SilentHooks quiet;
    return SolveByTime(s, quiet, false);
}

TEST(KindExercises, TimeTasksKeepTheirTimesInRangeAndTheirKeyMatchesARun) {
    ExerciseOptions o = Options(ExerciseKind::Time, 3, 4);
    o.LowestTariff = 0;
    o.HighestTariff = 20;
    o.LimitedPercent = 40;
    const auto folder = std::filesystem::temp_directory_path() / "kargolo-kind-exercises";
    std::filesystem::create_directories(folder);
    for (unsigned k = 0; k < 20; ++k) {
        SCOPED_TRACE(k);
        const GeneratedExercise exercise = GenerateExercise(o, k);
        ASSERT_EQ(exercise.Failure, "");
        EXPECT_EQ(GenerateExercise(o, k).Grids, exercise.Grids);  // the same task for the same seed
        ASSERT_TRUE(WriteTaskBytes(folder / "t.tab", ExerciseFileBytes(exercise, o.Kind)).Ok());
        TableFileContents read;
        ASSERT_TRUE(ReadTableFile(folder / "t.tab", read).Ok());
        const TimeCriterionResult solved = SolveTimes(read.Grids, exercise.Limits);
        EXPECT_FALSE(solved.Unsolvable);
        EXPECT_GE(solved.LongestTime.Number, 0);
        EXPECT_LE(solved.LongestTime.Number, 20);
        const TimeExerciseAnswer key = AnswerTimeExercise(exercise.Grids, exercise.Limits);
        EXPECT_EQ(key.SmallestT, solved.LongestTime.Number);
        EXPECT_EQ(key.Stages, solved.Stages);
    }
    std::filesystem::remove_all(folder);
}

// How many ways to give the rows distinct jobs reach the best total, and that total (rows <=
// columns: every performer gets a job).
std::pair<int, std::optional<std::int64_t>> CountBest(const AssignmentTask& task) {
    std::vector<int> columns(static_cast<std::size_t>(task.Columns));
    std::iota(columns.begin(), columns.end(), 0);
    std::optional<std::int64_t> best;
    int count = 0;
    do {
        if (!std::is_sorted(columns.begin() + task.Rows, columns.end())) continue;  // same choice
        std::int64_t total = 0;
        bool allowed = true;
        for (int i = 0; i < task.Rows; ++i) {
            const auto k = static_cast<std::size_t>(i * task.Columns + columns[static_cast<std::size_t>(i)]);
            allowed = allowed && task.Forbidden[k] == 0;
            total += task.Values[k];
        }
        if (!allowed) continue;
        if (!best || (task.Maximise ? total > *best : total < *best)) {
            best = total;
            count = 0;
        }
        if (total == *best) ++count;
    } while (std::next_permutation(columns.begin(), columns.end()));
    return {count, best};
}

TEST(KindExercises, AssignmentsAreSolvableAndUniqueWhenAskedWithAKeyTryingEveryOneConfirms) {
    for (const bool maximise : {false, true}) {
        ExerciseOptions o = Options(ExerciseKind::Assignment, 4, 5);
        o.ForbiddenPercent = 25;
        o.UniqueOptimum = true;
        o.Maximise = maximise;
        for (unsigned k = 0; k < 30; ++k) {
            SCOPED_TRACE(k);
            const GeneratedExercise exercise = GenerateExercise(o, k);
            ASSERT_EQ(exercise.Failure, "");
            const AssignmentTask& task = exercise.Matrix;
            EXPECT_EQ(task.Rows, 4);
            EXPECT_EQ(task.Columns, 5);
            EXPECT_EQ(task.Maximise, maximise);
            const auto [count, best] = CountBest(task);
            ASSERT_TRUE(best.has_value());
            EXPECT_EQ(count, 1);
            const std::string line = AnswerLine("v.csv", exercise, o.Kind);
            EXPECT_EQ(line.rfind(Format("v.csv;%s;%lld;", maximise ? "максимум" : "минимум",
                                        static_cast<long long>(*best)), 0), 0u) << line;
        }
    }
}

TEST(KindExercises, RefuseOptionsTheKindCannotMeet) {
    ExerciseOptions time = Options(ExerciseKind::Time, 3, 3);
    time.LowestTariff = -1;
    EXPECT_NE(CheckExerciseOptions(time), "");
    time.LowestTariff = 1;
    time.UniqueOptimum = true;
    EXPECT_NE(CheckExerciseOptions(time), "");
    ExerciseOptions matrix = Options(ExerciseKind::Assignment, 3, 3);
    matrix.ForbiddenPercent = 101;
    EXPECT_NE(CheckExerciseOptions(matrix), "");
    matrix.ForbiddenPercent = 100;  // every cell forbidden: no task can be made
    EXPECT_NE(GenerateExercise(matrix, 0).Failure, "");
}

}  // namespace
}  // namespace kargolo::testing
