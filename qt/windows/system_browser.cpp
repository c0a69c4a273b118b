#include "qt/windows/system_browser.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace kargolo {

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)

// xdg-open says by its exit status whether the browser could be started; Qt's own hand-over
// does not wait for it. The process belongs to the application, so that closing the window
// neither waits for the browser nor ends it.
void OpenInSystemBrowser(const QString& path, const std::function<void()>& failed) {
    auto* opener = new QProcess(QCoreApplication::instance());
    QObject::connect(opener, &QProcess::errorOccurred, opener, [opener, failed](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        failed();
        opener->deleteLater();
    });
    QObject::connect(opener, &QProcess::finished, opener, [opener, failed](int code, QProcess::ExitStatus status) {
        if (status != QProcess::NormalExit || code != 0) failed();
        opener->deleteLater();
    });
    opener->start(QStringLiteral("xdg-open"), {QUrl::fromLocalFile(path).toString()});
}

#else

void OpenInSystemBrowser(const QString& path, const std::function<void()>& failed) {
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) failed();
}

#endif

}  // namespace kargolo
