#pragma once

// The variants of the transportation task that courses set, solved around one run of Solve the
// way the course teaches them:
// - a profit to maximise: the tariffs are taken with the opposite sign, after which a task whose
//   tariffs are all <= 0 is solved for the largest |F| as the driver does it;
// - forbidden routes: a tariff M; with limits such a route is closed instead (GridsToSolveState
//   counts them, the report says so);
// - mandatory shipments: shipped first, the supplies, demands (and limits) reduced by them, the
//   reduced task solved, the shipments added back to its plan;
// - the question whether the optimum is unique (see other_optimum.h).
// A task that uses none of them is solved by Solve alone and its report is unchanged.

#include <cstdint>
#include <optional>
#include <vector>

#include "solver/improvement.h"

namespace kargolo {

struct SolveState;
class SolveHooks;

struct TaskVariant {
    bool Maximise = false;
    std::vector<std::int32_t> Mandatory;  // m x n, row-major; empty: none
    int ClosedForbiddenRoutes = 0;        // routes with tariff M, closed
    bool LimitsForForbiddenOnly = false;  // the task has no limits but those closed routes
    bool SeekOtherOptima = false;
};

struct VariantOutcome {
    ImprovementResult Run;
    std::optional<bool> OtherOptima;  // whether a second optimal plan exists, when it was checked
    std::int64_t Objective = 0;       // F of the whole task; for a maximisation, the profit
    int Suppliers = 0;                // the task's own, before balancing
    int Consumers = 0;
};

// Solves the task of s (filled, not yet balanced) with its variant; planOnly as for Solve.
VariantOutcome SolveVariant(SolveState& s, SolveHooks& hooks, bool planOnly, const TaskVariant& variant);

// The plan over the task's own suppliers and consumers: epsilon parts dropped, a route that
// carries nothing 0.
std::vector<std::vector<std::int64_t>> OwnPlan(const SolveState& s, int suppliers, int consumers);

}  // namespace kargolo
