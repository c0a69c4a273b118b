#include "cli/file_outputs.h"

#include <filesystem>
#include <ostream>
#include <vector>

#include "cli/cli_texts.h"
#include "cli/options.h"
#include "documents/docx_file.h"
#include "documents/output_file.h"
#include "documents/table_file.h"
#include "documents/utf8_path.h"
#include "solver/report_buffer.h"

namespace kargolo {
namespace {

// The files of the user's that an output may not replace: the task, the plan, the report and,
// for the verdict, the Word document.
std::vector<std::filesystem::path> Inputs(const CliOptions& o, bool withDocx) {
    std::vector<std::filesystem::path> protect;
    for (const std::string* path : {&o.TaskPath, &o.ReportPath, &o.CheckPath, &o.DocxPath}) {
        if (!path->empty() && (withDocx || path != &o.DocxPath))
            protect.push_back(PathFromUtf8(*path));
    }
    return protect;
}

std::string Problem(OutputFileStatus status, const std::string& path, const char* kind) {
    switch (status) {
        case OutputFileStatus::Ok:
            return {};
        case OutputFileStatus::SameAsProtected:
            return Format(kOutputIsInput, kind, path.c_str());
        case OutputFileStatus::ReadOnly:
            return Format(kOutputReadOnly, kind, path.c_str());
        case OutputFileStatus::OpenFailed:
            return FileErrorText({TableFileStatus::OutputOpenError}) + '\n';
        case OutputFileStatus::WriteFailed:
            break;
    }
    return FileErrorText({TableFileStatus::CreateError}) + '\n';
}

}  // namespace

std::string WriteDocxOutput(DocxWriter& writer, const CliOptions& o) {
    if (writer.TooLarge()) return DocxTooLargeText() + '\n';
    return Problem(WriteDocxFile(writer, PathFromUtf8(o.DocxPath), Inputs(o, false)), o.DocxPath,
                   kDocxFileKind);
}

std::string WriteJsonOutput(const std::string& json, const CliOptions& o, std::ostream& out) {
    const char* kind = o.CheckPath.empty() ? kOutcomeFileKind : kJsonFileKind;
    if (o.JsonPath == "-") {
        out << json;
        return out.flush() ? std::string() : Problem(OutputFileStatus::WriteFailed, o.JsonPath, kind);
    }
    return Problem(WriteWholeFile(PathFromUtf8(o.JsonPath), json, Inputs(o, true)), o.JsonPath, kind);
}

}  // namespace kargolo
