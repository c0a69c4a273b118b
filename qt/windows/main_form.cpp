#include "qt/windows/main_form.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <filesystem>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "documents/method_comparison.h"
#include "documents/plan_check.h"
#include "documents/table_file.h"
#include "documents/text_task_file.h"
#include "documents/time_comparison.h"
#include "qt/windows/about_box.h"
#include "qt/windows/busy_run.h"
#include "qt/windows/help_window.h"
#include "qt/windows/plan_check_page.h"
#include "qt/windows/plan_picture_window.h"
#include "qt/windows/random_task_dialog.h"
#include "qt/windows/report_window.h"
#include "qt/windows/settings_dialog.h"
#include "qt/windows/settings_keeper.h"
#include "qt/windows/status_form.h"
#include "qt/windows/task_editor_window.h"
#include "qt/windows/window_caption.h"

namespace kargolo {
namespace {

constexpr int kCascadeStep = 28;  // pixels between cascaded windows
// How long after a report window closes its engine has let go of the page's memory.
constexpr int kReportCleanUpMs = 2000;

// Gives the memory the program has freed back to the system: a closed report's engine frees
// hundreds of megabytes in pieces that the C library would otherwise keep for later.
void ReturnFreedMemory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

}  // namespace

TMain_Form::TMain_Form(UserDialogs& dialogs, SettingsKeeper* store, QWidget* parent)
    : QMainWindow(parent),
      m_dialogs(dialogs),
      m_store(store),
      m_mdi(new QMdiArea(this)),
      m_status(new TStatusForm(this)),
      m_launcher(*m_status, dialogs) {
    setWindowTitle(QStringLiteral("КАРГОЛО"));
    if (m_store != nullptr) m_settings = m_store->load();
    setCentralWidget(m_mdi);
    createActions();
    createMenus();
    createToolBar();
    statusBar();  // shows the hint of whatever the mouse is over
    m_loadProgress = new QProgressBar(this);
    m_loadProgress->setRange(0, 100);
    m_loadProgress->setMaximumWidth(200);
    m_loadProgress->setFormat(QStringLiteral("Загрузка отчета: %p%"));
    m_loadProgress->hide();
    statusBar()->addPermanentWidget(m_loadProgress);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &TMain_Form::updateMenus);
    updateMenus();
}

// The windows closing with the frame no longer update its commands: they are gone first.
TMain_Form::~TMain_Form() { disconnect(m_mdi, nullptr, this, nullptr); }

QAction* TMain_Form::makeAction(const char* name, const QString& text, const QKeySequence& keys) {
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    return action;
}

QAction* TMain_Form::command(const QString& name) const { return findChild<QAction*>(name); }

void TMain_Form::createActions() {
    createFileActions();
    createTaskActions();
    createTableActions();
    createWindowActions();
    m_contentsAct = makeAction("Contents", QStringLiteral("&Содержание"), QKeySequence::HelpContents);
    connect(m_contentsAct, &QAction::triggered, this, &TMain_Form::ContentsClick);
    m_aboutAct = makeAction("About", QStringLiteral("&About..."));
    connect(m_aboutAct, &QAction::triggered, this, [this] { (new TAboutBox(true, this))->show(); });
}

