#include "qt/windows/solve_launcher.h"

#include <QDate>
#include <QFileInfo>
#include <QGuiApplication>

#include <filesystem>
#include <stdexcept>

#include "documents/output_file.h"
#include "documents/plan_picture.h"
#include "documents/report_stream.h"
#include "documents/solve_run.h"
#include "qt/windows/report_window.h"
#include "qt/windows/status_form.h"
#include "qt/windows/stepwise_window.h"
#include "qt/windows/task_editor_window.h"

namespace kargolo {
namespace {

constexpr char kReportFileFailure[] = "Ошибка создания файла решения";

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
        m_status.startRun(QStringLiteral("Статус выполнения:"));
    }
    ~StatusShown() { m_status.hide(); }
    StatusShown(const StatusShown&) = delete;
    StatusShown& operator=(const StatusShown&) = delete;

private:
    TStatusForm& m_status;
};

}  // namespace

QString GreetingOf(const QDate& day) {
    if (day.month() != 11 || day.day() != 23) return QString();
    return QStringLiteral("23 ноября — день рождения Карголо. Спасибо, что решаете задачи вместе с нами!");
}

ReportFileWriter::ReportFileWriter()
    : m_sink([this](std::string_view bytes) { return m_file.Write(bytes); }) {
    m_document.Folder = std::make_unique<QTemporaryDir>();
    m_document.Path = m_document.Folder->filePath(QStringLiteral("report.html"));
    m_opened = m_document.Folder->isValid() &&
               m_file.Open(std::filesystem::path(m_document.Path.toStdU16String())) ==
                   OutputFileStatus::Ok;
}

bool ReportFileWriter::Finish(const ReportBuffer& report) {
    m_document.Index = report.Index();
    return m_sink.Finish() && m_file.Commit() == OutputFileStatus::Ok;
}

TMDIChildFormText* SolveLauncher::run(TTaskWithRestrictions& editor, bool restricted,
                                      bool planOnly, const SolveSettings& settings, int reportNumber,
                                      QWidget* reportParent) {
    if (!editor.finishEditing()) return nullptr;
    WaitCursor waitCursor;
    StatusShown statusShown(m_status);
    StatusFormHooks status(m_status);
    StepwiseHooks hooks(status, m_dialogs, &editor);
    ReportFileWriter file;
    if (!file.Opened()) {
        m_dialogs.showMessage(&editor, QString::fromUtf8(kReportFileFailure));
        return nullptr;
    }
    SolveState s;
    s.Report.StreamTo(file.Sink());
    const SolveRunResult run = RunSolve(editor.grids(), restricted, planOnly, settings, hooks, s);
    if (!run.Refusal.empty()) {
        m_dialogs.showMessage(&editor, QString::fromStdString(run.Refusal));
        return nullptr;
    }
    if (run.Failed) {
        m_dialogs.showMessage(&editor, QStringLiteral("Неизвестная ошибка. Решение остановлено"));
    }
    const bool written = file.Finish(s.Report);
    std::optional<PlanSketch> sketch;
    if (!run.Failed && !run.Aborted && editor.grids().Kind != TaskKind::Assignment) {
        sketch = SketchOfRun(s, run, QFileInfo(editor.caption()).fileName().toStdString());
    }
    s = SolveState();  // the task's arrays are released before the window is made
    TMDIChildFormText* report = showReport(written ? file.Take() : ReportDocument(), settings.EditingMode,
                                           reportNumber, reportParent, &editor);
    if (report != nullptr && sketch) report->setPlanSketch(std::move(*sketch));
    return report;
}

// The second guard of a run: any failure while the report window is made and filled (running
// out of memory included) is told to the user and ends no more than this report.
TMDIChildFormText* SolveLauncher::showReport(ReportDocument document, bool editable, int reportNumber,
                                             QWidget* reportParent, QWidget* messageParent) {
    TMDIChildFormText* report = nullptr;
    try {
        if (document.Folder == nullptr) throw std::runtime_error("the report file was not written");
        report = new TMDIChildFormText(reportNumber, m_dialogs, reportParent);
        if (report->ShowReport(std::move(document), editable)) {
            const QString greeting = GreetingOf(m_today());
            if (!greeting.isEmpty()) report->showGreeting(greeting);
            return report;
        }
        delete report;  // the window has told the user why
        return nullptr;
    } catch (...) {
        delete report;
        m_dialogs.showMessage(messageParent, QString::fromUtf8(kReportFileFailure));
        return nullptr;
    }
}

}  // namespace kargolo
