#include "qt/windows/busy_run.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <memory>

namespace kargolo {

// How long work may take before the window shows.
constexpr int kQuietMilliseconds = 300;

void RunBusy(QWidget* parent, const QString& what, const std::function<void()>& work) {
    std::unique_ptr<QThread> thread(QThread::create(work));
    QProgressDialog progress(what, QString(), 0, 0, parent);
    progress.setWindowTitle(QStringLiteral("Карголо 2"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(kQuietMilliseconds);
    progress.setCancelButton(nullptr);
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    // The dialog shows itself after kQuietMilliseconds once its value is set.
    progress.setValue(0);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread->wait();
}

}  // namespace kargolo
