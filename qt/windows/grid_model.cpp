#include "qt/windows/grid_model.h"

#include <QBrush>
#include <QColor>

namespace kargolo {

GridModel::GridModel(TaskGrids& grids, GridKind kind, QObject* parent)
    : QAbstractTableModel(parent), m_grids(grids), m_kind(kind) {}

TextGrid& GridModel::grid() const {
    switch (m_kind) {
        case GridKind::Tarif: return m_grids.Tarif;
        case GridKind::Restriction: return m_grids.Restriction;
        case GridKind::Mandatory: return m_grids.Mandatory;
    }
    return m_grids.Tarif;
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid().Rows() - 1;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid().Columns() - 1;
}

bool GridModel::isCorner(const QModelIndex& index) const {
    return index.row() == rowCount() - 1 && index.column() == columnCount() - 1;
}

bool GridModel::isRim(const QModelIndex& index) const {
    return index.row() == rowCount() - 1 || index.column() == columnCount() - 1;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return QString::fromStdString(grid().At(gridColumn(index), gridRow(index)));
        case Qt::BackgroundRole:
            if (isCorner(index)) return QBrush(QColor(128, 128, 128));
            if (isRim(index)) return QBrush(QColor(170, 170, 170));
            return {};
        case Qt::ForegroundRole:
            if (m_kind == GridKind::Restriction && !isRim(index)) return QBrush(Qt::red);
            if (m_kind == GridKind::Mandatory && !isRim(index)) return QBrush(Qt::darkGreen);
            return {};
        default:
            return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || section < 0) return {};
    if (orientation == Qt::Horizontal) {
        if (section >= columnCount()) return {};
        return QString::fromStdString(grid().At(section + 1, 0));
    }
    if (section >= rowCount()) return {};
    return QString::fromStdString(grid().At(0, section + 1));
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || isCorner(index)) return Qt::NoItemFlags;  // never selectable
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    std::string& text = grid().At(gridColumn(index), gridRow(index));
    const QString before = QString::fromStdString(text);
    text = value.toString().toStdString();
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    emit cellEdited(gridColumn(index), gridRow(index), before);
    return true;
}

void GridModel::reload() {
    beginResetModel();
    endResetModel();
}

void GridModel::cellChanged(int column, int row) {
    const QModelIndex changed = index(row - 1, column - 1);
    emit dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
}

}  // namespace kargolo
