#include "cli/solver_run.h"

#include "cli/cli_texts.h"
#include "cli/options.h"
#include "cli/status_hooks.h"
#include "documents/atomic_file.h"
#include "documents/grids_to_state.h"
#include "documents/table_file.h"
#include "documents/windows1251.h"
#include "solver/driver.h"
#include "solver/report_texts.h"

namespace kargolo {
namespace {

// Loads the task into s; a message for the user when the file or its numbers cannot be used.
std::string LoadTask(const CliOptions& o, SolveState& s) {
    TableFileContents contents;
    if (const TableFileResult read = ReadTableFile(o.TaskPath, contents); !read.Ok()) {
        return FileErrorText(read);
    }
    ApplySettings(o.Settings, s);
    if (std::string problem = GridsToSolveState(contents.Grids, o.Limits, s); !problem.empty()) {
        return problem;
    }
    return CheckTaskInput(s);
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

bool SolveIntoDocument(SolveState& s, SolveHooks& hooks, bool planOnly, bool verbose,
                       std::ostream& err) {
    s.Report.Assign(kReportHead);
    bool solved = false;
    try {
        Solve(s, hooks, planOnly);
        solved = true;
    } catch (const std::exception& failure) {
        err << kUnknownFailure << '\n';
        if (verbose) err << Format(kFailedCheck, failure.what());
    } catch (...) {
        err << kUnknownFailure << '\n';
    }
    s.Report.Append(kReportFooter);
    s.Report.Append(kDocumentEnd);
    return solved;
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
    SolveState s;
    if (std::string problem = LoadTask(o, s); !problem.empty()) {
        err << problem << '\n';
        return kExitInputError;
    }
    StreamStatusHooks verbose(err);
    SilentHooks quiet;
    SolveHooks& hooks = o.Verbose ? static_cast<SolveHooks&>(verbose) : quiet;
    const bool solved = SolveIntoDocument(s, hooks, o.PlanOnly, o.Verbose, err);
    verbose.Flush();
    if (!WriteReport(o, EncodeWindows1251(s.Report.Text()), out, err)) return kExitInputError;
    return solved ? kExitSolved : kExitInternalFailure;
}

}  // namespace kargolo
