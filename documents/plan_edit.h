#pragma once

// The plan grid of the stepwise pause, without the window: how a typed quantity is read and
// bounded, how an accepted edit changes the SolveState, and whether the edited plan is still a
// basic plan, with the lines the window shows about it.

#include <string>
#include <string_view>
#include <vector>

#include "documents/text_numbers.h"
#include "solver/eps_value.h"
#include "solver/solve_state.h"

namespace kargolo {

struct ParsedQuantity {
    EpsValue Value;
    bool Read = false;  // at least one term was a number or a multiple of e
};

// "5" -> 5, "3+2e" -> 3+2e, "e" -> e, "4-e" -> 4-e; blanks are ignored, other terms skipped.
ParsedQuantity ParseQuantity(std::string_view text);

// Text being typed into a plan cell: digits, blanks, signs and the letter e of epsilon in
// either case; a run of digits beyond the 32-bit range is too large.
TypedText CheckTypedQuantity(std::string_view text);

// The basic cells in row-major order: without limits the cells in the basis; with limits the
// positive cells below their limit, which also get their Basic flag.
std::vector<int> CollectBasicCells(SolveState& s);

// F of the shown plan: x * Tariff over the cells that are not free and have no M tariff, summed
// exactly in 64 bits.
std::int64_t PlanCost(const SolveState& s);

// The rows (from 0) whose supply is not fully shipped by their positive cells.
std::vector<int> UndistributedSuppliers(const SolveState& s);

// The cycle through basic cell `cell` among the basic cells, in the order of the textbook
// search (into CycleList, the cell first); false when there is none. Unlike the search of the
// improvement methods it never steps onto a cell already on its path, so a typed plan whose
// basic cells hold a cycle elsewhere cannot keep it searching.
// steps, when given, counts the cells the search stepped to.
bool FindBasicCycle(SolveState& s, int cell, int* steps = nullptr);

// The state of the plan check that the window shows and that decides whether it may continue.
struct PlanCheck {
    bool CountWrong = false;
    bool SupplyWrong = false;
    bool CycleFound = false;
    std::vector<std::string> Lines;  // "OK" or one line per problem
};

// The plan grid's logic for one stepwise pause.
class PlanEditor {
public:
    // Checks the plan as the window opens and takes its F.
    explicit PlanEditor(SolveState& s);

    struct EditResult {
        bool Accepted = true;  // false: the text could not be read and was put back
        std::string CellText;  // what the cell shows afterwards
        std::string Note;      // why a larger quantity typed was cut, or empty
    };
    // The user typed `text` into plan cell (i, j) and leaves it or presses Enter. A quantity
    // larger than the row, the column (or with limits the cell's limit) leaves is cut to that.
    EditResult AcceptCellEdit(int i, int j, std::string_view text);

    const PlanCheck& check() const { return m_check; }
    std::int64_t initialCost() const { return m_initialCost; }
    std::int64_t currentCost() const { return m_currentCost; }
    bool planChanged() const { return m_planChanged; }
    // The message that keeps the window open when the user asks to continue, or empty.
    std::string continueRefusal() const;

private:
    enum class BoundReason { Row, Column, RowAndColumn, Limit };
    struct Bound {
        std::int64_t Value = 0;
        BoundReason Reason = BoundReason::Row;
    };
    Bound CellBound(int i, int j, std::int64_t own) const;
    std::string CutNote(int i, int j, const Bound& bound) const;
    void ApplyEdit(int i, int j, EpsValue old, EpsValue now);
    void CheckPlan();

    SolveState& m_s;
    PlanCheck m_check;
    std::vector<int> m_basicCells;
    std::int64_t m_initialCost = 0;
    std::int64_t m_currentCost = 0;
    bool m_planChanged = false;
};

// What closing the pause does with limits: every positive cell below its limit is basic again.
void FinishStepwiseEdits(SolveState& s);

}  // namespace kargolo
