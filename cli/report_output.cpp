#include "cli/report_output.h"

#include <filesystem>

#include "cli/cli_texts.h"
#include "cli/file_outputs.h"
#include "cli/solver_run.h"
#include "cli/status_hooks.h"
#include "documents/docx_writer.h"
#include "documents/report_stream.h"
#include "documents/run_outcome.h"
#include "documents/table_file.h"
#include "documents/text_lines.h"
#include "documents/utf8_path.h"
#include "documents/windows1251.h"
#include "solver/report_buffer.h"
#include "solver/solve_hooks.h"

namespace kargolo {

std::string ReportOutput::Open(const std::string& taskPath) {
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

bool ReportOutput::Write(std::string_view bytes) {
    if (m_discard) return true;
    if (!m_path.empty()) return m_file.Write(bytes);
    m_out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(m_out);
}

bool ReportOutput::Commit() {
    if (!m_path.empty()) return m_file.Commit() == OutputFileStatus::Ok;
    m_out.flush();
    return static_cast<bool>(m_out);
}

int RunIntoReport(const CliOptions& o, std::ostream& out, std::ostream& err, const ReportRun& run,
                  const AfterRun& after) {
    ReportOutput output(o, out);
    if (std::string problem = output.Open(o.TaskPath); !problem.empty()) {
        err << problem;
        return kExitInputError;
    }
    EncodedReportSink sink([&output](std::string_view bytes) { return output.Write(bytes); });
    DocxWriter docx;
    TeeReportSink withDocx(sink, [&docx](std::string_view utf8) { docx.Feed(utf8); });
    StreamStatusHooks verbose(err);
    SilentHooks quiet;
    SolveHooks& hooks = o.Verbose ? static_cast<SolveHooks&>(verbose) : quiet;
    SolveState s;
    s.Report.StreamTo(o.DocxPath.empty() ? static_cast<ReportSink&>(sink) : withDocx);
    const SolveRunResult result = run(s, hooks);
    verbose.Flush();
    if (!result.Refusal.empty()) {
        err << result.Refusal << '\n';
        return kExitInputError;
    }
    ReportFailure(result, o.Verbose, err);
    if (!sink.Finish() || !output.Commit()) {
        err << FileErrorText({TableFileStatus::CreateError}) << '\n';
        return kExitInputError;
    }
    std::string problem = o.DocxPath.empty() ? std::string() : WriteDocxOutput(docx, o);
    if (problem.empty() && !o.JsonPath.empty())
        problem = WriteJsonOutput(RunOutcomeJson(result.Outcome), o, out);
    if (!problem.empty()) {
        err << problem;
        return kExitInputError;
    }
    if (after && !result.Failed && !after(s, result)) return kExitInputError;
    return result.Failed ? kExitInternalFailure : kExitSolved;
}

int WriteComparison(const CliOptions& o, const std::string& csv, const std::string& html,
                    std::ostream& out, std::ostream& err) {
    ReportOutput output(o, out);
    if (std::string problem = output.Open(o.TaskPath); !problem.empty()) {
        err << problem;
        return kExitInputError;
    }
    const std::string bytes =
        o.Csv ? (o.ReportPath.empty() ? std::string() : std::string(kByteOrderMark)) + csv : EncodeWindows1251(html);
    if (!output.Write(bytes) || !output.Commit()) {
        err << FileErrorText({TableFileStatus::CreateError}) << '\n';
        return kExitInputError;
    }
    if (!o.DocxPath.empty()) {
        DocxWriter docx;
        docx.Feed(html);
        if (std::string problem = WriteDocxOutput(docx, o); !problem.empty()) {
            err << problem;
            return kExitInputError;
        }
    }
    return kExitSolved;
}

}  // namespace kargolo
