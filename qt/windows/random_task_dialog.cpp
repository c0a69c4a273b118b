#include "qt/windows/random_task_dialog.h"

#include "qt/windows/busy_run.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpressionValidator>
#include <QSpinBox>

namespace kargolo {
namespace {

QSpinBox* SpinBox(int lowest, int highest, int value, const QString& hint, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(lowest, highest);
    box->setValue(value);
    box->setStatusTip(hint);
    box->setToolTip(hint);
    return box;
}

// A label whose access key goes to a field standing in a row of several widgets.
QLabel* Buddy(const QString& text, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    return label;
}

}  // namespace

TRandomTaskDialog::TRandomTaskDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Случайная задача"));
    auto* form = new QFormLayout;
    m_kind = new QComboBox(this);
    m_kind->addItems({QStringLiteral("транспортная задача"), QStringLiteral("транспортная задача по критерию времени"),
                      QStringLiteral("задача о назначениях")});
    m_kind->setToolTip(QStringLiteral("По критерию времени числа таблицы - времена перевозок; в задаче о назначениях "
                                      "строки - исполнители, колонки - работы, числа - стоимости"));
    form->addRow(QStringLiteral("В&ид задачи:"), m_kind);
    m_suppliers = SpinBox(2, 1000, 3, QStringLiteral("Число поставщиков (строк таблицы)"), this);
    m_consumers = SpinBox(2, 1000, 4, QStringLiteral("Число потребителей (колонок таблицы)"), this);
    auto* size = new QHBoxLayout;
    size->addWidget(m_suppliers);
    size->addWidget(new QLabel(QStringLiteral("x"), this));
    size->addWidget(m_consumers);
    size->addStretch();
    form->addRow(Buddy(QStringLiteral("&Поставщиков x потребителей:"), m_suppliers, this), size);
    m_suppliers->setObjectName(QStringLiteral("Suppliers"));
    m_consumers->setObjectName(QStringLiteral("Consumers"));

    m_type = new QComboBox(this);
    m_type->addItems({QStringLiteral("закрытая"), QStringLiteral("открытая: запасы больше потребностей"),
                      QStringLiteral("открытая: потребности больше запасов")});
    form->addRow(QStringLiteral("&Тип задачи:"), m_type);
    m_degenerate = new QCheckBox(QStringLiteral("&Вырожденная (часть запасов равна части потребностей)"), this);
    form->addRow(QString(), m_degenerate);

    m_lowestTariff = SpinBox(-1000000, 1000000, 1, QStringLiteral("Наименьший тариф"), this);
    m_highestTariff = SpinBox(-1000000, 1000000, 9, QStringLiteral("Наибольший тариф"), this);
    auto* tariffs = new QHBoxLayout;
    tariffs->addWidget(m_lowestTariff);
    tariffs->addWidget(new QLabel(QStringLiteral("до"), this));
    tariffs->addWidget(m_highestTariff);
    tariffs->addStretch();
    form->addRow(Buddy(QStringLiteral("Та&рифы от:"), m_lowestTariff, this), tariffs);

    m_limitedPercent = SpinBox(0, 100, 0, QStringLiteral("Доля маршрутов с ограничением пропускной способности; "
                                                         "0 - без ограничений"), this);
    m_limitedPercent->setSuffix(QStringLiteral(" %"));
    form->addRow(QStringLiteral("&Ограниченных маршрутов:"), m_limitedPercent);
    m_tightness = SpinBox(0, 100, 50, QStringLiteral("Насколько ограничение может быть меньше "
                                                     "min(запас, потребность)"), this);
    m_tightness->setSuffix(QStringLiteral(" %"));
    form->addRow(QStringLiteral("&Строгость ограничений:"), m_tightness);
    m_allowUnsolvable = new QCheckBox(QStringLiteral("&Допускать задачи, неразрешимые из-за ограничений"), this);
    form->addRow(QString(), m_allowUnsolvable);
    m_unique = new QCheckBox(QStringLiteral("&Единственный оптимальный план"), this);
    form->addRow(QString(), m_unique);

    m_seed = new QLineEdit(this);
    m_seed->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{1,19}")), m_seed));
    m_seed->setToolTip(QStringLiteral("С тем же зерном получается та же задача"));
    auto* another = new QPushButton(QStringLiteral("Дру&гое"), this);
    another->setToolTip(QStringLiteral("Новое случайное зерно"));
    connect(another, &QPushButton::clicked, this, &TRandomTaskDialog::newSeed);
    auto* seed = new QHBoxLayout;
    seed->addWidget(m_seed, 1);
    seed->addWidget(another);
    form->addRow(Buddy(QStringLiteral("&Зерно:"), m_seed, this), seed);
    newSeed();

