#include "solver/internal_error.h"
#include "solver/plan_common.h"
#include "solver/plan_rule_texts.h"
#include "solver/plan_rules.h"
#include "solver/solve_state.h"

namespace kargolo {
namespace {

void ExplainPlacement(SolveState& s, int k, const PlanRests::Placement& placement,
                      const PlanRests& rests) {
    const int i = k / s.n;
    const int j = k % s.n;
    if (placement.Placed != 0) {
        s.Report.Appendf(kPlaceSmaller, i + 1, j + 1, i + 1, placement.RowBefore, j + 1,
                         placement.ColumnBefore);
    }
    if (k >= s.CellCount() - 1) return;
    if (rests.Row(i) == 0) s.Report.Appendf(kRowExhausted, i + 1, i + 1);
    if (rests.Column(j) == 0) s.Report.Appendf(kColumnSatisfied, j + 1, j + 1);
}

}  // namespace

void NorthWestCorner(SolveState& s) {
    const bool explain = WritesCourse(s);
    if (explain) s.Report.Append(kRemainderNotation);
    PlanRests rests(s);
    const int cellCount = s.CellCount();
    int k = 0;
    while (k < cellCount) {
        const PlanRests::Placement placement = rests.Place(s, k);
        if (explain) ExplainPlacement(s, k, placement, rests);
        const int before = k;
        if (rests.Row(k / s.n) == 0) k += s.n;
        if (rests.Column(k % s.n) == 0) k += 1;
        SOLVER_CHECK(k != before);
    }
    FreeUnfilledCells(s);
}

}  // namespace kargolo
