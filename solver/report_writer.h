#pragma once

// Writers of the report's tables and number texts. The transport table shows the current plan
// with tariffs, limits and cycle signs; the estimates table shows the estimates of free cells.
// Both append to s.Report and report their progress through the status lines.

#include <cstdint>
#include <string>
#include <vector>

#include "solver/eps_value.h"
#include "solver/report_buffer.h"

namespace kargolo {

struct SolveState;
class SolveHooks;

// The text of a + b*e: "5+e", "7-2e", "2e", "-e", "0", "12".
std::string FormatEpsValue(EpsValue value);
void AppendEpsValue(ReportBuffer& out, EpsValue value);

// The table of the current plan: tariff, quantity, limit and cycle sign of every cell.
void WriteTransportTable(SolveState& s, SolveHooks& hooks);

// What the time criterion shows of a cell beyond its plan: crossed out (grey, with a cross), or
// loaded with the longest time of the plan (the time in red).
enum class CellMark : std::uint8_t { None, CrossedOut, Longest };

// The same table with a mark for every cell, row-major.
void WriteTransportTable(SolveState& s, SolveHooks& hooks, const std::vector<CellMark>& marks);

// The table of the estimates of all free cells.
void WriteEstimatesTable(SolveState& s);

// Opens stage `stage` of an improvement method: its header when the course is written. A
// report that has reached its limit gets a line saying so instead, and from then on the run
// writes no more of its course.
void BeginStage(SolveState& s, unsigned stage);

}  // namespace kargolo
