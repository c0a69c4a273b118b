#include <QAbstractButton>
#include <QComboBox>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QFile>
#include <QMessageBox>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QTreeView>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <QtTest>

#include <memory>

#include "documents/windows1251.h"
#include "solver/method_texts.h"
#include "solver/restricted_texts.h"
#include "qt/windows/main_form.h"
#include "qt/windows/plan_picture_window.h"
#include "qt/windows/random_task_dialog.h"
#include "qt/windows/report_window.h"
#include "qt/windows/status_form.h"
#include "qt/windows/task_editor_window.h"
#include "tests/qt/windows/scripted_dialogs.h"

namespace kargolo::testing {

// Whether the view shows anything but a blank page.
bool ShowsSomething(QWidget& view) {
    const QImage image = view.grab().toImage();
    for (int y = 0; y < image.height(); y += 4) {
        for (int x = 0; x < image.width(); x += 4) {
            if (image.pixel(x, y) != image.pixel(0, 0)) return true;
        }
    }
    return false;
}

class MainFormTest : public QObject {
    Q_OBJECT
private slots:
    void enablesTaskCommandsOnlyForATaskEditor();
    void solvesTheActiveTaskIntoANewReportWindow();
    void numbersTaskAndReportWindowsApart();
    void opensAFileInOneEditorOnly();
    void greetsOnTheTwentyThirdOfNovemberBesideTheReport();
    void handsTheReportToTheBrowserWithCtrlNWhereverItsFocusIs();
    void savesTheReportInWindows1251();
    void asksEveryChildBeforeExiting();
    void answersEveryClosingWindowAtOnce();
    void showsStatusLinesAsTheyCome();
    void asksTheRunToStopFromTheStatusWindow();
    void opensAndCascadesWindowsInsideTheVisibleArea();
    void listsTheOpenWindowsInTheWindowMenu();
    void closesTheActiveWindowWithCtrlW();
    void undoesAndRedoesInTheActiveTask();
    void comparesTheMethodsOfATextTask();
    void makesRandomTasksFromTheDialog();
    void drawsAndSavesThePlanOfAReport();
    void offersTheThreeKindsOfTaskTheTransportationTaskFirst();
    void solvesEachKindIntoItsOwnReport();
    void makesRandomTasksOfEachKind();
};

void MainFormTest::enablesTaskCommandsOnlyForATaskEditor() {
    ScriptedDialogs dialogs;
    TMain_Form form(dialogs);
    QVERIFY(!form.command("SolveTask")->isEnabled());
    QVERIFY(!form.command("Save")->isEnabled());
    QVERIFY(!form.command("RunButton")->isEnabled());
    form.NewClick();
    QVERIFY(form.activeEditor() != nullptr);
    for (const char* name : {"SolveTask", "FindPlan", "MainInsertRow", "Transponate", "Save",
                             "RunButton", "SaveButton"}) {
        QVERIFY2(form.command(name)->isEnabled(), name);
    }
    QVERIFY(!form.command("Print")->isEnabled());
    QVERIFY(!form.command("ShowHideRestrictions")->isChecked());
    form.command("ShowHideRestrictions")->trigger();
    QVERIFY(form.activeEditor()->restrictionsVisible());
    QVERIFY(form.command("ShowHideRestrictions")->isChecked());
}

void MainFormTest::solvesTheActiveTaskIntoANewReportWindow() {
    ScriptedDialogs dialogs;
    TMain_Form form(dialogs);
    form.resize(1000, 700);
    form.show();
    form.setBrowserVersion(QStringLiteral("6.4"));
    QVERIFY(form.openTableFile(QStringLiteral(KARGOLO_SOURCE_DIR "/examples/tables/closed-3x4.tab")));
    form.SolveTaskClick();
    TMDIChildFormText* report = form.lastReportWindow();
    QVERIFY(report != nullptr);
    QCOMPARE(report->caption(), QStringLiteral("Untitled1.html"));
    QCOMPARE(form.activeReport(), report);
    QVERIFY(form.command("Print")->isEnabled());
    QVERIFY(form.command("PrintPreview")->isEnabled());
    QVERIFY(!form.command("SolveTask")->isEnabled());
    QVERIFY(!form.command("RunButton")->isEnabled());
    QVERIFY(report->waitUntilLoaded());
    // The engine has painted the report, not only loaded it.
    auto* view = report->findChild<QWebEngineView*>();
    QVERIFY(QTest::qWaitFor([view] { return ShowsSomething(*view); }, 20000));
    const QString html = report->currentHtml();
    QVERIFY(html.contains(QStringLiteral("Решаем задачу методом потенциалов")));
    QVERIFY(html.contains(QStringLiteral("Целевая функция F= 445")));
    form.setBrowserVersion(QStringLiteral("5.0"));
    form.updateMenus();
    QVERIFY(!form.command("PrintPreview")->isEnabled());
}

void MainFormTest::numbersTaskAndReportWindowsApart() {
    ScriptedDialogs dialogs;
    TMain_Form form(dialogs);
    form.NewClick();
    QVERIFY(form.openTableFile(QStringLiteral(KARGOLO_SOURCE_DIR "/examples/tables/open-surplus-3x3.tab")));
    QCOMPARE(form.activeEditor()->caption(),
             QFileInfo(QStringLiteral(KARGOLO_SOURCE_DIR "/examples/tables/open-surplus-3x3.tab"))
                 .absoluteFilePath());
    form.FindPlanClick();
    QCOMPARE(form.lastReportWindow()->caption(), QStringLiteral("Untitled1.html"));
    form.NewClick();  // the opened file took number 2
    QCOMPARE(form.activeEditor()->caption(), QStringLiteral("Untitled3.tab"));
    form.SolveTaskClick();
    QCOMPARE(form.lastReportWindow()->caption(), QStringLiteral("Untitled2.html"));
}

// Two editors of one file would overwrite each other's saves: a second Open of the file, by
// another name of it too, brings its editor to the front instead.
void MainFormTest::opensAFileInOneEditorOnly() {
    QTemporaryDir folder;
    const QString task = folder.filePath(QStringLiteral("задача.tab"));
    const QString link = folder.filePath(QStringLiteral("ссылка.tab"));
    QVERIFY(QFile::copy(QStringLiteral(KARGOLO_SOURCE_DIR "/examples/tables/closed-3x4.tab"), task));
    QVERIFY(QFile::link(task, link));
    ScriptedDialogs dialogs;
    TMain_Form form(dialogs);
    QVERIFY(form.openTableFile(task));
    TTaskWithRestrictions* editor = form.activeEditor();
    QCOMPARE(editor->currentFile(), task);
    form.NewClick();
    QVERIFY(form.openTableFile(link));
    QCOMPARE(form.activeEditor(), editor);
    QVERIFY(form.openTableFile(folder.filePath(QStringLiteral("./задача.tab"))));
    QCOMPARE(form.children().size(), 2);
}

// On 23 November the report used to be replaced by a greeting page, the computed report lost.
// Now the report is shown as on any day, the greeting in a line above it that can be closed.
void MainFormTest::greetsOnTheTwentyThirdOfNovemberBesideTheReport() {
    ScriptedDialogs dialogs;
    TMain_Form form(dialogs);
    form.show();
    QDate today(2026, 11, 23);
    form.setClock([&today] { return today; });
    QVERIFY(form.openTableFile(QStringLiteral(KARGOLO_SOURCE_DIR "/examples/tables/closed-3x4.tab")));
    form.SolveTaskClick();
    TMDIChildFormText* report = form.lastReportWindow();
    QVERIFY(report->waitUntilLoaded());
    QVERIFY(report->currentHtml().contains(QStringLiteral("Целевая функция F= 445")));
    auto* greeting = report->findChild<QWidget*>(QStringLiteral("greetingBanner"));
    QVERIFY(greeting->isVisible());
    QTest::mouseClick(greeting->findChild<QPushButton*>(), Qt::LeftButton);
    QVERIFY(!greeting->isVisible());
    QVERIFY(report->currentHtml().contains(QStringLiteral("Целевая функция F= 445")));

    today = QDate(2026, 11, 24);
    form.activateWindow();
    QVERIFY(form.openTableFile(QStringLiteral(KARGOLO_SOURCE_DIR "/examples/tables/closed-3x4.csv")));
    form.SolveTaskClick();
    QVERIFY(form.lastReportWindow() != report);
    QVERIFY(!form.lastReportWindow()->findChild<QWidget*>(QStringLiteral("greetingBanner"))->isVisible());
}

// Ctrl+N used to create a task or hand the report to the browser depending on which part of the
// report window had the focus. Inside a report window it hands the report over; elsewhere it
// makes a new task. A hand-over that fails says so.
void MainFormTest::handsTheReportToTheBrowserWithCtrlNWhereverItsFocusIs() {
    ScriptedDialogs dialogs;
    TMain_Form form(dialogs);
    form.resize(1000, 700);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QVERIFY(form.openTableFile(QStringLiteral(KARGOLO_SOURCE_DIR "/examples/tables/closed-3x4.tab")));
    form.SolveTaskClick();
    TMDIChildFormText* report = form.lastReportWindow();
    QVERIFY(report->waitUntilLoaded());
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QStringList handedOver;
    report->setBrowser([&handedOver](const QString& path, const std::function<void()>& failed) {
        handedOver << path;
        if (handedOver.size() == 4) failed();
    });
    const auto pressCtrlN = [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier); };
    auto* view = report->findChild<QWebEngineView*>();
    auto* navigator = report->findChild<QTreeView*>();
    QWidget* frame = report->parentWidget();
    for (QWidget* focus : {static_cast<QWidget*>(view), static_cast<QWidget*>(navigator), frame}) {
        focus->setFocus();
        QTRY_VERIFY(QApplication::focusWidget() != nullptr && frame->isAncestorOf(QApplication::focusWidget()));
        pressCtrlN();
    }
    QCOMPARE(handedOver.size(), 3);
    QCOMPARE(form.children().size(), 2);  // no new task
    QVERIFY(QFileInfo(handedOver.front()).size() > 0);
    dialogs.Messages.clear();
    pressCtrlN();
    QCOMPARE(dialogs.Messages.size(), 1);
    QVERIFY(dialogs.Messages.front().startsWith(QStringLiteral("Не удалось открыть отчет в браузере")));
    form.openTableFile(QStringLiteral(KARGOLO_SOURCE_DIR "/examples/tables/closed-3x4.tab"));
    form.activeEditor()->setFocus();
    pressCtrlN();
    QCOMPARE(handedOver.size(), 4);
    QCOMPARE(form.children().size(), 3);  // a new task
}

