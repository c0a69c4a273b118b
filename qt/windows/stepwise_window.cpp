#include "qt/windows/stepwise_window.h"

#include <algorithm>

#include <QAbstractTableModel>
#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QBrush>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "documents/plan_picture.h"
#include "qt/windows/plan_picture_window.h"
#include "qt/windows/task_grid_view.h"
#include "qt/windows/typed_cell_delegate.h"
#include "solver/report_buffer.h"
#include "solver/report_writer.h"

namespace kargolo {

namespace {

QString EpsText(EpsValue value) { return QString::fromStdString(FormatEpsValue(value)); }

QString ColumnCaption(const SolveState& s, int column) {
    return column < s.n ? QStringLiteral("потребитель B%1").arg(column + 1) : QStringLiteral("Запасы груза");
}

QString RowCaption(const SolveState& s, int row) {
    return row < s.m ? QStringLiteral("поставщик A%1").arg(row + 1) : QStringLiteral("Потребности");
}

}  // namespace

// The plan grid: the plan cells, the supplies in the last column and the demands in the last
// row. Only plan cells can be entered, and with limits not those of closed routes.
class PlanGridModel : public QAbstractTableModel {
public:
    PlanGridModel(SolveState& s, PlanEditor& editor) : m_s(s), m_editor(editor) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : m_s.m + 1;
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : m_s.n + 1;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole) return {};
        return orientation == Qt::Horizontal ? ColumnCaption(m_s, section) : RowCaption(m_s, section);
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!isPlanCell(index) || (m_s.RestrictedTask && IsClosedRoute(cell(index)))) return Qt::NoItemFlags;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        if (role == Qt::DisplayRole || role == Qt::EditRole) return text(index);
        if (role == Qt::BackgroundRole) {
            if (index.row() == m_s.m && index.column() == m_s.n) return QBrush(QColor(0x80, 0x80, 0x80));
            if (!isPlanCell(index)) return QBrush(QColor(0xAA, 0xAA, 0xAA));
            if (m_s.RestrictedTask && IsClosedRoute(cell(index))) return QBrush(QColor(0xD8, 0xD6, 0xDA));
        }
        if (role == Qt::ForegroundRole) {
            if (!isPlanCell(index)) return QBrush(QApplication::palette().color(QPalette::WindowText));
            if (isBasicQuantity(index)) return QBrush(Qt::blue);
        }
        return {};
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::EditRole || !isPlanCell(index)) return false;
        const PlanEditor::EditResult result =
            m_editor.AcceptCellEdit(index.row(), index.column(), value.toString().toStdString());
        // A refusal holds the cursor for the move that committed the text, not for later ones.
        LastAccepted = result.Accepted;
        LastNote = QString::fromStdString(result.Note);
        if (!result.Accepted) QTimer::singleShot(0, this, [this] { LastAccepted = true; });
        emit dataChanged(this->index(0, 0), this->index(m_s.m, m_s.n));
        return result.Accepted;
    }

    bool LastAccepted = true;
    QString LastNote;  // why the last quantity entered was cut, or empty

private:
    bool isPlanCell(const QModelIndex& index) const {
        return index.isValid() && index.row() < m_s.m && index.column() < m_s.n;
    }
    const TaskCell& cell(const QModelIndex& index) const { return m_s.Cell(index.row(), index.column()); }
    QString text(const QModelIndex& index) const {
        if (index.row() == m_s.m && index.column() == m_s.n) return {};
        if (index.column() == m_s.n) return EpsText(AsEpsValue(m_s.Supplies[static_cast<std::size_t>(index.row())]));
        if (index.row() == m_s.m) return EpsText(AsEpsValue(m_s.Demands[static_cast<std::size_t>(index.column())]));
        return InBasis(cell(index)) ? EpsText(PlanQuantity(cell(index))) : QString();
    }
    // Blue for a basic quantity: with limits a positive one below the cell's limit.
    bool isBasicQuantity(const QModelIndex& index) const {
        const TaskCell& c = cell(index);
        return m_s.RestrictedTask ? CarriesCargo(c) && BelowLimit(c) : InBasis(c);
    }

    SolveState& m_s;
    PlanEditor& m_editor;
};

