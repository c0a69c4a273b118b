#pragma once

// The files kargolo-solve writes beside its report: the Word document (--docx) and the outcome
// of a run or the verdict of a plan check as JSON (--json; "-" is standard output), each put in
// place once complete and never over the task, the plan or the report.

#include <iosfwd>
#include <string>

#include "documents/docx_writer.h"

namespace kargolo {

struct CliOptions;

// A message for the user, or an empty text when the file was written.
std::string WriteDocxOutput(DocxWriter& writer, const CliOptions& o);
std::string WriteJsonOutput(const std::string& json, const CliOptions& o, std::ostream& out);

}  // namespace kargolo
