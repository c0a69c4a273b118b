#pragma once

// A task as a LEMON network (rows and columns as nodes, routes as arcs), solved by its network
// simplex: the yardstick of the benchmarks. Only built where LEMON was found.

#include <lemon/network_simplex.h>
#include <lemon/smart_graph.h>

#include "solver/solve_state.h"

namespace kargolo::bench {

class LemonTask {
public:
    // With withLimits the routes' limits become arc capacities.
    LemonTask(const SolveState& task, bool withLimits)
        : m_cost(m_graph), m_upper(m_graph), m_supply(m_graph) {
        std::vector<lemon::SmartDigraph::Node> rows;
        std::vector<lemon::SmartDigraph::Node> columns;
        for (const RimEntry& supply : task.Supplies) {
            rows.push_back(m_graph.addNode());
            m_supply[rows.back()] = supply.Amount;
        }
        for (const RimEntry& demand : task.Demands) {
            columns.push_back(m_graph.addNode());
            m_supply[columns.back()] = -demand.Amount;
        }
        for (int i = 0; i < task.m; ++i) {
            for (int j = 0; j < task.n; ++j) {
                const TaskCell& cell = task.Cell(i, j);
                const auto arc = m_graph.addArc(rows[static_cast<std::size_t>(i)],
                                                columns[static_cast<std::size_t>(j)]);
                m_cost[arc] = cell.Tariff;
                m_upper[arc] = withLimits && cell.Limit != kNoLimit ? cell.Limit : kUnlimited;
            }
        }
    }

    // The minimum cost, or -1 when the limits make the task infeasible.
    double Solve() const {
        lemon::NetworkSimplex<lemon::SmartDigraph, std::int64_t, std::int64_t> simplex(m_graph);
        simplex.costMap(m_cost).upperMap(m_upper).supplyMap(m_supply);
        if (simplex.run() != simplex.OPTIMAL) return -1;
        return static_cast<double>(simplex.totalCost());
    }

private:
    static constexpr std::int64_t kUnlimited = std::int64_t{1} << 40;

    lemon::SmartDigraph m_graph;
    lemon::SmartDigraph::ArcMap<std::int64_t> m_cost;
    lemon::SmartDigraph::ArcMap<std::int64_t> m_upper;
    lemon::SmartDigraph::NodeMap<std::int64_t> m_supply;
};

}  // namespace kargolo::bench