    m_variants = SpinBox(1, 500, 25, QStringLiteral("Сколько вариантов (задач одного зерна) в наборе для печати"), this);
    m_variants->setObjectName(QStringLiteral("Variants"));
    form->addRow(QStringLiteral("&Вариантов в наборе:"), m_variants);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Создать"));
    m_makeSet = buttons->addButton(QStringLiteral("&Набор вариантов..."), QDialogButtonBox::ActionRole);
    m_makeSet->setObjectName(QStringLiteral("MakeSet"));
    m_makeSet->setToolTip(QStringLiteral("Записать в папку задачи, листы вариантов для печати (каждый вариант на "
                                         "своей странице) и ответы для преподавателя; только для транспортной "
                                         "задачи"));
    connect(m_makeSet, &QPushButton::clicked, this, &TRandomTaskDialog::makeSet);
    connect(m_limitedPercent, &QSpinBox::valueChanged, this, &TRandomTaskDialog::enableLimitOptions);
    connect(m_kind, &QComboBox::currentIndexChanged, this, &TRandomTaskDialog::enableLimitOptions);
    enableLimitOptions();
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void TRandomTaskDialog::newSeed() {
    m_seed->setText(QString::number(QRandomGenerator::global()->bounded(1000000000u)));
}

// A matrix of the assignment problem has no type, degeneracy or limits; sets of variants to print
// are made of transportation tasks only.
void TRandomTaskDialog::enableLimitOptions() {
    const bool transport = m_kind->currentIndex() == static_cast<int>(ExerciseKind::Transport);
    m_variants->setEnabled(transport);
    m_makeSet->setEnabled(transport);
    const bool rims = m_kind->currentIndex() != static_cast<int>(ExerciseKind::Assignment);
    const bool limits = rims && m_limitedPercent->value() > 0;
    for (QWidget* option : std::initializer_list<QWidget*>{m_type, m_degenerate, m_limitedPercent}) option->setEnabled(rims);
    m_tightness->setEnabled(limits);
    m_allowUnsolvable->setEnabled(limits);
}

ExerciseOptions TRandomTaskDialog::options() const {
    ExerciseOptions o;
    o.Kind = static_cast<ExerciseKind>(m_kind->currentIndex());
    const bool rims = o.Kind != ExerciseKind::Assignment;
    o.Suppliers = m_suppliers->value();
    o.Consumers = m_consumers->value();
    o.Type = rims ? static_cast<ExerciseType>(m_type->currentIndex()) : ExerciseType::Closed;
    o.Degenerate = rims && m_degenerate->isChecked();
    o.LowestTariff = m_lowestTariff->value();
    o.HighestTariff = m_highestTariff->value();
    o.LimitedPercent = rims ? m_limitedPercent->value() : 0;
    o.Tightness = m_tightness->value();
    o.AllowUnsolvable = m_allowUnsolvable->isChecked();
    o.UniqueOptimum = m_unique->isChecked();
    o.Seed = m_seed->text().toULongLong();
    return o;
}

void TRandomTaskDialog::setOptions(const ExerciseOptions& o) {
    m_kind->setCurrentIndex(static_cast<int>(o.Kind));
    m_suppliers->setValue(o.Suppliers);
    m_consumers->setValue(o.Consumers);
    m_type->setCurrentIndex(static_cast<int>(o.Type));
    m_degenerate->setChecked(o.Degenerate);
    m_lowestTariff->setValue(o.LowestTariff);
    m_highestTariff->setValue(o.HighestTariff);
    m_limitedPercent->setValue(o.LimitedPercent);
    m_tightness->setValue(o.Tightness);
    m_allowUnsolvable->setChecked(o.AllowUnsolvable);
    m_unique->setChecked(o.UniqueOptimum);
    m_seed->setText(QString::number(o.Seed));
}

unsigned TRandomTaskDialog::variantCount() const { return static_cast<unsigned>(m_variants->value()); }

void TRandomTaskDialog::makeSet() {
    const ExerciseOptions wanted = options();
    if (wanted.Kind != ExerciseKind::Transport) return;
    const unsigned count = variantCount();
    RunBusy(this, QStringLiteral("Создание вариантов..."), [this, &wanted, count] { m_set = MakeVariantSet(wanted, count); });
    if (!m_set.Failure.empty()) {
        QMessageBox::warning(this, QStringLiteral("Карголо 2"), QString::fromStdString(m_set.Failure));
        return;
    }
    m_wantsSet = true;
    QDialog::accept();
}

void TRandomTaskDialog::accept() {
    // Large tasks with a unique optimum may take many draws, each one solved.
    const ExerciseOptions wanted = options();
    RunBusy(this, QStringLiteral("Создание задачи..."), [this, &wanted] { m_exercise = GenerateExercise(wanted, 0); });
    if (!m_exercise.Failure.empty()) {
        QMessageBox::warning(this, QStringLiteral("Карголо 2"), QString::fromStdString(m_exercise.Failure));
        return;
    }
    QDialog::accept();
}

}  // namespace kargolo
