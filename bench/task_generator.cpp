#include "bench/task_generator.h"

#include <random>

namespace kargolo::bench {

SolveState RandomTask(int m, int n, std::uint32_t seed, std::int32_t solveMode) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::int32_t> rim(1, 1000);
    std::uniform_int_distribution<std::int32_t> tariff(1, 100);
    SolveState s;
    ResizeTask(s, m, n);
    s.SolveMode = solveMode;
    std::int64_t balance = 0;
    for (RimEntry& supply : s.Supplies) balance += supply.Amount = rim(random);
    for (RimEntry& demand : s.Demands) balance -= demand.Amount = rim(random);
    if (balance > 0) s.Demands.back().Amount += static_cast<std::int32_t>(balance);
    if (balance < 0) s.Supplies.back().Amount -= static_cast<std::int32_t>(balance);
    for (TaskCell& cell : s.Cells) cell.Tariff = tariff(random);
    return s;
}

SolveState RandomLimitedTask(int m, int n, std::uint32_t seed, std::int32_t solveMode) {
    SolveState s = RandomTask(m, n, seed, solveMode);
    std::mt19937 random(seed + 1);
    std::uniform_int_distribution<std::int32_t> kind(0, 2);
    std::uniform_int_distribution<std::int32_t> limit(50, 1000);
    for (TaskCell& cell : s.Cells) cell.Limit = kind(random) == 0 ? kNoLimit : limit(random);
    s.RestrictedTask = true;
    return s;
}

}  // namespace kargolo::bench
