#pragma once

// Rules of the first basic plan. Each one fills s.Cells with a basic plan that ships every unit
// of the balanced task, leaves every other cell free (-1, 0), may leave the plan degenerate
// (fewer than m + n - 1 occupied cells), and explains its placements when SolveMode > 0.
// Before a rule runs every cell holds (0, 0).

namespace kargolo {

struct SolveState;

// North-west corner: walks from the top-left cell towards the bottom-right one, placing in each
// visited cell the smaller of the row's rest A*_i and the column's rest B*_j (A*_i on a tie).
// It moves down when the row is exhausted and then right when the column is satisfied, so a
// placement that exhausts both moves diagonally. Fictitious rows and columns are ordinary here.
void NorthWestCorner(SolveState& s);

// The last step of every rule: each cell still holding (0, 0) becomes free (-1, 0).
void FreeUnfilledCells(SolveState& s);

}  // namespace kargolo
