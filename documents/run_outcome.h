#pragma once

// The outcome of a run in a form that scripts read: JSON (UTF-8), written by kargolo-solve --json
// for every kind of task it solves.
//   {"kind": "transport", "goal": "min", "status": "optimal", "objective": 445,
//    "plan": [[20, 0, 10, 0], ...], "stages": 3, "alternatives": false}
// "objective" is an exact integer (the profit for a maximisation); "plan" is over the task's own
// suppliers and consumers, epsilon parts dropped and a route that carries nothing 0;
// "alternatives" is there only when the check for other optimal plans ran.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kargolo {

// Failed: an internal check broke off the run (the report so far was kept).
enum class RunStatus { Optimal, Unsolvable, Stopped, PlanOnly, Failed };

struct RunOutcome {
    std::string Kind = "transport";  // "transport", "time" or "assignment"
    bool Maximise = false;
    RunStatus Status = RunStatus::Optimal;
    std::int64_t Objective = 0;
    std::vector<std::vector<std::int64_t>> Plan;  // rows of the task's own suppliers
    unsigned Stages = 0;
    std::optional<bool> Alternatives;  // whether other optimal plans exist, when checked
};

// The outcome as one JSON object on one line, with a line end.
std::string RunOutcomeJson(const RunOutcome& outcome);

}  // namespace kargolo
