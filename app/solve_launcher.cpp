#include "app/solve_launcher.h"

#include <QDate>
#include <QGuiApplication>

#include "app/report_window.h"
#include "app/status_form.h"
#include "documents/solve_run.h"
#include "documents/task_editor_window.h"
#include "solver/report_texts.h"
#include "stepwise/stepwise_window.h"

namespace kargolo {
namespace {

// The wait cursor for as long as a run lasts, however it ends.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The status window shown, with its first line, for as long as a run lasts.
class StatusShown {
public:
    explicit StatusShown(TStatusForm& status) : m_status(status) {
        m_status.setText(QStringLiteral("Статус выполнения:"));
        m_status.show();
        m_status.activateWindow();
    }
    ~StatusShown() { m_status.hide(); }
    StatusShown(const StatusShown&) = delete;
    StatusShown& operator=(const StatusShown&) = delete;

private:
    TStatusForm& m_status;
};

}  // namespace

std::string GreetingPage() {
    return std::string(kReportHead) +
           "<p align=center><font size=\"+2\"><b>23 ноября</b></font></p><p align=center>Сегодня "
           "у Карголо день рождения. Задачи подождут до завтра &mdash; а если не могут, "
           "решите их завтра или завтра утром!</p>" +
           kReportFooter + kDocumentEnd;
}

TMDIChildFormText* SolveLauncher::run(TTaskWithRestrictions& editor, bool restricted,
                                      bool planOnly, const SolveSettings& settings, int reportNumber,
                                      QWidget* reportParent) {
    if (!editor.finishEditing()) return nullptr;
    WaitCursor waitCursor;
    StatusShown statusShown(m_status);
    StatusFormHooks status(m_status);
    StepwiseHooks hooks(status, m_dialogs, &editor);
    SolveState s;
    const SolveRunResult run = RunSolve(editor.grids(), restricted, planOnly, settings, hooks, s);
    if (!run.Refusal.empty()) {
        m_dialogs.showMessage(&editor, QString::fromStdString(run.Refusal));
        return nullptr;
    }
    if (run.Failed) {
        m_dialogs.showMessage(&editor, QStringLiteral("Неизвестная ошибка. Решение остановлено"));
    }
    auto* report = new TMDIChildFormText(reportNumber, m_dialogs, reportParent);
    const QDate today = QDate::currentDate();
    if (today.month() == 11 && today.day() == 23) {
        report->FillDocument(GreetingPage(), true);
    } else {
        report->FillDocument(s.Report.Text(), settings.EditingMode);
    }
    return report;
}

}  // namespace kargolo
