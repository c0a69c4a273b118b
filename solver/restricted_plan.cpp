#include "solver/plan_common.h"
#include "solver/plan_rules.h"
#include "solver/restricted.h"
#include "solver/restricted_texts.h"

namespace kargolo {

// Every placement closes at least the chosen cell (it took A*, B* or its limit), so the
// cheapest open cell of each step is the next cell in tariff order whose row and column are
// still open: one sort replaces a scan of the matrix per placement.
void RestrictedMinimumElement(SolveState& s) {
    const bool explain = WritesCourse(s);
    StartFlags(s);
    if (explain) s.Report.Append(kRemainderAndLimitNotation);
    PlanRests rests(s);
    std::vector<bool> rowClosed(static_cast<std::size_t>(s.m));
    std::vector<bool> columnClosed(static_cast<std::size_t>(s.n));
    for (const int k : OpenCellsInTariffOrder(s)) {
        const int i = k / s.n;
        const int j = k % s.n;
        if (rowClosed[static_cast<std::size_t>(i)] || columnClosed[static_cast<std::size_t>(j)]) {
            continue;
        }
        const std::int32_t limit = s.At(k).Limit;
        const PlanRests::Placement placement =
            limit == kNoLimit ? rests.Place(s, k) : rests.Place(s, k, limit);
        s.UsingFlag[static_cast<std::size_t>(k)] = kCellUsed;
        if (placement.Placed == placement.RowBefore) rowClosed[static_cast<std::size_t>(i)] = true;
        if (placement.Placed == placement.ColumnBefore) {
            columnClosed[static_cast<std::size_t>(j)] = true;
        }
        if (!explain || placement.Placed == 0) continue;
        s.Report.Appendf(kPlaceUnderLimit, i + 1, j + 1, i + 1, placement.RowBefore, j + 1,
                         placement.ColumnBefore, i + 1, j + 1);
        if (limit == kNoLimit) {
            s.Report.Append(kNoLimitEnd);
        } else {
            s.Report.Appendf(kLimitEnd, limit);
        }
    }
    FreeUnfilledCells(s);
    ReleaseFlags(s);
}

}  // namespace kargolo
