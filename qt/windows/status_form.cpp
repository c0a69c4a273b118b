#include "qt/windows/status_form.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPalette>
#include <QPushButton>
#include <QScrollBar>
#include <QWindow>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

namespace kargolo {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TStatusForm::TStatusForm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("Решение задачи"));
    setWindowModality(Qt::ApplicationModal);
    m_status = new QPlainTextEdit(this);
    m_status->setReadOnly(true);
    m_status->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette palette = m_status->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    m_status->setPalette(palette);
    m_stop = new QPushButton(QStringLiteral("Прервать"), this);
    m_stop->setToolTip(QStringLiteral("Остановить решение перед следующим этапом (Esc)"));
    m_stop->setAutoDefault(false);
    connect(m_stop, &QPushButton::clicked, this, &TStatusForm::requestStop);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_stop);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->addWidget(m_status);
    layout->addLayout(buttons);
    // Five whole lines of text above the button, each as wide as the longest status line with
    // the numbers of a large task, so that no line wraps and none is cut.
    const int frame = 2 * m_status->frameWidth() + 2 * static_cast<int>(m_status->document()->documentMargin());
    m_status->setFixedHeight(5 * m_status->fontMetrics().lineSpacing() + frame);
    const QString widest = QStringLiteral("План вырожденный: число базисов = 9999999 < m+n-1 = 9999999.");
    const int width = m_status->fontMetrics().horizontalAdvance(widest) + frame +
                      m_status->verticalScrollBar()->sizeHint().width() + 8;
    setFixedSize(std::max(330, width), sizeHint().height());
}

void TStatusForm::startRun(const QString& firstLine) {
    m_stopRequested = false;
    m_stop->setEnabled(true);
    setText(firstLine);
    show();
    activateWindow();
    // A window manager maps the window in its own time: its events are handled until it is
    // shown, so that the run does not start under an unpainted frame.
    QElapsedTimer waited;
    waited.start();
    while (!(windowHandle() != nullptr && windowHandle()->isExposed()) && waited.elapsed() < 500) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    QCoreApplication::processEvents();
    m_sincePaint.start();
}

void TStatusForm::reject() { requestStop(); }

void TStatusForm::requestStop() {
    m_stopRequested = true;
    m_stop->setEnabled(false);
    addLine(QStringLiteral("Решение будет прервано перед следующим этапом"));
}

void TStatusForm::setText(const QString& text) {
    m_status->setPlainText(text);
    StatusChange();
}

void TStatusForm::addLine(const QString& line) {
    m_status->appendPlainText(line);
    StatusChange();
}

void TStatusForm::replaceLastLine(const QString& line) {
    QTextCursor cursor(m_status->document());
    cursor.movePosition(QTextCursor::End);
    cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(line);
    StatusChange();
}

QString TStatusForm::text() const { return m_status->toPlainText(); }

// Handles the window's events now (painting, the stop button), as the run that adds the lines
// keeps the event loop from doing it, but no more often than the eye can follow.
void TStatusForm::StatusChange() {
    constexpr qint64 kPaintInterval = 40;  // milliseconds
    m_status->moveCursor(QTextCursor::End);  // the newest line in view, not the first
    m_status->ensureCursorVisible();
    if (!isVisible() || (m_sincePaint.isValid() && m_sincePaint.elapsed() < kPaintInterval)) return;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    m_sincePaint.start();
}

void StatusFormHooks::AddStatusLine(std::string_view text) { m_form.addLine(FromUtf8(text)); }

void StatusFormHooks::ReplaceStatusLine(std::string_view text) {
    m_form.replaceLastLine(FromUtf8(text));
}

}  // namespace kargolo
