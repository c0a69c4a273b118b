#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "solver/basis.h"
#include "solver/basis_tree.h"
#include "tests/support/task_builders.h"

namespace kargolo::testing {
namespace {

std::size_t At(int index) { return static_cast<std::size_t>(index); }

// The cells of the kept tree as basis zeros of the plan, so that a BasisForest built afresh
// from the plan is the oracle.
BasisForest Oracle(SolveState& s, const BasisTree& tree) {
    for (int k = 0; k < s.CellCount(); ++k) SetPlanQuantity(s.At(k), {tree.Contains(k) ? 0 : kFreeCargo, 0});
    BasisForest oracle(s);
    oracle.Root();
    return oracle;
}

// u + v = c on every kept cell; the same trees, cycles and potentials (each tree's first node
// at 0) as the forest built afresh.
void ExpectTreeAgrees(SolveState& s, const BasisTree& tree) {
    const BasisForest oracle = Oracle(s, tree);
    for (const int k : tree.Cells()) {
        const MValue u = tree.Potential(k / s.n);
        const MValue v = tree.Potential(s.m + k % s.n);
        ASSERT_EQ(u.Number + v.Number, s.At(k).Tariff) << "cell " << k;
    }
    for (int k = 0; k < s.CellCount(); ++k) {
        if (tree.Contains(k)) continue;
        ASSERT_EQ(tree.SameTree(k), oracle.ClosesCycle(k)) << "cell " << k;
        if (!tree.SameTree(k)) continue;
        std::vector<int> kept;
        std::vector<int> afresh;
        tree.AppendCycle(k, kept);
        oracle.AppendCycle(k, afresh);
        ASSERT_EQ(kept, afresh) << "cell " << k;
    }
    std::vector<PotentialEntry> u;
    std::vector<PotentialEntry> v;
    tree.Normalized(u, v);
    SolveState expected = s;
    oracle.SetPotentials(expected);
    for (int i = 0; i < s.m; ++i) ASSERT_EQ(u[At(i)].Value, expected.PotentialsU[At(i)].Value) << "row " << i;
    for (int j = 0; j < s.n; ++j) ASSERT_EQ(v[At(j)].Value, expected.PotentialsV[At(j)].Value) << "column " << j;
}

// Random shifts (a free cell in for a cell of its cycle), cuts and joins of trees, each
// followed by every answer of the kept forest checked against the forest built afresh.
TEST(BasisTree, AgreesWithTheForestBuiltAfreshAfterEveryStep) {
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        const auto pick = [&random](int high) { return std::uniform_int_distribution<int>(0, high)(random); };
        SolveState s = MakeState(RandomBalancedTask(seed, 9), kSolveModeChecking);
        std::vector<int> order(At(s.CellCount()));
        for (std::size_t k = 0; k < order.size(); ++k) order[k] = static_cast<int>(k);
        std::shuffle(order.begin(), order.end(), random);
        BasisTree tree;  // a spanning tree: the cells, in random order, that join two trees
        ASSERT_TRUE(tree.Build(s, {}));
        BasisTree::Move move;
        for (const int k : order) {
            if (tree.SameTree(k)) continue;
            ASSERT_TRUE(tree.Join(s, k, move));
        }
        ASSERT_NO_FATAL_FAILURE(ExpectTreeAgrees(s, tree));
        for (int step = 0; step < 40; ++step) {
            const int k = pick(s.CellCount() - 1);
            if (tree.Contains(k)) {
                tree.Cut(k);
            } else if (!tree.SameTree(k)) {
                ASSERT_TRUE(tree.Join(s, k, move));
            } else {
                std::vector<int> cycle;
                tree.AppendCycle(k, cycle);
                const int leaving = cycle[At(pick(static_cast<int>(cycle.size()) - 1))];
                ASSERT_TRUE(tree.Pivot(s, k, leaving, move));
                const int elsewhere = pick(s.CellCount() - 1);  // a cell off the new cycle is refused
                std::vector<int> next;
                if (!tree.Contains(elsewhere) && tree.SameTree(elsewhere)) tree.AppendCycle(elsewhere, next);
                for (const int c : tree.Cells()) {
                    if (std::find(next.begin(), next.end(), c) != next.end() || next.empty()) continue;
                    EXPECT_FALSE(tree.Pivot(s, elsewhere, c, move));
                    break;
                }
            }
            ASSERT_NO_FATAL_FAILURE(ExpectTreeAgrees(s, tree));
        }
    }
}

}  // namespace
}  // namespace kargolo::testing
