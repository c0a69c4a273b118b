#include "documents/task_editor_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMenu>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QVBoxLayout>
#include <filesystem>

#include "documents/grid_model.h"
#include "documents/task_grid_view.h"
#include "documents/typed_cell_delegate.h"

namespace kargolo {
namespace {

constexpr int kTarifsPage = 0;
constexpr int kRestrictionsPage = 1;

std::filesystem::path ToPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

}  // namespace

const char* TTaskWithRestrictions::openFilter() {
    return "Табличные файлы (*.tab *.TAB);;все файлы (*.*)";
}

TTaskWithRestrictions::TTaskWithRestrictions(int number, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_grids(NewTaskGrids(3, 3)), m_dialogs(dialogs) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Untitled%1.tab").arg(number));
    createPages();
    createPopupMenu();
    SetRowColNames();
}

void TTaskWithRestrictions::createPages() {
    m_tarifModel = new GridModel(m_grids, GridKind::Tarif, this);
    m_restrictionModel = new GridModel(m_grids, GridKind::Restriction, this);
    m_tarif = createGrid(m_tarifModel);
    m_restriction = createGrid(m_restrictionModel);
    m_pages = new QTabWidget(this);
    m_pages->addTab(m_tarif, QStringLiteral("Тарифы"));
    m_pages->addTab(m_restriction, QStringLiteral("Ограничения"));
    m_pages->setTabVisible(kRestrictionsPage, false);
    connect(m_pages, &QTabWidget::currentChanged, this, &TTaskWithRestrictions::PageControlChange);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);
}

TaskGridView* TTaskWithRestrictions::createGrid(GridModel* model) {
    auto* view = new TaskGridView(this);
    view->setModel(model);
    view->setItemDelegate(new TypedCellDelegate(
        [model](const QModelIndex& index, std::string_view text) {
            return CheckTypedNumber(text, model->isLimitCell(index));
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
            [this, kind](int column, int row) { onCellEdited(kind, column, row); });
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
    m_showHideRestrictions = add(QStringLiteral("Решать с  ограничениями"), Qt::CTRL | Qt::Key_R,
                                 &TTaskWithRestrictions::ShowHideRestrictionsClick);
    m_showHideRestrictions->setCheckable(true);
}

void TTaskWithRestrictions::setTask(const TableFileContents& contents, const QString& path) {
    m_grids = contents.Grids;
    WriteCaptions(m_grids);
    reloadGrids();
    m_pages->setTabVisible(kRestrictionsPage, contents.HasLimits);
    m_showHideRestrictions->setChecked(contents.HasLimits);
    setWindowTitle(path);
    m_saved = true;
}

bool TTaskWithRestrictions::restrictionsVisible() const {
    return m_pages->isTabVisible(kRestrictionsPage);
}

// Captions and column widths, as the text of the captions needs them.
void TTaskWithRestrictions::SetRowColNames() {
    WriteCaptions(m_grids);
    for (TaskGridView* view : {m_tarif, m_restriction}) {
        const QFontMetrics metrics = view->fontMetrics();
        QHeaderView* columns = view->horizontalHeader();
        columns->setDefaultSectionSize(metrics.horizontalAdvance(QStringLiteral("потребитель B")) + 15);
        const int last = view->model()->columnCount() - 1;
        columns->resizeSection(last, metrics.horizontalAdvance(QStringLiteral("Запасы груза")) + 15);
        view->verticalHeader()->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("Потребности")) + 15);
    }
}

void TTaskWithRestrictions::reloadGrids() {
    m_tarifModel->reload();
    m_restrictionModel->reload();
    SetRowColNames();
}

GridKind TTaskWithRestrictions::activeGrid() const {
    return m_pages->currentIndex() == kTarifsPage ? GridKind::Tarif : GridKind::Restriction;
}

TaskGridView* TTaskWithRestrictions::activeView() const {
    return activeGrid() == GridKind::Tarif ? m_tarif : m_restriction;
}

bool TTaskWithRestrictions::mayLeaveCell(GridKind kind, const QModelIndex& from,
                                         const QModelIndex& to) {
    GridModel* model = kind == GridKind::Tarif ? m_tarifModel : m_restrictionModel;
    GridModel* other = kind == GridKind::Tarif ? m_restrictionModel : m_tarifModel;
    const int column = GridModel::gridColumn(from);
    const int row = GridModel::gridRow(from);
    const CellCheck check = CheckLeavingCell(m_grids, kind, column, row, GridModel::gridColumn(to),
                                             GridModel::gridRow(to));
    model->cellChanged(column, row);
    other->cellChanged(column, row);
    if (!check.Message.empty()) m_dialogs.showMessage(this, QString::fromStdString(check.Message));
    return check.Allowed;
}

