#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>

#include "solver/row_minima.h"

namespace kargolo::testing {
namespace {

constexpr std::int32_t kBasic = 1 << 30;

// Prices and potentials of an m x n task, changed as stages change them, and the row minima
// found by brute force.
class PricedTask {
public:
    PricedTask(int m, int n, std::uint32_t seed) : m(m), n(n), m_random(seed), u(At(m)), v(At(n)) {
        prices.resize(At(m * n));
        for (int k = 0; k < m * n; ++k) prices[At(k)] = RandomPrice();
        for (std::int64_t& p : u) p = Pick(-50, 50);
        for (std::int64_t& p : v) p = Pick(-50, 50);
    }

    // A few cells change their prices (entering and leaving the basis), and one side of a
    // random split of the lines moves by d (u up, v down), or every line moves at random.
    void Stage() {
        for (int c = Pick(0, 3); c > 0; --c) {
            const int k = Pick(0, m * n - 1);
            changed.push_back({k, prices[At(k)]});
            prices[At(k)] = RandomPrice();
        }
        const std::int64_t d = Pick(-20, 20);
        const bool arbitrary = Pick(0, 9) == 0;
        const int rows = Pick(0, m), columns = Pick(0, n);
        for (int i = 0; i < m; ++i) u[At(i)] += arbitrary ? Pick(-3, 3) : i < rows ? d : 0;
        for (int j = 0; j < n; ++j) v[At(j)] -= arbitrary ? Pick(-3, 3) : j < columns ? d : 0;
    }

    std::int64_t BruteMinimum(int i) const {
        std::int64_t minimum = std::numeric_limits<std::int64_t>::max();
        for (int j = 0; j < n; ++j) minimum = std::min(minimum, prices[At(i * n + j)] - u[At(i)] - v[At(j)]);
        return minimum;
    }

    int m;
    int n;
    std::vector<std::int32_t> prices;
    std::vector<RowMinima::PriceChange> changed;

private:
    static std::size_t At(int index) { return static_cast<std::size_t>(index); }
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    std::int32_t RandomPrice() { return Pick(0, 4) == 0 ? kBasic : Pick(-5, 30); }

    std::mt19937 m_random;

public:
    std::vector<std::int64_t> u;
    std::vector<std::int64_t> v;
};

void ExpectMinimaAfterStages(int m, int n, std::uint32_t seed, int stages) {
    PricedTask task(m, n, seed);
    RowMinima minima;
    for (int stage = 0; stage < stages; ++stage) {
        ASSERT_TRUE(minima.Update(task.prices, m, n, task.u, task.v, task.changed));
        task.changed.clear();
        for (int i = 0; i < m; ++i) ASSERT_EQ(minima.Minimum(i), task.BruteMinimum(i)) << "stage " << stage << ", row " << i;
        task.Stage();
    }
}

// Kept from stage to stage, the minima must equal a pass over every cell: price changes, moves
// of either side of the lines, arbitrary moves, ties and rows of basic cells alike.
TEST(RowMinima, EqualAPassOverEveryCellAfterEveryStage) {
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        ExpectMinimaAfterStages(1 + static_cast<int>(seed % 9), 1 + static_cast<int>(seed / 9 % 11), seed, 60);
    }
}

// A task large enough for the second thread.
TEST(RowMinima, EqualAPassOverEveryCellWithTwoThreads) {
    ExpectMinimaAfterStages(700, 400, 7, 12);
}

TEST(RowMinima, RefusesPotentialsBeyond32BitsAndStartsAfreshAfterwards) {
    PricedTask task(3, 4, 1);
    RowMinima minima;
    ASSERT_TRUE(minima.Update(task.prices, 3, 4, task.u, task.v, task.changed));
    task.u[1] = RowMinima::kSmall;
    EXPECT_FALSE(minima.Update(task.prices, 3, 4, task.u, task.v, task.changed));
    task.u[1] = 7;
    ASSERT_TRUE(minima.Update(task.prices, 3, 4, task.u, task.v, task.changed));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(minima.Minimum(i), task.BruteMinimum(i));
}

}  // namespace
}  // namespace kargolo::testing
