#include "documents/text_task_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <limits>
#include <new>
#include <optional>
#include <vector>

#include "documents/assignment_file.h"
#include "documents/document_texts.h"
#include "documents/task_editing.h"
#include "documents/text_lines.h"
#include "documents/text_numbers.h"
#include "solver/report_buffer.h"

namespace kargolo {
namespace {

constexpr std::int64_t kLargestCellCount = 2147483647;
constexpr char kGoalMaximiseLine[] = "цель;максимум\n";
constexpr char kMandatoryHeaderLine[] = "\nобязательные поставки\n";

enum class ValueKind { Tariff, Supply, Demand, Limit, Mandatory };

// The number of a value, or the fault; "M" in a limit (no limit) or a tariff (a forbidden route)
// is returned as nullopt number, and so is an empty mandatory shipment (none).
struct ReadValue {
    std::optional<std::int32_t> Number;
    std::optional<std::string> Fault;
};

bool IsLetterM(std::string_view value) {
    return IsMText(value) || value == "\xD0\x9C" || value == "\xD0\xBC";
}

ReadValue ReadNumber(std::string_view value, ValueKind kind) {
    if (value.empty() && kind == ValueKind::Mandatory) return {};
    if (value.empty()) return {std::nullopt, kTextEmptyValue};
    const std::string text(value);
    if ((kind == ValueKind::Limit || kind == ValueKind::Tariff) && IsLetterM(value)) return {};
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
        if (kind == ValueKind::Mandatory) return {std::nullopt, kTextNegativeMandatory};
    }
    return {static_cast<std::int32_t>(number), std::nullopt};
}

// A line that names what follows instead of holding values: the goal of the task, or the start
// of the limits or of the mandatory shipments.
enum class Keyword { None, GoalMin, GoalMax, BadGoal, Kind, Limits, Mandatory };

Keyword KeywordOf(const DataLine& line) {
    switch (GoalOfLine(line)) {
        case LineGoal::Maximise: return Keyword::GoalMax;
        case LineGoal::Minimise: return Keyword::GoalMin;
        case LineGoal::Bad: return Keyword::BadGoal;
        case LineGoal::None: break;
    }
    const std::string text = LineWords(line);
    if (text.starts_with("вид ")) return Keyword::Kind;
    if (text.starts_with("ограничения")) return Keyword::Limits;
    if (text.starts_with("обязательные")) return Keyword::Mandatory;
    return Keyword::None;
}

// The lines of a task, found by their number of values: tariff lines have n + 1, the demand
// line and the limit and mandatory lines n.
struct TaskLines {
    TaskGoal Goal = TaskGoal::Minimise;
    std::vector<const DataLine*> Tariffs;
    const DataLine* Demands = nullptr;
    std::vector<const DataLine*> Limits;
    std::vector<const DataLine*> Mandatory;
};

// The blocks after the demand line.
enum class Block { Limits, Mandatory };

// Sorts the lines before the demand line into tariffs and demands.
std::optional<TextFault> SortTaskLine(const DataLine& line, unsigned width, TaskLines& task) {
    const unsigned n = width - 1;
    const auto count = static_cast<unsigned>(line.Values.size());
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
    return std::nullopt;
}

std::vector<const DataLine*>& LinesOf(TaskLines& task, Block block) {
    return block == Block::Limits ? task.Limits : task.Mandatory;
}

std::string ExtraLineText(Block block) {
    return block == Block::Limits ? kTextExtraLine : kTextExtraMandatoryLine;
}

std::optional<TextFault> SortBlockLine(const DataLine& line, unsigned n, TaskLines& task, Block block) {
    std::vector<const DataLine*>& lines = LinesOf(task, block);
    const auto count = static_cast<unsigned>(line.Values.size());
    if (lines.size() == task.Tariffs.size()) return TextFault{line.Number, 1, ExtraLineText(block)};
    if (count != n) {
        return TextFault{line.Number, std::min(count, n) + 1,
                         Format(block == Block::Limits ? kTextLimitsCount : kTextMandatoryCount, n)};
    }
    lines.push_back(&line);
    return std::nullopt;
}

std::optional<TextFault> CheckBlockComplete(TaskLines& task, Block block, unsigned lastLine) {
    const std::vector<const DataLine*>& lines = LinesOf(task, block);
    const std::size_t m = task.Tariffs.size();
    if (lines.empty() || lines.size() == m) return std::nullopt;
    return TextFault{lastLine + 1, 1,
                     Format(block == Block::Limits ? kTextTooFewLimitLines : kTextTooFewMandatoryLines,
                            static_cast<unsigned>(m), static_cast<unsigned>(lines.size()))};
}

std::optional<TextFault> SortLines(const std::vector<DataLine>& lines, unsigned lastLine,
                                   TaskLines& task) {
    std::size_t first = 0;
    if (!lines.empty()) {
        const Keyword goal = KeywordOf(lines.front());
        if (goal == Keyword::BadGoal) return TextFault{lines.front().Number, 2, kTextBadGoal};
        if (goal == Keyword::GoalMin || goal == Keyword::GoalMax) {
            task.Goal = goal == Keyword::GoalMax ? TaskGoal::Maximise : TaskGoal::Minimise;
            first = 1;
        }
    }
    if (first == lines.size()) return TextFault{1, 1, kTextNoTask};
    if (KeywordOf(lines[first]) == Keyword::Kind) return TextFault{lines[first].Number, 1, kTextKindFirst};
    const auto width = static_cast<unsigned>(lines[first].Values.size());
    if (width < 3) return TextFault{lines[first].Number, width + 1, kTextTooFewColumns};
    Block block = Block::Limits;
    for (std::size_t k = first; k < lines.size(); ++k) {
        const DataLine& line = lines[k];
        const Keyword keyword = KeywordOf(line);
        if (keyword == Keyword::Kind) return TextFault{line.Number, 1, kTextKindFirst};
        if (keyword != Keyword::None && (keyword != Keyword::Limits && keyword != Keyword::Mandatory)) {
            return TextFault{line.Number, 1, kTextGoalFirst};
        }
        if (keyword != Keyword::None && task.Demands == nullptr) return TextFault{line.Number, 1, kTextBlockAfterDemands};
        if (keyword == Keyword::Limits || keyword == Keyword::Mandatory) {
            block = keyword == Keyword::Mandatory ? Block::Mandatory : Block::Limits;
            if (!LinesOf(task, block).empty()) return TextFault{line.Number, 1, ExtraLineText(block)};
            continue;
        }
        std::optional<TextFault> fault = task.Demands == nullptr ? SortTaskLine(line, width, task)
                                                                 : SortBlockLine(line, width - 1, task, block);
        if (fault) return fault;
    }
    if (task.Demands == nullptr) return TextFault{lastLine + 1, 1, kTextNoDemands};
    if (auto fault = CheckBlockComplete(task, Block::Limits, lastLine)) return fault;
    return CheckBlockComplete(task, Block::Mandatory, lastLine);
}

// Reads value k of a line into a grid text; the fault when it is no value of its kind.
std::optional<TextFault> TakeValue(const DataLine& line, std::size_t k, ValueKind kind,
                                   std::string& target) {
    const ReadValue read = ReadNumber(line.Values[k], kind);
    if (read.Fault) return TextFault{line.Number, static_cast<unsigned>(k + 1), *read.Fault};
    if (read.Number) {
        target = NumberToText(*read.Number);
    } else {
        target = kind == ValueKind::Mandatory ? std::string() : std::string("M");
    }
    return std::nullopt;
}

// Reads the values of a block (limits or mandatory shipments) into a grid; without the block
// every route gets `none`.
std::optional<TextFault> FillRoutes(const std::vector<const DataLine*>& block, ValueKind kind, const char* none,
                                    TextGrid& grid, int m, int n) {
    for (int i = 0; i < m; ++i) {
        for (int j = 0; j < n; ++j) {
            std::string& target = grid.At(j + 1, i + 1);
            if (block.empty()) {
                target = none;
            } else if (auto fault = TakeValue(*block[static_cast<std::size_t>(i)], static_cast<std::size_t>(j), kind, target)) {
                return fault;
            }
        }
    }
    return std::nullopt;
}

std::optional<TextFault> FillGrids(const TaskLines& task, TableFileContents& contents) {
    const int m = static_cast<int>(task.Tariffs.size());
    const int n = static_cast<int>(task.Demands->Values.size());
    TaskGrids& grids = contents.Grids;
    grids = MakeTaskGrids(m, n);
    grids.Goal = task.Goal;
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
    }
    for (int j = 0; j < n; ++j) {
        if (auto fault = TakeValue(*task.Demands, static_cast<std::size_t>(j), ValueKind::Demand,
                                   grids.Tarif.At(j + 1, m + 1))) {
            return fault;
        }
    }
    CopyRim(grids, GridKind::Tarif);
    if (auto fault = FillRoutes(task.Limits, ValueKind::Limit, "M", grids.Restriction, m, n)) return fault;
    if (auto fault = FillRoutes(task.Mandatory, ValueKind::Mandatory, "", grids.Mandatory, m, n)) return fault;
    contents.HasLimits = false;
    for (int i = 1; i <= m; ++i) {
        for (int j = 1; j <= n; ++j) contents.HasLimits = contents.HasLimits || grids.Restriction.At(j, i) != "M";
    }
    return std::nullopt;
}

