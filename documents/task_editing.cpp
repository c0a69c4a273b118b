#include "documents/task_editing.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>
#include <vector>

#include "documents/document_texts.h"
#include "documents/text_numbers.h"

namespace kargolo {
namespace {

constexpr char kLatinM[] = "M";
constexpr std::string_view kCyrillicUpperEm = "\xD0\x9C";  // М
constexpr std::string_view kCyrillicLowerEm = "\xD0\xBC";  // м

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool IsLetterM(std::string_view text) {
    return text == "M" || text == "m" || text == kCyrillicUpperEm || text == kCyrillicLowerEm;
}

// An optional sign and digits, within 32 bits; anything else is no integer.
std::optional<std::int32_t> StrictInteger(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

constexpr GridKind kEveryGrid[] = {GridKind::Tarif, GridKind::Restriction, GridKind::Mandatory};

// What a new route holds in each grid: tariff 0, no limit, no mandatory shipment.
const char* NewRouteText(GridKind kind) {
    switch (kind) {
        case GridKind::Tarif: return "0";
        case GridKind::Restriction: return kLatinM;
        case GridKind::Mandatory: return "";
    }
    return "";
}

bool IsCorner(const TextGrid& grid, int column, int row) {
    return column == grid.Columns() - 1 && row == grid.Rows() - 1;
}

void ClearCorners(TaskGrids& grids) {
    for (const GridKind kind : kEveryGrid) {
        TextGrid& grid = GridOf(grids, kind);
        grid.At(grid.Columns() - 1, grid.Rows() - 1).clear();
    }
}

// A grid of the given size whose cell (column, row), both from 1, is source(column, row);
// captions are left empty.
template <typename Source>
TextGrid Reshaped(int columns, int rows, Source source) {
    TextGrid result(columns, rows);
    for (int row = 1; row < rows; ++row) {
        for (int column = 1; column < columns; ++column) result.At(column, row) = source(column, row);
    }
    return result;
}

// Every grid reshaped alike: reshape(grid, the text of a new route in it).
template <typename Reshape>
void ReshapeEveryGrid(TaskGrids& grids, Reshape reshape) {
    for (const GridKind kind : kEveryGrid) {
        TextGrid& grid = GridOf(grids, kind);
        grid = reshape(grid, NewRouteText(kind));
    }
    WriteCaptions(grids);
    ClearCorners(grids);
    if (grids.Kind == TaskKind::Assignment) SetUnitRims(grids);
}

// A new supply or demand: 0, the same in every grid.
void ZeroRimCell(TaskGrids& grids, int column, int row) {
    for (const GridKind kind : kEveryGrid) GridOf(grids, kind).At(column, row) = "0";
}

}  // namespace

TextGrid& GridOf(TaskGrids& grids, GridKind kind) {
    switch (kind) {
        case GridKind::Tarif: return grids.Tarif;
        case GridKind::Restriction: return grids.Restriction;
        case GridKind::Mandatory: return grids.Mandatory;
    }
    return grids.Tarif;
}

const TextGrid& GridOf(const TaskGrids& grids, GridKind kind) {
    return GridOf(const_cast<TaskGrids&>(grids), kind);
}

TaskGrids NewTaskGrids(int m, int n, TaskKind kind) {
    TaskGrids grids = MakeTaskGrids(m, n);
    grids.Kind = kind;
    for (const GridKind kind : kEveryGrid) {
        TextGrid& grid = GridOf(grids, kind);
        for (int row = 1; row <= m; ++row) {
            for (int column = 1; column <= n; ++column) grid.At(column, row) = NewRouteText(kind);
        }
    }
    for (int row = 1; row <= m; ++row) ZeroRimCell(grids, n + 1, row);
    for (int column = 1; column <= n; ++column) ZeroRimCell(grids, column, m + 1);
    // The limits grid of a new task shows "M" in its supplies and demands too, until a change of
    // page copies them there.
    for (int row = 1; row <= m; ++row) grids.Restriction.At(n + 1, row) = kLatinM;
    for (int column = 1; column <= n; ++column) grids.Restriction.At(column, m + 1) = kLatinM;
    ClearCorners(grids);
    if (kind == TaskKind::Assignment) {
        WriteCaptions(grids);
        SetUnitRims(grids);
    }
    return grids;
}

void SetUnitRims(TaskGrids& grids) {
    const int m = grids.Suppliers();
    const int n = grids.Consumers();
    for (const GridKind kind : kEveryGrid) {
        TextGrid& grid = GridOf(grids, kind);
        for (int row = 1; row <= m; ++row) grid.At(n + 1, row) = "1";
        for (int column = 1; column <= n; ++column) grid.At(column, m + 1) = "1";
    }
    for (int row = 1; row <= m; ++row) {
        for (int column = 1; column <= n; ++column) {
            grids.Restriction.At(column, row) = kLatinM;
            grids.Mandatory.At(column, row).clear();
        }
    }
}

bool IsRimCell(const TaskGrids& grids, int column, int row) {
    return column == grids.Consumers() + 1 || row == grids.Suppliers() + 1;
}

CellCheck CheckCell(TaskGrids& grids, GridKind grid, int column, int row) {
    std::string& text = GridOf(grids, grid).At(column, row);
    const std::string_view trimmed = Trimmed(text);
    const bool route = !IsRimCell(grids, column, row);
    // "M": no limit (in any cell of the limits grid), or a forbidden route.
    if ((grid == GridKind::Restriction || (grid == GridKind::Tarif && route)) && IsLetterM(trimmed)) {
        text = kLatinM;
        return {};
    }
    if (route && grid == GridKind::Mandatory && trimmed.empty()) {
        text.clear();
        return {};
    }
    const std::int32_t value = StrictInteger(trimmed).value_or(0);
    if (value < 0 && grid == GridKind::Restriction) return {false, kLimitMustBePositive};
    if (value < 0 && route && grid == GridKind::Mandatory) return {false, kMandatoryMustNotBeNegative};
    if (value == 0) text = "0";
    return {};
}

CellCheck CheckLeavingCell(TaskGrids& grids, GridKind grid, int column, int row,
                           int targetColumn, int targetRow) {
    CellCheck check = CheckCell(grids, grid, column, row);
    if (!check.Allowed) return check;
    if (IsCorner(GridOf(grids, grid), targetColumn, targetRow)) check.Allowed = false;
    MirrorRimCell(grids, grid, column, row);
    return check;
}

void MirrorRimCell(TaskGrids& grids, GridKind from, int column, int row) {
    if (!IsRimCell(grids, column, row)) return;
    const std::string text = GridOf(grids, from).At(column, row);
    for (const GridKind kind : kEveryGrid) GridOf(grids, kind).At(column, row) = text;
}

void CopyRim(TaskGrids& grids, GridKind from) {
    const int m = grids.Suppliers();
    const int n = grids.Consumers();
    for (int row = 1; row <= m; ++row) MirrorRimCell(grids, from, n + 1, row);
    for (int column = 1; column <= n; ++column) MirrorRimCell(grids, from, column, m + 1);
}

void InsertSupplier(TaskGrids& grids, int row) {
    ReshapeEveryGrid(grids, [row](const TextGrid& old, const char* fill) {
        return Reshaped(old.Columns(), old.Rows() + 1, [&](int c, int r) {
            if (r == row) return std::string(fill);
            return old.At(c, r < row ? r : r - 1);
        });
    });
    ZeroRimCell(grids, grids.Consumers() + 1, row);
    ClearCorners(grids);
}

void InsertConsumer(TaskGrids& grids, int column) {
    ReshapeEveryGrid(grids, [column](const TextGrid& old, const char* fill) {
        return Reshaped(old.Columns() + 1, old.Rows(), [&](int c, int r) {
            if (c == column) return std::string(fill);
            return old.At(c < column ? c : c - 1, r);
        });
    });
    ZeroRimCell(grids, column, grids.Suppliers() + 1);
    ClearCorners(grids);
}

std::string DeleteSupplier(TaskGrids& grids, int row) {
    if (grids.Suppliers() <= 2) return kTooFewLines;
    ReshapeEveryGrid(grids, [row](const TextGrid& old, const char*) {
        return Reshaped(old.Columns(), old.Rows() - 1,
                        [&](int c, int r) { return old.At(c, r < row ? r : r + 1); });
    });
    return {};
}

std::string DeleteConsumer(TaskGrids& grids, int column) {
    if (grids.Consumers() <= 2) return kTooFewLines;
    ReshapeEveryGrid(grids, [column](const TextGrid& old, const char*) {
        return Reshaped(old.Columns() - 1, old.Rows(),
                        [&](int c, int r) { return old.At(c < column ? c : c + 1, r); });
    });
    return {};
}

// A forbidden route ("M") stays forbidden.
void InverseSign(TaskGrids& grids) {
    for (int row = 1; row <= grids.Suppliers(); ++row) {
        for (int column = 1; column <= grids.Consumers(); ++column) {
            std::string& text = grids.Tarif.At(column, row);
            if (text != kLatinM) text = NumberToText(-std::int64_t{TextToNumber(text)});
        }
    }
}

void Transpose(TaskGrids& grids) {
    ReshapeEveryGrid(grids, [](const TextGrid& old, const char*) {
        return Reshaped(old.Rows(), old.Columns(), [&](int c, int r) { return old.At(r, c); });
    });
}

std::string CopyBlock(const TaskGrids& grids, GridKind grid, int column, int row, int columns, int rows) {
    const TextGrid& source = GridOf(grids, grid);
    std::string text;
    for (int r = row; r < row + rows; ++r) {
        for (int c = column; c < column + columns; ++c) {
            if (c > column) text += '\t';
            text += source.At(c, r);
        }
        text += '\n';
    }
    return text;
}

namespace {

// The lines of a tab-separated block and their cells, blanks around each cell dropped; a last
// empty line (the block's final line end) is no line.
std::vector<std::vector<std::string>> ReadBlock(std::string_view text) {
    std::vector<std::vector<std::string>> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::vector<std::string>& cells = lines.emplace_back();
        for (;;) {
            const std::size_t tab = std::min(line.find('\t'), line.size());
            std::string_view cell = line.substr(0, tab);
            while (!cell.empty() && (cell.front() == ' ' || cell.front() == '\t')) cell.remove_prefix(1);
            while (!cell.empty() && cell.back() == ' ') cell.remove_suffix(1);
            cells.emplace_back(cell);
            if (tab == line.size()) break;
            line.remove_prefix(tab + 1);
        }
    }
    return lines;
}

}  // namespace

void PasteBlock(TaskGrids& grids, GridKind grid, int column, int row, std::string_view text) {
    const std::vector<std::vector<std::string>> lines = ReadBlock(text);
    int columns = 0;
    for (const auto& cells : lines) columns = std::max(columns, static_cast<int>(cells.size()));
    const int rows = static_cast<int>(lines.size());
    while (column + columns - 1 > grids.Consumers() + 1) InsertConsumer(grids, grids.Consumers() + 1);
    while (row + rows - 1 > grids.Suppliers() + 1) InsertSupplier(grids, grids.Suppliers() + 1);
    TextGrid& target = GridOf(grids, grid);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < static_cast<int>(lines[static_cast<std::size_t>(r)].size()); ++c) {
            if (IsCorner(target, column + c, row + r)) continue;
            target.At(column + c, row + r) = lines[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            MirrorRimCell(grids, grid, column + c, row + r);
        }
    }
}

