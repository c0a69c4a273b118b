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

// Minimum element: takes the open cells one by one in order of increasing tariff (ties in
// row-major order) and places the smaller rest into each. Only the chosen cell is flagged, so
// cells of exhausted lines are visited too and receive 0.
void MinimumElement(SolveState& s);

// Vogel's method: each stage takes the row or column with the largest difference between its
// two cheapest open tariffs (on a tie, the line whose cheapest tariff is strictly smaller;
// otherwise the earlier line), preferring the row on a row-column tie only when its cheapest
// tariff is strictly smaller, and fills the cheapest open cell of that line. An exhausted row
// or column is closed whole.
void VogelMethod(SolveState& s);

// Double preference: marks the cheapest open cell of every row and column, fills the cells
// marked twice (rows top to bottom), then the other marked cells by tariff (rows' marks before
// columns' on a tie), then every remaining cell by tariff.
void DoublePreference(SolveState& s);

// The minimum element rule, Vogel's method and double preference leave a fictitious consumer's
// column or supplier's row out while they distribute the real cargo, and fill it last.

// The last step of every rule: each cell still holding (0, 0) becomes free (-1, 0).
void FreeUnfilledCells(SolveState& s);

}  // namespace kargolo
