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

TextGrid& GridOf(TaskGrids& grids, GridKind kind) {
    return kind == GridKind::Tarif ? grids.Tarif : grids.Restriction;
}

bool IsCorner(const TextGrid& grid, int column, int row) {
    return column == grid.Columns() - 1 && row == grid.Rows() - 1;
}

void ClearCorners(TaskGrids& grids) {
    grids.Tarif.At(grids.Tarif.Columns() - 1, grids.Tarif.Rows() - 1).clear();
    grids.Restriction.At(grids.Restriction.Columns() - 1, grids.Restriction.Rows() - 1).clear();
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

}  // namespace

TaskGrids NewTaskGrids(int m, int n) {
    TaskGrids grids = MakeTaskGrids(m, n);
    for (int row = 1; row <= m + 1; ++row) {
        for (int column = 1; column <= n + 1; ++column) {
            grids.Tarif.At(column, row) = "0";
            grids.Restriction.At(column, row) = kLatinM;
        }
    }
    ClearCorners(grids);
    return grids;
}

CellCheck CheckCell(TaskGrids& grids, GridKind grid, int column, int row) {
    std::string& text = GridOf(grids, grid).At(column, row);
    const std::string_view trimmed = Trimmed(text);
    if (grid == GridKind::Restriction && IsLetterM(trimmed)) {
        text = kLatinM;
        return {};
    }
    const std::int32_t value = StrictInteger(trimmed).value_or(0);
    if (value < 0 && grid == GridKind::Restriction) return {false, kLimitMustBePositive};
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
    const TextGrid& source = GridOf(grids, from);
    if (column != source.Columns() - 1 && row != source.Rows() - 1) return;
    TextGrid& target = GridOf(grids, from == GridKind::Tarif ? GridKind::Restriction : GridKind::Tarif);
    target.At(column, row) = source.At(column, row);
}

void CopyRim(TaskGrids& grids, GridKind from) {
    const int m = grids.Suppliers();
    const int n = grids.Consumers();
    for (int row = 1; row <= m; ++row) MirrorRimCell(grids, from, n + 1, row);
    for (int column = 1; column <= n; ++column) MirrorRimCell(grids, from, column, m + 1);
}

void InsertSupplier(TaskGrids& grids, int row) {
    auto insert = [row](const TextGrid& old, const char* fill) {
        TextGrid grid = Reshaped(old.Columns(), old.Rows() + 1, [&](int c, int r) {
            if (r == row) return std::string(fill);
            return old.At(c, r < row ? r : r - 1);
        });
        return grid;
    };
    grids.Tarif = insert(grids.Tarif, "0");
    grids.Restriction = insert(grids.Restriction, kLatinM);
    grids.Restriction.At(grids.Restriction.Columns() - 1, row) = "0";
    WriteCaptions(grids);
    ClearCorners(grids);
}

void InsertConsumer(TaskGrids& grids, int column) {
    auto insert = [column](const TextGrid& old, const char* fill) {
        return Reshaped(old.Columns() + 1, old.Rows(), [&](int c, int r) {
            if (c == column) return std::string(fill);
            return old.At(c < column ? c : c - 1, r);
        });
    };
    grids.Tarif = insert(grids.Tarif, "0");
    grids.Restriction = insert(grids.Restriction, kLatinM);
    grids.Restriction.At(column, grids.Restriction.Rows() - 1) = "0";
    WriteCaptions(grids);
    ClearCorners(grids);
}

std::string DeleteSupplier(TaskGrids& grids, int row) {
    if (grids.Suppliers() <= 2) return kTooFewLines;
    auto remove = [row](const TextGrid& old) {
        return Reshaped(old.Columns(), old.Rows() - 1,
                        [&](int c, int r) { return old.At(c, r < row ? r : r + 1); });
    };
    grids.Tarif = remove(grids.Tarif);
    grids.Restriction = remove(grids.Restriction);
    WriteCaptions(grids);
    ClearCorners(grids);
    return {};
}

std::string DeleteConsumer(TaskGrids& grids, int column) {
    if (grids.Consumers() <= 2) return kTooFewLines;
    auto remove = [column](const TextGrid& old) {
        return Reshaped(old.Columns() - 1, old.Rows(),
                        [&](int c, int r) { return old.At(c < column ? c : c + 1, r); });
    };
    grids.Tarif = remove(grids.Tarif);
    grids.Restriction = remove(grids.Restriction);
    WriteCaptions(grids);
    ClearCorners(grids);
    return {};
}

void InverseSign(TaskGrids& grids) {
    for (int row = 1; row <= grids.Suppliers(); ++row) {
        for (int column = 1; column <= grids.Consumers(); ++column) {
            std::string& text = grids.Tarif.At(column, row);
            text = NumberToText(-std::int64_t{TextToNumber(text)});
        }
    }
}

void Transpose(TaskGrids& grids) {
    auto transposed = [](const TextGrid& old) {
        return Reshaped(old.Rows(), old.Columns(), [&](int c, int r) { return old.At(r, c); });
    };
    grids.Tarif = transposed(grids.Tarif);
    grids.Restriction = transposed(grids.Restriction);
    WriteCaptions(grids);
}

std::string CopyBlock(const TaskGrids& grids, GridKind grid, int column, int row, int columns, int rows) {
    const TextGrid& source = grid == GridKind::Tarif ? grids.Tarif : grids.Restriction;
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
    grids = NewTaskGrids(std::max(static_cast<int>(lines.size()) - 1, 2), std::max(columns - 1, 2));
    PasteBlock(grids, GridKind::Tarif, 1, 1, text);
}

}  // namespace kargolo
