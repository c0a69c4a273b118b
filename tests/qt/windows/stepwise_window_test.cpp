#include <QHeaderView>
#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include "qt/windows/plan_picture_window.h"
#include "qt/windows/stepwise_window.h"
#include "qt/windows/task_grid_view.h"
#include "solver/cell_state.h"
#include "solver/driver.h"
#include "solver/plan_rules.h"
#include "solver/time_criterion.h"
#include "tests/qt/windows/grid_typing.h"
#include "tests/qt/windows/scripted_dialogs.h"
#include "tests/support/task_builders.h"

namespace kargolo::testing {

// A 2 x 2 plan of the north-west corner: (1,1) = 5, (1,2) = 5, (2,2) = 10; F = 60.
SolveState BasicPlan() {
    SolveState s = MakeState({"2x2", {10, 10}, {5, 15}, {3, 1, 2, 4}}, kSolveModeStepwise);
    NorthWestCorner(s);
    return s;
}

class StepwiseWindowTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheStageThePlanCheckAndNoLimitsPage();
    void continuesWithTheNextStepOnABasicPlan();
    void staysOpenWhenASupplierIsNotFullyShipped();
    void asksBeforeAborting();
    void runsToTheEndWithCtrlF9();
    void refusesUnreadableTextAndCountsTheNewCost();
    void saysWhyAQuantityWasCutAndClearsACellWithDelete();
    void showsBasicQuantitiesInBlue();
    void editsTheClickedCellAfterARefusedEntry();
    void showsAWholeSmallTaskWithReadableCaptionsAndButtons();
    void pausesARealRunAndAppliesTheEdit();
    void goesBackAStageWithAltLeftAndDrawsThePlan();
    void pausesEveryStageOfTheTimeCriterionAndTakesItsPlanAsItIs();
};

void StepwiseWindowTest::showsTheStageThePlanCheckAndNoLimitsPage() {
    SolveState s = BasicPlan();
    ScriptedDialogs dialogs;
    TstpForm form(s, 4, dialogs);
    QCOMPARE(form.windowTitle(), QStringLiteral("Карголо - пошаговое решение"));
    QCOMPARE(form.planCheckText(), QStringLiteral("OK"));
    auto* pages = form.findChild<QTabWidget*>();
    QVERIFY(!pages->isTabVisible(1));
    QCOMPARE(pages->tabText(pages->currentIndex()), QStringLiteral("Перевозки"));
    QVERIFY(form.findChild<QLabel*>() != nullptr);
}

void StepwiseWindowTest::continuesWithTheNextStepOnABasicPlan() {
    SolveState s = BasicPlan();
    ScriptedDialogs dialogs;
    TstpForm form(s, 1, dialogs);
    form.show();
    form.NextStepButtonClick();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QVERIFY(!form.isVisible());
}

void StepwiseWindowTest::staysOpenWhenASupplierIsNotFullyShipped() {
    SolveState s = BasicPlan();
    ScriptedDialogs dialogs;
    TstpForm form(s, 1, dialogs);
    form.show();
    QVERIFY(form.typeIntoCell(0, 0, QString()));  // clearing (1,1) leaves A1 short
    form.NextStepButtonClick();
    QVERIFY(form.isVisible());
    QCOMPARE(dialogs.Messages.size(), 1);
    QVERIFY(dialogs.Messages[0].startsWith(QStringLiteral("Продолжение невозможно - нарушена опорность плана: ")));
}

void StepwiseWindowTest::asksBeforeAborting() {
    SolveState s = BasicPlan();
    ScriptedDialogs dialogs;
    TstpForm form(s, 1, dialogs);
    form.show();
    dialogs.Answers = {Answer::No};
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(form.isVisible());
    QCOMPARE(dialogs.Questions, QStringList{QStringLiteral("Прервать выполнение?")});
    dialogs.Answers = {Answer::Yes};
    QTest::keyClick(&form, Qt::Key_Escape);
    QCOMPARE(form.result(), TstpForm::kAbortResult);
}

void StepwiseWindowTest::runsToTheEndWithCtrlF9() {
    SolveState s = BasicPlan();
    ScriptedDialogs dialogs;
    TstpForm form(s, 1, dialogs);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));  // the keys are the window's shortcuts
    QTest::keyClick(&form, Qt::Key_F9, Qt::ControlModifier);
    QCOMPARE(form.result(), TstpForm::kRunToEndResult);
    QCOMPARE(s.SolveMode, kSolveModeStepwise);  // the window leaves the solver's mode alone
    TstpForm next(s, 2, dialogs);
    next.show();
    QVERIFY(QTest::qWaitForWindowActive(&next));
    QTest::keyClick(&next, Qt::Key_F9);
    QCOMPARE(next.result(), int(QDialog::Accepted));
}

