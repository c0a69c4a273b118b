#include "documents/grids_to_state.h"

#include "documents/document_texts.h"
#include "documents/text_numbers.h"
#include "solver/cell_state.h"
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
            const std::string& tariff = grids.Tarif.At(j + 1, i + 1);
            if (!IsMText(tariff)) {
                ParseInto(tariff, cell.Tariff, problem, [i, j] { return Format(kInTariff, i + 1, j + 1); });
            }
            const std::string& limit = grids.Restriction.At(j + 1, i + 1);
            if (IsNoLimitText(limit)) {
                cell.Limit = kNoLimit;
            } else {
                ParseInto(limit, cell.Limit, problem,
                          [i, j] { return Format(kInLimit, i + 1, j + 1); });
            }
            if (IsMText(tariff) && restricted) cell.Limit = 0;  // a forbidden route is a closed one
        }
    }
    if (!restricted && HasForbiddenRoute(grids)) CloseForbiddenRoutesOnly(grids, s);
    return problem;
}

void CloseForbiddenRoutesOnly(const TaskGrids& grids, SolveState& s) {
    s.RestrictedTask = true;
    for (int i = 0; i < grids.Suppliers(); ++i) {
        for (int j = 0; j < grids.Consumers(); ++j) {
            s.Cell(i, j).Limit = IsMText(grids.Tarif.At(j + 1, i + 1)) ? 0 : kNoLimit;
        }
    }
}

bool HasForbiddenRoute(const TaskGrids& grids) {
    return CountForbiddenRoutes(grids) > 0;
}

int CountForbiddenRoutes(const TaskGrids& grids) {
    int count = 0;
    for (int i = 1; i <= grids.Suppliers(); ++i) {
        for (int j = 1; j <= grids.Consumers(); ++j) count += IsMText(grids.Tarif.At(j, i)) ? 1 : 0;
    }
    return count;
}

namespace {

// The mandatory shipments, checked against the routes, the limits, the supplies and the demands.
std::string ReadMandatory(const TaskGrids& grids, const SolveState& s, std::vector<std::int32_t>& mandatory) {
    const int m = grids.Suppliers();
    const int n = grids.Consumers();
    mandatory.assign(static_cast<std::size_t>(m) * static_cast<std::size_t>(n), 0);
    std::string problem;
    std::vector<std::int64_t> rows(static_cast<std::size_t>(m));
    std::vector<std::int64_t> columns(static_cast<std::size_t>(n));
    for (int i = 0; i < m && problem.empty(); ++i) {
        for (int j = 0; j < n && problem.empty(); ++j) {
            std::int32_t& amount = mandatory[static_cast<std::size_t>(i * n + j)];
            ParseInto(grids.Mandatory.At(j + 1, i + 1), amount, problem,
                      [i, j] { return Format(kInMandatory, i + 1, j + 1); });
            if (!problem.empty() || amount == 0) continue;
            const TaskCell& cell = s.Cell(i, j);
            if (amount < 0) {
                problem = Format(kMandatoryNegative, i + 1, j + 1);
            } else if (IsMText(grids.Tarif.At(j + 1, i + 1))) {
                problem = Format(kMandatoryOnForbidden, i + 1, j + 1);
            } else if (s.RestrictedTask && HasLimit(cell) && amount > cell.Limit) {
                problem = Format(kMandatoryOverLimit, amount, i + 1, j + 1, cell.Limit);
            }
            rows[static_cast<std::size_t>(i)] += amount;
            columns[static_cast<std::size_t>(j)] += amount;
        }
    }
    for (int i = 0; i < m && problem.empty(); ++i) {
        const std::int32_t supply = s.Supplies[static_cast<std::size_t>(i)].Amount;
        if (rows[static_cast<std::size_t>(i)] > supply) {
            problem = Format(kMandatoryOverSupply, i + 1, static_cast<long long>(rows[static_cast<std::size_t>(i)]), supply);
        }
    }
    for (int j = 0; j < n && problem.empty(); ++j) {
        const std::int32_t demand = s.Demands[static_cast<std::size_t>(j)].Amount;
        if (columns[static_cast<std::size_t>(j)] > demand) {
            problem = Format(kMandatoryOverDemand, j + 1, static_cast<long long>(columns[static_cast<std::size_t>(j)]), demand);
        }
    }
    return problem;
}

}  // namespace

std::string GridsToVariant(const TaskGrids& grids, bool restricted, const SolveState& s,
                           TaskVariant& variant) {
    variant.Maximise = grids.Goal == TaskGoal::Maximise;
    variant.ClosedForbiddenRoutes = CountForbiddenRoutes(grids);
    variant.LimitsForForbiddenOnly = !restricted && variant.ClosedForbiddenRoutes > 0;
    std::string problem = ReadMandatory(grids, s, variant.Mandatory);
    if (!problem.empty()) return problem;
    bool any = false;
    for (const std::int32_t amount : variant.Mandatory) any = any || amount > 0;
    if (!any) variant.Mandatory.clear();
    return {};
}

}  // namespace kargolo
