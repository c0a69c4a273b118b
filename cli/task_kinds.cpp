#include "cli/task_kinds.h"

#include <filesystem>

#include "cli/cli_texts.h"
#include "cli/report_output.h"
#include "cli/solver_run.h"
#include "documents/assignment_file.h"
#include "documents/table_file.h"
#include "documents/task_kind_runs.h"
#include "documents/text_task_file.h"
#include "documents/time_comparison.h"
#include "documents/utf8_path.h"
#include "solver/report_buffer.h"

namespace kargolo {
namespace {

int RunTime(const CliOptions& o, std::ostream& out, std::ostream& err) {
    TableFileContents contents;
    if (std::string problem = ReadTaskFile(PathFromUtf8(o.TaskPath), contents); !problem.empty()) {
        err << problem << '\n';
        return kExitInputError;
    }
    if (o.Compare) return RunTimeComparison(o, contents, out, err);
    TimeCriterionResult time;
    return RunIntoReport(o, out, err, [&](SolveState& s, SolveHooks& hooks) {
        return RunTimeSolve(contents.Grids, o.Limits, o.PlanOnly, o.Settings, hooks, s, time);
    });
}

int RunAssignment(const CliOptions& o, std::ostream& out, std::ostream& err) {
    if (!IsTextTaskPath(PathFromUtf8(o.TaskPath))) {
        err << Format(kMatrixNotText, o.TaskPath.c_str());
        return kExitInputError;
    }
    AssignmentTask task;
    if (std::string problem = ReadAssignmentFile(PathFromUtf8(o.TaskPath), task); !problem.empty()) {
        err << problem << '\n';
        return kExitInputError;
    }
    task.Maximise = task.Maximise || o.Maximise;
    AssignmentResult assignment;
    return RunIntoReport(o, out, err, [&](SolveState& s, SolveHooks& hooks) {
        return RunAssignmentSolve(task, o.Settings, hooks, s, assignment);
    });
}

}  // namespace

int RunTimeComparison(const CliOptions& o, const TableFileContents& contents, std::ostream& out,
                      std::ostream& err) {
    const TimeComparison comparison = CompareTimeRules(contents.Grids, o.Limits);
    if (!comparison.Refusal.empty()) {
        err << comparison.Refusal << '\n';
        return kExitInputError;
    }
    const std::string taskName = Utf8FromPath(PathFromUtf8(o.TaskPath).filename());
    return WriteComparison(o, TimeComparisonCsv(comparison), TimeComparisonHtml(comparison, taskName), out, err);
}

int RunTaskKind(const CliOptions& o, std::ostream& out, std::ostream& err) {
    return o.Kind == TaskKind::Assignment ? RunAssignment(o, out, err) : RunTime(o, out, err);
}

}  // namespace kargolo
