#pragma once

// A document window's title is its caption followed by Qt's placeholder "[*]", which the title
// bar shows as "*" while the window holds unsaved changes.

#include <QWidget>

namespace kargolo {

inline void SetCaption(QWidget* window, const QString& caption) {
    window->setWindowTitle(caption + QStringLiteral("[*]"));
}

// The caption as the title bar shows it.
inline QString ShownCaption(const QWidget* window) {
    QString title = window->windowTitle();
    if (title.endsWith(QStringLiteral("[*]"))) title.chop(3);
    return title + (window->isWindowModified() ? QStringLiteral("*") : QString());
}

// The name a document window goes by: "Untitled<n>.<ext>" until it has a file, then the file's
// path; the window's title shows it.
class DocumentName {
public:
    DocumentName(QWidget* window, const QString& untitled) : m_window(window), m_caption(untitled) {
        SetCaption(m_window, m_caption);
    }
    void setFile(const QString& path) {
        m_file = path;
        m_caption = path;
        SetCaption(m_window, m_caption);
    }
    const QString& caption() const { return m_caption; }
    // The file's path, empty while the document has none.
    const QString& file() const { return m_file; }

private:
    QWidget* m_window;
    QString m_caption;
    QString m_file;
};

}  // namespace kargolo
