#include "qt/windows/task_editor_window.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QClipboard>
#include <QGuiApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMenu>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <utility>

#include "documents/text_task_file.h"
#include "qt/windows/grid_model.h"
#include "qt/windows/plan_check_page.h"
#include "qt/windows/task_grid_view.h"
#include "qt/windows/typed_cell_delegate.h"
#include "qt/windows/window_caption.h"

namespace kargolo {
namespace {

// The pages show the grids in the order of GridKind.
constexpr int kTarifsPage = 0;
constexpr int kRestrictionsPage = 1;
constexpr int kMandatoryPage = 2;
constexpr GridKind kKinds[] = {GridKind::Tarif, GridKind::Restriction, GridKind::Mandatory};

int PageOf(GridKind kind) { return static_cast<int>(kind); }
// Steps kept for undo: a step of a large task's shape holds its grids twice.
constexpr int kUndoSteps = 100;

std::filesystem::path ToPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

// A change of many cells or of the task's shape: the grids before and after it.
class GridsCommand : public QUndoCommand {
public:
    using Restore = std::function<void(const TaskGrids&)>;
    GridsCommand(const QString& text, TaskGrids before, TaskGrids after, Restore restore)
        : QUndoCommand(text), m_before(std::move(before)), m_after(std::move(after)), m_restore(std::move(restore)) {}

    void undo() override { m_restore(m_before); }
    void redo() override {
        if (!m_done) m_restore(m_after);  // the change itself was made before it was pushed
        m_done = false;
    }

private:
    TaskGrids m_before;
    TaskGrids m_after;
    Restore m_restore;
    bool m_done = true;
};

// One cell typed into: its texts on every page before and after (a supply or demand is kept
// on all). What the cell became once checked is taken when the step is undone.
class CellCommand : public QUndoCommand {
public:
    using Texts = std::array<std::string, 3>;
    using Read = std::function<Texts(int column, int row)>;
    using Restore = std::function<void(int column, int row, const Texts&)>;
    CellCommand(int column, int row, Texts before, Read read, Restore restore)
        : QUndoCommand(QStringLiteral("ввод в клетку")),
          m_column(column), m_row(row), m_before(std::move(before)), m_read(std::move(read)), m_restore(std::move(restore)) {}

    void undo() override {
        m_after = m_read(m_column, m_row);
        m_restore(m_column, m_row, m_before);
    }
    void redo() override {
        if (!m_done) m_restore(m_column, m_row, m_after);
        m_done = false;
    }

private:
    int m_column;
    int m_row;
    Texts m_before;
    Texts m_after;
    Read m_read;
    Restore m_restore;
    bool m_done = true;
};

}  // namespace

const char* TTaskWithRestrictions::openFilter() {
    return "Табличные файлы (*.tab *.TAB);;Текстовые файлы задач (*.csv *.CSV);;все файлы (*.*)";
}

TTaskWithRestrictions::TTaskWithRestrictions(int number, UserDialogs& dialogs, QWidget* parent, TaskKind kind)
    : QWidget(parent),
      m_grids(NewTaskGrids(3, 3, kind)),
      m_dialogs(dialogs),
      m_name(this, QStringLiteral("Untitled%1.%2").arg(number).arg(kind == TaskKind::Assignment ? "csv" : "tab")) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModified(true);  // a new task counts as unsaved
    m_undo = new QUndoStack(this);
    m_undo->setUndoLimit(kUndoSteps);
    connect(m_undo, &QUndoStack::indexChanged, this, [this] {
        if (m_undo->isClean()) {
            setSaved(true);
        } else if (m_stepIsChange) {
            setSaved(false);
        }
        m_stepIsChange = false;
    });
    createPages();
    createPopupMenu();
    SetRowColNames();
    applyKind();
}

