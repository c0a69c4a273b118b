#include "solver/driver.h"

#include <cstddef>
#include <limits>

#include "solver/driver_texts.h"
#include "solver/internal_error.h"
#include "solver/plan_rules.h"
#include "solver/report_writer.h"
#include "solver/restricted.h"
#include "solver/solve_hooks.h"
#include "solver/solve_state.h"

namespace kargolo {
namespace {

constexpr std::int64_t kLargestTotal = std::numeric_limits<std::int32_t>::max();

void WriteNotation(SolveState& s, SolveHooks& hooks) {
    if (!WritesCourse(s)) return;
    s.Report.Append(kGeneralNotation);
    if (s.RestrictedTask) s.Report.Append(kLimitsNotation);
    WriteTransportTable(s, hooks);
}

// Minimising the sum of c * X with every c <= 0 is the search for the largest |F|; the tariffs
// stay as they are.
void NoteNonPositiveTariffs(SolveState& s) {
    int negative = 0;
    int zero = 0;
    for (const TaskCell& c : s.Cells) {
        if (c.Tariff < 0) ++negative;
        if (c.Tariff == 0) ++zero;
    }
    s.MaximisationTask = negative + zero == s.CellCount() && negative > 0;
    if (s.MaximisationTask) s.Report.Append(kMaximisationNote);
}

// A new cell of a fictitious row or column: tariff 0, plan (0, 0), unlimited with limits.
TaskCell FictitiousCell(const SolveState& s) {
    TaskCell cell;
    if (s.RestrictedTask) cell.Limit = kNoLimit;
    return cell;
}

void AddFictitiousConsumer(SolveState& s, std::uint32_t surplus) {
    const int newN = s.n + 1;
    std::vector<TaskCell> cells;
    cells.reserve(static_cast<std::size_t>(s.m) * static_cast<std::size_t>(newN));
    for (int i = 0; i < s.m; ++i) {
        const auto row = s.Cells.begin() + static_cast<std::ptrdiff_t>(i) * s.n;
        cells.insert(cells.end(), row, row + s.n);
        cells.push_back(FictitiousCell(s));
    }
    s.Cells.swap(cells);
    s.n = newN;
    s.Demands.push_back({static_cast<std::int32_t>(surplus), 0});
}

void AddFictitiousSupplier(SolveState& s, std::uint32_t deficit) {
    s.Cells.insert(s.Cells.end(), static_cast<std::size_t>(s.n), FictitiousCell(s));
    s.m += 1;
    s.Supplies.push_back({static_cast<std::int32_t>(deficit), 0});
}

void BuildFirstPlan(SolveState& s, bool planOnly) {
    s.Report.MarkSection(ReportSectionKind::FirstPlan);
    const bool announce = WritesCourse(s) || planOnly;
    if (s.RestrictedTask) {
        bool closedRoute = false;
        for (const TaskCell& c : s.Cells) closedRoute = closedRoute || IsClosedRoute(c);
        if (announce && closedRoute) s.Report.Append(kClosedRoutesNote);
        if (announce) s.Report.Append(kRestrictedPlanHeader);
        RestrictedMinimumElement(s);
        return;
    }
    void (*const rules[])(SolveState&) = {NorthWestCorner, MinimumElement, VogelMethod,
                                          DoublePreference};
    // A value without a rule of its own takes the north-west corner.
    const bool known = s.PlanMethod >= kPlanNorthWestCorner && s.PlanMethod <= kPlanDoublePreference;
    const std::int32_t rule = known ? s.PlanMethod : kPlanNorthWestCorner;
    if (announce) s.Report.Append(kPlanHeaders[rule]);
    rules[rule](s);
}

void ReportFirstPlan(SolveState& s, SolveHooks& hooks) {
    s.ObjectiveF = ComputeObjectiveF(s);
    WriteTransportTable(s, hooks);
    s.Report.Appendf(kFirstPlanF, static_cast<long long>(s.ObjectiveF));
    s.Report.SetSectionObjective(s.ObjectiveF);
    hooks.AddStatusLine(Format(kStatusObjective, static_cast<long long>(s.ObjectiveF)));
}

void WriteMethodHeader(SolveState& s) {
    if (s.SolveMode == kSolveModeStepwise) s.Report.Append(kStepwiseBanner);
    if (s.RestrictedTask) {
        s.Report.Append(kRestrictedMethodHeader);
    } else {
        s.Report.Append(kMethodHeaders[s.SolveMethod == kMethodPotentials ? 1 : 0]);
    }
}

// The verdict belongs to the answer: a detailed or stepwise run writes it even when its report
// reached the size limit and the course was cut.
void WriteClosingText(SolveState& s, const ImprovementResult& result) {
    if (!result.Completed) {
        s.Report.Append(kAbortedByUser);
    } else if (s.RestrictedTask) {
        if (result.Bounded.ConditionsMet && s.SolveMode > kSolveModeChecking) {
            s.Report.Append(kRestrictedSolved);
        }
    } else if (s.SolveMode > kSolveModeChecking) {
        s.Report.Append(kSolved);
    }
}

// The cargo of the extended task's last row and column (and of the fictitious row or column
// before them) never reached its destination.
void WriteUndeliveredOfExtendedTask(SolveState& s) {
    for (int i = 0; i < s.m; ++i) {
        std::int32_t left = 0;
        const TaskCell& fictitious = s.Cell(i, s.n - 2);
        if (s.TotalDemand < s.TotalSupply && CarriesCargo(fictitious)) left = fictitious.Cargo;
        if (const TaskCell& extended = s.Cell(i, s.n - 1); CarriesCargo(extended)) {
            left += extended.Cargo;
        }
        if (left != 0) s.Report.Appendf(kCargoLeftWithSupplier, left, i + 1);
    }
    for (int j = 0; j < s.n; ++j) {
        std::int32_t missing = 0;
        const TaskCell& fictitious = s.Cell(s.m - 2, j);
        if (s.TotalSupply < s.TotalDemand && CarriesCargo(fictitious)) missing = fictitious.Cargo;
        if (const TaskCell& extended = s.Cell(s.m - 1, j); CarriesCargo(extended)) {
            missing += extended.Cargo;
        }
        if (missing != 0) s.Report.Appendf(kCargoNotDelivered, missing, j + 1);
    }
}

void WriteUndeliveredCargo(SolveState& s, const ImprovementResult& result) {
    if (result.Bounded.ExtendedTaskPresent) {
        WriteUndeliveredOfExtendedTask(s);
        return;
    }
    if (s.TotalDemand < s.TotalSupply) {
        for (int i = 0; i < s.m; ++i) {
            const TaskCell& c = s.Cell(i, s.n - 1);
            if (CarriesCargo(c)) s.Report.Appendf(kCargoLeftWithSupplier, c.Cargo, i + 1);
        }
    }
    if (s.TotalSupply < s.TotalDemand) {
        for (int j = 0; j < s.n; ++j) {
            const TaskCell& c = s.Cell(s.m - 1, j);
            if (CarriesCargo(c)) s.Report.Appendf(kCargoNotDelivered, c.Cargo, j + 1);
        }
    }
}

}  // namespace

std::string CheckTaskInput(const SolveState& s) {
    std::int64_t totalSupply = 0;
    std::int64_t totalDemand = 0;
    for (int i = 0; i < s.m; ++i) {
        const std::int32_t amount = s.Supplies[static_cast<std::size_t>(i)].Amount;
        if (amount < 0) return Format(kNegativeSupply, i + 1, amount);
        totalSupply += amount;
    }
    for (int j = 0; j < s.n; ++j) {
        const std::int32_t amount = s.Demands[static_cast<std::size_t>(j)].Amount;
        if (amount < 0) return Format(kNegativeDemand, j + 1, amount);
        totalDemand += amount;
    }
    if (totalSupply > kLargestTotal) return kTotalSupplyTooLarge;
    if (totalDemand > kLargestTotal) return kTotalDemandTooLarge;
    return {};
}

void BalanceTask(SolveState& s, SolveHooks& hooks) {
    s.Report.MarkSection(ReportSectionKind::Balancing);
    s.TotalSupply = 0;
    s.TotalDemand = 0;
    for (const RimEntry& supply : s.Supplies) s.TotalSupply += static_cast<std::uint32_t>(supply.Amount);
    for (const RimEntry& demand : s.Demands) s.TotalDemand += static_cast<std::uint32_t>(demand.Amount);
    if (s.TotalSupply == s.TotalDemand) {
        s.Report.Append(kClosedTypeNote);
        return;
    }
    if (s.TotalSupply > s.TotalDemand) {
        const std::uint32_t surplus = s.TotalSupply - s.TotalDemand;
        AddFictitiousConsumer(s, surplus);
        s.Report.Appendf(kFictitiousConsumerNote, surplus, s.n);
    } else {
        const std::uint32_t deficit = s.TotalDemand - s.TotalSupply;
        AddFictitiousSupplier(s, deficit);
        s.Report.Appendf(kFictitiousSupplierNote, deficit, s.m);
    }
    if (s.SolveMode == kSolveModeDetailed) WriteTransportTable(s, hooks);
}

void WriteClosingSummary(SolveState& s, SolveHooks& hooks, const ImprovementResult& result) {
    hooks.AddStatusLine(kStatusFinished);
    s.Report.MarkSection(ReportSectionKind::Answer);
    if (!result.Completed) {
        s.Report.SetSectionEnding(RunEnding::Stopped, result.Stages);
    } else if (result.Unsolvable) {
        s.Report.SetSectionEnding(RunEnding::Unsolvable, result.Stages);
    }
    s.ObjectiveF = ComputeObjectiveF(s);
    s.Report.SetSectionObjective(s.ObjectiveF);
    WriteClosingText(s, result);
    WriteTransportTable(s, hooks);
    s.Report.Appendf(kFinalF, static_cast<long long>(s.ObjectiveF));
    WriteUndeliveredCargo(s, result);
}

ImprovementResult Solve(SolveState& s, SolveHooks& hooks, bool planOnly) {
    s.TotalSupply = 0;
    s.TotalDemand = 0;
    s.EpsilonCounter = 0;
    s.Report.MarkSection(ReportSectionKind::Task);
    WriteNotation(s, hooks);
    NoteNonPositiveTariffs(s);
    BalanceTask(s, hooks);
    for (TaskCell& c : s.Cells) c.Sign = ' ';
    hooks.AddStatusLine(kStatusFindingPlan);
    BuildFirstPlan(s, planOnly);
    if (WritesCourse(s) || planOnly) {
        ReportFirstPlan(s, hooks);
        if (planOnly) return {};
    }
    if (WritesCourse(s)) WriteMethodHeader(s);
    const ImprovementResult result = ImprovePlan(s, hooks);
    WriteClosingSummary(s, hooks, result);
    return result;
}

}  // namespace kargolo
