#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>

#include "solver/row_minima.h"

namespace kargolo::testing {
namespace {

std::size_t At(int index) { return static_cast<std::size_t>(index); }

// Prices, tie ranks and potentials of an m x n task, changed as stages change them, with the
// answers found by brute force over every cell.
class PricedTask {
public:
    PricedTask(int m, int n, std::uint32_t seed)
        : m(m), n(n), tieSign(seed % 2 == 0 ? 1 : -1), transposed(seed % 3 == 0), m_random(seed), u(At(m)), v(At(n)) {
        prices.resize(At(m * n));
        for (int k = 0; k < m * n; ++k) prices[At(k)] = RandomPrice();
        for (std::int32_t& p : u) p = Pick(-50, 50);
        for (std::int32_t& p : v) p = Pick(-50, 50);
    }

    // A few cells change their prices, then a part of the lines moves by d (its rows up, its
    // columns down), told as a block or as new potentials, or every line moves at random.
    void Stage(RowMinima& minima) {
        for (int c = Pick(0, 3); c > 0; --c) {
            const int k = Pick(0, m * n - 1);
            prices[At(k)] = RandomPrice();
            minima.PriceChanged(k);
        }
        const std::int32_t d = Pick(-20, 20);
        const int kind = Pick(0, 9);  // 0: arbitrary, 1..5: a block, else new potentials
        std::vector<int> blockRows;
        std::vector<int> blockColumns;
        RowMinima::Changes rows;
        RowMinima::Changes columns;
        for (int i = 0; i < m; ++i) {
            if (kind != 0 && Pick(0, 2) != 0) continue;
            u[At(i)] += kind == 0 ? Pick(-3, 3) : d;
            rows.push_back({i, u[At(i)]});
            blockRows.push_back(i);
        }
        for (int j = 0; j < n; ++j) {
            if (kind != 0 && Pick(0, 2) != 0) continue;
            v[At(j)] -= kind == 0 ? Pick(-3, 3) : d;
            columns.push_back({j, v[At(j)]});
            blockColumns.push_back(j);
        }
        if (kind >= 1 && kind <= 5) {
            minima.MoveBlock(blockRows, blockColumns, d);
        } else {
            minima.MovePotentials(rows, columns);
        }
    }

    std::int64_t Estimate(int k) const {
        return std::int64_t{prices[At(k)]} - u[At(k / n)] - v[At(k % n)];
    }
    std::int64_t BruteSmallest() const {
        std::int64_t smallest = RowMinima::kNone;
        for (int k = 0; k < m * n; ++k) {
            if (prices[At(k)] != RowMinima::kNoCandidate) smallest = std::min(smallest, Estimate(k));
        }
        return smallest;
    }
    // Where cell k stands in the task: the lines here are its columns when transposed.
    int InTask(int k) const { return transposed ? k % n * m + k / n : k; }
    int BruteBest(std::int64_t low, std::int64_t high) const {
        int best = -1;
        for (int k = 0; k < m * n; ++k) {
            if (Estimate(k) < low || Estimate(k) > high) continue;
            const std::int32_t rank = tieSign * prices[At(k)];
            if (best < 0 || rank < tieSign * prices[At(best)] ||
                (rank == tieSign * prices[At(best)] && InTask(k) < InTask(best))) {
                best = k;
            }
        }
        return best < 0 ? best : InTask(best);
    }
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    int m;
    int n;
    std::vector<std::int32_t> prices;
    int tieSign;
    bool transposed;

private:
    std::int32_t RandomPrice() { return Pick(0, 4) == 0 ? RowMinima::kNoCandidate : Pick(-5, 30); }

    std::mt19937 m_random;

public:
    std::vector<std::int32_t> u;
    std::vector<std::int32_t> v;
};

void ExpectAnswersAfterStages(int m, int n, std::uint32_t seed, int stages) {
    PricedTask task(m, n, seed);
    RowMinima minima;
    minima.Reset(task.prices, task.tieSign, m, n, task.u, task.v, task.transposed);
    for (int stage = 0; stage < stages; ++stage) {
        SCOPED_TRACE(stage);
        if (task.Pick(0, 2) == 0) {  // not asked at every stage: the bounds go on falling
            const std::int64_t smallest = minima.Smallest();
            ASSERT_EQ(smallest, task.BruteSmallest());
            ASSERT_EQ(minima.BestIn(smallest, smallest), task.BruteBest(smallest, smallest));
            const std::int64_t high = smallest + task.Pick(0, 10);
            ASSERT_EQ(minima.BestIn(smallest, high), task.BruteBest(smallest, high));
        }
        task.Stage(minima);
    }
}

// Kept from stage to stage, the smallest estimate and the best cells must equal a pass over
// every cell: price changes, moves of parts of the lines, arbitrary moves, ties (smaller prices
// first, or larger ones; by the place in the task, also when the lines are its columns) and rows
// without candidates alike.
TEST(RowMinima, EqualAPassOverEveryCellAfterEveryStage) {
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        ExpectAnswersAfterStages(1 + static_cast<int>(seed % 9), 1 + static_cast<int>(seed / 9 % 11), seed, 60);
    }
}

// A task large enough for the second thread.
TEST(RowMinima, EqualAPassOverEveryCellWithTwoThreads) {
    ExpectAnswersAfterStages(700, 400, 7, 8);
}

}  // namespace
}  // namespace kargolo::testing
