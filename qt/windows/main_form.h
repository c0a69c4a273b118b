#pragma once

// TMain_Form: the program's frame. It holds the task editors and report windows as MDI
// children, offers their commands in the menu and the tool bar, enables each command only where
// it applies, and launches solves.

#include <QMainWindow>
#include <QPointer>
#include <optional>

#include "documents/exercise_generator.h"
#include "documents/variant_sheets.h"
#include "qt/windows/solve_launcher.h"
#include "qt/windows/user_dialogs.h"
#include "solver/solve_state.h"

class QAction;
class QMdiArea;
class QUndoStack;
class QMdiSubWindow;
class QMenu;
class QProgressBar;

namespace kargolo {

class SettingsKeeper;
class THelpWindow;
class TMDIChildFormText;
class TPlanPictureWindow;
class TStatusForm;
class TTaskWithRestrictions;

class TMain_Form : public QMainWindow {
    Q_OBJECT
public:
    // With a store, the settings are loaded from it and the Settings command keeps them there.
    explicit TMain_Form(UserDialogs& dialogs = PlatformDialogs(), SettingsKeeper* store = nullptr,
                        QWidget* parent = nullptr);
    ~TMain_Form() override;

    // Opens a table file in a new task editor, or brings the editor that holds it already to the
    // front; false (after telling the user) when it cannot.
    bool openTableFile(const QString& path);
    TTaskWithRestrictions* activeEditor() const;
    TMDIChildFormText* activeReport() const;
    TPlanPictureWindow* activePicture() const;
    QWidget* activeChild() const;
    TMDIChildFormText* lastReportWindow() const;
    THelpWindow* helpWindow() const { return m_help; }
    QList<QMdiSubWindow*> children() const;
    // The action of the given object name ("SolveTask", "Print", "RunButton", ...), or null.
    QAction* command(const QString& name) const;
    // Re-evaluates every command for the active child, as opening a menu does.
    void updateMenus();
    SolveSettings& settings() { return m_settings; }
    void setBrowserVersion(const QString& version) { m_browserVersion = version; }
    // Where the solves learn today's date.
    void setClock(std::function<QDate()> today) { m_launcher.setClock(std::move(today)); }

public slots:
    // A new task of the kind (the ordinary transportation task unless another is chosen).
    void NewClick(TaskKind kind = TaskKind::Transport);
    void OpenClick();
    void SaveClick(bool saveAs);
    void SolveTaskClick();
    void FindPlanClick();
    void CompareMethodsClick();
    void RandomTaskClick();
    void PlanPictureClick();
    void LaunchSolve(bool planOnly);
    void UpdateCommands();
    void ProgramSettingsClick();
    void ContentsClick();

protected:
    void closeEvent(QCloseEvent* event) override;  // every child is asked first

private:
    void createActions();
    void createFileActions();
    void createTaskActions();
    void createTableActions();
    void createWindowActions();
    void createMenus();
    void createToolBar();
    QAction* makeAction(const char* name, const QString& text, const QKeySequence& keys = {});
    QMdiSubWindow* addChild(QWidget* child);
    // The window of the task editor that holds the file, or null.
    QMdiSubWindow* editorWindowOf(const QString& path) const;
    void forActiveEditor(void (TTaskWithRestrictions::*command)());
    void ShowHideRestrictionsClick();
    void tile(Qt::Orientation orientation);
    void cascade();
    void closeAllChildren();
    void stepTask(void (QUndoStack::*step)());
    void placeNewChild(QMdiSubWindow* window, bool maximised);
    void fillWindowMenu();
    void showLoadProgress(int percent);
    // The check of the plan on the editor's page "Мой план", shown in a report window.
    void checkStudentPlan(TTaskWithRestrictions* editor);
    // Writes a set of variants into a folder the user picks and shows the variants and the key.
    void writeVariantSet(const VariantSet& set);
    QString tablesFolder() const;

    UserDialogs& m_dialogs;
    SettingsKeeper* m_store;
    // The commands, shared by the menus and the keys; all owned by the window.
    QAction* m_newAct = nullptr;            // the transportation task, Ctrl+N
    QAction* m_newTimeAct = nullptr;        // by the time criterion
    QAction* m_newAssignmentAct = nullptr;  // the assignment problem
    QMenu* m_newMenu = nullptr;             // the three kinds, the transportation task first
    QAction* m_openAct = nullptr;
    QAction* m_saveAct = nullptr;
    QAction* m_saveAsAct = nullptr;
    QAction* m_printAct = nullptr;
    QAction* m_previewAct = nullptr;
    QAction* m_exportPdfAct = nullptr;
    QAction* m_exportDocxAct = nullptr;
    QAction* m_closeAct = nullptr;
    QAction* m_closeAllAct = nullptr;
    QAction* m_exitAct = nullptr;
    QAction* m_findPlanAct = nullptr;
    QAction* m_solveAct = nullptr;
    QAction* m_compareAct = nullptr;
    QAction* m_pictureAct = nullptr;
    QAction* m_randomAct = nullptr;
    QAction* m_settingsAct = nullptr;
    QAction* m_undoAct = nullptr;
    QAction* m_redoAct = nullptr;
    QAction* m_insertRowAct = nullptr;
    QAction* m_insertColumnAct = nullptr;
    QAction* m_deleteRowAct = nullptr;
    QAction* m_deleteColumnAct = nullptr;
    QAction* m_inverseSignAct = nullptr;
    QAction* m_transponateAct = nullptr;
    QAction* m_restrictionsAct = nullptr;
    QAction* m_tileAct = nullptr;
    QAction* m_tileHorizontallyAct = nullptr;
    QAction* m_cascadeAct = nullptr;
    QAction* m_contentsAct = nullptr;
    QAction* m_aboutAct = nullptr;
    // The tool bar's buttons.
    QAction* m_openButton = nullptr;
    QAction* m_newButton = nullptr;
    QAction* m_runButton = nullptr;
    QAction* m_saveButton = nullptr;
    QAction* m_optionsButton = nullptr;
    QMdiArea* m_mdi = nullptr;             // owned by the Qt parent, as is the status window
    QMenu* m_windowMenu = nullptr;
    TStatusForm* m_status = nullptr;
    SolveLauncher m_launcher;
    SolveSettings m_settings;
    QString m_browserVersion;
    std::optional<ExerciseOptions> m_exerciseOptions;  // as the random task dialog last had them
    QPointer<TMDIChildFormText> m_lastReport;
    QPointer<TMDIChildFormText> m_shownKeysOf;  // the report whose keys the status line names
    QProgressBar* m_loadProgress = nullptr;
    THelpWindow* m_help = nullptr;  // made on first use, owned by the Qt parent
    int m_taskWindows = 0;    // counters of the "Untitled<n>" captions
    int m_reportWindows = 0;
};

}  // namespace kargolo
