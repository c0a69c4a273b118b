#include "qt/windows/about_box.h"

#include <QDesktopServices>
#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace kargolo {

AddressLabel::AddressLabel(QWidget* parent) : QLabel(QString::fromLatin1(kProjectAddress), parent) {
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignCenter);
    setHighlighted(false);
}

void AddressLabel::setHighlighted(bool highlighted) {
    QFont underlined = font();
    underlined.setUnderline(highlighted);
    setFont(underlined);
    setStyleSheet(highlighted ? QStringLiteral("color: red") : QStringLiteral("color: blue"));
}

void AddressLabel::enterEvent(QEnterEvent* event) {
    setHighlighted(true);
    QLabel::enterEvent(event);
}

void AddressLabel::leaveEvent(QEvent* event) {
    setHighlighted(false);
    QLabel::leaveEvent(event);
}

void AddressLabel::mousePressEvent(QMouseEvent* event) {
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + QString::fromLatin1(kProjectAddress)));
    QLabel::mousePressEvent(event);
}

TAboutBox::TAboutBox(bool full, QWidget* parent) : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog) {
    setWindowTitle(QStringLiteral("О программе..."));
    setAttribute(Qt::WA_DeleteOnClose);
    setStyleSheet(QStringLiteral("QDialog { background: white; }"));
    setFixedWidth(380);
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::Box);
    auto* layout = new QVBoxLayout(panel);
    auto* logo = new QLabel(
        QStringLiteral("<span style=\"font-size: 28pt; font-weight: bold; color: #0000FF\">КАРГОЛО</span>"),
        panel);
    auto* edition = new QLabel(QStringLiteral("Карголо 2.0"), panel);
    auto* purpose = new QLabel(
        QStringLiteral("<b>Программа автоматизации обучения решению транспортных задач</b>"), panel);
    purpose->setWordWrap(true);
    auto* authors = new QLabel(QStringLiteral("Разработчики: команда проекта Карголо"), panel);
    for (QLabel* label : {logo, edition, purpose, authors}) {
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    layout->addWidget(new AddressLabel(panel));
    if (full) {
        auto* welcome = new QLabel(
            QStringLiteral("Использование программы в образовательных целях приветствуется."), panel);
        auto* terms = new QLabel(QStringLiteral("Использование программы, приносящее выгоду или "
                                                "вознаграждение, требует разрешения разработчиков."),
                                 panel);
        auto* support = new QLabel(QStringLiteral("Помогите сделать программу лучше: напишите нам, что "
                                                  "понравилось, что мешало и каких задач не хватает."),
                                   panel);
        for (QLabel* label : {welcome, terms, support}) {
            label->setWordWrap(true);
            layout->addWidget(label);
        }
        auto* contacts = new QPlainTextEdit(QString::fromLatin1(kProjectAddress), panel);
        contacts->setReadOnly(true);
        contacts->setMaximumHeight(40);
        layout->addWidget(contacts);
        auto* ok = new QPushButton(QStringLiteral("OK"), panel);
        ok->setDefault(true);
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);  // Escape rejects, closing too
        layout->addWidget(ok, 0, Qt::AlignCenter);
    }
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panel);
}

}  // namespace kargolo
