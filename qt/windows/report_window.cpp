#include "qt/windows/report_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QSplitter>
#include <QStandardItemModel>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <filesystem>

#include "documents/atomic_file.h"
#include "documents/document_texts.h"
#include "documents/output_file.h"
#include "documents/windows1251.h"
#include "qt/windows/system_browser.h"
#include "qt/windows/window_caption.h"

namespace kargolo {
namespace {

constexpr int kEntryRole = Qt::UserRole + 1;

// The body of the page as the user sees it, without the anchors the viewer put in.
const QString kBodyScript = QStringLiteral(
    "(function() {"
    "  var body = document.body.cloneNode(true);"
    "  var anchors = body.querySelectorAll('a[id^=\"kargolo-section-\"]');"
    "  for (var k = 0; k < anchors.length; ++k) anchors[k].parentNode.removeChild(anchors[k]);"
    "  return body.innerHTML;"
    "})()");
// A document without an index is kept whole.
const QString kDocumentScript = QStringLiteral("document.documentElement.outerHTML");

std::filesystem::path FilePath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

// Runs the event loop until `done` holds or the time is up.
template <typename Done>
bool WaitFor(Done done, int milliseconds) {
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    timeout.start(milliseconds);
    while (!done() && timeout.isActive()) loop.processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}

}  // namespace

TMDIChildFormText::TMDIChildFormText(int number, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_dialogs(dialogs), m_name(this, QStringLiteral("Untitled%1.html").arg(number)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModified(true);
    m_view = new QWebEngineView(this);
    m_view->setStatusTip(QStringLiteral("Нажмите Ctrl+N, чтобы передать файл решения в браузер"));
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    m_view->installEventFilter(this);
    createNavigator();
    createActions();
    // Ctrl+N and the stage keys whichever part of the window has the focus, the engine's own
    // widgets (made anew after a crash) included.
    qApp->installEventFilter(this);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_navigator);
    splitter->addWidget(m_view);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 800});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* toolBar = new QToolBar(this);
    toolBar->addActions({m_showNavigator, m_previousStage, m_nextStage, m_answer});
    m_pageLabel = new QLabel(this);
    m_pageLabel->setContentsMargins(8, 0, 8, 0);
    toolBar->addWidget(m_pageLabel);
    layout->addWidget(toolBar);
    m_greetingBanner = createBanner("greetingBanner", QString(), QStringLiteral("Закрыть"),
                                    &TMDIChildFormText::closeGreeting);
    layout->addWidget(m_greetingBanner);
    m_crashBanner = createBanner("crashBanner",
                                 QStringLiteral("Процесс, показывавший отчет, завершился аварийно. "
                                                "Отчет цел: его можно загрузить снова."),
                                 QStringLiteral("&Загрузить снова"), &TMDIChildFormText::reloadPage);
    layout->addWidget(m_crashBanner);
    layout->addWidget(splitter, 1);
    connect(m_view, &QWebEngineView::loadStarted, this, [this] { m_loading = true; });
    connect(m_view, &QWebEngineView::loadProgress, this, &TMDIChildFormText::loadProgress);
    connect(m_view, &QWebEngineView::loadFinished, this, &TMDIChildFormText::onLoadFinished);
    connect(m_view->page(), &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status) {
                if (status != QWebEnginePage::NormalTerminationStatus) onRenderProcessGone();
            });
    updateActions();
}

void TMDIChildFormText::createActions() {
    auto make = [this](const QString& text, const QKeySequence& keys, const QString& hint) {
        auto* action = new QAction(text, this);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        action->setStatusTip(hint);
        action->setToolTip(QStringLiteral("%1 (%2)").arg(hint, keys.toString(QKeySequence::NativeText)));
        addAction(action);
        return action;
    };
    m_showNavigator = make(QStringLiteral("Оглавление"), Qt::Key_F6,
                           QStringLiteral("Показать или скрыть оглавление отчета"));
    m_showNavigator->setCheckable(true);
    m_showNavigator->setChecked(true);
    connect(m_showNavigator, &QAction::toggled, this, &TMDIChildFormText::showNavigator);
    m_previousStage = make(QStringLiteral("◀ Этап"), Qt::CTRL | Qt::Key_PageUp,
                           QStringLiteral("Перейти к предыдущему этапу решения"));
    connect(m_previousStage, &QAction::triggered, this, &TMDIChildFormText::goToPreviousStage);
    m_nextStage = make(QStringLiteral("Этап ▶"), Qt::CTRL | Qt::Key_PageDown,
                       QStringLiteral("Перейти к следующему этапу решения"));
    connect(m_nextStage, &QAction::triggered, this, &TMDIChildFormText::goToNextStage);
    m_answer = make(QStringLiteral("Ответ"), Qt::CTRL | Qt::Key_End,
                    QStringLiteral("Перейти к ответу: итоговому плану и значению целевой функции"));
    connect(m_answer, &QAction::triggered, this, &TMDIChildFormText::goToAnswer);
}

