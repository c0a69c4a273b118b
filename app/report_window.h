#pragma once

// TMDIChildFormText: one report in a browser engine. It is filled by the launcher, editable
// when the settings say so, and can be saved (in windows-1251, every character the code page
// lacks as a numeric entity), printed and previewed; Ctrl+N hands it to the system's browser.

#include <QTemporaryDir>
#include <QWidget>

#include "documents/user_dialogs.h"

class QPrinter;
class QWebEngineView;

namespace kargolo {

class TMDIChildFormText : public QWidget {
    Q_OBJECT
public:
    // A window captioned "Untitled<number>.html".
    TMDIChildFormText(int number, UserDialogs& dialogs, QWidget* parent = nullptr);

    // Shows the document (UTF-8 HTML), editable or not; false when it cannot be shown.
    bool FillDocument(const std::string& document, bool editable);
    // Save (the dialog only when never saved through it) or Save As; true when written.
    bool SaveReport(bool saveAs);
    void PrintReport();
    void PreviewReport();
    // Hands the report to the system's browser.
    void openInBrowser();

    QString caption() const { return windowTitle(); }
    bool isSaved() const { return m_saved; }
    // The engine is loading the document or still working on a request.
    bool busy() const { return m_loading; }
    // Waits until the document has loaded (and switched to edit mode when asked); false on
    // timeout.
    bool waitUntilLoaded(int milliseconds = 10000);
    // The document as the engine holds it now, user's edits included; empty on timeout.
    QString currentHtml(int milliseconds = 10000);

signals:
    void loaded(bool ok);

protected:
    void closeEvent(QCloseEvent* event) override;  // asks before losing the report
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool writeDocument(const QString& path);
    bool printTo(QPrinter* printer);

    UserDialogs& m_dialogs;
    QWebEngineView* m_view = nullptr;  // owned by the Qt parent
    QTemporaryDir m_folder;            // the document the engine loads, and Ctrl+N's copy
    bool m_saved = false;
    bool m_neverSaved = true;
    bool m_loading = false;
    bool m_editable = false;
};

}  // namespace kargolo
