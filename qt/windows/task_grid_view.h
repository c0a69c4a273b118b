#pragma once

// A grid of the task editor. Before the cursor leaves a cell the view asks whether it may
// (the editor refuses a negative limit and the corner cell); an edit that starts and the Enter
// key are reported; a right click asks for the popup menu.

#include <QTableView>

#include <functional>

namespace kargolo {

// Widens every column and the row captions of a grid to their caption in bold, as the header
// shows the current line's caption (cells hold numbers, which are narrower); rows take the
// grids' common height.
void FitToCaptions(QTableView* view);

class TaskGridView : public QTableView {
    Q_OBJECT
public:
    explicit TaskGridView(QWidget* parent = nullptr);

    // Decides whether the cursor may move from `from` to `to`; set by the editor.
    std::function<bool(const QModelIndex& from, const QModelIndex& to)> mayLeaveCell;

    // Commits the text being typed in the current cell.
    void commitCurrentEdit();
    // See FitToCaptions.
    void fitToCaptions();
    // The width and height that show every cell, the headers and the frame.
    QSize wholeSize() const;

signals:
    void editStarted();
    void enterPressed();
    void popupRequested(const QPoint& globalPosition);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool m_reverting = false;
    bool m_moveRefused = false;  // the last move of the cursor was refused and undone
};

}  // namespace kargolo
