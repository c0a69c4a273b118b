#pragma once

// A document window's caption is its file's path (or "Untitled<n>"); its title adds Qt's
// placeholder "[*]", which the title bar shows as "*" while the window holds unsaved changes.

#include <QWidget>

namespace kargolo {

inline void SetCaption(QWidget* window, const QString& caption) {
    window->setWindowTitle(caption + QStringLiteral("[*]"));
}

inline QString CaptionOf(const QWidget* window) {
    QString title = window->windowTitle();
    if (title.endsWith(QStringLiteral("[*]"))) title.chop(3);
    return title;
}

// The caption as the title bar shows it.
inline QString ShownCaption(const QWidget* window) {
    return CaptionOf(window) + (window->isWindowModified() ? QStringLiteral("*") : QString());
}

}  // namespace kargolo
