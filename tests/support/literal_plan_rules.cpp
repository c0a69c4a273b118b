#include "tests/support/literal_plan_rules.h"

#include <cstdlib>

#include "solver/plan_rule_texts.h"
#include "solver/plan_rules.h"
#include "solver/restricted_texts.h"

namespace kargolo::testing {
namespace {

constexpr int kNone = -1;

bool Explain(const SolveState& s) { return s.SolveMode > 0; }
bool FictitiousConsumer(const SolveState& s) { return s.TotalDemand < s.TotalSupply; }
bool FictitiousSupplier(const SolveState& s) { return s.TotalSupply < s.TotalDemand; }
std::uint8_t& Flag(SolveState& s, int k) { return s.UsingFlag[static_cast<std::size_t>(k)]; }

// Scans the cells of a row (step 1), a column (step n) or the matrix (all) for the first open
// cell with the smallest tariff.
int FindCheapest(SolveState& s, int first, int step, int count) {
    int best = kNone;
    for (int p = 0; p < count; ++p) {
        const int k = first + p * step;
        if (Flag(s, k) == 255) continue;
        if (best == kNone || s.At(k).Tariff < s.At(best).Tariff) best = k;
    }
    return best;
}
int CheapestInRow(SolveState& s, int i) { return FindCheapest(s, i * s.n, 1, s.n); }
int CheapestInColumn(SolveState& s, int j) { return FindCheapest(s, j, s.n, s.m); }
int CheapestOfAll(SolveState& s) { return FindCheapest(s, 0, 1, s.m * s.n); }

void Exclude(SolveState& s) {
    s.UsingFlag.assign(static_cast<std::size_t>(s.m * s.n), 0);
    if (FictitiousConsumer(s)) {
        for (int i = 0; i < s.m; ++i) Flag(s, i * s.n + s.n - 1) = 255;
        if (Explain(s)) s.Report.Append(kExcludeFictitiousConsumer);
    }
    if (FictitiousSupplier(s)) {
        for (int j = 0; j < s.n; ++j) Flag(s, (s.m - 1) * s.n + j) = 255;
        if (Explain(s)) s.Report.Append(kExcludeFictitiousSupplier);
    }
}

void Distribute(SolveState& s) {
    auto fill = [&](int i, int j) {
        const EpsValue v = EpsMin(RowRemainder(s, i), ColumnRemainder(s, j));
        SetPlanQuantity(s.Cell(i, j), v);
        if (v != EpsValue{} && Explain(s)) s.Report.Appendf(kPlaceFictitious, i + 1, j + 1, v.Num);
    };
    if (FictitiousConsumer(s)) {
        if (Explain(s)) s.Report.Appendf(kDistributeToFictitiousConsumer, s.n);
        for (int i = 0; i < s.m; ++i) fill(i, s.n - 1);
    }
    if (FictitiousSupplier(s)) {
        if (Explain(s)) s.Report.Appendf(kDistributeFromFictitiousSupplier, s.m);
        for (int j = 0; j < s.n; ++j) fill(s.m - 1, j);
    }
}

void Finish(SolveState& s) {
    Distribute(s);
    FreeUnfilledCells(s);
    s.UsingFlag.clear();
}

// Places B* if B* < A*, else A*, and returns (v, A*, B*) as they were before.
struct Placed {
    std::int32_t V, A, B;
};
Placed PlaceSmaller(SolveState& s, int k) {
    const std::int32_t a = RowRemainder(s, k / s.n).Num;
    const std::int32_t b = ColumnRemainder(s, k % s.n).Num;
    const std::int32_t v = b < a ? b : a;
    SetPlanQuantity(s.At(k), {v, 0});
    return {v, a, b};
}

struct Record {
    int Cell = kNone;
    long long Difference = 0;
};

Record VogelRecord(SolveState& s, bool row, int line) {
    const int p = row ? CheapestInRow(s, line) : CheapestInColumn(s, line);
    if (p == kNone) {
        if (Explain(s)) {
            s.Report.Appendf(row ? kRowWithoutOpenCells : kColumnWithoutOpenCells, line + 1);
        }
        return {};
    }
    Flag(s, p) = 255;
    int q = row ? CheapestInRow(s, line) : CheapestInColumn(s, line);
    Flag(s, p) = 0;
    if (q == kNone) q = p;
    const long long difference = std::llabs(static_cast<long long>(s.At(p).Tariff) - s.At(q).Tariff);
    if (Explain(s)) {
        s.Report.Appendf(row ? kRowDifference : kColumnDifference, line + 1, p / s.n + 1,
                         p % s.n + 1, q / s.n + 1, q % s.n + 1, difference);
    }
    return {p, difference};
}

int BestRecord(const SolveState& s, const std::vector<Record>& records) {
    int best = kNone;
    for (int x = 0; x < static_cast<int>(records.size()); ++x) {
        const Record& r = records[static_cast<std::size_t>(x)];
        if (r.Cell == kNone) continue;
        if (best == kNone) {
            best = x;
            continue;
        }
        const Record& b = records[static_cast<std::size_t>(best)];
        if (r.Difference > b.Difference) best = x;
        if (r.Difference == b.Difference && s.At(r.Cell).Tariff < s.At(b.Cell).Tariff) best = x;
    }
    return best;
}

}  // namespace

void LiteralNorthWestCorner(SolveState& s) {
    if (Explain(s)) s.Report.Append(kRemainderNotation);
    int k = 0;
    while (k < s.m * s.n) {
        const int i = k / s.n;
        const int j = k % s.n;
        const std::int32_t a = RowRemainder(s, i).Num;
        const std::int32_t b = ColumnRemainder(s, j).Num;
        const std::int32_t v = b >= a ? a : b;
        SetPlanQuantity(s.At(k), {v, 0});
        if (Explain(s)) {
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

void LiteralMinimumElement(SolveState& s) {
    s.UsingFlag.assign(static_cast<std::size_t>(s.m * s.n), 0);
    if (Explain(s)) s.Report.Append(kRemainderNotation);
    Exclude(s);
    for (int k = CheapestOfAll(s); k != kNone; k = CheapestOfAll(s)) {
        const Placed p = PlaceSmaller(s, k);
        Flag(s, k) = 255;
        if (Explain(s) && p.V != 0) {
            s.Report.Appendf(kPlaceCheapest, k / s.n + 1, k % s.n + 1, k / s.n + 1, p.A,
                             k % s.n + 1, p.B);
        }
    }
    Finish(s);
}

void LiteralVogelMethod(SolveState& s) {
    Exclude(s);
    std::vector<Record> rows(static_cast<std::size_t>(s.m));
    std::vector<Record> columns(static_cast<std::size_t>(s.n));
    for (unsigned stage = 1;; ++stage) {
        if (Explain(s)) s.Report.Appendf(kVogelStage, stage);
        for (int i = 0; i < s.m; ++i) rows[static_cast<std::size_t>(i)] = VogelRecord(s, true, i);
        for (int j = 0; j < s.n; ++j) columns[static_cast<std::size_t>(j)] = VogelRecord(s, false, j);
        const int row = BestRecord(s, rows);
        const int column = BestRecord(s, columns);
        if (row == kNone && column == kNone) break;
        if (Explain(s)) {
            s.Report.Append(kVogelTieRule);
            if (row != kNone) s.Report.Appendf(kBestRow, row + 1);
            if (column != kNone) s.Report.Appendf(kBestColumn, column + 1);
        }
        int k;
        if (column == kNone) {
            k = rows[static_cast<std::size_t>(row)].Cell;
        } else if (row == kNone) {
            k = columns[static_cast<std::size_t>(column)].Cell;
        } else {
            const Record& r = rows[static_cast<std::size_t>(row)];
            const Record& c = columns[static_cast<std::size_t>(column)];
            if (r.Difference > c.Difference) {
                k = r.Cell;
            } else if (c.Difference > r.Difference) {
                k = c.Cell;
            } else {
                k = s.At(r.Cell).Tariff < s.At(c.Cell).Tariff ? r.Cell : c.Cell;
            }
        }
        const int i = k / s.n;
        const int j = k % s.n;
        SetPlanQuantity(s.At(k), EpsMin(RowRemainder(s, i), ColumnRemainder(s, j)));
        if (Explain(s)) s.Report.Appendf(kFillCheapestOfLine, i + 1, j + 1);
        Flag(s, k) = 255;
        if (RowRemainder(s, i) == EpsValue{}) {
            for (int c = 0; c < s.n; ++c) Flag(s, i * s.n + c) = 255;
        }
        if (ColumnRemainder(s, j) == EpsValue{}) {
            for (int r = 0; r < s.m; ++r) Flag(s, r * s.n + j) = 255;
        }
    }
    Finish(s);
}

void LiteralDoublePreference(SolveState& s) {
    Exclude(s);
    if (Explain(s)) s.Report.Append(kFindMarks);
    std::vector<int> marks;
    for (int i = 0; i < s.m; ++i) {
        const int k = CheapestInRow(s, i);
        marks.push_back(k);
        if (!Explain(s)) continue;
        if (k == kNone) {
            s.Report.Appendf(kRowWithoutOpenCells, i + 1);
        } else {
            s.Report.Appendf(kRowMark, i + 1, k / s.n + 1, k % s.n + 1, k / s.n + 1, k % s.n + 1,
                             s.At(k).Tariff);
        }
    }
    for (int j = 0; j < s.n; ++j) {
        const int k = CheapestInColumn(s, j);
        marks.push_back(k);
        if (!Explain(s)) continue;
        if (k == kNone) {
            s.Report.Appendf(kColumnWithoutOpenCells, j + 1);
        } else {
            s.Report.Appendf(kColumnMark, j + 1, k / s.n + 1, k % s.n + 1, k / s.n + 1,
                             k % s.n + 1, s.At(k).Tariff);
        }
    }
    for (int i = 0; i < s.m; ++i) {
        for (int j = 0; j < s.n; ++j) {
            int& rowMark = marks[static_cast<std::size_t>(i)];
            int& columnMark = marks[static_cast<std::size_t>(s.m + j)];
            if (rowMark == kNone || columnMark == kNone || rowMark != columnMark) continue;
            const Placed p = PlaceSmaller(s, rowMark);
            Flag(s, rowMark) = 255;
            if (Explain(s)) {
                s.Report.Appendf(kPlaceDoublyMarked, i + 1, j + 1, i + 1, j + 1, p.A, p.B);
            }
            rowMark = kNone;
            columnMark = kNone;
        }
    }
    if (Explain(s)) s.Report.Append(kFillMarkedCells);
    for (;;) {
        int chosen = kNone;
        for (int x = 0; x < static_cast<int>(marks.size()); ++x) {
            const int k = marks[static_cast<std::size_t>(x)];
            if (k == kNone) continue;
            if (chosen == kNone ||
                s.At(k).Tariff < s.At(marks[static_cast<std::size_t>(chosen)]).Tariff) {
                chosen = x;
            }
        }
        if (chosen == kNone) break;
        const int k = marks[static_cast<std::size_t>(chosen)];
        const Placed p = PlaceSmaller(s, k);
        Flag(s, k) = 255;
        marks[static_cast<std::size_t>(chosen)] = kNone;
        if (Explain(s)) s.Report.Appendf(kPlaceMarked, k / s.n + 1, k % s.n + 1, p.A, p.B);
    }
    if (Explain(s)) s.Report.Append(kFillRemainingCells);
    for (int k = CheapestOfAll(s); k != kNone; k = CheapestOfAll(s)) {
        const Placed p = PlaceSmaller(s, k);
        Flag(s, k) = 255;
        if (Explain(s) && p.V != 0) s.Report.Appendf(kPlaceRemaining, k / s.n + 1, k % s.n + 1, p.A, p.B);
    }
    Finish(s);
}

void LiteralRestrictedMinimumElement(SolveState& s) {
    s.UsingFlag.assign(static_cast<std::size_t>(s.m * s.n), 0);
    if (Explain(s)) s.Report.Append(kRemainderAndLimitNotation);
    for (int k = CheapestOfAll(s); k != kNone; k = CheapestOfAll(s)) {
        const int i = k / s.n;
        const int j = k % s.n;
        const EpsValue a = RowRemainder(s, i);
        const EpsValue b = ColumnRemainder(s, j);
        EpsValue x = EpsMin(a, b);
        const std::int32_t limit = s.At(k).Limit;
        if (limit != kNoLimit) x = EpsMin(x, limit);
        SetPlanQuantity(s.At(k), x);
        if (x == a) {
            for (int c = 0; c < s.n; ++c) Flag(s, i * s.n + c) = 255;
        }
        if (x == b) {
            for (int r = 0; r < s.m; ++r) Flag(s, r * s.n + j) = 255;
        }
        if (x.Num == limit && x.Eps == 0) Flag(s, k) = 255;
        if (Explain(s) && x != EpsValue{}) {
            s.Report.Appendf(kPlaceUnderLimit, i + 1, j + 1, i + 1, a.Num, j + 1, b.Num, i + 1, j + 1);
            if (limit == kNoLimit) {
                s.Report.Append(kNoLimitEnd);
            } else {
                s.Report.Appendf(kLimitEnd, limit);
            }
        }
    }
    FreeUnfilledCells(s);
    s.UsingFlag.clear();
}

}  // namespace kargolo::testing
