// The corpus of reference tasks in tests/data/reference (table files with optimal costs found by
// an independent solver), run through the whole path from the file to the report.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "documents/grids_to_state.h"
#include "documents/table_file.h"
#include "documents/text_task_file.h"
#include "solver/driver.h"
#include "solver/report_buffer.h"
#include "solver/solve_hooks.h"
#include "tests/support/plan_checks.h"

namespace kargolo::testing {
namespace {

struct ReferenceTask {
    std::string File;
    bool WithLimits = false;
    std::string Expected;  // the optimal cost, or "infeasible"
};

const std::filesystem::path kDataDir = KARGOLO_REFERENCE_DATA_DIR;
constexpr std::size_t kReferenceTaskCount = 200;

// Every task of the corpus; a test fails when the corpus is missing or incomplete.
std::vector<ReferenceTask> LoadReferenceTasks() {
    std::vector<ReferenceTask> tasks;
    std::ifstream in(kDataDir / "expected.tsv");
    std::string line;
    std::getline(in, line);  // column names
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        ReferenceTask task;
        std::string solve;
        if (fields >> task.File >> solve >> task.Expected) {
            task.WithLimits = solve == "limits";
            tasks.push_back(task);
        }
    }
    EXPECT_EQ(tasks.size(), kReferenceTaskCount) << "the reference tasks at " << kDataDir;
    return tasks;
}

TEST(ReferenceTasks, FirstPlansShipEveryUnit) {
    const std::vector<ReferenceTask> tasks = LoadReferenceTasks();
    ASSERT_FALSE(tasks.empty());
    for (const ReferenceTask& task : tasks) {
        SCOPED_TRACE(task.File);
        TableFileContents contents;
        ASSERT_TRUE(ReadTableFile(kDataDir / "tasks" / task.File, contents).Ok());
        EXPECT_EQ(contents.HasLimits, task.WithLimits);
        for (const std::int32_t rule : {kPlanNorthWestCorner, kPlanMinimumElement, kPlanVogel,
                                        kPlanDoublePreference}) {
            SCOPED_TRACE(rule);
            SolveState s;
            s.PlanMethod = rule;
            ASSERT_EQ(GridsToSolveState(contents.Grids, false, s), "");
            ASSERT_EQ(CheckTaskInput(s), "");
            SilentHooks hooks;
            Solve(s, hooks, true);
            ExpectPlanMeetsRims(s);
            EXPECT_EQ(s.ObjectiveF, ComputeObjectiveF(s));
        }
    }
}

// Every rule and both methods reach the known minimum of every task without limits.
TEST(ReferenceTasks, EveryRuleAndMethodReachesTheKnownMinimum) {
    const std::vector<ReferenceTask> tasks = LoadReferenceTasks();
    ASSERT_FALSE(tasks.empty());
    for (const ReferenceTask& task : tasks) {
        if (task.WithLimits) continue;
        SCOPED_TRACE(task.File);
        TableFileContents contents;
        ASSERT_TRUE(ReadTableFile(kDataDir / "tasks" / task.File, contents).Ok());
        for (const std::int32_t rule : {kPlanNorthWestCorner, kPlanMinimumElement, kPlanVogel,
                                        kPlanDoublePreference}) {
            for (const std::int32_t method : {kMethodPotentials, kMethodDistributive}) {
                SCOPED_TRACE(::testing::Message() << "rule " << rule << ", method " << method);
                SolveState s;
                s.PlanMethod = rule;
                s.SolveMethod = method;
                s.SolveMode = kSolveModeChecking;
                ASSERT_EQ(GridsToSolveState(contents.Grids, false, s), "");
                SilentHooks hooks;
                Solve(s, hooks, false);
                ExpectPlanMeetsRims(s);
                EXPECT_EQ(std::to_string(s.ObjectiveF), task.Expected);
            }
        }
    }
}

// With their limits, every task reaches its known minimum or is found unsolvable exactly when
// the limits block part of the cargo.
TEST(ReferenceTasks, TasksWithLimitsReachTheKnownMinimumOrTheVerdict) {
    const std::vector<ReferenceTask> tasks = LoadReferenceTasks();
    ASSERT_FALSE(tasks.empty());
    for (const ReferenceTask& task : tasks) {
        if (!task.WithLimits) continue;
        SCOPED_TRACE(task.File);
        TableFileContents contents;
        ASSERT_TRUE(ReadTableFile(kDataDir / "tasks" / task.File, contents).Ok());
        for (const std::int32_t mode : {kSolveModeChecking, kSolveModeDetailed}) {
            SolveState s;
            s.SolveMode = mode;
            ASSERT_EQ(GridsToSolveState(contents.Grids, true, s), "");
            SilentHooks hooks;
            Solve(s, hooks, false);
            const bool unsolvable =
                s.Report.Text().find("неразрешима из-за наложенных ограничений") != std::string::npos;
            if (task.Expected == "infeasible") {
                EXPECT_TRUE(unsolvable);
                continue;
            }
            ASSERT_FALSE(unsolvable);
            ExpectPlanMeetsRims(s);
            ExpectPlanWithinLimits(s);
            EXPECT_EQ(std::to_string(s.ObjectiveF), task.Expected);
        }
    }
}

// Every task taken through a text task file and back keeps its numbers and its optimum.
TEST(ReferenceTasks, TextTaskFilesKeepEveryTaskAndItsOptimum) {
    const std::vector<ReferenceTask> tasks = LoadReferenceTasks();
    ASSERT_FALSE(tasks.empty());
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "reference_csv";
    std::filesystem::create_directories(folder);
    for (const ReferenceTask& task : tasks) {
        SCOPED_TRACE(task.File);
        TableFileContents original;
        ASSERT_TRUE(ReadTableFile(kDataDir / "tasks" / task.File, original).Ok());
        const std::filesystem::path text = folder / "task.csv";
        const std::filesystem::path table = folder / "task.tab";
        ASSERT_TRUE(WriteTaskFile(text, original.Grids).Ok());
        TableFileContents fromText;
        ASSERT_EQ(ReadTaskFile(text, fromText), "");
        ASSERT_TRUE(WriteTaskFile(table, fromText.Grids).Ok());
        TableFileContents back;
        ASSERT_EQ(ReadTaskFile(table, back), "");
        EXPECT_EQ(fromText.Grids, original.Grids);
        EXPECT_EQ(back.Grids, original.Grids);
        EXPECT_EQ(fromText.HasLimits, original.HasLimits);

        SolveState s;
        s.PlanMethod = kPlanVogel;
        s.SolveMode = kSolveModeChecking;
        ASSERT_EQ(GridsToSolveState(fromText.Grids, task.WithLimits, s), "");
        SilentHooks hooks;
        Solve(s, hooks, false);
        const bool unsolvable =
            s.Report.Text().find("неразрешима из-за наложенных ограничений") != std::string::npos;
        EXPECT_EQ(unsolvable ? std::string("infeasible") : std::to_string(s.ObjectiveF), task.Expected);
    }
}

}  // namespace
}  // namespace kargolo::testing