void MainFormTest::savesTheReportInWindows1251() {
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    TMain_Form form(dialogs);
    form.NewClick();
    form.SolveTaskClick();
    TMDIChildFormText* report = form.lastReportWindow();
    QVERIFY(report->waitUntilLoaded());
    const QString path = folder.filePath(QStringLiteral("report.html"));
    dialogs.SavePaths = {path};
    form.SaveClick(false);
    QCOMPARE(dialogs.SaveTitles, QStringList{QStringLiteral("Сохранить")});
    QCOMPARE(dialogs.SaveNames, QStringList{QStringLiteral("Untitled1.html")});
    QVERIFY(report->isSaved());
    QCOMPARE(report->caption(), path);
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    QVERIFY(bytes.contains(QByteArray::fromStdString(EncodeWindows1251("Транспортная задача имеет закрытый тип"))));
    QVERIFY(bytes.contains("charset=windows-1251"));
}

void MainFormTest::asksEveryChildBeforeExiting() {
    ScriptedDialogs dialogs;
    TMain_Form form(dialogs);
    form.NewClick();
    form.activeEditor()->InsertRowClick();
    form.NewClick();
    form.activeEditor()->InsertRowClick();
    dialogs.Answers = {Answer::No, Answer::Cancel};
    QVERIFY(!form.close());
    QCOMPARE(dialogs.Questions.size(), 2);
    QCOMPARE(form.children().size(), 1);
    dialogs.Answers = {Answer::No};
    QVERIFY(form.close());
    QCOMPARE(dialogs.OfferedForAll, (QList<bool>{true, true, false}));  // one unsaved left at last
}

