#include "documents/plan_edit.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "documents/plan_edit_texts.h"
#include "solver/report_buffer.h"
#include "solver/report_writer.h"

namespace kargolo {
namespace {

std::size_t At(int index) { return static_cast<std::size_t>(index); }

bool IsFree(EpsValue v) { return v.Num < 0 || (v.Num == 0 && v.Eps < 0); }
bool IsPositive(EpsValue v) { return v.Num > 0 || (v.Num == 0 && v.Eps > 0); }

// An optional sign and digits, as the platform's string-to-integer conversion takes them.
bool ReadInteger(std::string_view text, std::int32_t& value) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool IsBasicCell(const SolveState& s, int k) { return IsBasic(s, s.At(k)); }

// The textbook cycle search (column, then row) that never steps onto a cell of its own path.
bool SearchCycle(SolveState& s, int a, int b, int mode, int depth, std::vector<char>& onPath,
                 int& steps) {
    ++steps;
    std::vector<std::pair<int, bool>> candidates;  // cell, reached along a's column
    auto scan = [&](int first, int step, int count, bool column) {
        for (int p = 0; p < count; ++p) {
            const int k = first + p * step;
            if (k == a) continue;
            if (k == b) return true;
            if (IsBasicCell(s, k) && !onPath[At(k)]) candidates.emplace_back(k, column);
        }
        return false;
    };
    if ((mode != 1 && scan(a % s.n, s.n, s.m, true)) || (mode != 2 && scan(a / s.n * s.n, 1, s.n, false))) {
        s.CycleList.push_back(a);
        return true;
    }
    onPath[At(a)] = 1;
    for (const auto& [cell, column] : candidates) {
        if (SearchCycle(s, cell, b, column ? 1 : 2, depth + 1, onPath, steps)) {
            onPath[At(a)] = 0;
            if (depth != 1) s.CycleList.push_back(a);
            return true;
        }
    }
    onPath[At(a)] = 0;
    return false;
}

}  // namespace

TypedText CheckTypedQuantity(std::string_view text) {
    std::int64_t run = 0;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            run = run * 10 + (c - '0');
            if (run > std::numeric_limits<std::int32_t>::max()) return TypedText::TooLarge;
        } else if (c == ' ' || c == '+' || c == '-' || c == 'e' || c == 'E') {
            run = 0;
        } else {
            return TypedText::Refused;
        }
    }
    return TypedText::Complete;
}

ParsedQuantity ParseQuantity(std::string_view input) {
    std::string text;
    for (const char c : input) {
        if (c != ' ') text.push_back(c == 'E' ? 'e' : c);
    }
    if (text == "e") text = "1e";
    for (std::size_t at = text.find("+e"); at != std::string::npos; at = text.find("+e", at + 3)) {
        text.replace(at, 2, "+1e");
    }
    for (std::size_t at = text.find("-e"); at != std::string::npos; at = text.find("-e", at + 3)) {
        text.replace(at, 2, "-1e");
    }
    ParsedQuantity parsed;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("+-", start + 1);
        if (end == std::string::npos) end = text.size();
        const std::string_view term(text.data() + start, end - start);
        start = end;
        std::int32_t value = 0;
        if (ReadInteger(term, value)) {
            parsed.Value.Num += value;
            parsed.Read = true;
        } else if (term.size() > 1 && term.back() == 'e' && ReadInteger(term.substr(0, term.size() - 1), value)) {
            parsed.Value.Eps += value;
            parsed.Read = true;
        }
    }
    return parsed;
}

std::vector<int> CollectBasicCells(SolveState& s) {
    std::vector<int> cells;
    for (int k = 0; k < s.CellCount(); ++k) {
        TaskCell& c = s.At(k);
        if (!s.RestrictedTask) {
            if (InBasis(c)) cells.push_back(k);
        } else if (IsPositive(PlanQuantity(c)) && BelowLimit(c)) {
            c.Basic = 1;
            cells.push_back(k);
        }
    }
    return cells;
}

