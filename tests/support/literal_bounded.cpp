#include "tests/support/literal_bounded.h"

#include <string>
#include <utility>

#include "solver/components.h"
#include "solver/m_value.h"
#include "solver/report_texts.h"
#include "solver/report_writer.h"
#include "solver/restricted_texts.h"

namespace kargolo::testing {
namespace {

std::size_t At(int index) { return static_cast<std::size_t>(index); }

template <typename Qualifies>
int ChooseCompletionCell(const SolveState& s, const std::vector<bool>& used, Qualifies qualifies) {
    int chosen = -1;
    for (int k = 0; k < s.CellCount(); ++k) {
        const TaskCell& c = s.At(k);
        if (c.Basic || used[At(k)] || !qualifies(c)) continue;
        if (chosen < 0 || WinsTie(c, s.At(chosen))) chosen = k;
    }
    return chosen;
}

using ListKey = std::pair<int, std::int64_t>;
ListKey LowerKey(const TaskCell& c) {
    return c.EstimateM < 0 ? ListKey{0, c.EstimateM} : ListKey{1, c.Estimate};
}
ListKey UpperKey(const TaskCell& c) {
    return c.EstimateM > 0 ? ListKey{0, -std::int64_t{c.EstimateM}} : ListKey{1, -c.Estimate};
}

int BetterHead(const SolveState& s, int head, int k, ListKey (*key)(const TaskCell&)) {
    if (head < 0) return k;
    const ListKey candidate = key(s.At(k));
    const ListKey current = key(s.At(head));
    return candidate < current || (candidate == current && WinsTie(s.At(k), s.At(head))) ? k : head;
}

}  // namespace

bool LiteralCompleteBoundedBasis(SolveState& s, int count, std::vector<int>& added) {
    std::vector<bool> used(At(s.CellCount()), false);
    Components components(s.m + s.n);
    for (int k = 0; k < s.CellCount(); ++k) {
        if (s.At(k).Basic) components.Join(k / s.n, s.m + k % s.n);
    }
    auto atBound = [](const TaskCell& c) {
        return !IsClosedRoute(c) && (AtLowerBound(c) || AtLimit(c));
    };
    while (count < s.m + s.n - 1) {
        int k = ChooseCompletionCell(s, used, IsInterior);
        if (k < 0) k = ChooseCompletionCell(s, used, atBound);
        if (k < 0) return false;
        used[At(k)] = true;
        const int i = k / s.n;
        const int j = k % s.n;
        if (!components.Join(i, s.m + j)) continue;
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
    return true;
}

BoundedCandidates LiteralFindBoundedEstimates(SolveState& s) {
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
        const MValue estimate{c.EstimateM, c.Estimate};
        const bool negative = IsNegative(estimate);
        const bool positive = IsPositive(estimate);
        if (atLower && negative) heads.Lower = BetterHead(s, heads.Lower, k, LowerKey);
        if (atUpper && positive) heads.Upper = BetterHead(s, heads.Upper, k, UpperKey);
        if (!detailed) continue;
        const bool marked = atLower ? negative : positive;
        (atLower ? lowerText : upperText) +=
            Format(kBoundedEstimate, marked ? (atLower ? kBlueSpan : kRedSpan) : "", i + 1, j + 1,
                   i + 1, j + 1, j + 1, i + 1, FormatEstimate(estimate).c_str(),
                   marked ? kSpanEnd : "");
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

}  // namespace kargolo::testing