// The colour comes from the cell's state; it used to be read back from the cell's shown text.
// A refused entry keeps the cursor in its cell; a click afterwards moves it, and what is typed
// next goes to the clicked cell. A click that commits a refused entry does not move it, and
// the highlight stays with the cursor.
void StepwiseWindowTest::editsTheClickedCellAfterARefusedEntry() {
    SolveState s = BasicPlan();
    ScriptedDialogs dialogs;
    TstpForm form(s, 1, dialogs);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto* view = form.findChild<TaskGridView*>();
    QAbstractItemModel* model = view->model();
    view->setFocus();
    view->setCurrentIndex(model->index(0, 0));
    TypeIntoGrid(view, QStringLiteral("abc"));  // no key reaches the cell
    PressInGrid(view, Qt::Key_Return);
    QCOMPARE(s.Cell(0, 0).Cargo, 5);
    TypeIntoGrid(view, QStringLiteral("5+"));
    PressInGrid(view, Qt::Key_Return);  // refused: the cell keeps its 5
    QCOMPARE(view->currentIndex(), model->index(0, 0));
    QCoreApplication::processEvents();
    ClickCell(view, model->index(0, 1));
    QCOMPARE(view->currentIndex(), model->index(0, 1));
    TypeIntoGrid(view, QStringLiteral("3"));
    PressInGrid(view, Qt::Key_Return);
    QCOMPARE(s.Cell(0, 0).Cargo, 5);
    QCOMPARE(s.Cell(0, 1).Cargo, 3);

    TypeIntoGrid(view, QStringLiteral("-"));  // an editor open with text that cannot be read
    ClickCell(view, model->index(1, 1));
    QCOMPARE(view->currentIndex(), model->index(0, 1));
    QVERIFY(view->selectionModel()->isSelected(model->index(0, 1)));
    QVERIFY(!view->selectionModel()->isSelected(model->index(1, 1)));
}

// A 3 x 4 task fits without scrolling; every caption fits in bold (as the current line's is
// shown); the buttons say what they do.
void StepwiseWindowTest::showsAWholeSmallTaskWithReadableCaptionsAndButtons() {
    SolveState s = MakeState({"3x4", {160, 140, 170}, {120, 50, 190, 110}, {7, 8, 1, 2, 4, 5, 9, 8, 9, 2, 3, 6}},
                             kSolveModeStepwise);
    NorthWestCorner(s);
    ScriptedDialogs dialogs;
    TstpForm form(s, 1, dialogs);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* view = form.findChild<TaskGridView*>();
    QVERIFY(!view->horizontalScrollBar()->isVisible());
    QVERIFY(!view->verticalScrollBar()->isVisible());
    QFont bold = view->horizontalHeader()->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    QList<QTableView*> grids{view};
    for (QTableWidget* readOnly : form.findChildren<QTableWidget*>()) grids << readOnly;  // tariffs, limits
    QCOMPARE(grids.size(), 3);
    for (const QTableView* grid : grids) {
        for (int column = 0; column < grid->model()->columnCount(); ++column) {
            const QString caption = grid->model()->headerData(column, Qt::Horizontal).toString();
            QVERIFY2(grid->columnWidth(column) > metrics.horizontalAdvance(caption), qPrintable(caption));
        }
    }
    QStringList texts;
    for (const QToolButton* button : form.findChildren<QToolButton*>()) {
        if (!button->text().isEmpty()) texts << button->text();  // not the tab bar's arrows
    }
    QCOMPARE(texts, (QStringList{QStringLiteral("Прервать"), QStringLiteral("Схема"), QStringLiteral("Назад"),
                                 QStringLiteral("До конца"), QStringLiteral("Следующий шаг")}));
    for (const QToolButton* button : form.findChildren<QToolButton*>()) {
        if (button->text().isEmpty()) continue;
        QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));  // not clipped
    }
}

