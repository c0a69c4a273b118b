#pragma once

// TTaskWithRestrictions: the window in which one task is entered and edited, on the pages
// "Тарифы" (tariffs, supplies, demands), "Ограничения" (route capacity limits) and
// "Обязательные поставки", with the task's goal (costs or profits) above them. It checks
// each cell as the cursor leaves it, inserts and deletes suppliers and consumers, negates the
// tariffs, transposes the task, shows or hides the limits page, tracks unsaved changes and
// asks before they are lost. A task by the time criterion has times on its first page and no
// goal or mandatory shipments; an assignment problem has only its matrix (the supplies and
// demands, all 1, stay hidden) and its goal. A page "Мой план" takes a student's plan of a
// transportation task to be checked.

#include <QWidget>

#include <array>
#include <functional>
#include <string>

#include "documents/table_file.h"
#include "documents/task_editing.h"
#include "qt/windows/user_dialogs.h"
#include "qt/windows/window_caption.h"

class QAction;
class QComboBox;
class QLayout;
class QMenu;
class QTabWidget;
class QUndoStack;

namespace kargolo {

class GridModel;
class TaskGridView;
class TPlanCheckPage;

class TTaskWithRestrictions : public QWidget {
    Q_OBJECT
public:
    // A new 3 x 3 task of the kind captioned "Untitled<number>.tab" (".csv" for an assignment).
    TTaskWithRestrictions(int number, UserDialogs& dialogs, QWidget* parent = nullptr,
                          TaskKind kind = TaskKind::Transport);

    // Puts a task read from a file into the window, which then counts as saved.
    void setTask(const TableFileContents& contents, const QString& path);
    // Puts a task made by the program (a random one) into a new window, which stays unsaved.
    void setNewTask(const TableFileContents& contents);

    const TaskGrids& grids() const { return m_grids; }
    // The file's path, or "Untitled<n>.tab" before the task has a file.
    QString caption() const { return m_name.caption(); }
    // The file the task was read from or saved to; empty while it has none.
    QString currentFile() const { return m_name.file(); }
    bool isSaved() const { return m_saved; }
    bool neverSaved() const { return m_neverSaved; }
    bool restrictionsVisible() const;

    // Finishes the cell being typed with the check of leaving it; false when it is refused.
    bool finishEditing();
    // Save (the dialog only when never saved through it) or Save As; true when written.
    bool SaveTable(bool saveAs);

    static const char* openFilter();

    // Every change to the task is a step that can be undone and redone.
    QUndoStack* undoStack() const { return m_undo; }
    // The page of the student's plan.
    TPlanCheckPage* planPage() const { return m_planPage; }
    // Costs to minimise or profits to maximise, as the switch above the pages shows.
    void setGoal(TaskGoal goal);

public slots:
    void InsertRowClick();
    void InsertColumnClick();
    void DeleteRowClick();
    void DeleteColumnClick();
    void InverseSignClick();
    void TransponateClick();
    void CopyClick();
    void PasteClick();
    void ShowHideRestrictionsClick();

signals:
    void restrictionsShownChanged(bool shown);
    // From the page "Мой план".
    void planCheckRequested();
    void solutionRequested();

protected:
    void closeEvent(QCloseEvent* event) override;  // asks before losing edits

private:
    void putTask(const TableFileContents& contents);
    // Pages, captions and commands as the kind of the task asks.
    void applyKind();
    void hideRims();
    void createPages();
    QLayout* createGoalSwitch();
    void createPopupMenu();
    TaskGridView* createGrid(GridModel* model);
    void SetRowColNames();
    void reloadGrids();
    void markChanged() { setSaved(false); }
    void setSaved(bool saved);
    bool mayLeaveCell(GridKind kind, const QModelIndex& from, const QModelIndex& to);
    void checkOnEnter(GridKind kind);
    void onCellEdited(GridKind kind, int column, int row, const QString& before);
    // Makes a change of many cells or of the task's shape one step of the undo stack; a change
    // that is none to save (transposition) leaves the saved state alone.
    void changeGrids(const QString& text, bool countsAsChange, const std::function<bool()>& change);
    void restoreGrids(const TaskGrids& grids, bool countsAsChange);
    void restoreCell(int column, int row, const std::array<std::string, 3>& texts);
    void showCellChanged(int column, int row);
    void followCleanState(bool countsAsChange);
    bool refuseWith(const std::string& refusal);
    void PageControlChange(int page);
    GridKind activeGrid() const;
    TaskGridView* activeView() const;
    bool writeTo(const QString& path);

    TaskGrids m_grids;
    UserDialogs& m_dialogs;
    DocumentName m_name;
    QTabWidget* m_pages = nullptr;  // owned by the Qt parent, as are the widgets below
    // By page: tariffs, limits, mandatory shipments (the order of GridKind).
    std::array<GridModel*, 3> m_models{};
    std::array<TaskGridView*, 3> m_views{};
    int m_shownPage = 0;  // the page shown last, whose supplies and demands the others take
    QComboBox* m_goal = nullptr;
    QWidget* m_goalLabel = nullptr;
    TPlanCheckPage* m_planPage = nullptr;
    QMenu* m_popup = nullptr;
    QAction* m_showHideRestrictions = nullptr;
    QUndoStack* m_undo = nullptr;
    bool m_stepIsChange = false;  // the step being undone or redone changed the task
    bool m_saved = false;
    bool m_neverSaved = true;
};

}  // namespace kargolo
