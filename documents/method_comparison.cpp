#include "documents/method_comparison.h"

#include <chrono>

#include "documents/grids_to_state.h"
#include "documents/html_text.h"
#include "solver/driver.h"
#include "solver/report_buffer.h"
#include "solver/report_texts.h"
#include "solver/solve_hooks.h"

namespace kargolo {
namespace {

constexpr std::int32_t kRules[] = {kPlanNorthWestCorner, kPlanMinimumElement, kPlanVogel,
                                   kPlanDoublePreference};

std::string Cell(std::string_view text) { return "<td>" + std::string(text) + "</td>"; }

std::string FinalFText(const MethodRun& run) {
    return run.Unsolvable ? std::string("неразрешима") : std::to_string(run.FinalF);
}

std::string MillisecondsText(double milliseconds) { return Format("%.2f", milliseconds); }

}  // namespace

void CopyTask(const SolveState& task, SolveState& s) {
    s.m = task.m;
    s.n = task.n;
    s.Cells = task.Cells;
    s.Supplies = task.Supplies;
    s.Demands = task.Demands;
    s.RestrictedTask = task.RestrictedTask;
    s.MaximisationTask = task.MaximisationTask;
    s.SolveMode = kSolveModeChecking;
    s.ReportLimit = 0;
}

const char* FirstPlanName(const MethodRun& run) {
    if (run.Bounded) return "Метод минимального элемента с ограничениями";
    switch (run.PlanMethod) {
        case kPlanMinimumElement: return "Метод минимального элемента";
        case kPlanVogel: return "Метод Фогеля";
        case kPlanDoublePreference: return "Метод двойного предпочтения";
        default: return "Метод северо-западного угла";
    }
}

const char* MethodName(const MethodRun& run) {
    if (run.Bounded) return "метод потенциалов с ограничениями";
    return run.SolveMethod == kMethodPotentials ? "метод потенциалов" : "распределительный метод";
}

MethodRun RunQuietly(const SolveState& task, std::int32_t plan, std::int32_t method,
                     const TaskVariant& variant) {
    MethodRun run{plan, method, task.RestrictedTask};
    DiscardingReportSink nowhere;
    {
        SolveState first;
        first.Report.StreamTo(nowhere);
        CopyTask(task, first);
        first.PlanMethod = plan;
        SilentHooks quiet;
        run.FirstPlanF = SolveVariant(first, quiet, true, variant).Objective;
    }
    SolveState s;
    s.Report.StreamTo(nowhere);
    CopyTask(task, s);
    s.PlanMethod = plan;
    s.SolveMethod = method;
    SilentHooks quiet;
    const auto start = std::chrono::steady_clock::now();
    const VariantOutcome outcome = SolveVariant(s, quiet, false, variant);
    run.Milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    run.Stages = outcome.Run.Stages;
    run.FinalF = outcome.Objective;
    run.Unsolvable = outcome.Run.Unsolvable;
    return run;
}

MethodComparison CompareMethods(const TaskGrids& grids, bool limits,
                                std::initializer_list<std::int32_t> methods) {
    MethodComparison comparison;
    SolveState task;
    TaskVariant variant;
    comparison.Refusal = GridsToSolveState(grids, limits, task);
    if (comparison.Refusal.empty()) comparison.Refusal = CheckTaskInput(task);
    if (comparison.Refusal.empty()) comparison.Refusal = GridsToVariant(grids, limits, task, variant);
    if (!comparison.Refusal.empty()) return comparison;
    comparison.Profit = variant.Maximise;
    if (task.RestrictedTask) {  // its own limits, or forbidden routes closed
        comparison.Runs.push_back(RunQuietly(task, kPlanMinimumElement, kMethodPotentials, variant));
        return comparison;
    }
    for (const std::int32_t rule : kRules) {
        for (const std::int32_t method : methods) comparison.Runs.push_back(RunQuietly(task, rule, method, variant));
    }
    return comparison;
}

std::string ComparisonPage(std::string_view heading, std::string_view taskName, const std::string& refusal,
                           const std::string& table, std::string_view note) {
    std::string html = kReportHead;
    html += "<h3>" + std::string(heading) + HtmlEscaped(taskName) + "</h3>";
    if (!refusal.empty()) {
        html += "<p>" + refusal + "</p>";
    } else {
        html += table + "</table><p>" + std::string(note) + "</p>";
    }
    return html + kReportFooter + kDocumentEnd;
}

std::string ComparisonHtml(const MethodComparison& comparison, std::string_view taskName) {
    std::string table = comparison.Profit ? "<table border=1 cellpadding=4 cellspacing=0><tr><th>Опорный план</th>"
                                            "<th>Метод улучшения</th><th>Прибыль опорного плана</th><th>Этапов</th>"
                                            "<th>Прибыль наибольшая</th><th>Время, мс</th></tr>"
                                          : "<table border=1 cellpadding=4 cellspacing=0><tr><th>Опорный план</th>"
                                            "<th>Метод улучшения</th><th>F опорного плана</th><th>Этапов</th>"
                                            "<th>F оптимальное</th><th>Время, мс</th></tr>";
    for (const MethodRun& run : comparison.Runs) {
        table += "<tr>" +
                 Cell(FirstPlanName(run)) +
                 Cell(MethodName(run)) + Cell(std::to_string(run.FirstPlanF)) +
                 Cell(std::to_string(run.Stages)) + Cell(FinalFText(run)) +
                 Cell(MillisecondsText(run.Milliseconds)) + "</tr>";
    }
    return ComparisonPage("Сравнение методов: ", taskName, comparison.Refusal, table,
                          "Этапы считаются так же, как в отчете о решении: на последнем этапе план "
                          "оказывается оптимальным.");
}

std::string ComparisonCsv(const MethodComparison& comparison) {
    std::string csv = comparison.Profit
                          ? "опорный план;метод;прибыль опорного плана;этапов;прибыль наибольшая;время, мс\n"
                          : "опорный план;метод;F опорного плана;этапов;F оптимальное;время, мс\n";
    for (const MethodRun& run : comparison.Runs) {
        csv += std::string(FirstPlanName(run)) +
               ';' + MethodName(run) + ';' + std::to_string(run.FirstPlanF) + ';' +
               std::to_string(run.Stages) + ';' + FinalFText(run) + ';' +
               MillisecondsText(run.Milliseconds) + '\n';
    }
    return csv;
}

}  // namespace kargolo
