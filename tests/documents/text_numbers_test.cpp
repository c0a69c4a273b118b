#include <gtest/gtest.h>

#include "documents/text_numbers.h"

namespace kargolo::testing {
namespace {

TEST(ParseNumber, FollowsTheAtolRuleAndSaturatesAtThe32BitRange) {
    const struct {
        const char* Text;
        std::int32_t Value;
        bool OutOfRange;
    } cases[] = {
        {"", 0, false},
        {"abc", 0, false},
        {"12ab", 12, false},
        {"  \t-7", -7, false},
        {"+15", 15, false},
        {"- 5", 0, false},
        {"12 ", 12, false},
        {"2147483647", 2147483647, false},
        {"-2147483648", -2147483647 - 1, false},
        {"2147483648", 2147483647, true},
        {"-2147483649", -2147483647 - 1, true},
        {"99999999999999999999999", 2147483647, true},
        {"0000000000000000000042", 42, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        const ParsedNumber parsed = ParseNumber(c.Text);
        EXPECT_EQ(parsed.Value, c.Value);
        EXPECT_EQ(parsed.OutOfRange, c.OutOfRange);
    }
}

TEST(IsNoLimitText, AcceptsOnlyTheLatinLetterMInEitherCase) {
    EXPECT_TRUE(IsNoLimitText("M"));
    EXPECT_TRUE(IsNoLimitText(" m "));
    EXPECT_TRUE(IsNoLimitText("m"));
    EXPECT_FALSE(IsNoLimitText(""));
    EXPECT_FALSE(IsNoLimitText("MM"));
    EXPECT_FALSE(IsNoLimitText("0"));
    EXPECT_FALSE(IsNoLimitText("М"));  // the Cyrillic letter
}

// Cells take only what can become a number; a limit cell also M in either alphabet; digits
// beyond 32 bits are told apart so that the refusal can say why.
TEST(CheckTypedNumber, TakesDigitsAndALeadingMinusAndInLimitsM) {
    EXPECT_EQ(CheckTypedNumber("", false), TypedText::Complete);
    EXPECT_EQ(CheckTypedNumber("-", false), TypedText::Partial);
    EXPECT_EQ(CheckTypedNumber("-12", false), TypedText::Complete);
    EXPECT_EQ(CheckTypedNumber("2147483647", false), TypedText::Complete);
    EXPECT_EQ(CheckTypedNumber("-2147483648", false), TypedText::Complete);
    EXPECT_EQ(CheckTypedNumber("2147483648", false), TypedText::TooLarge);
    EXPECT_EQ(CheckTypedNumber("99999999999", false), TypedText::TooLarge);
    for (const char* refused : {"abc", "12abc", "1-2", "--1", "+5", " 5", "1.5", "M", "М"}) {
        EXPECT_EQ(CheckTypedNumber(refused, false), TypedText::Refused) << refused;
    }
    for (const char* limit : {"M", "m", "М", "м"}) {
        EXPECT_EQ(CheckTypedNumber(limit, true), TypedText::Complete) << limit;
    }
    EXPECT_EQ(CheckTypedNumber("MM", true), TypedText::Refused);
    EXPECT_EQ(CheckTypedNumber("25", true), TypedText::Complete);
}

}  // namespace
}  // namespace kargolo::testing
