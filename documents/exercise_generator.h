#pragma once

// Random tasks for exercises, each with its answer key. A series is made from one seed: task k
// of a seed is the same on every machine and in every series that holds it (the generator uses
// its own random numbers, not the standard library's distributions, whose results differ
// between libraries).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "documents/task_grids.h"

namespace kargolo {

struct SolveState;

enum class ExerciseType { Closed, Surplus, Deficit };

struct ExerciseOptions {
    int Suppliers = 3;
    int Consumers = 4;
    ExerciseType Type = ExerciseType::Closed;
    bool Degenerate = false;      // a part of the supplies equals a part of the demands
    std::int32_t LowestTariff = 1;
    std::int32_t HighestTariff = 9;
    int LimitedPercent = 0;       // the share of routes with a capacity limit
    int Tightness = 50;           // how far below min(a_i, b_j) a limit may go, in percent
    bool AllowUnsolvable = false; // otherwise the limits always let the task be solved
    bool UniqueOptimum = false;
    std::uint64_t Seed = 1;
};

// Why the options cannot make a task, or an empty text.
std::string CheckExerciseOptions(const ExerciseOptions& options);

struct GeneratedExercise {
    TaskGrids Grids;
    bool Limits = false;   // some route is limited: solve it with the limits
    std::string Failure;   // no task met the options in the attempts allowed; Grids is empty
};

// Task number `index` (from 0) of the series of options.Seed.
GeneratedExercise GenerateExercise(const ExerciseOptions& options, unsigned index);

// What a teacher checks an exercise against.
struct ExerciseAnswer {
    bool Bounded = false;                // solved with limits: the rules of the first plan do not apply
    std::int64_t FirstPlanF[4] = {};     // by rule: north-west, minimum, Vogel, double preference
    std::int64_t OptimalF = 0;
    bool Unsolvable = false;
    unsigned NorthWestStages = 0;        // stages of the method of potentials from the north-west plan
    std::int64_t BoundedFirstPlanF = 0;  // with limits: F of the first plan the limits allow
    // The optimal plan over the task's own routes, as kargolo-solve gives it with the default
    // settings (north-west corner, method of potentials); empty when the task is unsolvable.
    std::vector<std::vector<std::int64_t>> Plan;
};

ExerciseAnswer AnswerExercise(const TaskGrids& grids, bool limits);

// The lines of answers.csv: column names, then one line per task.
std::string AnswersHeader();
std::string AnswerLine(std::string_view fileName, const ExerciseAnswer& answer);

// Whether a solved task (after a whole run) has one optimal plan only: no route outside the
// final basis has a zero estimate. Closed routes do not count.
bool HasUniqueOptimum(const SolveState& solved);

}  // namespace kargolo
