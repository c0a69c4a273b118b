#pragma once

// The check of a plan a student found for a task: whether every supplier ships its stock and
// every consumer gets its demand (an open task's surplus or shortfall going to its fictitious
// consumer or supplier, as the course balances it), whether the plan keeps the route limits,
// whether it is a basic plan (at most m+n-1 occupied cells of the balanced table and no cycle
// among them; with limits the cells strictly between their bounds), whether a stated F is the
// plan's cost, and whether the plan is optimal. A degenerate plan is basic: the basis zeros it
// lacks may be added (they are put where the method of potentials puts them). A basic plan that
// is not optimal is shown so by its potentials and one cell whose estimate could lower F.
//
// A plan is m lines of n quantities of the task's own routes; in a text (PLAN.csv) they are
// separated as in text task files, an empty value being 0.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "documents/task_grids.h"
#include "documents/text_task_file.h"

namespace kargolo {

using PlanQuantities = std::vector<std::vector<std::int64_t>>;

// Reads a plan of m lines of n quantities from the lines of a text; the message naming the line
// and the value at fault, or an empty text.
std::string ReadPlan(const std::vector<TextValueLine>& lines, int m, int n, PlanQuantities& plan);
std::string ParsePlanText(std::string_view bytes, int m, int n, PlanQuantities& plan);
// The F a student states, as typed (blanks around it dropped; nothing typed is none); a message
// when it is no whole number, or an empty text.
std::string ReadStatedF(std::string_view text, std::optional<std::int64_t>& statedF);

// One mistake of the plan: its kind for scripts ("negative", "row-balance", "column-balance",
// "limit", "closed-route", "too-many-cells", "cycle", "stated-f", "not-optimal") and its text.
struct PlanMistake {
    std::string Kind;
    std::string Text;
};

// Why a basic plan is not optimal: its potentials and the cell that could lower F.
struct PlanEvidence {
    std::vector<std::int64_t> U;  // rows of the balanced table
    std::vector<std::int64_t> V;  // its columns
    int Row = 0;
    int Column = 0;
    std::int64_t Tariff = 0;
    std::int64_t Estimate = 0;
    bool AtLimit = false;  // the cell carries its limit: its estimate is above 0
};

struct PlanVerdict {
    std::string Refusal;  // the task cannot be solved or the plan does not fit it: nothing judged
    bool Balanced = false;
    bool WithinLimits = true;
    bool Basic = false;
    std::int64_t Cost = 0;
    std::optional<std::int64_t> StatedF;
    std::optional<bool> StatedFRight;  // when an F was stated
    bool Optimal = false;
    std::optional<std::int64_t> OptimalF;  // none when the limits make the task unsolvable
    std::vector<PlanMistake> Mistakes;

    // The balanced table the plan was judged in.
    int Rows = 0;
    int Columns = 0;
    bool FictitiousConsumer = false;
    bool FictitiousSupplier = false;
    std::int64_t Remainder = 0;                   // what goes to or comes from the fictitious line
    int Occupied = 0;                             // cells counted for the basis
    std::vector<std::pair<int, int>> Cycle;       // the cycle named, from 0
    std::vector<std::pair<int, int>> AddedZeros;  // basis zeros a degenerate plan may take
    std::optional<PlanEvidence> Evidence;
};

// Judges the plan of the task's own routes; statedF is the F the student gives, if any.
PlanVerdict CheckPlan(const TaskGrids& grids, bool limits, const PlanQuantities& plan,
                      std::optional<std::int64_t> statedF);

// The verdict as JSON for scripts, one line: {"balanced": ..., "within-limits": ..., "basic":
// ..., "cost": ..., "stated-f-right": ..., "optimal": ..., "optimal-f": ..., "mistakes":
// [{"kind": ..., "text": ...}]} (null where nothing was stated or the task has no optimum;
// texts without markup).
std::string PlanVerdictJson(const PlanVerdict& verdict);

// The short report of the check (UTF-8 HTML): the plan as a table, then each check with what
// was found.
std::string PlanCheckHtml(const PlanVerdict& verdict, const TaskGrids& grids, bool limits,
                          const PlanQuantities& plan, std::string_view taskName);

}  // namespace kargolo
