#include "documents/assignment_file.h"

#include <charconv>
#include <limits>
#include <new>
#include <optional>
#include <span>

#include "documents/document_texts.h"
#include "documents/task_editing.h"
#include "documents/text_lines.h"
#include "documents/text_numbers.h"
#include "solver/report_buffer.h"

namespace kargolo {
namespace {

bool IsForbiddenText(std::string_view value) {
    return IsNoLimitText(value) || value == "\xD0\x9C" || value == "\xD0\xBC";  // Cyrillic М, м
}

// Value k of a line into the task; the fault when it is neither a 32-bit number nor M.
std::optional<TextFault> TakeValue(const DataLine& line, std::size_t k, AssignmentTask& task) {
    const std::string_view value = line.Values[k];
    const auto column = static_cast<unsigned>(k + 1);
    if (value.empty()) return TextFault{line.Number, column, kTextEmptyValue};
    if (IsForbiddenText(value)) {
        task.Values.push_back(0);
        task.Forbidden.push_back(1);
        return std::nullopt;
    }
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    const std::string text(value);
    if (error == std::errc::invalid_argument || end != value.data() + value.size()) {
        return TextFault{line.Number, column, Format(kTextNotLimit, text.c_str())};
    }
    if (error == std::errc::result_out_of_range || number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max()) {
        return TextFault{line.Number, column, Format(kTextOutOfRange, text.c_str())};
    }
    task.Values.push_back(static_cast<std::int32_t>(number));
    task.Forbidden.push_back(0);
    return std::nullopt;
}

std::optional<TextFault> ReadMatrix(std::span<const DataLine> lines, AssignmentTask& task) {
    if (lines.empty()) return TextFault{1, 1, kMatrixNoValues};
    const auto width = static_cast<unsigned>(lines.front().Values.size());
    const auto largest = static_cast<unsigned>(kLargestAssignmentSide);
    if (width > largest) return TextFault{lines.front().Number, largest + 1, Format(kMatrixTooWide, largest)};
    if (lines.size() > largest) return TextFault{lines[largest].Number, 1, Format(kMatrixTooLong, largest)};
    task.Rows = static_cast<int>(lines.size());
    task.Columns = static_cast<int>(width);
    for (const DataLine& line : lines) {
        const auto count = static_cast<unsigned>(line.Values.size());
        if (count != width) {
            return TextFault{line.Number, std::min(count, width) + 1, Format(kMatrixRowLength, width)};
        }
        for (std::size_t k = 0; k < count; ++k) {
            if (auto fault = TakeValue(line, k, task)) return fault;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<TextFault> ReadAssignmentLines(const std::vector<DataLine>& lines, AssignmentTask& task) {
    AssignmentTask read;
    read.Maximise = task.Maximise;
    std::span<const DataLine> matrix(lines);
    if (!lines.empty()) {
        const LineGoal goal = GoalOfLine(lines.front());
        if (goal == LineGoal::Bad) return TextFault{lines.front().Number, 2, kTextBadGoal};
        if (goal != LineGoal::None) {
            read.Maximise = goal == LineGoal::Maximise;
            matrix = matrix.subspan(1);
        }
    }
    if (auto fault = ReadMatrix(matrix, read)) return fault;
    task = std::move(read);
    return std::nullopt;
}

std::string ParseAssignmentMatrix(std::string_view bytes, AssignmentTask& task) {
    try {
        const std::string text = DecodeTextFile(bytes);
        std::vector<DataLine> lines = SplitLines(text);
        bool badKind = false;
        if (!lines.empty()) {
            const std::optional<TaskKind> kind = KindOfLine(lines.front(), badKind);
            if (kind == TaskKind::Assignment) lines.erase(lines.begin());
        }
        if (badKind) return FaultText({lines.front().Number, 2, kTextBadKind});
        if (auto fault = ReadAssignmentLines(lines, task)) return FaultText(*fault);
        return {};
    } catch (const std::bad_alloc&) {
        return kOutOfMemoryText;
    }
}

std::string ReadAssignmentFile(const std::filesystem::path& path, AssignmentTask& task) {
    std::string bytes;
    if (std::string problem = ReadTextFile(path, bytes); !problem.empty()) return problem;
    return ParseAssignmentMatrix(bytes, task);
}

TaskGrids AssignmentGrids(const AssignmentTask& task) {
    TaskGrids grids = NewTaskGrids(task.Rows, task.Columns, TaskKind::Assignment);
    grids.Goal = task.Maximise ? TaskGoal::Maximise : TaskGoal::Minimise;
    for (int i = 0; i < task.Rows; ++i) {
        for (int j = 0; j < task.Columns; ++j) {
            const auto k = static_cast<std::size_t>(i) * static_cast<std::size_t>(task.Columns) +
                           static_cast<std::size_t>(j);
            grids.Tarif.At(j + 1, i + 1) = task.Forbidden[k] != 0 ? std::string("M") : NumberToText(task.Values[k]);
        }
    }
    return grids;
}

std::string GridsToAssignment(const TaskGrids& grids, AssignmentTask& task) {
    task.Rows = grids.Suppliers();
    task.Columns = grids.Consumers();
    task.Maximise = grids.Goal == TaskGoal::Maximise;
    task.Values.assign(static_cast<std::size_t>(task.Rows) * static_cast<std::size_t>(task.Columns), 0);
    task.Forbidden.assign(task.Values.size(), 0);
    std::string problem;
    for (int i = 0; i < task.Rows; ++i) {
        for (int j = 0; j < task.Columns; ++j) {
            const std::string& text = grids.Tarif.At(j + 1, i + 1);
            const auto k = static_cast<std::size_t>(i) * static_cast<std::size_t>(task.Columns) +
                           static_cast<std::size_t>(j);
            if (IsForbiddenText(text)) {
                task.Forbidden[k] = 1;
                continue;
            }
            const ParsedNumber parsed = ParseNumber(text);
            task.Values[k] = parsed.Value;
            if (parsed.OutOfRange && problem.empty()) {
                problem = Format(kNumberOutOfRange, text.c_str(), Format(kInMatrix, i + 1, j + 1).c_str());
            }
        }
    }
    return problem;
}

std::string SerializeAssignmentMatrix(const AssignmentTask& task) {
    std::string out;
    for (int i = 0; i < task.Rows; ++i) {
        for (int j = 0; j < task.Columns; ++j) {
            const auto k = static_cast<std::size_t>(i) * static_cast<std::size_t>(task.Columns) +
                           static_cast<std::size_t>(j);
            out += task.Forbidden[k] != 0 ? std::string("M") : NumberToText(task.Values[k]);
            out += j + 1 < task.Columns ? ';' : '\n';
        }
    }
    return out;
}

}  // namespace kargolo
