#pragma once

// TMDIChildFormText: one report in a browser engine, beside a navigator of its sections. The
// report is a windows-1251 file that the run wrote; a report small enough for the engine is
// shown whole, a larger one a page at a time (see documents/report_pages.h), each page loaded
// from the file when it is needed. Reports open editable when the settings say so; edits on
// every page visited are kept until Save puts the whole report together, and a report without
// edits is saved byte for byte as the run wrote it. Printing and the PDF export take the page
// shown; Ctrl+N hands the report to the system's browser.

#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "documents/plan_picture.h"
#include "documents/report_pages.h"
#include "qt/windows/system_browser.h"
#include "qt/windows/user_dialogs.h"
#include "qt/windows/window_caption.h"
#include "solver/report_buffer.h"

class QAction;
class QLabel;
class QPrinter;
class QStandardItemModel;
class QTreeView;
class QWebEngineView;

namespace kargolo {

// A report file a run wrote, with the index of its sections, in a folder that lives as long as
// the window showing it.
struct ReportDocument {
    std::unique_ptr<QTemporaryDir> Folder;
    QString Path;
    ReportIndex Index;
};

class TMDIChildFormText : public QWidget {
    Q_OBJECT
public:
    // A window captioned "Untitled<number>.html".
    TMDIChildFormText(int number, UserDialogs& dialogs, QWidget* parent = nullptr);
    ~TMDIChildFormText() override;

    // Shows a report file, editable or not; false (after telling the user) when it cannot.
    bool ShowReport(ReportDocument document, bool editable, const PagingLimits& limits = {});
    // Shows a document given as UTF-8 text; false when it cannot be shown.
    bool FillDocument(const std::string& document, bool editable);
    // Save (the dialog only when never saved through it) or Save As; true when written.
    bool SaveReport(bool saveAs);
    void PrintReport();
    void PreviewReport();
    void ExportPdf();
    // Hands the report to the system's browser (Ctrl+N anywhere in the window); tells the user
    // when that fails.
    void openInBrowser();
    // What hands a file to a browser; failed() is called, maybe later, when it could not.
    using BrowserHandOver = std::function<void(const QString& path, const std::function<void()>& failed)>;
    void setBrowser(BrowserHandOver browser) { m_browser = std::move(browser); }

    // The file's path, or "Untitled<n>.html" before the report was saved.
    QString caption() const { return m_name.caption(); }
    // A line above the report that the user can close.
    void showGreeting(const QString& text);
    // The final plan of the run the report tells of, for its picture.
    void setPlanSketch(PlanSketch sketch) { m_sketch = std::move(sketch); }
    const std::optional<PlanSketch>& planSketch() const { return m_sketch; }
    bool isSaved() const { return m_saved; }
    // The engine is loading the document or still working on a request.
    bool busy() const { return m_loading; }
    // Waits until the page has loaded (and switched to edit mode when asked); false on timeout.
    bool waitUntilLoaded(int milliseconds = 10000);
    // The page as the engine holds it now, user's edits included; empty on timeout.
    QString currentHtml(int milliseconds = 10000);

    // Paging and the navigator.
    const ReportLayout& layout() const { return m_layout; }
    int currentPage() const { return m_page; }
    void goToEntry(int entry);
    void goToNextStage();
    void goToPreviousStage();
    void goToAnswer();
    // Runs JavaScript on the page shown and waits for its result.
    QVariant evaluate(const QString& script, int milliseconds = 10000);

signals:
    void loaded(bool ok);
    // Loading a page: 0 to 100, then -1 when it is done.
    void loadProgress(int percent);

protected:
    void closeEvent(QCloseEvent* event) override;  // asks before losing the report
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions();
    void createNavigator();
    void fillNavigator();
    void showNavigator(bool shown);
    QWidget* createBanner(const char* name, const QString& text, const QString& button,
                          void (TMDIChildFormText::*onClick)());
    void closeGreeting() { m_greetingBanner->hide(); }
    void showPage(int page, const QString& anchor);
    bool loadPage(int page);
    void scrollTo(const QString& anchor);
    void onLoadFinished(bool ok);
    void onRenderProcessGone();
    void reloadPage();
    // Keeps the body of the page shown when the user changed it; false on timeout.
    bool keepEdits();
    bool writeReport(const QString& path);
    bool printTo(QPrinter* printer);
    QString pageDescription() const;
    void selectEntry(int entry);
    void updateActions();
    bool holds(QObject* object) const;

    UserDialogs& m_dialogs;
    DocumentName m_name;
    QTreeView* m_navigator = nullptr;  // owned by the Qt parent, as are the widgets below
    QStandardItemModel* m_sections = nullptr;
    QWebEngineView* m_view = nullptr;
    QWidget* m_crashBanner = nullptr;
    QWidget* m_greetingBanner = nullptr;
    QLabel* m_pageLabel = nullptr;
    QAction* m_showNavigator = nullptr;
    QAction* m_previousStage = nullptr;
    QAction* m_nextStage = nullptr;
    QAction* m_answer = nullptr;

    ReportDocument m_document;
    QTemporaryDir m_pages;  // the page the engine shows, and Ctrl+N's copy
    ReportLayout m_layout;
    int m_page = -1;       // the page shown
    int m_entry = -1;      // the navigator line gone to last
    QString m_pendingAnchor;
    QString m_pristineBody;            // the page's body as loaded
    std::map<int, std::string> m_edits;  // edited bodies of pages, in windows-1251
    bool m_saved = false;
    bool m_neverSaved = true;
    bool m_loading = false;
    bool m_editable = false;
    std::optional<PlanSketch> m_sketch;
    BrowserHandOver m_browser = &OpenInSystemBrowser;
};

}  // namespace kargolo
