#pragma once

// Matrix files of the assignment problem (.csv): one line per performer with the costs (or
// effects) of its jobs, "M" (Latin or Cyrillic, either case) for a forbidden cell, read as text
// task files are (see text_lines.h). Every line holds as many values as the first one. A kind
// line "вид;назначения" and a goal line "цель;максимум" may come first, as a task file has them.
// The writer produces UTF-8 with ';' and LF. And the assignment problem held in a task's grids
// (TaskKind::Assignment), as the editors keep it.

#include <filesystem>
#include <string>
#include <string_view>

#include <optional>
#include <vector>

#include "documents/task_grids.h"
#include "documents/text_lines.h"
#include "solver/hungarian.h"

namespace kargolo {

// Reads a whole matrix. Returns an empty text on success; otherwise the message, which names
// the line and the column at fault ("Строка 3, столбец 2: ..."), and task is left as it was.
std::string ParseAssignmentMatrix(std::string_view bytes, AssignmentTask& task);
std::string ReadAssignmentFile(const std::filesystem::path& path, AssignmentTask& task);

// The matrix of the lines (a goal line first when there is one); the fault, and task as it was,
// when they hold none.
std::optional<TextFault> ReadAssignmentLines(const std::vector<DataLine>& lines, AssignmentTask& task);

// The matrix alone, without the kind and goal lines.
std::string SerializeAssignmentMatrix(const AssignmentTask& task);

// Grids of the assignment problem: the matrix in the tariff cells ("M" for a forbidden cell),
// every supply and demand 1, the goal of the task.
TaskGrids AssignmentGrids(const AssignmentTask& task);

// The task of such grids (whatever their supplies and demands). Returns a message naming the
// first value that is no 32-bit number, or an empty text; task is filled either way.
std::string GridsToAssignment(const TaskGrids& grids, AssignmentTask& task);

}  // namespace kargolo
