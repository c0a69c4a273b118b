#include <QDir>
#include <QFile>
#include <QClipboard>
#include <QComboBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolTip>
#include <QUndoStack>
#include <QtTest>

#include "documents/text_task_file.h"
#include "qt/windows/task_editor_window.h"
#include "tests/qt/windows/grid_typing.h"
#include "tests/qt/windows/scripted_dialogs.h"

namespace kargolo::testing {

class TaskEditorWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startsAsANewUntitledTask();
    void refusesANegativeLimitWhenTheCursorLeavesIt();
    void keepsTheCursorInARefusedLimitWhenTabMovesOn();
    void takesOnlyWhatCanBecomeANumber();
    void undoesAndRedoesEveryChangeAndFollowsTheSavedState();
    void exchangesBlocksWithSpreadsheetsThroughTheClipboard();
    void insertsAndDeletesSuppliersWithTheirBound();
    void savesAndReopensTheTask();
    void keepsTheWindowWhenTheSaveAskedOnClosingIsCancelled();
    void closesWithoutAskingWhenNothingChanged();
    void savesAsUnderANewNameAndKeepsItForTheNextSave();
    void showsTheNewSupplyOnTheLimitsPage();
    void normalisesACellOnEnter();
    void keepsTheGoalAsAStepThatCanBeUndone();
    void editsMandatoryShipmentsOnTheirOwnPageAndSavesEveryVariant();
};

void TaskEditorWindowTest::startsAsANewUntitledTask() {
    ScriptedDialogs dialogs;
    TTaskWithRestrictions editor(1, dialogs);
    QCOMPARE(editor.caption(), QStringLiteral("Untitled1.tab"));
    QCOMPARE(editor.grids().Tarif.At(0, 1), std::string("поставщик A1"));
    QCOMPARE(editor.grids().Restriction.At(1, 1), std::string("M"));
    QVERIFY(!editor.restrictionsVisible());
    QVERIFY(!editor.isSaved());
    QVERIFY(editor.neverSaved());
}

void TaskEditorWindowTest::refusesANegativeLimitWhenTheCursorLeavesIt() {
    ScriptedDialogs dialogs;
    TTaskWithRestrictions editor(1, dialogs);
    editor.ShowHideRestrictionsClick();
    QVERIFY(editor.restrictionsVisible());
    auto* tabs = editor.findChild<QTabWidget*>();
    tabs->setCurrentIndex(1);
    auto* view = qobject_cast<QTableView*>(tabs->currentWidget());
    QVERIFY(view != nullptr);
    view->model()->setData(view->model()->index(0, 0), QStringLiteral("-5"));
    view->setCurrentIndex(view->model()->index(0, 1));
    QCOMPARE(dialogs.Messages, QStringList{QStringLiteral("Число должно быть > 0")});
    QCOMPARE(view->currentIndex(), view->model()->index(0, 0));  // the cursor stayed
    view->model()->setData(view->model()->index(0, 0), QStringLiteral("м"));
    view->setCurrentIndex(view->model()->index(0, 1));
    QCOMPARE(editor.grids().Restriction.At(1, 1), std::string("M"));
}

// Tab after a negative limit: the message, the cursor stays in the cell, no editor opens in
// the next one, and the next keystroke goes to the refused cell.
void TaskEditorWindowTest::keepsTheCursorInARefusedLimitWhenTabMovesOn() {
    ScriptedDialogs dialogs;
    TTaskWithRestrictions editor(1, dialogs);
    editor.ShowHideRestrictionsClick();
    auto* tabs = editor.findChild<QTabWidget*>();
    tabs->setCurrentIndex(1);
    editor.show();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    auto* view = qobject_cast<QTableView*>(tabs->currentWidget());
    QAbstractItemModel* model = view->model();
    model->setData(model->index(0, 1), QStringLiteral("25"));
    view->setFocus();
    view->setCurrentIndex(model->index(0, 2));
    TypeIntoGrid(view, QStringLiteral("9"));
    PressInGrid(view, Qt::Key_Return);
    QCOMPARE(model->data(model->index(0, 2)).toString(), QStringLiteral("9"));  // Enter keeps what was typed
    view->setCurrentIndex(model->index(0, 0));
    TypeIntoGrid(view, QStringLiteral("-5"));
    PressInGrid(view, Qt::Key_Tab);
    QCOMPARE(dialogs.Messages, QStringList{QStringLiteral("Число должно быть > 0")});
    QCOMPARE(view->currentIndex(), model->index(0, 0));
    QVERIFY(view->indexWidget(model->index(0, 1)) == nullptr);  // no editor in the next cell
    PressInGrid(view, Qt::Key_Down);  // refused again: the highlight stays with the cursor
    QCOMPARE(dialogs.Messages.size(), 2);
    QCOMPARE(view->currentIndex(), model->index(0, 0));
    QVERIFY(view->selectionModel()->isSelected(model->index(0, 0)));
    QVERIFY(!view->selectionModel()->isSelected(model->index(1, 0)));
    TypeIntoGrid(view, QStringLiteral("7"));
    PressInGrid(view, Qt::Key_Return);
    QCOMPARE(model->data(model->index(0, 0)).toString(), QStringLiteral("7"));
    QCOMPARE(model->data(model->index(0, 1)).toString(), QStringLiteral("25"));
}

