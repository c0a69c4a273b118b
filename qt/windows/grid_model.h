#pragma once

// One grid of a task (tariffs, limits or mandatory shipments) as a Qt table model. Row 0 and column 0 of the grid
// are its captions and become the view's headers; model cell (row, column) is grid cell
// (column + 1, row + 1). The model holds text only and does no arithmetic.

#include <QAbstractTableModel>

#include "documents/task_editing.h"

namespace kargolo {

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    GridModel(TaskGrids& grids, GridKind kind, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    GridKind kind() const { return m_kind; }
    // A cell that may hold "M": a route's limit, or a route's tariff (a forbidden route).
    bool takesM(const QModelIndex& index) const {
        return m_kind != GridKind::Mandatory && !isRim(index) && !isCorner(index);
    }
    // Grid coordinates of a model index.
    static int gridColumn(const QModelIndex& index) { return index.column() + 1; }
    static int gridRow(const QModelIndex& index) { return index.row() + 1; }
    // Tells the views that the grids were reshaped or rewritten.
    void reload();
    // Tells the views that one grid cell changed.
    void cellChanged(int column, int row);

signals:
    // A cell was typed into; `before` is its text until then.
    void cellEdited(int column, int row, const QString& before);

private:
    TextGrid& grid() const;
    bool isCorner(const QModelIndex& index) const;
    bool isRim(const QModelIndex& index) const;

    TaskGrids& m_grids;
    GridKind m_kind;
};

}  // namespace kargolo
