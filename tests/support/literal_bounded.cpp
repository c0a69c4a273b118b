#include "tests/support/literal_bounded.h"

#include <string>
#include <cstddef>
#include <cstdint>

#include "solver/components.h"
#include "solver/m_value.h"
#include "solver/report_texts.h"
#include "solver/report_writer.h"
#include "solver/restricted_texts.h"

namespace kargolo::testing {
namespace {

std::size_t At(int index) { return static_cast<std::size_t>(index); }

// The tie rule of every choice among candidates, as the course states it: the later entry wins
// when its tariff has no M part and the provisional best's has one, or both have none and the
// entry's tariff is strictly smaller. Otherwise the earlier entry stays ahead.
bool TieRulePrefers(const TaskCell& entry, const TaskCell& best) {
    if (entry.TariffM != 0) return false;
    return best.TariffM != 0 || entry.Tariff < best.Tariff;
}

template <typename Qualifies>
int ChooseCompletionCell(const SolveState& s, const std::vector<bool>& used, Qualifies qualifies) {
    int chosen = -1;
    for (int k = 0; k < s.CellCount(); ++k) {
        const TaskCell& c = s.At(k);
        if (c.Basic || used[At(k)] || !qualifies(c)) continue;
        if (chosen < 0 || TieRulePrefers(c, s.At(chosen))) chosen = k;
    }
    return chosen;
}

// How the lists are ordered. Lower list: the entries with an M part below 0 come first, by that
// M part ascending (the M part alone is the key), then the others by number part ascending.
// Upper list: the entries with an M part above 0 first, by M part descending, then the others by
// number part descending.
enum class CandidateList { Lower, Upper };

struct ListOrder {
    CandidateList List;

    bool HasMKey(const TaskCell& c) const {
        return List == CandidateList::Lower ? c.EstimateM < 0 : c.EstimateM > 0;
    }
    bool StrictlyBetter(const TaskCell& entry, const TaskCell& best) const {
        if (HasMKey(entry) != HasMKey(best)) return HasMKey(entry);
        const std::int64_t a = HasMKey(entry) ? entry.EstimateM : entry.Estimate;
        const std::int64_t b = HasMKey(best) ? best.EstimateM : best.Estimate;
        return List == CandidateList::Lower ? a < b : a > b;
    }
    bool Equal(const TaskCell& entry, const TaskCell& best) const {
        return !StrictlyBetter(entry, best) && !StrictlyBetter(best, entry);
    }
};

// The list ordered by repeated selection: the first remaining entry is the provisional best;
// a later one replaces it when its key is strictly better, or equal with the tie rule for it.
std::vector<int> OrderBySelection(const SolveState& s, std::vector<int> list, ListOrder order) {
    std::vector<int> ordered;
    while (!list.empty()) {
        std::size_t best = 0;
        for (std::size_t p = 1; p < list.size(); ++p) {
            const TaskCell& entry = s.At(list[p]);
            const TaskCell& provisional = s.At(list[best]);
            if (order.StrictlyBetter(entry, provisional) ||
                (order.Equal(entry, provisional) && TieRulePrefers(entry, provisional))) {
                best = p;
            }
        }
        ordered.push_back(list[best]);
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(best));
    }
    return ordered;
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
    std::vector<int> lowerList;
    std::vector<int> upperList;
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
        if (atLower && negative) lowerList.push_back(k);
        if (atUpper && positive) upperList.push_back(k);
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
    BoundedCandidates heads;
    const std::vector<int> lower = OrderBySelection(s, lowerList, {CandidateList::Lower});
    const std::vector<int> upper = OrderBySelection(s, upperList, {CandidateList::Upper});
    if (!lower.empty()) heads.Lower = lower.front();
    if (!upper.empty()) heads.Upper = upper.front();
    return heads;
}

}  // namespace kargolo::testing
