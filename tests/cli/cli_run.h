#pragma once

// Running kargolo-solve's code in a test: its exit status and what it wrote, and the example
// tasks it is run on.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/solver_run.h"
#include "documents/utf8_path.h"
#include "documents/windows1251.h"

namespace kargolo::testing {

inline const std::filesystem::path kSource = KARGOLO_SOURCE_DIR;
inline const std::filesystem::path kTables = kSource / "examples" / "tables";

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

// The path of an example task.
inline std::string Table(const char* name) {
    return Utf8FromPath(kTables / name);
}

inline std::string Utf8(const std::string& windows1251) {
    return DecodeWindows1251(windows1251);
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace kargolo::testing
