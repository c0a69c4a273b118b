#pragma once

// One route between supplier i and consumer j, and the states it can be in.
//
// A cell's plan quantity (Cargo, CargoEps) is (-1, 0) for a free cell, (0, 0) for a basis zero
// and positive for an occupied cell; while a plan rule runs, an unfilled cell holds (0, 0).
// With capacity limits the basis is the flag Basic, and a cell outside it lies at one of its
// bounds: at zero or at its limit. A limit of 0 closes the route.

#include <cstdint>
#include <limits>

#include "solver/eps_value.h"

namespace kargolo {

// Limit of a route without a capacity limit. A limit of 0 is a closed route.
constexpr std::int32_t kNoLimit = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kFreeCargo = -1;

// One route between supplier i and consumer j.
struct TaskCell {
    std::int32_t Cargo = 0;     // plan quantity X_i,j, numeric part
    std::int32_t CargoEps = 0;  // plan quantity X_i,j, epsilon coefficient
    std::int32_t Tariff = 0;    // c_i,j, numeric part
    std::int64_t Estimate = 0;  // S_i,j of a free cell, numeric part (64 bits: a sum of tariffs)
    std::int32_t Limit = 0;     // D_i,j; kNoLimit = unlimited, 0 = closed route
    char Sign = ' ';            // mark in the current cycle: ' ', '+' or '-'
    std::uint8_t Basic = 0;     // with capacity limits: 1 = the cell belongs to the basis
    std::int32_t TariffM = 0;   // tariff = TariffM * M + Tariff
    std::int32_t EstimateM = 0;  // estimate = EstimateM * M + Estimate
};

inline EpsValue PlanQuantity(const TaskCell& c) { return {c.Cargo, c.CargoEps}; }
inline void SetPlanQuantity(TaskCell& c, EpsValue v) {
    c.Cargo = v.Num;
    c.CargoEps = v.Eps;
}

// In the basis: X > 0, or X = 0 with a non-negative epsilon part (basis zeros count).
inline bool InBasis(const TaskCell& c) { return c.Cargo > 0 || (c.Cargo == 0 && c.CargoEps >= 0); }
// Exactly (0, 0): a basis zero, or a cell a shift has just emptied.
inline bool IsZeroQuantity(const TaskCell& c) { return c.Cargo == 0 && c.CargoEps == 0; }
// Carries cargo: X > 0, or X = 0 with a positive epsilon part (basis zeros do not count).
inline bool CarriesCargo(const TaskCell& c) {
    return c.Cargo > 0 || (c.Cargo == 0 && c.CargoEps > 0);
}
// The mark a plan rule or a shift leaves in a cell outside the basis: exactly (-1, 0).
inline bool IsFreeMarker(const TaskCell& c) { return c.Cargo == kFreeCargo && c.CargoEps == 0; }

// With capacity limits:
inline bool IsClosedRoute(const TaskCell& c) { return c.Limit == 0; }
inline bool HasLimit(const TaskCell& c) { return c.Limit != kNoLimit; }
// Exactly at zero: a basis zero (0, 0) or a free cell (-1, 0).
inline bool AtZero(const TaskCell& c) {
    return c.CargoEps == 0 && (c.Cargo == 0 || c.Cargo == kFreeCargo);
}
// At or below zero: free, (0, 0), or zero less some epsilons.
inline bool AtLowerBound(const TaskCell& c) {
    return c.Cargo < 0 || (c.Cargo == 0 && c.CargoEps <= 0);
}
// Exactly at its limit.
inline bool AtLimit(const TaskCell& c) {
    return HasLimit(c) && c.Cargo == c.Limit && c.CargoEps == 0;
}
// Below its limit (an unlimited route always is): X < D, or X = D less some epsilons.
inline bool BelowLimit(const TaskCell& c) {
    return !HasLimit(c) || static_cast<std::uint32_t>(c.Cargo) < static_cast<std::uint32_t>(c.Limit) ||
           (c.Cargo == c.Limit && c.CargoEps < 0);
}
// Strictly between its bounds: X > 0 (epsilons count) and below its limit.
inline bool IsInterior(const TaskCell& c) { return PlanQuantity(c) > EpsValue{0, 0} && BelowLimit(c); }

}  // namespace kargolo
