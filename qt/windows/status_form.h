#pragma once

// TStatusForm: the progress of a solve run, one line per step, and "Прервать" (or Esc), which
// asks the run to stop before its next stage. The run blocks the event loop while it works, so
// every change lets the window handle its events (no more often than the eye can follow); the
// window is modal meanwhile, so no other window takes input.

#include <QDialog>
#include <QElapsedTimer>

#include "solver/solve_hooks.h"

class QPlainTextEdit;
class QPushButton;

namespace kargolo {

class TStatusForm : public QDialog {
    Q_OBJECT
public:
    explicit TStatusForm(QWidget* parent = nullptr);

    // Shows the window for a new run with its first line, painted before the run starts.
    void startRun(const QString& firstLine);
    void setText(const QString& text);
    void addLine(const QString& line);
    void replaceLastLine(const QString& line);
    QString text() const;
    bool stopRequested() const { return m_stopRequested; }

public slots:
    void reject() override;  // Esc and the close button ask the run to stop

private:
    void StatusChange();
    void requestStop();

    QPlainTextEdit* m_status = nullptr;  // owned by the Qt parent
    QPushButton* m_stop = nullptr;
    QElapsedTimer m_sincePaint;          // a table's rows change the last line thousands of times
    bool m_stopRequested = false;
};

// The status lines of a run shown in the status window; stepwise pauses continue unchanged.
class StatusFormHooks : public SolveHooks {
public:
    explicit StatusFormHooks(TStatusForm& form) : m_form(form) {}
    void AddStatusLine(std::string_view text) override;
    void ReplaceStatusLine(std::string_view text) override;
    StageAnswer BeforeStage(SolveState&, unsigned, bool) override { return {}; }
    bool StopRequested() override { return m_form.stopRequested(); }

private:
    TStatusForm& m_form;
};

}  // namespace kargolo