void TTaskWithRestrictions::applyKind() {
    const TaskKind kind = m_grids.Kind;
    const bool assignment = kind == TaskKind::Assignment;
    const QString first = kind == TaskKind::Time ? QStringLiteral("Время перевозок")
                          : assignment           ? QStringLiteral("Матрица")
                                                 : QStringLiteral("Тарифы");
    const QString hint = kind == TaskKind::Time ? QStringLiteral("Заполните таблицу времени перевозок")
                         : assignment ? QStringLiteral("Заполните матрицу: стоимость (или эффект) выполнения работы "
                                                       "исполнителем, M - назначение запрещено")
                                      : QStringLiteral("Заполните таблицу стоимостей перевозок");
    m_pages->setTabText(kTarifsPage, first);
    m_views[kTarifsPage]->setToolTip(hint);
    m_views[kTarifsPage]->setStatusTip(hint);
    m_pages->setTabVisible(kMandatoryPage, kind == TaskKind::Transport);
    m_pages->setTabVisible(m_pages->indexOf(m_planPage), kind == TaskKind::Transport);  // plans of transport only
    if (assignment) m_pages->setTabVisible(kRestrictionsPage, false);
    m_showHideRestrictions->setEnabled(!assignment);
    m_goal->setVisible(kind != TaskKind::Time);
    m_goalLabel->setVisible(kind != TaskKind::Time);
    m_goal->setItemText(1, assignment ? QStringLiteral("максимум эффекта") : QStringLiteral("максимум прибыли"));
    m_goal->setToolTip(assignment ? QStringLiteral("Элементы матрицы - затраты (ищем наименьшую сумму) или эффекты "
                                                   "(ищем наибольшую)")
                                  : QStringLiteral("Тарифы - затраты на перевозку единицы груза (ищем наименьшие "
                                                   "затраты) или прибыль от нее (ищем наибольшую прибыль)"));
    m_goal->setStatusTip(m_goal->toolTip());
    hideRims();
}

// An assignment's supplies and demands (all 1) are not the user's to type.
void TTaskWithRestrictions::hideRims() {
    const bool hidden = m_grids.Kind == TaskKind::Assignment;
    for (TaskGridView* view : m_views) {
        const int rows = view->model()->rowCount();
        const int columns = view->model()->columnCount();
        for (int row = 0; row < rows; ++row) view->setRowHidden(row, hidden && row == rows - 1);
        for (int column = 0; column < columns; ++column) view->setColumnHidden(column, hidden && column == columns - 1);
    }
}

void TTaskWithRestrictions::createPages() {
    const QString titles[] = {QStringLiteral("Тарифы"), QStringLiteral("Ограничения"),
                              QStringLiteral("Обязательные поставки")};
    m_pages = new QTabWidget(this);
    for (const GridKind kind : kKinds) {
        const int page = PageOf(kind);
        m_models[page] = new GridModel(m_grids, kind, this);
        m_views[page] = createGrid(m_models[page]);
        m_pages->addTab(m_views[page], titles[page]);
    }
    m_views[kMandatoryPage]->setToolTip(QStringLiteral("Сколько груза обязательно перевезти по маршруту; пусто или 0 - "
                                                       "обязательной поставки нет"));
    m_views[kMandatoryPage]->setStatusTip(m_views[kMandatoryPage]->toolTip());
    m_pages->setTabVisible(kRestrictionsPage, false);
    m_planPage = new TPlanCheckPage(this);
    m_pages->addTab(m_planPage, QStringLiteral("Мой план"));
    connect(m_planPage, &TPlanCheckPage::checkRequested, this, &TTaskWithRestrictions::planCheckRequested);
    connect(m_planPage, &TPlanCheckPage::solutionRequested, this, &TTaskWithRestrictions::solutionRequested);
    connect(m_pages, &QTabWidget::currentChanged, this, &TTaskWithRestrictions::PageControlChange);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(createGoalSwitch());
    layout->addWidget(m_pages);
}

// "Цель:" with the two goals of a task; a change of goal is a step that can be undone.
QLayout* TTaskWithRestrictions::createGoalSwitch() {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(6, 2, 6, 0);
    m_goal = new QComboBox(this);
    m_goal->addItem(QStringLiteral("минимум затрат"));
    m_goal->addItem(QStringLiteral("максимум прибыли"));
    auto* label = new QLabel(QStringLiteral("&Цель:"), this);
    label->setBuddy(m_goal);
    m_goalLabel = label;
    row->addWidget(label);
    row->addWidget(m_goal);
    row->addStretch();
    connect(m_goal, &QComboBox::activated, this, [this](int index) {
        setGoal(index == 1 ? TaskGoal::Maximise : TaskGoal::Minimise);
    });
    return row;
}

