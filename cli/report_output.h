#pragma once

// Where a report goes: the file of -o, replaced only by a complete report, or the standard
// output.

#include <ostream>
#include <string>
#include <string_view>

#include "cli/options.h"
#include "documents/output_file.h"

namespace kargolo {

class ReportOutput {
public:
    ReportOutput(const CliOptions& o, std::ostream& out) : m_path(o.ReportPath), m_out(out) {}

    // Opens the file of -o; a message for the user when it cannot be written.
    std::string Open(const std::string& taskPath);
    bool Write(std::string_view bytes);
    // Puts the complete report in place; false when any of it could not be written.
    bool Commit();

private:
    std::string m_path;
    std::ostream& m_out;
    OutputFile m_file;  // abandoned, with nothing replaced, unless committed
};

// Writes a comparison table to the output: with --csv the lines (UTF-8, a byte order mark in a
// file), otherwise the document (windows-1251). The exit status; a message on err on failure.
int WriteComparison(const CliOptions& o, const std::string& csv, const std::string& html,
                    std::ostream& out, std::ostream& err);

}  // namespace kargolo
