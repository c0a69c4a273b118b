#include "documents/task_grids.h"

#include "solver/report_buffer.h"

namespace kargolo {
namespace {

void WriteGridCaptions(TextGrid& grid, TaskKind kind) {
    const int m = grid.Rows() - 2;
    const int n = grid.Columns() - 2;
    const bool assignment = kind == TaskKind::Assignment;
    for (int i = 1; i <= m; ++i) grid.At(0, i) = Format("%s%d", assignment ? "исполнитель A" : "поставщик A", i);
    for (int j = 1; j <= n; ++j) grid.At(j, 0) = Format("%s%d", assignment ? "работа B" : "потребитель B", j);
    grid.At(0, m + 1) = "Потребности";
    grid.At(n + 1, 0) = "Запасы груза";
}

}  // namespace

TextGrid::TextGrid(int columns, int rows)
    : m_columns(columns),
      m_rows(rows),
      m_cells(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows)) {}

TaskGrids MakeTaskGrids(int m, int n) {
    TaskGrids grids{TextGrid(n + 2, m + 2), TextGrid(n + 2, m + 2), TextGrid(n + 2, m + 2)};
    WriteCaptions(grids);
    return grids;
}

void WriteCaptions(TaskGrids& grids) {
    WriteGridCaptions(grids.Tarif, grids.Kind);
    WriteGridCaptions(grids.Restriction, grids.Kind);
    WriteGridCaptions(grids.Mandatory, grids.Kind);
}

}  // namespace kargolo