std::int64_t PlanCost(const SolveState& s) {
    std::int64_t cost = 0;
    for (const TaskCell& c : s.Cells) {
        if (!IsFreeMarker(c) && c.TariffM == 0) cost += std::int64_t{c.Cargo} * c.Tariff;
    }
    return cost;
}

std::vector<int> UndistributedSuppliers(const SolveState& s) {
    std::vector<int> rows;
    for (int i = 0; i < s.m; ++i) {
        std::int64_t rest = s.Supplies[At(i)].Amount;
        for (int j = 0; j < s.n; ++j) {
            if (IsPositive(PlanQuantity(s.Cell(i, j)))) rest -= s.Cell(i, j).Cargo;
        }
        if (rest > 0) rows.push_back(i);
    }
    return rows;
}

bool FindBasicCycle(SolveState& s, int cell, int* steps) {
    s.CycleList.assign(1, cell);
    std::vector<char> onPath(At(s.CellCount()), 0);
    int counted = 0;
    const bool found = SearchCycle(s, cell, cell, 0, 1, onPath, counted);
    if (steps != nullptr) *steps = counted;
    if (found) return true;
    s.CycleList.clear();
    return false;
}

PlanEditor::PlanEditor(SolveState& s) : m_s(s) {
    m_basicCells = CollectBasicCells(m_s);
    const int count = static_cast<int>(m_basicCells.size());
    const int wanted = m_s.m + m_s.n - 1;
    if (count == wanted) {
        m_check.Lines = {kPlanOk};
    } else {
        m_check.Lines = {Format(count < wanted ? kOpenedDegenerate : kOpenedTooMany, count, wanted)};
        m_check.CountWrong = true;
    }
    m_initialCost = m_currentCost = PlanCost(m_s);
}

void PlanEditor::CheckPlan() {
    m_basicCells = CollectBasicCells(m_s);
    m_check = {};
    const int count = static_cast<int>(m_basicCells.size());
    const int wanted = m_s.m + m_s.n - 1;
    if (count != wanted) {
        m_check.Lines.push_back(Format(count > wanted ? kEditedTooMany : kEditedDegenerate, count, wanted));
        m_check.CountWrong = true;
    }
    if (const std::vector<int> rows = UndistributedSuppliers(m_s); !rows.empty()) {
        std::string line = kUndistributed;
        for (std::size_t p = 0; p < rows.size(); ++p) line += Format(kUndistributedRow, p == 0 ? ' ' : ',', rows[p] + 1);
        m_check.Lines.push_back(line + ";");
        m_check.SupplyWrong = true;
    }
    for (std::size_t p = 0; !m_check.SupplyWrong && p < m_basicCells.size(); ++p) {
        if (!FindBasicCycle(m_s, m_basicCells[p])) continue;
        std::string line = kCycle;
        for (std::size_t q = 0; q < m_s.CycleList.size(); ++q) {
            const int k = m_s.CycleList[q];
            line += Format(kCycleCell, q == 0 ? ' ' : ',', k / m_s.n + 1, k % m_s.n + 1);
        }
        m_check.Lines.push_back(line + "; ");
        m_check.CycleFound = true;
        break;
    }
    if (!m_check.CountWrong && !m_check.SupplyWrong && !m_check.CycleFound) m_check.Lines = {kPlanOk};
}

// The most cell (i, j) may carry: what its row and its column still have to ship, counting the
// cell's own quantity, and with limits the cell's limit.
PlanEditor::Bound PlanEditor::CellBound(int i, int j, std::int64_t own) const {
    std::int64_t rowRest = m_s.Supplies[At(i)].Amount + own;
    std::int64_t columnRest = m_s.Demands[At(j)].Amount + own;
    for (int c = 0; c < m_s.n; ++c) {
        if (IsPositive(PlanQuantity(m_s.Cell(i, c)))) rowRest -= m_s.Cell(i, c).Cargo;
    }
    for (int r = 0; r < m_s.m; ++r) {
        if (IsPositive(PlanQuantity(m_s.Cell(r, j)))) columnRest -= m_s.Cell(r, j).Cargo;
    }
    Bound bound{std::min(rowRest, columnRest), rowRest < columnRest   ? BoundReason::Row
                                               : columnRest < rowRest ? BoundReason::Column
                                                                      : BoundReason::RowAndColumn};
    const std::int32_t limit = m_s.Cell(i, j).Limit;
    if (m_s.RestrictedTask && limit != kNoLimit &&
        static_cast<std::uint32_t>(limit) < static_cast<std::uint64_t>(std::max<std::int64_t>(bound.Value, 0))) {
        bound = {limit, BoundReason::Limit};
    }
    return bound;
}

