#pragma once

// The lines of a text file of numbers, as spreadsheets and text editors keep them: UTF-8 (with
// or without a byte order mark) or, when it is not valid UTF-8, windows-1251; lines ending in
// LF, CRLF or CR; values separated by ';', a tab or ',', whichever the first line holds (in that
// order); blanks and quotes around a value ignored; empty lines and lines starting with '#'
// skipped.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "documents/task_grids.h"

namespace kargolo {

inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A line of values, numbered from 1 as an editor numbers it.
struct DataLine {
    unsigned Number = 0;
    std::vector<std::string_view> Values;
};

// A fault found while reading: where it is and what it is.
struct TextFault {
    unsigned Line = 0;
    unsigned Column = 0;
    std::string What;
};

// "Строка 3, столбец 2: ...".
std::string FaultText(const TextFault& fault);

// Reads a whole file into bytes; the message for the user when it cannot be read, or empty.
std::string ReadTextFile(const std::filesystem::path& path, std::string& bytes);

// The text with every line ending as LF, whether it ended as LF, CRLF or CR alone (old Mac).
std::string WithLfLineEnds(std::string_view text);

// The file's bytes as UTF-8 text with LF line ends, without a byte order mark.
std::string DecodeTextFile(std::string_view bytes);

// The lines that hold values (views into text), with the separator of the first of them.
std::vector<DataLine> SplitLines(std::string_view text);

// How many lines the text has, the last one counted even without its line end.
unsigned CountLines(std::string_view text);

// The text without blanks (spaces, tabs, no-break spaces) at either end.
std::string_view TrimBlanks(std::string_view text);

// Latin and Russian letters in lower case; other text as it is.
std::string Lowered(std::string_view text);

// A line that names what follows instead of holding values is known by its words, in lower case,
// each followed by a blank ("цель максимум ").
std::string LineWords(const DataLine& line);

// A goal line: "цель;максимум" or "цель;минимум" (or max, min).
enum class LineGoal { None, Minimise, Maximise, Bad };
LineGoal GoalOfLine(const DataLine& line);

// A kind line: "вид;транспортная", "вид;критерий времени" or "вид;назначения"; nullopt when the
// line is none, kindFault set when it names no kind the program knows.
std::optional<TaskKind> KindOfLine(const DataLine& line, bool& kindFault);

// The line that names a kind, as the writers put it first.
std::string KindLineText(TaskKind kind);

}  // namespace kargolo
