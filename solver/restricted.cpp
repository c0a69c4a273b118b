#include "solver/restricted.h"

#include <cmath>
#include <limits>
#include <string>

#include "solver/basis.h"
#include "solver/components.h"
#include "solver/internal_error.h"
#include "solver/m_value.h"
#include "solver/method_texts.h"
#include "solver/plan_common.h"
#include "solver/report_texts.h"
#include "solver/report_writer.h"
#include "solver/restricted_texts.h"
#include "solver/solve_hooks.h"
#include "solver/solve_state.h"

namespace kargolo {
namespace {

std::size_t At(int index) { return static_cast<std::size_t>(index); }

bool IsPositive(const TaskCell& c) { return PlanQuantity(c) > EpsValue{0, 0}; }

// The tie rule of the candidate choices: a cell with a plain tariff beats one with an M tariff,
// and among plain tariffs the strictly smaller one wins; otherwise the earlier cell stays.
bool WinsTie(const TaskCell& later, const TaskCell& earlier) {
    return later.TariffM == 0 && (earlier.TariffM != 0 || later.Tariff < earlier.Tariff);
}

// The completion's choice among the cells that pass `qualifies`: the first in row-major order,
// replaced by a later one that wins the tie rule.
template <typename Qualifies>
int ChooseCompletionCell(const SolveState& s, Qualifies qualifies) {
    int chosen = -1;
    for (int k = 0; k < s.CellCount(); ++k) {
        const TaskCell& c = s.At(k);
        if (c.Basic || s.UsingFlag[At(k)] == kCellUsed || !qualifies(c)) continue;
        if (chosen < 0 || WinsTie(c, s.At(chosen))) chosen = k;
    }
    return chosen;
}


// Sort keys of the candidate lists, smaller first. Lower list: M parts below 0 (the M part
// alone is the key), then number parts. Upper list: M parts above 0, largest first, then
// number parts, largest first.
using ListKey = std::pair<int, std::int64_t>;
ListKey LowerKey(const TaskCell& c) {
    return c.EstimateM < 0 ? ListKey{0, c.EstimateM} : ListKey{1, c.Estimate};
}
ListKey UpperKey(const TaskCell& c) {
    return c.EstimateM > 0 ? ListKey{0, -std::int64_t{c.EstimateM}} : ListKey{1, -c.Estimate};
}

// The head of a list after cell k joined it at its end: k when its key is smaller, or equal
// and k wins the tie rule.
int BetterHead(const SolveState& s, int head, int k, ListKey (*key)(const TaskCell&)) {
    if (head < 0) return k;
    const ListKey candidate = key(s.At(k));
    const ListKey current = key(s.At(head));
    return candidate < current || (candidate == current && WinsTie(s.At(k), s.At(head))) ? k : head;
}

}  // namespace

bool CompleteBoundedBasis(SolveState& s, int count, std::vector<int>& added) {
    s.UsingFlag.assign(At(s.CellCount()), 0);
    Components components(s.m + s.n);
    for (int k = 0; k < s.CellCount(); ++k) {
        if (s.At(k).Basic) components.Join(k / s.n, s.m + k % s.n);
    }
    auto interior = [](const TaskCell& c) { return IsPositive(c) && BelowLimit(c); };
    auto atBound = [](const TaskCell& c) {
        return !IsClosedRoute(c) && (AtLowerBound(c) || AtLimit(c));
    };
    bool complete = true;
    while (count < s.m + s.n - 1) {
        int k = ChooseCompletionCell(s, interior);
        if (k < 0) k = ChooseCompletionCell(s, atBound);
        if (k < 0) {
            complete = false;
            break;
        }
        s.UsingFlag[At(k)] = kCellUsed;
        const int i = k / s.n;
        const int j = k % s.n;
        if (!components.Join(i, s.m + j)) continue;  // it would close a cycle
        TaskCell& c = s.At(k);
        const std::int32_t epsilon = ++s.EpsilonCounter;
        if (AtLowerBound(c)) {
            SetPlanQuantity(c, {0, epsilon});
            s.Supplies[At(i)].AmountEps += epsilon;
            s.Demands[At(j)].AmountEps += epsilon;
        } else if (AtLimit(c)) {
            SetPlanQuantity(c, {c.Limit, -epsilon});
            s.Supplies[At(i)].AmountEps -= epsilon;
            s.Demands[At(j)].AmountEps -= epsilon;
        }
        c.Basic = 1;
        added.push_back(k);
        ++count;
    }
    s.UsingFlag.clear();
    return complete;
}

EpsValue BoundedShift(SolveState& s) {
    const std::vector<int>& cycle = s.CycleList;
    TaskCell& entering = s.At(cycle[0]);
    const bool rising = AtLowerBound(entering);
    // Amounts and residual capacities in 64 bits; "no bound" is the largest value.
    using Wide = std::pair<std::int64_t, std::int64_t>;
    Wide theta{std::numeric_limits<std::int64_t>::max(), 0};
    for (std::size_t p = 0; p < cycle.size(); ++p) {
        const TaskCell& c = s.At(cycle[p]);
        const Wide amount = IsPositive(c) ? Wide{c.Cargo, c.CargoEps} : Wide{0, 0};
        const bool shrinks = (p % 2 == 1) == rising;
        if (shrinks) {
            theta = std::min(theta, amount);
        } else if (HasLimit(c)) {
            theta = std::min(theta, Wide{std::int64_t{c.Limit} - amount.first, -amount.second});
        }
    }
    SOLVER_CHECK(theta.first != std::numeric_limits<std::int64_t>::max());
    const EpsValue step{static_cast<std::int32_t>(theta.first), static_cast<std::int32_t>(theta.second)};
    if (entering.Cargo < 0 || (entering.Cargo == 0 && entering.CargoEps < 0)) {
        SetPlanQuantity(entering, {0, 0});
    }
    entering.Basic = 1;
    for (std::size_t p = 0; p < cycle.size(); ++p) {
        TaskCell& c = s.At(cycle[p]);
        const bool gains = (p % 2 == 0) == rising;
        c.Cargo += gains ? step.Num : -step.Num;
        c.CargoEps += gains ? step.Eps : -step.Eps;
        if (c.Cargo == 0 && c.CargoEps == 0) {
            SetPlanQuantity(c, {kFreeCargo, 0});
            c.Basic = 0;
        } else if (AtLimit(c)) {
            c.Basic = 0;
        }
    }
    return step;
}

BoundedCandidates FindBoundedEstimates(SolveState& s) {
    const bool detailed = WritesCourse(s);
    BoundedCandidates heads;
    std::string lowerText;
    std::string upperText;
    for (int k = 0; k < s.CellCount(); ++k) {
        TaskCell& c = s.At(k);
        const int i = k / s.n;
        const int j = k % s.n;
        const PotentialEntry& u = s.PotentialsU[At(i)];
        const PotentialEntry& v = s.PotentialsV[At(j)];
        c.Estimate = c.Tariff - (u.Value + v.Value);
        c.EstimateM = c.TariffM - (u.M + v.M);
        if (c.Basic || IsClosedRoute(c)) continue;
        const bool atLower = AtZero(c);
        const bool atUpper = AtLimit(c);
        if (!atLower && !atUpper) continue;
        const MValue estimateValue{c.EstimateM, c.Estimate};
        const bool negative = IsNegative(estimateValue);
        const bool positive = IsPositive(estimateValue);
        // The lists are built in row-major order, so their heads can be kept as the scan goes.
        if (atLower && negative) heads.Lower = BetterHead(s, heads.Lower, k, LowerKey);
        if (atUpper && positive) heads.Upper = BetterHead(s, heads.Upper, k, UpperKey);
        if (!detailed) continue;
        const std::string estimate = FormatEstimate(estimateValue);
        const bool marked = atLower ? negative : positive;
        (atLower ? lowerText : upperText) +=
            Format(kBoundedEstimate, marked ? (atLower ? kBlueSpan : kRedSpan) : "", i + 1, j + 1,
                   i + 1, j + 1, j + 1, i + 1, estimate.c_str(), marked ? kSpanEnd : "");
    }
    if (detailed && s.EstimationDisplaying != kEstimatesAsLines) WriteEstimatesTable(s);
    if (detailed && s.EstimationDisplaying != kEstimatesAsTable) {
        s.Report.Append(kLowerEstimatesHeading);
        s.Report.Append(lowerText.empty() ? kNoEstimates : lowerText);
        s.Report.Append(kUpperEstimatesHeading);
        s.Report.Append(upperText.empty() ? kNoEstimates : upperText);
    }
    return heads;
}

int PickEnteringCell(const SolveState& s, const BoundedCandidates& candidates) {
    const int a = candidates.Lower;
    const int b = candidates.Upper;
    if (a < 0 || b < 0) return a < 0 ? b : a;
    if (s.At(a).EstimateM != 0) return a;
    if (s.At(b).EstimateM != 0) return b;
    return std::llabs(s.At(a).Estimate) >= std::llabs(s.At(b).Estimate) ? a : b;
}

}  // namespace kargolo
