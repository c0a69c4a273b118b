#include "qt/windows/task_grid_view.h"

#include <algorithm>

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace kargolo {
namespace {

constexpr int kRowHeight = 24;

}  // namespace

TaskGridView::TaskGridView(QWidget* parent) : QTableView(parent) {
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    setTabKeyNavigation(true);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
}

void FitToCaptions(QTableView* view) {
    QFont bold = view->horizontalHeader()->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    constexpr int kMargin = 20;  // the header's own margins and sort indicator room
    QAbstractItemModel* grid = view->model();
    for (int column = 0; column < grid->columnCount(); ++column) {
        const QString caption = grid->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        view->horizontalHeader()->resizeSection(column, metrics.horizontalAdvance(caption) + kMargin);
    }
    int rowCaptions = 0;
    for (int row = 0; row < grid->rowCount(); ++row) {
        const QString caption = grid->headerData(row, Qt::Vertical, Qt::DisplayRole).toString();
        rowCaptions = std::max(rowCaptions, metrics.horizontalAdvance(caption) + kMargin);
    }
    view->verticalHeader()->setMinimumWidth(rowCaptions);
    view->verticalHeader()->setDefaultSectionSize(kRowHeight);
}

void TaskGridView::fitToCaptions() { FitToCaptions(this); }

QSize TaskGridView::wholeSize() const {
    const int rowCaptions = std::max(verticalHeader()->sizeHint().width(), verticalHeader()->minimumWidth());
    const int width = rowCaptions + horizontalHeader()->length() + 2 * frameWidth();
    const int height = horizontalHeader()->sizeHint().height() + verticalHeader()->length() + 2 * frameWidth();
    return {width, height};
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
