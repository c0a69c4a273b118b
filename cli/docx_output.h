#pragma once

// --docx: the Word document of what kargolo-solve writes, put in its file once complete.

#include <string>

#include "documents/docx_writer.h"

namespace kargolo {

struct CliOptions;

// Writes the document to the file of --docx, never over the task or the report; a message for
// the user, or an empty text when it was written.
std::string WriteDocxOutput(DocxWriter& writer, const CliOptions& o);

}  // namespace kargolo
