// The yardstick of kargolo-solve's whole process: reads a table file, solves it with LEMON's
// network simplex (the limits as arc capacities with --limits) and writes F and every non-zero
// flow to OUT. A task with surplus ships at most each supply and meets every demand; otherwise
// each supply is shipped in full and a demand may be left short. Compare `lemon_solve TASK.tab OUT` with `kargolo-solve TASK.tab --mode checking
// -o OUT` under /usr/bin/time.

#include <lemon/network_simplex.h>
#include <lemon/smart_graph.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

namespace {

using Graph = lemon::SmartDigraph;

// The little-endian 32-bit numbers of a table file: m, n, supplies, demands, tariffs, and
// optionally capacity values and flags.
class TableNumbers {
public:
    explicit TableNumbers(const char* path) {
        std::ifstream in(path, std::ios::binary);
        m_bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::size_t Count() const { return m_bytes.size() / 4; }
    std::int32_t operator[](std::size_t p) const {
        std::int32_t value = 0;
        std::memcpy(&value, &m_bytes[4 * p], 4);
        return value;
    }

private:
    std::vector<char> m_bytes;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: lemon_solve TASK.tab OUT [--limits]\n");
        return 1;
    }
    const TableNumbers numbers(argv[1]);
    if (numbers.Count() < 2) return 2;
    const std::size_t m = static_cast<std::size_t>(numbers[0]);
    const std::size_t n = static_cast<std::size_t>(numbers[1]);
    const std::size_t tariffs = 2 + m + n;
    const std::size_t capacities = tariffs + m * n;
    const std::size_t flags = capacities + m * n;
    if (numbers.Count() < capacities) return 2;
    const bool limits = argc > 3 && std::string_view(argv[3]) == "--limits" && numbers.Count() >= flags + m * n;

    Graph graph;
    Graph::ArcMap<std::int64_t> cost(graph);
    Graph::ArcMap<std::int64_t> upper(graph);
    Graph::NodeMap<std::int64_t> supply(graph);
    std::vector<Graph::Node> rows;
    std::vector<Graph::Node> columns;
    std::int64_t balance = 0;
    for (std::size_t i = 0; i < m; ++i) {
        rows.push_back(graph.addNode());
        supply[rows.back()] = numbers[2 + i];
        balance += numbers[2 + i];
    }
    for (std::size_t j = 0; j < n; ++j) {
        columns.push_back(graph.addNode());
        supply[columns.back()] = -numbers[2 + m + j];
        balance -= numbers[2 + m + j];
    }
    std::vector<Graph::Arc> arcs;
    for (std::size_t k = 0; k < m * n; ++k) {
        arcs.push_back(graph.addArc(rows[k / n], columns[k % n]));
        cost[arcs.back()] = numbers[tariffs + k];
        const bool limited = limits && numbers[flags + k] != 0;
        upper[arcs.back()] = limited ? numbers[capacities + k] : std::int64_t{1} << 40;
    }
    lemon::NetworkSimplex<Graph, std::int64_t, std::int64_t> simplex(graph);
    simplex.costMap(cost).upperMap(upper).supplyMap(supply);
    if (balance > 0) simplex.supplyType(simplex.LEQ);
    const bool optimal = simplex.run() == simplex.OPTIMAL;

    std::FILE* out = std::fopen(argv[2], "w");
    if (out == nullptr) return 2;
    std::fprintf(out, "F=%lld\n", optimal ? static_cast<long long>(simplex.totalCost()) : -1LL);
    for (std::size_t k = 0; k < arcs.size(); ++k) {
        const std::int64_t flow = simplex.flow(arcs[k]);
        if (flow != 0) std::fprintf(out, "%zu %lld\n", k, static_cast<long long>(flow));
    }
    return std::fclose(out) == 0 ? 0 : 2;
}
