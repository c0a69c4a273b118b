#include "solver/bounded_tracking.h"

#include <algorithm>
#include <limits>

#include "solver/solve_state.h"

namespace kargolo {
namespace {

std::size_t At(int index) { return static_cast<std::size_t>(index); }

// A value number + M * m packed into 32 bits as m * 2^24 + number. Tariffs and potentials
// within these bounds keep every estimate formed from them packed too, with its number part
// inside (-2^23, 2^23), so that packed estimates compare as the values do.
constexpr std::int32_t kMScale = 1 << 24;
constexpr std::int64_t kNumberBound = 1 << 21;
constexpr std::int32_t kMBound = 15;
// The price of a cell that is no candidate of a list: beyond every packed estimate.
constexpr std::int32_t kNoCandidate = 1 << 30;

bool Packable(std::int64_t number, std::int32_t m) {
    return number > -kNumberBound && number < kNumberBound && m >= -kMBound && m <= kMBound;
}
std::int32_t Packed(std::int64_t number, std::int32_t m) {
    return m * kMScale + static_cast<std::int32_t>(number);
}
// The M part of a packed estimate.
std::int32_t MPart(std::int32_t packed) { return (packed + kMScale / 2) >> 24; }

std::int64_t PlainCost(const TaskCell& c) {
    return CarriesCargo(c) && c.TariffM == 0 ? std::int64_t{c.Tariff} * c.Cargo : 0;
}

// The smallest lower[j] - u - v[j] and the largest upper[j] - u - v[j] of a row: plain loops
// over arrays, which the compiler vectorises.
std::pair<std::int32_t, std::int32_t> RowExtremes(const std::int32_t* __restrict lower,
                                                  const std::int32_t* __restrict upper,
                                                  const std::int32_t* __restrict v, std::int32_t u,
                                                  int n) {
    std::int32_t smallest = std::numeric_limits<std::int32_t>::max();
    std::int32_t largest = std::numeric_limits<std::int32_t>::min();
    for (int j = 0; j < n; ++j) {
        const std::int32_t low = lower[j] - u - v[j];
        const std::int32_t high = upper[j] - u - v[j];
        smallest = low < smallest ? low : smallest;
        largest = high > largest ? high : largest;
    }
    return {smallest, largest};
}

// The key of a row's best candidate under the order of a list, smaller first (see LowerKey and
// UpperKey in restricted.cpp): an M part decides alone, else the number. The lower list takes
// the row's smallest packed estimate when it is negative, the upper list the largest when it is
// positive, negated.
using RowKey = std::pair<int, std::int32_t>;
constexpr RowKey kNoRowKey{2, 0};
RowKey LowerRowKey(std::int32_t smallest) {
    if (smallest >= 0) return kNoRowKey;
    return MPart(smallest) < 0 ? RowKey{0, MPart(smallest)} : RowKey{1, smallest};
}
RowKey UpperRowKey(std::int32_t largest) {
    if (largest <= 0) return kNoRowKey;
    return MPart(largest) > 0 ? RowKey{0, -MPart(largest)} : RowKey{1, -largest};
}

}  // namespace

int FlagEveryInteriorCell(SolveState& s) {
    int count = 0;
    for (TaskCell& c : s.Cells) {
        if (!IsInterior(c)) continue;
        c.Basic = 1;
        ++count;
    }
    return count;
}

std::int64_t PlainObjective(const SolveState& s) {
    std::int64_t f = 0;
    for (const TaskCell& c : s.Cells) f += PlainCost(c);
    return f;
}

// Between rebuilds every cell strictly between its bounds stays flagged: a shift moves only the
// cells of a cycle, which were basic or are the entering cell that it flags, and unflags only
// those reaching a bound; the completion flags every cell it takes.
int KeptBoundedTracking::FlagInteriorCells(SolveState& s) {
    if (!m_valid) Rebuild(s);
    return m_interior;
}

void KeptBoundedTracking::Rebuild(SolveState& s) {
    m_interior = FlagEveryInteriorCell(s);
    m_objective = PlainObjective(s);
    m_basis.emplace(s);
    m_smallTariffs = std::all_of(s.Cells.begin(), s.Cells.end(),
                                 [](const TaskCell& c) { return Packable(c.Tariff, c.TariffM); });
    m_lowerPrices.resize(At(s.CellCount()));
    m_upperPrices.resize(At(s.CellCount()));
    for (int k = 0; k < s.CellCount(); ++k) SetPrices(s, k);
    m_completionOrder.clear();
    m_valid = true;
}

void KeptBoundedTracking::Follow(const SolveState& s, int k) {
    const bool basic = s.At(k).Basic != 0;
    if (basic && !m_basis->Contains(k)) m_basis->Add(k);
    if (!basic && m_basis->Contains(k)) m_basis->Remove(k);
    SetPrices(s, k);
}

void KeptBoundedTracking::SetPrices(const SolveState& s, int k) {
    const TaskCell& c = s.At(k);
    const bool candidate = !c.Basic && !IsClosedRoute(c);
    const std::int32_t price = m_smallTariffs ? Packed(c.Tariff, c.TariffM) : 0;
    m_lowerPrices[At(k)] = candidate && AtZero(c) ? price : kNoCandidate;
    m_upperPrices[At(k)] = candidate && AtLimit(c) ? price : -kNoCandidate;
}

// Every cell strictly between its bounds was flagged basic, so the completion takes cells at
// their bounds only; each keeps its whole units, so only the count and the basis change.
bool KeptBoundedTracking::CompleteBasis(SolveState& s, int count, std::vector<int>& added) {
    if (m_completionOrder.empty()) m_completionOrder = CompletionOrder(s);
    const std::size_t before = added.size();
    const bool complete =
        CompleteBoundedBasisAtBounds(s, count, m_basis->Cells(), m_completionOrder, added);
    for (std::size_t p = before; p < added.size(); ++p) {
        m_interior += IsInterior(s.At(added[p])) ? 1 : 0;
        Follow(s, added[p]);
    }
    return complete;
}

const BasisForest& KeptBoundedTracking::Basis(const SolveState&) {
    m_basis->Root();
    return *m_basis;
}

EpsValue KeptBoundedTracking::Shift(SolveState& s) {
    for (const int k : s.CycleList) {
        m_interior -= IsInterior(s.At(k)) ? 1 : 0;
        m_objective -= PlainCost(s.At(k));
    }
    const EpsValue theta = BoundedShift(s);
    for (const int k : s.CycleList) {
        m_interior += IsInterior(s.At(k)) ? 1 : 0;
        m_objective += PlainCost(s.At(k));
        Follow(s, k);
    }
    return theta;
}

bool KeptBoundedTracking::PricesFit(const SolveState& s) const {
    const auto packable = [](const PotentialEntry& p) { return Packable(p.Value, p.M); };
    return m_smallTariffs && std::all_of(s.PotentialsU.begin(), s.PotentialsU.end(), packable) &&
           std::all_of(s.PotentialsV.begin(), s.PotentialsV.end(), packable);
}

BoundedCandidates KeptBoundedTracking::FindEstimates(SolveState& s) {
    if (WritesCourse(s) || !PricesFit(s)) return FindBoundedEstimates(s);
    const BoundedCandidates heads = FindEstimatesByRows(s);
    if (heads.Lower < 0 && heads.Upper < 0) return FindBoundedEstimates(s);  // the final estimates
    return heads;
}

// The best key of each row from the packed pass, then the heads among the cells of the rows
// that hold the best key of each list.
BoundedCandidates KeptBoundedTracking::FindEstimatesByRows(SolveState& s) {
    m_u.resize(At(s.m));
    m_v.resize(At(s.n));
    for (int i = 0; i < s.m; ++i) m_u[At(i)] = Packed(s.PotentialsU[At(i)].Value, s.PotentialsU[At(i)].M);
    for (int j = 0; j < s.n; ++j) m_v[At(j)] = Packed(s.PotentialsV[At(j)].Value, s.PotentialsV[At(j)].M);
    m_lowerKeys.resize(At(s.m));
    m_upperKeys.resize(At(s.m));
    for (int i = 0; i < s.m; ++i) {
        const std::size_t row = At(i * s.n);
        const auto [smallest, largest] =
            RowExtremes(&m_lowerPrices[row], &m_upperPrices[row], m_v.data(), m_u[At(i)], s.n);
        m_lowerKeys[At(i)] = LowerRowKey(smallest);
        m_upperKeys[At(i)] = UpperRowKey(largest);
    }
    BoundedCandidates heads;
    heads.Lower = HeadInRows(s, m_lowerPrices, m_lowerKeys, [](std::int32_t e) { return LowerRowKey(e); });
    heads.Upper = HeadInRows(s, m_upperPrices, m_upperKeys, [](std::int32_t e) { return UpperRowKey(e); });
    for (const int k : {heads.Lower, heads.Upper}) {
        if (k >= 0) SetEstimate(s.At(k), s.PotentialsU[At(k / s.n)], s.PotentialsV[At(k % s.n)]);
    }
    return heads;
}

// The first cell with the list's best key, replaced by a later one that wins the tie rule; only
// the rows whose best key it is hold such cells.
template <typename RowKeyOf>
int KeptBoundedTracking::HeadInRows(const SolveState& s, const std::vector<std::int32_t>& prices,
                                    const std::vector<RowKey>& rowKeys, RowKeyOf key) const {
    const RowKey best = *std::min_element(rowKeys.begin(), rowKeys.end());
    int head = -1;
    if (best == kNoRowKey) return head;
    for (int i = 0; i < s.m; ++i) {
        if (rowKeys[At(i)] != best) continue;
        for (int j = 0, k = i * s.n; j < s.n; ++j, ++k) {
            if (key(prices[At(k)] - m_u[At(i)] - m_v[At(j)]) != best) continue;
            if (head < 0 || WinsTie(s.At(k), s.At(head))) head = k;
        }
    }
    return head;
}

}  // namespace kargolo
