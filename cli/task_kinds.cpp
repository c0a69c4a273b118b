#include "cli/task_kinds.h"

#include <filesystem>
#include <functional>

#include "cli/cli_texts.h"
#include "cli/report_output.h"
#include "cli/solver_run.h"
#include "cli/status_hooks.h"
#include "documents/assignment_file.h"
#include "documents/output_file.h"
#include "documents/report_stream.h"
#include "documents/table_file.h"
#include "documents/task_kind_runs.h"
#include "documents/text_task_file.h"
#include "documents/time_comparison.h"
#include "documents/utf8_path.h"
#include "solver/report_buffer.h"
#include "solver/solve_hooks.h"

namespace kargolo {
namespace {

using KindRun = std::function<SolveRunResult(SolveState&, SolveHooks&)>;
using KindOutcome = std::function<RunOutcome(const SolveState&)>;

// Where the outcome goes as JSON: a file replaced only when complete, or out for "-".
class JsonOutput {
public:
    explicit JsonOutput(const CliOptions& o) : m_path(o.JsonPath) {}

    bool Wanted() const { return !m_path.empty(); }
    bool ToOut() const { return m_path == "-"; }

    // Opens the file; a message for the user when it cannot be written.
    std::string Open(const CliOptions& o) {
        if (!Wanted() || ToOut()) return {};
        std::vector<std::filesystem::path> protect{PathFromUtf8(o.TaskPath)};
        if (!o.ReportPath.empty()) protect.push_back(PathFromUtf8(o.ReportPath));
        switch (m_file.Open(PathFromUtf8(m_path), protect)) {
            case OutputFileStatus::Ok: return {};
            case OutputFileStatus::SameAsProtected: return Format(kJsonIsInput, m_path.c_str());
            case OutputFileStatus::ReadOnly: return Format(kJsonReadOnly, m_path.c_str());
            case OutputFileStatus::OpenFailed:
            case OutputFileStatus::WriteFailed: break;
        }
        return FileErrorText({TableFileStatus::OutputOpenError}) + '\n';
    }

    bool Write(const std::string& json, std::ostream& out) {
        if (!ToOut()) return m_file.Write(json) && m_file.Commit() == OutputFileStatus::Ok;
        out << json;
        out.flush();
        return static_cast<bool>(out);
    }

private:
    std::string m_path;
    OutputFile m_file;  // abandoned, with nothing replaced, unless committed
};

// Runs one task of a kind into the report (nowhere when the outcome alone goes to the standard
// output) and then writes the outcome.
int RunAndWrite(const CliOptions& o, std::ostream& out, std::ostream& err, const KindRun& run,
                const KindOutcome& outcome) {
    JsonOutput json(o);
    const bool reportWanted = !(json.ToOut() && o.ReportPath.empty());
    ReportOutput output(o, out);
    for (const std::string& problem : {output.Open(o.TaskPath), json.Open(o)}) {
        if (problem.empty()) continue;
        err << problem;
        return kExitInputError;
    }
    EncodedReportSink sink([&output](std::string_view bytes) { return output.Write(bytes); });
    DiscardingReportSink nowhere;
    StreamStatusHooks verbose(err);
    SilentHooks quiet;
    SolveHooks& hooks = o.Verbose ? static_cast<SolveHooks&>(verbose) : quiet;
    SolveState s;
    s.Report.StreamTo(reportWanted ? static_cast<ReportSink&>(sink) : nowhere);
    const SolveRunResult result = run(s, hooks);
    verbose.Flush();
    if (!result.Refusal.empty()) {
        err << result.Refusal << '\n';
        return kExitInputError;
    }
    ReportFailure(result, o.Verbose, err);
    if (reportWanted && (!sink.Finish() || !output.Commit())) {
        err << FileErrorText({TableFileStatus::CreateError}) << '\n';
        return kExitInputError;
    }
    if (result.Failed) return kExitInternalFailure;
    if (json.Wanted() && !json.Write(RunOutcomeJson(outcome(s)), out)) {
        err << FileErrorText({TableFileStatus::CreateError}) << '\n';
        return kExitInputError;
    }
    return kExitSolved;
}

int RunTime(const CliOptions& o, std::ostream& out, std::ostream& err) {
    TableFileContents contents;
    if (std::string problem = ReadTaskFile(PathFromUtf8(o.TaskPath), contents); !problem.empty()) {
        err << problem << '\n';
        return kExitInputError;
    }
    if (o.Compare) {
        const TimeComparison comparison = CompareTimeRules(contents.Grids, o.Limits);
        if (!comparison.Refusal.empty()) {
            err << comparison.Refusal << '\n';
            return kExitInputError;
        }
        const std::string taskName = Utf8FromPath(PathFromUtf8(o.TaskPath).filename());
        return WriteComparison(o, TimeComparisonCsv(comparison), TimeComparisonHtml(comparison, taskName), out, err);
    }
    TimeCriterionResult time;
    return RunAndWrite(
        o, out, err,
        [&](SolveState& s, SolveHooks& hooks) {
            return RunTimeSolve(contents.Grids, o.Limits, o.PlanOnly, o.Settings, hooks, s, time);
        },
        [&](const SolveState& s) { return TimeOutcome(s, contents.Grids, time, o.PlanOnly); });
}

int RunAssignment(const CliOptions& o, std::ostream& out, std::ostream& err) {
    if (!IsTextTaskPath(PathFromUtf8(o.TaskPath))) {
        err << Format(kMatrixNotText, o.TaskPath.c_str());
        return kExitInputError;
    }
    AssignmentTask task;
    task.Maximise = o.Maximise;
    if (std::string problem = ReadAssignmentFile(PathFromUtf8(o.TaskPath), task); !problem.empty()) {
        err << problem << '\n';
        return kExitInputError;
    }
    AssignmentResult assignment;
    return RunAndWrite(
        o, out, err,
        [&](SolveState& s, SolveHooks& hooks) {
            return RunAssignmentSolve(task, o.Settings, hooks, s, assignment);
        },
        [&](const SolveState&) { return AssignmentOutcome(task, assignment); });
}

}  // namespace

int RunTaskKind(const CliOptions& o, std::ostream& out, std::ostream& err) {
    return o.Kind == TaskKind::Assignment ? RunAssignment(o, out, err) : RunTime(o, out, err);
}

}  // namespace kargolo
