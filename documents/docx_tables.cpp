#include "documents/docx_tables.h"

#include <algorithm>
#include <numeric>

#include "solver/report_buffer.h"

namespace kargolo::docx {
namespace {

// The table's rows before its body: those its first row spans, or a first row of names.
std::size_t HeaderRows(const std::vector<std::vector<CellBuild>>& rows) {
    if (rows.size() < 3) return 0;
    int spanned = 1;
    bool names = rows[0].size() > 1;
    for (std::size_t k = 0; k < rows[0].size(); ++k) {
        spanned = std::max(spanned, rows[0][k].RowSpan);
        if (k > 0 && !rows[0][k].Header) names = false;
    }
    if (spanned > 1) return static_cast<std::size_t>(spanned);
    return names ? 1 : 0;
}

// A cell's properties (w:tcPr): its width when it has one, its spans, colour and alignment.
std::string CellProperties(const Slot& slot, int width) {
    const CellBuild& cell = *slot.Cell;
    std::string xml;
    if (width > 0) xml += Format("<w:tcW w:w=\"%d\" w:type=\"dxa\"/>", width);
    if (slot.Span > 1) xml += Format("<w:gridSpan w:val=\"%d\"/>", slot.Span);
    if (cell.RowSpan > 1) xml += slot.Continues ? "<w:vMerge/>" : "<w:vMerge w:val=\"restart\"/>";
    if (!cell.Fill.empty())
        xml += "<w:shd w:val=\"clear\" w:color=\"auto\" w:fill=\"" + cell.Fill + "\"/>";
    if (!cell.VerticalAlign.empty()) xml += "<w:vAlign w:val=\"" + cell.VerticalAlign + "\"/>";
    return xml.empty() ? xml : "<w:tcPr>" + xml + "</w:tcPr>";
}

}  // namespace

std::vector<std::vector<Slot>> PlaceCells(const std::vector<std::vector<CellBuild>>& rows,
                                          int& columns) {
    struct Busy {
        std::size_t Until = 0;  // the first row it no longer covers
        int Span = 1;
        const CellBuild* Cell = nullptr;
    };
    std::vector<Busy> busy;
    std::vector<std::vector<Slot>> grid(rows.size());
    columns = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        int column = 0;
        const auto skipCovered = [&](bool all) {
            while (static_cast<std::size_t>(column) < busy.size()) {
                const Busy& b = busy[static_cast<std::size_t>(column)];
                if (b.Until <= r) {
                    if (!all) return;
                    ++column;
                    continue;
                }
                grid[r].push_back({column, b.Span, b.Cell, true});
                column += b.Span;
            }
        };
        for (const CellBuild& cell : rows[r]) {
            skipCovered(false);
            grid[r].push_back({column, cell.ColumnSpan, &cell, false});
            if (busy.size() < static_cast<std::size_t>(column + cell.ColumnSpan)) {
                busy.resize(static_cast<std::size_t>(column + cell.ColumnSpan));
            }
            if (cell.RowSpan > 1)
                busy[static_cast<std::size_t>(column)] = {
                    r + static_cast<std::size_t>(cell.RowSpan), cell.ColumnSpan, &cell};
            column += cell.ColumnSpan;
        }
        skipCovered(true);
        columns = std::max({columns, column, static_cast<int>(busy.size())});
    }
    return grid;
}

int CellWidth(const CellBuild& cell, int margin, bool narrowest) {
    int width = 0;
    for (const BlockMeasure& block : cell.Blocks) {
        width = std::max(width, narrowest ? block.NarrowestWidth() : block.NaturalWidth());
    }
    return std::max({width + 2 * margin + 20, cell.Narrowest, kNarrowestColumn});
}

