#include "qt/desktop/settings_store.h"

#include <cstdlib>

namespace kargolo {
namespace {

// abs(v) mod range of a stored number, or the fallback when there is no number.
std::int32_t Folded(const QVariant& stored, int range, std::int32_t fallback) {
    bool isNumber = false;
    const qlonglong value = stored.toLongLong(&isNumber);
    if (!stored.isValid() || !isNumber) return fallback;
    return static_cast<std::int32_t>(std::llabs(value) % range);
}

// A stored number as a switch (non-zero: on), or the fallback when there is no number.
bool Flag(const QVariant& stored, bool fallback) {
    bool isNumber = false;
    const qlonglong value = stored.toLongLong(&isNumber);
    return stored.isValid() && isNumber ? value != 0 : fallback;
}

const QString kSolveMode = QStringLiteral("SolveMode");
const QString kSolveMethod = QStringLiteral("SolveMethod");
const QString kPlanMethod = QStringLiteral("PlanMethod");
const QString kEditingMode = QStringLiteral("EditingMode");
const QString kEstimationDisplaying = QStringLiteral("EstimationDisplaying");
const QString kReportLimitMb = QStringLiteral("MaxReportMB");
const QString kOtherOptima = QStringLiteral("ShowOtherOptima");

std::unique_ptr<QSettings> UserSettings() {
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\Kargolo 2"),
                                       QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Kargolo 2"));
#endif
}

}  // namespace

SolveSettings SettingsFromStored(const StoredSettings& stored) {
    const SolveSettings defaults;
    SolveSettings settings;
    settings.SolveMode = Folded(stored.SolveMode, 3, defaults.SolveMode);
    settings.SolveMethod = Folded(stored.SolveMethod, 2, defaults.SolveMethod);
    settings.PlanMethod = Folded(stored.PlanMethod, 4, defaults.PlanMethod);
    settings.EditingMode = Flag(stored.EditingMode, defaults.EditingMode);
    settings.OtherOptima = Flag(stored.OtherOptima, defaults.OtherOptima);
    bool isNumber = false;
    settings.EstimationDisplaying =
        Folded(stored.EstimationDisplaying, 3, defaults.EstimationDisplaying);
    const qlonglong limit = stored.ReportLimitMb.toLongLong(&isNumber);
    const bool validLimit = stored.ReportLimitMb.isValid() && isNumber && limit >= 0 &&
                            limit <= kLargestReportLimitMb;
    settings.ReportLimitMb = validLimit ? static_cast<std::uint32_t>(limit) : defaults.ReportLimitMb;
    return settings;
}

SettingsStore::SettingsStore() : m_settings(UserSettings()) {}

SolveSettings SettingsStore::load() const {
    return SettingsFromStored({m_settings->value(kSolveMode), m_settings->value(kSolveMethod),
                               m_settings->value(kPlanMethod), m_settings->value(kEditingMode),
                               m_settings->value(kEstimationDisplaying),
                               m_settings->value(kReportLimitMb), m_settings->value(kOtherOptima)});
}

void SettingsStore::store(const SolveSettings& settings) {
    m_settings->setValue(kSolveMode, settings.SolveMode);
    m_settings->setValue(kSolveMethod, settings.SolveMethod);
    m_settings->setValue(kPlanMethod, settings.PlanMethod);
    m_settings->setValue(kEstimationDisplaying, settings.EstimationDisplaying);
    m_settings->setValue(kEditingMode, settings.EditingMode ? 1 : 0);
    m_settings->setValue(kReportLimitMb, settings.ReportLimitMb);
    m_settings->setValue(kOtherOptima, settings.OtherOptima ? 1 : 0);
    m_settings->sync();
}

}  // namespace kargolo
