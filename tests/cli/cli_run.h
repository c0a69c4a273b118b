#pragma once

// Runs of kargolo-solve inside the test process, for the command-line tests.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/solver_run.h"

namespace kargolo::testing {

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct CliRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

inline CliRun RunCli(std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.Status = RunSolver(args, out, err);
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

}  // namespace kargolo::testing
