#include "qt/windows/settings_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "qt/windows/settings_keeper.h"

namespace kargolo {

TSettings::TSettings(SettingsKeeper* persist, QWidget* parent) : QDialog(parent), m_persist(persist) {
    setWindowTitle(QStringLiteral("Карголо - настройки"));
    auto* grid = new QGridLayout(this);
    m_solveMethod = addGroup(grid, 0, 0, QStringLiteral("Метод решения транспортной задачи"),
                             {QStringLiteral("Распределительный метод"), QStringLiteral("Метод потенциалов")},
                             QStringLiteral("Укажите, каким методом будет решаться транспортная задача"));
    m_solveMode = addGroup(grid, 0, 1, QStringLiteral("Режим решения транспортной задачи"),
                           {QStringLiteral("Проверочный (быстро - только результат)"),
                            QStringLiteral("Детальный (долго - весь ход решения)"),
                            QStringLiteral("Пошаговый")},
                           QStringLiteral("При проверочном режиме программа выдает только таблицу с "
                                          "решением транспортной задачи "));
    m_planMethod = addGroup(grid, 1, 0, QStringLiteral("Метод нахождения опорного плана"),
                            {QStringLiteral("Метод северо-западного угла"),
                             QStringLiteral("Метод минимального элемента"), QStringLiteral("Метод Фогеля"),
                             QStringLiteral("Метод двойного предпочтения")},
                            QStringLiteral("Задайте метод нахождения опорного плана"));
    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    auto* estimations = new QGridLayout;
    m_estimationDisplaying = addGroup(estimations, 0, 0, QStringLiteral("Отображение оценок"),
                                      {QStringLiteral("построчное"), QStringLiteral("в виде таблицы"),
                                       QStringLiteral("построчное + таблица")},
                                      QString());
    rightLayout->addLayout(estimations);
    m_editingMode = new QCheckBox(QStringLiteral("Редактирование файла решения"), right);
    rightLayout->addWidget(m_editingMode);
    m_otherOptima = new QCheckBox(QStringLiteral("Показывать другие оптимальные планы"), right);
    m_otherOptima->setToolTip(QStringLiteral(
        "Отчет скажет, единственный ли оптимальный план, а если нет - покажет второй оптимальный план"));
    rightLayout->addWidget(m_otherOptima);
    rightLayout->addLayout(createReportLimit(right));
    grid->addWidget(right, 1, 1);
    auto* note = new QLabel(
        QStringLiteral("При решении задач с ограниченными пропускными способностями метод нахождения "
                       "опорного плана и метод решения игнорируются: опорный план находится методом "
                       "минимального элемента, адаптированным к ТЗ с ограничениями, задача решается "
                       "методом потенциалов"),
        this);
    note->setWordWrap(true);
    grid->addWidget(note, 2, 0, 1, 2);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 3, 0, 1, 2);
    setValues(m_persist != nullptr ? m_persist->load() : SolveSettings{});
    m_planMethod->button(m_planMethod->checkedId())->setFocus();
}

QButtonGroup* TSettings::addGroup(QGridLayout* layout, int row, int column, const QString& caption,
                                  const QStringList& items, const QString& hint) {
    auto* box = new QGroupBox(caption, this);
    box->setStatusTip(hint);
    box->setToolTip(hint);
    auto* boxLayout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(this);
    for (int index = 0; index < items.size(); ++index) {
        auto* button = new QRadioButton(items[index], box);
        group->addButton(button, index);
        boxLayout->addWidget(button);
    }
    layout->addWidget(box, row, column);
    return group;
}

QLayout* TSettings::createReportLimit(QWidget* parent) {
    auto* row = new QHBoxLayout;
    m_reportLimit = new QSpinBox(parent);
    m_reportLimit->setRange(0, static_cast<int>(kLargestReportLimitMb));
    m_reportLimit->setSingleStep(256);
    m_reportLimit->setSuffix(QStringLiteral(" МБ"));
    m_reportLimit->setSpecialValueText(QStringLiteral("без предела"));
    const QString hint = QStringLiteral("Когда отчет достигает этого размера, ход решения дальше не "
                                        "записывается. Условие задачи, опорный план и ответ записываются "
                                        "всегда, поэтому отчет большой задачи бывает и больше");
    m_reportLimit->setStatusTip(hint);
    m_reportLimit->setToolTip(QStringLiteral("<p>%1</p>").arg(hint.toHtmlEscaped()));  // wrapped
    auto* label = new QLabel(QStringLiteral("Предельный размер &отчета:"), parent);
    label->setBuddy(m_reportLimit);
    row->addWidget(label);
    row->addWidget(m_reportLimit);
    return row;
}

SolveSettings TSettings::values() const {
    SolveSettings settings;
    settings.SolveMethod = m_solveMethod->checkedId();
    settings.SolveMode = m_solveMode->checkedId();
    settings.PlanMethod = m_planMethod->checkedId();
    settings.EstimationDisplaying = m_estimationDisplaying->checkedId();
    settings.EditingMode = m_editingMode->isChecked();
    settings.OtherOptima = m_otherOptima->isChecked();
    settings.ReportLimitMb = static_cast<std::uint32_t>(m_reportLimit->value());
    return settings;
}

void TSettings::setValues(const SolveSettings& settings) {
    m_solveMethod->button(settings.SolveMethod)->setChecked(true);
    m_solveMode->button(settings.SolveMode)->setChecked(true);
    m_planMethod->button(settings.PlanMethod)->setChecked(true);
    m_estimationDisplaying->button(settings.EstimationDisplaying)->setChecked(true);
    m_editingMode->setChecked(settings.EditingMode);
    m_otherOptima->setChecked(settings.OtherOptima);
    m_reportLimit->setValue(static_cast<int>(settings.ReportLimitMb));
}

void TSettings::done(int result) {
    if (result == QDialog::Accepted && m_persist != nullptr) m_persist->store(values());
    QDialog::done(result);
}

}  // namespace kargolo
