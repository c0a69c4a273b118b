#include "solver/plan_common.h"

#include <algorithm>

#include "solver/plan_rule_texts.h"
#include "solver/plan_rules.h"

namespace kargolo {

PlanRests::PlanRests(const SolveState& s) {
    for (const RimEntry& supply : s.Supplies) m_row.push_back(supply.Amount);
    for (const RimEntry& demand : s.Demands) m_column.push_back(demand.Amount);
}

PlanRests::Placement PlanRests::Place(SolveState& s, int k, std::int32_t cap) {
    std::int32_t& row = m_row[static_cast<std::size_t>(k / s.n)];
    std::int32_t& column = m_column[static_cast<std::size_t>(k % s.n)];
    const std::int32_t smaller = column < row ? column : row;
    const Placement placement{cap < smaller ? cap : smaller, row, column};
    SetPlanQuantity(s.At(k), {placement.Placed, 0});
    if (placement.Placed > 0) {  // a zero placement carries no cargo: the rests stay
        row -= placement.Placed;
        column -= placement.Placed;
    }
    return placement;
}

int FindMinTariffCell(const SolveState& s, Scope scope, int index) {
    int first = 0;
    int count = s.CellCount();
    int step = 1;
    if (scope == Scope::Row) {
        first = index * s.n;
        count = s.n;
    } else if (scope == Scope::Column) {
        first = index;
        count = s.m;
        step = s.n;
    }
    int best = kNoCell;
    for (int k = first, visited = 0; visited < count; k += step, ++visited) {
        if (s.UsingFlag[static_cast<std::size_t>(k)] == kCellUsed) continue;
        if (best == kNoCell || s.At(k).Tariff < s.At(best).Tariff) best = k;
    }
    return best;
}

// Cells listed by index and tariffs within a few times their number of each other (the usual
// case) are counted into place, which keeps equal tariffs in index order; otherwise one 64-bit
// key per cell, the tariff above the index, is sorted: integers sort fastest.
void SortByTariff(const SolveState& s, std::vector<int>& cells) {
    if (cells.size() < 2) return;
    std::int64_t lowest = s.At(cells.front()).Tariff;
    std::int64_t highest = lowest;
    for (const int k : cells) {
        lowest = std::min<std::int64_t>(lowest, s.At(k).Tariff);
        highest = std::max<std::int64_t>(highest, s.At(k).Tariff);
    }
    const std::int64_t range = highest - lowest + 1;
    if (range <= 4 * static_cast<std::int64_t>(cells.size()) + 256 && std::is_sorted(cells.begin(), cells.end())) {
        std::vector<std::size_t> start(static_cast<std::size_t>(range) + 1, 0);
        for (const int k : cells) ++start[static_cast<std::size_t>(s.At(k).Tariff - lowest) + 1];
        for (std::size_t t = 1; t < start.size(); ++t) start[t] += start[t - 1];
        std::vector<int> sorted(cells.size());
        for (const int k : cells) sorted[start[static_cast<std::size_t>(s.At(k).Tariff - lowest)]++] = k;
        cells.swap(sorted);
        return;
    }
    std::vector<std::int64_t> keys(cells.size());
    for (std::size_t p = 0; p < cells.size(); ++p) {
        keys[p] = std::int64_t{s.At(cells[p]).Tariff} * (std::int64_t{1} << 32) + cells[p];
    }
    std::sort(keys.begin(), keys.end());
    for (std::size_t p = 0; p < cells.size(); ++p) cells[p] = static_cast<int>(keys[p] & 0xFFFFFFFF);
}

std::vector<int> OpenCellsInTariffOrder(const SolveState& s) {
    std::vector<int> cells;
    cells.reserve(static_cast<std::size_t>(s.CellCount()));
    for (int k = 0; k < s.CellCount(); ++k) {
        if (s.UsingFlag[static_cast<std::size_t>(k)] != kCellUsed) cells.push_back(k);
    }
    SortByTariff(s, cells);
    return cells;
}

void StartFlags(SolveState& s) {
    s.UsingFlag.assign(static_cast<std::size_t>(s.CellCount()), kCellOpen);
}

void ExcludeFictitious(SolveState& s) {
    const bool explain = WritesCourse(s);
    if (HasFictitiousConsumer(s)) {
        for (int i = 0; i < s.m; ++i) s.UsingFlag[static_cast<std::size_t>(i * s.n + s.n - 1)] = kCellUsed;
        if (explain) s.Report.Append(kExcludeFictitiousConsumer);
    }
    if (HasFictitiousSupplier(s)) {
        for (int j = 0; j < s.n; ++j) s.UsingFlag[static_cast<std::size_t>((s.m - 1) * s.n + j)] = kCellUsed;
        if (explain) s.Report.Append(kExcludeFictitiousSupplier);
    }
}

void ReleaseFlags(SolveState& s) {
    s.UsingFlag.clear();
    s.UsingFlag.shrink_to_fit();
}

void FreeUnfilledCells(SolveState& s) {
    for (TaskCell& c : s.Cells) {
        if (IsZeroQuantity(c)) c.Cargo = kFreeCargo;
    }
}

void DistributeFictitious(SolveState& s, PlanRests& rests) {
    const bool explain = WritesCourse(s);
    auto place = [&](int i, int j) {
        const PlanRests::Placement placement = rests.Place(s, i * s.n + j);
        if (explain && placement.Placed != 0) {
            s.Report.Appendf(kPlaceFictitious, i + 1, j + 1, placement.Placed);
        }
    };
    if (HasFictitiousConsumer(s)) {
        if (explain) s.Report.Appendf(kDistributeToFictitiousConsumer, s.n);
        for (int i = 0; i < s.m; ++i) place(i, s.n - 1);
    }
    if (HasFictitiousSupplier(s)) {
        if (explain) s.Report.Appendf(kDistributeFromFictitiousSupplier, s.m);
        for (int j = 0; j < s.n; ++j) place(s.m - 1, j);
    }
}

}  // namespace kargolo