// "Нет для всех" at the first of three questions closes every window without asking again;
// one unsaved window is asked without the answers for all.
void MainFormTest::answersEveryClosingWindowAtOnce() {
    ScriptedDialogs dialogs;
    TMain_Form form(dialogs);
    for (int k = 0; k < 3; ++k) {
        form.NewClick();
        form.activeEditor()->InsertRowClick();
    }
    dialogs.Answers = {Answer::NoToAll};
    form.command("CloseAll1")->trigger();
    QCOMPARE(dialogs.Questions.size(), 1);
    QVERIFY(form.children().isEmpty());
    form.NewClick();
    form.activeEditor()->InsertRowClick();
    dialogs.Answers = {Answer::No};
    QVERIFY(form.close());
    QCOMPARE(dialogs.OfferedForAll, (QList<bool>{true, false}));
}

void MainFormTest::showsStatusLinesAsTheyCome() {
    TStatusForm status;
    StatusFormHooks hooks(status);
    status.setText(QStringLiteral("Статус выполнения:"));
    hooks.AddStatusLine(" ");
    hooks.ReplaceStatusLine("Вывод таблицы: строка 1 из 3");
    hooks.ReplaceStatusLine("Вывод таблицы: строка 3 из 3");
    hooks.AddStatusLine("Находим опорный план");
    QCOMPARE(status.text(), QStringLiteral("Статус выполнения:\nВывод таблицы: строка 3 из 3\n"
                                           "Находим опорный план"));
    // At 1000x1000 the degeneracy line used to be wider than the window and was cut.
    status.show();
    hooks.AddStatusLine(Format(kStatusDegenerate, 1982u, 1999u));
    hooks.AddStatusLine(kStatusRestrictedMethod);
    const auto* text = status.findChild<QPlainTextEdit*>();
    QVERIFY(QTest::qWaitForWindowExposed(&status));
    for (QTextBlock line = text->document()->begin(); line.isValid(); line = line.next()) {
        QCOMPARE(line.layout()->lineCount(), 1);
    }
    // The window used to stay on its first lines for the whole of a long run.
    for (int k = 0; k < 50; ++k) hooks.AddStatusLine(Format("Этап %d", k));
    QTest::qWait(50);
    hooks.AddStatusLine("Решение завершено");
    QCOMPARE(text->verticalScrollBar()->value(), text->verticalScrollBar()->maximum());
}

