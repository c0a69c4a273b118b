#pragma once

// A task while it is edited: three grids of text cells of equal size, the tariffs with supplies
// and demands (Tarif; a tariff "M" forbids its route), the route capacity limits (Restriction)
// and the mandatory shipments (Mandatory; empty or "0": none), and the goal of the task. A cell
// is addressed (column, row) from 0. For m suppliers and n consumers each grid has n + 2 columns
// and m + 2 rows: captions in row 0 and column 0, the supplies in column n + 1, the demands in
// row m + 1 and an empty corner. Numbers stay text until the task is saved or solved.

#include <string>
#include <vector>

namespace kargolo {

class TextGrid {
public:
    TextGrid() = default;
    TextGrid(int columns, int rows);

    int Columns() const { return m_columns; }
    int Rows() const { return m_rows; }
    std::string& At(int column, int row) { return m_cells[Index(column, row)]; }
    const std::string& At(int column, int row) const { return m_cells[Index(column, row)]; }

    friend bool operator==(const TextGrid&, const TextGrid&) = default;

private:
    std::size_t Index(int column, int row) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_columns) +
               static_cast<std::size_t>(column);
    }

    int m_columns = 0;
    int m_rows = 0;
    std::vector<std::string> m_cells;
};

// What the tariffs are: costs to minimise, or profits to maximise.
enum class TaskGoal { Minimise, Maximise };

// The problem the grids hold: the transportation task; the transportation task by the time
// criterion (the tariffs are times); or the assignment problem (the tariffs are the matrix of
// costs or effects, every supply and demand 1, no limits or mandatory shipments).
enum class TaskKind { Transport, Time, Assignment };

struct TaskGrids {
    TextGrid Tarif;
    TextGrid Restriction;
    TextGrid Mandatory;
    TaskGoal Goal = TaskGoal::Minimise;
    TaskKind Kind = TaskKind::Transport;

    int Suppliers() const { return Tarif.Rows() - 2; }
    int Consumers() const { return Tarif.Columns() - 2; }

    friend bool operator==(const TaskGrids&, const TaskGrids&) = default;
};

// Grids for m suppliers and n consumers with captions and every other cell empty.
TaskGrids MakeTaskGrids(int m, int n);

// Writes the captions of every grid: "поставщик A1", "потребитель B1", "Потребности",
// "Запасы груза"; for the assignment problem "исполнитель A1" and "работа B1".
void WriteCaptions(TaskGrids& grids);

}  // namespace kargolo
