#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "solver/basis.h"
#include "solver/cycling_guard.h"
#include "solver/improvement.h"
#include "solver/internal_error.h"
#include "solver/kept_basis.h"
#include "solver/method_texts.h"
#include "solver/report_texts.h"
#include "solver/report_writer.h"
#include "solver/solve_hooks.h"
#include "solver/solve_state.h"

namespace kargolo {
namespace {

constexpr int kNoEnteringCell = -2;

enum class Method { Potentials, Distributive };

std::size_t At(int index) { return static_cast<std::size_t>(index); }

// The choice of the entering cell among the estimates offered in row-major order.
class EnteringChoice {
public:
    EnteringChoice(EnteringRule rule, std::mt19937& random) : m_rule(rule), m_random(random) {}

    void Offer(int k, std::int64_t estimate, std::int32_t tariff) {
        if (estimate >= 0) return;
        switch (m_rule) {
            case EnteringRule::MostNegative:
                if (estimate < m_best || (estimate == m_best && tariff < m_bestTariff)) Take(k, estimate, tariff);
                break;
            case EnteringRule::FirstNegative:
                if (m_cell == kNoEnteringCell) Take(k, estimate, tariff);
                break;
            case EnteringRule::RandomNegative:  // each negative cell equally likely
                if (std::uniform_int_distribution<int>(0, m_negatives++)(m_random) == 0) {
                    Take(k, estimate, tariff);
                }
                break;
        }
    }
    int Cell() const { return m_cell; }

private:
    void Take(int k, std::int64_t estimate, std::int32_t tariff) {
        m_cell = k;
        m_best = estimate;
        m_bestTariff = tariff;
    }

    EnteringRule m_rule;
    std::mt19937& m_random;
    int m_cell = kNoEnteringCell;
    std::int64_t m_best = 0;
    std::int32_t m_bestTariff = 0;
    int m_negatives = 0;
};

class StageLoop {
public:
    StageLoop(SolveState& s, SolveHooks& hooks, Method method)
        : m_s(s), m_hooks(hooks), m_method(method), m_basis(s) {}

    bool Run();
    unsigned Stages() const { return m_stage; }

private:
    bool Detailed() const { return WritesCourse(m_s); }
    bool EstimateLines() const {
        return Detailed() && m_s.EstimationDisplaying != kEstimatesAsTable;
    }
    bool EstimateTable() const {
        return Detailed() && m_s.EstimationDisplaying != kEstimatesAsLines;
    }

    bool PauseForUser();
    void CompleteBasis();
    void KeepBasis();
    void WriteBasisZeros();
    void FindPotentials();
    void TakeKeptPotentials();
    int FindEnteringCell();
    int PriceQuietly();
    int PriceEveryCell();
    int PriceAndWrite();
    void WriteDistributiveLine(int k, std::int64_t& estimate);
    void WriteEnteringCell(int k);
    std::int32_t ShiftAlong(int k);
    std::int64_t CycleCost() const;
    void UpdateObjective(std::int32_t theta);

