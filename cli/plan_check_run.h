#pragma once

// kargolo-solve TASK --check PLAN.csv: the check of a student's plan, as a report (to -o or the
// standard output, and with --docx as a Word document) and with --json as a verdict for scripts.

#include <ostream>

namespace kargolo {

struct CliOptions;
struct TableFileContents;

// The exit status: solved when the plan was judged, whatever the verdict.
int RunPlanCheck(const CliOptions& o, const TableFileContents& task, std::ostream& out,
                 std::ostream& err);

}  // namespace kargolo
