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

std::string FormatMValue(std::int64_t number, std::int32_t m) {
    if (m == 0) return Format("%lli", static_cast<long long>(number));
    if (number == 0) return Format("% iM", m);
    return Format("% iM%+lli", m, static_cast<long long>(number));
}

}  // namespace kargolo