void TTaskWithRestrictions::setGoal(TaskGoal goal) {
    if (goal == m_grids.Goal) return;
    changeGrids(QStringLiteral("смена цели"), true, [this, goal] {
        m_grids.Goal = goal;
        return true;
    });
}

TaskGridView* TTaskWithRestrictions::createGrid(GridModel* model) {
    auto* view = new TaskGridView(this);
    view->setModel(model);
    view->setItemDelegate(new TypedCellDelegate(
        [model](const QModelIndex& index, std::string_view text) {
            return CheckTypedNumber(text, model->takesM(index));
        },
        view));
    view->setToolTip(QStringLiteral("Заполните таблицу стоимостей перевозок"));
    view->setStatusTip(view->toolTip());
    const GridKind kind = model->kind();
    view->mayLeaveCell = [this, kind](const QModelIndex& from, const QModelIndex& to) {
        return mayLeaveCell(kind, from, to);
    };
    view->setCurrentIndex(model->index(0, 0));
    connect(view, &TaskGridView::editStarted, this, [this] { markChanged(); });
    connect(view, &TaskGridView::enterPressed, this, [this, kind] { checkOnEnter(kind); });
    connect(view, &TaskGridView::popupRequested, this, [this](const QPoint& at) {
        m_popup->popup(at - QPoint(m_popup->sizeHint().width() / 2, 0));
    });
    connect(model, &GridModel::cellEdited, this,
            [this, kind](int column, int row, const QString& before) { onCellEdited(kind, column, row, before); });
    return view;
}