// "Прервать" and Esc ask the run to stop (the window stays until the run ends); a new run
// starts without the request.
void MainFormTest::asksTheRunToStopFromTheStatusWindow() {
    TStatusForm status;
    StatusFormHooks hooks(status);
    status.startRun(QStringLiteral("Статус выполнения:"));
    QVERIFY(status.isVisible());
    QVERIFY(!hooks.StopRequested());
    QPushButton* stop = status.findChild<QPushButton*>();
    QCOMPARE(stop->text(), QStringLiteral("Прервать"));
    QTest::mouseClick(stop, Qt::LeftButton);
    QVERIFY(hooks.StopRequested());
    QVERIFY(status.text().endsWith(QStringLiteral("Решение будет прервано перед следующим этапом")));
    status.startRun(QStringLiteral("Статус выполнения:"));
    QVERIFY(!hooks.StopRequested());
    QTest::keyClick(&status, Qt::Key_Escape);
    QVERIFY(hooks.StopRequested());
    QVERIFY(status.isVisible());
}

// Twelve new windows, then a cascade: every window wholly inside the area, none shrunk to a
// stamp; a window opened while the active one is maximised is maximised too.
void MainFormTest::opensAndCascadesWindowsInsideTheVisibleArea() {
    ScriptedDialogs dialogs;
    TMain_Form form(dialogs);
    form.resize(1000, 700);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* area = form.findChild<QMdiArea*>();
    const QRect visible = area->viewport()->rect();
    for (int k = 0; k < 12; ++k) form.NewClick();
    for (QMdiSubWindow* window : form.children()) QVERIFY(visible.contains(window->geometry()));
    // The active window used to end up behind the others, where a click could not raise it.
    QMdiSubWindow* active = form.children().first();
    area->setActiveSubWindow(active);
    form.command("WCascade")->trigger();
    for (QMdiSubWindow* window : form.children()) {
        QVERIFY(visible.contains(window->geometry()));
        QVERIFY(window->width() >= visible.width() / 2 && window->height() >= visible.height() / 2);
    }
    QCOMPARE(area->subWindowList(QMdiArea::StackingOrder).last(), active);
    QCOMPARE(area->activeSubWindow(), active);
    form.children().last()->showMaximized();
    form.NewClick();
    QVERIFY(form.children().last()->isMaximized());
}

