#include "qt/windows/plan_check_page.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "documents/text_task_file.h"

namespace kargolo {

TPlanCheckPage::TPlanCheckPage(QWidget* parent) : QWidget(parent) {
    auto* hint = new QLabel(QStringLiteral("Введите найденный план перевозок (пустая клетка - 0) или вставьте его из "
                                           "электронной таблицы (Ctrl+V), укажите полученное значение F и нажмите "
                                           "\"Проверить\"."),
                            this);
    hint->setWordWrap(true);
    m_plan = new QTableWidget(this);
    m_plan->setObjectName(QStringLiteral("PlanGrid"));
    m_plan->installEventFilter(this);
    m_plan->horizontalHeader()->setDefaultSectionSize(64);
    m_statedF = new QLineEdit(this);
    m_statedF->setObjectName(QStringLiteral("StatedF"));
    m_statedF->setToolTip(QStringLiteral("Значение целевой функции, которое вы получили; можно не указывать"));
    auto* check = new QPushButton(QStringLiteral("&Проверить"), this);
    check->setObjectName(QStringLiteral("CheckPlan"));
    check->setToolTip(QStringLiteral("Проверить план: баланс, ограничения, опорность, F и оптимальность"));
    auto* solution = new QPushButton(QStringLiteral("Показать &решение"), this);
    solution->setObjectName(QStringLiteral("ShowSolution"));
    solution->setToolTip(QStringLiteral("Решить задачу и показать отчет о решении"));
    connect(check, &QPushButton::clicked, this, &TPlanCheckPage::checkRequested);
    connect(solution, &QPushButton::clicked, this, &TPlanCheckPage::solutionRequested);
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("&F ="), this);
    label->setBuddy(m_statedF);
    row->addWidget(label);
    row->addWidget(m_statedF);
    row->addStretch();
    row->addWidget(check);
    row->addWidget(solution);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(m_plan, 1);
    layout->addLayout(row);
    resizePlan(3, 3);
}

int TPlanCheckPage::suppliers() const { return m_plan->rowCount(); }
int TPlanCheckPage::consumers() const { return m_plan->columnCount(); }

void TPlanCheckPage::resizePlan(int m, int n) {
    m_plan->setRowCount(m);
    m_plan->setColumnCount(n);
    QStringList rows;
    QStringList columns;
    for (int i = 1; i <= m; ++i) rows << QStringLiteral("A%1").arg(i);
    for (int j = 1; j <= n; ++j) columns << QStringLiteral("B%1").arg(j);
    m_plan->setVerticalHeaderLabels(rows);
    m_plan->setHorizontalHeaderLabels(columns);
}

std::string TPlanCheckPage::readPlan(PlanQuantities& plan, std::optional<std::int64_t>& statedF) const {
    std::vector<TextValueLine> lines;
    for (int i = 0; i < m_plan->rowCount(); ++i) {
        TextValueLine& line = lines.emplace_back();
        line.Number = static_cast<unsigned>(i + 1);
        for (int j = 0; j < m_plan->columnCount(); ++j) {
            const QTableWidgetItem* cell = m_plan->item(i, j);
            line.Values.push_back(cell == nullptr ? std::string() : cell->text().trimmed().toStdString());
        }
    }
    std::string problem = ReadPlan(lines, m_plan->rowCount(), m_plan->columnCount(), plan);
    return problem.empty() ? ReadStatedF(m_statedF->text().toStdString(), statedF) : problem;
}

void TPlanCheckPage::pastePlan(const QString& text) {
    const int top = std::max(m_plan->currentRow(), 0);
    const int left = std::max(m_plan->currentColumn(), 0);
    const std::vector<TextValueLine> lines = ReadTextValues(text.toStdString());
    for (std::size_t r = 0; r < lines.size(); ++r) {
        for (std::size_t c = 0; c < lines[r].Values.size(); ++c) {
            const int i = top + static_cast<int>(r);
            const int j = left + static_cast<int>(c);
            if (i >= m_plan->rowCount() || j >= m_plan->columnCount()) continue;
            m_plan->setItem(i, j, new QTableWidgetItem(QString::fromStdString(lines[r].Values[c])));
        }
    }
}

void TPlanCheckPage::setStatedF(const QString& text) { m_statedF->setText(text); }

bool TPlanCheckPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_plan && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
        pastePlan(QGuiApplication::clipboard()->text());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace kargolo
