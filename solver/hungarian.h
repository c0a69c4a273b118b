#pragma once

// The assignment problem by the Hungarian method: n performers A_i (rows), m jobs B_j
// (columns), c_i,j the cost (or, when maximising, the effect) of job j done by performer i, some
// cells forbidden (M). Every performer gets one job and every job one performer so that the total
// is least (or largest).
//
// The course, as the report writes it: a maximisation becomes a minimisation by c' = C - c, C
// the largest element; a matrix that is not square gets zero rows or columns; forbidden cells
// that leave no full assignment end the run with the performers who lack jobs (a maximum
// matching of the allowed cells and the rows its alternating paths reach). Otherwise: each row
// less its smallest element, each column less its smallest element; independent zeros starred
// greedily (rows top to bottom, in each the first zero whose column has no star); then stages
// until every row has a star. A stage covers the columns of the stars and looks for an
// uncovered zero, taking the first in row-major order: it is primed; if its row has a star, the
// row is covered and the star's column uncovered; if not, the chain prime - star in its column -
// prime in that star's row - ... swaps primes and stars, one more independent zero, and the stage
// ends. Without an uncovered zero the covered lines (as many as stars: the fewest that cover
// every zero) stay, h = the smallest uncovered element is taken from the uncovered elements and
// added where two lines cross, and the search goes on.
//
// The matrix is kept as c - u_i - v_j; each row keeps the smallest of its uncovered elements and
// the first column holding it, so a stage costs O(n^2) and the method O(n^3).

#include <cstdint>
#include <string>
#include <vector>

namespace kargolo {

struct SolveState;
class SolveHooks;

// The largest number of rows or columns the method takes.
constexpr int kLargestAssignmentSide = 2000;

struct AssignmentTask {
    int Rows = 0;     // performers
    int Columns = 0;  // jobs
    std::vector<std::int32_t> Values;     // c_i,j row-major
    std::vector<std::uint8_t> Forbidden;  // row-major, 1: M
    bool Maximise = false;
};

struct AssignmentResult {
    bool Completed = true;  // false: the user stopped the run
    bool Solvable = true;   // false: the forbidden cells leave no full assignment
    // Per row of the task, the column of its job, or -1: no job (a fictitious column).
    std::vector<int> ColumnOfRow;
    std::int64_t Total = 0;  // sum of c over the assigned cells of the task
    unsigned Stages = 0;
};

// A text that refuses the task, or an empty text.
std::string CheckAssignmentTask(const AssignmentTask& task);

// Solves the task, writing its course into s.Report as s's SolveMode and report limit ask
// (between the caller's head and footer); s holds no task. The stepwise mode writes the whole
// course without pauses: there is no plan to edit.
AssignmentResult SolveAssignment(const AssignmentTask& task, SolveState& s, SolveHooks& hooks);

}  // namespace kargolo
