#pragma once

// TstpForm: the pause before a stage of a stepwise run. It shows the tariffs, the limits (with
// limits) and the current plan, lets the user edit the plan (checked as PlanEditor does), and
// ends with the next stage (F9), the rest of the run without pauses (Ctrl+F9), a stage back
// (Alt+Left) or an abort (Esc); Ctrl+G draws the plan.

#include <QDialog>
#include <memory>

#include "documents/plan_edit.h"
#include "qt/windows/user_dialogs.h"
#include "solver/solve_hooks.h"

class QLabel;
class QPlainTextEdit;
class QTabWidget;
class QTableWidget;

namespace kargolo {

class PlanGridModel;
class TaskGridView;

class TstpForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kAbortResult = 3;
    static constexpr int kRunToEndResult = 4;
    static constexpr int kBackResult = 5;

    // With backOffered, "Назад" (Alt+Left) takes the user back to the plan the previous stage
    // started with.
    // stepsBack: how many stages back the plan shown was taken (its stage is stage - stepsBack).
    TstpForm(SolveState& s, unsigned stage, UserDialogs& dialogs, QWidget* parent = nullptr,
             bool backOffered = false, unsigned stepsBack = 0);
    ~TstpForm() override;

    bool planChanged() const { return m_editor.planChanged(); }
    // Types text into plan cell (i, j) and leaves it, as the user would; false when refused.
    bool typeIntoCell(int i, int j, const QString& text);
    QString planCheckText() const;
    // Why the quantity entered last was cut, as shown under the plan; empty when it was not.
    QString editNoteText() const;
    QString targetFunctionText() const;

public slots:
    void NextStepButtonClick();
    void GoButtonClick();
    void AbortButtonClick();
    void BackButtonClick();
    void PictureButtonClick();  // the picture of the plan shown, in a window of its own

protected:
    void closeEvent(QCloseEvent* event) override;   // FormCloseQuery and FormClose
    void reject() override { AbortButtonClick(); }

private:
    QTableWidget* createReadOnlyGrid(bool limits);
    QWidget* createPanel(unsigned stage);
    void fitToTask();
    void showPlanCheck();
    void onCellAccepted();

    SolveState& m_s;
    UserDialogs& m_dialogs;
    PlanEditor m_editor;
    std::unique_ptr<PlanGridModel> m_model;
    TaskGridView* m_cargo = nullptr;  // owned by the Qt parent, as are the widgets below
    QPlainTextEdit* m_opplan = nullptr;
    QLabel* m_targetFunction = nullptr;
    QLabel* m_editNote = nullptr;
    unsigned m_stage;
    bool m_backOffered;
    unsigned m_stepsBack;
    bool m_backRequested = false;
    bool m_continueRequested = false;
    bool m_runToEnd = false;
    bool m_closing = false;
};

// Status lines in the status window and, in a stepwise run, a TstpForm before every stage.
class StepwiseHooks : public SolveHooks {
public:
    StepwiseHooks(SolveHooks& status, UserDialogs& dialogs, QWidget* parent)
        : m_status(status), m_dialogs(dialogs), m_parent(parent) {}
    void AddStatusLine(std::string_view text) override { m_status.AddStatusLine(text); }
    void ReplaceStatusLine(std::string_view text) override { m_status.ReplaceStatusLine(text); }
    StageAnswer BeforeStage(SolveState& s, unsigned stage, bool backOffered) override;
    bool StopRequested() override { return m_status.StopRequested(); }

private:
    SolveHooks& m_status;
    UserDialogs& m_dialogs;
    QWidget* m_parent;
    unsigned m_stepsBack = 0;  // answered Back so many times in a row
};

}  // namespace kargolo
