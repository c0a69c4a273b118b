#pragma once

// What the task editor does to a task's grids, apart from showing them: a new task, the check
// of a cell when the cursor leaves it or Enter is pressed, inserting and deleting suppliers and
// consumers, negating the tariffs, transposing the task and keeping the two grids' supplies
// and demands alike. Addresses are (column, row) as in TaskGrids.

#include <string>

#include "documents/task_grids.h"

namespace kargolo {

enum class GridKind { Tarif, Restriction, Mandatory };

TextGrid& GridOf(TaskGrids& grids, GridKind kind);
const TextGrid& GridOf(const TaskGrids& grids, GridKind kind);

// A new task of m suppliers and n consumers: every number "0", every limit "M", corner empty.
// For the assignment problem m performers and n jobs, every supply and demand 1.
TaskGrids NewTaskGrids(int m = 3, int n = 3, TaskKind kind = TaskKind::Transport);

// What the assignment's grids hold around the matrix: every supply and demand 1, no limits and
// no mandatory shipments.
void SetUnitRims(TaskGrids& grids);

// The outcome of a cell check: whether the cursor may move on, and the message to show.
struct CellCheck {
    bool Allowed = true;
    std::string Message;
};

// Normalises the text of cell (column, row) of a grid: "m" or "М" in the limits grid, or in a
// route of the tariffs grid (a forbidden route), becomes "M"; an empty mandatory shipment stays
// empty; any other text that is no integer becomes "0". A negative limit is refused with "Число
// должно быть > 0", a negative mandatory shipment with a message of its own (the text stays).
// Used when Enter is pressed.
CellCheck CheckCell(TaskGrids& grids, GridKind grid, int column, int row);

// The check made before the cursor leaves cell (column, row) for the target cell: the same as
// CheckCell, and the corner cell can never be entered. An allowed move copies a supply or
// demand to the other grid.
CellCheck CheckLeavingCell(TaskGrids& grids, GridKind grid, int column, int row,
                           int targetColumn, int targetRow);

// Copies a supply or demand cell (last column or last row) to the other grids; other cells are
// left alone.
void MirrorRimCell(TaskGrids& grids, GridKind from, int column, int row);

// Copies every supply and demand of one grid into the other, as a page change does.
void CopyRim(TaskGrids& grids, GridKind from);

// A new supplier (tariffs and supply 0, routes unlimited, no mandatory shipments) before row
// `row`, which may be the demand row; the rows from there move down.
void InsertSupplier(TaskGrids& grids, int row);
// A new consumer before column `column`, which may be the supply column.
void InsertConsumer(TaskGrids& grids, int column);

// Deletes the supplier of row `row` (on the demand row the last row goes, and the last
// supplier's row becomes the demand row). Refused when fewer than two suppliers would remain:
// the message "Число строк или колонок таблицы должно быть больше 2" is returned, an empty text
// when the row was deleted.
std::string DeleteSupplier(TaskGrids& grids, int row);
std::string DeleteConsumer(TaskGrids& grids, int column);

// Every tariff becomes the decimal text of its negation (by the atol rule); "M" stays.
void InverseSign(TaskGrids& grids);

// Suppliers become consumers and back: route (i, j) moves to (j, i) in every grid, supplies
// become demands and demands supplies.
void Transpose(TaskGrids& grids);

// The texts of a block of grid cells (`columns` x `rows` from grid cell (column, row)) as
// tab-separated lines, as spreadsheets put them on the clipboard.
std::string CopyBlock(const TaskGrids& grids, GridKind grid, int column, int row, int columns, int rows);

// Writes a tab-separated block (lines ending in LF or CRLF, as spreadsheets put them on the
// clipboard) into a grid from grid cell (column, row) on. A block reaching past the supplies
// column or the demand row first gets consumers and suppliers inserted before them until it
// fits, so that a block whose last column holds supplies and last row demands fills the task.
// Supplies and demands go to both grids; the corner cell is left alone. Blanks around a text
// are dropped.
void PasteBlock(TaskGrids& grids, GridKind grid, int column, int row, std::string_view text);
// A whole task pasted into a new one: the grids are made anew to the block's size (its last
// column the supplies, its last row the demands, at least two suppliers and consumers), then
// the block is pasted at the first cell. A block copied with the grid's captions (its first
// line names the consumers) loses its first line and column first.
void PasteTask(TaskGrids& grids, std::string_view text);

}  // namespace kargolo