void TTaskWithRestrictions::createPopupMenu() {
    m_popup = new QMenu(this);
    auto add = [this](const QString& text, const QKeySequence& keys, void (TTaskWithRestrictions::*slot)()) {
        QAction* action = m_popup->addAction(text, this, slot);
        action->setShortcut(keys);
        return action;
    };
    add(QStringLiteral("Вставить строку"), Qt::Key_Insert, &TTaskWithRestrictions::InsertRowClick);
    add(QStringLiteral("Вставить столбец"), Qt::SHIFT | Qt::Key_Insert,
        &TTaskWithRestrictions::InsertColumnClick);
    m_popup->addSeparator();
    add(QStringLiteral("Удалить строку"), Qt::Key_Delete, &TTaskWithRestrictions::DeleteRowClick);
    add(QStringLiteral("Удалить столбец"), Qt::SHIFT | Qt::Key_Delete,
        &TTaskWithRestrictions::DeleteColumnClick);
    m_popup->addSeparator();
    add(QStringLiteral("Изменить знаки тарифов"), Qt::CTRL | Qt::Key_I,
        &TTaskWithRestrictions::InverseSignClick);
    add(QStringLiteral("Транспонировать"), Qt::CTRL | Qt::Key_T,
        &TTaskWithRestrictions::TransponateClick);
    m_popup->addSeparator();
    // Exchange with spreadsheets: keys of the task window (an open cell editor keeps its own).
    for (QAction* action : {add(QStringLiteral("Копировать"), QKeySequence::Copy, &TTaskWithRestrictions::CopyClick),
                            add(QStringLiteral("Вставить из буфера"), QKeySequence::Paste,
                                &TTaskWithRestrictions::PasteClick)}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
    m_popup->addSeparator();
    m_showHideRestrictions = add(QStringLiteral("Решать с  ограничениями"), Qt::CTRL | Qt::Key_R,
                                 &TTaskWithRestrictions::ShowHideRestrictionsClick);
    m_showHideRestrictions->setCheckable(true);
}

void TTaskWithRestrictions::setTask(const TableFileContents& contents, const QString& path) {
    putTask(contents);
    m_name.setFile(path);
    setSaved(true);
}

void TTaskWithRestrictions::setNewTask(const TableFileContents& contents) {
    putTask(contents);
    setSaved(false);
}

void TTaskWithRestrictions::putTask(const TableFileContents& contents) {
    m_grids = contents.Grids;
    WriteCaptions(m_grids);
    reloadGrids();
    m_pages->setTabVisible(kRestrictionsPage, contents.HasLimits);
    m_showHideRestrictions->setChecked(contents.HasLimits);
    applyKind();
    m_undo->clear();
}

// The title shows "*" while the task would be asked about on closing.
void TTaskWithRestrictions::setSaved(bool saved) {
    m_saved = saved;
    setWindowModified(!saved);
}

bool TTaskWithRestrictions::restrictionsVisible() const {
    return m_pages->isTabVisible(kRestrictionsPage);
}

// Captions and column widths, as the text of the captions needs them.
void TTaskWithRestrictions::SetRowColNames() {
    WriteCaptions(m_grids);
    for (TaskGridView* view : m_views) view->fitToCaptions();
    if (m_goalLabel != nullptr) hideRims();
}

// The grids anew; each keeps its cursor where it was, as far as the new shape allows.
void TTaskWithRestrictions::reloadGrids() {
    std::array<QModelIndex, 3> was;
    for (std::size_t page = 0; page < m_views.size(); ++page) was[page] = m_views[page]->currentIndex();
    for (GridModel* model : m_models) model->reload();
    SetRowColNames();
    for (std::size_t page = 0; page < m_views.size(); ++page) {
        TaskGridView* view = m_views[page];
        const QAbstractItemModel* grid = view->model();
        const int row = std::clamp(was[page].isValid() ? was[page].row() : 0, 0, grid->rowCount() - 1);
        const int column = std::clamp(was[page].isValid() ? was[page].column() : 0, 0, grid->columnCount() - 1);
        const QModelIndex at = grid->index(row, column);
        view->setCurrentIndex(grid->flags(at) & Qt::ItemIsSelectable ? at : grid->index(0, 0));
    }
    m_goal->setCurrentIndex(m_grids.Goal == TaskGoal::Maximise ? 1 : 0);
}

GridKind TTaskWithRestrictions::activeGrid() const {
    // The page "Мой план" edits no grid: the commands go to the grid page shown last.
    const int page = m_pages->currentWidget() == m_planPage ? m_shownPage : m_pages->currentIndex();
    return kKinds[std::clamp(page, 0, kMandatoryPage)];
}

TaskGridView* TTaskWithRestrictions::activeView() const { return m_views[static_cast<std::size_t>(PageOf(activeGrid()))]; }

// Tells every page that a grid cell changed (a supply or demand is on all of them).
void TTaskWithRestrictions::showCellChanged(int column, int row) {
    for (GridModel* model : m_models) model->cellChanged(column, row);
}

bool TTaskWithRestrictions::mayLeaveCell(GridKind kind, const QModelIndex& from,
                                         const QModelIndex& to) {
    const int column = GridModel::gridColumn(from);
    const int row = GridModel::gridRow(from);
    const CellCheck check = CheckLeavingCell(m_grids, kind, column, row, GridModel::gridColumn(to),
                                             GridModel::gridRow(to));
    showCellChanged(column, row);
    if (!check.Message.empty()) m_dialogs.showMessage(this, QString::fromStdString(check.Message));
    return check.Allowed;
}

void TTaskWithRestrictions::checkOnEnter(GridKind kind) {
    const QModelIndex current = m_views[static_cast<std::size_t>(PageOf(kind))]->currentIndex();
    if (!current.isValid()) return;
    const int column = GridModel::gridColumn(current);
    const int row = GridModel::gridRow(current);
    const CellCheck check = CheckCell(m_grids, kind, column, row);
    MirrorRimCell(m_grids, kind, column, row);
    showCellChanged(column, row);
    if (!check.Message.empty()) m_dialogs.showMessage(this, QString::fromStdString(check.Message));
}

void TTaskWithRestrictions::onCellEdited(GridKind kind, int column, int row, const QString& before) {
    markChanged();
    const auto read = [this](int c, int r) {
        return CellCommand::Texts{m_grids.Tarif.At(c, r), m_grids.Restriction.At(c, r), m_grids.Mandatory.At(c, r)};
    };
    CellCommand::Texts texts = read(column, row);
    texts[static_cast<std::size_t>(PageOf(kind))] = before.toStdString();
    MirrorRimCell(m_grids, kind, column, row);
    showCellChanged(column, row);
    const auto restore = [this](int c, int r, const CellCommand::Texts& t) { restoreCell(c, r, t); };
    m_undo->push(new CellCommand(column, row, std::move(texts), read, restore));
}

void TTaskWithRestrictions::restoreCell(int column, int row, const std::array<std::string, 3>& texts) {
    m_grids.Tarif.At(column, row) = texts[0];
    m_grids.Restriction.At(column, row) = texts[1];
    m_grids.Mandatory.At(column, row) = texts[2];
    showCellChanged(column, row);
    followCleanState(true);
}

void TTaskWithRestrictions::changeGrids(const QString& text, bool countsAsChange,
                                        const std::function<bool()>& change) {
    TaskGrids before = m_grids;
    if (!change()) return;
    reloadGrids();
    if (countsAsChange) markChanged();
    m_undo->push(new GridsCommand(text, std::move(before), m_grids, [this, countsAsChange](const TaskGrids& grids) {
        restoreGrids(grids, countsAsChange);
    }));
}

void TTaskWithRestrictions::restoreGrids(const TaskGrids& grids, bool countsAsChange) {
    m_grids = grids;
    reloadGrids();
    followCleanState(countsAsChange);
}

// After an undo or redo the task counts as saved when the steps are back where it was saved,
// and as changed when a change was undone or redone elsewhere (a transposition leaves the
// state as it was). The stack moves its index after the step, so the state is taken then.
void TTaskWithRestrictions::followCleanState(bool countsAsChange) { m_stepIsChange = countsAsChange; }

bool TTaskWithRestrictions::finishEditing() {
    TaskGridView* view = activeView();
    view->commitCurrentEdit();
    const QModelIndex current = view->currentIndex();
    return !current.isValid() || mayLeaveCell(activeGrid(), current, current);
}

// The supplies and demands go from the page that was left to the others, and the grid now shown
// takes the left one's current cell.
void TTaskWithRestrictions::PageControlChange(int page) {
    if (page < 0) return;
    if (m_pages->widget(page) == m_planPage) {  // the plan fits the task as it is now
        m_planPage->resizePlan(m_grids.Suppliers(), m_grids.Consumers());
        return;
    }
    const int left = std::exchange(m_shownPage, page);
    CopyRim(m_grids, kKinds[left]);
    for (GridModel* model : m_models) model->reload();
    TaskGridView* from = m_views[static_cast<std::size_t>(left)];
    TaskGridView* to = m_views[static_cast<std::size_t>(page)];
    const QModelIndex current = from->currentIndex();
    to->setCurrentIndex(to->model()->index(std::max(current.row(), 0), std::max(current.column(), 0)));
    SetRowColNames();
}

void TTaskWithRestrictions::InsertRowClick() {
    changeGrids(QStringLiteral("вставка строки"), true, [this] {
        InsertSupplier(m_grids, std::max(activeView()->currentIndex().row(), 0) + 1);
        return true;
    });
}

void TTaskWithRestrictions::InsertColumnClick() {
    changeGrids(QStringLiteral("вставка столбца"), true, [this] {
        InsertConsumer(m_grids, std::max(activeView()->currentIndex().column(), 0) + 1);
        return true;
    });
}

void TTaskWithRestrictions::DeleteRowClick() {
    changeGrids(QStringLiteral("удаление строки"), true, [this] {
        return refuseWith(DeleteSupplier(m_grids, std::max(activeView()->currentIndex().row(), 0) + 1));
    });
}

void TTaskWithRestrictions::DeleteColumnClick() {
    changeGrids(QStringLiteral("удаление столбца"), true, [this] {
        return refuseWith(DeleteConsumer(m_grids, std::max(activeView()->currentIndex().column(), 0) + 1));
    });
}

// True when there is no refusal; otherwise says it.
bool TTaskWithRestrictions::refuseWith(const std::string& refusal) {
    if (refusal.empty()) return true;
    m_dialogs.showMessage(this, QString::fromStdString(refusal));
    return false;
}

// The selected cells (their bounding block) as tab-separated text on the clipboard.
void TTaskWithRestrictions::CopyClick() {
    const QModelIndexList selected = activeView()->selectionModel()->selectedIndexes();
    if (selected.isEmpty()) return;
    int top = selected.first().row(), bottom = top, left = selected.first().column(), right = left;
    for (const QModelIndex& index : selected) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        left = std::min(left, index.column());
        right = std::max(right, index.column());
    }
    const std::string block = CopyBlock(m_grids, activeGrid(), left + 1, top + 1, right - left + 1, bottom - top + 1);
    QGuiApplication::clipboard()->setText(QString::fromStdString(block));
}

