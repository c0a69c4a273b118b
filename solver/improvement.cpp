#include "solver/improvement.h"

#include "solver/method_texts.h"
#include "solver/report_writer.h"
#include "solver/restricted.h"
#include "solver/solve_hooks.h"
#include "solver/solve_state.h"

namespace kargolo {

ImprovementResult ImprovePlan(SolveState& s, SolveHooks& hooks) {
    ImprovementResult result;
    if (s.RestrictedTask) {
        result.Completed = SolveRestricted(s, hooks, result.Bounded);
        result.Stages = result.Bounded.Stages;
        result.Unsolvable = result.Completed && !result.Bounded.ConditionsMet;
        return result;
    }
    result.Completed = s.SolveMethod == kMethodPotentials ? SolveByPotentials(s, hooks, result.Stages)
                                                          : SolveByDistribution(s, hooks, result.Stages);
    return result;
}

StepwisePause::Outcome StepwisePause::Ask(unsigned stage) {
    if (m_hooks.StopRequested()) return Outcome::Abort;
    if (m_s.SolveMode != kSolveModeStepwise || m_runToEnd) return Outcome::Unchanged;
    RememberCurrentPlan();
    bool wentBack = false;
    for (;;) {
        const StageAnswer answer = m_hooks.BeforeStage(m_s, stage, m_history.size() >= 2);
        if (answer.Decision == StageDecision::Abort) return Outcome::Abort;
        if (answer.Decision == StageDecision::Back && m_history.size() >= 2) {
            GoBack();
            wentBack = true;
            continue;  // the user sees the plan taken back and decides again
        }
        m_runToEnd = answer.Decision == StageDecision::RunToEnd;
        if (!answer.PlanChanged) return wentBack ? Outcome::PlanChanged : Outcome::Unchanged;
        m_s.Report.Append(kUserChangedPlan);
        WriteTransportTable(m_s, m_hooks);
        m_historyBytes -= m_history.back().Bytes();
        m_history.back() = CurrentPlan();
        m_historyBytes += m_history.back().Bytes();
        return Outcome::PlanChanged;
    }
}

StepwisePause::StagePlan StepwisePause::CurrentPlan() const {
    return {m_s.m, m_s.n, m_s.Cells, m_s.Supplies, m_s.Demands, m_s.EpsilonCounter, m_s.ObjectiveF};
}

// A plan of another shape (the bounded method has left its extended task) ends the way back.
void StepwisePause::RememberCurrentPlan() {
    if (!m_history.empty() && (m_history.back().m != m_s.m || m_history.back().n != m_s.n)) {
        m_history.clear();
        m_historyBytes = 0;
    }
    m_history.push_back(CurrentPlan());
    m_historyBytes += m_history.back().Bytes();
    while (m_history.size() > 1 && m_historyBytes > kBackHistoryBytes) {
        m_historyBytes -= m_history.front().Bytes();
        m_history.pop_front();
    }
}

// The plan of the previous stage becomes the current one again.
void StepwisePause::GoBack() {
    m_historyBytes -= m_history.back().Bytes();
    m_history.pop_back();
    const StagePlan& previous = m_history.back();
    m_s.Cells = previous.Cells;
    m_s.Supplies = previous.Supplies;
    m_s.Demands = previous.Demands;
    m_s.EpsilonCounter = previous.EpsilonCounter;
    m_s.ObjectiveF = previous.ObjectiveF;
    m_s.Report.Append(kSteppedBack);
    WriteTransportTable(m_s, m_hooks);
}

}  // namespace kargolo
