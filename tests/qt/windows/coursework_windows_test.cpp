#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "documents/windows1251.h"
#include "qt/windows/main_form.h"
#include "qt/windows/plan_check_page.h"
#include "qt/windows/random_task_dialog.h"
#include "qt/windows/report_window.h"
#include "qt/windows/task_editor_window.h"
#include "tests/qt/windows/scripted_dialogs.h"
#include "tests/support/docx_reader.h"

namespace kargolo::testing {
namespace {

const QString kClosedTask = QStringLiteral(KARGOLO_SOURCE_DIR "/examples/tables/closed-3x4.tab");

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string Bytes(const QByteArray& data) { return {data.constData(), static_cast<std::size_t>(data.size())}; }

// The pages of a PDF file.
int PdfPages(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

// The report window's document as saved (the report's HTML in UTF-8).
std::string SavedHtml(TMDIChildFormText& report, ScriptedDialogs& dialogs, const QTemporaryDir& folder) {
    const QString path = folder.filePath(QStringLiteral("saved.html"));
    dialogs.SavePaths = {path};
    if (!report.SaveReport(true)) return {};
    return DecodeWindows1251(Bytes(ReadAll(path)));
}

}  // namespace

class CourseworkWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void exportsTheWholeReportWithItsEditsToWord();
    void writesAndPreviewsASetOfVariantsPageByPage();
    void checksTheStudentsPlanFromTheEditor();
    void offersSetsAndPlanChecksForTheTransportationTaskOnly();
};

void CourseworkWindowsTest::exportsTheWholeReportWithItsEditsToWord() {
    ScriptedDialogs dialogs;
    TMain_Form form(dialogs);
    form.show();
    QVERIFY(form.openTableFile(kClosedTask));
    form.updateMenus();
    QVERIFY(!form.command("ExportDocx")->isEnabled());
    form.SolveTaskClick();
    TMDIChildFormText* report = form.lastReportWindow();
    QVERIFY(report != nullptr && report->waitUntilLoaded());
    form.updateMenus();
    QVERIFY(form.command("ExportDocx")->isEnabled());
    const QTemporaryDir folder;
    const QString docx = folder.filePath(QStringLiteral("отчет.docx"));
    dialogs.SavePaths = {docx};
    form.command("ExportDocx")->trigger();
    QCOMPARE(dialogs.SaveNames.value(0), QStringLiteral("Untitled1.docx"));
    const DocxText text = ReadDocxText(Bytes(ReadAll(docx)));
    QCOMPARE(QString::fromStdString(text.Error), QString());
    QVERIFY(Words(text.Body) == WordsOfHtml(SavedHtml(*report, dialogs, folder)));
    QVERIFY(dialogs.Messages.isEmpty());
}

void CourseworkWindowsTest::writesAndPreviewsASetOfVariantsPageByPage() {
    ScriptedDialogs dialogs;
    TMain_Form form(dialogs);
    form.resize(1000, 700);
    form.show();
    const QTemporaryDir folder;
    dialogs.FolderPaths = {folder.path()};
    QTimer::singleShot(0, &form, [] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<TRandomTaskDialog*>(window);
            if (dialog == nullptr || !dialog->isVisible()) continue;
            ExerciseOptions options = dialog->options();
            options.Suppliers = options.Consumers = 10;
            options.LimitedPercent = 40;
            options.UniqueOptimum = true;
            dialog->setOptions(options);
            dialog->findChild<QSpinBox*>(QStringLiteral("Variants"))->setValue(25);
            dialog->findChild<QPushButton*>(QStringLiteral("MakeSet"))->click();
        }
    });
    form.RandomTaskClick();
    QCOMPARE(dialogs.Messages, QStringList());
    for (const char* name : {"variant-01.tab", "variant-25.tab", "answers.csv", "variants.html", "variants.docx",
                             "key.html", "key.docx"}) {
        QVERIFY2(QFile::exists(folder.filePath(QString::fromLatin1(name))), name);
    }
    QCOMPARE(form.children().size(), 2);  // the variants and the key
    TMDIChildFormText* key = form.activeReport();
    QVERIFY(key != nullptr && key->waitUntilLoaded());
    QVERIFY(key->currentHtml().contains(QStringLiteral("Ответы к вариантам")));
    QCOMPARE(key->caption(), folder.filePath(QStringLiteral("key.html")));  // the file written
    QVERIFY(key->isSaved());
    form.children().front()->setFocus();
    form.findChild<QMdiArea*>()->setActiveSubWindow(form.children().front());
    TMDIChildFormText* variants = form.activeReport();
    QVERIFY(variants != nullptr && variants != key && variants->waitUntilLoaded());
    // The print preview shows one page a variant. It lays its pages out before it shows itself.
    int previewPages = 0;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &form, [&previewPages, &poll] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(window);
            if (preview == nullptr || !preview->isVisible()) continue;
            poll.stop();
            previewPages = preview->findChild<QPrintPreviewWidget*>()->pageCount();
            preview->reject();
        }
    });
    poll.start(50);
    form.setBrowserVersion(QStringLiteral("6.4"));
    form.updateMenus();
    form.command("PrintPreview")->trigger();
    QCOMPARE(previewPages, 25);
    // And so does its PDF.
    const QString pdf = folder.filePath(QStringLiteral("variants.pdf"));
    dialogs.SavePaths = {pdf};
    variants->ExportPdf();
    QCOMPARE(PdfPages(ReadAll(pdf)), 25);
}

