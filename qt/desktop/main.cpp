// Карголо: the desktop program. One instance at a time; the about box is the splash; a table
// file named on the command line is opened once the main window is shown.

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>

#include "qt/desktop/program_icon.h"
#include "qt/desktop/qt_translations.h"
#include "qt/desktop/settings_store.h"
#include "qt/desktop/single_instance.h"
#include "qt/windows/about_box.h"
#include "qt/windows/main_form.h"

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

int main(int argc, char** argv) {
#ifdef Q_OS_UNIX
    if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");  // the engine's sandbox refuses root
#endif
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Kargolo"));
    QApplication::setApplicationName(QStringLiteral("Kargolo 2"));
    QApplication::setWindowIcon(kargolo::ProgramIcon());
    kargolo::InstallQtTranslations(app);

    const QStringList arguments = QCoreApplication::arguments();  // Unicode on every system
    const QString file = arguments.size() > 1 ? arguments.at(1) : QString();
    kargolo::SingleInstance instance;
    if (!instance.acquire()) {
        // A file goes to the running program, which opens it; without one, the message.
        if (!file.isEmpty() && kargolo::SingleInstance::handOver(QFileInfo(file).absoluteFilePath())) return 1;
        // Says so for a few seconds, then leaves the running program alone.
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Карголо 2"),
                        QStringLiteral("Программа уже выполняется"));
        QTimer::singleShot(5000, &box, &QMessageBox::accept);
        box.exec();
        return 1;
    }

    kargolo::SettingsStore settings;
    kargolo::TMain_Form form(kargolo::PlatformDialogs(), &settings);
    form.setBrowserVersion(QString::fromLatin1(qWebEngineVersion()));  // the engine's Qt module
    auto* splash = new kargolo::TAboutBox(false, &form);
    splash->show();
    instance.listen();
    QObject::connect(&instance, &kargolo::SingleInstance::fileHandedOver, &form, [&form](const QString& path) {
        if (form.isMinimized()) form.showMaximized();
        form.raise();
        form.activateWindow();
        form.openTableFile(path);
    });
    QTimer::singleShot(1000, &form, [&form, splash, file] {
        splash->close();
        form.showMaximized();
        if (file.isEmpty()) return;
        // The file opens once the window manager has shown the window at its size, so that the
        // task window takes its place in the whole area.
        QElapsedTimer waited;
        waited.start();
        while (!(form.windowHandle() != nullptr && form.windowHandle()->isExposed()) && waited.elapsed() < 1000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        QCoreApplication::processEvents();
        form.openTableFile(file);
    });
    return app.exec();
}
