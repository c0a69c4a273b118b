#include "cli/docx_output.h"

#include <filesystem>
#include <vector>

#include "cli/cli_texts.h"
#include "cli/options.h"
#include "documents/docx_file.h"
#include "documents/table_file.h"
#include "documents/utf8_path.h"
#include "solver/report_buffer.h"

namespace kargolo {

std::string WriteDocxOutput(DocxWriter& writer, const CliOptions& o) {
    std::vector<std::filesystem::path> protect = {PathFromUtf8(o.TaskPath)};
    if (!o.ReportPath.empty()) protect.push_back(PathFromUtf8(o.ReportPath));
    switch (WriteDocxFile(writer, PathFromUtf8(o.DocxPath), protect)) {
        case DocxFileStatus::Ok:
            return {};
        case DocxFileStatus::TooLarge:
            return DocxTooLargeText() + '\n';
        case DocxFileStatus::SameAsProtected:
            return Format(kDocxIsInput, o.DocxPath.c_str());
        case DocxFileStatus::ReadOnly:
            return Format(kDocxReadOnly, o.DocxPath.c_str());
        case DocxFileStatus::OpenFailed:
            return FileErrorText({TableFileStatus::OutputOpenError}) + '\n';
        case DocxFileStatus::WriteFailed:
            break;
    }
    return FileErrorText({TableFileStatus::CreateError}) + '\n';
}

}  // namespace kargolo
