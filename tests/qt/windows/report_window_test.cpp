#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <QtTest>

#include "documents/solve_run.h"
#include "documents/windows1251.h"
#include "qt/windows/report_window.h"
#include "qt/windows/solve_launcher.h"
#include "solver/solve_hooks.h"
#include "tests/qt/windows/scripted_dialogs.h"
#include "tests/support/task_builders.h"

namespace kargolo::testing {
namespace {

// A 10 x 10 task whose detailed report runs to a dozen stages.
SolveState GridState() {
    TaskSpec task{"grid", {}, {}, {}};
    for (int i = 0; i < 10; ++i) {
        task.Supplies.push_back(20 + (i * 7) % 13);
        task.Demands.push_back(20 + (i * 7) % 13);
        for (int j = 0; j < 10; ++j) task.Tariffs.push_back((i * 17 + j * 29) % 31 + 1);
    }
    return MakeState(task, kSolveModeDetailed);
}

// The report of the grid task as the launcher writes it.
ReportDocument GridReport() {
    SolveState s = GridState();
    ReportFileWriter file;
    s.Report.StreamTo(file.Sink());
    SilentHooks hooks;
    SolveIntoDocument(s, hooks, false);
    file.Finish(s.Report);
    return file.Take();
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Small pages, so that the report of a small task has several.
const PagingLimits kSmallPages{0, 24u << 10};

}  // namespace

class ReportWindowTest : public QObject {
    Q_OBJECT
private slots:
    void savesAnUneditedReportByteForByte();
    void keepsEditsOfEveryPageVisitedOnSave();
    void goesThroughTheStagesWithTheKeys();
    void saysSoWhenTheRendererDies();
};

void ReportWindowTest::savesAnUneditedReportByteForByte() {
    ScriptedDialogs dialogs;
    QTemporaryDir folder;
    for (const PagingLimits& limits : {PagingLimits{}, kSmallPages}) {
        TMDIChildFormText window(1, dialogs);
        ReportDocument document = GridReport();
        const QByteArray written = ReadAll(document.Path);
        QVERIFY(window.ShowReport(std::move(document), true, limits));
        QVERIFY(window.waitUntilLoaded(30000));
        window.goToAnswer();  // a visit to another page changes nothing either
        QVERIFY(window.waitUntilLoaded(30000));
        const QString path = folder.filePath(QStringLiteral("saved.html"));
        dialogs.SavePaths = {path};
        QVERIFY(window.SaveReport(false));
        QCOMPARE(ReadAll(path), written);
    }
}

// Catches an edit lost when the user moves to another page and back, or left out of Save.
void ReportWindowTest::keepsEditsOfEveryPageVisitedOnSave() {
    ScriptedDialogs dialogs;
    TMDIChildFormText window(1, dialogs);
    window.resize(900, 700);
    window.show();
    QVERIFY(window.ShowReport(GridReport(), true, kSmallPages));
    QVERIFY(window.layout().Pages.size() > 3);
    QVERIFY(window.waitUntilLoaded(30000));
    const auto edit = [&window](const char* text) {
        window.evaluate(QStringLiteral("document.body.insertAdjacentHTML('beforeend', '<p>%1</p>')")
                            .arg(QString::fromUtf8(text)));
    };
    edit("ПРАВКА-1");
    window.goToAnswer();
    QVERIFY(window.waitUntilLoaded(30000));
    QVERIFY(window.currentPage() > 0);
    edit("ПРАВКА-2");
    window.goToEntry(0);
    QVERIFY(window.waitUntilLoaded(30000));
    QCOMPARE(window.currentPage(), 0);
    QVERIFY(window.currentHtml().contains(QStringLiteral("ПРАВКА-1")));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("edited.html"));
    dialogs.SavePaths = {path};
    QVERIFY(window.SaveReport(false));
    const QByteArray bytes = ReadAll(path);
    QVERIFY(bytes.contains(QByteArray::fromStdString(EncodeWindows1251("<p>ПРАВКА-1</p>"))));
    QVERIFY(bytes.contains(QByteArray::fromStdString(EncodeWindows1251("<p>ПРАВКА-2</p>"))));
    QVERIFY(bytes.startsWith("<html><head><Title>"));
    QVERIFY(bytes.endsWith("</body></html>"));
    QVERIFY(!bytes.contains("kargolo-section-"));  // the viewer's anchors stay in the viewer
}

void ReportWindowTest::goesThroughTheStagesWithTheKeys() {
    ScriptedDialogs dialogs;
    TMDIChildFormText window(1, dialogs);
    window.resize(900, 700);
    window.show();
    QVERIFY(window.ShowReport(GridReport(), false, kSmallPages));
    QVERIFY(window.waitUntilLoaded(30000));
    QTest::keyClick(&window, Qt::Key_PageDown, Qt::ControlModifier);
    QVERIFY(window.waitUntilLoaded(30000));
    const int firstStagePage = window.currentPage();
    QTest::keyClick(&window, Qt::Key_End, Qt::ControlModifier);
    QVERIFY(window.waitUntilLoaded(30000));
    QCOMPARE(window.currentPage(), static_cast<int>(window.layout().Pages.size()) - 1);
    QVERIFY(window.currentHtml().contains(QStringLiteral("Целевая функция F=")));
    QTest::keyClick(&window, Qt::Key_PageUp, Qt::ControlModifier);
    QVERIFY(window.waitUntilLoaded(30000));
    QVERIFY(window.currentPage() >= firstStagePage);
    QVERIFY(window.currentPage() < static_cast<int>(window.layout().Pages.size()) - 1);
}

void ReportWindowTest::saysSoWhenTheRendererDies() {
    ScriptedDialogs dialogs;
    TMDIChildFormText window(1, dialogs);
    window.resize(900, 700);
    window.show();
    QVERIFY(window.ShowReport(GridReport(), false));
    QVERIFY(window.waitUntilLoaded(30000));
    auto* banner = window.findChild<QWidget*>(QStringLiteral("crashBanner"));
    QVERIFY(banner != nullptr && !banner->isVisible());
    window.findChild<QWebEngineView*>()->load(QUrl(QStringLiteral("chrome://crash")));
    QVERIFY(QTest::qWaitFor([banner] { return banner->isVisible(); }, 30000));
    banner->findChild<QPushButton*>()->click();
    QVERIFY(window.waitUntilLoaded(30000));
    QVERIFY(!banner->isVisible());
    QVERIFY(window.currentHtml().contains(QStringLiteral("Целевая функция F=")));
}

}  // namespace kargolo::testing

QTEST_MAIN(kargolo::testing::ReportWindowTest)
#include "report_window_test.moc"