namespace {

// A block copied with the grid's captions: its first line names the consumers.
bool HasCaptions(const std::vector<std::vector<std::string>>& lines) {
    return !lines.empty() && lines.front().size() > 1 && lines.front()[1].rfind("потребитель", 0) == 0;
}

// The block again as tab-separated lines, without its first line and first column.
std::string WithoutCaptions(const std::vector<std::vector<std::string>>& lines) {
    std::string text;
    for (std::size_t r = 1; r < lines.size(); ++r) {
        for (std::size_t c = 1; c < lines[r].size(); ++c) {
            if (c > 1) text += '\t';
            text += lines[r][c];
        }
        text += '\n';
    }
    return text;
}

}  // namespace

void PasteTask(TaskGrids& grids, std::string_view text) {
    const std::vector<std::vector<std::string>> lines = ReadBlock(text);
    if (HasCaptions(lines)) {
        const std::string bare = WithoutCaptions(lines);
        PasteTask(grids, bare);
        return;
    }
    int columns = 0;
    for (const auto& cells : lines) columns = std::max(columns, static_cast<int>(cells.size()));
    const TaskKind kind = grids.Kind;
    const int rim = kind == TaskKind::Assignment ? 0 : 1;  // the matrix alone has no supplies or demands
    grids = NewTaskGrids(std::max(static_cast<int>(lines.size()) - rim, 2), std::max(columns - rim, 2), kind);
    PasteBlock(grids, GridKind::Tarif, 1, 1, text);
}

}  // namespace kargolo