// Letters never reach a tariff; M (either alphabet) only a limit; a number beyond 32 bits stops
// at its last digit that fits, with a note by the cell.
void TaskEditorWindowTest::takesOnlyWhatCanBecomeANumber() {
    ScriptedDialogs dialogs;
    TTaskWithRestrictions editor(1, dialogs);
    editor.ShowHideRestrictionsClick();
    editor.show();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    auto* tabs = editor.findChild<QTabWidget*>();
    auto* tarif = qobject_cast<QTableView*>(tabs->widget(0));
    QAbstractItemModel* tariffs = tarif->model();
    tarif->setFocus();
    const auto typed = [](QTableView* view, const QModelIndex& index, const QString& keys) {
        view->setCurrentIndex(index);
        TypeIntoGrid(view, keys);
        PressInGrid(view, Qt::Key_Return);
        return view->model()->data(index).toString();
    };
    QCOMPARE(typed(tarif, tariffs->index(0, 0), QStringLiteral("12abc")), QStringLiteral("12"));
    QCOMPARE(typed(tarif, tariffs->index(0, 1), QStringLiteral("-3")), QStringLiteral("-3"));
    QCOMPARE(typed(tarif, tariffs->index(1, 0), QStringLiteral("М7")), QStringLiteral("M"));  // forbidden
    QCOMPARE(typed(tarif, tariffs->index(1, 3), QStringLiteral("М7")), QStringLiteral("7"));  // a supply
    tarif->setCurrentIndex(tariffs->index(1, 1));
    TypeIntoGrid(tarif, QStringLiteral("99999999999"));
    QCOMPARE(QToolTip::text(), QStringLiteral("Число должно быть от -2147483648 до 2147483647"));
    PressInGrid(tarif, Qt::Key_Return);
    QCOMPARE(tariffs->data(tariffs->index(1, 1)).toString(), QStringLiteral("999999999"));
    tabs->setCurrentIndex(1);
    auto* restriction = qobject_cast<QTableView*>(tabs->widget(1));
    restriction->setFocus();
    QCOMPARE(typed(restriction, restriction->model()->index(0, 0), QStringLiteral("м")), QStringLiteral("M"));
    QCOMPARE(typed(restriction, restriction->model()->index(0, 1), QStringLiteral("25")), QStringLiteral("25"));
}