void CourseworkWindowsTest::checksTheStudentsPlanFromTheEditor() {
    ScriptedDialogs dialogs;
    TMain_Form form(dialogs);
    form.show();
    QVERIFY(form.openTableFile(kClosedTask));
    TTaskWithRestrictions* editor = form.activeEditor();
    auto* pages = editor->findChild<QTabWidget*>();
    TPlanCheckPage* page = editor->planPage();
    pages->setCurrentWidget(page);
    QCOMPARE(page->suppliers(), 3);
    QCOMPARE(page->consumers(), 4);
    page->pastePlan(QStringLiteral("20\t10\t0\t0\n0\t0\t0\t40\n0\t25\t25\t0\n"));  // the optimum
    page->setStatedF(QStringLiteral("445"));
    page->findChild<QPushButton*>(QStringLiteral("CheckPlan"))->click();
    TMDIChildFormText* verdict = form.activeReport();
    QVERIFY(verdict != nullptr && verdict->waitUntilLoaded());
    QVERIFY(verdict->currentHtml().contains(QStringLiteral("Итог: план верен и оптимален.")));
    QVERIFY(!verdict->currentHtml().contains(QStringLiteral("Целевая функция F=")));  // no solution shown

    form.findChild<QMdiArea*>()->setActiveSubWindow(form.children().front());
    page->pastePlan(QStringLiteral("20\t10\t\t\n\t25\t15\t\n\t\t10\t40\n"));  // the north-west plan
    page->findChild<QPushButton*>(QStringLiteral("CheckPlan"))->click();
    verdict = form.activeReport();
    QVERIFY(verdict != nullptr && verdict->waitUntilLoaded());
    QVERIFY(verdict->currentHtml().contains(QStringLiteral("План не оптимален: его F = 805")));

    form.findChild<QMdiArea*>()->setActiveSubWindow(form.children().front());
    page->pastePlan(QStringLiteral("x\n"));
    page->findChild<QPushButton*>(QStringLiteral("CheckPlan"))->click();
    QCOMPARE(dialogs.Messages.value(0), QStringLiteral("Строка 1, столбец 1: \"x\" - не целое число."));

    page->findChild<QPushButton*>(QStringLiteral("ShowSolution"))->click();
    TMDIChildFormText* solution = form.activeReport();
    QVERIFY(solution != nullptr && solution != verdict && solution->waitUntilLoaded());
    QVERIFY(solution->currentHtml().contains(QStringLiteral("Целевая функция F= 445")));

    // The plan follows the task's size.
    form.findChild<QMdiArea*>()->setActiveSubWindow(form.children().front());
    pages->setCurrentIndex(0);
    editor->InsertRowClick();
    pages->setCurrentWidget(page);
    QCOMPARE(page->suppliers(), 4);
}

// Sets of variants to print and the check of a plan are the transportation task's: the dialog
// disables the set for the other kinds, and their editors show no page "Мой план".
void CourseworkWindowsTest::offersSetsAndPlanChecksForTheTransportationTaskOnly() {
    TRandomTaskDialog dialog;
    auto* makeSet = dialog.findChild<QPushButton*>(QStringLiteral("MakeSet"));
    auto* variants = dialog.findChild<QSpinBox*>(QStringLiteral("Variants"));
    ExerciseOptions options = dialog.options();
    for (const ExerciseKind kind : {ExerciseKind::Time, ExerciseKind::Assignment, ExerciseKind::Transport}) {
        options.Kind = kind;
        dialog.setOptions(options);
        QCOMPARE(makeSet->isEnabled(), kind == ExerciseKind::Transport);
        QCOMPARE(variants->isEnabled(), kind == ExerciseKind::Transport);
    }

    ScriptedDialogs dialogs;
    for (const TaskKind kind : {TaskKind::Transport, TaskKind::Time, TaskKind::Assignment}) {
        TTaskWithRestrictions editor(1, dialogs, nullptr, kind);
        auto* pages = editor.findChild<QTabWidget*>();
        QCOMPARE(pages->isTabVisible(pages->indexOf(editor.planPage())), kind == TaskKind::Transport);
    }
}

}  // namespace kargolo::testing

QTEST_MAIN(kargolo::testing::CourseworkWindowsTest)
#include "coursework_windows_test.moc"
