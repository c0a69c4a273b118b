#include "solver/internal_error.h"
#include "solver/plan_rule_texts.h"
#include "solver/plan_rules.h"
#include "solver/solve_state.h"

namespace kargolo {
namespace {

// The rests A*_i and B*_j of the walk, kept as running values instead of re-summing a row or a
// column for every placement. Only numeric parts: every quantity placed has epsilon part 0.
struct Rests {
    std::vector<std::int32_t> Row;
    std::vector<std::int32_t> Column;

    explicit Rests(const SolveState& s) {
        for (const RimEntry& supply : s.Supplies) Row.push_back(supply.Amount);
        for (const RimEntry& demand : s.Demands) Column.push_back(demand.Amount);
    }
};

void ExplainPlacement(SolveState& s, int k, std::int32_t placed, std::int32_t rowRest,
                      std::int32_t columnRest, const Rests& rests) {
    const int i = k / s.n;
    const int j = k % s.n;
    if (placed != 0) {
        s.Report.Appendf(kPlaceSmaller, i + 1, j + 1, i + 1, rowRest, j + 1, columnRest);
    }
    if (k >= s.CellCount() - 1) return;
    if (rests.Row[static_cast<std::size_t>(i)] == 0) s.Report.Appendf(kRowExhausted, i + 1, i + 1);
    if (rests.Column[static_cast<std::size_t>(j)] == 0) {
        s.Report.Appendf(kColumnSatisfied, j + 1, j + 1);
    }
}

}  // namespace

void NorthWestCorner(SolveState& s) {
    const bool explain = s.SolveMode > kSolveModeChecking;
    if (explain) s.Report.Append(kRemainderNotation);
    Rests rests(s);
    const int cellCount = s.CellCount();
    int k = 0;
    while (k < cellCount) {
        const int i = k / s.n;
        const int j = k % s.n;
        std::int32_t& rowRest = rests.Row[static_cast<std::size_t>(i)];
        std::int32_t& columnRest = rests.Column[static_cast<std::size_t>(j)];
        const std::int32_t rowBefore = rowRest;
        const std::int32_t columnBefore = columnRest;
        const std::int32_t placed = columnRest >= rowRest ? rowRest : columnRest;
        SetPlanQuantity(s.At(k), {placed, 0});
        if (placed > 0) {  // a zero placement carries no cargo and leaves both rests as they are
            rowRest -= placed;
            columnRest -= placed;
        }
        if (explain) ExplainPlacement(s, k, placed, rowBefore, columnBefore, rests);
        const int before = k;
        if (rowRest == 0) k += s.n;
        if (columnRest == 0) k += 1;
        SOLVER_CHECK(k != before);
    }
    FreeUnfilledCells(s);
}

}  // namespace kargolo
