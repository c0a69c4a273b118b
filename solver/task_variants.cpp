#include "solver/task_variants.h"

#include <string>

#include "solver/cell_state.h"
#include "solver/driver.h"
#include "solver/other_optimum.h"
#include "solver/report_writer.h"
#include "solver/solve_hooks.h"
#include "solver/solve_state.h"
#include "solver/variant_texts.h"

namespace kargolo {
namespace {

std::size_t At(int index) { return static_cast<std::size_t>(index); }

bool HasMandatory(const TaskVariant& v) {
    for (const std::int32_t amount : v.Mandatory) {
        if (amount > 0) return true;
    }
    return false;
}

void NegateTariffs(SolveState& s) {
    for (TaskCell& c : s.Cells) c.Tariff = -c.Tariff;  // M stays: a forbidden route costs M
}

// What the mandatory shipments take from every row and column.
struct RimShares {
    std::vector<std::int64_t> Rows;
    std::vector<std::int64_t> Columns;
};

RimShares SharesOf(const SolveState& s, const std::vector<std::int32_t>& mandatory) {
    RimShares shares{std::vector<std::int64_t>(At(s.m)), std::vector<std::int64_t>(At(s.n))};
    for (int k = 0; k < s.CellCount(); ++k) {
        shares.Rows[At(k / s.n)] += mandatory[At(k)];
        shares.Columns[At(k % s.n)] += mandatory[At(k)];
    }
    return shares;
}

// Shows the shipments in the task's table, says what remains of every supply and demand, and
// leaves s holding the reduced task (the limits reduced too).
void ShipMandatoryAmounts(SolveState& s, SolveHooks& hooks, bool announce, const std::vector<std::int32_t>& mandatory) {
    const RimShares shares = SharesOf(s, mandatory);
    bool limitsReduced = false;
    for (int k = 0; k < s.CellCount(); ++k) {
        limitsReduced = limitsReduced || (s.RestrictedTask && HasLimit(s.At(k)) && mandatory[At(k)] > 0);
    }
    if (announce) {
        s.Report.Appendf(kMandatoryNote, limitsReduced ? kMandatoryLimitsToo : "");
        for (int k = 0; k < s.CellCount(); ++k) s.At(k).Cargo = mandatory[At(k)];
        WriteTransportTable(s, hooks);
        for (int i = 0; i < s.m; ++i) {
            const std::int32_t supply = s.Supplies[At(i)].Amount;
            if (shares.Rows[At(i)] == 0) continue;
            s.Report.Appendf(kReducedSupply, i + 1, supply, static_cast<long long>(shares.Rows[At(i)]),
                             static_cast<long long>(supply - shares.Rows[At(i)]));
        }
        for (int j = 0; j < s.n; ++j) {
            const std::int32_t demand = s.Demands[At(j)].Amount;
            if (shares.Columns[At(j)] == 0) continue;
            s.Report.Appendf(kReducedDemand, j + 1, demand, static_cast<long long>(shares.Columns[At(j)]),
                             static_cast<long long>(demand - shares.Columns[At(j)]));
        }
        s.Report.Append(kReducedTaskHeading);
    }
    for (int k = 0; k < s.CellCount(); ++k) {
        TaskCell& c = s.At(k);
        c.Cargo = 0;
        if (s.RestrictedTask && HasLimit(c)) c.Limit -= mandatory[At(k)];
    }
    for (int i = 0; i < s.m; ++i) s.Supplies[At(i)].Amount -= static_cast<std::int32_t>(shares.Rows[At(i)]);
    for (int j = 0; j < s.n; ++j) s.Demands[At(j)].Amount -= static_cast<std::int32_t>(shares.Columns[At(j)]);
}

// The shipments back in the plan, the rims and the limits of the task's own routes.
void AddMandatoryAmounts(SolveState& s, int suppliers, int consumers, const std::vector<std::int32_t>& mandatory) {
    for (int i = 0; i < suppliers; ++i) {
        for (int j = 0; j < consumers; ++j) {
            const std::int32_t amount = mandatory[At(i * consumers + j)];
            TaskCell& c = s.Cell(i, j);
            if (s.RestrictedTask && HasLimit(c)) c.Limit += amount;
            if (amount == 0) continue;
            c.Cargo = (c.Cargo > 0 ? c.Cargo : 0) + amount;
            s.Supplies[At(i)].Amount += amount;
            s.Demands[At(j)].Amount += amount;
        }
    }
}

std::int64_t MandatoryCost(const SolveState& s, int suppliers, int consumers, const std::vector<std::int32_t>& mandatory) {
    std::int64_t cost = 0;
    for (int i = 0; i < suppliers; ++i) {
        for (int j = 0; j < consumers; ++j) cost += std::int64_t{mandatory[At(i * consumers + j)]} * s.Cell(i, j).Tariff;
    }
    return cost;
}

void WriteFinalPlan(SolveState& s, SolveHooks& hooks, std::int64_t reducedF, std::int64_t mandatoryCost) {
    s.Report.Append(kMandatoryAddedBack);
    WriteTransportTable(s, hooks);
    s.Report.Appendf(kMandatoryFinalF, static_cast<long long>(reducedF + mandatoryCost),
                     static_cast<long long>(reducedF), static_cast<long long>(mandatoryCost));
}

std::string CycleText(const SolveState& s, const std::vector<int>& cycle) {
    std::string text;
    for (const int k : cycle) text += Format("(%d,%d) &rarr; ", k / s.n + 1, k % s.n + 1);
    return text + Format("(%d,%d)", cycle.front() / s.n + 1, cycle.front() % s.n + 1);
}

const char* EnteringKind(const SolveState& s, const OtherOptimum& other) {
    if (other.EnteringAtLimit) return kOtherOptimumAtLimit;
    const TaskCell& c = s.At(other.Entering);
    return (s.RestrictedTask ? c.Basic != 0 : InBasis(c)) ? kOtherOptimumInBasis : kOtherOptimumFree;
}

// The second optimal plan of `other`, written from the plan in s (which is left as it was).
void WriteOtherOptimum(SolveState& s, SolveHooks& hooks, const OtherOptimum& other) {
    if (!other.Checked) {
        s.Report.Append(kOptimaNotChecked);
        return;
    }
    if (!other.Exists) {
        s.Report.Append(other.ZeroEstimates ? kOptimumUniqueDegenerate : kOptimumUnique);
        return;
    }
    s.Report.Appendf(kOtherOptimum, EnteringKind(s, other), other.Entering / s.n + 1, other.Entering % s.n + 1,
                     CycleText(s, other.Cycle).c_str(), static_cast<long long>(other.Theta));
    const std::vector<TaskCell> first = s.Cells;
    ShiftToOtherOptimum(s, other);
    WriteTransportTable(s, hooks);
    s.Report.Appendf(kOtherOptimumF, static_cast<long long>(ComputeObjectiveF(s)));
    s.Cells = first;
    s.Report.Append(kOptimaBetween);
}

}  // namespace

std::vector<std::vector<std::int64_t>> OwnPlan(const SolveState& s, int suppliers, int consumers) {
    std::vector<std::vector<std::int64_t>> plan(At(suppliers), std::vector<std::int64_t>(At(consumers)));
    for (int i = 0; i < suppliers; ++i) {
        for (int j = 0; j < consumers; ++j) plan[At(i)][At(j)] = std::max(s.Cell(i, j).Cargo, 0);
    }
    return plan;
}

VariantOutcome SolveVariant(SolveState& s, SolveHooks& hooks, bool planOnly, const TaskVariant& variant) {
    VariantOutcome outcome;
    outcome.Suppliers = s.m;
    outcome.Consumers = s.n;
    const bool mandatory = HasMandatory(variant);
    const bool announce = WritesCourse(s) || planOnly;  // as the first plan is written
    if (variant.Maximise) {
        if (announce) s.Report.Append(kMaximiseNote);
        NegateTariffs(s);
    }
    if (variant.ClosedForbiddenRoutes > 0 && announce) {
        s.Report.Appendf(variant.LimitsForForbiddenOnly ? kForbiddenOnlyNote : kForbiddenClosedNote,
                         variant.ClosedForbiddenRoutes);
    }
    if (mandatory) ShipMandatoryAmounts(s, hooks, announce, variant.Mandatory);
    outcome.Run = Solve(s, hooks, planOnly);
    if (variant.LimitsForForbiddenOnly && outcome.Run.Unsolvable) s.Report.Append(kForbiddenUnsolvable);
    const bool optimal = !planOnly && outcome.Run.Completed && !outcome.Run.Unsolvable;
    std::optional<OtherOptimum> other;
    if (variant.SeekOtherOptima && optimal) other = FindOtherOptimum(s);  // of the reduced task
    if (mandatory && outcome.Run.Completed && !outcome.Run.Unsolvable) {
        const std::int64_t reducedF = ComputeObjectiveF(s);
        AddMandatoryAmounts(s, outcome.Suppliers, outcome.Consumers, variant.Mandatory);
        WriteFinalPlan(s, hooks, reducedF, MandatoryCost(s, outcome.Suppliers, outcome.Consumers, variant.Mandatory));
        s.ObjectiveF = ComputeObjectiveF(s);
        s.Report.SetSectionObjective(s.ObjectiveF);
    }
    if (other) {
        WriteOtherOptimum(s, hooks, *other);
        if (other->Checked) outcome.OtherOptima = other->Exists;
    }
    outcome.Objective = ComputeObjectiveF(s);
    if (variant.Maximise) {
        outcome.Objective = -outcome.Objective;
        if (planOnly) s.Report.Appendf(kFirstPlanProfit, static_cast<long long>(outcome.Objective));
        if (optimal) {
            s.Report.Appendf(kMaximumProfit, static_cast<long long>(outcome.Objective));
            s.Report.SetSectionProfit(outcome.Objective);
        }
    }
    return outcome;
}

}  // namespace kargolo
