#include "documents/text_task_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>
#include <new>
#include <optional>
#include <vector>

#include "documents/document_texts.h"
#include "documents/text_lines.h"
#include "documents/text_numbers.h"
#include "documents/windows1251.h"
#include "solver/report_buffer.h"

namespace kargolo {
namespace {

constexpr std::int64_t kLargestCellCount = 2147483647;

enum class ValueKind { Tariff, Supply, Demand, Limit };

// The number of a value, or the fault; a limit of "M" is returned as nullopt number.
struct ReadValue {
    std::optional<std::int32_t> Number;
    std::optional<std::string> Fault;
};

ReadValue ReadNumber(std::string_view value, ValueKind kind) {
    if (value.empty()) return {std::nullopt, kTextEmptyValue};
    const std::string text(value);
    if (kind == ValueKind::Limit && IsNoLimitText(value)) return {};
    if (kind == ValueKind::Limit && (value == "\xD0\x9C" || value == "\xD0\xBC")) return {};
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error == std::errc::invalid_argument || end != value.data() + value.size()) {
        return {std::nullopt, Format(kind == ValueKind::Limit ? kTextNotLimit : kTextNotNumber, text.c_str())};
    }
    if (error == std::errc::result_out_of_range || number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max()) {
        return {std::nullopt, Format(kTextOutOfRange, text.c_str())};
    }
    if (number < 0) {
        if (kind == ValueKind::Supply) return {std::nullopt, kTextNegativeSupply};
        if (kind == ValueKind::Demand) return {std::nullopt, kTextNegativeDemand};
        if (kind == ValueKind::Limit) return {std::nullopt, kTextNegativeLimit};
    }
    return {static_cast<std::int32_t>(number), std::nullopt};
}

// The lines of a task, found by their number of values: tariff lines have n + 1, the demand
// line and the limit lines n.
struct TaskLines {
    std::vector<const DataLine*> Tariffs;
    const DataLine* Demands = nullptr;
    std::vector<const DataLine*> Limits;
};

std::optional<TextFault> SortLines(const std::vector<DataLine>& lines, unsigned lastLine,
                                   TaskLines& task) {
    if (lines.empty()) return TextFault{1, 1, kTextNoTask};
    const auto width = static_cast<unsigned>(lines.front().Values.size());
    if (width < 3) return TextFault{lines.front().Number, width + 1, kTextTooFewColumns};
    const unsigned n = width - 1;
    for (const DataLine& line : lines) {
        const auto count = static_cast<unsigned>(line.Values.size());
        if (task.Demands == nullptr) {
            if (count == width) {
                task.Tariffs.push_back(&line);
            } else if (count == n) {
                if (task.Tariffs.size() < 2) return TextFault{line.Number, 1, kTextTooFewSuppliers};
                task.Demands = &line;
            } else if (count < n) {
                return TextFault{line.Number, count + 1, Format(kTextMissingValue, width, n)};
            } else {
                return TextFault{line.Number, width + 1, Format(kTextExtraValue, width)};
            }
        } else if (task.Limits.size() == task.Tariffs.size()) {
            return TextFault{line.Number, 1, kTextExtraLine};
        } else if (count != n) {
            return TextFault{line.Number, std::min(count, n) + 1, Format(kTextLimitsCount, n)};
        } else {
            task.Limits.push_back(&line);
        }
    }
    if (task.Demands == nullptr) return TextFault{lastLine + 1, 1, kTextNoDemands};
    if (!task.Limits.empty() && task.Limits.size() < task.Tariffs.size()) {
        return TextFault{lastLine + 1, 1,
                         Format(kTextTooFewLimitLines, static_cast<unsigned>(task.Tariffs.size()),
                                static_cast<unsigned>(task.Limits.size()))};
    }
    return std::nullopt;
}

// Reads value k of a line into a grid text; the fault when it is no value of its kind.
std::optional<TextFault> TakeValue(const DataLine& line, std::size_t k, ValueKind kind,
                                   std::string& target) {
    const ReadValue read = ReadNumber(line.Values[k], kind);
    if (read.Fault) return TextFault{line.Number, static_cast<unsigned>(k + 1), *read.Fault};
    target = read.Number ? NumberToText(*read.Number) : std::string("M");
    return std::nullopt;
}

std::optional<TextFault> FillGrids(const TaskLines& task, TableFileContents& contents) {
    const int m = static_cast<int>(task.Tariffs.size());
    const int n = static_cast<int>(task.Demands->Values.size());
    TaskGrids& grids = contents.Grids;
    grids = MakeTaskGrids(m, n);
    for (int i = 0; i < m; ++i) {
        const DataLine& line = *task.Tariffs[static_cast<std::size_t>(i)];
        for (int j = 0; j < n; ++j) {
            if (auto fault = TakeValue(line, static_cast<std::size_t>(j), ValueKind::Tariff,
                                       grids.Tarif.At(j + 1, i + 1))) {
                return fault;
            }
        }
        if (auto fault = TakeValue(line, static_cast<std::size_t>(n), ValueKind::Supply,
                                   grids.Tarif.At(n + 1, i + 1))) {
            return fault;
        }
        grids.Restriction.At(n + 1, i + 1) = grids.Tarif.At(n + 1, i + 1);
    }
    for (int j = 0; j < n; ++j) {
        if (auto fault = TakeValue(*task.Demands, static_cast<std::size_t>(j), ValueKind::Demand,
                                   grids.Tarif.At(j + 1, m + 1))) {
            return fault;
        }
        grids.Restriction.At(j + 1, m + 1) = grids.Tarif.At(j + 1, m + 1);
    }
    contents.HasLimits = false;
    for (int i = 0; i < m; ++i) {
        for (int j = 0; j < n; ++j) {
            std::string& limit = grids.Restriction.At(j + 1, i + 1);
            if (task.Limits.empty()) {
                limit = "M";
                continue;
            }
            if (auto fault = TakeValue(*task.Limits[static_cast<std::size_t>(i)],
                                       static_cast<std::size_t>(j), ValueKind::Limit, limit)) {
                return fault;
            }
            contents.HasLimits = contents.HasLimits || limit != "M";
        }
    }
    return std::nullopt;
}

void AppendNumber(std::string& out, std::int64_t value) { out += NumberToText(value); }

}  // namespace

