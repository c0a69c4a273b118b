#include "solver/restricted.h"

#include <algorithm>
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

// Takes cells into a basis that is short of m + n - 1 cells: each receives the next epsilon
// quantity (none when it lies strictly between its bounds) unless it would close a cycle.
class BasisCompletion {
public:
    BasisCompletion(SolveState& s, int count, const std::vector<int>& basic, std::vector<int>& added)
        : m_s(s), m_count(count), m_components(s.m + s.n), m_added(added) {
        s.UsingFlag.clear();  // no scratch flags are left behind
        for (const int k : basic) m_components.Join(k / s.n, s.m + k % s.n);
    }

    bool Complete() const { return m_count >= m_s.m + m_s.n - 1; }

    // Takes the cells of `order` that are not basic and pass `qualifies`, one after another,
    // until the basis is complete; true when it is. A cell taken changes whether no other cell
    // qualifies, so the cells are taken as repeated searches for the first one would find them.
    template <typename Qualifies>
    bool Take(const std::vector<int>& order, Qualifies qualifies) {
        for (std::size_t p = 0; p < order.size() && !Complete(); ++p) {
            const int k = order[p];
            if (!m_s.At(k).Basic && qualifies(m_s.At(k))) TakeCell(k);
        }
        return Complete();
    }

private:
    void TakeCell(int k) {
        const int i = k / m_s.n;
        const int j = k % m_s.n;
        if (!m_components.Join(i, m_s.m + j)) return;  // it would close a cycle
        TaskCell& c = m_s.At(k);
        const std::int32_t epsilon = ++m_s.EpsilonCounter;
        if (AtLowerBound(c)) {
            SetPlanQuantity(c, {0, epsilon});
            m_s.Supplies[At(i)].AmountEps += epsilon;
            m_s.Demands[At(j)].AmountEps += epsilon;
        } else if (AtLimit(c)) {
            SetPlanQuantity(c, {c.Limit, -epsilon});
            m_s.Supplies[At(i)].AmountEps -= epsilon;
            m_s.Demands[At(j)].AmountEps -= epsilon;
        }
        c.Basic = 1;
        m_added.push_back(k);
        ++m_count;
    }

    SolveState& m_s;
    int m_count;
    Components m_components;
    std::vector<int>& m_added;
};

