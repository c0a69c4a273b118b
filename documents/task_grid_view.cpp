#include "documents/task_grid_view.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

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
    m_moveRefused = true;
}

// Only the cell under the cursor is edited: a move that was refused (Tab or Enter after a
// refused entry) must not open the editor in the cell it aimed at.
bool TaskGridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (index != currentIndex()) return false;
    const bool started = QTableView::edit(index, trigger, event);
    if (started && trigger != QAbstractItemView::CurrentChanged) emit editStarted();
    return started;
}

// Enter typed in the in-place editor reaches the view before the editor's queued commit: the
// text is committed first, so that whoever hears enterPressed checks what was typed (and does
// not reload the old text into the editor, which the queued commit would then store).
void TaskGridView::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter) commitCurrentEdit();
    m_moveRefused = false;
    QTableView::keyPressEvent(event);
    // A refused move by a key leaves the highlight with the cursor, as a refused click does.
    if (m_moveRefused) selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
    if (enter) emit enterPressed();
}

// A click whose move was refused leaves the highlight with the cursor, not on the cell clicked.
void TaskGridView::mousePressEvent(QMouseEvent* event) {
    m_moveRefused = false;
    QTableView::mousePressEvent(event);
    if (m_moveRefused) selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
}

void TaskGridView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_moveRefused) QTableView::mouseMoveEvent(event);
}

void TaskGridView::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    if (m_moveRefused) selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
}

void TaskGridView::contextMenuEvent(QContextMenuEvent* event) {
    emit popupRequested(event->globalPos());
}

}  // namespace kargolo
