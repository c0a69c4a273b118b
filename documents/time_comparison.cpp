#include "documents/time_comparison.h"

#include <chrono>

#include "documents/grids_to_state.h"
#include "documents/method_comparison.h"
#include "solver/report_buffer.h"
#include "solver/solve_hooks.h"
#include "solver/time_criterion.h"

namespace kargolo {
namespace {

constexpr std::int32_t kRules[] = {kPlanNorthWestCorner, kPlanMinimumElement, kPlanVogel,
                                   kPlanDoublePreference};

// One run of the task in checking mode whose report goes nowhere.
TimeCriterionResult RunTime(const SolveState& task, std::int32_t rule, bool planOnly) {
    DiscardingReportSink nowhere;
    SolveState s;
    s.Report.StreamTo(nowhere);
    CopyTask(task, s);
    s.PlanMethod = rule;
    SilentHooks quiet;
    return SolveByTime(s, quiet, planOnly);
}

TimeRuleRun RunRule(const SolveState& task, std::int32_t rule) {
    TimeRuleRun run{rule, task.RestrictedTask};
    run.FirstPlanT = RunTime(task, rule, true).LongestTime.Number;
    const auto start = std::chrono::steady_clock::now();
    const TimeCriterionResult result = RunTime(task, rule, false);
    run.Milliseconds = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    run.Stages = result.Stages;
    run.SmallestT = result.LongestTime.Number;
    run.Unsolvable = result.Unsolvable;
    return run;
}

const char* RuleName(const TimeRuleRun& run) {
    MethodRun named;
    named.PlanMethod = run.PlanMethod;
    named.Bounded = run.Bounded;
    return FirstPlanName(named);
}

std::string SmallestText(const TimeRuleRun& run) {
    return run.Unsolvable ? std::string("неразрешима") : std::to_string(run.SmallestT);
}

std::string Cell(const std::string& text) { return "<td>" + text + "</td>"; }

}  // namespace

TimeComparison CompareTimeRules(const TaskGrids& grids, bool limits) {
    TimeComparison comparison;
    SolveState task;
    comparison.Refusal = GridsToSolveState(grids, limits, task);
    if (comparison.Refusal.empty()) comparison.Refusal = CheckTimeTaskInput(task);
    if (!comparison.Refusal.empty()) return comparison;
    if (limits) {
        comparison.Runs.push_back(RunRule(task, kPlanMinimumElement));
        return comparison;
    }
    for (const std::int32_t rule : kRules) comparison.Runs.push_back(RunRule(task, rule));
    return comparison;
}

std::string TimeComparisonHtml(const TimeComparison& comparison, std::string_view taskName) {
    std::string table = "<table border=1 cellpadding=4 cellspacing=0><tr><th>Опорный план</th>"
                        "<th>T опорного плана</th><th>Этапов</th><th>T<sub>min</sub></th>"
                        "<th>Время, мс</th></tr>";
    for (const TimeRuleRun& run : comparison.Runs) {
        table += "<tr>" + Cell(RuleName(run)) + Cell(std::to_string(run.FirstPlanT)) +
                 Cell(std::to_string(run.Stages)) + Cell(SmallestText(run)) +
                 Cell(Format("%.2f", run.Milliseconds)) + "</tr>";
    }
    return ComparisonPage("Критерий времени, сравнение опорных планов: ", taskName, comparison.Refusal,
                          table, "Этапы считаются так же, как в отчете о решении: на последнем этапе "
                                 "клетку с наибольшим временем разгрузить нельзя.");
}

std::string TimeComparisonCsv(const TimeComparison& comparison) {
    std::string csv = "опорный план;T опорного плана;этапов;T минимальное;время, мс\n";
    for (const TimeRuleRun& run : comparison.Runs) {
        csv += std::string(RuleName(run)) + ';' + std::to_string(run.FirstPlanT) + ';' +
               std::to_string(run.Stages) + ';' + SmallestText(run) + ';' +
               Format("%.2f", run.Milliseconds) + '\n';
    }
    return csv;
}

}  // namespace kargolo