void AppendNumber(std::string& out, std::int64_t value) { out += NumberToText(value); }

}  // namespace

std::vector<TextValueLine> ReadTextValues(std::string_view bytes) {
    const std::string decoded = DecodeTextFile(bytes);
    std::vector<TextValueLine> lines;
    for (const DataLine& line : SplitLines(decoded)) {
        lines.push_back({line.Number, std::vector<std::string>(line.Values.begin(), line.Values.end())});
    }
    return lines;
}

std::string ParseTextTask(std::string_view bytes, TableFileContents& contents) {
    try {
        const std::string decoded = DecodeTextFile(bytes);
        std::vector<DataLine> lines = SplitLines(decoded);
        TaskKind kind = TaskKind::Transport;
        if (!lines.empty()) {
            bool badKind = false;
            const std::optional<TaskKind> named = KindOfLine(lines.front(), badKind);
            if (badKind) return FaultText({lines.front().Number, 2, kTextBadKind});
            if (named) lines.erase(lines.begin());
            kind = named.value_or(TaskKind::Transport);
        }
        if (kind == TaskKind::Assignment) {
            AssignmentTask matrix;
            if (auto fault = ReadAssignmentLines(lines, matrix)) return FaultText(*fault);
            contents = {AssignmentGrids(matrix), false};
            return {};
        }
        TaskLines task;
        if (auto fault = SortLines(lines, CountLines(decoded), task)) return FaultText(*fault);
        const auto m = static_cast<std::int64_t>(task.Tariffs.size());
        const auto n = static_cast<std::int64_t>(task.Demands->Values.size());
        if (m * n > kLargestCellCount) {
            return Format(kBadSizeText, static_cast<int>(m), static_cast<int>(n));
        }
        TableFileContents read;
        if (auto fault = FillGrids(task, read)) return FaultText(*fault);
        read.Grids.Kind = kind;
        contents = std::move(read);
        return {};
    } catch (const std::bad_alloc&) {
        return kOutOfMemoryText;
    }
}

