#pragma once

// Text task files (.csv), as spreadsheets and text editors keep tasks:
//   optionally a first line "цель;максимум" (or "цель;минимум", the default), the goal,
//   m lines "c_i1;...;c_in;a_i" (the tariffs of supplier i and its supply; a tariff "M" forbids
//   the route),
//   one line "b_1;...;b_n" (the demands),
//   optionally m lines of n route limits, where "M" (Latin or Cyrillic, either case) is no limit,
//   usually set apart by an empty line, or after a line "ограничения",
//   optionally a line "обязательные поставки" and m lines of n mandatory shipments (empty or 0:
//   none).
// Words are read in either case.
// The separator is ';', a tab or ',', whichever the first line holds (in that order); blanks
// around a value are ignored, empty lines and lines starting with '#' are skipped. The text is
// UTF-8 (with or without a byte order mark) or, when it is not valid UTF-8, windows-1251; line
// ends are LF, CRLF or CR. The writer produces UTF-8 with ';' and LF; the goal only for a
// maximisation, the limits only when a route is limited, the mandatory shipments only when there
// are some: a task without these is written as before they existed.

#include <filesystem>
#include <string>
#include <string_view>

#include "documents/table_file.h"

namespace kargolo {

// Reads a whole text task. Returns an empty text on success; otherwise the message, which
// names the line and the column at fault ("Строка 3, столбец 2: ..."), and contents is left
// as it was.
std::string ParseTextTask(std::string_view bytes, TableFileContents& contents);
std::string ReadTextTaskFile(const std::filesystem::path& path, TableFileContents& contents);

// The text of a task; numbers are taken from their texts by the same rule as the table files.
std::string SerializeTextTask(const TaskGrids& grids);
// Writes a text task file; the target is replaced only when every byte was written.
TableFileResult WriteTextTaskFile(const std::filesystem::path& path, const TaskGrids& grids);

// Task files of either kind, told apart by the extension (".csv" in any case is text).
bool IsTextTaskPath(const std::filesystem::path& path);
// Returns the message for the user, or an empty text when the task was read.
std::string ReadTaskFile(const std::filesystem::path& path, TableFileContents& contents);
TableFileResult WriteTaskFile(const std::filesystem::path& path, const TaskGrids& grids);

}  // namespace kargolo
