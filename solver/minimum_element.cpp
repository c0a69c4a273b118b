#include "solver/plan_common.h"
#include "solver/plan_rule_texts.h"
#include "solver/plan_rules.h"

namespace kargolo {

// Only the chosen cell is ever flagged, so the cheapest open cell of each step is simply the
// next cell in tariff order: one sort replaces a scan of the matrix per placement.
void MinimumElement(SolveState& s) {
    const bool explain = WritesCourse(s);
    StartFlags(s);
    if (explain) s.Report.Append(kRemainderNotation);
    ExcludeFictitious(s);
    PlanRests rests(s);
    for (const int k : OpenCellsInTariffOrder(s)) {
        const PlanRests::Placement placement = rests.Place(s, k);
        s.UsingFlag[static_cast<std::size_t>(k)] = kCellUsed;
        if (explain && placement.Placed != 0) {
            const int i = k / s.n;
            const int j = k % s.n;
            s.Report.Appendf(kPlaceCheapest, i + 1, j + 1, i + 1, placement.RowBefore, j + 1,
                             placement.ColumnBefore);
        }
    }
    DistributeFictitious(s, rests);
    FreeUnfilledCells(s);
    ReleaseFlags(s);
}

}  // namespace kargolo