// Every change is one step back and forth: a typed cell (a supply on both pages), insert and
// delete of both kinds of line, negation, transposition. The task counts as saved exactly
// when the steps are back where it was saved (transposition is no change to save).
void TaskEditorWindowTest::undoesAndRedoesEveryChangeAndFollowsTheSavedState() {
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    TTaskWithRestrictions editor(1, dialogs);
    TableFileContents contents;
    contents.Grids = NewTaskGrids(3, 3);
    contents.Grids.Tarif.At(1, 1) = "4";
    contents.Grids.Tarif.At(2, 1) = "7";
    editor.setTask(contents, folder.filePath(QStringLiteral("task.tab")));
    const TaskGrids opened = editor.grids();
    QUndoStack* steps = editor.undoStack();
    auto* tarif = qobject_cast<QTableView*>(editor.findChild<QTabWidget*>()->widget(0));
    tarif->model()->setData(tarif->model()->index(0, 3), QStringLiteral("70"));  // supply of A1
    QCOMPARE(editor.grids().Restriction.At(4, 1), std::string("70"));
    QVERIFY(!editor.isSaved());
    steps->undo();
    QCOMPARE(editor.grids(), opened);
    QVERIFY(editor.isSaved());
    steps->redo();
    QCOMPARE(editor.grids().Tarif.At(4, 1), std::string("70"));
    QCOMPARE(editor.grids().Restriction.At(4, 1), std::string("70"));
    QVERIFY(!editor.isSaved());

    const TaskGrids typed = editor.grids();
    std::vector<TaskGrids> states{typed};
    for (void (TTaskWithRestrictions::*change)() :
         {&TTaskWithRestrictions::InsertRowClick, &TTaskWithRestrictions::InsertColumnClick,
          &TTaskWithRestrictions::DeleteRowClick, &TTaskWithRestrictions::DeleteColumnClick,
          &TTaskWithRestrictions::InverseSignClick, &TTaskWithRestrictions::TransponateClick}) {
        (editor.*change)();
        QVERIFY(editor.grids() != states.back());
        states.push_back(editor.grids());
    }
    for (std::size_t k = states.size() - 1; k > 0; --k) {
        steps->undo();
        QCOMPARE(editor.grids(), states[k - 1]);
        QVERIFY(tarif->currentIndex().isValid());  // the cursor stays in the grid
    }
    for (std::size_t k = 1; k < states.size(); ++k) {
        steps->redo();
        QCOMPARE(editor.grids(), states[k]);
    }

    dialogs.SavePaths = {folder.filePath(QStringLiteral("saved.tab"))};
    QVERIFY(editor.SaveTable(false));
    QVERIFY(editor.isSaved());
    editor.TransponateClick();
    QVERIFY(editor.isSaved());  // transposition is no change to save
    steps->undo();
    QVERIFY(editor.isSaved());
    steps->undo();  // the transposition before the save
    steps->undo();  // the negation
    QVERIFY(!editor.isSaved());
    steps->redo();
    steps->redo();
    steps->redo();
    QVERIFY(editor.isSaved());
    QVERIFY(!editor.isWindowModified());  // the title's mark follows
    editor.InsertRowClick();
    QVERIFY(editor.isWindowModified());
    QCOMPARE(editor.windowTitle(), editor.caption() + QStringLiteral("[*]"));
}

