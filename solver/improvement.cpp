#include "solver/improvement.h"

#include "solver/internal_error.h"

namespace kargolo {

ImprovementResult ImprovePlan(SolveState&, SolveHooks&) {
    SOLVER_CHECK(kImprovementMethodsBuilt);
    return {};
}

}  // namespace kargolo
