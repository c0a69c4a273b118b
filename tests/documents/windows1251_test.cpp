#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kargolo::testing
