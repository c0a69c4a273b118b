#pragma once

// A task's grids as one text, exactly as they are (captions, unchecked typing and all): how the
// page keeps a task across a reload and hands it to its solver. The first line names the size,
// the goal and the kind of task, then each grid's rows; cells are tab-separated, and a tab, a line end or a backslash
// in a cell is written \t, \n or \\.

#include <string>
#include <string_view>

#include "documents/task_grids.h"

namespace kargolo {

std::string GridsToText(const TaskGrids& grids);
// False (and grids untouched) for a text that GridsToText did not write.
bool GridsFromText(std::string_view text, TaskGrids& grids);

}  // namespace kargolo
