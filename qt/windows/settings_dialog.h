#pragma once

// TSettings: the five settings as radio groups and a check box. With a store (Persist) it shows
// the stored values and writes them back when closed with OK.

#include <QDialog>

#include "solver/solve_state.h"

class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QLayout;
class QSpinBox;

namespace kargolo {

class SettingsKeeper;

class TSettings : public QDialog {
    Q_OBJECT
public:
    explicit TSettings(SettingsKeeper* persist, QWidget* parent = nullptr);

    SolveSettings values() const;
    void setValues(const SolveSettings& settings);

    void done(int result) override;  // OK with Persist stores the values

private:
    // The report size limit: a label and a spin box in megabytes.
    QLayout* createReportLimit(QWidget* parent);
    QButtonGroup* addGroup(QGridLayout* layout, int row, int column, const QString& caption,
                           const QStringList& items, const QString& hint);

    SettingsKeeper* m_persist;
    QButtonGroup* m_solveMethod = nullptr;  // owned by the dialog, as are the widgets below
    QButtonGroup* m_solveMode = nullptr;
    QButtonGroup* m_planMethod = nullptr;
    QButtonGroup* m_estimationDisplaying = nullptr;
    QCheckBox* m_editingMode = nullptr;
    QCheckBox* m_otherOptima = nullptr;
    QSpinBox* m_reportLimit = nullptr;
};

}  // namespace kargolo