std::string ReadTextTaskFile(const std::filesystem::path& path, TableFileContents& contents) {
    std::string bytes;
    if (std::string problem = ReadTextFile(path, bytes); !problem.empty()) return problem;
    return ParseTextTask(bytes, contents);
}

namespace {

bool AnyLimit(const TaskGrids& grids) {
    for (int i = 1; i <= grids.Suppliers(); ++i) {
        for (int j = 1; j <= grids.Consumers(); ++j) {
            if (!IsNoLimitText(grids.Restriction.At(j, i))) return true;
        }
    }
    return false;
}

bool AnyMandatory(const TaskGrids& grids) {
    for (int i = 1; i <= grids.Suppliers(); ++i) {
        for (int j = 1; j <= grids.Consumers(); ++j) {
            if (TextToNumber(grids.Mandatory.At(j, i)) != 0) return true;
        }
    }
    return false;
}

// The m lines of a block of route values, each written by write(text).
template <typename Write>
void AppendRoutes(std::string& out, const TextGrid& grid, Write write) {
    for (int i = 1; i <= grid.Rows() - 2; ++i) {
        for (int j = 1; j <= grid.Columns() - 2; ++j) {
            write(grid.At(j, i));
            out += j < grid.Columns() - 2 ? ';' : '\n';
        }
    }
}

}  // namespace

std::string SerializeTextTask(const TaskGrids& grids) {
    const int m = grids.Suppliers();
    const int n = grids.Consumers();
    std::string out = KindLineText(grids.Kind);
    if (grids.Goal == TaskGoal::Maximise) out += kGoalMaximiseLine;
    if (grids.Kind == TaskKind::Assignment) {
        AssignmentTask task;
        GridsToAssignment(grids, task);
        return out + SerializeAssignmentMatrix(task);
    }
    for (int i = 1; i <= m; ++i) {
        for (int j = 1; j <= n; ++j) {
            const std::string& tariff = grids.Tarif.At(j, i);
            if (IsMText(tariff)) {
                out += 'M';
            } else {
                AppendNumber(out, TextToNumber(tariff));
            }
            out += ';';
        }
        AppendNumber(out, std::llabs(TextToNumber(grids.Tarif.At(n + 1, i))));
        out += '\n';
    }
    for (int j = 1; j <= n; ++j) {
        AppendNumber(out, std::llabs(TextToNumber(grids.Tarif.At(j, m + 1))));
        out += j < n ? ';' : '\n';
    }
    if (AnyLimit(grids)) {
        out += '\n';
        AppendRoutes(out, grids.Restriction, [&out](const std::string& text) {
            if (IsNoLimitText(text)) {
                out += 'M';
            } else {
                AppendNumber(out, std::llabs(TextToNumber(text)));
            }
        });
    }
    if (AnyMandatory(grids)) {
        out += kMandatoryHeaderLine;
        AppendRoutes(out, grids.Mandatory, [&out](const std::string& text) { AppendNumber(out, TextToNumber(text)); });
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
