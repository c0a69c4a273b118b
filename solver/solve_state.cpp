#include "solver/solve_state.h"

namespace kargolo {

void ApplySettings(const SolveSettings& settings, SolveState& s) {
    s.PlanMethod = settings.PlanMethod;
    s.SolveMode = settings.SolveMode;
    s.SolveMethod = settings.SolveMethod;
    s.EstimationDisplaying = settings.EstimationDisplaying;
    s.ReportLimit = std::uint64_t{settings.ReportLimitMb} << 20;
    s.CourseCut = false;
}

void ResizeTask(SolveState& s, int m, int n) {
    s.m = m;
    s.n = n;
    s.Supplies.assign(static_cast<std::size_t>(m), RimEntry{});
    s.Demands.assign(static_cast<std::size_t>(n), RimEntry{});
    s.Cells.assign(static_cast<std::size_t>(m) * static_cast<std::size_t>(n), TaskCell{});
}

EpsValue RowRemainder(const SolveState& s, int i) {
    EpsValue rest = AsEpsValue(s.Supplies[static_cast<std::size_t>(i)]);
    for (int j = 0; j < s.n; ++j) {
        const TaskCell& c = s.Cell(i, j);
        if (CarriesCargo(c)) {
            rest.Num -= c.Cargo;
            rest.Eps -= c.CargoEps;
        }
    }
    return rest;
}

EpsValue ColumnRemainder(const SolveState& s, int j) {
    EpsValue rest = AsEpsValue(s.Demands[static_cast<std::size_t>(j)]);
    for (int i = 0; i < s.m; ++i) {
        const TaskCell& c = s.Cell(i, j);
        if (CarriesCargo(c)) {
            rest.Num -= c.Cargo;
            rest.Eps -= c.CargoEps;
        }
    }
    return rest;
}

float ComputeObjectiveF(const SolveState& s) {
    float f = 0.0f;
    for (const TaskCell& c : s.Cells) {
        if (!CarriesCargo(c)) continue;
        const std::int64_t product = std::int64_t{c.Tariff} * c.Cargo;
        f = static_cast<float>(static_cast<double>(f) + static_cast<double>(product));
    }
    return f;
}

}  // namespace kargolo
