#pragma once

// The one conversion of a task's text grids into numbers for a solve run.

#include <string>

#include "documents/task_grids.h"
#include "solver/task_variants.h"

namespace kargolo {

struct SolveState;

// Fills the task part of s from the grids: m and n from the grid size, supplies, demands,
// tariffs and limits ("M" = no limit; an empty text or "0" = a closed route), every other cell
// field 0. Limits are loaded whether or not the task is solved with them; restricted says
// whether it is. Returns a message naming the first number (supplies, then demands, then the
// cells row by row) that does not fit in 32 bits, or an empty text.
//
// A tariff "M" forbids its route: it becomes a closed route. A task with forbidden routes is
// always solved with limits: without the limits page, its only limits are those closed routes.
std::string GridsToSolveState(const TaskGrids& grids, bool restricted, SolveState& s);

// Makes s a task with limits whose only limits close the forbidden routes of the grids.
void CloseForbiddenRoutesOnly(const TaskGrids& grids, SolveState& s);

bool HasForbiddenRoute(const TaskGrids& grids);
int CountForbiddenRoutes(const TaskGrids& grids);

// The variant of the task of the grids, once s holds its numbers (GridsToSolveState): the goal,
// the forbidden routes closed (restricted: whether the task's own limits are in use), and the
// mandatory shipments. Returns a
// message naming the first shipment that cannot be made (on a forbidden route, above a route's
// limit when the task is solved with limits, beyond a supply or a demand, negative, or no
// 32-bit number), or an empty text.
std::string GridsToVariant(const TaskGrids& grids, bool restricted, const SolveState& s,
                           TaskVariant& variant);

}  // namespace kargolo
