#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "solver/basis.h"
#include "solver/bounded_tracking.h"
#include "solver/improvement.h"
#include "solver/internal_error.h"
#include "solver/m_value.h"
#include "solver/method_texts.h"
#include "solver/report_writer.h"
#include "solver/restricted.h"
#include "solver/restricted_texts.h"
#include "solver/solve_hooks.h"
#include "solver/solve_state.h"

namespace kargolo {
namespace {

std::size_t At(int index) { return static_cast<std::size_t>(index); }

// Cargo left undistributed: the supplies minus the cargo of the cells at (0, 0) or above.
std::int64_t Undistributed(const SolveState& s) {
    std::int64_t left = 0;
    for (const RimEntry& supply : s.Supplies) left += supply.Amount;
    for (const TaskCell& c : s.Cells) {
        if (InBasis(c)) left -= c.Cargo;
    }
    return left;
}

// A cell of the extended task's last row or column: it carries what its line left over, at
// tariff M. The tariff is +M even when every tariff is <= 0: the run still minimises, and -M
// would make undelivered cargo attractive instead of ruinous.
TaskCell ExtensionCell(std::int64_t left) {
    TaskCell cell;
    SetPlanQuantity(cell, {left != 0 ? static_cast<std::int32_t>(left) : kFreeCargo, 0});
    cell.TariffM = 1;
    cell.Limit = kNoLimit;
    return cell;
}

void BuildExtendedTask(SolveState& s, std::int64_t epsilon) {
    const int m = s.m;
    const int n = s.n;
    std::vector<std::int64_t> rowLeft(At(m));
    std::vector<std::int64_t> columnLeft(At(n));
    for (int i = 0; i < m; ++i) rowLeft[At(i)] = s.Supplies[At(i)].Amount;
    for (int j = 0; j < n; ++j) columnLeft[At(j)] = s.Demands[At(j)].Amount;
    for (int k = 0; k < m * n; ++k) {
        if (!InBasis(s.At(k))) continue;
        rowLeft[At(k / n)] -= s.At(k).Cargo;
        columnLeft[At(k % n)] -= s.At(k).Cargo;
    }
    std::vector<TaskCell> cells;
    cells.reserve(At((m + 1) * (n + 1)));
    for (int i = 0; i < m; ++i) {
        cells.insert(cells.end(), s.Cells.begin() + i * n, s.Cells.begin() + (i + 1) * n);
        cells.push_back(ExtensionCell(rowLeft[At(i)]));
    }
    for (int j = 0; j < n; ++j) cells.push_back(ExtensionCell(columnLeft[At(j)]));
    TaskCell corner = ExtensionCell(0);
    corner.TariffM = 0;
    cells.push_back(corner);
    s.Cells.swap(cells);
    s.m = m + 1;
    s.n = n + 1;
    s.Supplies.push_back({static_cast<std::int32_t>(epsilon), 0});
    s.Demands.push_back({static_cast<std::int32_t>(epsilon), 0});
}

// Drops every epsilon quantity: a cell holding only one becomes free, D - ke becomes D.
void CleanUp(SolveState& s) {
    for (TaskCell& c : s.Cells) {
        if (c.Cargo == 0) c.Cargo = kFreeCargo;
        c.CargoEps = 0;
        c.Basic = 0;
    }
    for (RimEntry& supply : s.Supplies) supply.AmountEps = 0;
    for (RimEntry& demand : s.Demands) demand.AmountEps = 0;
}

class RestrictedRun {
public:
    RestrictedRun(SolveState& s, SolveHooks& hooks, BoundedOutcome& outcome,
                  BoundedTracking& tracking)
        : m_s(s), m_hooks(hooks), m_outcome(outcome), m_tracking(tracking) {}

    bool Run();

private:
    bool Detailed() const { return WritesCourse(m_s); }
    void Start();
    bool PauseForUser();
    void CompleteBasis();
    std::string InteriorCellsText() const;
    void FindPotentials();
    int FindEnteringCell();
    EpsValue ShiftAlong(int entering);
    void UpdateObjective(const EpsValue& theta);
    bool CornerCarriesEpsilon() const {
        const TaskCell& corner = m_s.Cell(m_s.m - 1, m_s.n - 1);
        return corner.Cargo > 0 && corner.Cargo == m_epsilon;
    }
    void LeaveExtendedPhase();
    void EndUnsolvable();
    void Finish();

