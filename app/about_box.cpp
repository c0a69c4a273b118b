#include "app/about_box.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kargolo {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog) {
    setWindowTitle(QStringLiteral("О программе..."));
    setAttribute(Qt::WA_DeleteOnClose);
    setStyleSheet(QStringLiteral("background: white"));
    setFixedWidth(380);
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(QStringLiteral("<h2>Карголо 2.0</h2>"), this);
    auto* purpose = new QLabel(
        QStringLiteral("<b>Программа автоматизации обучения решению транспортных задач</b>"), this);
    purpose->setWordWrap(true);
    auto* authors = new QLabel(QStringLiteral("Разработчики Карголо, 2026"), this);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    for (QLabel* label : {name, purpose, authors}) label->setAlignment(Qt::AlignCenter);
    layout->addWidget(name);
    layout->addWidget(purpose);
    layout->addWidget(authors);
    layout->addWidget(ok, 0, Qt::AlignCenter);
}

}  // namespace kargolo