void TMDIChildFormText::createNavigator() {
    m_sections = new QStandardItemModel(this);
    m_navigator = new QTreeView(this);
    m_navigator->setModel(m_sections);
    m_navigator->setHeaderHidden(true);
    m_navigator->setWordWrap(true);  // a long line wraps between words rather than being cut
    m_navigator->setTextElideMode(Qt::ElideNone);
    m_navigator->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_navigator->setStatusTip(QStringLiteral("Разделы отчета: щелкните, чтобы перейти. Ctrl+N передает отчет в браузер"));
    auto go = [this](const QModelIndex& index) { goToEntry(index.data(kEntryRole).toInt()); };
    connect(m_navigator, &QTreeView::clicked, this, go);
    connect(m_navigator, &QTreeView::activated, this, go);
}

// A navigator hidden while it has the focus hands it to the report first: left to Qt, the focus
// would go back to the engine, which takes it for a Shift+Tab to its last link and scrolls there.
void TMDIChildFormText::showNavigator(bool shown) {
    if (!shown && m_navigator->hasFocus()) m_view->setFocus(Qt::OtherFocusReason);
    m_navigator->setVisible(shown);
}

void TMDIChildFormText::fillNavigator() {
    m_sections->clear();
    QStandardItem* section = nullptr;
    for (std::size_t k = 0; k < m_layout.Entries.size(); ++k) {
        const NavigatorEntry& entry = m_layout.Entries[k];
        auto* item = new QStandardItem(QString::fromStdString(entry.Label));
        item->setToolTip(QString::fromStdString(entry.Hint));
        item->setData(static_cast<int>(k), kEntryRole);
        if (entry.Part && section != nullptr) {
            section->appendRow(item);
        } else {
            m_sections->appendRow(item);
            section = item;
        }
    }
    m_navigator->expandAll();
    m_showNavigator->setChecked(!m_layout.Entries.empty());
}

// A line above the report in a colour of its own, with one button.
QWidget* TMDIChildFormText::createBanner(const char* name, const QString& text, const QString& button,
                                         void (TMDIChildFormText::*onClick)()) {
    auto* banner = new QWidget(this);
    banner->setObjectName(QString::fromLatin1(name));
    banner->setAutoFillBackground(true);
    QPalette palette = banner->palette();
    palette.setColor(QPalette::Window, QColor(0xFF, 0xF0, 0xC0));
    palette.setColor(QPalette::WindowText, Qt::black);
    banner->setPalette(palette);
    auto* row = new QHBoxLayout(banner);
    auto* label = new QLabel(text, banner);
    label->setObjectName(QStringLiteral("bannerText"));
    label->setWordWrap(true);
    auto* push = new QPushButton(button, banner);
    connect(push, &QPushButton::clicked, this, onClick);
    row->addWidget(label, 1);
    row->addWidget(push);
    banner->hide();
    return banner;
}

void TMDIChildFormText::showGreeting(const QString& text) {
    m_greetingBanner->findChild<QLabel*>(QStringLiteral("bannerText"))->setText(text);
    m_greetingBanner->show();
}

bool TMDIChildFormText::ShowReport(ReportDocument document, bool editable,
                                   const PagingLimits& limits) {
    m_document = std::move(document);
    std::error_code error;
    const auto size = std::filesystem::file_size(FilePath(m_document.Path), error);
    if (error || !m_pages.isValid()) {
        m_dialogs.showMessage(this, QStringLiteral("Ошибка создания HTML-документа"));
        return false;
    }
    m_layout = LayOutReport(m_document.Index, size, limits);
    m_editable = editable;
    m_edits.clear();
    fillNavigator();
    m_page = -1;
    m_entry = -1;
    if (!loadPage(0)) {
        m_dialogs.showMessage(this, QStringLiteral("Ошибка создания HTML-документа"));
        return false;
    }
    return true;
}

bool TMDIChildFormText::FillDocument(const std::string& document, bool editable) {
    ReportDocument shown;
    shown.Folder = std::make_unique<QTemporaryDir>();
    shown.Path = shown.Folder->filePath(QStringLiteral("report.html"));
    if (!shown.Folder->isValid() ||
        WriteFileAtomically(FilePath(shown.Path), EncodeWindows1251(document)) != AtomicWriteStatus::Ok) {
        m_dialogs.showMessage(this, QStringLiteral("Ошибка создания HTML-документа"));
        return false;
    }
    return ShowReport(std::move(shown), editable);
}