void MainFormTest::listsTheOpenWindowsInTheWindowMenu() {
    ScriptedDialogs dialogs;
    TMain_Form form(dialogs);
    form.show();
    form.NewClick();
    form.NewClick();
    QMenu* menu = nullptr;
    for (QAction* action : form.menuBar()->actions()) {
        if (action->text() == QStringLiteral("&Окно")) menu = action->menu();
    }
    QVERIFY(menu != nullptr);
    emit menu->aboutToShow();
    QStringList titles;
    QStringList checked;
    for (QAction* action : menu->actions()) {
        if (!action->isCheckable()) continue;
        titles << action->text();
        if (action->isChecked()) checked << action->text();
    }
    // New tasks count as unsaved: their titles carry the mark.
    QCOMPARE(titles, (QStringList{QStringLiteral("&1 Untitled1.tab*"), QStringLiteral("&2 Untitled2.tab*")}));
    QCOMPARE(checked, QStringList{QStringLiteral("&2 Untitled2.tab*")});
    for (QAction* action : menu->actions()) {
        if (action->text() == QStringLiteral("&1 Untitled1.tab*")) action->trigger();
    }
    QCOMPARE(form.activeEditor()->caption(), QStringLiteral("Untitled1.tab"));
}

// One action answers Ctrl+W: the File menu's Close (the windows' own menus give it up).
void MainFormTest::closesTheActiveWindowWithCtrlW() {
    ScriptedDialogs dialogs;
    TMain_Form form(dialogs);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.NewClick();
    form.NewClick();
    form.activeEditor()->InsertRowClick();
    dialogs.Answers = {Answer::No};  // not saved
    QTest::keyClick(&form, Qt::Key_W, Qt::ControlModifier);
    QCoreApplication::processEvents();
    QCOMPARE(form.children().size(), 1);
}

void MainFormTest::undoesAndRedoesInTheActiveTask() {
    ScriptedDialogs dialogs;
    TMain_Form form(dialogs);
    form.NewClick();
    QVERIFY(!form.command("Undo")->isEnabled());
    form.activeEditor()->InsertRowClick();
    QVERIFY(form.command("Undo")->isEnabled());
    QCOMPARE(form.command("Undo")->shortcut(), QKeySequence(QKeySequence::Undo));
    QCOMPARE(form.command("Redo")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Y));
    form.command("Undo")->trigger();
    QCOMPARE(form.activeEditor()->grids().Suppliers(), 3);
    QVERIFY(form.command("Redo")->isEnabled());
    form.command("Redo")->trigger();
    QCOMPARE(form.activeEditor()->grids().Suppliers(), 4);
}

