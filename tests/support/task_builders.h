#pragma once

// Builders of small tasks for tests, and a hooks object that records status lines.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "solver/solve_hooks.h"
#include "solver/solve_state.h"

namespace kargolo::testing {

struct TaskSpec {
    std::string Name;
    std::vector<std::int32_t> Supplies;
    std::vector<std::int32_t> Demands;
    std::vector<std::int32_t> Tariffs;  // row-major; empty: every tariff 1
    std::vector<std::int32_t> Limits = {};  // row-major; set: the task is solved with its limits
};

// A state holding the task with all cells (0, 0), in the given mode, with an empty report.
SolveState MakeState(const TaskSpec& task, std::int32_t solveMode = kSolveModeDetailed);

// A random balanced task; some tasks get zero rims and rims whose partial sums meet. Tariffs
// run from -5 to 20, or 1 to 3 in every fourth task, so that ties are common.
TaskSpec RandomBalancedTask(std::uint32_t seed, int maxSize = 8);

// A random task that is closed, has surplus or has deficit, one third each.
TaskSpec RandomTask(std::uint32_t seed, int maxSize = 8);

// A random task with limits: some routes closed, some unlimited, the rest limited to 0..30.
TaskSpec RandomLimitedTask(std::uint32_t seed, int maxSize = 7);

// The same draws for a task of m suppliers and n consumers.
TaskSpec RandomTaskOfShape(std::uint32_t seed, int m, int n);
TaskSpec RandomLimitedTaskOfShape(std::uint32_t seed, int m, int n);

// MakeState, then closed with a fictitious consumer or supplier and the report emptied: the
// state a plan rule starts from.
SolveState BalancedState(const TaskSpec& task, std::int32_t solveMode = kSolveModeDetailed);

// The Cargo of every cell, row-major.
std::vector<std::int32_t> Quantities(const SolveState& s);
// Whether the report holds the text.
bool Contains(const SolveState& s, std::string_view piece);

class RecordingHooks : public SolveHooks {
public:
    void AddStatusLine(std::string_view text) override { Lines.emplace_back(text); }
    void ReplaceStatusLine(std::string_view text) override {
        if (Lines.empty()) Lines.emplace_back();
        Lines.back().assign(text);
    }
    StageAnswer BeforeStage(SolveState&, unsigned, bool) override { return {}; }

    std::vector<std::string> Lines;
};

}  // namespace kargolo::testing