// Writes the page's document (with its kept edits) beside the report and has the engine load it.
bool TMDIChildFormText::loadPage(int page) {
    const ReportPage& shown = m_layout.Pages[static_cast<std::size_t>(page)];
    ReportPage source = shown;
    if (const auto edited = m_edits.find(page); edited != m_edits.end()) {
        const bool indexed = m_layout.BodyEnd > m_layout.BodyBegin;
        source.Pieces = indexed ? std::vector<PagePiece>{shown.Pieces.front(), {0, 0, edited->second},
                                                         shown.Pieces.back()}
                                : std::vector<PagePiece>{{0, 0, edited->second}};
    }
    std::string bytes;
    const QString path = m_pages.filePath(QStringLiteral("page-%1.html").arg(page + 1));
    if (!ReadPage(FilePath(m_document.Path), source, bytes) ||
        WriteFileAtomically(FilePath(path), bytes) != AtomicWriteStatus::Ok) {
        return false;
    }
    m_page = page;
    m_loading = true;
    m_crashBanner->hide();
    m_view->load(QUrl::fromLocalFile(path));
    updateActions();
    return true;
}

void TMDIChildFormText::onLoadFinished(bool ok) {
    if (!ok) {
        m_loading = false;
        emit loadProgress(-1);
        emit loaded(false);
        return;
    }
    QString script = m_editable ? QStringLiteral("document.designMode = 'on';") : QString();
    if (m_editable) script += m_layout.BodyEnd > m_layout.BodyBegin ? kBodyScript : kDocumentScript;
    m_view->page()->runJavaScript(script, [this](const QVariant& body) {
        m_pristineBody = body.toString();
        scrollTo(m_pendingAnchor);
        m_pendingAnchor.clear();
        m_loading = false;
        emit loadProgress(-1);
        emit loaded(true);
    });
}

void TMDIChildFormText::onRenderProcessGone() {
    m_crashBanner->show();
    if (!m_loading) return;
    m_loading = false;
    emit loadProgress(-1);
    emit loaded(false);
}

void TMDIChildFormText::reloadPage() {
    if (m_page >= 0) loadPage(m_page);
}

void TMDIChildFormText::scrollTo(const QString& anchor) {
    const QString script =
        anchor.isEmpty()
            ? QStringLiteral("window.scrollTo(0, 0);")
            : QStringLiteral("var target = document.getElementById('%1'); "
                             "if (target) target.scrollIntoView();")
                  .arg(anchor);
    m_view->page()->runJavaScript(script);
}

void TMDIChildFormText::showPage(int page, const QString& anchor) {
    if (page == m_page && !m_loading) {
        scrollTo(anchor);
        return;
    }
    if (!keepEdits()) return;
    m_pendingAnchor = anchor;
    if (!loadPage(page)) m_dialogs.showMessage(this, QStringLiteral("Ошибка создания HTML-документа"));
}

void TMDIChildFormText::goToEntry(int entry) {
    if (entry < 0 || entry >= static_cast<int>(m_layout.Entries.size())) return;
    const NavigatorEntry& target = m_layout.Entries[static_cast<std::size_t>(entry)];
    m_entry = entry;
    selectEntry(entry);
    showPage(target.Page, QString::fromStdString(target.Anchor));
    updateActions();
}

void TMDIChildFormText::goToNextStage() {
    for (int k = m_entry + 1; k < static_cast<int>(m_layout.Entries.size()); ++k) {
        if (m_layout.Entries[static_cast<std::size_t>(k)].Stage) return goToEntry(k);
    }
}

void TMDIChildFormText::goToPreviousStage() {
    for (int k = m_entry - 1; k >= 0; --k) {
        if (m_layout.Entries[static_cast<std::size_t>(k)].Stage) return goToEntry(k);
    }
}

void TMDIChildFormText::goToAnswer() {
    for (int k = static_cast<int>(m_layout.Entries.size()) - 1; k >= 0; --k) {
        if (m_layout.Entries[static_cast<std::size_t>(k)].Stage) return goToEntry(k);
    }
}

void TMDIChildFormText::selectEntry(int entry) {
    const QModelIndexList found = m_sections->match(m_sections->index(0, 0), kEntryRole, entry, 1,
                                                    Qt::MatchExactly | Qt::MatchRecursive);
    if (!found.isEmpty()) m_navigator->setCurrentIndex(found.front());
}

