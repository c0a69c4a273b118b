#pragma once

// Where a report goes: the file of -o, replaced only by a complete report, or the standard
// output (or nowhere when only its Word document is asked for).

#include <functional>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/options.h"
#include "documents/output_file.h"
#include "documents/solve_run.h"

namespace kargolo {

class ReportOutput {
public:
    ReportOutput(const CliOptions& o, std::ostream& out)
        : m_path(o.ReportPath), m_out(out), m_discard(o.ReportPath.empty() && !o.DocxPath.empty()) {}

    // Opens the file of -o; a message for the user when it cannot be written.
    std::string Open(const std::string& taskPath);
    bool Write(std::string_view bytes);
    // Puts the complete report in place; false when any of it could not be written.
    bool Commit();

private:
    std::string m_path;
    std::ostream& m_out;
    bool m_discard;
    OutputFile m_file;  // abandoned, with nothing replaced, unless committed
};

class SolveHooks;

// One run of a task (of any kind) on a state whose report is already streaming.
using ReportRun = std::function<SolveRunResult(SolveState& s, SolveHooks& hooks)>;
// What follows a run that ended with its report written (the plan's picture); false when it
// failed and told err so.
using AfterRun = std::function<bool(const SolveState& s, const SolveRunResult& result)>;

// Runs a task into the report of -o or the standard output, written as the run goes (its size
// never has to fit in memory), and into --docx's Word document, then writes the outcome to
// --json's file or the standard output and does `after`. The exit status; messages on err.
int RunIntoReport(const CliOptions& o, std::ostream& out, std::ostream& err, const ReportRun& run,
                  const AfterRun& after = {});

// Writes a comparison table to the output: with --csv the lines (UTF-8, a byte order mark in a
// file), otherwise the document (windows-1251, and with --docx as a Word document). The exit
// status; a message on err on failure.
int WriteComparison(const CliOptions& o, const std::string& csv, const std::string& html,
                    std::ostream& out, std::ostream& err);

}  // namespace kargolo
