#include "tests/support/literal_plan_rules.h"

#include "solver/plan_rule_texts.h"
#include "solver/plan_rules.h"

namespace kargolo::testing {

void LiteralNorthWestCorner(SolveState& s) {
    if (s.SolveMode > 0) s.Report.Append(kRemainderNotation);
    int k = 0;
    while (k < s.m * s.n) {
        const int i = k / s.n;
        const int j = k % s.n;
        const std::int32_t a = RowRemainder(s, i).Num;
        const std::int32_t b = ColumnRemainder(s, j).Num;
        const std::int32_t v = b >= a ? a : b;
        SetPlanQuantity(s.At(k), {v, 0});
        if (s.SolveMode > 0) {
            if (v != 0) s.Report.Appendf(kPlaceSmaller, i + 1, j + 1, i + 1, a, j + 1, b);
            if (k < s.m * s.n - 1) {
                if (RowRemainder(s, i) == EpsValue{}) s.Report.Appendf(kRowExhausted, i + 1, i + 1);
                if (ColumnRemainder(s, j) == EpsValue{}) {
                    s.Report.Appendf(kColumnSatisfied, j + 1, j + 1);
                }
            }
        }
        if (RowRemainder(s, i) == EpsValue{}) k += s.n;
        if (ColumnRemainder(s, k % s.n) == EpsValue{}) k += 1;
    }
    FreeUnfilledCells(s);
}

}  // namespace kargolo::testing
