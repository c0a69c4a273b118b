#include "cli/solver_run.h"

#include <filesystem>

#include "cli/cli_texts.h"
#include "cli/options.h"
#include "cli/status_hooks.h"
#include "documents/output_file.h"
#include "documents/report_stream.h"
#include "documents/solve_run.h"
#include "documents/table_file.h"
#include "documents/text_task_file.h"
#include "solver/report_buffer.h"
#include "solver/solve_hooks.h"

namespace kargolo {
namespace {

// Reads the task file; a message for the user when it cannot be read.
std::string ReadTask(const CliOptions& o, TableFileContents& contents) {
    return ReadTaskFile(o.TaskPath, contents);
}

// Where the report goes: the file of -o, replaced only by a complete report, or out.
class ReportOutput {
public:
    ReportOutput(const CliOptions& o, std::ostream& out) : m_path(o.ReportPath), m_out(out) {}

    // Opens the file of -o; a message for the user when it cannot be written.
    std::string Open(const std::string& taskPath) {
        if (m_path.empty()) return {};
        const std::filesystem::path protect[] = {taskPath};
        switch (m_file.Open(m_path, protect)) {
            case OutputFileStatus::Ok: return {};
            case OutputFileStatus::SameAsProtected: return Format(kReportIsTask, m_path.c_str());
            case OutputFileStatus::OpenFailed:
            case OutputFileStatus::WriteFailed: break;
        }
        return FileErrorText({TableFileStatus::OutputOpenError}) + '\n';
    }

    bool Write(std::string_view bytes) {
        if (!m_path.empty()) return m_file.Write(bytes);
        m_out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(m_out);
    }

    // Puts the complete report in place; false when any of it could not be written.
    bool Commit() {
        if (!m_path.empty()) return m_file.Commit() == OutputFileStatus::Ok;
        m_out.flush();
        return static_cast<bool>(m_out);
    }

private:
    std::string m_path;
    std::ostream& m_out;
    OutputFile m_file;  // abandoned, with nothing replaced, unless committed
};

}  // namespace

void ReportFailure(const SolveRunResult& run, bool verbose, std::ostream& err) {
    if (!run.Failed) return;
    err << kUnknownFailure << '\n';
    if (verbose && !run.FailedCheck.empty()) err << Format(kFailedCheck, run.FailedCheck.c_str());
}

int RunSolver(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const ParsedOptions parsed = ParseOptions(args);
    if (!parsed.Options) {
        err << parsed.Error << kUsage;
        return kExitUsage;
    }
    const CliOptions& o = *parsed.Options;
    if (o.Help) {
        out << kUsage << '\n' << kHelp;
        return kExitSolved;
    }
    TableFileContents contents;
    if (std::string problem = ReadTask(o, contents); !problem.empty()) {
        err << problem << '\n';
        return kExitInputError;
    }
    ReportOutput output(o, out);
    if (std::string problem = output.Open(o.TaskPath); !problem.empty()) {
        err << problem;
        return kExitInputError;
    }
    // The report is written as the run goes: its size never has to fit in memory.
    EncodedReportSink sink([&output](std::string_view bytes) { return output.Write(bytes); });
    StreamStatusHooks verbose(err);
    SilentHooks quiet;
    SolveHooks& hooks = o.Verbose ? static_cast<SolveHooks&>(verbose) : quiet;
    SolveState s;
    s.Report.StreamTo(sink);
    const SolveRunResult run = RunSolve(contents.Grids, o.Limits, o.PlanOnly, o.Settings, hooks, s);
    verbose.Flush();
    if (!run.Refusal.empty()) {
        err << run.Refusal << '\n';
        return kExitInputError;
    }
    ReportFailure(run, o.Verbose, err);
    if (!sink.Finish() || !output.Commit()) {
        err << FileErrorText({TableFileStatus::CreateError}) << '\n';
        return kExitInputError;
    }
    return run.Failed ? kExitInternalFailure : kExitSolved;
}

}  // namespace kargolo