    SolveState& m_s;
    SolveHooks& m_hooks;
    BoundedOutcome& m_outcome;
    BoundedTracking& m_tracking;
    unsigned m_stage = 0;
    StepwisePause m_pause{m_s, m_hooks};
    std::int64_t m_epsilon = 0;
    bool m_restrictedPlanReached = false;
};

void RestrictedRun::Start() {
    m_outcome = {};
    m_s.EpsilonCounter = 0;
    m_hooks.AddStatusLine(kStatusRestrictedMethod);
    BeginStage(m_s, ++m_stage);
    m_epsilon = Undistributed(m_s);
    if (m_epsilon == 0) {
        m_restrictedPlanReached = true;
        if (Detailed()) m_s.Report.Append(kNothingUndistributed);
        return;
    }
    m_outcome.ExtendedTaskPresent = true;
    BuildExtendedTask(m_s, m_epsilon);
    if (!Detailed()) return;
    const auto epsilon = static_cast<unsigned>(m_epsilon);
    m_s.Report.Appendf(kExtendedTaskNote, epsilon, m_s.m, epsilon, m_s.n, epsilon, m_s.m, m_s.n);
    WriteTransportTable(m_s, m_hooks);
}

// The stepwise pause; false when the user aborts. A plan the user changed is taken afresh.
bool RestrictedRun::PauseForUser() {
    const StepwisePause::Outcome answer = m_pause.Ask(m_stage);
    if (answer == StepwisePause::Outcome::PlanChanged) m_tracking.Reset();
    return answer != StepwisePause::Outcome::Abort;
}

// Every cell strictly between its bounds is basic; when they are too few, the basis is
// completed.
void RestrictedRun::CompleteBasis() {
    const int count = m_tracking.FlagInteriorCells(m_s);
    if (count >= m_s.m + m_s.n - 1) return;
    m_hooks.AddStatusLine(kStatusCheckDegeneracy);
    const std::string counted = Detailed() ? InteriorCellsText() : std::string();
    std::vector<int> added;
    m_tracking.CompleteBasis(m_s, count, added);
    if (!Detailed()) return;
    m_s.Report.Appendf(kBoundedDegenerate, m_s.m + m_s.n - 1, counted.c_str());
    for (const int k : added) m_s.Report.Appendf(kBoundedCell, k / m_s.n + 1, k % m_s.n + 1);
    m_s.Report.Append(kBoundedDegenerateEnd);
    WriteTransportTable(m_s, m_hooks);
}

std::string RestrictedRun::InteriorCellsText() const {
    std::string text;
    for (int k = 0; k < m_s.CellCount(); ++k) {
        if (IsInterior(m_s.At(k))) text += Format(kBoundedCell, k / m_s.n + 1, k % m_s.n + 1);
    }
    return text;
}

// Finds the cycle of the entering cell, shows it and shifts the plan along it.
EpsValue RestrictedRun::ShiftAlong(int entering) {
    SOLVER_CHECK(m_tracking.FindCycle(m_s, entering, m_s.CycleList));
    if (Detailed()) {
        const TaskCell& k = m_s.At(entering);
        m_s.Report.Appendf(kBoundedEnteringCell, entering / m_s.n + 1, entering % m_s.n + 1,
                           FormatEstimate({k.EstimateM, k.Estimate}).c_str());
        m_s.Report.Append(kBoundedCycleIntro);
        // The entering cell rises from 0 ('+') or falls from its limit ('-').
        const bool rises = !(PlanQuantity(k) > EpsValue{0, 0});
        for (std::size_t p = 0; p < m_s.CycleList.size(); ++p) {
            m_s.At(m_s.CycleList[p]).Sign = (p % 2 == 0) == rises ? '+' : '-';
        }
        WriteTransportTable(m_s, m_hooks);
        for (const int c : m_s.CycleList) m_s.At(c).Sign = ' ';
    }
    m_hooks.AddStatusLine(kStatusShift);
    const EpsValue theta = m_tracking.Shift(m_s);
    m_s.CycleList.clear();
    return theta;
}

// F over the cells with plain tariffs: cargo of the extended row and column adds nothing.
void RestrictedRun::UpdateObjective(const EpsValue& theta) {
    const std::int64_t previous = m_s.ObjectiveF;
    const std::int64_t f = m_tracking.Objective(m_s);
    m_s.ObjectiveF = f;
    m_hooks.AddStatusLine(Format(kStatusStageF, static_cast<long long>(f)));
    if (!Detailed()) return;
    m_s.Report.Append(kBoundedShiftStart);
    m_s.Report.Append(FormatEpsValue(theta));
    m_s.Report.Append(kBoundedShiftEnd);
    WriteTransportTable(m_s, m_hooks);
    m_s.Report.Appendf(kStageF, static_cast<long long>(f));
    m_s.Report.SetSectionObjective(f);
    if (f != previous) {
        m_s.Report.Appendf(kFChanged, static_cast<unsigned long long>(ObjectiveChange(previous, f)));
    }
}

void RestrictedRun::LeaveExtendedPhase() {
    m_restrictedPlanReached = true;
    if (Detailed()) {
        const int m = m_s.m;
        const int n = m_s.n;
        m_s.Report.Appendf(kLeavingExtendedTask, m, n, m_s.Cell(m - 1, n - 1).Cargo, m - 1, n - 1,
                           m, n);
    }
    m_outcome.ExtendedTaskPresent = false;
    // Row i of the smaller task moves to its place in front of row i of the larger one.
    const auto cells = m_s.Cells.begin();
    for (int i = 1; i < m_s.m - 1; ++i) {
        std::copy(cells + i * m_s.n, cells + i * m_s.n + m_s.n - 1, cells + i * (m_s.n - 1));
    }
    m_s.Cells.resize(At((m_s.m - 1) * (m_s.n - 1)));
    m_s.m -= 1;
    m_s.n -= 1;
    m_s.Supplies.pop_back();
    m_s.Demands.pop_back();
    m_s.PotentialsU.assign(At(m_s.m), {});
    m_s.PotentialsV.assign(At(m_s.n), {});
    CleanUp(m_s);
    m_s.EpsilonCounter = 0;
    m_tracking.Reset();
    if (Detailed()) WriteTransportTable(m_s, m_hooks);
}

void RestrictedRun::EndUnsolvable() {
    const TaskCell& corner = m_s.Cell(m_s.m - 1, m_s.n - 1);
    m_s.Report.Appendf(kUnsolvable, m_s.m, m_s.n, corner.Cargo < 0 ? 0 : corner.Cargo,
                       static_cast<unsigned>(m_epsilon));
    CleanUp(m_s);
    m_s.EpsilonCounter = 0;
}

bool RestrictedRun::Run() {
    Start();
    for (;;) {
        BeginStage(m_s, ++m_stage);
        if (!PauseForUser()) {
            m_outcome.Stages = m_stage;
            return false;
        }
        CompleteBasis();
        FindPotentials();
        const int entering = FindEnteringCell();
        if (entering < 0) break;
        const EpsValue theta = ShiftAlong(entering);
        UpdateObjective(theta);
        if (!m_restrictedPlanReached && m_epsilon != 0 && CornerCarriesEpsilon()) LeaveExtendedPhase();
    }
    Finish();
    m_outcome.Stages = m_stage;
    return true;
}

// The potentials of the basis flagged in the cells. Closed routes may cut the task in parts:
// each part is a tree of its own.
void RestrictedRun::FindPotentials() {
    m_hooks.AddStatusLine(kStatusPotentials);
    if (Detailed()) m_s.Report.Append(kBoundedPotentialsIntro);
    m_tracking.FindStagePotentials(m_s, Detailed());
}

int RestrictedRun::FindEnteringCell() {
    m_hooks.AddStatusLine(kStatusEstimates);
    if (Detailed()) m_s.Report.Append(kBoundedEstimatesIntro);
    return PickEnteringCell(m_s, m_tracking.FindEstimates(m_s));
}

// The verdict: a plan within every limit, or the limits make the task unsolvable.
void RestrictedRun::Finish() {
    if (m_restrictedPlanReached || m_epsilon == 0 || CornerCarriesEpsilon()) {
        CleanUp(m_s);
        m_outcome.ConditionsMet = true;
    } else {
        EndUnsolvable();
    }
}

}  // namespace

bool SolveRestricted(SolveState& s, SolveHooks& hooks, BoundedOutcome& outcome,
                     BoundedTracking& tracking) {
    return RestrictedRun(s, hooks, outcome, tracking).Run();
}

bool SolveRestricted(SolveState& s, SolveHooks& hooks, BoundedOutcome& outcome) {
    KeptBoundedTracking tracking;
    return SolveRestricted(s, hooks, outcome, tracking);
}

std::int64_t UndistributedCargo(const SolveState& s) { return Undistributed(s); }

void ExtendWithFictitiousRoutes(SolveState& s, std::int64_t epsilon) { BuildExtendedTask(s, epsilon); }

}  // namespace kargolo
