#include "core/cp1252.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST(Cp1252, RoundTripsEveryDefinedByte) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(Cp1252, MapsTheSpecialRange) {
    EXPECT_EQ(cp1252ToUtf8("\x80"), "\xE2\x82\xAC"); // euro sign
    EXPECT_EQ(cp1252ToUtf8("\xE9"), "\xC3\xA9");     // e acute
    EXPECT_EQ(utf8ToCp1252("\xE2\x80\x9C"
                           "x"
                           "\xE2\x80\x9D"),
              "\x93x\x94");
}

TEST(Cp1252, UnmappableAndBrokenInputBecomesQuestionMarks) {
    EXPECT_EQ(utf8ToCp1252("\xE4\xB8\xAD"), "?"); // a CJK character
    EXPECT_EQ(utf8ToCp1252("a\xC3"), "a?");       // cut sequence
    EXPECT_EQ(utf8ToCp1252("\xFF\xFE"), "??");
}
