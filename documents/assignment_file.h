#pragma once

// Matrix files of the assignment problem (.csv): one line per performer with the costs (or
// effects) of its jobs, "M" (Latin or Cyrillic, either case) for a forbidden cell, read as text
// task files are (see text_lines.h). Every line holds as many values as the first one. The
// writer produces UTF-8 with ';' and LF.

#include <filesystem>
#include <string>
#include <string_view>

#include "solver/hungarian.h"

namespace kargolo {

// Reads a whole matrix. Returns an empty text on success; otherwise the message, which names
// the line and the column at fault ("Строка 3, столбец 2: ..."), and task is left as it was.
std::string ParseAssignmentMatrix(std::string_view bytes, AssignmentTask& task);
std::string ReadAssignmentFile(const std::filesystem::path& path, AssignmentTask& task);

std::string SerializeAssignmentMatrix(const AssignmentTask& task);

}  // namespace kargolo
