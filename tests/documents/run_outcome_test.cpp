#include <gtest/gtest.h>

#include "documents/run_outcome.h"

namespace kargolo::testing {
namespace {

// Scripts read these lines; every field is checked in one place.
TEST(RunOutcomeJson, WritesEveryFieldAndTheAlternativesOnlyWhenChecked) {
    RunOutcome outcome;
    outcome.Objective = 445;
    outcome.Plan = {{20, 0, 10}, {0, 30, -1}};
    outcome.Stages = 3;
    EXPECT_EQ(RunOutcomeJson(outcome),
              "{\"kind\": \"transport\", \"goal\": \"min\", \"status\": \"optimal\", \"objective\": 445, "
              "\"plan\": [[20, 0, 10], [0, 30, -1]], \"stages\": 3}\n");
    outcome.Kind = "time";
    outcome.Maximise = true;
    outcome.Status = RunStatus::PlanOnly;
    outcome.Objective = 9007199254740993;  // beyond a double's integers: written exactly
    outcome.Plan.clear();
    outcome.Alternatives = false;
    EXPECT_EQ(RunOutcomeJson(outcome),
              "{\"kind\": \"time\", \"goal\": \"max\", \"status\": \"plan-only\", \"objective\": 9007199254740993, "
              "\"plan\": [], \"stages\": 3, \"alternatives\": false}\n");
}

}  // namespace
}  // namespace kargolo::testing