void StepwiseWindowTest::showsBasicQuantitiesInBlue() {
    SolveState s = BasicPlan();                  // (1,1) = 5, (1,2) = 5, (2,2) = 10
    SetPlanQuantity(s.Cell(1, 0), {0, 0});       // a basis zero
    SolveState limited = BasicPlan();
    limited.RestrictedTask = true;
    for (TaskCell& c : limited.Cells) c.Limit = kNoLimit;
    limited.Cell(0, 1).Limit = 5;                // (1,2) at its limit
    SetPlanQuantity(limited.Cell(1, 0), {0, 0});
    const struct {
        SolveState* State;
        bool Blue[4];
    } cases[] = {{&s, {true, true, true, true}}, {&limited, {true, false, false, true}}};
    ScriptedDialogs dialogs;
    for (const auto& c : cases) {
        TstpForm form(*c.State, 1, dialogs);
        const QAbstractItemModel* model = form.findChild<TaskGridView*>()->model();
        for (int k = 0; k < 4; ++k) {
            const QVariant colour = model->data(model->index(k / 2, k % 2), Qt::ForegroundRole);
            QCOMPARE(colour.isValid() && colour.value<QBrush>().color() == QColor(Qt::blue), c.Blue[k]);
        }
    }
}

void StepwiseWindowTest::refusesUnreadableTextAndCountsTheNewCost() {
    SolveState s = BasicPlan();
    ScriptedDialogs dialogs;
    TstpForm form(s, 1, dialogs);
    QVERIFY(!form.typeIntoCell(0, 1, QStringLiteral("abc")));
    QCOMPARE(s.Cell(0, 1).Cargo, 5);
    QVERIFY(form.targetFunctionText().isEmpty());
    QVERIFY(form.typeIntoCell(1, 0, QStringLiteral("0")));  // a basis zero, tariff 2
    QCOMPARE(form.targetFunctionText(), QStringLiteral("60"));  // a zero costs nothing
    QVERIFY(form.planChanged());
}

// A quantity larger than its row and column leave used to be cut without a word.
void StepwiseWindowTest::saysWhyAQuantityWasCutAndClearsACellWithDelete() {
    SolveState s = BasicPlan();
    ScriptedDialogs dialogs;
    TstpForm form(s, 1, dialogs);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto* grid = form.findChild<TaskGridView*>();
    QCOMPARE(QApplication::focusWidget(), grid);  // it used to wait for a click before typing
    QVERIFY(form.typeIntoCell(1, 1, QStringLiteral("30")));
    QCOMPARE(s.Cell(1, 1).Cargo, 10);
    QCOMPARE(form.editNoteText(), QStringLiteral("(2,2): уменьшено до 10 - остаток строки A2 и столбца B2"));
    QVERIFY(form.typeIntoCell(1, 1, QStringLiteral("10")));
    QCOMPARE(form.editNoteText(), QString());
    grid->setCurrentIndex(grid->model()->index(0, 0));
    QTest::keyClick(grid, Qt::Key_Delete);
    QVERIFY(IsFreeMarker(s.Cell(0, 0)));
    QVERIFY(form.planCheckText().contains(QStringLiteral("A1")));
}

// A stepwise run through the hooks the desktop program uses: the test answers the pause.
void StepwiseWindowTest::pausesARealRunAndAppliesTheEdit() {
    SolveState s = MakeState({"3x4", {30, 40, 50}, {20, 35, 25, 40}, {4, 6, 9, 5, 3, 8, 7, 2, 6, 5, 4, 8}},
                             kSolveModeStepwise);
    ScriptedDialogs dialogs;
    SilentHooks status;
    StepwiseHooks hooks(status, dialogs, nullptr);
    int pauses = 0;
    std::function<void()> answer = [&] {
        auto* form = qobject_cast<TstpForm*>(QApplication::activeModalWidget());
        if (form == nullptr) {
            QTimer::singleShot(20, answer);
            return;
        }
        ++pauses;
        QVERIFY(form->typeIntoCell(0, 0, QStringLiteral("20")));  // as it was: no change
        form->GoButtonClick();  // the rest without pauses, still written in detail
    };
    QTimer::singleShot(20, answer);
    Solve(s, hooks, false);
    QCOMPARE(pauses, 1);
    const std::string& text = s.Report.Text();
    QVERIFY(text.find("ПОШАГОВЫЙ РЕЖИМ") != std::string::npos);
    QVERIFY(text.find("<b>Этап 2</b>") != std::string::npos);
    QVERIFY(text.find("Транспортная задача решена.") != std::string::npos);
}

