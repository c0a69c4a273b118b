#pragma once

// Where the five settings live between runs: QSettings in the native format (on Windows the key
// HKEY_CURRENT_USER\Software\Kargolo 2 with REG_DWORD values). This class alone names the
// values. A value that is missing or no number keeps its design default; the others are folded
// into their range (SolveMode 5 reads as 2, -1 as 1).

#include <QSettings>
#include <QVariant>
#include <memory>

#include "qt/windows/settings_keeper.h"
#include "solver/solve_state.h"

namespace kargolo {

// The settings as stored values read back: each absent one keeps the default of SolveSettings.
struct StoredSettings {
    QVariant SolveMode;
    QVariant SolveMethod;
    QVariant PlanMethod;
    QVariant EditingMode;
    QVariant EstimationDisplaying;
    QVariant ReportLimitMb;
    QVariant OtherOptima;
};
SolveSettings SettingsFromStored(const StoredSettings& stored);

class SettingsStore : public SettingsKeeper {
public:
    // The user's own store.
    SettingsStore();
    // Another store, such as a test's file.
    explicit SettingsStore(std::unique_ptr<QSettings> settings) : m_settings(std::move(settings)) {}

    SolveSettings load() const override;
    // Writes all five values (SolveMode, SolveMethod, PlanMethod, EstimationDisplaying,
    // EditingMode), the report size limit and whether reports show other optimal plans; a store that cannot be written is left silently.
    void store(const SolveSettings& settings) override;

private:
    std::unique_ptr<QSettings> m_settings;
};

}  // namespace kargolo