void MainFormTest::comparesTheMethodsOfATextTask() {
    ScriptedDialogs dialogs;
    TMain_Form form(dialogs);
    form.resize(1000, 700);
    form.show();
    QVERIFY(form.openTableFile(QStringLiteral(KARGOLO_SOURCE_DIR "/examples/tables/closed-3x4.csv")));
    QVERIFY(form.command("CompareMethods")->isEnabled());
    form.CompareMethodsClick();
    TMDIChildFormText* report = form.activeReport();
    QVERIFY(report != nullptr);
    QVERIFY(report->waitUntilLoaded());
    const QString html = report->currentHtml();
    QVERIFY(html.contains(QStringLiteral("Сравнение методов: closed-3x4.csv")));
    // Every run ends at the optimum, and every rule but the north-west corner starts there.
    QCOMPARE(html.count(QStringLiteral("<td>445</td>")), 8 + 6);
    QVERIFY(!form.command("CompareMethods")->isEnabled());
}

void MainFormTest::makesRandomTasksFromTheDialog() {
    ScriptedDialogs dialogs;
    TMain_Form form(dialogs);
    form.show();
    std::uint64_t seed = 0;
    auto fillAndAccept = [&seed] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<TRandomTaskDialog*>(window);
            if (dialog == nullptr || !dialog->isVisible()) continue;
            ExerciseOptions options = dialog->options();
            seed = options.Seed;
            options.Suppliers = 5;
            options.Consumers = 6;
            options.LimitedPercent = 50;
            dialog->setOptions(options);
            dialog->accept();
        }
    };
    QTimer::singleShot(0, &form, fillAndAccept);
    form.RandomTaskClick();
    TTaskWithRestrictions* editor = form.activeEditor();
    QVERIFY(editor != nullptr);
    QCOMPARE(editor->grids().Suppliers(), 5);
    QCOMPARE(editor->grids().Consumers(), 6);
    QVERIFY(editor->restrictionsVisible());
    QVERIFY(!editor->isSaved());
    ExerciseOptions expected;
    expected.Suppliers = 5;
    expected.Consumers = 6;
    expected.LimitedPercent = 50;
    expected.Seed = seed;
    TaskGrids made = GenerateExercise(expected, 0).Grids;
    WriteCaptions(made);
    QVERIFY(editor->grids() == made);
    // The dialog comes back with the same options and the next seed.
    const std::uint64_t first = seed;
    QTimer::singleShot(0, &form, fillAndAccept);
    form.RandomTaskClick();
    QCOMPARE(seed, first + 1);
}

void MainFormTest::drawsAndSavesThePlanOfAReport() {
    ScriptedDialogs dialogs;
    TMain_Form form(dialogs);
    form.resize(1000, 700);
    form.show();
    QVERIFY(form.openTableFile(QStringLiteral(KARGOLO_SOURCE_DIR "/examples/tables/open-surplus-3x3.tab")));
    form.updateMenus();
    QVERIFY(!form.command("PlanPicture")->isEnabled());
    form.SolveTaskClick();
    QVERIFY(form.activeReport() != nullptr);
    form.updateMenus();
    QVERIFY(form.command("PlanPicture")->isEnabled());
    form.command("PlanPicture")->trigger();
    TPlanPictureWindow* picture = form.activePicture();
    QVERIFY(picture != nullptr);
    QVERIFY(picture->windowTitle().startsWith(QStringLiteral("Схема перевозок - open-surplus-3x3.tab")));
    QVERIFY(QString::fromStdString(picture->svg()).contains(QStringLiteral("A1 \u2192 B1: 10")));
    const QImage image = picture->image();
    QVERIFY(image.width() > 500 && image.height() > 200);
    int inked = 0;  // the picture is drawn, not blank
    for (int y = 0; y < image.height(); y += 4) {
        for (int x = 0; x < image.width(); x += 4) inked += image.pixel(x, y) != qRgb(255, 255, 255);
    }
    QVERIFY(inked > 100);

    const QTemporaryDir folder;
    const QString png = folder.filePath(QStringLiteral("схема.png"));
    const QString svg = folder.filePath(QStringLiteral("схема.svg"));
    dialogs.SavePaths << png << svg;
    form.SaveClick(false);
    QVERIFY(picture->SavePicture());
    QCOMPARE(dialogs.SaveNames.value(0), QStringLiteral("open-surplus-3x3.png"));
    QImage saved(png);
    QCOMPARE(saved.size(), image.size());
    QFile written(svg);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll().toStdString(), picture->svg());
    QVERIFY(dialogs.Messages.isEmpty());
}

