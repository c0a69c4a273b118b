#include "cli/solver_run.h"

#include <filesystem>
#include <random>
#include <sstream>

#include "cli/cli_texts.h"
#include "cli/console_encoding.h"
#include "cli/options.h"
#include "cli/plan_check_run.h"
#include "cli/report_output.h"
#include "cli/status_hooks.h"
#include "cli/task_kinds.h"
#include "documents/exercise_generator.h"
#include "documents/method_comparison.h"
#include "documents/output_file.h"
#include "documents/plan_picture.h"
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
    if (contents.Grids.Kind == TaskKind::Time) return RunTimeComparison(o, contents, out, err);
    if (contents.Grids.Kind == TaskKind::Assignment) {
        err << Format(kNotTogether, "--compare", "--kind assignment") << kUsage;
        return kExitUsage;
    }
    const MethodComparison comparison = CompareMethods(contents.Grids, o.Limits);
    if (!comparison.Refusal.empty()) {
        err << comparison.Refusal << '\n';
        return kExitInputError;
    }
    const std::string taskName = Utf8FromPath(PathFromUtf8(o.TaskPath).filename());
    return WriteComparison(o, ComparisonCsv(comparison), ComparisonHtml(comparison, taskName), out, err);
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
    if (o.Kind != TaskKind::Transport) return RunTaskKind(o, out, err);
    TableFileContents contents;
    if (std::string problem = ReadTask(o, contents); !problem.empty()) {
        err << problem << '\n';
        return kExitInputError;
    }
    if (o.KindGiven) contents.Grids.Kind = TaskKind::Transport;  // --kind transport
    if (!o.CheckPath.empty()) return RunPlanCheck(o, contents, out, err);
    if (o.Maximise) contents.Grids.Goal = TaskGoal::Maximise;
    if (o.Compare) return RunComparison(o, contents, out, err);
    const auto run = [&](SolveState& s, SolveHooks& hooks) {
        return RunSolve(contents.Grids, o.Limits, o.PlanOnly, o.Settings, hooks, s);
    };
    if (!o.SvgPath.empty() && contents.Grids.Kind == TaskKind::Assignment) {
        err << Format(kNotTogether, "--svg", "--kind assignment") << kUsage;
        return kExitUsage;
    }
    if (o.SvgPath.empty()) return RunIntoReport(o, out, err, run);
    return RunIntoReport(o, out, err, run, [&](const SolveState& s, const SolveRunResult& result) {
        const PlanSketch sketch = SketchOfRun(s, result, Utf8FromPath(PathFromUtf8(o.TaskPath).filename()));
        const TableFileResult written = WriteTaskBytes(PathFromUtf8(o.SvgPath), PlanSvg(sketch));
        if (!written.Ok()) err << FileErrorText(written) << '\n';
        return written.Ok();
    });
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
