#pragma once

// One task solved by every rule of the first plan and every improvement method, for a table of
// how they compare: the first plan's F, the number of stages, the final F and the time of each
// run. A task with capacity limits (or forbidden routes) has one run, by the method for bounded
// variables. Every run solves the task's variant: a profit task gives its profits, mandatory
// shipments count in every F.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "documents/task_grids.h"
#include "solver/solve_state.h"
#include "solver/task_variants.h"

namespace kargolo {

struct MethodRun {
    std::int32_t PlanMethod = kPlanNorthWestCorner;
    std::int32_t SolveMethod = kMethodPotentials;
    bool Bounded = false;          // solved with the capacity limits
    std::int64_t FirstPlanF = 0;
    unsigned Stages = 0;           // as the report numbers them; the last one finds the optimum
    std::int64_t FinalF = 0;
    bool Unsolvable = false;       // the limits keep part of the cargo from its consumers
    double Milliseconds = 0;       // the whole run in checking mode
};

struct MethodComparison {
    std::string Refusal;  // why the task cannot be solved; no runs then
    std::vector<MethodRun> Runs;
    bool Profit = false;  // the figures are the profits of a maximisation task
};

// A fresh copy of the task's numbers, ready for a run in checking mode without a report limit.
void CopyTask(const SolveState& task, SolveState& s);

// Solves a filled task (in checking mode, whatever task.SolveMode says) by one rule and method.
MethodRun RunQuietly(const SolveState& task, std::int32_t plan, std::int32_t method,
                     const TaskVariant& variant = {});

// Every rule with the methods (both unless told), in the order of the settings dialog, or the
// bounded method.
MethodComparison CompareMethods(const TaskGrids& grids, bool limits,
                                std::initializer_list<std::int32_t> methods = {kMethodPotentials,
                                                                               kMethodDistributive});

// The comparison as a document for the report window (UTF-8 text) and as ';'-separated lines
// with a line of column names.
std::string ComparisonHtml(const MethodComparison& comparison, std::string_view taskName);
std::string ComparisonCsv(const MethodComparison& comparison);

// A comparison document: the report's head, the heading with the task's name, then the refusal
// or the table with its closing note, and the report's footer.
std::string ComparisonPage(std::string_view heading, std::string_view taskName, const std::string& refusal,
                           const std::string& table, std::string_view note);

// The name of a run's first plan and of its method, as the tables give them.
const char* FirstPlanName(const MethodRun& run);
const char* MethodName(const MethodRun& run);

}  // namespace kargolo
