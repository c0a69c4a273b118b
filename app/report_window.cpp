#include "app/report_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusTipEvent>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <filesystem>

#include "documents/atomic_file.h"
#include "documents/windows1251.h"

namespace kargolo {
namespace {

constexpr char kDocumentName[] = "report.html";

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
    : QWidget(parent), m_dialogs(dialogs) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Untitled%1.html").arg(number));
    m_view = new QWebEngineView(this);
    m_view->setStatusTip(QStringLiteral("Нажмите Ctrl+N, чтобы передать файл решения в браузер"));
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    m_view->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    connect(m_view, &QWebEngineView::loadStarted, this, [this] { m_loading = true; });
    connect(m_view, &QWebEngineView::loadFinished, this, [this](bool ok) {
        // Keys reach the engine's own child widget; Ctrl+N is caught there.
        if (QWidget* proxy = m_view->focusProxy()) proxy->installEventFilter(this);
        if (!ok || !m_editable) {
            m_loading = false;
            emit loaded(ok);
            return;
        }
        m_view->page()->runJavaScript(QStringLiteral("document.designMode = 'on';"),
                                      [this](const QVariant&) {
                                          m_loading = false;
                                          emit loaded(true);
                                      });
    });
}

// The engine loads the document from a file: a text set directly fails silently above 2 MB.
bool TMDIChildFormText::FillDocument(const std::string& document, bool editable) {
    const QString path = m_folder.filePath(QString::fromLatin1(kDocumentName));
    const std::string encoded = EncodeWindows1251(document);
    if (!m_folder.isValid() ||
        WriteFileAtomically(std::filesystem::path(path.toStdU16String()), encoded) !=
            AtomicWriteStatus::Ok) {
        m_dialogs.showMessage(this, QStringLiteral("Ошибка создания HTML-документа"));
        return false;
    }
    m_editable = editable;
    m_loading = true;
    m_view->load(QUrl::fromLocalFile(path));
    return true;
}

bool TMDIChildFormText::waitUntilLoaded(int milliseconds) {
    return WaitFor([this] { return !m_loading; }, milliseconds);
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

// The document with the user's edits, as the engine holds it, in windows-1251.
bool TMDIChildFormText::writeDocument(const QString& path) {
    const QString html = currentHtml(120000);  // a long report may still be loading
    if (html.isEmpty()) return false;
    const std::string encoded = EncodeWindows1251(html.toStdString());
    return WriteFileAtomically(std::filesystem::path(path.toStdU16String()), encoded) ==
           AtomicWriteStatus::Ok;
}

// The report counts as saved only when the file was written; a busy engine is waited for.
bool TMDIChildFormText::SaveReport(bool saveAs) {
    QString path = caption();
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
    if (!writeDocument(path)) {
        m_dialogs.showMessage(this, QStringLiteral("Ошибка создания выходного файла."));
        return false;
    }
    setWindowTitle(path);
    m_saved = true;
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
    if (dialog.exec() == QDialog::Accepted) printTo(&printer);
}

void TMDIChildFormText::PreviewReport() {
    QPrinter printer;
    QPrintPreviewDialog preview(&printer, this);
    bool failed = false;
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this, &failed](QPrinter* target) { failed = !printTo(target) || failed; });
    preview.exec();
    if (failed) {
        m_dialogs.showMessage(this, QStringLiteral("Данная команда не поддерживается вашим браузером"));
    }
}

void TMDIChildFormText::openInBrowser() {
    const QString path = m_folder.filePath(QStringLiteral("browser.html"));
    if (writeDocument(path)) QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

// Ctrl+N in the report goes to the system's browser, not to the main window's New.
bool TMDIChildFormText::eventFilter(QObject* watched, QEvent* event) {
    const bool ctrlN = (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
                       static_cast<QKeyEvent*>(event)->matches(QKeySequence::New);
    if (!ctrlN) return QWidget::eventFilter(watched, event);
    event->accept();
    if (event->type() == QEvent::KeyPress) openInBrowser();
    return true;
}

void TMDIChildFormText::closeEvent(QCloseEvent* event) {
    if (m_saved || ConfirmClose(m_dialogs, this, caption(), [this] { return SaveReport(false); })) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace kargolo
