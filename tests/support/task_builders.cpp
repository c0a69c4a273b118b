#include "tests/support/task_builders.h"

#include <random>

#include "solver/driver.h"

namespace kargolo::testing {

SolveState MakeState(const TaskSpec& task, std::int32_t solveMode) {
    SolveState s;
    const int m = static_cast<int>(task.Supplies.size());
    const int n = static_cast<int>(task.Demands.size());
    ResizeTask(s, m, n);
    s.SolveMode = solveMode;
    for (int i = 0; i < m; ++i) s.Supplies[static_cast<std::size_t>(i)].Amount = task.Supplies[static_cast<std::size_t>(i)];
    for (int j = 0; j < n; ++j) s.Demands[static_cast<std::size_t>(j)].Amount = task.Demands[static_cast<std::size_t>(j)];
    for (int k = 0; k < m * n; ++k) {
        s.At(k).Tariff = task.Tariffs.empty() ? 1 : task.Tariffs[static_cast<std::size_t>(k)];
        if (!task.Limits.empty()) s.At(k).Limit = task.Limits[static_cast<std::size_t>(k)];
    }
    s.RestrictedTask = !task.Limits.empty();
    return s;
}

// Splits total into count parts; with degenerate, the parts copy the cuts of other, so that
// partial sums of the two rims meet.
namespace {

TaskSpec RandomBalancedTask(std::mt19937& random, std::uint32_t seed, int m, int n) {
    auto uniform = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    TaskSpec task{"seed " + std::to_string(seed), {}, {}, {}};
    const int shape = uniform(0, 3);  // 0 plain, 1 with zeros, 2 degenerate, 3 all equal
    std::int32_t total = 0;
    for (int i = 0; i < m; ++i) {
        const std::int32_t amount = shape == 3 ? 10 : (shape == 1 && uniform(0, 3) == 0) ? 0 : uniform(1, 50);
        task.Supplies.push_back(amount);
        total += amount;
    }
    if (shape == 2 || shape == 3) {  // demands cut at the supplies' partial sums where possible
        std::int32_t left = total;
        for (int j = 0; j < n - 1; ++j) {
            const std::int32_t part = std::min(left, task.Supplies[static_cast<std::size_t>(j % m)]);
            task.Demands.push_back(part);
            left -= part;
        }
        task.Demands.push_back(left);
    } else {
        std::int32_t left = total;
        for (int j = 0; j < n - 1; ++j) {
            const std::int32_t part = (shape == 1 && uniform(0, 3) == 0) ? 0 : uniform(0, left);
            task.Demands.push_back(part);
            left -= part;
        }
        task.Demands.push_back(left);
    }
    const bool fewTariffs = uniform(0, 3) == 0;
    for (int k = 0; k < m * n; ++k) task.Tariffs.push_back(fewTariffs ? uniform(1, 3) : uniform(-5, 20));
    return task;
}

// Open by seed: closed, with surplus or with deficit.
TaskSpec Opened(TaskSpec task, std::uint32_t seed) {
    switch (seed % 3) {
        case 1: task.Supplies.back() += static_cast<std::int32_t>(seed % 17) + 1; break;
        case 2: task.Demands.front() += static_cast<std::int32_t>(seed % 13) + 1; break;
        default: break;
    }
    return task;
}

TaskSpec WithRandomLimits(TaskSpec task, std::uint32_t seed) {
    std::mt19937 random(seed * 7919u);
    for (std::size_t k = 0; k < task.Tariffs.size(); ++k) {
        const int kind = std::uniform_int_distribution<int>(0, 9)(random);
        task.Limits.push_back(kind == 0   ? 0
                              : kind < 4 ? kNoLimit
                                         : std::uniform_int_distribution<int>(0, 30)(random));
    }
    return task;
}

}  // namespace

TaskSpec RandomBalancedTask(std::uint32_t seed, int maxSize) {
    std::mt19937 random(seed);
    const int m = std::uniform_int_distribution<int>(2, maxSize)(random);
    const int n = std::uniform_int_distribution<int>(2, maxSize)(random);
    return RandomBalancedTask(random, seed, m, n);
}

TaskSpec RandomTask(std::uint32_t seed, int maxSize) { return Opened(RandomBalancedTask(seed, maxSize), seed); }

TaskSpec RandomTaskOfShape(std::uint32_t seed, int m, int n) {
    std::mt19937 random(seed);
    return Opened(RandomBalancedTask(random, seed, m, n), seed);
}

TaskSpec RandomLimitedTask(std::uint32_t seed, int maxSize) {
    return WithRandomLimits(RandomTask(seed, maxSize), seed);
}

TaskSpec RandomLimitedTaskOfShape(std::uint32_t seed, int m, int n) {
    return WithRandomLimits(RandomTaskOfShape(seed, m, n), seed);
}

std::vector<std::int32_t> Quantities(const SolveState& s) {
    std::vector<std::int32_t> quantities;
    for (const TaskCell& c : s.Cells) quantities.push_back(c.Cargo);
    return quantities;
}

bool Contains(const SolveState& s, std::string_view piece) {
    return s.Report.Text().find(piece) != std::string::npos;
}

SolveState BalancedState(const TaskSpec& task, std::int32_t solveMode) {
    SolveState s = MakeState(task, solveMode);
    SilentHooks hooks;
    BalanceTask(s, hooks);
    s.Report.Clear();
    return s;
}

}  // namespace kargolo::testing
