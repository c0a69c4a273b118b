#pragma once

// TStatusForm: the progress of a solve run, one line per step. Every change repaints the window
// at once, because the run blocks the event loop while it works.

#include <QDialog>
#include <QElapsedTimer>

#include "solver/solve_hooks.h"

class QPlainTextEdit;

namespace kargolo {

class TStatusForm : public QDialog {
    Q_OBJECT
public:
    explicit TStatusForm(QWidget* parent = nullptr);

    void setText(const QString& text);
    void addLine(const QString& line);
    void replaceLastLine(const QString& line);
    QString text() const;

private:
    void StatusChange();

    QPlainTextEdit* m_status = nullptr;  // owned by the Qt parent
    QElapsedTimer m_sincePaint;          // a table's rows change the last line thousands of times
};

// The status lines of a run shown in the status window; stepwise pauses continue unchanged.
class StatusFormHooks : public SolveHooks {
public:
    explicit StatusFormHooks(TStatusForm& form) : m_form(form) {}
    void AddStatusLine(std::string_view text) override;
    void ReplaceStatusLine(std::string_view text) override;
    StageAnswer BeforeStage(SolveState&, unsigned) override { return {}; }

private:
    TStatusForm& m_form;
};

}  // namespace kargolo
