#include "solver/other_optimum.h"

#include <algorithm>
#include <deque>
#include <limits>

#include "solver/cell_state.h"
#include "solver/solve_state.h"

namespace kargolo {
namespace {

std::size_t At(int index) { return static_cast<std::size_t>(index); }

// A potential with its M part: Value + M * M.
struct Potential {
    std::int64_t Value = 0;
    std::int64_t M = 0;
};

// The potentials of a basis of m + n - 1 cells, u_1 = 0, found down its tree; false when the
// basis does not join every row and column.
bool PotentialsOfBasis(const SolveState& s, std::vector<Potential>& u, std::vector<Potential>& v) {
    const int nodes = s.m + s.n;
    std::vector<std::vector<int>> cellsOf(At(nodes));
    for (int k = 0; k < s.CellCount(); ++k) {
        if (!InBasis(s.At(k))) continue;
        cellsOf[At(k / s.n)].push_back(k);
        cellsOf[At(s.m + k % s.n)].push_back(k);
    }
    std::vector<Potential> potential(At(nodes));
    std::vector<bool> known(At(nodes), false);
    std::deque<int> queue{0};
    known[0] = true;
    int reached = 1;
    while (!queue.empty()) {
        const int node = queue.front();
        queue.pop_front();
        for (const int k : cellsOf[At(node)]) {
            const int other = node < s.m ? s.m + k % s.n : k / s.n;
            if (known[At(other)]) continue;
            const TaskCell& c = s.At(k);  // u_i + v_j = c_i,j
            potential[At(other)] = {c.Tariff - potential[At(node)].Value, c.TariffM - potential[At(node)].M};
            known[At(other)] = true;
            ++reached;
            queue.push_back(other);
        }
    }
    u.assign(potential.begin(), potential.begin() + s.m);
    v.assign(potential.begin() + s.m, potential.end());
    return reached == nodes;
}

bool FinalPotentials(const SolveState& s, std::vector<Potential>& u, std::vector<Potential>& v) {
    if (!s.RestrictedTask) return PotentialsOfBasis(s, u, v);
    if (s.PotentialsU.size() != At(s.m) || s.PotentialsV.size() != At(s.n)) return false;
    for (const PotentialEntry& p : s.PotentialsU) u.push_back({p.Value, p.M});
    for (const PotentialEntry& p : s.PotentialsV) v.push_back({p.Value, p.M});
    return true;
}

std::int64_t Quantity(const TaskCell& c) { return c.Cargo > 0 ? c.Cargo : 0; }

// How much a route can still grow: up to its limit, or without end.
std::int64_t Room(const SolveState& s, const TaskCell& c) {
    if (!s.RestrictedTask || !HasLimit(c)) return std::numeric_limits<std::int64_t>::max();
    return std::int64_t{c.Limit} - Quantity(c);
}

bool IsBasicRoute(const SolveState& s, const TaskCell& c) { return s.RestrictedTask ? c.Basic != 0 : InBasis(c); }

// The graph of the shifts that keep F: a row's node is i, a column's m + j. Along a route with
// zero estimate, row -> column grows it (while it has room), column -> row shrinks it (while it
// carries cargo).
class ShiftGraph {
public:
    ShiftGraph(const SolveState& s, const std::vector<bool>& zero) : m_s(s), m_zero(zero) {}

    bool Grows(int k) const { return m_zero[At(k)] && Room(m_s, m_s.At(k)) > 0; }
    bool IsBasic(int k) const { return IsBasicRoute(m_s, m_s.At(k)); }
    bool Shrinks(int k) const { return m_zero[At(k)] && Quantity(m_s.At(k)) > 0; }

    // The route from a node to its index-th neighbour, and whether the edge is there.
    int RouteTo(int node, int other) const {
        return node < m_s.m ? node * m_s.n + other : other * m_s.n + (node - m_s.m);
    }
    int Neighbour(int node, int other) const { return node < m_s.m ? m_s.m + other : other; }
    int Degree(int node) const { return node < m_s.m ? m_s.n : m_s.m; }
    bool Edge(int node, int other) const {
        const int k = RouteTo(node, other);
        return node < m_s.m ? Grows(k) : Shrinks(k);
    }

    // The strongly connected component of every node (Tarjan's algorithm, with a stack of its
    // own). A route at a bound lies on a cycle exactly when both its ends share a component.
    std::vector<int> Components() const {
        const int nodes = m_s.m + m_s.n;
        std::vector<int> index(At(nodes), -1);
        std::vector<int> low(At(nodes), 0);
        std::vector<int> component(At(nodes), -1);
        std::vector<int> stack;
        std::vector<bool> onStack(At(nodes), false);
        std::vector<std::pair<int, int>> calls;  // (node, next neighbour to look at)
        int counter = 0;
        int components = 0;
        for (int root = 0; root < nodes; ++root) {
            if (index[At(root)] >= 0) continue;
            calls.push_back({root, 0});
            while (!calls.empty()) {
                auto& [node, next] = calls.back();
                if (next == 0 && index[At(node)] < 0) {
                    index[At(node)] = low[At(node)] = counter++;
                    stack.push_back(node);
                    onStack[At(node)] = true;
                }
                bool descended = false;
                while (next < Degree(node)) {
                    const int other = next++;
                    if (!Edge(node, other)) continue;
                    const int to = Neighbour(node, other);
                    if (index[At(to)] < 0) {
                        calls.push_back({to, 0});
                        descended = true;
                        break;
                    }
                    if (onStack[At(to)]) low[At(node)] = std::min(low[At(node)], index[At(to)]);
                }
                if (descended) continue;
                const int done = node;
                if (low[At(done)] == index[At(done)]) {
                    for (int member = -1; member != done;) {
                        member = stack.back();
                        stack.pop_back();
                        onStack[At(member)] = false;
                        component[At(member)] = components;
                    }
                    ++components;
                }
                calls.pop_back();
                if (!calls.empty()) {
                    const int parent = calls.back().first;
                    low[At(parent)] = std::min(low[At(parent)], low[At(done)]);
                }
            }
        }
        return component;
    }