bool IsOpenAtBound(const TaskCell& c) {
    return !IsClosedRoute(c) && (AtLowerBound(c) || AtLimit(c));
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

bool WinsTie(const TaskCell& later, const TaskCell& earlier) {
    return later.TariffM == 0 && (earlier.TariffM != 0 || later.Tariff < earlier.Tariff);
}

void SetEstimate(TaskCell& c, const PotentialEntry& u, const PotentialEntry& v) {
    c.Estimate = c.Tariff - (u.Value + v.Value);
    c.EstimateM = c.TariffM - (u.M + v.M);
}

std::vector<int> CompletionOrder(const SolveState& s) {
    std::vector<std::uint64_t> keys(At(s.CellCount()));
    for (int k = 0; k < s.CellCount(); ++k) {
        const TaskCell& c = s.At(k);
        const std::uint32_t tariff = c.TariffM != 0 ? 0 : static_cast<std::uint32_t>(c.Tariff) ^ 0x80000000u;
        keys[At(k)] = std::uint64_t{c.TariffM != 0} << 63 | std::uint64_t{tariff} << 31 |
                      static_cast<std::uint64_t>(k);
    }
    std::sort(keys.begin(), keys.end());
    std::vector<int> order(keys.size());
    for (std::size_t p = 0; p < keys.size(); ++p) order[p] = static_cast<int>(keys[p] & 0x7FFFFFFF);
    return order;
}

bool CompleteBoundedBasis(SolveState& s, int count, std::vector<int>& added) {
    std::vector<int> basic;
    for (int k = 0; k < s.CellCount(); ++k) {
        if (s.At(k).Basic) basic.push_back(k);
    }
    BasisCompletion completion(s, count, basic, added);
    if (completion.Complete()) return true;
    const std::vector<int> order = CompletionOrder(s);
    return completion.Take(order, IsInterior) || completion.Take(order, IsOpenAtBound);
}

bool CompleteBoundedBasisAtBounds(SolveState& s, int count, const std::vector<int>& basic,
                                  const std::vector<int>& order, std::vector<int>& added) {
    BasisCompletion completion(s, count, basic, added);
    return completion.Take(order, IsOpenAtBound);
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
    if (!InBasis(entering)) {
        SetPlanQuantity(entering, {0, 0});
    }
    entering.Basic = 1;
    for (std::size_t p = 0; p < cycle.size(); ++p) {
        TaskCell& c = s.At(cycle[p]);
        const bool gains = (p % 2 == 0) == rising;
        c.Cargo += gains ? step.Num : -step.Num;
        c.CargoEps += gains ? step.Eps : -step.Eps;
        if (IsZeroQuantity(c)) {
            SetPlanQuantity(c, {kFreeCargo, 0});
            c.Basic = 0;
        } else if (AtLimit(c)) {
            c.Basic = 0;
        }
    }
    return step;
}

namespace {

// One pass over the cells: each cell's estimate stored, the list heads kept as the scan goes
// (the lists are built in row-major order), and the lines of the report gathered.
class EstimatePass {
public:
    explicit EstimatePass(SolveState& s) : m_s(s), m_detailed(WritesCourse(s)) {}

    void Visit(TaskCell& c, const PotentialEntry& u, const PotentialEntry& v, int i, int j, int k) {
        SetEstimate(c, u, v);
        if (c.Basic || IsClosedRoute(c)) return;
        const bool atLower = AtZero(c);
        const bool atUpper = AtLimit(c);
        if (!atLower && !atUpper) return;
        const MValue estimate{c.EstimateM, c.Estimate};
        const bool negative = IsNegative(estimate);
        const bool positive = IsPositive(estimate);
        if (atLower && negative) Heads.Lower = BetterHead(m_s, Heads.Lower, k, LowerKey);
        if (atUpper && positive) Heads.Upper = BetterHead(m_s, Heads.Upper, k, UpperKey);
        if (!m_detailed) return;
        const bool marked = atLower ? negative : positive;
        (atLower ? m_lowerText : m_upperText) +=
            Format(kBoundedEstimate, marked ? (atLower ? kBlueSpan : kRedSpan) : "", i + 1, j + 1,
                   i + 1, j + 1, j + 1, i + 1, FormatEstimate(estimate).c_str(),
                   marked ? kSpanEnd : "");
    }

    void Write() {
        if (!m_detailed) return;
        if (m_s.EstimationDisplaying != kEstimatesAsLines) WriteEstimatesTable(m_s);
        if (m_s.EstimationDisplaying == kEstimatesAsTable) return;
        m_s.Report.Append(kLowerEstimatesHeading);
        m_s.Report.Append(m_lowerText.empty() ? kNoEstimates : m_lowerText);
        m_s.Report.Append(kUpperEstimatesHeading);
        m_s.Report.Append(m_upperText.empty() ? kNoEstimates : m_upperText);
    }

    BoundedCandidates Heads;

private:
    SolveState& m_s;
    bool m_detailed;
    std::string m_lowerText;
    std::string m_upperText;
};

}  // namespace

BoundedCandidates FindBoundedEstimates(SolveState& s) {
    EstimatePass pass(s);
    TaskCell* cells = s.Cells.data();
    const PotentialEntry* columns = s.PotentialsV.data();
    for (int i = 0, k = 0; i < s.m; ++i) {
        const PotentialEntry row = s.PotentialsU[At(i)];
        for (int j = 0; j < s.n; ++j, ++k) pass.Visit(cells[k], row, columns[j], i, j, k);
    }
    pass.Write();
    return pass.Heads;
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