void TMDIChildFormText::updateActions() {
    bool earlier = false;
    bool later = false;
    for (int k = 0; k < static_cast<int>(m_layout.Entries.size()); ++k) {
        if (!m_layout.Entries[static_cast<std::size_t>(k)].Stage) continue;
        earlier = earlier || k < m_entry;
        later = later || k > m_entry;
    }
    m_previousStage->setEnabled(earlier);
    m_nextStage->setEnabled(later);
    m_answer->setEnabled(earlier || later);
    const int pages = static_cast<int>(m_layout.Pages.size());
    m_pageLabel->setVisible(pages > 1);
    if (pages > 1) m_pageLabel->setText(pageDescription());
}

QString TMDIChildFormText::pageDescription() const {
    const int pages = static_cast<int>(m_layout.Pages.size());
    if (pages <= 1 || m_page < 0) return QStringLiteral("весь отчет");
    return QStringLiteral("страница %1 из %2: %3")
        .arg(m_page + 1)
        .arg(pages)
        .arg(QString::fromStdString(m_layout.Pages[static_cast<std::size_t>(m_page)].Title));
}

bool TMDIChildFormText::waitUntilLoaded(int milliseconds) {
    return WaitFor([this] { return !m_loading; }, milliseconds);
}

QVariant TMDIChildFormText::evaluate(const QString& script, int milliseconds) {
    QVariant result;
    bool done = false;
    m_view->page()->runJavaScript(script, [&result, &done](const QVariant& value) {
        result = value;
        done = true;
    });
    // The callback may outlive a timeout; it only ever runs while this frame waits for it.
    if (!WaitFor([&done] { return done; }, milliseconds)) return {};
    return result;
}

QString TMDIChildFormText::currentHtml(int milliseconds) {
    if (!waitUntilLoaded(milliseconds)) return {};
    QString html;
    bool done = false;
    m_view->page()->toHtml([&html, &done](const QString& text) {
        html = text;
        done = true;
    });
    return WaitFor([&done] { return done; }, milliseconds) ? html : QString();
}

bool TMDIChildFormText::keepEdits() {
    if (!m_editable || m_page < 0) return true;
    if (!waitUntilLoaded(120000)) return false;  // a long page may still be loading
    if (m_crashBanner->isVisible()) return true;  // the page's own edits died with its renderer
    const bool indexed = m_layout.BodyEnd > m_layout.BodyBegin;
    const QVariant body = evaluate(indexed ? kBodyScript : kDocumentScript, 60000);
    if (!body.isValid()) return false;
    const QString text = body.toString();
    if (text == m_pristineBody) return true;
    m_edits[m_page] = EncodeWindows1251(text.toStdString());
    m_pristineBody = text;
    return true;
}

// The whole report with every edit kept, in windows-1251; without edits, the file as written.
// Tells the user when it cannot.
bool TMDIChildFormText::writeReport(const QString& path) {
    OutputFile out;
    const std::filesystem::path protect[] = {FilePath(m_document.Path)};
    const OutputFileStatus opened = keepEdits() ? out.Open(FilePath(path), protect) : OutputFileStatus::WriteFailed;
    const bool written = opened == OutputFileStatus::Ok &&
                         AssembleEditedReport(FilePath(m_document.Path), m_layout, m_edits,
                                              [&out](std::string_view bytes) { return out.Write(bytes); }) &&
                         out.Commit() == OutputFileStatus::Ok;
    if (!written) {
        m_dialogs.showMessage(this, opened == OutputFileStatus::ReadOnly
                                        ? QString::fromUtf8(kReadOnlyOutputText)
                                        : QString::fromUtf8(kCreateErrorText));
    }
    return written;
}

// The report counts as saved only when the file was written; a busy engine is waited for.
bool TMDIChildFormText::SaveReport(bool saveAs) {
    QString path = m_name.file();
    if (m_neverSaved || saveAs) {
        const FileDialogSpec spec{saveAs ? QStringLiteral("Сохранить как") : QStringLiteral("Сохранить"),
                                  QString(), caption(), QStringLiteral("html"),
                                  QStringLiteral("Веб-страница (*.htm *.html);;Все файлы (*.*)")};
        path = m_dialogs.saveFileName(this, spec);
        if (path.isEmpty()) return false;
    } else {
        QStatusTipEvent hint(QStringLiteral("Сохранение файла ") + caption());
        QCoreApplication::sendEvent(this, &hint);
    }
    if (!writeReport(path)) return false;
    m_name.setFile(path);
    m_saved = true;
    setWindowModified(false);
    m_neverSaved = false;
    return true;
}