TstpForm::TstpForm(SolveState& s, unsigned stage, UserDialogs& dialogs, QWidget* parent, bool backOffered,
                   unsigned stepsBack)
    : QDialog(parent),
      m_s(s),
      m_dialogs(dialogs),
      m_editor(s),
      m_stage(stage),
      m_backOffered(backOffered),
      m_stepsBack(stepsBack) {
    setWindowTitle(QStringLiteral("Карголо - пошаговое решение"));
    auto* pages = new QTabWidget(this);
    pages->addTab(createReadOnlyGrid(false), QStringLiteral("Тарифы"));
    const int limitsPage = pages->addTab(createReadOnlyGrid(true), QStringLiteral("Ограничения"));
    pages->setTabVisible(limitsPage, m_s.RestrictedTask);
    m_model = std::make_unique<PlanGridModel>(m_s, m_editor);
    m_cargo = new TaskGridView(this);
    m_cargo->setModel(m_model.get());
    m_cargo->setItemDelegate(new TypedCellDelegate(
        [](const QModelIndex&, std::string_view text) { return CheckTypedQuantity(text); }, m_cargo));
    m_cargo->setToolTip(QStringLiteral("Заполните таблицу стоимостей перевозок"));
    m_cargo->mayLeaveCell = [this](const QModelIndex&, const QModelIndex&) {
        const bool accepted = m_model->LastAccepted;
        m_model->LastAccepted = true;
        return accepted;
    };
    connect(m_cargo, &TaskGridView::enterPressed, this, [this] { onCellAccepted(); });
    connect(m_model.get(), &QAbstractItemModel::dataChanged, this, [this] { onCellAccepted(); });
    m_cargo->setCurrentIndex(m_model->index(0, 0));
    // Delete empties the current cell, as an empty text typed into it would.
    auto* clear = new QAction(m_cargo);
    clear->setShortcut(QKeySequence::Delete);
    clear->setShortcutContext(Qt::WidgetShortcut);
    connect(clear, &QAction::triggered, this, [this] { typeIntoCell(m_cargo->currentIndex().row(), m_cargo->currentIndex().column(), {}); });
    m_cargo->addAction(clear);
    auto* plan = new QWidget(this);
    auto* planLayout = new QVBoxLayout(plan);
    planLayout->setContentsMargins(0, 0, 0, 0);
    planLayout->addWidget(m_cargo, 1);
    m_editNote = new QLabel(plan);
    m_editNote->setStyleSheet(QStringLiteral("color: #b00000"));
    m_editNote->hide();
    planLayout->addWidget(m_editNote);
    pages->addTab(plan, QStringLiteral("Перевозки"));
    pages->setCurrentWidget(plan);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages, 1);
    layout->addWidget(createPanel(stage));
    showPlanCheck();
    fitToTask();
    m_cargo->setFocus();  // typing goes to the plan from the start
}

namespace {

// What the label of a stage says after the user went back: whose plan is shown.
QString BackNote(unsigned stage, unsigned stepsBack) {
    return QStringLiteral("(возврат: план начала этапа %1)").arg(stage > stepsBack ? stage - stepsBack : 1);
}

}  // namespace

// Large enough to show the whole task without scrolling, up to the screen's free area; never
// smaller than the window the design draws.
void TstpForm::fitToTask() {
    m_cargo->fitToCaptions();
    m_cargo->setMinimumSize(m_cargo->wholeSize());  // only while the layout measures the window
    layout()->activate();
    const QSize wanted = sizeHint();
    m_cargo->setMinimumSize(0, 0);
    QSize room(1024, 768);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) room = screen->availableGeometry().size() * 9 / 10;
    resize(std::clamp(wanted.width(), 551, std::max(room.width(), 551)),
           std::clamp(wanted.height(), 414, std::max(room.height(), 414)));
}

TstpForm::~TstpForm() = default;

QTableWidget* TstpForm::createReadOnlyGrid(bool limits) {
    auto* grid = new QTableWidget(m_s.m + 1, m_s.n + 1, this);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setToolTip(QStringLiteral("Заполните таблицу стоимостей перевозок"));
    for (int j = 0; j <= m_s.n; ++j) grid->setHorizontalHeaderItem(j, new QTableWidgetItem(ColumnCaption(m_s, j)));
    for (int i = 0; i <= m_s.m; ++i) grid->setVerticalHeaderItem(i, new QTableWidgetItem(RowCaption(m_s, i)));
    for (int i = 0; i < m_s.m; ++i) {
        for (int j = 0; j < m_s.n; ++j) {
            const TaskCell& c = m_s.Cell(i, j);
            QString text;
            if (limits) {
                text = c.Limit == kNoLimit ? QStringLiteral("M") : QString::number(c.Limit);
            } else {
                text = c.TariffM < 0 ? QStringLiteral("-M") : c.TariffM > 0 ? QStringLiteral("M") : QString::number(c.Tariff);
            }
            auto* item = new QTableWidgetItem(text);
            if (limits) item->setForeground(Qt::red);
            if (m_s.RestrictedTask && IsClosedRoute(c)) item->setBackground(QColor(0xD8, 0xD6, 0xDA));
            grid->setItem(i, j, item);
        }
        auto* supply = new QTableWidgetItem(EpsText(AsEpsValue(m_s.Supplies[static_cast<std::size_t>(i)])));
        supply->setBackground(QColor(0xAA, 0xAA, 0xAA));
        grid->setItem(i, m_s.n, supply);
    }
    for (int j = 0; j < m_s.n; ++j) {
        auto* demand = new QTableWidgetItem(EpsText(AsEpsValue(m_s.Demands[static_cast<std::size_t>(j)])));
        demand->setBackground(QColor(0xAA, 0xAA, 0xAA));
        grid->setItem(m_s.m, j, demand);
    }
    auto* corner = new QTableWidgetItem();
    corner->setBackground(QColor(0x80, 0x80, 0x80));
    grid->setItem(m_s.m, m_s.n, corner);
    FitToCaptions(grid);
    return grid;
}

