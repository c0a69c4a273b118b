#pragma once

// The road of one solve from the desktop program: the active task editor's grids, the run with
// the status window showing its progress and the wait cursor up, and a new report window with
// the document. A failure inside the run is reported once and the report so far still shown.

#include <QDate>
#include <QObject>
#include <functional>

#include "documents/output_file.h"
#include "documents/report_stream.h"
#include "qt/windows/report_window.h"
#include "qt/windows/user_dialogs.h"
#include "solver/solve_state.h"

namespace kargolo {

class TMDIChildFormText;
class TStatusForm;
class TTaskWithRestrictions;

// The report of one run, written to a file in a folder of its own as the run goes; the report
// window takes the file when it is complete.
class ReportFileWriter {
public:
    ReportFileWriter();
    bool Opened() const { return m_opened; }
    ReportSink& Sink() { return m_sink; }
    // Completes the file and takes the report's index; false when any of it was not written.
    bool Finish(const ReportBuffer& report);
    ReportDocument Take() { return std::move(m_document); }

private:
    ReportDocument m_document;
    OutputFile m_file;
    EncodedReportSink m_sink;
    bool m_opened = false;
};

class SolveLauncher {
public:
    SolveLauncher(TStatusForm& status, UserDialogs& dialogs) : m_status(status), m_dialogs(dialogs) {}

    // Solves the editor's task (only its first plan with planOnly); the report window made for
    // it, or none when the task was refused. restricted: solve with the task's limits.
    TMDIChildFormText* run(TTaskWithRestrictions& editor, bool restricted, bool planOnly,
                           const SolveSettings& settings, int reportNumber,
                           QWidget* reportParent);
    // Where the launcher learns today's date (for the greeting of 23 November).
    void setClock(std::function<QDate()> today) { m_today = std::move(today); }

private:
    TMDIChildFormText* showReport(ReportDocument document, bool editable, int reportNumber,
                                  QWidget* reportParent, QWidget* messageParent);

    TStatusForm& m_status;
    UserDialogs& m_dialogs;
    std::function<QDate()> m_today = &QDate::currentDate;
};

// The line a report window shows above the report on the given day; empty on most days.
QString GreetingOf(const QDate& day);

}  // namespace kargolo
