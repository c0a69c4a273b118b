#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QRegularExpression>
#include <QtTest>

#include "qt/windows/about_box.h"
#include "qt/windows/help_window.h"
#include "qt/windows/main_form.h"
#include "tests/qt/windows/scripted_dialogs.h"

namespace kargolo::testing {

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void everyTopicHasItsPage();
    void everyLinkLeadsToAPage();
    void holdsTheSectionTheReportPointsTo();
    void opensFromTheMenuAndF1();
    void searchKeepsTheTopicsThatMentionTheText();
    void searchMarksWhatItFindsAndEscCloses();
    void showsTheWholeAboutBoxOnlyFromTheMenu();
};

void HelpTest::everyTopicHasItsPage() {
    for (const auto& [title, page] : THelpWindow::topics()) {
        QVERIFY2(!THelpWindow::pageText(page).isEmpty(), qPrintable(page));
    }
}

void HelpTest::everyLinkLeadsToAPage() {
    const QRegularExpression link(QStringLiteral("href=\"([^\"#]*)(#[^\"]*)?\""));
    int links = 0;
    for (const auto& [title, page] : THelpWindow::topics()) {
        const QString text = THelpWindow::pageText(page);
        for (auto match = link.globalMatch(text); match.hasNext();) {
            const QString target = match.next().captured(1);
            QVERIFY2(!THelpWindow::pageText(target).isEmpty(), qPrintable(page + " -> " + target));
            ++links;
        }
    }
    QVERIFY(links > 20);
}

// The report's note for tariffs <= 0 sends the reader to this section.
void HelpTest::holdsTheSectionTheReportPointsTo() {
    const QString text = THelpWindow::pageText(QStringLiteral("applications.html"));
    QVERIFY(text.contains(QStringLiteral("ПРИЛОЖЕНИЯ ТРАНСПОРТНОЙ ЗАДАЧИ К РЕШЕНИЮ НЕКОТОРЫХ ЭКОНОМИЧЕСКИХ ЗАДАЧ")));
    QVERIFY(text.contains(QStringLiteral("закрепление за станками операций по обработке деталей")));
}

void HelpTest::opensFromTheMenuAndF1() {
    ScriptedDialogs dialogs;
    TMain_Form form(dialogs);
    QCOMPARE(form.command("Contents")->shortcut(), QKeySequence(QKeySequence::HelpContents));
    form.command("Contents")->trigger();
    QVERIFY(form.helpWindow() != nullptr);
    QVERIFY(form.helpWindow()->isVisible());
    QCOMPARE(form.helpWindow()->currentPage(), QStringLiteral("index.html"));
    form.helpWindow()->showPage(QStringLiteral("vogel.html"));
    QCOMPARE(form.helpWindow()->currentPage(), QStringLiteral("vogel.html"));
}

void HelpTest::searchKeepsTheTopicsThatMentionTheText() {
    THelpWindow help;
    const int all = help.visibleTopicCount();
    help.search(QStringLiteral("Фогел"));
    QVERIFY(help.visibleTopicCount() > 0);
    QVERIFY(help.visibleTopicCount() < all);
    help.search(QString());
    QCOMPARE(help.visibleTopicCount(), all);
}

// Markup is not text: a tag's name finds nothing. What is found is marked in the page shown,
// and Esc closes the window.
void HelpTest::searchMarksWhatItFindsAndEscCloses() {
    THelpWindow help;
    help.show();
    QVERIFY(QTest::qWaitForWindowActive(&help));
    QVERIFY(help.findChild<QLineEdit*>()->hasFocus());  // typing goes to the search at once
    help.search(QStringLiteral("href"));
    QCOMPARE(help.visibleTopicCount(), 0);
    help.showPage(QStringLiteral("vogel.html"));
    help.search(QStringLiteral("Фогел"));
    auto* page = help.findChild<QTextBrowser*>();
    QVERIFY(!page->extraSelections().isEmpty());
    QCOMPARE(page->extraSelections().first().cursor.selectedText().toLower(), QStringLiteral("фогел"));
    help.search(QString());
    QVERIFY(page->extraSelections().isEmpty());
    QTest::keyClick(&help, Qt::Key_Escape);
    QVERIFY(!help.isVisible());
}

void HelpTest::showsTheWholeAboutBoxOnlyFromTheMenu() {
    QPointer<TAboutBox> splash = new TAboutBox(false);
    QVERIFY(splash->findChild<QPushButton*>() == nullptr);
    QVERIFY(splash->findChild<AddressLabel*>() != nullptr);
    delete splash;
    QPointer<TAboutBox> full = new TAboutBox(true);
    full->show();
    QVERIFY(full->findChild<QPushButton*>() != nullptr);
    QVERIFY(full->height() > 0);
    QTest::keyClick(full, Qt::Key_Escape);  // closes the box, which frees itself
    QTRY_VERIFY(full.isNull());
}

}  // namespace kargolo::testing

QTEST_MAIN(kargolo::testing::HelpTest)
#include "help_test.moc"