QWidget* TstpForm::createPanel(unsigned stage) {
    auto* panel = new QWidget(this);
    panel->setFixedHeight(160);
    auto* layout = new QHBoxLayout(panel);
    auto* values = new QVBoxLayout;
    auto bold = [panel](const QString& text) {
        auto* label = new QLabel(text, panel);
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        return label;
    };
    auto* etap = new QHBoxLayout;
    etap->addWidget(new QLabel(QStringLiteral("Этап"), panel));
    etap->addWidget(bold(QString::number(stage)));
    if (m_stepsBack > 0) etap->addWidget(new QLabel(BackNote(stage, m_stepsBack), panel));
    etap->addStretch();
    values->addLayout(etap);
    auto* initial = new QHBoxLayout;
    initial->addWidget(new QLabel(QStringLiteral("Целевая функция"), panel));
    initial->addWidget(bold(QString::fromStdString(Format("%lld", static_cast<long long>(m_editor.initialCost())))));
    initial->addStretch();
    values->addLayout(initial);
    auto* changed = new QHBoxLayout;
    changed->addWidget(new QLabel(QStringLiteral("после изменения"), panel));
    m_targetFunction = bold(QString());
    changed->addWidget(m_targetFunction);
    changed->addStretch();
    values->addLayout(changed);
    auto* buttons = new QHBoxLayout;
    // One action per command: its key works anywhere in the window, its button shows it.
    const struct {
        QStyle::StandardPixmap Icon;
        const char* Text;
        const char* Hint;
        QKeySequence Keys;
        void (TstpForm::*Slot)();
    } commands[] = {
        {QStyle::SP_BrowserStop, "Прервать", "Нажмите  ESC, чтобы прервать ход рещения ", Qt::Key_Escape,
         &TstpForm::AbortButtonClick},
        {QStyle::SP_FileDialogContentsView, "Схема", "Нажмите  CTRL+G, чтобы увидеть схему перевозок этого плана",
         Qt::CTRL | Qt::Key_G, &TstpForm::PictureButtonClick},
        {QStyle::SP_ArrowBack, "Назад", "Нажмите  ALT+LEFT, чтобы вернуть таблицу перевозок, с которой начинался "
         "предыдущий этап", Qt::ALT | Qt::Key_Left, &TstpForm::BackButtonClick},
        {QStyle::SP_MediaSeekForward, "До конца", "Нажмите  CTRL+F9, чтобы решить задачу ", Qt::CTRL | Qt::Key_F9,
         &TstpForm::GoButtonClick},
        {QStyle::SP_MediaPlay, "Следующий шаг", "Нажмите  F9 для перехода к следующему шагу", Qt::Key_F9,
         &TstpForm::NextStepButtonClick},
    };
    for (const auto& command : commands) {
        auto* action = new QAction(style()->standardIcon(command.Icon), QString::fromUtf8(command.Text), this);
        action->setShortcut(command.Keys);
        action->setToolTip(QString::fromUtf8(command.Hint));
        connect(action, &QAction::triggered, this, command.Slot);
        if (command.Slot == &TstpForm::BackButtonClick && !m_backOffered) {
            action->setEnabled(false);
            action->setToolTip(QStringLiteral("На первом этапе возвращаться некуда"));
        }
        addAction(action);
        auto* button = new QToolButton(panel);
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        buttons->addWidget(button);
    }
    values->addLayout(buttons);
    layout->addLayout(values);
    auto* check = new QVBoxLayout;
    check->addWidget(new QLabel(QStringLiteral("План перевозок:"), panel));
    m_opplan = new QPlainTextEdit(panel);
    m_opplan->setReadOnly(true);
    check->addWidget(m_opplan);
    layout->addLayout(check, 1);
    return panel;
}