bool TMDIChildFormText::printTo(QPrinter* printer) {
    bool done = false;
    bool printed = false;
    auto connection = connect(m_view, &QWebEngineView::printFinished, this,
                              [&done, &printed](bool success) { done = true, printed = success; });
    m_view->print(printer);
    WaitFor([&done] { return done; }, 60000);
    disconnect(connection);
    return printed;
}

void TMDIChildFormText::PrintReport() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Печать: ") + pageDescription());
    if (dialog.exec() == QDialog::Accepted) printTo(&printer);
}

void TMDIChildFormText::PreviewReport() {
    QPrinter printer;
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("Предварительный просмотр: ") + pageDescription());
    bool failed = false;
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this, &failed](QPrinter* target) { failed = !printTo(target) || failed; });
    preview.exec();
    if (failed) {
        m_dialogs.showMessage(this, QStringLiteral("Данная команда не поддерживается вашим браузером"));
    }
}

void TMDIChildFormText::ExportPdf() {
    const QFileInfo report(caption());
    const QString name = report.completeBaseName() + QStringLiteral(".pdf");
    const QString folder = m_neverSaved ? QString() : report.absolutePath();  // beside the report
    const FileDialogSpec spec{QStringLiteral("Экспорт в PDF: ") + pageDescription(), folder, name,
                              QStringLiteral("pdf"),
                              QStringLiteral("Документ PDF (*.pdf);;Все файлы (*.*)")};
    const QString path = m_dialogs.saveFileName(this, spec);
    if (path.isEmpty() || !waitUntilLoaded(120000)) return;
    QByteArray pdf;
    bool done = false;
    const QPageLayout page(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                           QPageLayout::Millimeter);
    m_view->page()->printToPdf(
        [&pdf, &done](const QByteArray& data) {
            pdf = data;
            done = true;
        },
        page);
    if (!WaitFor([&done] { return done; }, 300000) || pdf.isEmpty()) {
        m_dialogs.showMessage(this, QStringLiteral("Не удалось получить PDF-документ отчета."));
        return;
    }
    if (WriteFileAtomically(FilePath(path), std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size()))) !=
        AtomicWriteStatus::Ok) {
        m_dialogs.showMessage(this, QStringLiteral("Ошибка создания выходного файла."));
    }
}

void TMDIChildFormText::openInBrowser() {
    const QString path = m_pages.filePath(QStringLiteral("browser.html"));
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);  // a large report takes a while to write
    const bool written = writeReport(path);
    QGuiApplication::restoreOverrideCursor();
    if (!written) return;
    QPointer<TMDIChildFormText> window(this);
    m_browser(path, [window] {
        if (window == nullptr) return;
        window->m_dialogs.showMessage(window, QStringLiteral("Не удалось открыть отчет в браузере: программа для "
                                                             "HTML-файлов не найдена или не запустилась."));
    });
}

// Keys of the window, whichever of its widgets has the focus: Ctrl+N goes to the system's browser
// instead of the main window's New, and the stage keys move through the report.
bool TMDIChildFormText::eventFilter(QObject* watched, QEvent* event) {
    const bool key = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (!key || !holds(watched)) return QWidget::eventFilter(watched, event);
    auto* press = static_cast<QKeyEvent*>(event);
    QAction* command = nullptr;
    for (QAction* action : {m_previousStage, m_nextStage, m_answer, m_showNavigator}) {
        if (press->keyCombination() == action->shortcut()[0]) command = action;
    }
    const bool ctrlN = press->matches(QKeySequence::New);
    if (!ctrlN && command == nullptr) return QWidget::eventFilter(watched, event);
    event->accept();
    if (event->type() != QEvent::KeyPress) return true;
    if (ctrlN) {
        openInBrowser();
    } else if (command->isEnabled()) {
        command->trigger();
    }
    return true;
}

// The application's events no longer come here once the window is going.
TMDIChildFormText::~TMDIChildFormText() { qApp->removeEventFilter(this); }

// Whether the object is this window, its frame or one of its widgets.
bool TMDIChildFormText::holds(QObject* object) const {
    auto* widget = qobject_cast<QWidget*>(object);
    return widget != nullptr && (widget == this || widget == parentWidget() || isAncestorOf(widget));
}

void TMDIChildFormText::closeEvent(QCloseEvent* event) {
    if (m_saved || ConfirmClose(m_dialogs, this, caption(), [this] { return SaveReport(false); })) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace kargolo
