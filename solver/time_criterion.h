#pragma once

// The transportation problem by the time criterion. The cells' Tariff holds the time t_i,j of a
// shipment from A_i to B_j (TariffM = 1: the time M, longer than any other); the plan sought
// delivers every unit so that T, the longest time among the routes that carry cargo, is as short
// as possible.
//
// The course, as the report writes it: a first basic plan by the chosen rule with the times in
// the role of tariffs (with capacity limits, the least time first under the limits; cargo the
// limits leave undistributed goes to a fictitious supplier and consumer over routes of time M).
// Each stage takes T, crosses out every free cell whose time is >= T, and tries to empty the
// loaded cells of time T, in row-major order, by shifts along unloading cycles: the cell being
// emptied is the first vertex ('-'); every '+' vertex is a cell of time < T that is open and
// below its limit; every other '-' vertex carries cargo. A shift moves theta, the smallest cargo
// of a '-' vertex or room of a '+' vertex. When every cell of time T is empty, the next stage
// starts from a smaller T; when one of them has no unloading cycle, T is the answer.
//
// Tie rule: the cycle of a cell is one with the fewest vertices; among those, the breadth-first
// search from the cell's row takes each row's cells by column and each column's cells by row.
//
// Why a cell without a cycle proves T: if some plan x* used only times < T, the difference
// x* - x of the current plan x would split into cycles that take cargo only from loaded cells
// and add it only to cells of time < T below their limits, and every loaded cell of time T
// would lie on one of them.

#include <cstdint>
#include <string>

#include "solver/m_value.h"

namespace kargolo {

struct SolveState;
class SolveHooks;

struct TimeCriterionResult {
    bool Completed = true;    // false: the user stopped the run
    bool Unsolvable = false;  // the limits keep cargo from its consumers
    unsigned Stages = 0;      // stages run, as the report numbers them
    MValue LongestTime;       // T of the final plan over the task's own routes: T_min when solved
};

// A text that refuses the task, or an empty text: CheckTaskInput's conditions, and no time < 0.
std::string CheckTimeTaskInput(const SolveState& s);

// The whole run from a filled task (times in Tariff) to the answer, written into s.Report between
// the caller's head and footer; with planOnly only the first plan and its T. With
// s.RestrictedTask the limits apply. s keeps the final plan: the task's own cells are its first
// rows and columns (fictitious lines come after them).
TimeCriterionResult SolveByTime(SolveState& s, SolveHooks& hooks, bool planOnly);

// The longest time among the cells that carry cargo in the first `rows` x `columns` cells, or 0
// when none does.
MValue LongestLoadedTime(const SolveState& s, int rows, int columns);

// "7" or "M": how the report writes a time.
std::string FormatTime(MValue time);

}  // namespace kargolo