void MainFormTest::offersTheThreeKindsOfTaskTheTransportationTaskFirst() {
    ScriptedDialogs dialogs;
    TMain_Form form(dialogs);
    form.show();
    QMenu* fileMenu = form.menuBar()->actions().front()->menu();
    QMenu* newMenu = fileMenu->actions().at(1)->menu();
    QVERIFY(newMenu != nullptr);
    QCOMPARE(newMenu->title(), QStringLiteral("&Создать"));
    const QList<QAction*> kinds = newMenu->actions();
    QCOMPARE(kinds.size(), 3);
    QCOMPARE(kinds[0], form.command("New"));
    QCOMPARE(kinds[0]->shortcut(), QKeySequence(QKeySequence::New));
    QCOMPARE(kinds[1]->text(), QStringLiteral("Транспортная задача по критерию &времени"));
    QCOMPARE(kinds[2]->text(), QStringLiteral("Задача о &назначениях"));

    form.command("NewButton")->trigger();  // the button itself makes the ordinary task
    QCOMPARE(form.activeEditor()->grids().Kind, TaskKind::Transport);
    const auto pages = [&form] { return form.activeEditor()->findChild<QTabWidget*>(); };
    QCOMPARE(pages()->tabText(0), QStringLiteral("Тарифы"));
    QVERIFY(pages()->isTabVisible(2));

    kinds[1]->trigger();
    TTaskWithRestrictions* time = form.activeEditor();
    QCOMPARE(time->grids().Kind, TaskKind::Time);
    QCOMPARE(pages()->tabText(0), QStringLiteral("Время перевозок"));
    QVERIFY(!pages()->isTabVisible(2));
    QVERIFY(time->findChild<QComboBox*>()->isHidden());
    form.updateMenus();
    for (const char* name : {"SolveTask", "FindPlan", "CompareMethods", "ShowHideRestrictions"}) {
        QVERIFY2(form.command(name)->isEnabled(), name);
    }

    kinds[2]->trigger();
    TTaskWithRestrictions* assignment = form.activeEditor();
    QCOMPARE(assignment->grids().Kind, TaskKind::Assignment);
    QCOMPARE(assignment->caption(), QStringLiteral("Untitled3.csv"));
    QCOMPARE(pages()->tabText(0), QStringLiteral("Матрица"));
    QVERIFY(!pages()->isTabVisible(1));
    QVERIFY(!pages()->isTabVisible(2));
    auto* view = qobject_cast<QTableView*>(pages()->widget(0));
    QVERIFY(view->isRowHidden(3) && view->isColumnHidden(3));  // the supplies and demands, all 1
    QVERIFY(!view->isRowHidden(2) && !view->isColumnHidden(2));
    QCOMPARE(assignment->grids().Tarif.At(0, 1), std::string("исполнитель A1"));
    form.command("MainInsertRow")->trigger();
    QVERIFY(view->isRowHidden(4) && !view->isRowHidden(3));
    QCOMPARE(assignment->grids().Tarif.At(4, 4), std::string("1"));
    form.updateMenus();
    QVERIFY(form.command("SolveTask")->isEnabled());
    for (const char* name : {"FindPlan", "CompareMethods", "ShowHideRestrictions"}) {
        QVERIFY2(!form.command(name)->isEnabled(), name);
    }
}

