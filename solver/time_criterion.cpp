#include "solver/time_criterion.h"

#include <algorithm>

#include "solver/driver.h"
#include "solver/driver_texts.h"
#include "solver/improvement.h"
#include "solver/internal_error.h"
#include "solver/plan_rules.h"
#include "solver/report_writer.h"
#include "solver/restricted.h"
#include "solver/solve_hooks.h"
#include "solver/solve_state.h"
#include "solver/time_texts.h"

namespace kargolo {
namespace {

// Longer lists of crossed-out cells are counted instead of listed: the table shows them.
constexpr std::size_t kMostListedCells = 30;

std::size_t At(int index) { return static_cast<std::size_t>(index); }

MValue TimeOf(const TaskCell& c) { return {c.TariffM, c.Tariff}; }
bool Loaded(const TaskCell& c) { return c.Cargo > 0; }
std::int32_t CargoOf(const TaskCell& c) { return std::max(c.Cargo, 0); }

class TimeRun {
public:
    TimeRun(SolveState& s, SolveHooks& hooks) : m_s(s), m_hooks(hooks), m_rows(s.m), m_columns(s.n) {}

    TimeCriterionResult Run(bool planOnly);

private:
    enum class StageEnd { Unloaded, Stuck, Stopped, NothingLoaded };

    bool Detailed() const { return WritesCourse(m_s); }
    void WriteNotation();
    void Balance();
    void BuildFirstPlan(bool announce);
    void ExtendIfUndistributed();
    StageEnd RunStage();
    void RebuildLoads();
    void SetLoad(int k, bool loaded);
    void FindLongest();
    void MarkCells();
    void WriteStageOpening(MValue longest);
    bool CanGrow(const TaskCell& c, MValue longest) const;
    bool FindCycle(int k, MValue longest);
    void ShiftAlongCycle();
    std::string CycleText() const;
    std::string ThetaTerms() const;
    void LeaveExtension();
    void TakeUserPlan();
    void WriteAnswer(StageEnd end);
    void WriteUndelivered();
    std::string CellList(const std::vector<int>& cells) const;
    void WriteTable(const std::vector<CellMark>& marks = {});

