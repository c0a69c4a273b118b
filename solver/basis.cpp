#include "solver/basis.h"

#include <algorithm>
#include <numeric>

#include "solver/components.h"
#include "solver/cycling_guard.h"
#include "solver/m_value.h"
#include "solver/internal_error.h"
#include "solver/method_texts.h"
#include "solver/plan_common.h"

namespace kargolo {
namespace {

constexpr int kNone = -1;

std::size_t At(int index) { return static_cast<std::size_t>(index); }

}  // namespace

BasisForest::BasisForest(const SolveState& s) : m_m(s.m), m_n(s.n), m_position(At(s.CellCount()), kNone) {
    for (int k = 0; k < s.CellCount(); ++k) {
        const TaskCell& c = s.At(k);
        if (IsBasic(s, c)) Add(k);
    }
}

void BasisForest::Add(int k) {
    SOLVER_CHECK(!Contains(k));
    m_position[At(k)] = Count();
    m_cells.push_back(k);
    m_ends.push_back({NodeOfRow(k / m_n), NodeOfColumn(k % m_n)});
    m_fingerprint ^= CellKey(k);
}

void BasisForest::Remove(int k) {
    SOLVER_CHECK(Contains(k));
    const int position = m_position[At(k)];
    const int last = m_cells.back();
    m_cells[At(position)] = last;
    m_ends[At(position)] = m_ends.back();
    m_position[At(last)] = position;
    m_cells.pop_back();
    m_ends.pop_back();
    m_position[At(k)] = kNone;
    m_fingerprint ^= CellKey(k);
}

bool BasisForest::Root() {
    const int nodes = m_m + m_n;
    // Adjacency in compressed rows: per node, its cells and the nodes at their other ends.
    m_start.assign(At(nodes + 1), 0);
    for (const auto& [row, column] : m_ends) {
        ++m_start[At(row + 1)];
        ++m_start[At(column + 1)];
    }
    std::partial_sum(m_start.begin(), m_start.end(), m_start.begin());
    m_fill.assign(m_start.begin(), m_start.end() - 1);
    m_incident.resize(At(2 * Count()));
    for (std::size_t p = 0; p < m_cells.size(); ++p) {
        const auto [row, column] = m_ends[p];
        m_incident[At(m_fill[At(row)]++)] = {m_cells[p], column};
        m_incident[At(m_fill[At(column)]++)] = {m_cells[p], row};
    }
    m_parentNode.assign(At(nodes), kNone);
    m_parentCell.assign(At(nodes), kNone);
    m_depth.assign(At(nodes), kNone);
    m_component.assign(At(nodes), kNone);
    m_order.clear();
    int components = 0;
    for (int root = 0; root < nodes; ++root) {  // every tree of the forest, row 0's first
        if (m_depth[At(root)] != kNone) continue;
        m_depth[At(root)] = 0;
        m_component[At(root)] = components++;
        m_order.push_back(root);
        for (std::size_t next = m_order.size() - 1; next < m_order.size(); ++next) {
            const int node = m_order[next];
            for (int p = m_start[At(node)]; p < m_start[At(node + 1)]; ++p) {
                const auto [k, other] = m_incident[At(p)];
                if (m_depth[At(other)] != kNone) continue;
                m_depth[At(other)] = m_depth[At(node)] + 1;
                m_parentNode[At(other)] = node;
                m_parentCell[At(other)] = k;
                m_component[At(other)] = m_component[At(node)];
                m_order.push_back(other);
            }
        }
    }
    m_trees = components;
    return components == 1;
}

bool BasisForest::ClosesCycle(int k) const {
    return m_component[At(NodeOfRow(k / m_n))] == m_component[At(NodeOfColumn(k % m_n))];
}

void BasisForest::AppendCycle(int k, std::vector<int>& out) const {
    AppendTreePath(NodeOfRow(k / m_n), NodeOfColumn(k % m_n), m_parentNode, m_parentCell, m_depth, out);
}

void AppendTreePath(int from, int to, const std::vector<int>& parent, const std::vector<int>& parentCell,
                    const std::vector<int>& depth, std::vector<int>& out) {
    std::vector<int> toSide;  // cells climbed from `to`, to be listed backwards
    while (from != to) {
        if (depth[At(from)] >= depth[At(to)]) {
            out.push_back(parentCell[At(from)]);
            from = parent[At(from)];
        } else {
            toSide.push_back(parentCell[At(to)]);
            to = parent[At(to)];
        }
    }
    out.insert(out.end(), toSide.rbegin(), toSide.rend());
}

namespace {

// A potential of 0 for the first line that no potential reaches yet: a row if there is one,
// else a column.
void StartTree(SolveState& s, std::vector<int>& newRows, std::vector<int>& newColumns,
               bool writeLines) {
    for (int i = 0; i < s.m; ++i) {
        if (s.PotentialsU[At(i)].Known) continue;
        s.PotentialsU[At(i)] = {0, 1, 0};
        newRows.push_back(i);
        if (writeLines) s.Report.Appendf(kStartRowPotential, i + 1);
        return;
    }
    for (int j = 0; j < s.n; ++j) {
        if (s.PotentialsV[At(j)].Known) continue;
        s.PotentialsV[At(j)] = {0, 1, 0};
        newColumns.push_back(j);
        if (writeLines) s.Report.Appendf(kStartColumnPotential, j + 1);
        return;
    }
}

// One pass: every line of `from` (rows when fromRows, else columns), in order, gives the
// potentials of the unknown lines that its basic cells reach; they are appended to `found`.
// Returns how many were found.
int PotentialPass(SolveState& s, const std::vector<std::vector<int>>& cellsOf, bool fromRows,
                  const std::vector<int>& from, std::vector<int>& found, bool writeLines) {
    const std::size_t before = found.size();
    for (const int line : from) {
        const PotentialEntry& known = fromRows ? s.PotentialsU[At(line)] : s.PotentialsV[At(line)];
        for (const int k : cellsOf[At(line)]) {
            const int i = k / s.n;
            const int j = k % s.n;
            PotentialEntry& other = fromRows ? s.PotentialsV[At(j)] : s.PotentialsU[At(i)];
            if (other.Known) continue;
            other = {s.At(k).Tariff - known.Value, 1, s.At(k).TariffM - known.M};
            found.push_back(fromRows ? j : i);
            if (!writeLines) continue;
            const std::string text = FormatPotential({other.M, other.Value});
            if (fromRows) {
                s.Report.Appendf(kColumnPotential, j + 1, i + 1, j + 1, i + 1, text.c_str());
            } else {
                s.Report.Appendf(kRowPotential, i + 1, i + 1, j + 1, j + 1, text.c_str());
            }
        }
    }
    return static_cast<int>(found.size() - before);
}

}  // namespace

// Only the lines found in the previous pass can find new ones, so each pass looks at those
// alone, in index order.
void BasisForest::SetPotentials(SolveState& s) const {
    s.PotentialsU.assign(At(m_m), {});
    s.PotentialsV.assign(At(m_n), {});
    for (const int node : m_order) {
        PotentialEntry& potential = node < m_m ? s.PotentialsU[At(node)] : s.PotentialsV[At(node - m_m)];
        const int parent = m_parentNode[At(node)];
        if (parent == kNone) {
            potential = {0, 1, 0};
            continue;
        }
        const PotentialEntry& known =
            parent < m_m ? s.PotentialsU[At(parent)] : s.PotentialsV[At(parent - m_m)];
        const TaskCell& c = s.At(m_parentCell[At(node)]);
        potential = {c.Tariff - known.Value, 1, c.TariffM - known.M};
    }
}

void FindPotentials(SolveState& s, const BasisForest& basis, bool writeLines) {
    if (!writeLines && basis.IsForest() && (s.RestrictedTask || basis.Count() == s.m + s.n - 1)) {
        basis.SetPotentials(s);
        return;
    }
    std::vector<std::vector<int>> rowCells(At(s.m));
    std::vector<std::vector<int>> columnCells(At(s.n));
    std::vector<int> cells = basis.Cells();
    std::sort(cells.begin(), cells.end());
    for (const int k : cells) {
        rowCells[At(k / s.n)].push_back(k);
        columnCells[At(k % s.n)].push_back(k);  // row-major order: rows ascending
    }
    s.PotentialsU.assign(At(s.m), {});
    s.PotentialsV.assign(At(s.n), {});
    s.PotentialsU[0].Known = 1;
    std::vector<int> newRows{0};
    std::vector<int> newColumns;
    int known = 1;
    while (known < s.m + s.n) {
        if (newRows.empty() && newColumns.empty()) {
            // The basis does not reach every line. With limits the lines beyond it are joined
            // to it only by closed routes, which have no estimate: the next tree starts at 0.
            SOLVER_CHECK(s.RestrictedTask);
            StartTree(s, newRows, newColumns, writeLines);
            ++known;
        }
        std::sort(newRows.begin(), newRows.end());
        known += PotentialPass(s, rowCells, true, newRows, newColumns, writeLines);
        std::sort(newColumns.begin(), newColumns.end());
        newRows.clear();
        known += PotentialPass(s, columnCells, false, newColumns, newRows, writeLines);
        newColumns.clear();
    }
}

TariffOrder::TariffOrder(const SolveState& s) : m_keys(At(s.CellCount())) {
    for (int k = 0; k < s.CellCount(); ++k) m_keys[At(k)] = std::int64_t{s.At(k).Tariff} * (std::int64_t{1} << 32) + k;
}

// Beyond the sorted part, the next piece (as long as what is sorted already, at least 4096
// keys) is selected and sorted.
int TariffOrder::Cell(int p) {
    while (At(p) >= m_sorted) {
        const auto first = m_keys.begin() + static_cast<std::ptrdiff_t>(m_sorted);
        const std::size_t piece = std::min(std::max<std::size_t>(4096, m_sorted), m_keys.size() - m_sorted);
        const auto last = first + static_cast<std::ptrdiff_t>(piece);
        std::nth_element(first, last - 1, m_keys.end());
        std::sort(first, last);
        m_sorted += piece;
    }
    return static_cast<int>(m_keys[At(p)] & 0xFFFFFFFF);
}

bool PlaceBasisZeros(SolveState& s, BasisForest& basis, TariffOrder& order) {
    const int wanted = s.m + s.n - 1;
    Components components(s.m + s.n);
    for (const int k : basis.Cells()) components.Join(k / s.n, s.m + k % s.n);
    for (int p = 0; p < order.Size(); ++p) {
        if (basis.Count() >= wanted) return true;
        const int k = order.Cell(p);
        const TaskCell& c = s.At(k);
        if (InBasis(c) || !components.Join(k / s.n, s.m + k % s.n)) continue;
        SetPlanQuantity(s.At(k), {0, 0});
        basis.Add(k);
    }
    return basis.Count() >= wanted;
}

std::int32_t ShiftAlongCycle(SolveState& s) {
    const std::vector<int>& cycle = s.CycleList;
    SetPlanQuantity(s.At(cycle[0]), {0, 0});
    const TaskCell& first = s.At(cycle[1]);
    std::int32_t theta = first.Cargo;
    for (std::size_t p = 1; p < cycle.size(); p += 2) {
        const TaskCell& c = s.At(cycle[p]);
        if (c.Cargo < theta || (c.Cargo == theta && c.CargoEps < 0)) theta = c.Cargo;
    }
    for (std::size_t p = 0; p < cycle.size(); ++p) {
        TaskCell& c = s.At(cycle[p]);
        if (p % 2 == 0) {
            c.Cargo += theta;
        } else {
            c.Cargo -= theta;
            if (IsZeroQuantity(c)) c.Cargo = kFreeCargo;
        }
    }
    return theta;
}

}  // namespace kargolo
