#include <QTemporaryDir>
#include <QtTest>

#include "qt/desktop/settings_store.h"
#include "qt/windows/settings_dialog.h"

namespace kargolo::testing {

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void foldsStoredValuesIntoTheirRange();
    void keepsTheDefaultsOfMissingOrWrongValues();
    void okWritesAllFiveValuesAndCancelNothing();
    void showsTheValuesLastConfirmed();

private:
    // A store in a file of the test's own: the user's settings are never touched.
    std::unique_ptr<SettingsStore> TestStore() {
        return std::make_unique<SettingsStore>(
            std::make_unique<QSettings>(m_folder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat));
    }
    QSettings Raw() { return QSettings(m_folder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat); }

    QTemporaryDir m_folder;
};

void SettingsTest::foldsStoredValuesIntoTheirRange() {
    const SolveSettings settings = SettingsFromStored({5, -3, 6, 7, -1, 300, 2});
    QCOMPARE(settings.SolveMode, 2);
    QCOMPARE(settings.SolveMethod, 1);
    QCOMPARE(settings.PlanMethod, 2);
    QVERIFY(settings.EditingMode);
    QCOMPARE(settings.EstimationDisplaying, 1);
    QCOMPARE(settings.ReportLimitMb, 300u);
    QVERIFY(settings.OtherOptima);
    QCOMPARE(SettingsFromStored({-1, 0, 0, 0, 0, 0, 0}).SolveMode, 1);
    QCOMPARE(SettingsFromStored({-1, 0, 0, 0, 0, 0, 0}).ReportLimitMb, 0u);  // no limit
}

void SettingsTest::keepsTheDefaultsOfMissingOrWrongValues() {
    const SolveSettings settings = SettingsFromStored({QVariant(), QStringLiteral("abc"), 3, QVariant(), 2, -5, QStringLiteral("x")});
    QCOMPARE(settings.SolveMode, kSolveModeDetailed);
    QCOMPARE(settings.SolveMethod, kMethodPotentials);
    QCOMPARE(settings.PlanMethod, 3);
    QVERIFY(!settings.EditingMode);
    QCOMPARE(settings.EstimationDisplaying, 2);
    QCOMPARE(settings.ReportLimitMb, kDefaultReportLimitMb);  // a negative size is no size
    QVERIFY(!settings.OtherOptima);
    QCOMPARE(SettingsFromStored({0, 0, 0, 0, 0, QStringLiteral("1e9"), 0}).ReportLimitMb,
             kDefaultReportLimitMb);
    const SolveSettings fresh = TestStore()->load();
    QCOMPARE(fresh.SolveMode, kSolveModeDetailed);
    QCOMPARE(fresh.SolveMethod, kMethodPotentials);
    QCOMPARE(fresh.PlanMethod, kPlanNorthWestCorner);
}

void SettingsTest::okWritesAllFiveValuesAndCancelNothing() {
    auto store = TestStore();
    {
        TSettings dialog(store.get());
        dialog.done(QDialog::Accepted);  // OK without changes
    }
    QSettings raw = Raw();
    for (const char* name : {"SolveMode", "SolveMethod", "PlanMethod", "EstimationDisplaying", "EditingMode",
                             "MaxReportMB", "ShowOtherOptima"}) {
        QVERIFY2(raw.contains(QString::fromLatin1(name)), name);
    }
    QCOMPARE(raw.value(QStringLiteral("SolveMode")).toInt(), 1);
    {
        TSettings dialog(store.get());
        SolveSettings changed = dialog.values();
        changed.PlanMethod = kPlanVogel;
        dialog.setValues(changed);
        dialog.done(QDialog::Rejected);
    }
    QCOMPARE(store->load().PlanMethod, kPlanNorthWestCorner);
}

void SettingsTest::showsTheValuesLastConfirmed() {
    auto store = TestStore();
    {
        TSettings dialog(store.get());
        SolveSettings changed = dialog.values();
        changed.SolveMode = kSolveModeStepwise;
        changed.EditingMode = true;
        changed.ReportLimitMb = 64;
        changed.OtherOptima = true;
        dialog.setValues(changed);
        dialog.done(QDialog::Accepted);
    }
    TSettings again(store.get());
    QCOMPARE(again.values().SolveMode, kSolveModeStepwise);
    QVERIFY(again.values().EditingMode);
    QCOMPARE(again.values().ReportLimitMb, 64u);
    QVERIFY(again.values().OtherOptima);
}

}  // namespace kargolo::testing

QTEST_MAIN(kargolo::testing::SettingsTest)
#include "settings_test.moc"