    // The routes of a path from node `from` to node `to` that avoids route `skip`, with the
    // fewest routes outside the basis (a 0-1 breadth-first search): the entering route's own
    // basis cycle whenever cargo can move along it. Empty when there is none.
    std::vector<int> Path(int from, int to, int skip) const {
        const int unreached = std::numeric_limits<int>::max();
        std::vector<int> distance(At(m_s.m + m_s.n), unreached);
        std::vector<int> via(At(m_s.m + m_s.n), -1);  // the route that reached the node
        distance[At(from)] = 0;
        std::deque<int> queue{from};
        while (!queue.empty()) {
            const int node = queue.front();
            queue.pop_front();
            const int count = node < m_s.m ? m_s.n : m_s.m;
            for (int other = 0; other < count; ++other) {
                const int k = RouteTo(node, other);
                if (k == skip || !Edge(node, other)) continue;
                const int next = Neighbour(node, other);
                const int step = IsBasic(k) ? 0 : 1;
                if (distance[At(node)] + step >= distance[At(next)]) continue;
                distance[At(next)] = distance[At(node)] + step;
                via[At(next)] = k;
                if (step == 0) {
                    queue.push_front(next);
                } else {
                    queue.push_back(next);
                }
            }
        }
        std::vector<int> path;
        if (distance[At(to)] == unreached) return path;
        for (int node = to; node != from;) {
            const int k = via[At(node)];
            path.push_back(k);
            node = node < m_s.m ? m_s.m + k % m_s.n : k / m_s.n;
        }
        std::reverse(path.begin(), path.end());
        return path;
    }

private:
    const SolveState& m_s;
    const std::vector<bool>& m_zero;
};

// The cycle through route k, k first, when k can start one.
std::vector<int> CycleThrough(const SolveState& s, const ShiftGraph& graph, int k, bool& atLimit) {
    const int row = k / s.n;
    const int column = s.m + k % s.n;
    std::vector<int> cycle;
    if (Quantity(s.At(k)) == 0 && graph.Grows(k)) {
        atLimit = false;
        cycle = graph.Path(column, row, k);  // k grows: back from its column to its row
    } else if (Room(s, s.At(k)) == 0 && graph.Shrinks(k)) {
        atLimit = true;
        cycle = graph.Path(row, column, k);  // k shrinks: on from its row to its column
    }
    if (!cycle.empty()) cycle.insert(cycle.begin(), k);
    return cycle;
}

}  // namespace

OtherOptimum FindOtherOptimum(const SolveState& s) {
    OtherOptimum other;
    std::vector<Potential> u;
    std::vector<Potential> v;
    if (!FinalPotentials(s, u, v)) return other;
    other.Checked = true;
    std::vector<bool> zero(At(s.CellCount()), false);
    for (int k = 0; k < s.CellCount(); ++k) {
        const TaskCell& c = s.At(k);
        const Potential& ui = u[At(k / s.n)];
        const Potential& vj = v[At(k % s.n)];
        const bool open = !(s.RestrictedTask && IsClosedRoute(c));
        zero[At(k)] = open && c.Tariff - ui.Value - vj.Value == 0 && c.TariffM - ui.M - vj.M == 0;
        other.ZeroEstimates = other.ZeroEstimates || (zero[At(k)] && !IsBasicRoute(s, c));
    }
    const ShiftGraph graph(s, zero);
    const std::vector<int> component = graph.Components();
    const auto onCycle = [&](int k) {
        const TaskCell& c = s.At(k);
        const bool atBound = (Quantity(c) == 0 && graph.Grows(k)) || (Room(s, c) == 0 && graph.Shrinks(k));
        return atBound && component[At(k / s.n)] == component[At(s.m + k % s.n)];
    };
    for (const bool basic : {false, true}) {
        for (int k = 0; k < s.CellCount() && !other.Exists; ++k) {
            if (!zero[At(k)] || IsBasicRoute(s, s.At(k)) != basic || !onCycle(k)) continue;
            other.Cycle = CycleThrough(s, graph, k, other.EnteringAtLimit);
            other.Exists = !other.Cycle.empty();
            if (other.Exists) other.Entering = k;
        }
    }
    if (!other.Exists) return other;
    other.Theta = std::numeric_limits<std::int64_t>::max();
    for (std::size_t p = 0; p < other.Cycle.size(); ++p) {
        const TaskCell& c = s.At(other.Cycle[p]);
        const bool grows = (p % 2 == 0) != other.EnteringAtLimit;
        other.Theta = std::min(other.Theta, grows ? Room(s, c) : Quantity(c));
    }
    return other;
}

void ShiftToOtherOptimum(SolveState& s, const OtherOptimum& other) {
    for (std::size_t p = 0; p < other.Cycle.size(); ++p) {
        TaskCell& c = s.At(other.Cycle[p]);
        const bool grows = (p % 2 == 0) != other.EnteringAtLimit;
        const std::int64_t now = Quantity(c) + (grows ? other.Theta : -other.Theta);
        c.Cargo = now == 0 ? kFreeCargo : static_cast<std::int32_t>(now);
        c.CargoEps = 0;
    }
}

}  // namespace kargolo
