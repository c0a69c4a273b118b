#include "solver/cycling_guard.h"

namespace kargolo {

std::uint64_t CellKey(int k) {
    std::uint64_t x = static_cast<std::uint64_t>(k) + 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

bool CyclingGuard::RepeatsBasis(const std::vector<int>& basicCells) {
    std::uint64_t hash = 0;
    for (const int k : basicCells) hash ^= CellKey(k);
    return RepeatsBasis(hash);
}

bool CyclingGuard::RepeatsBasis(std::uint64_t hash) {
    if (m_seen.insert(hash).second) return false;
    m_rule = m_rule == EnteringRule::MostNegative ? EnteringRule::FirstNegative
                                                  : EnteringRule::RandomNegative;
    m_seen.clear();
    m_seen.insert(hash);
    return true;
}

void CyclingGuard::AfterShift(std::int32_t theta) {
    if (theta != 0) Reset();
}

void CyclingGuard::Reset() {
    m_seen.clear();
    m_rule = EnteringRule::MostNegative;
}

}  // namespace kargolo
