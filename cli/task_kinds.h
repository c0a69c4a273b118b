#pragma once

// kargolo-solve --kind time|assignment: the transportation problem by the time criterion from a
// task file (.tab or .csv, times in place of tariffs) and the assignment problem from a matrix
// file (.csv), each written as a report (-o or the standard output) and, with --json, as its
// outcome for scripts.

#include <ostream>

#include "cli/options.h"

namespace kargolo {

// Runs the kind of task that o names (not the transportation task); the exit status.
int RunTaskKind(const CliOptions& o, std::ostream& out, std::ostream& err);

}  // namespace kargolo