void TMain_Form::createFileActions() {
    m_newAct = makeAction("New", QStringLiteral("&Транспортная задача"), QKeySequence::New);
    connect(m_newAct, &QAction::triggered, this, [this] { NewClick(TaskKind::Transport); });
    m_newTimeAct = makeAction("NewTime", QStringLiteral("Транспортная задача по критерию &времени"));
    m_newTimeAct->setStatusTip(QStringLiteral("В таблице - времена перевозок; ищется план, при котором самая "
                                              "долгая из используемых перевозок как можно короче"));
    connect(m_newTimeAct, &QAction::triggered, this, [this] { NewClick(TaskKind::Time); });
    m_newAssignmentAct = makeAction("NewAssignment", QStringLiteral("Задача о &назначениях"));
    m_newAssignmentAct->setStatusTip(QStringLiteral("Матрица стоимостей (или эффектов) назначения исполнителей "
                                                    "на работы; решается венгерским методом"));
    connect(m_newAssignmentAct, &QAction::triggered, this, [this] { NewClick(TaskKind::Assignment); });
    m_newMenu = new QMenu(QStringLiteral("&Создать"), this);
    m_newMenu->addActions({m_newAct, m_newTimeAct, m_newAssignmentAct});
    m_openAct = makeAction("Open", QStringLiteral("&Открыть..."), QKeySequence::Open);
    connect(m_openAct, &QAction::triggered, this, &TMain_Form::OpenClick);
    m_saveAct = makeAction("Save", QStringLiteral("Со&хранить"), QKeySequence::Save);
    connect(m_saveAct, &QAction::triggered, this, [this] { SaveClick(false); });
    m_saveAsAct = makeAction("SaveAs", QStringLiteral("Сохранить &как..."), Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    connect(m_saveAsAct, &QAction::triggered, this, [this] { SaveClick(true); });
    m_printAct = makeAction("Print", QStringLiteral("&Печать..."), QKeySequence::Print);
    connect(m_printAct, &QAction::triggered, this, [this] { if (auto* report = activeReport()) report->PrintReport(); });
    m_previewAct = makeAction("PrintPreview", QStringLiteral("Пред&варительный просмотр"));
    m_previewAct->setStatusTip(QStringLiteral("Опция доступна только для браузера версии 6.0 или выше"));
    connect(m_previewAct, &QAction::triggered, this,
            [this] { if (auto* report = activeReport()) report->PreviewReport(); });
    m_exportPdfAct = makeAction("ExportPdf", QStringLiteral("&Экспорт в PDF..."));
    m_exportPdfAct->setStatusTip(QStringLiteral("Сохранить показанную страницу отчета как документ PDF"));
    connect(m_exportPdfAct, &QAction::triggered, this,
            [this] { if (auto* report = activeReport()) report->ExportPdf(); });
    m_exportDocxAct = makeAction("ExportDocx", QStringLiteral("Экспорт в &Word (.docx)..."));
    m_exportDocxAct->setStatusTip(QStringLiteral("Сохранить весь отчет как документ Word"));
    connect(m_exportDocxAct, &QAction::triggered, this,
            [this] { if (auto* report = activeReport()) report->ExportDocx(); });
    m_closeAct = makeAction("Close1", QStringLiteral("&Закрыть"), Qt::CTRL | Qt::Key_W);
    connect(m_closeAct, &QAction::triggered, this, [this] { m_mdi->closeActiveSubWindow(); UpdateCommands(); });
    m_closeAllAct = makeAction("CloseAll1", QStringLiteral("Закрыть &все"));
    connect(m_closeAllAct, &QAction::triggered, this, [this] { closeAllChildren(); UpdateCommands(); });
    m_exitAct = makeAction("Exit", QStringLiteral("В&ыход"));
    connect(m_exitAct, &QAction::triggered, this, &QWidget::close);
}

void TMain_Form::createTaskActions() {
    m_findPlanAct = makeAction("FindPlan", QStringLiteral("Найти &опорный план"), Qt::Key_F8);
    connect(m_findPlanAct, &QAction::triggered, this, &TMain_Form::FindPlanClick);
    m_solveAct = makeAction("SolveTask", QStringLiteral("&Решить задачу"), Qt::Key_F9);
    connect(m_solveAct, &QAction::triggered, this, &TMain_Form::SolveTaskClick);
    m_settingsAct = makeAction("ProgramSettings", QStringLiteral("&Настройки"));
    connect(m_settingsAct, &QAction::triggered, this, &TMain_Form::ProgramSettingsClick);
    m_compareAct = makeAction("CompareMethods", QStringLiteral("&Сравнить методы"), Qt::SHIFT | Qt::Key_F9);
    m_compareAct->setStatusTip(QStringLiteral("Решить задачу всеми правилами опорного плана и методами улучшения и "
                                              "сравнить их в одной таблице"));
    connect(m_compareAct, &QAction::triggered, this, &TMain_Form::CompareMethodsClick);
    m_pictureAct = makeAction("PlanPicture", QStringLiteral("С&хема перевозок"), Qt::CTRL | Qt::Key_G);
    m_pictureAct->setStatusTip(QStringLiteral("Нарисовать оптимальный план отчета: поставщики, потребители и перевозки"));
    connect(m_pictureAct, &QAction::triggered, this, &TMain_Form::PlanPictureClick);
    m_randomAct = makeAction("RandomTask", QStringLiteral("Слу&чайная задача..."), Qt::CTRL | Qt::SHIFT | Qt::Key_N);
    m_randomAct->setStatusTip(QStringLiteral("Создать случайную задачу для упражнения"));
    connect(m_randomAct, &QAction::triggered, this, &TMain_Form::RandomTaskClick);
}

void TMain_Form::createTableActions() {
    m_undoAct = makeAction("Undo", QStringLiteral("&Отменить"), QKeySequence::Undo);
    connect(m_undoAct, &QAction::triggered, this, [this] { stepTask(&QUndoStack::undo); });
    m_redoAct = makeAction("Redo", QStringLiteral("&Повторить"));
    m_redoAct->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(m_redoAct, &QAction::triggered, this, [this] { stepTask(&QUndoStack::redo); });
    const auto editorAction = [this](const char* name, const char* text, QKeySequence keys,
                                     void (TTaskWithRestrictions::*command)()) {
        QAction* action = makeAction(name, QString::fromUtf8(text), keys);
        connect(action, &QAction::triggered, this, [this, command] { forActiveEditor(command); });
        return action;
    };
    m_insertRowAct = editorAction("MainInsertRow", "Добавить &строку", Qt::Key_Insert,
                                  &TTaskWithRestrictions::InsertRowClick);
    m_insertColumnAct = editorAction("MainInsertColumn", "Добавить &колонку", Qt::SHIFT | Qt::Key_Insert,
                                     &TTaskWithRestrictions::InsertColumnClick);
    m_deleteRowAct = editorAction("MainDeleteRow", "&Удалить строку", Qt::Key_Delete,
                                  &TTaskWithRestrictions::DeleteRowClick);
    m_deleteColumnAct = editorAction("MainDeleteColumn", "Удалить ко&лонку", Qt::SHIFT | Qt::Key_Delete,
                                     &TTaskWithRestrictions::DeleteColumnClick);
    m_inverseSignAct = editorAction("MainInverseSign", "&Изменить знаки тарифов", Qt::CTRL | Qt::Key_I,
                                    &TTaskWithRestrictions::InverseSignClick);
    m_transponateAct = editorAction("Transponate", "&Транспонировать", Qt::CTRL | Qt::Key_T,
                                    &TTaskWithRestrictions::TransponateClick);
    m_restrictionsAct = makeAction("ShowHideRestrictions", QStringLiteral("Решать с о&граничениями"),
                                   Qt::CTRL | Qt::Key_R);
    m_restrictionsAct->setCheckable(true);
    connect(m_restrictionsAct, &QAction::triggered, this, &TMain_Form::ShowHideRestrictionsClick);
}

void TMain_Form::createWindowActions() {
    m_tileAct = makeAction("WTile", QStringLiteral("Все &вертикально"));
    m_tileAct->setStatusTip(QStringLiteral("Tiles all child windows vertically"));
    connect(m_tileAct, &QAction::triggered, this, [this] { tile(Qt::Vertical); });
    m_tileHorizontallyAct = makeAction("WTileHorizontally", QStringLiteral("Все &горизонтально"));
    m_tileHorizontallyAct->setStatusTip(QStringLiteral("Tiles all child windows horizontally"));
    connect(m_tileHorizontallyAct, &QAction::triggered, this, [this] { tile(Qt::Horizontal); });
    m_cascadeAct = makeAction("WCascade", QStringLiteral("&Каскадом"));
    m_cascadeAct->setStatusTip(QStringLiteral("Cascades all child windows vertically"));
    connect(m_cascadeAct, &QAction::triggered, this, &TMain_Form::cascade);
}

void TMain_Form::createMenus() {
    const auto add = [this](QMenu* menu, std::initializer_list<QAction*> actions) {
        for (QAction* action : actions) {
            if (action == nullptr) {
                menu->addSeparator();
            } else {
                menu->addAction(action);
            }
        }
        connect(menu, &QMenu::aboutToShow, this, &TMain_Form::updateMenus);
    };
    add(menuBar()->addMenu(QStringLiteral("&Файл")),
        {nullptr, m_newMenu->menuAction(), m_openAct, m_saveAct, m_saveAsAct, nullptr, m_printAct, m_previewAct,
         m_exportPdfAct, m_exportDocxAct, nullptr, m_closeAct, m_closeAllAct, nullptr, m_exitAct});
    add(menuBar()->addMenu(QStringLiteral("&Задача")),
        {m_findPlanAct, m_solveAct, m_compareAct, m_pictureAct, nullptr, m_randomAct, nullptr, m_settingsAct});
    add(menuBar()->addMenu(QStringLiteral("&Таблица")),
        {m_undoAct, m_redoAct, nullptr, m_insertRowAct, m_insertColumnAct, nullptr, m_deleteRowAct,
         m_deleteColumnAct, nullptr, m_inverseSignAct, m_transponateAct, nullptr, m_restrictionsAct});
    m_windowMenu = menuBar()->addMenu(QStringLiteral("&Окно"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &TMain_Form::fillWindowMenu);
    fillWindowMenu();
    add(menuBar()->addMenu(QStringLiteral("&Помощь")), {m_contentsAct, m_aboutAct});
}

// The tool bar's buttons are actions of their own, with their own hints and enabling rules, that
// trigger the menu's commands.
void TMain_Form::createToolBar() {
    QToolBar* toolBar = addToolBar(QStringLiteral("Toolbar"));
    toolBar->setMovable(false);
    const auto button = [this, toolBar](const char* name, const char* hint, QAction* target) {
        QAction* action = makeAction(name, QString::fromUtf8(hint));
        action->setStatusTip(action->text());
        action->setToolTip(action->text());
        action->setEnabled(target->isEnabled());
        connect(action, &QAction::triggered, target, &QAction::trigger);
        toolBar->addAction(action);
        return action;
    };
    m_openButton = button("OpenButton", "Открыть файл", m_openAct);
    m_newButton = button("NewButton", "Создать файл", m_newAct);
    if (auto* newButton = qobject_cast<QToolButton*>(toolBar->widgetForAction(m_newButton))) {
        newButton->setMenu(m_newMenu);  // the arrow beside the button offers the other kinds
        newButton->setPopupMode(QToolButton::MenuButtonPopup);
    }
    m_runButton = button("RunButton", "Решить", m_solveAct);
    m_saveButton = button("SaveButton", "Сохранить файл", m_saveAct);
    m_optionsButton = button("OptionsButton", "Настройки", m_settingsAct);
    m_runButton->setEnabled(false);
    m_saveButton->setEnabled(false);
}

TMDIChildFormText* TMain_Form::lastReportWindow() const { return m_lastReport.data(); }

QList<QMdiSubWindow*> TMain_Form::children() const { return m_mdi->subWindowList(); }

QWidget* TMain_Form::activeChild() const {
    QMdiSubWindow* active = m_mdi->activeSubWindow();
    return active ? active->widget() : nullptr;
}

TTaskWithRestrictions* TMain_Form::activeEditor() const {
    return qobject_cast<TTaskWithRestrictions*>(activeChild());
}

TMDIChildFormText* TMain_Form::activeReport() const { return qobject_cast<TMDIChildFormText*>(activeChild()); }

TPlanPictureWindow* TMain_Form::activePicture() const { return qobject_cast<TPlanPictureWindow*>(activeChild()); }

void TMain_Form::updateMenus() {
    const bool anyChild = !children().isEmpty();
    TTaskWithRestrictions* editor = activeEditor();
    TMDIChildFormText* report = activeReport();
    const bool previewable = !m_browserVersion.isEmpty() && m_browserVersion.front().isDigit() &&
                             m_browserVersion.front().digitValue() >= 6;
    m_printAct->setEnabled(report != nullptr);
    m_exportPdfAct->setEnabled(report != nullptr);
    m_exportDocxAct->setEnabled(report != nullptr);
    m_previewAct->setEnabled(report != nullptr && previewable);
    for (QAction* action : {m_saveAct, m_saveAsAct, m_closeAct, m_closeAllAct}) action->setEnabled(anyChild);
    for (QAction* action : {m_findPlanAct, m_solveAct, m_compareAct, m_insertRowAct, m_insertColumnAct, m_deleteRowAct,
                            m_deleteColumnAct, m_inverseSignAct, m_transponateAct, m_restrictionsAct}) {
        action->setEnabled(editor != nullptr);
    }
    m_pictureAct->setEnabled(report != nullptr && report->planSketch().has_value());
    const bool assignment = editor != nullptr && editor->grids().Kind == TaskKind::Assignment;
    for (QAction* action : {m_findPlanAct, m_compareAct, m_restrictionsAct}) {
        action->setEnabled(editor != nullptr && !assignment);  // a matrix has no plan or limits
    }
    m_restrictionsAct->setChecked(editor != nullptr && editor->restrictionsVisible());
    const QUndoStack* steps = editor != nullptr ? editor->undoStack() : nullptr;
    const bool canUndo = steps != nullptr && steps->canUndo();
    const bool canRedo = steps != nullptr && steps->canRedo();
    m_undoAct->setEnabled(canUndo);
    m_redoAct->setEnabled(canRedo);
    m_undoAct->setStatusTip(canUndo ? QStringLiteral("Отменить: ") + steps->undoText() : QString());
    m_redoAct->setStatusTip(canRedo ? QStringLiteral("Повторить: ") + steps->redoText() : QString());
    for (QAction* action : {m_tileAct, m_tileHorizontallyAct, m_cascadeAct}) {
        action->setEnabled(m_mdi->activeSubWindow() != nullptr);
    }
    if (report != m_shownKeysOf) {  // the status line says what Ctrl+N does here
        m_shownKeysOf = report;
        if (report != nullptr) {
            statusBar()->showMessage(QStringLiteral("В окне отчета Ctrl+N передает отчет в браузер"));
        } else {
            statusBar()->clearMessage();
        }
    }
    if (report != nullptr) {
        m_runButton->setEnabled(false);  // a report window's activation
    } else {
        UpdateCommands();
    }
}

void TMain_Form::UpdateCommands() {
    bool anyEditor = false;
    for (QMdiSubWindow* child : children()) {
        anyEditor = anyEditor || qobject_cast<TTaskWithRestrictions*>(child->widget()) != nullptr;
    }
    const bool anyChild = !children().isEmpty();
    for (QAction* action : {m_saveAct, m_saveAsAct, m_closeAct, m_closeAllAct, m_saveButton}) {
        action->setEnabled(anyChild);
    }
    m_runButton->setEnabled(anyEditor);
}

// Undo or redo one step of the active task, the cell being typed finished first.
void TMain_Form::stepTask(void (QUndoStack::*step)()) {
    TTaskWithRestrictions* editor = activeEditor();
    if (editor == nullptr || !editor->finishEditing()) return;
    (editor->undoStack()->*step)();
    updateMenus();
}

QMdiSubWindow* TMain_Form::addChild(QWidget* child) {
    if (auto* editor = qobject_cast<TTaskWithRestrictions*>(child)) {
        connect(editor->undoStack(), &QUndoStack::indexChanged, this, &TMain_Form::updateMenus);
        connect(editor, &TTaskWithRestrictions::planCheckRequested, this, [this, editor] { checkStudentPlan(editor); });
        connect(editor, &TTaskWithRestrictions::solutionRequested, this, [this] { LaunchSolve(false); });
    }
    const QMdiSubWindow* active = m_mdi->activeSubWindow();
    const bool maximised = active != nullptr && active->isMaximized();
    QMdiSubWindow* window = m_mdi->addSubWindow(child);
    connect(child, &QObject::destroyed, this, [this] { QMetaObject::invokeMethod(this, &TMain_Form::updateMenus, Qt::QueuedConnection); });
    if (qobject_cast<TMDIChildFormText*>(child) != nullptr) {
        connect(child, &QObject::destroyed, this, [this] { QTimer::singleShot(kReportCleanUpMs, this, &ReturnFreedMemory); });
    }
    // The window's own menu closes it with Ctrl+W as the File menu does: one action per key.
    for (QAction* action : window->systemMenu()->actions()) {
        if (action->shortcut() == QKeySequence(QKeySequence::Close)) action->setShortcut({});
    }
    placeNewChild(window, maximised);
    m_mdi->setActiveSubWindow(window);
    updateMenus();
    return window;
}

// A new window opens wholly inside the visible area at three quarters of it, a step down and
// to the right of the one before, or maximised like the active window.
void TMain_Form::placeNewChild(QMdiSubWindow* window, bool maximised) {
    if (maximised) {
        window->showMaximized();
        return;
    }
    const QRect area = m_mdi->viewport()->rect();
    const QSize size(std::min(area.width(), std::max(area.width() * 3 / 4, 480)),
                     std::min(area.height(), std::max(area.height() * 3 / 4, 320)));
    const int step = kCascadeStep * (static_cast<int>(children().size()) - 1);
    const int x = step % std::max(area.width() - size.width() + 1, 1);
    const int y = step % std::max(area.height() - size.height() + 1, 1);
    window->setGeometry(QRect(QPoint(x, y), size.isEmpty() ? QSize(480, 320) : size));
    window->show();
}

void TMain_Form::NewClick(TaskKind kind) {
    addChild(new TTaskWithRestrictions(++m_taskWindows, m_dialogs, nullptr, kind));
}

// "Tables" beside the program, or where an installed program keeps them.
QString TMain_Form::tablesFolder() const {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    for (const QString& place : {QStringLiteral("Tables"), QStringLiteral("../share/kargolo/Tables")}) {
        const QString folder = QDir::cleanPath(programFolder.filePath(place));
        if (QFileInfo(folder).isDir()) return folder;
    }
    return QString();
}

void TMain_Form::OpenClick() {
    const FileDialogSpec spec{QStringLiteral("Открыть файл"), tablesFolder(), QString(),
                              QStringLiteral("tab"), QString::fromUtf8(TTaskWithRestrictions::openFilter())};
    const QString path = m_dialogs.openFileName(this, spec);
    if (!path.isEmpty()) openTableFile(path);
}

bool TMain_Form::openTableFile(const QString& path) {
    if (QMdiSubWindow* open = editorWindowOf(path)) {  // one editor per file: saves never cross
        m_mdi->setActiveSubWindow(open);
        return true;
    }
    TableFileContents contents;
    const std::string problem = ReadTaskFile(std::filesystem::path(path.toStdU16String()), contents);
    if (!problem.empty()) {
        m_dialogs.showMessage(this, QString::fromStdString(problem));
        return false;
    }
    auto* editor = new TTaskWithRestrictions(++m_taskWindows, m_dialogs);
    editor->setTask(contents, QFileInfo(path).absoluteFilePath());
    addChild(editor);
    return true;
}

QMdiSubWindow* TMain_Form::editorWindowOf(const QString& path) const {
    const QString file = QFileInfo(path).canonicalFilePath();
    if (file.isEmpty()) return nullptr;
    for (QMdiSubWindow* child : children()) {
        const auto* editor = qobject_cast<TTaskWithRestrictions*>(child->widget());
        if (editor != nullptr && !editor->currentFile().isEmpty() &&
            QFileInfo(editor->currentFile()).canonicalFilePath() == file) {
            return child;
        }
    }
    return nullptr;
}

void TMain_Form::SaveClick(bool saveAs) {
    if (auto* editor = activeEditor()) {
        editor->SaveTable(saveAs);
    } else if (auto* report = activeReport()) {
        report->SaveReport(saveAs);
    } else if (auto* picture = activePicture()) {
        picture->SavePicture();
    }
}

void TMain_Form::forActiveEditor(void (TTaskWithRestrictions::*command)()) {
    if (auto* editor = activeEditor()) (editor->*command)();
}

void TMain_Form::ShowHideRestrictionsClick() {
    if (auto* editor = activeEditor()) editor->ShowHideRestrictionsClick();
    updateMenus();
}

void TMain_Form::ContentsClick() {
    if (m_help == nullptr) m_help = new THelpWindow(this);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void TMain_Form::ProgramSettingsClick() {
    TSettings dialog(m_store, this);
    if (m_store == nullptr) dialog.setValues(m_settings);
    if (dialog.exec() == QDialog::Accepted) m_settings = dialog.values();
}

void TMain_Form::RandomTaskClick() {
    TRandomTaskDialog dialog(this);
    if (m_exerciseOptions) dialog.setOptions(*m_exerciseOptions);
    if (dialog.exec() != QDialog::Accepted) return;
    m_exerciseOptions = dialog.options();
    ++m_exerciseOptions->Seed;  // the next task of the dialog is another one
    if (dialog.wantsSet()) return writeVariantSet(dialog.variantSet());
    const GeneratedExercise& exercise = dialog.exercise();
    auto* editor = new TTaskWithRestrictions(++m_taskWindows, m_dialogs, nullptr, exercise.Grids.Kind);
    editor->setNewTask({exercise.Grids, exercise.Limits});
    addChild(editor);
}

void TMain_Form::writeVariantSet(const VariantSet& set) {
    const QString folder = m_dialogs.folderName(this, QStringLiteral("Папка для набора вариантов"));
    if (folder.isEmpty()) return;
    std::string problem;
    RunBusy(this, QStringLiteral("Запись набора вариантов..."),
            [&] { problem = WriteVariantSet(std::filesystem::path(folder.toStdU16String()), set, true); });
    if (!problem.empty()) return m_dialogs.showMessage(this, QString::fromStdString(problem));
    const QString greeting = QStringLiteral("Набор из %1 вариантов записан в папку %2: файлы задач, answers.csv, "
                                            "variants.html и key.html, они же в формате Word. Печать: Файл → "
                                            "Предварительный просмотр или Печать.")
                                 .arg(set.Variants.size())
                                 .arg(QDir::toNativeSeparators(folder));
    const std::pair<std::string, const char*> documents[] = {{VariantsHtml(set), kVariantsName},
                                                             {KeyHtml(set), kKeyName}};
    for (const auto& [document, name] : documents) {
        auto* report = new TMDIChildFormText(++m_reportWindows, m_dialogs);
        if (!report->FillDocument(document, false)) {
            delete report;
            return;
        }
        report->setSavedAs(QDir(folder).filePath(QString::fromLatin1(name) + QStringLiteral(".html")));
        report->showGreeting(greeting);
        addChild(report);
    }
}

void TMain_Form::checkStudentPlan(TTaskWithRestrictions* editor) {
    if (!editor->finishEditing()) return;
    PlanQuantities plan;
    std::optional<std::int64_t> statedF;
    if (std::string problem = editor->planPage()->readPlan(plan, statedF); !problem.empty()) {
        return m_dialogs.showMessage(this, QString::fromStdString(problem));
    }
    const TaskGrids grids = editor->grids();
    const bool limits = editor->restrictionsVisible();
    PlanVerdict verdict;
    RunBusy(this, QStringLiteral("Проверка плана..."), [&] { verdict = CheckPlan(grids, limits, plan, statedF); });
    if (!verdict.Refusal.empty()) return m_dialogs.showMessage(this, QString::fromStdString(verdict.Refusal));
    auto* report = new TMDIChildFormText(++m_reportWindows, m_dialogs);
    const QString name = QFileInfo(editor->caption()).fileName();
    if (!report->FillDocument(PlanCheckHtml(verdict, grids, limits, plan, name.toStdString()), false)) {
        delete report;
        return;
    }
    addChild(report);
}

void TMain_Form::CompareMethodsClick() {
    TTaskWithRestrictions* editor = activeEditor();
    if (editor == nullptr || !editor->finishEditing()) return;
    const TaskGrids grids = editor->grids();
    const bool limits = editor->restrictionsVisible();
    if (grids.Kind == TaskKind::Assignment) return;
    const std::string name = QFileInfo(editor->caption()).fileName().toStdString();
    std::string refusal;
    std::string html;
    RunBusy(this, QStringLiteral("Сравнение методов..."), [&] {
        if (grids.Kind == TaskKind::Time) {
            const TimeComparison comparison = CompareTimeRules(grids, limits);
            refusal = comparison.Refusal;
            if (refusal.empty()) html = TimeComparisonHtml(comparison, name);
        } else {
            const MethodComparison comparison = CompareMethods(grids, limits);
            refusal = comparison.Refusal;
            if (refusal.empty()) html = ComparisonHtml(comparison, name);
        }
    });
    if (!refusal.empty()) {
        m_dialogs.showMessage(this, QString::fromStdString(refusal));
        return;
    }
    auto* report = new TMDIChildFormText(++m_reportWindows, m_dialogs);
    if (!report->FillDocument(html, false)) {
        delete report;
        return;
    }
    addChild(report);
}

void TMain_Form::PlanPictureClick() {
    TMDIChildFormText* report = activeReport();
    if (report == nullptr || !report->planSketch()) return;
    const PlanSketch& sketch = *report->planSketch();
    addChild(new TPlanPictureWindow(PlanSvg(sketch), QString::fromStdString(sketch.Caption), m_dialogs));
}

void TMain_Form::SolveTaskClick() { LaunchSolve(false); }
void TMain_Form::FindPlanClick() { LaunchSolve(true); }

void TMain_Form::LaunchSolve(bool planOnly) {
    TTaskWithRestrictions* editor = activeEditor();
    if (editor == nullptr) return;
    const bool restricted = editor->restrictionsVisible();
    TMDIChildFormText* report =
        m_launcher.run(*editor, restricted, planOnly, m_settings, m_reportWindows + 1, nullptr);
    if (report == nullptr) return;
    ++m_reportWindows;
    m_lastReport = report;
    connect(report, &TMDIChildFormText::loadProgress, this, &TMain_Form::showLoadProgress);
    const bool maximised = isMaximized();
    addChild(report);
    // The first report's engine makes the platform window anew, which loses its maximised
    // state on some window managers: it is given back.
    if (maximised) {
        for (const int delay : {0, 250}) {
            QTimer::singleShot(delay, this, [this] {
                if (!isMaximized()) showMaximized();
            });
        }
    }
}

void TMain_Form::tile(Qt::Orientation orientation) {
    const QList<QMdiSubWindow*> windows = children();
    if (windows.isEmpty()) return;
    const QRect area = m_mdi->viewport()->rect();
    const int count = static_cast<int>(windows.size());
    for (int k = 0; k < count; ++k) {
        QRect place = area;
        if (orientation == Qt::Vertical) {  // one above another
            place.setTop(area.top() + k * area.height() / count);
            place.setHeight(area.height() / count);
        } else {  // side by side
            place.setLeft(area.left() + k * area.width() / count);
            place.setWidth(area.width() / count);
        }
        windows[k]->showNormal();
        windows[k]->setGeometry(place);
    }
}

// Every window a step down and to the right of the one before, as large as the steps leave
// room for, wholly inside the visible area; the active window last, in front.
void TMain_Form::cascade() {
    QList<QMdiSubWindow*> windows = children();
    if (windows.isEmpty()) return;
    if (QMdiSubWindow* active = m_mdi->activeSubWindow()) windows.move(windows.indexOf(active), windows.size() - 1);
    const QRect area = m_mdi->viewport()->rect();
    const int count = static_cast<int>(windows.size());
    const int step = std::min(kCascadeStep, std::min(area.width(), area.height()) / (2 * count));
    const QSize size(area.width() - step * (count - 1), area.height() - step * (count - 1));
    for (int k = 0; k < count; ++k) {
        windows[k]->showNormal();
        windows[k]->setGeometry(QRect(QPoint(k * step, k * step), size));
        windows[k]->raise();
    }
}

// The window commands, then every open window with the active one checked, as in Qt's MDI
// example.
void TMain_Form::fillWindowMenu() {
    m_windowMenu->clear();
    m_windowMenu->addActions({m_tileAct, m_tileHorizontallyAct, m_cascadeAct});
    const QList<QMdiSubWindow*> windows = children();
    if (!windows.isEmpty()) m_windowMenu->addSeparator();
    for (int k = 0; k < windows.size(); ++k) {
        QMdiSubWindow* window = windows[k];
        const QString number = k < 9 ? QStringLiteral("&%1").arg(k + 1) : QString::number(k + 1);
        QAction* action = m_windowMenu->addAction(number + QLatin1Char(' ') + ShownCaption(window->widget()));
        action->setCheckable(true);
        action->setChecked(window == m_mdi->activeSubWindow());
        connect(action, &QAction::triggered, this, [this, window] { m_mdi->setActiveSubWindow(window); });
    }
}

// Every child closed, each asking about its unsaved changes; with several unsaved, the first
// question also offers an answer for all.
void TMain_Form::closeAllChildren() {
    int unsaved = 0;
    for (QMdiSubWindow* child : children()) {
        if (auto* editor = qobject_cast<TTaskWithRestrictions*>(child->widget())) unsaved += editor->isSaved() ? 0 : 1;
        if (auto* report = qobject_cast<TMDIChildFormText*>(child->widget())) unsaved += report->isSaved() ? 0 : 1;
    }
    if (unsaved > 1) m_dialogs.beginClosingSeveral();
    m_mdi->closeAllSubWindows();
    m_dialogs.endClosingSeveral();
}

void TMain_Form::closeEvent(QCloseEvent* event) {
    closeAllChildren();
    if (children().isEmpty()) {
        event->accept();
    } else {
        event->ignore();
        UpdateCommands();
    }
}

// A report page loading: the bar in the status bar until it is done (-1).
void TMain_Form::showLoadProgress(int percent) {
    m_loadProgress->setVisible(percent >= 0 && percent < 100);
    if (percent >= 0) m_loadProgress->setValue(percent);
}

}  // namespace kargolo