    SolveState& m_s;
    SolveHooks& m_hooks;
    Method m_method;
    BasisForest m_basis;
    // A run that writes nothing keeps its basis tree and pricing from stage to stage; a stage
    // that writes its course works from m_basis alone and leaves the kept one to be built anew.
    std::unique_ptr<KeptBasis> m_kept;
    bool m_keptValid = false;
    std::optional<TariffOrder> m_cheapestFirst;
    std::vector<std::int64_t> m_u;
    std::vector<std::int64_t> m_v;
    bool m_potentialsFound = false;  // s.PotentialsU and V hold values since they were last cleared
    std::vector<PotentialEntry> m_keptU;
    std::vector<PotentialEntry> m_keptV;
    CyclingGuard m_guard;
    std::int64_t m_objective = ComputeObjectiveF(m_s);  // F of the current plan
    unsigned m_stage = 0;
    StepwisePause m_pause{m_s, m_hooks};
    std::vector<int> m_cycle;  // scratch for the distributive lines
    std::string m_line;
};

bool StageLoop::Run() {
    for (;;) {
        BeginStage(m_s, ++m_stage);
        if (!PauseForUser()) return false;
        CompleteBasis();
        FindPotentials();
        const int entering = FindEnteringCell();
        if (entering == kNoEnteringCell) return true;
        const std::int32_t theta = ShiftAlong(entering);
        m_guard.AfterShift(theta);
        UpdateObjective(theta);
    }
}

// The stepwise pause; false when the user aborts. A plan the user changed has a basis of its own.
bool StageLoop::PauseForUser() {
    const StepwisePause::Outcome outcome = m_pause.Ask(m_stage);
    if (outcome == StepwisePause::Outcome::Abort) return false;
    if (outcome == StepwisePause::Outcome::PlanChanged) {
        m_basis = BasisForest(m_s);
        m_guard.Reset();
        m_objective = ComputeObjectiveF(m_s);
        m_keptValid = false;
    }
    return true;
}

void StageLoop::CompleteBasis() {
    const int wanted = m_s.m + m_s.n - 1;
    const int count = m_basis.Count();
    if (m_method == Method::Potentials) m_hooks.AddStatusLine(kStatusCheckDegeneracy);
    if (count < wanted) {
        if (m_method == Method::Potentials) {
            m_hooks.AddStatusLine(Format(kStatusDegenerate, count, wanted));
        } else {
            m_hooks.AddStatusLine(kStatusCheckDegeneracy);
        }
        if (!m_cheapestFirst) m_cheapestFirst.emplace(m_s);  // made when first needed
        SOLVER_CHECK(PlaceBasisZeros(m_s, m_basis, *m_cheapestFirst));
        if (Detailed()) WriteBasisZeros();
        if (m_keptValid) {
            m_cycle.assign(m_basis.Cells().begin() + count, m_basis.Cells().end());
            m_kept->Follow(m_s, m_cycle);
        }
    }
    KeepBasis();
    if (m_guard.RepeatsBasis(m_basis.Fingerprint()) && Detailed()) m_s.Report.Append(kCyclingBroken);
}

// A stage that writes its course roots m_basis; one that writes nothing takes the kept basis,
// built anew when the stages before wrote theirs.
void StageLoop::KeepBasis() {
    if (Detailed()) {
        SOLVER_CHECK(m_basis.Root());
        m_keptValid = false;
        return;
    }
    if (m_keptValid) return;
    if (!m_kept) m_kept = MakeKeptBasis(m_s.m, m_s.n);
    m_keptValid = m_kept->Build(m_s);
    if (!m_keptValid) SOLVER_CHECK(m_basis.Root());  // a cycle: the passes over every cell
}

void StageLoop::WriteBasisZeros() {
    const bool potentials = m_method == Method::Potentials;
    m_s.Report.Appendf(potentials ? kPotentialsDegenerate : kDistributiveDegenerate,
                       m_s.m + m_s.n - 1);
    for (int k = 0; k < m_s.CellCount(); ++k) {
        const TaskCell& c = m_s.At(k);
        if (!IsZeroQuantity(c)) continue;
        m_s.Report.Appendf(potentials ? kPotentialsBasisZero : kDistributiveBasisZero,
                           k / m_s.n + 1, k % m_s.n + 1);
    }
    m_s.Report.Append(kBasisZerosEnd);
    WriteTransportTable(m_s, m_hooks);
}

// A stage that writes nothing has its potentials in the kept basis already.
void StageLoop::FindPotentials() {
    const bool potentials = m_method == Method::Potentials;
    if (potentials) m_hooks.AddStatusLine(kStatusPotentials);
    if (m_keptValid) return;
    if (potentials && Detailed()) m_s.Report.Append(kPotentialsIntro);
    kargolo::FindPotentials(m_s, m_basis, potentials && Detailed());
    m_potentialsFound = true;
    m_u.resize(At(m_s.m));
    m_v.resize(At(m_s.n));
    for (int i = 0; i < m_s.m; ++i) m_u[At(i)] = m_s.PotentialsU[At(i)].Value;
    for (int j = 0; j < m_s.n; ++j) m_v[At(j)] = m_s.PotentialsV[At(j)].Value;
}

// The potentials of the kept basis, for the passes over every cell (when there is one).
void StageLoop::TakeKeptPotentials() {
    if (!m_keptValid) return;
    m_kept->Potentials(m_s, m_keptU, m_keptV);
    m_u.resize(At(m_s.m));
    m_v.resize(At(m_s.n));
    for (int i = 0; i < m_s.m; ++i) m_u[At(i)] = m_keptU[At(i)].Value;
    for (int j = 0; j < m_s.n; ++j) m_v[At(j)] = m_keptV[At(j)].Value;
}

int StageLoop::FindEnteringCell() {
    m_hooks.AddStatusLine(kStatusEstimates);
    if (Detailed()) {
        m_s.Report.Append(m_method == Method::Potentials ? kPotentialsEstimatesIntro
                                                         : kDistributiveEstimatesIntro);
    }
    const int entering = Detailed() ? PriceAndWrite() : PriceQuietly();
    if (EstimateTable()) WriteEstimatesTable(m_s);
    return entering;
}

// The entering cell with nothing written: the head of the kept pricing under Dantzig's rule,
// else a pass over every cell.
int StageLoop::PriceQuietly() {
    KeptHead head;
    KeptHead upper;
    int entering = kNoEnteringCell;
    if (m_keptValid && m_guard.Rule() == EnteringRule::MostNegative && m_kept->Heads(m_s, head, upper)) {
        if (head.Cell >= 0) entering = head.Cell;
    } else {
        TakeKeptPotentials();
        entering = PriceEveryCell();
    }
    if (entering == kNoEnteringCell) {  // the final estimates are stored in the cells
        TakeKeptPotentials();
        PriceAndWrite();
    }
    return entering;
}

// Every free cell in row-major order, in 64-bit arithmetic, under the guard's rule.
int StageLoop::PriceEveryCell() {
    EnteringChoice choice(m_guard.Rule(), m_guard.Random());
    const int n = m_s.n;
    for (int i = 0; i < m_s.m; ++i) {
        const std::int64_t u = m_u[At(i)];
        for (int j = 0, k = i * n; j < n; ++j, ++k) {
            if (m_basis.Contains(k)) continue;
            const std::int32_t tariff = m_s.At(k).Tariff;
            const std::int64_t estimate = tariff - u - m_v[At(j)];
            if (estimate < 0) choice.Offer(k, estimate, tariff);
        }
    }
    return choice.Cell();
}

// The estimates of every free cell stored in the cells and written as the settings ask.
int StageLoop::PriceAndWrite() {
    EnteringChoice choice(m_guard.Rule(), m_guard.Random());
    const bool lines = EstimateLines();
    for (int k = 0; k < m_s.CellCount(); ++k) {
        TaskCell& c = m_s.At(k);
        const int i = k / m_s.n;
        const int j = k % m_s.n;
        if (m_basis.Contains(k)) {
            if (m_method == Method::Distributive) c.Estimate = 0;
            continue;
        }
        std::int64_t estimate = c.Tariff - m_u[At(i)] - m_v[At(j)];
        if (lines && m_method == Method::Distributive) {
            WriteDistributiveLine(k, estimate);
        } else if (lines) {
            const bool negative = estimate < 0;
            m_s.Report.Appendf(kPotentialsEstimate, negative ? kRedSpan : "", i + 1, j + 1, i + 1,
                               j + 1, i + 1, j + 1, static_cast<long long>(estimate),
                               negative ? kSpanEnd : "");
            m_s.Report.MarkBreak();
        }
        c.Estimate = estimate;
        choice.Offer(k, estimate, c.Tariff);
    }
    return choice.Cell();
}

// "S = c - c + c ...": the tariffs of the cell's cycle with alternating signs. The sum is
// known only at the end of the line, and the red span must open before it.
void StageLoop::WriteDistributiveLine(int k, std::int64_t& estimate) {
    m_cycle.assign(1, k);
    m_basis.AppendCycle(k, m_cycle);
    m_line.clear();
    estimate = 0;
    char sign = ' ';
    for (const int c : m_cycle) {
        // kDistributiveEstimateTerm, written without a format string: this is the inner loop
        // of the distributive method's report.
        m_line += sign;
        m_line += "c<sub>";
        m_line += std::to_string(c / m_s.n + 1);
        m_line += ',';
        m_line += std::to_string(c % m_s.n + 1);
        m_line += "</sub>";
        estimate += sign == '-' ? -std::int64_t{m_s.At(c).Tariff} : m_s.At(c).Tariff;
        sign = sign == '-' ? '+' : '-';
    }
    const bool negative = estimate < 0;
    if (negative) m_s.Report.Append(kRedSpan);
    m_s.Report.Appendf(kDistributiveEstimateStart, k / m_s.n + 1, k % m_s.n + 1);
    m_s.Report.Append(m_line);
    m_s.Report.Appendf(kDistributiveEstimateEnd, static_cast<long long>(estimate));
    if (negative) m_s.Report.Append(kSpanEnd);
    m_s.Report.Append("<br>");
    m_s.Report.MarkBreak();
}

void StageLoop::WriteEnteringCell(int k) {
    m_s.Report.Appendf(m_method == Method::Potentials ? kPotentialsEnteringCell
                                                      : kDistributiveEnteringCell,
                       k / m_s.n + 1, k % m_s.n + 1, static_cast<long long>(m_s.At(k).Estimate));
    m_s.Report.Append(kEnteringCellTail);
}

// Finds the cycle of the entering cell, shows it, shifts the plan along it and keeps the basis
// in step: the entering cell joins, the '-' cells that were emptied leave.
std::int32_t StageLoop::ShiftAlong(int k) {
    if (Detailed()) WriteEnteringCell(k);
    m_s.CycleList.clear();
    m_s.CycleList.push_back(k);
    m_hooks.AddStatusLine(kStatusCycle);
    if (m_keptValid) {
        m_kept->AppendCycle(k, m_s.CycleList);
    } else {
        m_basis.AppendCycle(k, m_s.CycleList);
    }
    if (Detailed()) {
        for (std::size_t p = 0; p < m_s.CycleList.size(); ++p) {
            m_s.At(m_s.CycleList[p]).Sign = p % 2 == 0 ? '+' : '-';
        }
        WriteTransportTable(m_s, m_hooks);
    }
    m_hooks.AddStatusLine(kStatusShift);
    m_objective -= CycleCost();
    const std::int32_t theta = ShiftAlongCycle(m_s);
    m_objective += CycleCost();
    m_basis.Add(k);
    for (const int c : m_s.CycleList) {
        m_s.At(c).Sign = ' ';
        if (IsFreeMarker(m_s.At(c))) m_basis.Remove(c);
    }
    if (m_keptValid) m_kept->Follow(m_s, m_s.CycleList);
    m_s.CycleList.clear();
    if (m_method == Method::Potentials && m_potentialsFound) {  // they belong to the old basis
        for (PotentialEntry& u : m_s.PotentialsU) u.Value = u.Known = 0;
        for (PotentialEntry& v : m_s.PotentialsV) v.Value = v.Known = 0;
        m_potentialsFound = false;
    }
    return theta;
}

// What the cells of the cycle add to F (see ComputeObjectiveF).
std::int64_t StageLoop::CycleCost() const {
    std::int64_t cost = 0;
    for (const int k : m_s.CycleList) {
        const TaskCell& c = m_s.At(k);
        if (CarriesCargo(c)) cost += std::int64_t{c.Tariff} * c.Cargo;
    }
    return cost;
}

// F over the cells that carry cargo (see ComputeObjectiveF), kept as shifts change the cells of
// their cycles.
void StageLoop::UpdateObjective(std::int32_t theta) {
    const std::int64_t previous = m_s.ObjectiveF;
    const std::int64_t f = m_objective;
    m_s.ObjectiveF = f;
    m_hooks.AddStatusLine(Format(kStatusStageF, static_cast<long long>(f)));
    if (!Detailed()) return;
    m_s.Report.Appendf(kShiftDone, theta);
    WriteTransportTable(m_s, m_hooks);
    m_s.Report.Appendf(kStageF, static_cast<long long>(f));
    m_s.Report.SetSectionObjective(f);
    if (f != previous) {
        m_s.Report.Appendf(kFChanged, static_cast<unsigned long long>(ObjectiveChange(previous, f)));
    }
}

}  // namespace

bool SolveByPotentials(SolveState& s, SolveHooks& hooks, unsigned& stages) {
    hooks.AddStatusLine(kStatusPotentialsMethod);
    s.PotentialsU.assign(At(s.m), {});
    s.PotentialsV.assign(At(s.n), {});
    StageLoop loop(s, hooks, Method::Potentials);
    const bool solved = loop.Run();
    stages = loop.Stages();
    if (solved) {
        s.PotentialsU.clear();
        s.PotentialsV.clear();
    }
    return solved;
}

bool SolveByDistribution(SolveState& s, SolveHooks& hooks, unsigned& stages) {
    hooks.AddStatusLine(kStatusDistributiveMethod);
    StageLoop loop(s, hooks, Method::Distributive);
    const bool solved = loop.Run();
    stages = loop.Stages();
    s.PotentialsU.clear();  // the method works without potentials of its own
    s.PotentialsV.clear();
    return solved;
}

}  // namespace kargolo