void TstpForm::showPlanCheck() {
    QStringList lines;
    for (const std::string& line : m_editor.check().Lines) lines << QString::fromStdString(line);
    m_opplan->setPlainText(lines.join('\n'));
}

void TstpForm::onCellAccepted() {
    showPlanCheck();
    m_editNote->setText(m_model->LastNote);
    m_editNote->setVisible(!m_model->LastNote.isEmpty());
    if (m_editor.planChanged()) {
        m_targetFunction->setText(QString::fromStdString(Format("%lld", static_cast<long long>(m_editor.currentCost()))));
    }
}

bool TstpForm::typeIntoCell(int i, int j, const QString& text) {
    if (!(m_model->flags(m_model->index(i, j)) & Qt::ItemIsEditable)) return false;
    m_cargo->setCurrentIndex(m_model->index(i, j));
    m_model->setData(m_model->index(i, j), text, Qt::EditRole);
    const bool accepted = m_model->LastAccepted;
    m_model->LastAccepted = true;
    return accepted;
}

QString TstpForm::planCheckText() const { return m_opplan->toPlainText(); }
QString TstpForm::editNoteText() const { return m_editNote->isHidden() ? QString() : m_editNote->text(); }
QString TstpForm::targetFunctionText() const { return m_targetFunction->text(); }

void TstpForm::NextStepButtonClick() {
    m_continueRequested = true;
    close();
}

void TstpForm::GoButtonClick() {
    m_runToEnd = true;
    m_continueRequested = true;
    close();
}

void TstpForm::AbortButtonClick() {
    m_continueRequested = false;
    close();
}

void TstpForm::BackButtonClick() {
    if (!m_backOffered) return;
    m_backRequested = true;
    close();
}

// The plan as it stands in the window, edits included.
void TstpForm::PictureButtonClick() {
    m_cargo->commitCurrentEdit();
    QString caption = QStringLiteral("Этап %1").arg(m_stage);
    if (m_stepsBack > 0) caption += QLatin1Char(' ') + BackNote(m_stage, m_stepsBack);
    const PlanSketch sketch = SketchOfPlan(m_s, caption.toStdString());
    auto* picture = new TPlanPictureWindow(PlanSvg(sketch), caption, m_dialogs, this);
    picture->setWindowFlag(Qt::Window);
    picture->setWindowModality(Qt::WindowModal);
    // Wholly on the screen, beside or over the stepwise window.
    if (const QScreen* screen = this->screen()) {
        const QRect room = screen->availableGeometry();
        picture->resize(picture->size().boundedTo(room.size() * 9 / 10));
        QRect place(geometry().topLeft() + QPoint(40, 40), picture->frameSize());
        place.moveRight(std::min(place.right(), room.right()));
        place.moveBottom(std::min(place.bottom(), room.bottom()));
        picture->move(place.topLeft().x() < room.left() ? room.left() : place.left(),
                      place.top() < room.top() ? room.top() : place.top());
    }
    picture->show();
}

void TstpForm::closeEvent(QCloseEvent* event) {
    m_cargo->commitCurrentEdit();
    if (m_backRequested) {
        // The plan of the previous stage replaces this one, edits and all.
        event->accept();
        if (!m_closing) {
            m_closing = true;
            done(kBackResult);
        }
        return;
    }
    if (m_continueRequested) {
        if (const std::string refusal = m_editor.continueRefusal(); !refusal.empty()) {
            m_dialogs.showMessage(this, QString::fromStdString(refusal));
            event->ignore();
            return;
        }
    } else if (!m_dialogs.askYesNo(this, QStringLiteral("Прервать выполнение?"))) {
        event->ignore();
        return;
    }
    FinishStepwiseEdits(m_s);
    event->accept();
    if (!m_closing) {
        m_closing = true;
        done(!m_continueRequested ? kAbortResult : m_runToEnd ? kRunToEndResult : QDialog::Accepted);
    }
}

StageAnswer StepwiseHooks::BeforeStage(SolveState& s, unsigned stage, bool backOffered) {
    TstpForm form(s, stage, m_dialogs, m_parent, backOffered, m_stepsBack);
    const int result = form.exec();
    m_stepsBack = result == TstpForm::kBackResult ? m_stepsBack + 1 : 0;
    switch (result) {
        case TstpForm::kAbortResult: return {StageDecision::Abort, form.planChanged()};
        case TstpForm::kRunToEndResult: return {StageDecision::RunToEnd, form.planChanged()};
        case TstpForm::kBackResult: return {StageDecision::Back, false};
        default: return {StageDecision::Continue, form.planChanged()};
    }
}

}  // namespace kargolo