// Back is offered from the second stage on; Alt+Left ends the pause with it, and the run shows
// the plan of the stage before, with its line in the report. Ctrl+G draws the plan shown.
void StepwiseWindowTest::goesBackAStageWithAltLeftAndDrawsThePlan() {
    SolveState s = MakeState({"3x4", {30, 40, 50}, {20, 35, 25, 40}, {4, 6, 9, 5, 3, 8, 7, 2, 6, 5, 4, 8}},
                             kSolveModeStepwise);
    ScriptedDialogs dialogs;
    SilentHooks status;
    StepwiseHooks hooks(status, dialogs, nullptr);
    std::vector<std::vector<std::int32_t>> plans;
    std::vector<bool> offered;
    std::vector<bool> notes;
    std::function<void()> answer = [&] {
        auto* form = qobject_cast<TstpForm*>(QApplication::activeModalWidget());
        if (form == nullptr || !form->isActiveWindow()) {
            QTimer::singleShot(20, answer);
            return;
        }
        QAction* back = nullptr;
        for (QAction* action : form->actions()) {
            if (action->text() == QStringLiteral("Назад")) back = action;
        }
        QVERIFY(back != nullptr);
        plans.push_back(Quantities(s));
        offered.push_back(back->isEnabled());
        bool noted = false;
        for (const QLabel* label : form->findChildren<QLabel*>()) {
            noted = noted || label->text() == QStringLiteral("(возврат: план начала этапа 1)");
        }
        notes.push_back(noted);
        if (plans.size() == 2) {
            QTest::keyClick(form, Qt::Key_G, Qt::ControlModifier);
            auto* picture = form->findChild<TPlanPictureWindow*>();
            QVERIFY(picture != nullptr);
            QVERIFY(picture->windowTitle().contains(QStringLiteral("Этап 2")));
            QVERIFY(QString::fromStdString(picture->svg()).contains(QStringLiteral("A1 \u2192 B1: 20")));
            picture->close();
            QTest::keyClick(form, Qt::Key_Left, Qt::AltModifier);  // back to stage 1's plan
        } else if (plans.size() == 3) {
            QTest::keyClick(form, Qt::Key_F9, Qt::ControlModifier);
        } else {
            QTest::keyClick(form, Qt::Key_F9);
        }
        // After Ctrl+F9 the run ends: no timer may outlive `answer` and fire in a later test.
        if (plans.size() < 3) QTimer::singleShot(20, answer);
    };
    QTimer::singleShot(20, answer);
    Solve(s, hooks, false);
    QCOMPARE(plans.size(), std::size_t{3});
    QCOMPARE(offered, (std::vector<bool>{false, true, false}));
    QCOMPARE(notes, (std::vector<bool>{false, false, true}));  // the stage label says whose plan it is
    QVERIFY(plans[2] == plans[0]);
    const std::string& text = s.Report.Text();
    QVERIFY(text.find("Пользователь вернулся на этап назад") != std::string::npos);
    QVERIFY(text.find("Транспортная задача решена.") != std::string::npos);
}

// The time criterion pauses before each stage in the same window; the plan it shows (which may
// carry more cells than a basic plan) goes on unchanged to the T of a run without pauses.
void StepwiseWindowTest::pausesEveryStageOfTheTimeCriterionAndTakesItsPlanAsItIs() {
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        const TaskSpec task = seed % 2 == 0 ? RandomLimitedTask(seed, 5) : RandomTask(seed, 5);
        SolveState quiet = MakeState(task, kSolveModeChecking);
        SilentHooks silent;
        const TimeCriterionResult expected = SolveByTime(quiet, silent, false);
        SolveState s = MakeState(task, kSolveModeStepwise);
        ScriptedDialogs dialogs;
        StepwiseHooks hooks(silent, dialogs, nullptr);
        unsigned pauses = 0;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, [&] {
            auto* form = qobject_cast<TstpForm*>(QApplication::activeModalWidget());
            if (form == nullptr || !form->isActiveWindow()) return;
            ++pauses;
            form->NextStepButtonClick();
            if (form->isVisible()) form->GoButtonClick();  // a refused plan shows in the messages
        });
        poll.start();
        const TimeCriterionResult result = SolveByTime(s, hooks, false);
        poll.stop();
        QVERIFY2(dialogs.Messages.isEmpty(), qPrintable(dialogs.Messages.join(u'\n')));
        QCOMPARE(result.Unsolvable, expected.Unsolvable);
        QCOMPARE(result.LongestTime, expected.LongestTime);
        QVERIFY(pauses >= 1);
        QVERIFY(s.Report.Text().find("ПОШАГОВЫЙ РЕЖИМ") != std::string::npos);
    }
}

}  // namespace kargolo::testing

QTEST_MAIN(kargolo::testing::StepwiseWindowTest)
#include "stepwise_window_test.moc"