// Ctrl+V writes a spreadsheet's block from the current cell, growing the task for a whole
// task, as one step to undo; Ctrl+C puts the selected block back on the clipboard.
void TaskEditorWindowTest::exchangesBlocksWithSpreadsheetsThroughTheClipboard() {
    ScriptedDialogs dialogs;
    TTaskWithRestrictions editor(1, dialogs);
    editor.show();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    auto* tarif = qobject_cast<QTableView*>(editor.findChild<QTabWidget*>()->widget(0));
    tarif->setFocus();
    tarif->setCurrentIndex(tarif->model()->index(0, 0));
    const TaskGrids before = editor.grids();
    QGuiApplication::clipboard()->setText(
        QStringLiteral("1\t2\t3\t4\t10\r\n5\t6\t7\t8\t20\r\n4\t6\t8\t12\t\r\n"));
    QTest::keyClick(tarif, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(editor.grids().Suppliers(), 2);  // a whole task into a new one: two suppliers, demands
    QCOMPARE(editor.grids().Consumers(), 4);
    QCOMPARE(editor.grids().Tarif.At(5, 2), std::string("20"));
    QCOMPARE(editor.grids().Tarif.At(4, 3), std::string("12"));
    tarif->selectionModel()->select(QItemSelection(tarif->model()->index(0, 1), tarif->model()->index(1, 2)),
                                    QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(tarif, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("2\t3\n6\t7\n"));
    tarif->setCurrentIndex(tarif->model()->index(1, 3));  // a block into a task: from the cell on
    QGuiApplication::clipboard()->setText(QStringLiteral("9\t30\n"));
    QTest::keyClick(tarif, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(editor.grids().Tarif.At(4, 2), std::string("9"));
    QCOMPARE(editor.grids().Tarif.At(5, 2), std::string("30"));
    editor.undoStack()->undo();
    editor.undoStack()->undo();
    QCOMPARE(editor.grids(), before);
}

void TaskEditorWindowTest::insertsAndDeletesSuppliersWithTheirBound() {
    ScriptedDialogs dialogs;
    TTaskWithRestrictions editor(1, dialogs);
    editor.InsertRowClick();
    QCOMPARE(editor.grids().Suppliers(), 4);
    QVERIFY(!editor.isSaved());
    editor.DeleteRowClick();
    editor.DeleteRowClick();
    QCOMPARE(editor.grids().Suppliers(), 2);
    QVERIFY(dialogs.Messages.isEmpty());
    editor.DeleteRowClick();
    QCOMPARE(editor.grids().Suppliers(), 2);
    QCOMPARE(dialogs.Messages,
             QStringList{QStringLiteral("Число строк или колонок таблицы должно быть больше 2")});
}

void TaskEditorWindowTest::savesAndReopensTheTask() {
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    TTaskWithRestrictions editor(1, dialogs);
    editor.InverseSignClick();
    const QString path = folder.filePath(QStringLiteral("task.tab"));
    dialogs.SavePaths = {path};
    QVERIFY(editor.SaveTable(false));
    QCOMPARE(dialogs.SaveTitles, QStringList{QStringLiteral("Сохранить")});
    QCOMPARE(dialogs.SaveNames, QStringList{QStringLiteral("Untitled1.tab")});
    QCOMPARE(editor.caption(), path);
    QVERIFY(editor.isSaved());
    QVERIFY(editor.SaveTable(false));  // the second save asks nothing
    QCOMPARE(dialogs.SaveTitles.size(), 1);
    TableFileContents contents;
    QVERIFY(ReadTableFile(std::filesystem::path(path.toStdU16String()), contents).Ok());
    // The limits page of a new task shows "M" on its rim until the rim is copied to it; the
    // file keeps the tariffs page's supplies and demands.
    QCOMPARE(contents.Grids.Tarif, editor.grids().Tarif);
    QCOMPARE(contents.Grids.Restriction.At(1, 1), std::string("M"));
}

// Closing with "Yes" and then cancelling the save dialog used to close the window and lose
// the task.
void TaskEditorWindowTest::keepsTheWindowWhenTheSaveAskedOnClosingIsCancelled() {
    ScriptedDialogs dialogs;
    auto* editor = new TTaskWithRestrictions(1, dialogs);
    QPointer<TTaskWithRestrictions> alive(editor);
    editor->InsertColumnClick();
    dialogs.Answers = {Answer::Yes};
    dialogs.SavePaths = {QString()};  // the user cancels the dialog
    QVERIFY(!editor->close());
    QCOMPARE(dialogs.Questions, QStringList{QStringLiteral("Сохранить изменения в Untitled1.tab?")});
    QVERIFY(alive);
    dialogs.Answers = {Answer::No};
    QVERIFY(editor->close());
}

void TaskEditorWindowTest::closesWithoutAskingWhenNothingChanged() {
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    auto* editor = new TTaskWithRestrictions(2, dialogs);
    TableFileContents contents;
    contents.Grids = NewTaskGrids(2, 2);
    editor->setTask(contents, folder.filePath(QStringLiteral("opened.tab")));
    editor->TransponateClick();  // transposing is no change to save
    QVERIFY(editor->close());
    QVERIFY(dialogs.Questions.isEmpty());
}

void TaskEditorWindowTest::savesAsUnderANewNameAndKeepsItForTheNextSave() {
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    TTaskWithRestrictions editor(1, dialogs);
    const QString first = folder.filePath(QStringLiteral("first.tab"));
    const QString second = folder.filePath(QStringLiteral("second.tab"));
    dialogs.SavePaths = {first, second};
    QVERIFY(editor.SaveTable(false));
    QVERIFY(editor.SaveTable(true));
    QCOMPARE(dialogs.SaveTitles, (QStringList{QStringLiteral("Сохранить"), QStringLiteral("Сохранить как")}));
    QCOMPARE(dialogs.SaveNames.last(), first);
    QCOMPARE(editor.caption(), second);
    QVERIFY(QFile::exists(second));
    dialogs.SavePaths = {QString()};
    QVERIFY(!editor.SaveTable(true));  // cancelled: the name stays
    QCOMPARE(editor.caption(), second);
}

void TaskEditorWindowTest::showsTheNewSupplyOnTheLimitsPage() {
    ScriptedDialogs dialogs;
    TTaskWithRestrictions editor(1, dialogs);
    editor.ShowHideRestrictionsClick();
    auto* tabs = editor.findChild<QTabWidget*>();
    auto* tarif = qobject_cast<QTableView*>(tabs->widget(0));
    tarif->model()->setData(tarif->model()->index(1, 3), QStringLiteral("25"));  // supply of A2
    tabs->setCurrentIndex(1);
    auto* restriction = qobject_cast<QTableView*>(tabs->widget(1));
    QCOMPARE(restriction->model()->index(1, 3).data().toString(), QStringLiteral("25"));
    QCOMPARE(editor.grids().Restriction.At(4, 2), std::string("25"));
}

void TaskEditorWindowTest::normalisesACellOnEnter() {
    ScriptedDialogs dialogs;
    TTaskWithRestrictions editor(1, dialogs);
    auto* tarif = qobject_cast<QTableView*>(editor.findChild<QTabWidget*>()->widget(0));
    tarif->setCurrentIndex(tarif->model()->index(0, 1));
    tarif->model()->setData(tarif->currentIndex(), QStringLiteral("abc"));
    QTest::keyClick(tarif, Qt::Key_Return);
    QCOMPARE(editor.grids().Tarif.At(2, 1), std::string("0"));
}

void TaskEditorWindowTest::keepsTheGoalAsAStepThatCanBeUndone() {
    ScriptedDialogs dialogs;
    TTaskWithRestrictions editor(1, dialogs);
    auto* goal = editor.findChild<QComboBox*>();
    QVERIFY(goal != nullptr);
    QCOMPARE(goal->currentText(), QStringLiteral("минимум затрат"));
    goal->setCurrentIndex(1);
    emit goal->activated(1);  // as a choice with the mouse or the keyboard
    QCOMPARE(editor.grids().Goal, TaskGoal::Maximise);
    QVERIFY(!editor.isSaved());
    editor.undoStack()->undo();
    QCOMPARE(editor.grids().Goal, TaskGoal::Minimise);
    QCOMPARE(goal->currentIndex(), 0);
    editor.undoStack()->redo();
    QCOMPARE(goal->currentIndex(), 1);
}

void TaskEditorWindowTest::editsMandatoryShipmentsOnTheirOwnPageAndSavesEveryVariant() {
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    TTaskWithRestrictions editor(1, dialogs);
    auto* tabs = editor.findChild<QTabWidget*>();
    QCOMPARE(tabs->tabText(2), QStringLiteral("Обязательные поставки"));
    QVERIFY(tabs->isTabVisible(2));
    auto* tarif = qobject_cast<QTableView*>(tabs->widget(0));
    tarif->model()->setData(tarif->model()->index(0, 3), QStringLiteral("40"));  // supply of A1
    tarif->setCurrentIndex(tarif->model()->index(0, 1));
    tarif->model()->setData(tarif->currentIndex(), QStringLiteral("м"));  // a forbidden route
    QTest::keyClick(tarif, Qt::Key_Return);
    QCOMPARE(editor.grids().Tarif.At(2, 1), std::string("M"));
    tabs->setCurrentIndex(2);
    auto* mandatory = qobject_cast<QTableView*>(tabs->widget(2));
    QCOMPARE(mandatory->model()->index(0, 3).data().toString(), QStringLiteral("40"));
    mandatory->setCurrentIndex(mandatory->model()->index(0, 0));
    mandatory->model()->setData(mandatory->currentIndex(), QStringLiteral("-3"));
    mandatory->setCurrentIndex(mandatory->model()->index(0, 2));
    QCOMPARE(dialogs.Messages.last(), QStringLiteral("Обязательная поставка не может быть отрицательной"));
    QCOMPARE(mandatory->currentIndex(), mandatory->model()->index(0, 0));  // the cursor stayed
    mandatory->model()->setData(mandatory->currentIndex(), QStringLiteral("15"));
    mandatory->setCurrentIndex(mandatory->model()->index(0, 2));
    QCOMPARE(editor.grids().Mandatory.At(1, 1), std::string("15"));
    editor.undoStack()->undo();
    QCOMPARE(editor.grids().Mandatory.At(1, 1), std::string("-3"));
    editor.undoStack()->redo();
    editor.findChild<QComboBox*>()->setCurrentIndex(1);
    emit editor.findChild<QComboBox*>()->activated(1);
    for (const char* name : {"task.tab", "task.csv"}) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        dialogs.SavePaths = {path};
        QVERIFY(editor.SaveTable(true));
        TableFileContents contents;
        QCOMPARE(ReadTaskFile(std::filesystem::path(path.toStdU16String()), contents), std::string());
        QCOMPARE(contents.Grids.Goal, TaskGoal::Maximise);
        QCOMPARE(contents.Grids.Tarif.At(2, 1), std::string("M"));
        QCOMPARE(contents.Grids.Mandatory.At(1, 1), std::string("15"));
    }
}

}  // namespace kargolo::testing

QTEST_MAIN(kargolo::testing::TaskEditorWindowTest)
#include "task_editor_window_test.moc"
