#include <QAbstractButton>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "qt/desktop/program_icon.h"
#include "qt/desktop/qt_translations.h"
#include "qt/desktop/single_instance.h"

namespace kargolo::testing {

class StartUpTest : public QObject {
    Q_OBJECT
private slots:
    void refusesASecondInstanceAndTakesItsFile();
    void speaksRussianInQtsOwnDialogsAndHasAnIcon();
};

// The lock and the socket live in a temporary folder of the test's own, so that a running
// program neither disturbs the test nor is disturbed by it. A second start without a file
// gives up (after its message); with a file it hands the file over and gives up at once.
void StartUpTest::refusesASecondInstanceAndTakesItsFile() {
    QTemporaryDir folder;
    SingleInstance first(folder.filePath(QFileInfo(SingleInstance::defaultLockPath()).fileName()),
                         folder.filePath(SingleInstance::defaultServerName()));
    QVERIFY(first.acquire());
    QVERIFY(first.listen());
    QStringList handedOver;
    connect(&first, &SingleInstance::fileHandedOver, this, [&handedOver](const QString& path) { handedOver << path; });
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), folder.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const auto start = [&environment](const QStringList& arguments) {
        auto* second = new QProcess;
        second->setProcessEnvironment(environment);
        second->start(QStringLiteral(KARGOLO_APP_PATH), arguments);
        return second;
    };
    std::unique_ptr<QProcess> plain(start({}));
    QVERIFY(plain->waitForFinished(20000));
    QCOMPARE(plain->exitCode(), 1);
    const QString task = folder.filePath(QStringLiteral("задача 1.tab"));
    std::unique_ptr<QProcess> withFile(start({task}));
    QTRY_COMPARE_WITH_TIMEOUT(handedOver, QStringList{task}, 20000);
    QVERIFY(withFile->state() == QProcess::NotRunning || withFile->waitForFinished(20000));
    QCOMPARE(withFile->exitCode(), 1);
}

// Qt's standard buttons in Russian once its translations are installed; the icon has every
// size a desktop asks for.
void StartUpTest::speaksRussianInQtsOwnDialogsAndHasAnIcon() {
    QVERIFY(InstallQtTranslations(*QCoreApplication::instance()));
    QMessageBox box(QMessageBox::Question, QStringLiteral("Карголо"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Да"));
    QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("&Нет"));
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Отмена"));
    QVERIFY(QLocale().formattedDataSize(84).startsWith(QStringLiteral("84 байт")));
    const QIcon icon = ProgramIcon();
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.availableSizes().size(), 7);
}

}  // namespace kargolo::testing

QTEST_MAIN(kargolo::testing::StartUpTest)
#include "start_up_test.moc"
