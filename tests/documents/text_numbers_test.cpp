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

}  // namespace
}  // namespace kargolo::testing
