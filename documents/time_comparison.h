#pragma once

// A task of the time criterion solved from the first plan of every rule, for a table of how they
// compare: the first plan's T, the number of stages and the smallest T of each run. A task with
// capacity limits has one run, from the first plan under the limits.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "documents/task_grids.h"
#include "solver/solve_state.h"

namespace kargolo {

struct TimeRuleRun {
    std::int32_t PlanMethod = kPlanNorthWestCorner;
    bool Bounded = false;          // solved with the capacity limits
    std::int64_t FirstPlanT = 0;
    unsigned Stages = 0;
    std::int64_t SmallestT = 0;
    bool Unsolvable = false;       // the limits keep part of the cargo from its consumers
    double Milliseconds = 0;       // the whole run in checking mode
};

struct TimeComparison {
    std::string Refusal;  // why the task cannot be solved; no runs then
    std::vector<TimeRuleRun> Runs;
};

TimeComparison CompareTimeRules(const TaskGrids& grids, bool limits);

// The comparison as a document (UTF-8 text) and as ';'-separated lines with a line of column
// names.
std::string TimeComparisonHtml(const TimeComparison& comparison, std::string_view taskName);
std::string TimeComparisonCsv(const TimeComparison& comparison);

}  // namespace kargolo
