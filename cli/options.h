#pragma once

// The command line of kargolo-solve.

#include <optional>
#include <string>
#include <vector>

#include "solver/solve_state.h"

namespace kargolo {

struct CliOptions {
    std::string TaskPath;
    std::string ReportPath;  // empty: standard output
    SolveSettings Settings;
    bool Limits = false;
    bool PlanOnly = false;
    bool Verbose = false;
    bool Help = false;
};

struct ParsedOptions {
    std::optional<CliOptions> Options;
    std::string Error;  // set when Options is empty
};

ParsedOptions ParseOptions(const std::vector<std::string>& args);

}  // namespace kargolo
