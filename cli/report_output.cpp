#include "cli/report_output.h"

#include <filesystem>

#include "cli/cli_texts.h"
#include "cli/solver_run.h"
#include "documents/table_file.h"
#include "documents/text_lines.h"
#include "documents/utf8_path.h"
#include "documents/windows1251.h"
#include "solver/report_buffer.h"

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
    if (!m_path.empty()) return m_file.Write(bytes);
    m_out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(m_out);
}

bool ReportOutput::Commit() {
    if (!m_path.empty()) return m_file.Commit() == OutputFileStatus::Ok;
    m_out.flush();
    return static_cast<bool>(m_out);
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
    return kExitSolved;
}

}  // namespace kargolo
