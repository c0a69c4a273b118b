#include "tests/support/plan_checks.h"

#include <gtest/gtest.h>

#include "solver/report_writer.h"

namespace kargolo {
void PrintTo(const EpsValue& value, std::ostream* out) { *out << FormatEpsValue(value); }
}  // namespace kargolo

namespace kargolo::testing {

void ExpectPlanMeetsRims(const SolveState& s) {
    std::vector<std::int64_t> shipped(static_cast<std::size_t>(s.m));
    std::vector<std::int64_t> received(static_cast<std::size_t>(s.n));
    int occupied = 0;
    for (int i = 0; i < s.m; ++i) {
        for (int j = 0; j < s.n; ++j) {
            const TaskCell& c = s.Cell(i, j);
            const bool free = c.Cargo == kFreeCargo && c.CargoEps == 0;
            EXPECT_TRUE(free || c.Cargo >= 0) << "cell (" << i + 1 << "," << j + 1 << ")";
            if (free) continue;
            ++occupied;
            shipped[static_cast<std::size_t>(i)] += c.Cargo;
            received[static_cast<std::size_t>(j)] += c.Cargo;
        }
    }
    for (int i = 0; i < s.m; ++i) {
        EXPECT_EQ(shipped[static_cast<std::size_t>(i)], s.Supplies[static_cast<std::size_t>(i)].Amount)
            << "supplier A" << i + 1;
    }
    for (int j = 0; j < s.n; ++j) {
        EXPECT_EQ(received[static_cast<std::size_t>(j)], s.Demands[static_cast<std::size_t>(j)].Amount)
            << "consumer B" << j + 1;
    }
    if (!s.RestrictedTask) {  // with limits, cells at their limit are occupied but not basic
        EXPECT_LE(occupied, s.m + s.n - 1);
    }
}

void ExpectPlanWithinLimits(const SolveState& s) {
    for (int k = 0; k < s.CellCount(); ++k) {
        const TaskCell& c = s.At(k);
        if (c.Limit == kNoLimit || !CarriesCargo(c)) continue;
        EXPECT_LE(c.Cargo, c.Limit) << "cell (" << k / s.n + 1 << "," << k % s.n + 1 << ")";
    }
}

namespace {

constexpr std::int64_t kUnbounded = std::int64_t{1} << 50;

std::int64_t Capacity(const TaskCell& c) { return c.Limit == kNoLimit ? kUnbounded : c.Limit; }

}  // namespace

bool LimitsLetAllCargoThrough(const SolveState& s) {
    // Nodes: source, rows, columns, sink. Augmenting paths by depth-first search.
    const int source = 0;
    const int sink = s.m + s.n + 1;
    const auto nodes = static_cast<std::size_t>(sink + 1);
    std::vector<std::vector<std::int64_t>> capacity(nodes, std::vector<std::int64_t>(nodes, 0));
    std::int64_t wanted = 0;
    for (int i = 0; i < s.m; ++i) capacity[0][static_cast<std::size_t>(1 + i)] = s.Supplies[static_cast<std::size_t>(i)].Amount;
    for (int j = 0; j < s.n; ++j) {
        capacity[static_cast<std::size_t>(1 + s.m + j)][static_cast<std::size_t>(sink)] = s.Demands[static_cast<std::size_t>(j)].Amount;
        wanted += s.Demands[static_cast<std::size_t>(j)].Amount;
    }
    for (int i = 0; i < s.m; ++i) {
        for (int j = 0; j < s.n; ++j) {
            capacity[static_cast<std::size_t>(1 + i)][static_cast<std::size_t>(1 + s.m + j)] = Capacity(s.Cell(i, j));
        }
    }
    std::int64_t flow = 0;
    for (;;) {
        std::vector<int> parent(nodes, -1);
        std::vector<int> stack{source};
        parent[static_cast<std::size_t>(source)] = source;
        while (!stack.empty() && parent[static_cast<std::size_t>(sink)] < 0) {
            const int node = stack.back();
            stack.pop_back();
            for (int next = 0; next <= sink; ++next) {
                if (parent[static_cast<std::size_t>(next)] >= 0 ||
                    capacity[static_cast<std::size_t>(node)][static_cast<std::size_t>(next)] <= 0) {
                    continue;
                }
                parent[static_cast<std::size_t>(next)] = node;
                stack.push_back(next);
            }
        }
        if (parent[static_cast<std::size_t>(sink)] < 0) break;
        std::int64_t push = kUnbounded;
        for (int v = sink; v != source; v = parent[static_cast<std::size_t>(v)]) {
            push = std::min(push, capacity[static_cast<std::size_t>(parent[static_cast<std::size_t>(v)])][static_cast<std::size_t>(v)]);
        }
        for (int v = sink; v != source; v = parent[static_cast<std::size_t>(v)]) {
            const auto u = static_cast<std::size_t>(parent[static_cast<std::size_t>(v)]);
            capacity[u][static_cast<std::size_t>(v)] -= push;
            capacity[static_cast<std::size_t>(v)][u] += push;
        }
        flow += push;
    }
    return flow == wanted;
}

void ExpectNoCheaperPlanWithinLimits(const SolveState& s) {
    // Bellman-Ford from a virtual source joined to every node: a relaxation in round m + n
    // proves a negative cycle.
    struct Arc {
        int From, To;
        std::int64_t Cost;
    };
    std::vector<Arc> arcs;
    for (int i = 0; i < s.m; ++i) {
        for (int j = 0; j < s.n; ++j) {
            const TaskCell& c = s.Cell(i, j);
            const std::int64_t carried = CarriesCargo(c) ? c.Cargo : 0;
            if (carried < Capacity(c)) arcs.push_back({i, s.m + j, c.Tariff});
            if (carried > 0) arcs.push_back({s.m + j, i, -std::int64_t{c.Tariff}});
        }
    }
    std::vector<std::int64_t> distance(static_cast<std::size_t>(s.m + s.n), 0);
    bool relaxed = true;
    for (int round = 0; round < s.m + s.n && relaxed; ++round) {
        relaxed = false;
        for (const Arc& arc : arcs) {
            const std::int64_t through = distance[static_cast<std::size_t>(arc.From)] + arc.Cost;
            if (through < distance[static_cast<std::size_t>(arc.To)]) {
                distance[static_cast<std::size_t>(arc.To)] = through;
                relaxed = true;
            }
        }
    }
    EXPECT_FALSE(relaxed) << "a cycle of routes would lower the cost";
}

void ExpectOptimalityCertificate(const SolveState& s) {
    std::vector<std::int64_t> u(static_cast<std::size_t>(s.m));
    std::vector<std::int64_t> v(static_cast<std::size_t>(s.n));
    std::vector<bool> rowKnown(static_cast<std::size_t>(s.m));
    std::vector<bool> columnKnown(static_cast<std::size_t>(s.n));
    rowKnown[0] = true;
    int basic = 0;
    for (const TaskCell& c : s.Cells) basic += InBasis(c);
    ASSERT_EQ(basic, s.m + s.n - 1);
    for (bool progress = true; progress;) {  // sweeps until nothing new is found
        progress = false;
        for (int i = 0; i < s.m; ++i) {
            for (int j = 0; j < s.n; ++j) {
                const auto ui = static_cast<std::size_t>(i);
                const auto vj = static_cast<std::size_t>(j);
                if (!InBasis(s.Cell(i, j)) || rowKnown[ui] == columnKnown[vj]) continue;
                if (rowKnown[ui]) v[vj] = s.Cell(i, j).Tariff - u[ui];
                if (columnKnown[vj]) u[ui] = s.Cell(i, j).Tariff - v[vj];
                rowKnown[ui] = columnKnown[vj] = progress = true;
            }
        }
    }
    std::int64_t cost = 0;
    std::int64_t dual = 0;
    for (int i = 0; i < s.m; ++i) {
        ASSERT_TRUE(rowKnown[static_cast<std::size_t>(i)]) << "the basis does not reach A" << i + 1;
        dual += u[static_cast<std::size_t>(i)] * s.Supplies[static_cast<std::size_t>(i)].Amount;
        for (int j = 0; j < s.n; ++j) {
            const TaskCell& c = s.Cell(i, j);
            if (CarriesCargo(c)) cost += std::int64_t{c.Tariff} * c.Cargo;
            if (InBasis(c)) continue;
            EXPECT_GE(c.Tariff - u[static_cast<std::size_t>(i)] - v[static_cast<std::size_t>(j)], 0)
                << "cell (" << i + 1 << "," << j + 1 << ") could still lower the cost";
        }
    }
    for (int j = 0; j < s.n; ++j) {
        ASSERT_TRUE(columnKnown[static_cast<std::size_t>(j)]) << "the basis does not reach B" << j + 1;
        dual += v[static_cast<std::size_t>(j)] * s.Demands[static_cast<std::size_t>(j)].Amount;
    }
    EXPECT_EQ(dual, cost);
}

}  // namespace kargolo::testing
