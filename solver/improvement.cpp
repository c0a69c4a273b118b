#include "solver/improvement.h"

#include "solver/restricted.h"
#include "solver/report_buffer.h"
#include "solver/solve_state.h"

namespace kargolo {

ImprovementResult ImprovePlan(SolveState& s, SolveHooks& hooks) {
    ImprovementResult result;
    if (s.RestrictedTask) {
        result.Completed = SolveRestricted(s, hooks, result);
        return result;
    }
    result.Completed = s.SolveMethod == kMethodPotentials ? SolveByPotentials(s, hooks)
                                                          : SolveByDistribution(s, hooks);
    return result;
}

}  // namespace kargolo