    SolveState& m_s;
    SolveHooks& m_hooks;
    StepwisePause m_pause{m_s, m_hooks};
    TimeCriterionResult m_result;
    int m_rows;     // the task's own suppliers
    int m_columns;  // and consumers
    bool m_extended = false;  // the fictitious routes of time M are in the table
    std::int64_t m_epsilon = 0;
    MValue m_longest;  // T of the stage
    std::vector<CellMark> m_marks;
    std::vector<int> m_longestCells;  // the loaded cells of time T, row-major
    // Per column, the rows of its loaded cells in ascending order: a plan loads about m + n of
    // the m * n cells, and the stages look at the loaded ones only.
    std::vector<std::vector<int>> m_columnLoads;
    std::vector<int> m_cycle;         // the cell being emptied first, then '+' and '-' in turn
    // The breadth-first search of a cycle: when each row and column was last reached, and by
    // which cell.
    std::vector<unsigned> m_rowSeen;
    std::vector<unsigned> m_columnSeen;
    std::vector<int> m_rowVia;
    std::vector<int> m_columnVia;
    std::vector<int> m_queue;
    unsigned m_search = 0;
};

void TimeRun::WriteNotation() {
    m_s.Report.Append(kTimeTitle);
    if (!Detailed()) return;
    m_s.Report.Append(kTimeNotation);
    if (m_s.RestrictedTask) m_s.Report.Append(kTimeLimitsNotation);
    m_s.Report.Append(kTimeGoal);
    WriteTransportTable(m_s, m_hooks);  // the task: every quantity 0
}

// A fictitious consumer or supplier closes an open task; its routes take no time.
void TimeRun::Balance() {
    BalanceTask(m_s, m_hooks);
    if (m_s.TotalSupply > m_s.TotalDemand) m_s.Report.Appendf(kTimeFictitiousConsumer, m_s.n);
    if (m_s.TotalSupply < m_s.TotalDemand) m_s.Report.Appendf(kTimeFictitiousSupplier, m_s.m);
}

void TimeRun::BuildFirstPlan(bool announce) {
    m_s.Report.MarkSection(ReportSectionKind::FirstPlan);
    if (m_s.RestrictedTask) {
        const bool closedRoute = std::any_of(m_s.Cells.begin(), m_s.Cells.end(), IsClosedRoute);
        if (announce && closedRoute) m_s.Report.Append(kClosedRoutesNote);
        if (announce) m_s.Report.Append(kRestrictedPlanHeader);
        if (announce) m_s.Report.Append(kTimeRulesUseTimes);
        RestrictedMinimumElement(m_s);
        return;
    }
    void (*const rules[])(SolveState&) = {NorthWestCorner, MinimumElement, VogelMethod,
                                          DoublePreference};
    const bool known = m_s.PlanMethod >= kPlanNorthWestCorner && m_s.PlanMethod <= kPlanDoublePreference;
    const std::int32_t rule = known ? m_s.PlanMethod : kPlanNorthWestCorner;
    if (announce) m_s.Report.Append(kPlanHeaders[rule]);
    if (announce && rule != kPlanNorthWestCorner) m_s.Report.Append(kTimeRulesUseTimes);
    rules[rule](m_s);
}

// Cargo the limits left undistributed travels over fictitious routes of time M for a while.
void TimeRun::ExtendIfUndistributed() {
    if (!m_s.RestrictedTask) return;
    m_epsilon = UndistributedCargo(m_s);
    if (m_epsilon == 0) return;
    ExtendWithFictitiousRoutes(m_s, m_epsilon);
    for (TaskCell& c : m_s.Cells) c.Basic = 0;
    m_extended = true;
    if (!Detailed()) return;
    const auto epsilon = static_cast<unsigned>(m_epsilon);
    m_s.Report.Appendf(kTimeExtendedTask, epsilon, m_s.m, epsilon, m_s.n, epsilon, m_s.m, m_s.n);
    WriteTable();
}

void TimeRun::RebuildLoads() {
    m_columnLoads.assign(At(m_s.n), {});
    for (int i = 0; i < m_s.m; ++i) {
        for (int j = 0; j < m_s.n; ++j) {
            if (Loaded(m_s.Cell(i, j))) m_columnLoads[At(j)].push_back(i);
        }
    }
}

void TimeRun::SetLoad(int k, bool loaded) {
    std::vector<int>& rows = m_columnLoads[At(k % m_s.n)];
    const auto at = std::lower_bound(rows.begin(), rows.end(), k / m_s.n);
    const bool listed = at != rows.end() && *at == k / m_s.n;
    if (loaded && !listed) rows.insert(at, k / m_s.n);
    if (!loaded && listed) rows.erase(at);
}

// T, the longest time of a loaded cell, and the loaded cells of that time in row-major order.
void TimeRun::FindLongest() {
    m_longest = MValue{};
    m_longestCells.clear();
    for (int j = 0; j < m_s.n; ++j) {
        for (const int i : m_columnLoads[At(j)]) {
            const MValue time = TimeOf(m_s.Cell(i, j));
            if (time > m_longest) m_longestCells.clear();
            if (time >= m_longest) {
                m_longest = time;
                m_longestCells.push_back(i * m_s.n + j);
            }
        }
    }
    std::sort(m_longestCells.begin(), m_longestCells.end());
}

// Crossed out: free cells whose time is >= T. Marked as the longest: loaded cells of time T.
void TimeRun::MarkCells() {
    m_marks.assign(m_s.Cells.size(), CellMark::None);
    for (int k = 0; k < m_s.CellCount(); ++k) {
        const TaskCell& c = m_s.At(k);
        if (TimeOf(c) < m_longest) continue;
        m_marks[At(k)] = Loaded(c) ? CellMark::Longest : CellMark::CrossedOut;
    }
}

void TimeRun::WriteStageOpening(MValue longest) {
    ReportBuffer& out = m_s.Report;
    const std::string cells = CellList(m_longestCells);
    if (m_extended && longest.M > 0) {
        out.Appendf(kTimeLongestFictitious, cells.c_str());
    } else {
        out.Appendf(kTimeLongest, FormatTime(longest).c_str(), cells.c_str());
    }
    std::vector<int> crossed;
    for (int k = 0; k < m_s.CellCount(); ++k) {
        if (m_marks[At(k)] == CellMark::CrossedOut) crossed.push_back(k);
    }
    if (crossed.empty()) {
        out.Append(kTimeNothingCrossedOut);
    } else if (crossed.size() <= kMostListedCells) {
        out.Appendf(kTimeCrossedOut, CellList(crossed).c_str());
    } else {
        out.Appendf(kTimeCrossedOutMany, static_cast<unsigned>(crossed.size()));
    }
    WriteTable(m_marks);
}

// A '+' vertex: time < T, not closed, below its limit.
bool TimeRun::CanGrow(const TaskCell& c, MValue longest) const {
    if (!(TimeOf(c) < longest)) return false;
    if (!m_s.RestrictedTask || !HasLimit(c)) return true;
    return CargoOf(c) < c.Limit;
}

// The shortest unloading cycle of loaded cell k into m_cycle: a path from k's row to k's column
// that enters each column over a '+' cell and leaves it over a loaded cell.
bool TimeRun::FindCycle(int k, MValue longest) {
    const int i0 = k / m_s.n;
    const int j0 = k % m_s.n;
    if (m_rowSeen.size() != At(m_s.m) || m_columnSeen.size() != At(m_s.n)) {
        m_rowSeen.assign(At(m_s.m), 0);
        m_columnSeen.assign(At(m_s.n), 0);
        m_rowVia.assign(At(m_s.m), -1);
        m_columnVia.assign(At(m_s.n), -1);
    }
    const unsigned search = ++m_search;
    m_queue.assign(1, i0);
    m_rowSeen[At(i0)] = search;
    for (std::size_t head = 0; head < m_queue.size(); ++head) {
        const int r = m_queue[head];
        for (int c = 0; c < m_s.n; ++c) {
            const int grow = r * m_s.n + c;
            if (m_columnSeen[At(c)] == search || !CanGrow(m_s.At(grow), longest)) continue;
            m_columnSeen[At(c)] = search;
            m_columnVia[At(c)] = grow;
            if (c == j0) {
                m_cycle.assign(1, k);
                for (int at = grow;;) {  // back from column j0 to row i0
                    m_cycle.push_back(at);
                    const int row = at / m_s.n;
                    if (row == i0) break;
                    const int shrink = m_rowVia[At(row)];
                    m_cycle.push_back(shrink);
                    at = m_columnVia[At(shrink % m_s.n)];
                }
                std::reverse(m_cycle.begin() + 1, m_cycle.end());
                return true;
            }
            for (const int r2 : m_columnLoads[At(c)]) {
                const int shrink = r2 * m_s.n + c;
                if (m_rowSeen[At(r2)] == search) continue;
                m_rowSeen[At(r2)] = search;
                m_rowVia[At(r2)] = shrink;
                m_queue.push_back(r2);
            }
        }
    }
    return false;
}

std::string TimeRun::CycleText() const {
    std::string text;
    for (std::size_t p = 0; p < m_cycle.size(); ++p) {
        const int k = m_cycle[p];
        if (p > 0) text += kTimeCycleArrow;
        text += Format(kTimeCycleVertex, k / m_s.n + 1, k % m_s.n + 1, p % 2 == 0 ? '-' : '+');
    }
    return text;
}

// What limits theta: the cargo of every '-' vertex and the room of every limited '+' vertex.
std::string TimeRun::ThetaTerms() const {
    std::string text;
    for (std::size_t p = 0; p < m_cycle.size(); ++p) {
        const int k = m_cycle[p];
        const TaskCell& c = m_s.At(k);
        const unsigned i = static_cast<unsigned>(k / m_s.n + 1);
        const unsigned j = static_cast<unsigned>(k % m_s.n + 1);
        std::string term;
        if (p % 2 == 0) {
            term = Format(kTimeShrinking, i, j, c.Cargo);
        } else if (m_s.RestrictedTask && HasLimit(c)) {
            term = Format(kTimeRoom, i, j, i, j, c.Limit - CargoOf(c));
        }
        if (term.empty()) continue;
        if (!text.empty()) text += kTimeListSeparator;
        text += term;
    }
    return text;
}

// Moves theta along m_cycle, writing the cycle, its table and the shift when the course is
// written. A cell that a shift empties becomes free.
void TimeRun::ShiftAlongCycle() {
    const int k = m_cycle.front();
    const unsigned i = static_cast<unsigned>(k / m_s.n + 1);
    const unsigned j = static_cast<unsigned>(k % m_s.n + 1);
    std::int32_t theta = m_s.At(k).Cargo;
    for (std::size_t p = 0; p < m_cycle.size(); ++p) {
        const TaskCell& c = m_s.At(m_cycle[p]);
        if (p % 2 == 0) theta = std::min(theta, c.Cargo);
        if (p % 2 == 1 && m_s.RestrictedTask && HasLimit(c)) theta = std::min(theta, c.Limit - CargoOf(c));
    }
    SOLVER_CHECK(theta > 0);
    if (Detailed()) {
        m_s.Report.Appendf(kTimeUnloadCycle, i, j, m_s.At(k).Cargo, CycleText().c_str());
        for (std::size_t p = 0; p < m_cycle.size(); ++p) m_s.At(m_cycle[p]).Sign = p % 2 == 0 ? '-' : '+';
        WriteTable(m_marks);
        for (const int cell : m_cycle) m_s.At(cell).Sign = ' ';
        m_s.Report.Appendf(kTimeShift, ThetaTerms().c_str(), theta);
    }
    for (std::size_t p = 0; p < m_cycle.size(); ++p) {
        TaskCell& c = m_s.At(m_cycle[p]);
        c.Cargo = p % 2 == 0 ? c.Cargo - theta : CargoOf(c) + theta;
        if (c.Cargo == 0) c.Cargo = kFreeCargo;
        SetLoad(m_cycle[p], Loaded(c));
    }
    if (!Loaded(m_s.At(k)) && !m_marks.empty()) m_marks[At(k)] = CellMark::CrossedOut;
    if (!Detailed()) return;
    if (Loaded(m_s.At(k))) {
        m_s.Report.Appendf(kTimeCellPartly, i, j, m_s.At(k).Cargo);
    } else {
        m_s.Report.Appendf(kTimeCellEmptied, i, j);
    }
}

// Every route of time M is empty: the corner carries what the limits left undistributed, and
// the fictitious row and column go.
void TimeRun::LeaveExtension() {
    const int m = m_s.m;
    const int n = m_s.n;
    if (Detailed()) {
        m_s.Report.Appendf(kTimeExtensionLeft, m, n, static_cast<unsigned>(m_epsilon), m, n);
    }
    std::vector<TaskCell> cells;
    cells.reserve(At((m - 1) * (n - 1)));
    for (int i = 0; i < m - 1; ++i) {
        cells.insert(cells.end(), m_s.Cells.begin() + i * n, m_s.Cells.begin() + i * n + n - 1);
    }
    m_s.Cells.swap(cells);
    m_s.m = m - 1;
    m_s.n = n - 1;
    m_s.Supplies.pop_back();
    m_s.Demands.pop_back();
    m_extended = false;
    RebuildLoads();
}

// The plan the user typed in the stepwise pause: a cell without cargo is free.
void TimeRun::TakeUserPlan() {
    for (TaskCell& c : m_s.Cells) {
        c.CargoEps = 0;
        if (c.Cargo <= 0) c.Cargo = kFreeCargo;
    }
    RebuildLoads();
}

TimeRun::StageEnd TimeRun::RunStage() {
    FindLongest();
    const std::string longest = FormatTime(m_longest);
    m_hooks.AddStatusLine(Format(kStatusTimeStage, m_result.Stages, longest.c_str()));
    m_marks.clear();
    if (Detailed()) {
        MarkCells();
        WriteStageOpening(m_longest);
    }
    const std::vector<int> cells = m_longestCells;
    for (const int k : cells) {
        m_hooks.AddStatusLine(Format(kStatusTimeCycle, k / m_s.n + 1, k % m_s.n + 1));
        while (Loaded(m_s.At(k))) {
            if (!FindCycle(k, m_longest)) {
                if (Detailed()) {
                    m_s.Report.Appendf(kTimeNoCycle, k / m_s.n + 1, k % m_s.n + 1, m_s.At(k).Cargo,
                                       longest.c_str());
                }
                return StageEnd::Stuck;
            }
            ShiftAlongCycle();
        }
    }
    if (m_extended && m_longest.M > 0) {
        LeaveExtension();
    } else if (Detailed()) {
        m_s.Report.Appendf(kTimeAllUnloaded, longest.c_str());
    }
    return StageEnd::Unloaded;
}

void TimeRun::WriteUndelivered() {
    if (m_extended) return;  // the fictitious routes of time M show it
    if (m_s.TotalDemand < m_s.TotalSupply) {
        for (int i = 0; i < m_s.m; ++i) {
            const TaskCell& c = m_s.Cell(i, m_s.n - 1);
            if (Loaded(c)) m_s.Report.Appendf(kCargoLeftWithSupplier, c.Cargo, i + 1);
        }
    }
    if (m_s.TotalSupply < m_s.TotalDemand) {
        for (int j = 0; j < m_s.n; ++j) {
            const TaskCell& c = m_s.Cell(m_s.m - 1, j);
            if (Loaded(c)) m_s.Report.Appendf(kCargoNotDelivered, c.Cargo, j + 1);
        }
    }
}

void TimeRun::WriteAnswer(StageEnd end) {
    m_hooks.AddStatusLine(kStatusFinished);
    ReportBuffer& out = m_s.Report;
    out.MarkSection(ReportSectionKind::Answer);
    m_result.LongestTime = LongestLoadedTime(m_s, m_rows, m_columns);
    const std::string longest = FormatTime(m_result.LongestTime);
    m_result.Completed = end != StageEnd::Stopped;
    m_result.Unsolvable = end == StageEnd::Stuck && m_extended;
    if (!m_result.Completed) {
        out.SetSectionEnding(RunEnding::Stopped, m_result.Stages);
        out.Append(kAbortedByUser);
        WriteTable();
        out.Appendf(kTimeStoppedT, longest.c_str());
    } else if (m_result.Unsolvable) {
        out.SetSectionEnding(RunEnding::Unsolvable, m_result.Stages);
        out.Append(kTimeUnsolvable);
        WriteTable();
        out.Append(kTimeNoAnswer);
    } else {
        if (end == StageEnd::NothingLoaded) out.Append(kTimeNothingShipped);
        if (end == StageEnd::Stuck && m_s.SolveMode > kSolveModeChecking) out.Append(kTimeSolved);
        WriteTable();
        out.Appendf(kTimeAnswer, longest.c_str());
    }
    WriteUndelivered();
}

TimeCriterionResult TimeRun::Run(bool planOnly) {
    m_s.TotalSupply = 0;
    m_s.TotalDemand = 0;
    m_s.EpsilonCounter = 0;
    m_s.Report.MarkSection(ReportSectionKind::Task);
    WriteNotation();
    Balance();
    for (TaskCell& c : m_s.Cells) c.Sign = ' ';
    m_hooks.AddStatusLine(kStatusFindingPlan);
    const bool announce = Detailed() || planOnly;
    BuildFirstPlan(announce);
    if (announce) {
        WriteTable();
        m_s.Report.Appendf(kTimeFirstPlanT, FormatTime(LongestLoadedTime(m_s, m_s.m, m_s.n)).c_str());
    }
    if (planOnly) {
        m_result.LongestTime = LongestLoadedTime(m_s, m_rows, m_columns);
        return m_result;
    }
    ExtendIfUndistributed();
    m_hooks.AddStatusLine(kStatusTimeMethod);
    if (Detailed()) {
        if (m_s.SolveMode == kSolveModeStepwise) m_s.Report.Append(kStepwiseBanner);
        m_s.Report.Append(kTimeMethodHeader);
    }
    // A task whose every amount is 0 has nothing to unload.
    const bool loaded = std::any_of(m_s.Cells.begin(), m_s.Cells.end(), Loaded);
    RebuildLoads();
    StageEnd end = loaded ? StageEnd::Unloaded : StageEnd::NothingLoaded;
    while (end == StageEnd::Unloaded) {
        BeginStage(m_s, ++m_result.Stages);
        const StepwisePause::Outcome pause = m_pause.Ask(m_result.Stages);
        if (pause == StepwisePause::Outcome::Abort) {
            end = StageEnd::Stopped;
            break;
        }
        if (pause == StepwisePause::Outcome::PlanChanged) TakeUserPlan();
        end = RunStage();
    }
    WriteAnswer(end);
    return m_result;
}

// With limits the table shows the quantities of the cells flagged Basic in blue: here the
// loaded cells.
void TimeRun::WriteTable(const std::vector<CellMark>& marks) {
    if (m_s.RestrictedTask) {
        for (TaskCell& c : m_s.Cells) c.Basic = Loaded(c) ? 1 : 0;
    }
    WriteTransportTable(m_s, m_hooks, marks);
}

std::string TimeRun::CellList(const std::vector<int>& cells) const {
    std::string text;
    for (const int k : cells) {
        if (!text.empty()) text += kTimeListSeparator;
        text += Format(kTimeCell, k / m_s.n + 1, k % m_s.n + 1);
    }
    return text;
}

}  // namespace

std::string CheckTimeTaskInput(const SolveState& s) {
    for (int k = 0; k < s.CellCount(); ++k) {
        const TaskCell& c = s.At(k);
        if (c.TariffM == 0 && c.Tariff < 0) return Format(kNegativeTime, k / s.n + 1, k % s.n + 1, c.Tariff);
    }
    return CheckTaskInput(s);
}

TimeCriterionResult SolveByTime(SolveState& s, SolveHooks& hooks, bool planOnly) {
    return TimeRun(s, hooks).Run(planOnly);
}

MValue LongestLoadedTime(const SolveState& s, int rows, int columns) {
    MValue longest;
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < columns; ++j) {
            const TaskCell& c = s.Cell(i, j);
            if (Loaded(c)) longest = std::max(longest, TimeOf(c));
        }
    }
    return longest;
}

std::string FormatTime(MValue time) {
    if (time.M == 0) return Format("%lld", static_cast<long long>(time.Number));
    if (time.M == 1 && time.Number == 0) return "M";
    return FormatEstimate(time);
}

}  // namespace kargolo
