#include "core/numbers.h"

#include <gtest/gtest.h>
#include <limits>

using namespace corvane;

TEST(WholeNumbers, RangeEdgesOfSixteenAndThirtyTwoBits) {
    // 32767.5 rounds to 32768; blanks inside a number spoil it.
    for (const char* text : {"32767", "-32768", "32767.4"})
        EXPECT_TRUE(isINT(text) && isLong(text)) << text;
    for (const char* text : {"32768", "-32769", "32767.5", "2147483647", "-2147483648"})
        EXPECT_TRUE(!isINT(text) && isLong(text)) << text;
    for (const char* text : {"2147483648", "-2147483649", "99999999999999999999999", "1 2", "- 1",
                             "", " ", "abc", "12a", "0x10", "1e3", "+", "-", ".", "1.2.3", "∞"})
        EXPECT_TRUE(!isINT(text) && !isLong(text)) << text;
}

TEST(WholeNumbers, FractionsRoundHalfToEvenAndOuterBlanksAreAllowed) {
    const std::pair<const char*, int> cases[] = {
        {"2.5", 2}, {"3.5", 4}, {"-2.5", -2},  {"7.2", 7},
        {".6", 1},  {"5.", 5},  {"  12 ", 12}, {"\t+7", 7},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(toInt16(text), value) << text;
}

TEST(SingleNumbers, DecimalFormsOnly) {
    EXPECT_FLOAT_EQ(*toSingle(" 1440 "), 1440.f);
    EXPECT_FLOAT_EQ(*toSingle("-0.25"), -0.25f);
    EXPECT_FLOAT_EQ(*toSingle("1e3"), 1000.f);
    EXPECT_EQ(toSingle("340282346638528859811704183484516925440"), // the largest float
              std::numeric_limits<float>::max());
    for (const char* text : {"", "nan", "inf", "0x1p3", "1e60"})
        EXPECT_FALSE(toSingle(text)) << text;
}
