#pragma once

// The page "Мой план" of the task editor: the plan a student found for the task, typed cell by
// cell or pasted from a spreadsheet, and the F they computed. "Проверить" asks for the check of
// the plan, "Показать решение" for the ordinary report; the page itself reveals nothing.

#include <QWidget>

#include <cstdint>
#include <optional>
#include <string>

#include "documents/plan_check.h"

class QLineEdit;
class QTableWidget;

namespace kargolo {

class TPlanCheckPage : public QWidget {
    Q_OBJECT
public:
    explicit TPlanCheckPage(QWidget* parent = nullptr);

    // Fits the grid to a task of m suppliers and n consumers, keeping what was typed where it
    // still fits.
    void resizePlan(int m, int n);
    int suppliers() const;
    int consumers() const;
    // The plan and the F as typed (empty cells are 0); a message naming the cell at fault, or an
    // empty text.
    std::string readPlan(PlanQuantities& plan, std::optional<std::int64_t>& statedF) const;
    // Rows of values (tab-separated as a spreadsheet copies them) written from the current cell.
    void pastePlan(const QString& text);
    void setStatedF(const QString& text);

signals:
    void checkRequested();
    void solutionRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;  // Ctrl+V in the grid

private:
    QTableWidget* m_plan = nullptr;  // owned by the Qt parent, as is the field
    QLineEdit* m_statedF = nullptr;
};

}  // namespace kargolo
