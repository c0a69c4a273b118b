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

std::int64_t ComputeObjectiveF(const SolveState& s) {
    std::int64_t f = 0;
    for (const TaskCell& c : s.Cells) {
        if (CarriesCargo(c)) f += std::int64_t{c.Tariff} * c.Cargo;
    }
    return f;
}

std::uint64_t ObjectiveChange(std::int64_t from, std::int64_t to) {
    // In unsigned arithmetic, so that even 2^62 - (-2^62) is exact.
    const auto a = static_cast<std::uint64_t>(from);
    const auto b = static_cast<std::uint64_t>(to);
    return from < to ? b - a : a - b;
}

}  // namespace kargolo
