#pragma once

// A value M * m + number, where M is larger than any number: tariffs of the extended task,
// potentials and estimates with capacity limits. The M coefficient decides comparisons first.
// Potentials and estimates are written in two ways: a potential puts its M part first
// (" 1M-3"), an estimate last ("-3+1M").

#include <compare>
#include <cstdint>
#include <string>

namespace kargolo {

struct MValue {
    std::int32_t M = 0;
    std::int64_t Number = 0;

    friend auto operator<=>(const MValue&, const MValue&) = default;  // M, then the number
};

inline bool IsNegative(MValue v) { return v < MValue{}; }
inline bool IsPositive(MValue v) { return v > MValue{}; }

// "-3", " 1M-3", "-1M", "-2M+7": a potential.
std::string FormatPotential(MValue v);
// "-3", "-3+1M", "0-1M": an estimate.
std::string FormatEstimate(MValue v);

}  // namespace kargolo
