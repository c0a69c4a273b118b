#pragma once

// The dialog of a random task for an exercise: its kind (the transportation task, by the time
// criterion, or the assignment problem), size, type, degeneracy, tariffs, capacity limits,
// whether the optimum must be unique, and the seed that makes it again.

#include <QDialog>

#include "documents/exercise_generator.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
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

private:
    void newSeed();
    void enableLimitOptions();

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
    GeneratedExercise m_exercise;
};

}  // namespace kargolo
