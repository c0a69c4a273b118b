#pragma once

// The dialog of a random task for an exercise: its kind (the transportation task, by the time
// criterion, or the assignment problem), size, type, degeneracy, tariffs, capacity limits,
// whether the optimum must be unique, and the seed that makes it again. "Набор вариантов..."
// makes a set of transportation tasks to print instead of one task.

#include <QDialog>

#include "documents/exercise_generator.h"
#include "documents/variant_sheets.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace kargolo {

class TRandomTaskDialog : public QDialog {
    Q_OBJECT
public:
    explicit TRandomTaskDialog(QWidget* parent = nullptr);

    ExerciseOptions options() const;
    void setOptions(const ExerciseOptions& options);
    // The task made when the dialog was accepted.
    const GeneratedExercise& exercise() const { return m_exercise; }

    void accept() override;  // makes the task; a failure is shown and the dialog stays

    // Whether the dialog was closed by "Набор вариантов...", and the set it made then.
    bool wantsSet() const { return m_wantsSet; }
    const VariantSet& variantSet() const { return m_set; }
    unsigned variantCount() const;

private:
    void newSeed();
    void enableLimitOptions();
    void makeSet();  // the set of variants; a failure is shown and the dialog stays

    QComboBox* m_kind = nullptr;
    QSpinBox* m_suppliers = nullptr;
    QSpinBox* m_consumers = nullptr;
    QComboBox* m_type = nullptr;
    QCheckBox* m_degenerate = nullptr;
    QSpinBox* m_lowestTariff = nullptr;
    QSpinBox* m_highestTariff = nullptr;
    QSpinBox* m_limitedPercent = nullptr;
    QSpinBox* m_tightness = nullptr;
    QCheckBox* m_allowUnsolvable = nullptr;
    QCheckBox* m_unique = nullptr;
    QLineEdit* m_seed = nullptr;
    QSpinBox* m_variants = nullptr;
    QPushButton* m_makeSet = nullptr;
    GeneratedExercise m_exercise;
    VariantSet m_set;
    bool m_wantsSet = false;
};

}  // namespace kargolo
