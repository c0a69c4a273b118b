#pragma once

// Random tasks for exercises, each with its answer key. A series is made from one seed: task k
// of a seed is the same on every machine and in every series that holds it (the generator uses
// its own random numbers, not the standard library's distributions, whose results differ
// between libraries).

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "documents/table_file.h"
#include "documents/task_grids.h"
#include "solver/hungarian.h"

namespace kargolo {

struct SolveState;

enum class ExerciseType { Closed, Surplus, Deficit };

// The transportation task, the same task by the time criterion (the tariffs are times), or the
// assignment problem (a matrix of Suppliers rows and Consumers columns, values in the tariffs'
// range).
enum class ExerciseKind { Transport, Time, Assignment };

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
    ExerciseKind Kind = ExerciseKind::Transport;
    bool Maximise = false;        // an assignment of the largest total
    int ForbiddenPercent = 0;     // the share of forbidden cells of an assignment
};

// Why the options cannot make a task, or an empty text.
std::string CheckExerciseOptions(const ExerciseOptions& options);

struct GeneratedExercise {
    TaskGrids Grids;         // the task of any kind, as the editors take it
    AssignmentTask Matrix;   // an assignment problem
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

// The key of a task by the time criterion: the T of each rule's first plan, the smallest T and
// the stages from the north-west corner (with limits, from the first plan under the limits).
struct TimeExerciseAnswer {
    bool Bounded = false;
    std::int64_t FirstPlanT[4] = {};
    std::int64_t SmallestT = 0;
    bool Unsolvable = false;
    unsigned Stages = 0;
};

TimeExerciseAnswer AnswerTimeExercise(const TaskGrids& grids, bool limits);
std::string TimeAnswersHeader();
std::string TimeAnswerLine(std::string_view fileName, const TimeExerciseAnswer& answer);

// The key of an assignment problem: the total, who does which job ("A1-B3 A2-B1"), the stages.
std::string AssignmentAnswersHeader();
std::string AssignmentAnswerLine(std::string_view fileName, const AssignmentTask& task);

// The files and the answer keys of a series of any kind: a table file (.tab) for a
// transportation task and one by the time criterion (with its kind), a text file (.csv) of the
// kind line, the goal and the matrix for an assignment.
const char* ExerciseFileExtension(ExerciseKind kind);
std::string ExerciseFileBytes(const GeneratedExercise& exercise, ExerciseKind kind);
std::string AnswersHeader(ExerciseKind kind);
std::string AnswerLine(std::string_view fileName, const GeneratedExercise& exercise, ExerciseKind kind);

// Whether a solved task (after a whole run) has one optimal plan only: no route outside the
// final basis has a zero estimate. Closed routes do not count.
bool HasUniqueOptimum(const SolveState& solved);

}  // namespace kargolo
