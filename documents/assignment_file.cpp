#include "documents/assignment_file.h"

#include <charconv>
#include <limits>
#include <new>
#include <optional>

#include "documents/document_texts.h"
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

std::optional<TextFault> ReadLines(const std::vector<DataLine>& lines, AssignmentTask& task) {
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

std::string ParseAssignmentMatrix(std::string_view bytes, AssignmentTask& task) {
    try {
        const std::string text = DecodeTextFile(bytes);
        AssignmentTask read;
        read.Maximise = task.Maximise;
        if (auto fault = ReadLines(SplitLines(text), read)) return FaultText(*fault);
        task = std::move(read);
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
