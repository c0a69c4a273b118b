#pragma once

// The tables of a Word document: the cells as they were read, their places in the table's grid
// (spans of columns and rows), the widths of the columns and the height of the rows as
// estimated, and the table as WordprocessingML. Part of DocxWriter.

#include <algorithm>
#include <string>
#include <vector>

#include "documents/docx_looks.h"

namespace kargolo::docx {

constexpr int kNarrowestColumn = 200;

// What a block of a cell needs: a paragraph's lines (their widths unbroken) or a table's size.
struct BlockMeasure {
    std::vector<int> Lines;
    int LineHeight = 0;
    int Extra = 0;  // spacing around the paragraph
    int LongestWord = 0;
    bool IsTable = false;
    int TableWidth = 0;
    int TableNarrowest = 0;
    int TableHeight = 0;

    // The width that shows every line unbroken, and the least that breaks no word.
    int NaturalWidth() const {
        if (IsTable) return TableWidth;
        return Lines.empty() ? 0 : *std::max_element(Lines.begin(), Lines.end());
    }
    int NarrowestWidth() const { return IsTable ? TableNarrowest : LongestWord; }
    int Height(int textWidth) const {
        if (IsTable) return TableHeight;
        int lines = 0;
        for (const int width : Lines) lines += std::max(1, DivideUp(width, std::max(textWidth, 1)));
        return lines * LineHeight + Extra;
    }
};

struct CellBuild {
    std::string Content;
    std::vector<BlockMeasure> Blocks;
    int ColumnSpan = 1;
    int RowSpan = 1;
    std::string Fill;
    std::string VerticalAlign;
    int Narrowest = 0;  // the least width its class allows
    bool Header = false;
};

// A table as it was read: its style, the margin of its cells and its rows of cells.
struct TableContents {
    std::string Style;
    int Margin = 40;
    std::vector<std::vector<CellBuild>> Rows;
};

// A place of the table's grid: a cell, or the continuation of a cell spanning rows above.
struct Slot {
    int Column = 0;
    int Span = 1;
    const CellBuild* Cell = nullptr;
    bool Continues = false;
};

// The slots of every row, and the number of columns of the grid.
std::vector<std::vector<Slot>> PlaceCells(const std::vector<std::vector<CellBuild>>& rows,
                                          int& columns);
// The width a cell needs to show its lines unbroken, or (narrowest) to break no word.
int CellWidth(const CellBuild& cell, int margin, bool narrowest);
// The width each column of the grid needs, by CellWidth.
std::vector<int> ColumnWidths(const std::vector<std::vector<Slot>>& grid, int columns, int margin,
                              bool narrowest);
// Widths of columns that fill at most `available`: the natural ones when they fit, else the
// narrowest ones and the room left shared in proportion to what each lacks, else the narrowest
// ones squeezed.
std::vector<int> FitColumns(const std::vector<int>& narrowest, const std::vector<int>& natural,
                            int available);
// The height of the rows with columns of these widths.
int TableHeight(const std::vector<std::vector<Slot>>& grid, const std::vector<int>& widths,
                int margin);
// The XML of a table. With widths the columns have those widths (the body's tables); without,
// the table fills the cell it stands in, its columns in the proportions of natural.
std::string TableXml(const TableContents& table, const std::vector<std::vector<Slot>>& grid,
                     const std::vector<int>& natural, const std::vector<int>* widths);

}  // namespace kargolo::docx
