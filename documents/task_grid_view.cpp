#include "documents/task_grid_view.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>

namespace kargolo {

TaskGridView::TaskGridView(QWidget* parent) : QTableView(parent) {
    verticalHeader()->setDefaultSectionSize(24);
    setTabKeyNavigation(true);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
}

void TaskGridView::commitCurrentEdit() {
    if (state() != QAbstractItemView::EditingState) return;
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

// The move has happened when this runs (it commits the text typed); a refused move is undone.
void TaskGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (m_reverting || !previous.isValid() || !mayLeaveCell || mayLeaveCell(previous, current)) {
        return;
    }
    m_reverting = true;
    selectionModel()->setCurrentIndex(previous, QItemSelectionModel::ClearAndSelect);
    m_reverting = false;
}

bool TaskGridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const bool started = QTableView::edit(index, trigger, event);
    if (started && trigger != QAbstractItemView::CurrentChanged) emit editStarted();
    return started;
}

void TaskGridView::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    QTableView::keyPressEvent(event);
    if (enter) emit enterPressed();
}

void TaskGridView::contextMenuEvent(QContextMenuEvent* event) {
    emit popupRequested(event->globalPos());
}

}  // namespace kargolo
