#include "app/status_form.h"

#include <QPalette>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QVBoxLayout>

namespace kargolo {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TStatusForm::TStatusForm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("Решение задачи"));
    setFixedSize(310, 103);
    m_status = new QPlainTextEdit(this);
    m_status->setReadOnly(true);
    m_status->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette palette = m_status->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    m_status->setPalette(palette);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_status);
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

// Paints now, as the run that adds the lines keeps the event loop from doing it, but no more
// often than the eye can follow.
void TStatusForm::StatusChange() {
    constexpr qint64 kPaintInterval = 40;  // milliseconds
    m_status->ensureCursorVisible();
    if (!isVisible() || (m_sincePaint.isValid() && m_sincePaint.elapsed() < kPaintInterval)) return;
    repaint();
    m_sincePaint.start();
}

void StatusFormHooks::AddStatusLine(std::string_view text) { m_form.addLine(FromUtf8(text)); }

void StatusFormHooks::ReplaceStatusLine(std::string_view text) {
    m_form.replaceLastLine(FromUtf8(text));
}

}  // namespace kargolo
