#pragma once

// A quantity a + b·e, where e (epsilon) is infinitely small and positive. Plan quantities,
// supplies and demands are EpsValues; they compare lexicographically, the numeric part first.

#include <compare>
#include <cstdint>

namespace kargolo {

struct EpsValue {
    std::int32_t Num = 0;  // a, units of cargo
    std::int32_t Eps = 0;  // b, the coefficient of epsilon

    friend auto operator<=>(const EpsValue&, const EpsValue&) = default;
};

// q when q is strictly smaller than p, otherwise p: a tie keeps the first argument.
constexpr EpsValue EpsMin(EpsValue p, EpsValue q) { return q < p ? q : p; }
constexpr EpsValue EpsMin(EpsValue p, std::int32_t q) { return EpsMin(p, EpsValue{q, 0}); }

}  // namespace kargolo
