#include "cli/solver_run.h"

#include "cli/cli_texts.h"
#include "cli/options.h"
#include "cli/status_hooks.h"
#include "documents/atomic_file.h"
#include "documents/solve_run.h"
#include "documents/table_file.h"
#include "documents/windows1251.h"
#include "solver/report_buffer.h"
#include "solver/solve_hooks.h"

namespace kargolo {
namespace {

// Reads the task file; a message for the user when it cannot be read.
std::string ReadTask(const CliOptions& o, TableFileContents& contents) {
    const TableFileResult read = ReadTableFile(o.TaskPath, contents);
    return read.Ok() ? std::string() : FileErrorText(read);
}

// Writes the encoded report; false (with the message on err) when the file cannot be written.
bool WriteReport(const CliOptions& o, const std::string& document, std::ostream& out,
                 std::ostream& err) {
    if (o.ReportPath.empty()) {
        out.write(document.data(), static_cast<std::streamsize>(document.size()));
        out.flush();
        return static_cast<bool>(out);
    }
    switch (WriteFileAtomically(o.ReportPath, document)) {
        case AtomicWriteStatus::Ok: return true;
        case AtomicWriteStatus::OpenFailed:
            err << FileErrorText({TableFileStatus::OutputOpenError}) << '\n';
            return false;
        case AtomicWriteStatus::WriteFailed: break;
    }
    err << FileErrorText({TableFileStatus::CreateError}) << '\n';
    return false;
}

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
    StreamStatusHooks verbose(err);
    SilentHooks quiet;
    SolveHooks& hooks = o.Verbose ? static_cast<SolveHooks&>(verbose) : quiet;
    SolveState s;
    const SolveRunResult run = RunSolve(contents.Grids, o.Limits, o.PlanOnly, o.Settings, hooks, s);
    verbose.Flush();
    if (!run.Refusal.empty()) {
        err << run.Refusal << '\n';
        return kExitInputError;
    }
    ReportFailure(run, o.Verbose, err);
    if (!WriteReport(o, EncodeWindows1251(s.Report.Text()), out, err)) return kExitInputError;
    return run.Failed ? kExitInternalFailure : kExitSolved;
}

}  // namespace kargolo
