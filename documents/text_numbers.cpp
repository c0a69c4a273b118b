#include "documents/text_numbers.h"

#include <limits>

namespace kargolo {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

ParsedNumber ParseNumber(std::string_view text) {
    constexpr std::int64_t kLargest = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kSmallest = std::numeric_limits<std::int32_t>::min();
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    std::int64_t magnitude = 0;
    bool outOfRange = false;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        magnitude = magnitude * 10 + (text[pos] - '0');
        if (magnitude > kLargest + 1) {  // stays far below the 64-bit limit
            magnitude = kLargest + 1;
            outOfRange = true;
        }
    }
    std::int64_t value = negative ? -magnitude : magnitude;
    if (value > kLargest) {
        value = kLargest;
        outOfRange = true;
    }
    if (value < kSmallest) {
        value = kSmallest;
        outOfRange = true;
    }
    return {static_cast<std::int32_t>(value), outOfRange};
}

std::string NumberToText(std::int64_t value) { return std::to_string(value); }

TypedText CheckTypedNumber(std::string_view text, bool takesM) {
    static constexpr std::string_view kLetters[] = {"M", "m", "М", "м"};  // Latin, then Cyrillic
    if (takesM) {
        for (const std::string_view letter : kLetters) {
            if (text == letter) return TypedText::Complete;
        }
    }
    const std::string_view digits = !text.empty() && text.front() == '-' ? text.substr(1) : text;
    for (const char c : digits) {
        if (!IsDigit(c)) return TypedText::Refused;
    }
    if (digits.empty()) return text.empty() ? TypedText::Complete : TypedText::Partial;
    return ParseNumber(text).OutOfRange ? TypedText::TooLarge : TypedText::Complete;
}

bool IsMText(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return last - first == 1 && (text[first] == 'M' || text[first] == 'm');
}

}  // namespace kargolo