std::vector<int> ColumnWidths(const std::vector<std::vector<Slot>>& grid, int columns, int margin,
                              bool narrowest) {
    std::vector<int> widths(static_cast<std::size_t>(columns), kNarrowestColumn);
    for (const bool spanning : {false, true}) {
        for (const auto& row : grid) {
            for (const Slot& slot : row) {
                if (slot.Continues || (slot.Span > 1) != spanning) continue;
                const auto first = widths.begin() + slot.Column;
                const int have = std::accumulate(first, first + slot.Span, 0);
                const int need = CellWidth(*slot.Cell, margin, narrowest);
                if (need > have) {
                    for (int k = 0; k < slot.Span; ++k)
                        *(first + k) += DivideUp(need - have, slot.Span);
                }
            }
        }
    }
    return widths;
}

std::vector<int> FitColumns(const std::vector<int>& narrowest, const std::vector<int>& natural,
                            int available) {
    const std::int64_t naturalWidth =
        std::accumulate(natural.begin(), natural.end(), std::int64_t{0});
    const std::int64_t narrowestWidth =
        std::accumulate(narrowest.begin(), narrowest.end(), std::int64_t{0});
    std::vector<int> widths = natural;
    if (naturalWidth <= available) return widths;
    for (std::size_t k = 0; k < widths.size(); ++k) {
        const int least = std::min(narrowest[k], natural[k]);
        if (narrowestWidth >= available) {
            widths[k] = std::max(20, static_cast<int>(least * available /
                                                      std::max<std::int64_t>(narrowestWidth, 1)));
        } else {
            const std::int64_t lacking = natural[k] - least;
            widths[k] = least + static_cast<int>(lacking * (available - narrowestWidth) /
                                                 (naturalWidth - narrowestWidth));
        }
    }
    return widths;
}

int TableHeight(const std::vector<std::vector<Slot>>& grid, const std::vector<int>& widths,
                int margin) {
    int height = 0;
    for (const auto& row : grid) {
        int tallest = LineHeight(20);
        for (const Slot& slot : row) {
            if (slot.Continues || slot.Cell->RowSpan > 1) continue;
            const int width = std::accumulate(widths.begin() + slot.Column,
                                              widths.begin() + slot.Column + slot.Span, 0);
            int cell = 30;
            for (const BlockMeasure& block : slot.Cell->Blocks)
                cell += block.Height(width - 2 * margin);
            tallest = std::max(tallest, cell);
        }
        height += tallest;
    }
    return height;
}

std::string TableXml(const TableContents& table, const std::vector<std::vector<Slot>>& grid,
                     const std::vector<int>& natural, const std::vector<int>* widths) {
    std::string xml = "<w:tbl><w:tblPr><w:tblStyle w:val=\"" + table.Style + "\"/>";
    const std::vector<int>& columns = widths != nullptr ? *widths : natural;
    if (widths != nullptr) {
        xml += Format("<w:tblW w:w=\"%d\" w:type=\"dxa\"/><w:tblLayout w:type=\"fixed\"/>",
                      std::accumulate(columns.begin(), columns.end(), 0));
    } else {
        xml += "<w:tblW w:w=\"5000\" w:type=\"pct\"/>";
    }
    xml += "</w:tblPr><w:tblGrid>";
    for (const int width : columns) xml += Format("<w:gridCol w:w=\"%d\"/>", width);
    xml += "</w:tblGrid>";
    const std::size_t headerRows = widths != nullptr ? HeaderRows(table.Rows) : 0;
    for (std::size_t r = 0; r < grid.size(); ++r) {
        xml += "<w:tr>";
        if (widths != nullptr) {
            xml += r < headerRows ? "<w:trPr><w:cantSplit/><w:tblHeader/></w:trPr>"
                                  : "<w:trPr><w:cantSplit/></w:trPr>";
        }
        for (const Slot& slot : grid[r]) {
            const int width = widths == nullptr
                                  ? 0
                                  : std::accumulate(columns.begin() + slot.Column,
                                                    columns.begin() + slot.Column + slot.Span, 0);
            xml += "<w:tc>" + CellProperties(slot, width);
            xml += slot.Continues ? std::string("<w:p/>") : slot.Cell->Content;
            xml += "</w:tc>";
        }
        xml += "</w:tr>";
    }
    return xml + "</w:tbl>";
}

}  // namespace kargolo::docx
