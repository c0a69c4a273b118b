#pragma once

// The picture of a plan: suppliers on the left, consumers on the right, an arrow for every route
// that carries cargo with its quantity, fictitious suppliers and consumers and closed routes
// drawn apart, F below. It is SVG text, written the same by the command-line solver and the
// desktop program. Up to kReadableSide suppliers and consumers every quantity is written on its
// arrow; beyond, the picture says that the quantities are in the arrows' tooltips only.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kargolo {

struct SolveState;
struct SolveRunResult;

constexpr int kReadableSide = 15;

struct PlanNode {
    std::string Name;    // "A1", "B3"
    std::string Amount;  // the supply or demand
    bool Fictitious = false;
};

struct PlanRoute {
    int Supplier = 0;  // from 0
    int Consumer = 0;
    std::string Quantity;
    bool Closed = false;  // a closed route: no cargo, drawn apart
};

struct PlanSketch {
    std::string Caption;  // under the title: the task or the stage
    std::vector<PlanNode> Suppliers;
    std::vector<PlanNode> Consumers;
    std::vector<PlanRoute> Routes;
    std::int64_t ObjectiveF = 0;
    std::int64_t ObjectiveM = 0;  // F = ObjectiveM * M + ObjectiveF while big-M routes carry cargo
    bool Unsolvable = false;
    bool Profit = false;  // a profit task: its total is the profit, -F
};

// The plan of s, at any point of a run. The supplier or consumer that balanced an open task and
// the row and column of the extended task (routes at tariff M) are drawn as fictitious.
PlanSketch SketchOfPlan(const SolveState& s, std::string_view caption);
// The plan a finished run left in s, with the run's verdict and the task's goal.
PlanSketch SketchOfRun(const SolveState& s, const SolveRunResult& run, std::string_view caption);

std::string PlanSvg(const PlanSketch& sketch);

}  // namespace kargolo
