#pragma once

// The command line of kargolo-solve.

#include <optional>
#include <string>
#include <vector>

#include "documents/exercise_generator.h"
#include "solver/solve_state.h"

namespace kargolo {

// --generate: a series of random tasks with their answers.
struct GenerateOptions {
    unsigned Count = 0;
    std::string Folder;
    ExerciseOptions Exercise;
    bool SizeGiven = false;
    bool SeedGiven = false;
    bool Sheets = false;  // also the variants and the key to print
};

struct CliOptions {
    std::string TaskPath;
    std::string ReportPath;  // empty: standard output
    SolveSettings Settings;
    bool Limits = false;
    bool PlanOnly = false;
    bool Verbose = false;
    bool Help = false;
    bool Compare = false;  // a table of every rule and method instead of the report
    bool Csv = false;      // the comparison as ';'-separated lines
    std::string SvgPath;   // where the final plan's picture goes; empty: nowhere
    std::string DocxPath;  // where the report goes as a Word document; empty: nowhere
    std::string CheckPath;  // --check: the student's plan to judge instead of solving
    std::optional<std::int64_t> StatedF;  // the F the student gives with the plan
    // Where the outcome (or with --check the verdict) goes as JSON; "-": standard output;
    // empty: nowhere.
    std::string JsonPath;
    bool Maximise = false; // the tariffs (or the assignment's values) are profits to maximise
    std::optional<GenerateOptions> Generate;
    TaskKind Kind = TaskKind::Transport;  // --kind, or else the kind the task file names
    bool KindGiven = false;
    std::vector<std::string> GivenOptions;  // every option named, to check what goes together
};

struct ParsedOptions {
    std::optional<CliOptions> Options;
    std::string Error;  // set when Options is empty
};

ParsedOptions ParseOptions(const std::vector<std::string>& args);

}  // namespace kargolo