// A tab-separated block from the clipboard written from the current cell on, growing the task
// when it needs to: one step to undo.
void TTaskWithRestrictions::PasteClick() {
    const QString text = QGuiApplication::clipboard()->text();
    if (m_pages->currentWidget() == m_planPage) return m_planPage->pastePlan(text);
    const QModelIndex at = activeView()->currentIndex();
    if (text.isEmpty() || !at.isValid() || !finishEditing()) return;
    // Into a new task, untouched, at its first tariff: the block is a whole task.
    const bool wholeTask = m_neverSaved && m_undo->count() == 0 && m_grids == NewTaskGrids(3, 3) &&
                           activeGrid() == GridKind::Tarif && at.row() == 0 && at.column() == 0;
    changeGrids(QStringLiteral("вставка из буфера"), true, [this, &text, at, wholeTask] {
        if (wholeTask) {
            PasteTask(m_grids, text.toStdString());
        } else {
            PasteBlock(m_grids, activeGrid(), at.column() + 1, at.row() + 1, text.toStdString());
        }
        return true;
    });
}

void TTaskWithRestrictions::InverseSignClick() {
    changeGrids(QStringLiteral("изменение знаков тарифов"), true, [this] {
        InverseSign(m_grids);
        return true;
    });
}

// Transposing is no change to save, but it can be undone like the others.
void TTaskWithRestrictions::TransponateClick() {
    changeGrids(QStringLiteral("транспонирование"), false, [this] {
        Transpose(m_grids);
        return true;
    });
}

