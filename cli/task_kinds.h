#pragma once

// kargolo-solve --kind time|assignment: the transportation problem by the time criterion from a
// task file (.tab or .csv, times in place of tariffs) and the assignment problem from a matrix
// file (.csv), each written as a report (-o or the standard output) and, with --json, as its
// outcome for scripts.

#include <ostream>

#include "cli/options.h"
#include "documents/table_file.h"

namespace kargolo {

// Runs the kind of task that o names (not the transportation task); the exit status.
int RunTaskKind(const CliOptions& o, std::ostream& out, std::ostream& err);

// --compare of a task by the time criterion: the table of every rule of the first plan.
int RunTimeComparison(const CliOptions& o, const TableFileContents& contents, std::ostream& out,
                      std::ostream& err);

}  // namespace kargolo
