#include "cli/solver_run.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <sstream>

#include "cli/cli_texts.h"
#include "cli/console_encoding.h"
#include "cli/file_outputs.h"
#include "cli/options.h"
#include "cli/plan_check_run.h"
#include "cli/status_hooks.h"
#include "documents/exercise_generator.h"
#include "documents/method_comparison.h"
#include "documents/output_file.h"
#include "documents/plan_picture.h"
#include "documents/report_stream.h"
#include "documents/solve_run.h"
#include "documents/table_file.h"
#include "documents/text_task_file.h"
#include "documents/utf8_path.h"
#include "documents/variant_sheets.h"
#include "documents/windows1251.h"
#include "solver/report_buffer.h"
#include "solver/solve_hooks.h"

namespace kargolo {
namespace {

// Reads the task file; a message for the user when it cannot be read.
std::string ReadTask(const CliOptions& o, TableFileContents& contents) {
    return ReadTaskFile(PathFromUtf8(o.TaskPath), contents);
}

// Where the report goes: the file of -o, replaced only by a complete report, or out (or nowhere
// when only its Word document is asked for).
class ReportOutput {
public:
    ReportOutput(const CliOptions& o, std::ostream& out)
        : m_path(o.ReportPath), m_out(out), m_discard(o.ReportPath.empty() && !o.DocxPath.empty()) {}

    // Opens the file of -o; a message for the user when it cannot be written.
    std::string Open(const std::string& taskPath) {
        if (m_path.empty()) return {};
        const std::filesystem::path protect[] = {PathFromUtf8(taskPath)};
        switch (m_file.Open(PathFromUtf8(m_path), protect)) {
            case OutputFileStatus::Ok: return {};
            case OutputFileStatus::SameAsProtected: return Format(kReportIsTask, m_path.c_str());
            case OutputFileStatus::ReadOnly: return Format(kReportReadOnly, m_path.c_str());
            case OutputFileStatus::OpenFailed:
            case OutputFileStatus::WriteFailed: break;
        }
        return FileErrorText({TableFileStatus::OutputOpenError}) + '\n';
    }

    bool Write(std::string_view bytes) {
        if (m_discard) return true;
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
    bool m_discard;
    OutputFile m_file;  // abandoned, with nothing replaced, unless committed
};

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// --generate: the task files, answers.csv and, with --sheets, the documents to print.
int RunGenerator(const CliOptions& o, std::ostream& out, std::ostream& err) {
    GenerateOptions g = *o.Generate;
    if (!g.SeedGiven) g.Exercise.Seed = std::random_device()() * 0x100000001ull ^ std::random_device()();
    const std::filesystem::path folder = PathFromUtf8(g.Folder);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error)) {
        err << Format(kFolderError, g.Folder.c_str());
        return kExitInputError;
    }
    const VariantSet set = MakeVariantSet(g.Exercise, g.Count);
    std::string problem = set.Failure.empty() ? WriteVariantSet(folder, set, g.Sheets) : set.Failure;
    if (!problem.empty()) {
        err << problem << '\n';
        return kExitInputError;
    }
    out << Format(kGenerated, g.Count, g.Folder.c_str(),
                  static_cast<unsigned long long>(g.Exercise.Seed));
    return kExitSolved;
}

// --compare: the table of every rule and method, as HTML in windows-1251 or as CSV in UTF-8.
int RunComparison(const CliOptions& o, const TableFileContents& contents, std::ostream& out,
                  std::ostream& err) {
    const MethodComparison comparison = CompareMethods(contents.Grids, o.Limits);
    if (!comparison.Refusal.empty()) {
        err << comparison.Refusal << '\n';
        return kExitInputError;
    }
    ReportOutput output(o, out);
    if (std::string problem = output.Open(o.TaskPath); !problem.empty()) {
        err << problem;
        return kExitInputError;
    }
    const std::string taskName = Utf8FromPath(PathFromUtf8(o.TaskPath).filename());
    const std::string bytes =
        o.Csv ? (o.ReportPath.empty() ? std::string() : std::string(kByteOrderMark)) + ComparisonCsv(comparison)
              : EncodeWindows1251(ComparisonHtml(comparison, taskName));
    if (!output.Write(bytes) || !output.Commit()) {
        err << FileErrorText({TableFileStatus::CreateError}) << '\n';
        return kExitInputError;
    }
    if (!o.DocxPath.empty()) {
        DocxWriter docx;
        docx.Feed(ComparisonHtml(comparison, taskName));
        if (std::string problem = WriteDocxOutput(docx, o); !problem.empty()) {
            err << problem;
            return kExitInputError;
        }
    }
    return kExitSolved;
}

}  // namespace

