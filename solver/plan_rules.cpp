#include "solver/plan_rules.h"

#include "solver/solve_state.h"

namespace kargolo {

void FreeUnfilledCells(SolveState& s) {
    for (TaskCell& c : s.Cells) {
        if (c.Cargo == 0 && c.CargoEps == 0) c.Cargo = kFreeCargo;
    }
}

}  // namespace kargolo