void TTaskWithRestrictions::ShowHideRestrictionsClick() {
    if (m_grids.Kind == TaskKind::Assignment) return;  // a matrix has no limits
    const bool shown = !restrictionsVisible();
    m_pages->setTabVisible(kRestrictionsPage, shown);
    m_showHideRestrictions->setChecked(shown);
    emit restrictionsShownChanged(shown);
}

bool TTaskWithRestrictions::writeTo(const QString& path) {
    const TableFileResult result = WriteTaskFile(ToPath(path), m_grids);
    if (result.Ok()) return true;
    m_dialogs.showMessage(this, QString::fromStdString(FileErrorText(result)));
    return false;
}

bool TTaskWithRestrictions::SaveTable(bool saveAs) {
    if (!finishEditing()) return false;
    if (m_neverSaved || saveAs) {
        const FileDialogSpec spec{saveAs ? QStringLiteral("Сохранить как") : QStringLiteral("Сохранить"),
                                  QString(), caption(), QStringLiteral("tab"),
                                  QStringLiteral("Табличные файлы (*.tab *.TAB);;Текстовые файлы задач (*.csv *.CSV);;"
                                                 "Все файлы (*.*)")};
        const QString path = m_dialogs.saveFileName(this, spec);
        if (path.isEmpty() || !writeTo(path)) return false;
        m_name.setFile(path);
        m_undo->setClean();
        setSaved(true);
        m_neverSaved = false;
        return true;
    }
    QStatusTipEvent hint(QStringLiteral("Сохранение файла ") + caption());
    QCoreApplication::sendEvent(this, &hint);
    if (!writeTo(m_name.file())) return false;
    m_undo->setClean();
    setSaved(true);
    return true;
}

// Unsaved edits are never lost: Cancel, and a save that was cancelled or failed, keep the
// window open.
void TTaskWithRestrictions::closeEvent(QCloseEvent* event) {
    if (m_saved || ConfirmClose(m_dialogs, this, caption(), [this] { return SaveTable(false); })) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace kargolo
