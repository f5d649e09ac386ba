#include "core/numbers.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST(WholeNumbers, SixteenBitRangeEdges) {
    EXPECT_TRUE(isINT("32767"));
    EXPECT_TRUE(isINT("-32768"));
    EXPECT_FALSE(isINT("32768"));
    EXPECT_FALSE(isINT("-32769"));
    EXPECT_TRUE(isINT("32767.4"));
    EXPECT_FALSE(isINT("32767.5")); // rounds to 32768
}

TEST(WholeNumbers, ThirtyTwoBitRangeEdges) {
    EXPECT_TRUE(isLong("2147483647"));
    EXPECT_TRUE(isLong("-2147483648"));
    EXPECT_FALSE(isLong("2147483648"));
    EXPECT_FALSE(isLong("-2147483649"));
    EXPECT_FALSE(isLong("99999999999999999999999"));
    EXPECT_TRUE(isLong("40000"));
    EXPECT_FALSE(isINT("40000"));
}

TEST(WholeNumbers, FractionsRoundHalfToEven) {
    EXPECT_EQ(toInt16("2.5"), 2);
    EXPECT_EQ(toInt16("3.5"), 4);
    EXPECT_EQ(toInt16("-2.5"), -2);
    EXPECT_EQ(toInt16("7.2"), 7);
    EXPECT_EQ(toInt16(".6"), 1);
    EXPECT_EQ(toInt16("5."), 5);
}

TEST(WholeNumbers, BlanksAroundAllowedInsideNot) {
    EXPECT_EQ(toInt16("  12 "), 12);
    EXPECT_EQ(toInt16("\t+7"), 7);
    EXPECT_FALSE(isINT("1 2"));
    EXPECT_FALSE(isINT("- 1"));
}

TEST(WholeNumbers, NonNumbersAreRejected) {
    for (const char* text : {"", " ", "abc", "12a", "0x10", "1e3", "+", "-", ".", "1.2.3", "∞"})
        EXPECT_FALSE(isLong(text)) << text;
}

TEST(SingleNumbers, DecimalFormsOnly) {
    EXPECT_FLOAT_EQ(*toSingle(" 1440 "), 1440.f);
    EXPECT_FLOAT_EQ(*toSingle("-0.25"), -0.25f);
    EXPECT_FLOAT_EQ(*toSingle("1e3"), 1000.f);
    EXPECT_FALSE(toSingle(""));
    EXPECT_FALSE(toSingle("nan"));
    EXPECT_FALSE(toSingle("inf"));
    EXPECT_FALSE(toSingle("0x1p3"));
    EXPECT_FALSE(toSingle("1e60"));
}
