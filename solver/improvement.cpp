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
        return result;
    }
    result.Completed = s.SolveMethod == kMethodPotentials ? SolveByPotentials(s, hooks)
                                                          : SolveByDistribution(s, hooks);
    return result;
}

StepwisePause::Outcome StepwisePause::Ask(unsigned stage) {
    if (m_hooks.StopRequested()) return Outcome::Abort;
    if (m_s.SolveMode != kSolveModeStepwise || m_runToEnd) return Outcome::Unchanged;
    const StageAnswer answer = m_hooks.BeforeStage(m_s, stage);
    if (answer.Decision == StageDecision::Abort) return Outcome::Abort;
    m_runToEnd = answer.Decision == StageDecision::RunToEnd;
    if (!answer.PlanChanged) return Outcome::Unchanged;
    m_s.Report.Append(kUserChangedPlan);
    WriteTransportTable(m_s, m_hooks);
    return Outcome::PlanChanged;
}

}  // namespace kargolo