void TTaskWithRestrictions::checkOnEnter(GridKind kind) {
    TaskGridView* view = kind == GridKind::Tarif ? m_tarif : m_restriction;
    const QModelIndex current = view->currentIndex();
    if (!current.isValid()) return;
    const int column = GridModel::gridColumn(current);
    const int row = GridModel::gridRow(current);
    const CellCheck check = CheckCell(m_grids, kind, column, row);
    MirrorRimCell(m_grids, kind, column, row);
    m_tarifModel->cellChanged(column, row);
    m_restrictionModel->cellChanged(column, row);
    if (!check.Message.empty()) m_dialogs.showMessage(this, QString::fromStdString(check.Message));
}

void TTaskWithRestrictions::onCellEdited(GridKind kind, int column, int row) {
    markChanged();
    MirrorRimCell(m_grids, kind, column, row);
    (kind == GridKind::Tarif ? m_restrictionModel : m_tarifModel)->cellChanged(column, row);
}

bool TTaskWithRestrictions::finishEditing() {
    TaskGridView* view = activeView();
    view->commitCurrentEdit();
    const QModelIndex current = view->currentIndex();
    return !current.isValid() || mayLeaveCell(activeGrid(), current, current);
}

// The supplies and demands go from the page that was left to the page now shown, and the
// grid now shown takes the other's current cell.
void TTaskWithRestrictions::PageControlChange(int page) {
    if (page < 0) return;
    const GridKind shown = page == kTarifsPage ? GridKind::Tarif : GridKind::Restriction;
    CopyRim(m_grids, shown == GridKind::Tarif ? GridKind::Restriction : GridKind::Tarif);
    m_tarifModel->reload();
    m_restrictionModel->reload();
    TaskGridView* from = shown == GridKind::Tarif ? m_restriction : m_tarif;
    TaskGridView* to = shown == GridKind::Tarif ? m_tarif : m_restriction;
    const QModelIndex current = from->currentIndex();
    to->setCurrentIndex(to->model()->index(std::max(current.row(), 0), std::max(current.column(), 0)));
    SetRowColNames();
}

void TTaskWithRestrictions::InsertRowClick() {
    markChanged();
    InsertSupplier(m_grids, std::max(activeView()->currentIndex().row(), 0) + 1);
    reloadGrids();
}

void TTaskWithRestrictions::InsertColumnClick() {
    markChanged();
    InsertConsumer(m_grids, std::max(activeView()->currentIndex().column(), 0) + 1);
    reloadGrids();
}

void TTaskWithRestrictions::DeleteRowClick() {
    const std::string refusal = DeleteSupplier(m_grids, std::max(activeView()->currentIndex().row(), 0) + 1);
    if (!refusal.empty()) {
        m_dialogs.showMessage(this, QString::fromStdString(refusal));
        return;
    }
    reloadGrids();
    markChanged();
}

void TTaskWithRestrictions::DeleteColumnClick() {
    const std::string refusal =
        DeleteConsumer(m_grids, std::max(activeView()->currentIndex().column(), 0) + 1);
    if (!refusal.empty()) {
        m_dialogs.showMessage(this, QString::fromStdString(refusal));
        return;
    }
    reloadGrids();
    markChanged();
}

void TTaskWithRestrictions::InverseSignClick() {
    InverseSign(m_grids);
    m_tarifModel->reload();
    markChanged();
}

void TTaskWithRestrictions::TransponateClick() {
    Transpose(m_grids);
    reloadGrids();
}

void TTaskWithRestrictions::ShowHideRestrictionsClick() {
    const bool shown = !restrictionsVisible();
    m_pages->setTabVisible(kRestrictionsPage, shown);
    m_showHideRestrictions->setChecked(shown);
    emit restrictionsShownChanged(shown);
}

bool TTaskWithRestrictions::writeTo(const QString& path) {
    const TableFileResult result = WriteTableFile(ToPath(path), m_grids);
    if (result.Ok()) return true;
    m_dialogs.showMessage(this, QString::fromStdString(FileErrorText(result)));
    return false;
}

bool TTaskWithRestrictions::SaveTable(bool saveAs) {
    if (!finishEditing()) return false;
    if (m_neverSaved || saveAs) {
        const FileDialogSpec spec{saveAs ? QStringLiteral("Сохранить как") : QStringLiteral("Сохранить"),
                                  QString(), caption(), QStringLiteral("tab"),
                                  QStringLiteral("Табличные файлы (*.tab *.TAB);;Все файлы (*.*)")};
        const QString path = m_dialogs.saveFileName(this, spec);
        if (path.isEmpty() || !writeTo(path)) return false;
        setWindowTitle(path);
        m_saved = true;
        m_neverSaved = false;
        return true;
    }
    QStatusTipEvent hint(QStringLiteral("Сохранение файла ") + caption());
    QCoreApplication::sendEvent(this, &hint);
    if (!writeTo(caption())) return false;
    m_saved = true;
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
