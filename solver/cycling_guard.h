#pragma once

// Dantzig's rule (the most negative estimate enters) can cycle on a degenerate plan: shifts of
// 0 units lead from basis to basis and back again while the plan stays as it is. The guard
// remembers the bases met since the plan last changed; when one comes back it switches the
// choice of the entering cell to the first cell with a negative estimate (Bland's rule), and if
// a basis repeats under that rule too, to a random cell with a negative estimate (a fixed seed,
// so runs stay reproducible). Any shift that moves cargo restores Dantzig's rule.

#include <cstdint>
#include <random>
#include <unordered_set>
#include <vector>

namespace kargolo {

enum class EnteringRule { MostNegative, FirstNegative, RandomNegative };

// A well-mixed 64-bit key per cell. A basis is known by the XOR of the keys of its cells, which
// a cell joining or leaving it changes by its own key alone.
std::uint64_t CellKey(int k);

class CyclingGuard {
public:
    // Records the basis at the start of a stage, by its cells (in any order) or by the XOR of
    // their keys; true when it was met before since the plan last changed, in which case the
    // rule has been made stricter.
    bool RepeatsBasis(const std::vector<int>& basicCells);
    bool RepeatsBasis(std::uint64_t fingerprint);
    // After a shift of theta units: a shift that moved cargo forgets the bases met so far.
    void AfterShift(std::int32_t theta);
    // After the user edited the plan.
    void Reset();

    EnteringRule Rule() const { return m_rule; }
    std::mt19937& Random() { return m_random; }

private:
    std::unordered_set<std::uint64_t> m_seen;
    EnteringRule m_rule = EnteringRule::MostNegative;
    std::mt19937 m_random{20261208};
};

}  // namespace kargolo