// The note beside a typed quantity that was cut to its bound.
std::string PlanEditor::CutNote(int i, int j, const Bound& bound) const {
    const auto value = static_cast<long long>(bound.Value);
    switch (bound.Reason) {
        case BoundReason::Row: return Format(kCutToRow, i + 1, j + 1, value, i + 1);
        case BoundReason::Column: return Format(kCutToColumn, i + 1, j + 1, value, j + 1);
        case BoundReason::RowAndColumn: return Format(kCutToRowAndColumn, i + 1, j + 1, value, i + 1, j + 1);
        case BoundReason::Limit: return Format(kCutToLimit, i + 1, j + 1, value);
    }
    return {};
}

PlanEditor::EditResult PlanEditor::AcceptCellEdit(int i, int j, std::string_view typed) {
    TaskCell& cell = m_s.Cell(i, j);
    EpsValue old = PlanQuantity(cell);
    if (!m_s.RestrictedTask) old.Eps = 0;
    const bool oldFree = IsFree(old);
    const Bound bound = CellBound(i, j, oldFree ? 0 : old.Num);
    std::string text;
    for (const char c : typed) text.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    const auto first = text.find_first_not_of(" \t");
    text = first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(" \t") - first + 1);
    EpsValue now{kFreeCargo, 0};
    std::string note;
    if (!text.empty()) {
        const ParsedQuantity parsed = ParseQuantity(text);
        if (!parsed.Read) return {false, oldFree ? std::string() : FormatEpsValue(old), {}};
        now = IsFree(parsed.Value) ? EpsValue{0, 0} : parsed.Value;
        if (!m_s.RestrictedTask) now.Eps = 0;
        if (now.Num > bound.Value) {
            note = CutNote(i, j, bound);
            now.Num = static_cast<std::int32_t>(bound.Value);
        }
    }
    if (now != old) ApplyEdit(i, j, old, now);
    return {true, IsFree(now) ? std::string() : FormatEpsValue(now), note};
}

// Puts the new quantity into cell (i, j), checks the plan again and follows F and the epsilon
// parts of the rims.
void PlanEditor::ApplyEdit(int i, int j, EpsValue old, EpsValue now) {
    TaskCell& cell = m_s.Cell(i, j);
    const bool oldFree = IsFree(old);
    SetPlanQuantity(cell, now);
    cell.Basic = 0;
    CheckPlan();
    if (cell.TariffM == 0) {
        m_currentCost += std::int64_t{cell.Tariff} * (std::int64_t{IsFree(now) ? 0 : now.Num} - (oldFree ? 0 : old.Num));
    }
    m_planChanged = true;
    const std::int32_t epsChange = (IsFree(now) ? 0 : now.Eps) - (oldFree ? 0 : old.Eps);
    m_s.Supplies[At(i)].AmountEps += epsChange;
    m_s.Demands[At(j)].AmountEps += epsChange;
}

std::string PlanEditor::continueRefusal() const {
    if (!m_check.SupplyWrong && !m_check.CycleFound) return {};
    std::string message = kCannotContinue;
    if (m_check.SupplyWrong) message += kNotFullyLoaded;
    if (m_check.CycleFound) message += kCycleInBasis;
    return message;
}

void FinishStepwiseEdits(SolveState& s) {
    if (s.RestrictedTask) CollectBasicCells(s);
}

}  // namespace kargolo
