#pragma once

// The one conversion of a task's text grids into numbers for a solve run.

#include <string>

#include "documents/task_grids.h"

namespace kargolo {

struct SolveState;

// Fills the task part of s from the grids: m and n from the grid size, supplies, demands,
// tariffs and limits ("M" = no limit; an empty text or "0" = a closed route), every other cell
// field 0. Limits are loaded whether or not the task is solved with them; restricted says
// whether it is. Returns a message naming the first number (supplies, then demands, then the
// cells row by row) that does not fit in 32 bits, or an empty text.
std::string GridsToSolveState(const TaskGrids& grids, bool restricted, SolveState& s);

}  // namespace kargolo
