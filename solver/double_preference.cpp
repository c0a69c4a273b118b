#include <algorithm>

#include "solver/plan_common.h"
#include "solver/plan_rule_texts.h"
#include "solver/plan_rules.h"

namespace kargolo {
namespace {

// One mark per row, then one per column: the cheapest open cell of the line, or kNoCell.
std::vector<int> MarkCheapestCells(SolveState& s) {
    const bool explain = WritesCourse(s);
    std::vector<int> marks;
    marks.reserve(static_cast<std::size_t>(s.m + s.n));
    auto mark = [&](Scope scope, int line) {
        const int k = FindMinTariffCell(s, scope, line);
        marks.push_back(k);
        if (!explain) return;
        const bool row = scope == Scope::Row;
        if (k == kNoCell) {
            s.Report.Appendf(row ? kRowWithoutOpenCells : kColumnWithoutOpenCells, line + 1);
        } else {
            const int i = k / s.n + 1;
            const int j = k % s.n + 1;
            s.Report.Appendf(row ? kRowMark : kColumnMark, line + 1, i, j, i, j, s.At(k).Tariff);
        }
    };
    for (int i = 0; i < s.m; ++i) mark(Scope::Row, i);
    for (int j = 0; j < s.n; ++j) mark(Scope::Column, j);
    return marks;
}

// A cell marked by its row and by its column is filled first. Such a cell is (i, j) for the
// row mark of row i, so each row has at most one, and rows are taken top to bottom.
void FillDoublyMarked(SolveState& s, PlanRests& rests, std::vector<int>& marks) {
    for (int i = 0; i < s.m; ++i) {
        const int k = marks[static_cast<std::size_t>(i)];
        if (k == kNoCell) continue;
        const int j = k % s.n;
        int& columnMark = marks[static_cast<std::size_t>(s.m + j)];
        if (columnMark != k) continue;
        const PlanRests::Placement placement = rests.Place(s, k);
        s.UsingFlag[static_cast<std::size_t>(k)] = kCellUsed;
        if (WritesCourse(s)) {
            s.Report.Appendf(kPlaceDoublyMarked, i + 1, j + 1, i + 1, j + 1, placement.RowBefore,
                             placement.ColumnBefore);
        }
        marks[static_cast<std::size_t>(i)] = kNoCell;
        columnMark = kNoCell;
    }
}

// The remaining marks by tariff; on equal tariffs the earlier mark (rows before columns, smaller
// numbers first), as repeated searches for the strictly smallest tariff would take them.
void FillMarked(SolveState& s, PlanRests& rests, const std::vector<int>& marks) {
    std::vector<int> order;
    for (int p = 0; p < static_cast<int>(marks.size()); ++p) {
        if (marks[static_cast<std::size_t>(p)] != kNoCell) order.push_back(p);
    }
    auto tariff = [&](int p) { return s.At(marks[static_cast<std::size_t>(p)]).Tariff; };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return tariff(a) < tariff(b); });
    for (const int p : order) {
        const int k = marks[static_cast<std::size_t>(p)];
        const PlanRests::Placement placement = rests.Place(s, k);
        s.UsingFlag[static_cast<std::size_t>(k)] = kCellUsed;
        if (WritesCourse(s)) {
            s.Report.Appendf(kPlaceMarked, k / s.n + 1, k % s.n + 1, placement.RowBefore,
                             placement.ColumnBefore);
        }
    }
}

void FillRemaining(SolveState& s, PlanRests& rests) {
    for (const int k : OpenCellsInTariffOrder(s)) {
        const PlanRests::Placement placement = rests.Place(s, k);
        s.UsingFlag[static_cast<std::size_t>(k)] = kCellUsed;
        if (WritesCourse(s) && placement.Placed != 0) {
            s.Report.Appendf(kPlaceRemaining, k / s.n + 1, k % s.n + 1, placement.RowBefore,
                             placement.ColumnBefore);
        }
    }
}

}  // namespace

void DoublePreference(SolveState& s) {
    const bool explain = WritesCourse(s);
    StartFlags(s);
    ExcludeFictitious(s);
    if (explain) s.Report.Append(kFindMarks);
    std::vector<int> marks = MarkCheapestCells(s);
    PlanRests rests(s);
    FillDoublyMarked(s, rests, marks);
    if (explain) s.Report.Append(kFillMarkedCells);
    FillMarked(s, rests, marks);
    if (explain) s.Report.Append(kFillRemainingCells);
    FillRemaining(s, rests);
    DistributeFictitious(s, rests);
    FreeUnfilledCells(s);
    ReleaseFlags(s);
}

}  // namespace kargolo
