#include "catalogue/Text1252.h"

#include <gtest/gtest.h>

namespace pelmora {
namespace {

TEST(Text1252, UpperCaseFoldsTheLettersOfTheCodePage) {
    EXPECT_EQ(UpperCase1252("abc xyz"), "ABC XYZ");
    EXPECT_EQ(UpperCase1252("\xE0\xE9\xFE"), "\xC0\xC9\xDE"); // a grave, e acute, thorn
    EXPECT_EQ(UpperCase1252("\x9A\x9C\x9E\xFF"),
              "\x8A\x8C\x8E\x9F");                            // s caron, oe, z caron, y diaeresis
    EXPECT_EQ(UpperCase1252("\xF7\xDF\xB0"), "\xF7\xDF\xB0"); // division, sharp s, degree
}

TEST(Text1252, CompareOrdersWithoutRegardToCase) {
    EXPECT_EQ(CompareTextNoCase("wr90", "WR90"), 0);
    EXPECT_LT(CompareTextNoCase("a", "B"), 0);
    EXPECT_GT(CompareTextNoCase("b", "A"), 0);
    EXPECT_LT(CompareTextNoCase("ab", "ABC"), 0);
    EXPECT_TRUE(SameTextNoCase("\xE9t\xE9", "\xC9T\xC9"));
    EXPECT_FALSE(SameTextNoCase("ab", "abc"));
}

TEST(Text1252, BytesMapToUnicodeAndBack) {
    EXPECT_EQ(CodePoint1252(0x80), U'\u20AC');
    EXPECT_EQ(CodePoint1252(0xB0), U'\u00B0');
    EXPECT_EQ(CodePoint1252(0x81), U'\u0081') << "undefined bytes keep their control code";
    for (int byte = 0; byte < 256; ++byte)
        EXPECT_EQ(
            static_cast<unsigned char>(Byte1252(CodePoint1252(static_cast<unsigned char>(byte)))),
            byte);
    EXPECT_EQ(Byte1252(U'\u4E2D'), '?');
}

TEST(Text1252, TrimRemovesCodesUpToBlankOnBothSidesOnly) {
    EXPECT_EQ(TrimControlAndBlank("\t\x01 a  b \r\n"), "a  b");
    EXPECT_EQ(TrimControlAndBlank("   "), "");
    EXPECT_EQ(TrimControlAndBlank("\xA0x\xA0"), "\xA0x\xA0");
}

} // namespace
} // namespace pelmora
