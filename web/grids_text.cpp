#include "web/grids_text.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <vector>

namespace kargolo {
namespace {

constexpr std::string_view kHeader = "kargolo-grids";
constexpr char kMinimise[] = "min";
constexpr char kMaximise[] = "max";
// The kinds of task, in the order of TaskKind; a text without one holds a transportation task.
constexpr std::string_view kKinds[] = {"transport", "time", "assignment"};
// Far beyond any task a page can edit, but the text's own sizes are never trusted further.
constexpr long long kMostCells = 1LL << 26;

void AppendEscaped(std::string& out, std::string_view cell) {
    for (const char c : cell) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            default: out += c;
        }
    }
}

// The cells of one line, unescaped.
std::vector<std::string> SplitLine(std::string_view line) {
    std::vector<std::string> cells(1);
    for (std::size_t k = 0; k < line.size(); ++k) {
        const char c = line[k];
        if (c == '\t') {
            cells.emplace_back();
        } else if (c == '\\' && k + 1 < line.size()) {
            const char next = line[++k];
            cells.back() += next == 't' ? '\t' : next == 'n' ? '\n' : next;
        } else {
            cells.back() += c;
        }
    }
    return cells;
}

bool ReadNumber(const std::string& text, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::string GridsToText(const TaskGrids& grids) {
    std::string out(kHeader);
    out += '\t' + std::to_string(grids.Tarif.Columns()) + '\t' + std::to_string(grids.Tarif.Rows()) + '\t';
    out += grids.Goal == TaskGoal::Maximise ? kMaximise : kMinimise;
    out += '\t';
    out += kKinds[static_cast<int>(grids.Kind)];
    out += '\n';
    for (const TextGrid* grid : {&grids.Tarif, &grids.Restriction, &grids.Mandatory}) {
        for (int row = 0; row < grid->Rows(); ++row) {
            for (int column = 0; column < grid->Columns(); ++column) {
                if (column > 0) out += '\t';
                AppendEscaped(out, grid->At(column, row));
            }
            out += '\n';
        }
    }
    return out;
}

bool GridsFromText(std::string_view text, TaskGrids& grids) {
    std::vector<std::string_view> lines;
    for (std::size_t begin = 0; begin < text.size();) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string_view::npos) end = text.size();
        lines.push_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
    if (lines.empty()) return false;
    // A text kept by an earlier page has no goal and no grid of mandatory shipments.
    const std::vector<std::string> header = SplitLine(lines[0]);
    const bool earlier = header.size() == 3;
    int columns = 0;
    int rows = 0;
    const auto kind = header.size() == 5 ? std::find(std::begin(kKinds), std::end(kKinds), header[4]) : std::begin(kKinds);
    if (header.size() < 3 || header.size() > 5 || kind == std::end(kKinds) || header[0] != kHeader || !ReadNumber(header[1], columns) ||
        !ReadNumber(header[2], rows) || columns < 3 || rows < 3 ||
        static_cast<long long>(columns) * rows > kMostCells ||
        lines.size() != 1 + (earlier ? 2 : 3) * static_cast<std::size_t>(rows) ||
        (!earlier && header[3] != kMinimise && header[3] != kMaximise)) {
        return false;
    }
    TaskGrids read{TextGrid(columns, rows), TextGrid(columns, rows), TextGrid(columns, rows)};
    read.Goal = !earlier && header[3] == kMaximise ? TaskGoal::Maximise : TaskGoal::Minimise;
    read.Kind = static_cast<TaskKind>(kind - std::begin(kKinds));
    std::size_t line = 1;
    for (TextGrid* grid : {&read.Tarif, &read.Restriction, &read.Mandatory}) {
        if (earlier && grid == &read.Mandatory) {
            for (int row = 0; row < rows; ++row) {
                for (int column = 0; column < columns; ++column) grid->At(column, row) = read.Tarif.At(column, row);
            }
            for (int row = 1; row + 1 < rows; ++row) {
                for (int column = 1; column + 1 < columns; ++column) grid->At(column, row).clear();
            }
            break;
        }
        for (int row = 0; row < rows; ++row, ++line) {
            std::vector<std::string> cells = SplitLine(lines[line]);
            if (cells.size() != static_cast<std::size_t>(columns)) return false;
            for (int column = 0; column < columns; ++column) grid->At(column, row) = std::move(cells[static_cast<std::size_t>(column)]);
        }
    }
    grids = std::move(read);
    return true;
}

}  // namespace kargolo