std::string ParseTextTask(std::string_view bytes, TableFileContents& contents) {
    try {
        if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
        const std::string decoded = WithLfLineEnds(IsValidUtf8(bytes) ? bytes : DecodeWindows1251(bytes));
        const std::vector<DataLine> lines = SplitLines(decoded);
        TaskLines task;
        if (auto fault = SortLines(lines, CountLines(decoded), task)) return FaultText(*fault);
        const auto m = static_cast<std::int64_t>(task.Tariffs.size());
        const auto n = static_cast<std::int64_t>(task.Demands->Values.size());
        if (m * n > kLargestCellCount) {
            return Format(kBadSizeText, static_cast<int>(m), static_cast<int>(n));
        }
        TableFileContents read;
        if (auto fault = FillGrids(task, read)) return FaultText(*fault);
        contents = std::move(read);
        return {};
    } catch (const std::bad_alloc&) {
        return kOutOfMemoryText;
    }
}

std::string ReadTextTaskFile(const std::filesystem::path& path, TableFileContents& contents) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return kOpenErrorText;
    std::string bytes;
    try {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::bad_alloc&) {
        return kOutOfMemoryText;
    }
    if (in.bad()) return kReadErrorText;
    return ParseTextTask(bytes, contents);
}

std::string SerializeTextTask(const TaskGrids& grids) {
    const int m = grids.Suppliers();
    const int n = grids.Consumers();
    std::string out;
    for (int i = 1; i <= m; ++i) {
        for (int j = 1; j <= n; ++j) {
            AppendNumber(out, TextToNumber(grids.Tarif.At(j, i)));
            out += ';';
        }
        AppendNumber(out, std::llabs(TextToNumber(grids.Tarif.At(n + 1, i))));
        out += '\n';
    }
    for (int j = 1; j <= n; ++j) {
        AppendNumber(out, std::llabs(TextToNumber(grids.Tarif.At(j, m + 1))));
        out += j < n ? ';' : '\n';
    }
    bool limited = false;
    for (int i = 1; i <= m && !limited; ++i) {
        for (int j = 1; j <= n && !limited; ++j) limited = !IsNoLimitText(grids.Restriction.At(j, i));
    }
    if (!limited) return out;
    out += '\n';
    for (int i = 1; i <= m; ++i) {
        for (int j = 1; j <= n; ++j) {
            const std::string& text = grids.Restriction.At(j, i);
            if (IsNoLimitText(text)) {
                out += 'M';
            } else {
                AppendNumber(out, std::llabs(TextToNumber(text)));
            }
            out += j < n ? ';' : '\n';
        }
    }
    return out;
}

TableFileResult WriteTextTaskFile(const std::filesystem::path& path, const TaskGrids& grids) {
    std::string text;
    try {
        text = SerializeTextTask(grids);
    } catch (const std::bad_alloc&) {
        return {TableFileStatus::OutOfMemory};
    }
    return WriteTaskBytes(path, text);
}

bool IsTextTaskPath(const std::filesystem::path& path) {
    const std::u8string extension = path.extension().u8string();
    return extension.size() == 4 && extension[0] == u8'.' &&
           std::tolower(extension[1]) == 'c' && std::tolower(extension[2]) == 's' &&
           std::tolower(extension[3]) == 'v';
}

std::string ReadTaskFile(const std::filesystem::path& path, TableFileContents& contents) {
    if (IsTextTaskPath(path)) return ReadTextTaskFile(path, contents);
    return FileErrorText(ReadTableFile(path, contents));
}

TableFileResult WriteTaskFile(const std::filesystem::path& path, const TaskGrids& grids) {
    return IsTextTaskPath(path) ? WriteTextTaskFile(path, grids) : WriteTableFile(path, grids);
}

}  // namespace kargolo
