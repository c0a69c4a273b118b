#pragma once

// Random balanced tasks for the benchmarks, reproducible from their seed.

#include <cstdint>

#include "solver/solve_state.h"

namespace kargolo::bench {

// An m x n task with tariffs 1..100 and rims 1..1000, closed by raising the last demand or
// supply; every cell (0, 0), SolveMode as given.
SolveState RandomTask(int m, int n, std::uint32_t seed, std::int32_t solveMode);

// The same task with limits: a third of the routes unlimited, the others limited to 50..1000,
// solved with its limits.
SolveState RandomLimitedTask(int m, int n, std::uint32_t seed, std::int32_t solveMode);

}  // namespace kargolo::bench