void MainFormTest::solvesEachKindIntoItsOwnReport() {
    ScriptedDialogs dialogs;
    TMain_Form form(dialogs);
    form.resize(1000, 700);
    form.show();
    QTemporaryDir folder;
    const auto write = [&folder](const char* name, const QByteArray& bytes) {
        QFile file(folder.filePath(QString::fromUtf8(name)));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    };
    QFile example(QStringLiteral(KARGOLO_SOURCE_DIR "/examples/kinds/time-3x3.csv"));
    QVERIFY(example.open(QIODevice::ReadOnly));
    QVERIFY(form.openTableFile(write("time.csv", "вид;критерий времени\n" + example.readAll())));
    QCOMPARE(form.activeEditor()->grids().Kind, TaskKind::Time);
    form.SolveTaskClick();
    TMDIChildFormText* report = form.lastReportWindow();
    QVERIFY(report != nullptr && report->waitUntilLoaded());
    QVERIFY(report->currentHtml().contains(QStringLiteral("Транспортная задача по критерию времени.")));
    QVERIFY(report->currentHtml().contains(QStringLiteral("= 9")));
    QVERIFY(report->planSketch().has_value());

    QVERIFY(form.openTableFile(write("a.csv", "вид;назначения\nцель;максимум\n3;2;5\n8;8;M\n")));
    QCOMPARE(form.activeEditor()->grids().Goal, TaskGoal::Maximise);
    form.SolveTaskClick();
    report = form.lastReportWindow();
    QVERIFY(report != nullptr && report->waitUntilLoaded());
    const QString html = report->currentHtml();
    QVERIFY(html.contains(QStringLiteral("Задача о назначениях.")));
    QVERIFY(html.contains(QStringLiteral("5 + 8 = 13")));
    QVERIFY(!report->planSketch().has_value());
    QVERIFY2(dialogs.Messages.isEmpty(), qPrintable(dialogs.Messages.join(u'\n')));
}

void MainFormTest::makesRandomTasksOfEachKind() {
    ScriptedDialogs dialogs;
    TMain_Form form(dialogs);
    form.show();
    for (const ExerciseKind kind : {ExerciseKind::Time, ExerciseKind::Assignment}) {
        ExerciseOptions chosen;
        QTimer::singleShot(0, &form, [&chosen, kind] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<TRandomTaskDialog*>(window);
                if (dialog == nullptr || !dialog->isVisible()) continue;
                dialog->findChild<QComboBox*>()->setCurrentIndex(static_cast<int>(kind));
                // A matrix has no type, degeneracy or limits: those options are off and not taken.
                QCOMPARE(dialog->findChild<QSpinBox*>(QStringLiteral("Suppliers"))->isEnabled(), true);
                chosen = dialog->options();
                dialog->accept();
            }
        });
        form.RandomTaskClick();
        TTaskWithRestrictions* editor = form.activeEditor();
        QVERIFY(editor != nullptr);
        QCOMPARE(chosen.Kind, kind);
        QCOMPARE(editor->grids().Kind, kind == ExerciseKind::Time ? TaskKind::Time : TaskKind::Assignment);
        TaskGrids made = GenerateExercise(chosen, 0).Grids;
        WriteCaptions(made);
        QVERIFY(editor->grids() == made);
        if (kind == ExerciseKind::Assignment) {
            QCOMPARE(chosen.LimitedPercent, 0);
            QVERIFY(editor->caption().endsWith(QStringLiteral(".csv")));
        }
        form.SolveTaskClick();
        QVERIFY(form.lastReportWindow() != nullptr);
        QVERIFY2(dialogs.Messages.isEmpty(), qPrintable(dialogs.Messages.join(u'\n')));
    }
}

}  // namespace kargolo::testing

QTEST_MAIN(kargolo::testing::MainFormTest)
#include "main_form_test.moc"
