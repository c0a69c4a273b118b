#pragma once

// Numbers in grid texts follow the rule of the C library's atol: leading white space is
// skipped, an optional sign and the decimal digits up to the first other character are taken,
// and a text without digits is 0 ("", "abc" -> 0; "12ab" -> 12). A value outside the 32-bit
// range saturates at its end, as the platform's atol does, instead of wrapping.

#include <cstdint>
#include <string>
#include <string_view>

namespace kargolo {

struct ParsedNumber {
    std::int32_t Value = 0;
    bool OutOfRange = false;  // the digits stood for a number outside the 32-bit range
};

ParsedNumber ParseNumber(std::string_view text);
inline std::int32_t TextToNumber(std::string_view text) { return ParseNumber(text).Value; }

// Decimal text with a leading "-" for negative values and no other signs or separators.
std::string NumberToText(std::int64_t value);

// The letter M alone once blanks are trimmed, Latin in either case: in a limit "no limit", in a
// tariff a forbidden route.
bool IsMText(std::string_view text);
inline bool IsNoLimitText(std::string_view text) { return IsMText(text); }

// Text being typed into a cell (UTF-8), as far as it can still become what the cell holds.
enum class TypedText {
    Complete,  // a number (or, in a limit cell, "M"), or nothing yet
    Partial,   // a lone minus
    Refused,   // a character no number has
    TooLarge,  // digits beyond the 32-bit range
};

// A tariff, supply or demand: an optional leading minus and decimal digits. A cell that may hold
// M (a limit, or the tariff of a route) also takes "M" alone, Latin or Cyrillic, in either case.
TypedText CheckTypedNumber(std::string_view text, bool takesM);

}  // namespace kargolo
