#include "documents/grids_to_state.h"

#include "documents/document_texts.h"
#include "documents/text_numbers.h"
#include "solver/solve_state.h"

namespace kargolo {
namespace {

// Parses a text into value; the first text out of range sets the problem message, which names
// the place that describePlace() gives.
template <typename DescribePlace>
void ParseInto(const std::string& text, std::int32_t& value, std::string& problem,
               DescribePlace describePlace) {
    const ParsedNumber parsed = ParseNumber(text);
    value = parsed.Value;
    if (parsed.OutOfRange && problem.empty()) {
        problem = Format(kNumberOutOfRange, text.c_str(), describePlace().c_str());
    }
}

}  // namespace

std::string GridsToSolveState(const TaskGrids& grids, bool restricted, SolveState& s) {
    const int m = grids.Suppliers();
    const int n = grids.Consumers();
    ResizeTask(s, m, n);
    s.RestrictedTask = restricted;
    std::string problem;
    for (int i = 0; i < m; ++i) {
        ParseInto(grids.Tarif.At(n + 1, i + 1), s.Supplies[static_cast<std::size_t>(i)].Amount,
                  problem, [i] { return Format(kInSupply, i + 1); });
    }
    for (int j = 0; j < n; ++j) {
        ParseInto(grids.Tarif.At(j + 1, m + 1), s.Demands[static_cast<std::size_t>(j)].Amount,
                  problem, [j] { return Format(kInDemand, j + 1); });
    }
    for (int i = 0; i < m; ++i) {
        for (int j = 0; j < n; ++j) {
            TaskCell& cell = s.Cell(i, j);
            ParseInto(grids.Tarif.At(j + 1, i + 1), cell.Tariff, problem,
                      [i, j] { return Format(kInTariff, i + 1, j + 1); });
            const std::string& limit = grids.Restriction.At(j + 1, i + 1);
            if (IsNoLimitText(limit)) {
                cell.Limit = kNoLimit;
            } else {
                ParseInto(limit, cell.Limit, problem,
                          [i, j] { return Format(kInLimit, i + 1, j + 1); });
            }
        }
    }
    return problem;
}

}  // namespace kargolo