void ReportFailure(const SolveRunResult& run, bool verbose, std::ostream& err) {
    if (!run.Failed) return;
    err << kUnknownFailure << '\n';
    if (verbose && !run.FailedCheck.empty()) err << Format(kFailedCheck, run.FailedCheck.c_str());
}

namespace {

int RunSolverWith(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  MessageEncoding encoding) {
    const auto message = [encoding](const std::string& text) {
        return encoding == MessageEncoding::Windows1251 ? EncodeWindows1251(text) : text;
    };
    const ParsedOptions parsed = ParseOptions(args);
    if (!parsed.Options) {
        err << parsed.Error << kUsage;
        return kExitUsage;
    }
    const CliOptions& o = *parsed.Options;
    if (o.Help) {
        out << message(std::string(kUsage) + '\n' + kHelp);
        return kExitSolved;
    }
    if (o.Generate) {
        std::ostringstream summary;
        const int status = RunGenerator(o, summary, err);
        out << message(summary.str());
        return status;
    }
    TableFileContents contents;
    if (std::string problem = ReadTask(o, contents); !problem.empty()) {
        err << problem << '\n';
        return kExitInputError;
    }
    if (!o.CheckPath.empty()) return RunPlanCheck(o, contents, out, err);
    if (o.Maximise) contents.Grids.Goal = TaskGoal::Maximise;
    if (o.Compare) return RunComparison(o, contents, out, err);
    ReportOutput output(o, out);
    if (std::string problem = output.Open(o.TaskPath); !problem.empty()) {
        err << problem;
        return kExitInputError;
    }
    // The report is written as the run goes: its size never has to fit in memory.
    EncodedReportSink sink([&output](std::string_view bytes) { return output.Write(bytes); });
    DocxWriter docx;
    TeeReportSink withDocx(sink, [&docx](std::string_view utf8) { docx.Feed(utf8); });
    StreamStatusHooks verbose(err);
    SilentHooks quiet;
    SolveHooks& hooks = o.Verbose ? static_cast<SolveHooks&>(verbose) : quiet;
    SolveState s;
    s.Report.StreamTo(o.DocxPath.empty() ? static_cast<ReportSink&>(sink) : withDocx);
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
    std::string problem = o.DocxPath.empty() ? std::string() : WriteDocxOutput(docx, o);
    if (problem.empty() && !o.JsonPath.empty()) problem = WriteJsonOutput(RunOutcomeJson(run.Outcome), o, out);
    if (!problem.empty()) {
        err << problem;
        return kExitInputError;
    }
    if (!o.SvgPath.empty() && !run.Failed) {
        const PlanSketch sketch = SketchOfRun(s, run, Utf8FromPath(PathFromUtf8(o.TaskPath).filename()));
        if (const TableFileResult written = WriteTaskBytes(PathFromUtf8(o.SvgPath), PlanSvg(sketch)); !written.Ok()) {
            err << FileErrorText(written) << '\n';
            return kExitInputError;
        }
    }
    return run.Failed ? kExitInternalFailure : kExitSolved;
}

}  // namespace

int RunSolver(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              MessageEncoding encoding) {
    if (encoding == MessageEncoding::Windows1251) {
        Windows1251StreamBuf encodedErr(err.rdbuf());
        std::ostream messages(&encodedErr);
        return RunSolverWith(args, out, messages, encoding);
    }
    return RunSolverWith(args, out, err, encoding);
}

}  // namespace kargolo
