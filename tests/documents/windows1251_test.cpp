#include <gtest/gtest.h>

#include <random>

#include "documents/windows1251.h"

namespace kargolo::testing {
namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (const int value : values) bytes.push_back(static_cast<char>(value));
    return bytes;
}

TEST(EncodeWindows1251, MapsEveryRussianLetterToItsByte) {
    const std::string upper = "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ";
    const std::string lower = "абвгдежзийклмнопрстуфхцчшщъыьэюя";
    std::string expectedUpper;
    std::string expectedLower;
    for (int k = 0; k < 32; ++k) {
        expectedUpper.push_back(static_cast<char>(0xC0 + k));
        expectedLower.push_back(static_cast<char>(0xE0 + k));
    }
    EXPECT_EQ(EncodeWindows1251(upper), expectedUpper);
    EXPECT_EQ(EncodeWindows1251(lower), expectedLower);
    EXPECT_EQ(EncodeWindows1251("Ёё№"), Bytes({0xA8, 0xB8, 0xB9}));
}

TEST(EncodeWindows1251, KeepsAsciiAndTheOtherLettersOfTheCodePage) {
    EXPECT_EQ(EncodeWindows1251("<b>F=5</b>\n"), "<b>F=5</b>\n");
    EXPECT_EQ(EncodeWindows1251("€—«»ЎїҐ"), Bytes({0x88, 0x97, 0xAB, 0xBB, 0xA1, 0xBF, 0xA5}));
}

// Runs of ASCII are read several bytes at a time: a letter at any place in a long run, and at
// its ends, must still be found.
TEST(EncodeWindows1251, FindsALetterAnywhereInALongRunOfAscii) {
    for (std::size_t before = 0; before < 20; ++before) {
        for (std::size_t after = 0; after < 20; after += 3) {
            const std::string run(before, 'x');
            const std::string tail(after, 'y');
            EXPECT_EQ(EncodeWindows1251(run + "Я" + tail), run + Bytes({0xDF}) + tail) << before << ", " << after;
        }
    }
}

TEST(EncodeWindows1251, WritesMissingCharactersAsNumericEntities) {
    EXPECT_EQ(EncodeWindows1251("ε✓😀"), "&#949;&#10003;&#128512;");
    EXPECT_EQ(EncodeWindows1251("ä"), "&#228;");
}

TEST(EncodeWindows1251, ReplacesBrokenUtf8WithQuestionMarks) {
    EXPECT_EQ(EncodeWindows1251(Bytes({'a', 0xD0})), "a?");           // cut short
    EXPECT_EQ(EncodeWindows1251(Bytes({0xFF, 'b'})), "?b");           // not a lead byte
    EXPECT_EQ(EncodeWindows1251(Bytes({0xC0, 0x80})), "?");           // overlong NUL
    EXPECT_EQ(EncodeWindows1251(Bytes({0xED, 0xA0, 0x80})), "?");     // a surrogate
}

// Catches a character lost, doubled or turned into '?' where a piece of the text ends inside it.
TEST(Windows1251Encoder, GivesTheWholeTextsEncodingWhereverThePiecesEnd) {
    const std::string alphabet[] = {"a", "<", "Я", "ё", "№", "ε", "✓", "😀", "\xD0", "\xE2\x9C",
                                    "\xF0\x9F\x98", "\x80", "\xFF", "\xC0\x80", "\xED\xA0\x80"};
    std::mt19937 random(20261208);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int letters = std::uniform_int_distribution<int>(0, 30)(random);
        for (int k = 0; k < letters; ++k) {
            text += alphabet[std::uniform_int_distribution<std::size_t>(0, std::size(alphabet) - 1)(random)];
        }
        Windows1251Encoder encoder;
        std::string streamed;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t piece = std::uniform_int_distribution<std::size_t>(0, 4)(random);
            encoder.Encode(std::string_view(text).substr(at, piece), streamed);
            at += piece;
        }
        encoder.Finish(streamed);
        ASSERT_EQ(streamed, EncodeWindows1251(text)) << "round " << round;
    }
}

TEST(DecodeWindows1251, GivesBackEveryByteTheEncoderWrites) {
    std::string bytes;
    for (int byte = 1; byte < 256; ++byte) {
        if (byte != 0x98) bytes.push_back(static_cast<char>(byte));
    }
    const std::string utf8 = DecodeWindows1251(bytes);
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(EncodeWindows1251(utf8), bytes);
    EXPECT_EQ(DecodeWindows1251("\xCC\x98"), "\xD0\x9C\xEF\xBF\xBD");
    EXPECT_FALSE(IsValidUtf8("\xCC;7"));
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // a surrogate
}

}  // namespace
}  // namespace kargolo::testing
