#pragma once

// The task and everything one solve run reads and writes. A run owns exactly one SolveState,
// created by its caller and passed explicitly to every operation.
//
// Cells are row-major, k = i * n + j with 0-based i and j; report texts count from 1. A cell's
// states are named in cell_state.h.

#include <cstdint>
#include <limits>
#include <vector>

#include "solver/cell_state.h"
#include "solver/eps_value.h"
#include "solver/report_buffer.h"

namespace kargolo {

// PlanMethod: the rule of the first basic plan.
constexpr std::int32_t kPlanNorthWestCorner = 0;
constexpr std::int32_t kPlanMinimumElement = 1;
constexpr std::int32_t kPlanVogel = 2;
constexpr std::int32_t kPlanDoublePreference = 3;

// SolveMode: how much of the course of the solution the report shows.
constexpr std::int32_t kSolveModeChecking = 0;  // the result only
constexpr std::int32_t kSolveModeDetailed = 1;  // the whole course
constexpr std::int32_t kSolveModeStepwise = 2;  // the whole course, pausing before each stage

// SolveMethod: the improvement method.
constexpr std::int32_t kMethodDistributive = 0;
constexpr std::int32_t kMethodPotentials = 1;

// EstimationDisplaying: how the estimates of free cells are shown.
constexpr std::int32_t kEstimatesAsLines = 0;
constexpr std::int32_t kEstimatesAsTable = 1;
constexpr std::int32_t kEstimatesAsLinesAndTable = 2;

// A report this large is enough to read; beyond it the course is no longer written.
constexpr std::uint32_t kDefaultReportLimitMb = 1024;
// The largest report size limit the settings take, in megabytes (0 is no limit).
constexpr std::uint32_t kLargestReportLimitMb = 1u << 20;

// One supply A_i or demand B_j.
struct RimEntry {
    std::int32_t Amount = 0;
    std::int32_t AmountEps = 0;
};

// A potential u_i or v_j = Value + M * M. Known counts how often it was found.
struct PotentialEntry {
    std::int64_t Value = 0;  // 64 bits: a sum of tariffs along a path of the basis
    std::int32_t Known = 0;
    std::int32_t M = 0;
};

// The five user settings a run reads.
struct SolveSettings {
    std::int32_t PlanMethod = kPlanNorthWestCorner;
    std::int32_t SolveMode = kSolveModeDetailed;
    std::int32_t SolveMethod = kMethodPotentials;
    std::int32_t EstimationDisplaying = kEstimatesAsLines;
    bool EditingMode = false;  // the report window opens the report editable
    // The size at which a report stops writing the course of the solution; 0: no limit.
    std::uint32_t ReportLimitMb = kDefaultReportLimitMb;
    bool OtherOptima = false;  // the report says whether the optimum is unique, or shows another
};

struct SolveState {
    ReportBuffer Report;

    std::int32_t PlanMethod = kPlanNorthWestCorner;
    std::int32_t SolveMode = kSolveModeDetailed;
    std::int32_t SolveMethod = kMethodPotentials;
    std::int32_t EstimationDisplaying = kEstimatesAsLines;
    std::uint64_t ReportLimit = 0;  // bytes of report text; 0: no limit
    bool CourseCut = false;         // the report reached its limit: the course is not written

    int m = 0;  // suppliers (rows)
    int n = 0;  // consumers (columns)
    std::vector<TaskCell> Cells;
    std::vector<RimEntry> Supplies;
    std::vector<RimEntry> Demands;

    // The cycle of the entering cell: the entering cell first, then alternately '-' and '+'.
    std::vector<int> CycleList;
    std::vector<PotentialEntry> PotentialsU;  // rows
    std::vector<PotentialEntry> PotentialsV;  // columns
    // Scratch flags of a plan rule or basis completion: 0 = open, 255 = excluded or used.
    std::vector<std::uint8_t> UsingFlag;
    std::int32_t EpsilonCounter = 0;

    std::uint32_t TotalSupply = 0;  // sum of the supplies as entered, before balancing
    std::uint32_t TotalDemand = 0;  // sum of the demands as entered

    bool RestrictedTask = false;    // solve with the capacity limits
    bool MaximisationTask = false;  // every tariff <= 0 and at least one < 0
    std::int64_t ObjectiveF = 0;    // F, exact (see ComputeObjectiveF)

    int CellCount() const { return m * n; }
    TaskCell& Cell(int i, int j) { return Cells[static_cast<std::size_t>(i * n + j)]; }
    const TaskCell& Cell(int i, int j) const { return Cells[static_cast<std::size_t>(i * n + j)]; }
    TaskCell& At(int k) { return Cells[static_cast<std::size_t>(k)]; }
    const TaskCell& At(int k) const { return Cells[static_cast<std::size_t>(k)]; }
};

void ApplySettings(const SolveSettings& settings, SolveState& s);

// In the basis of the run: with capacity limits the cells flagged Basic, otherwise the cells
// in the basis by their plan quantity (basis zeros included).
inline bool IsBasic(const SolveState& s, const TaskCell& c) {
    return s.RestrictedTask ? c.Basic != 0 : InBasis(c);
}

// The run writes the course of the solution: a detailed or stepwise run whose report has not
// reached its limit.
inline bool WritesCourse(const SolveState& s) {
    return s.SolveMode >= kSolveModeDetailed && !s.CourseCut;
}

// Makes an empty m x n task: zero rims, zero cells.
void ResizeTask(SolveState& s, int m, int n);

inline EpsValue AsEpsValue(const RimEntry& r) { return {r.Amount, r.AmountEps}; }

// A*_i: what supplier i still has to ship under the current plan.
EpsValue RowRemainder(const SolveState& s, int i);
// B*_j: what consumer j still has to receive under the current plan.
EpsValue ColumnRemainder(const SolveState& s, int j);

// F = sum of c * X over the cells that carry cargo, exact: every product fits 62 bits and the
// supplies add up to at most 2^31 - 1, so |F| < 2^62. (F used to be summed in single precision,
// which printed costs above 2^24 that were not the cost of the printed plan.)
std::int64_t ComputeObjectiveF(const SolveState& s);
// |to - from|: by how much F changed.
std::uint64_t ObjectiveChange(std::int64_t from, std::int64_t to);

}  // namespace kargolo
