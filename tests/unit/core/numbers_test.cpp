#include "core/numbers.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST(WholeNumbers, RangeEdgesOfSixteenAndThirtyTwoBits) {
    const struct {
        const char* text;
        bool fitsInt16;
        bool fitsInt32;
    } cases[] = {
        {"32767", true, true},
        {"-32768", true, true},
        {"32768", false, true},
        {"-32769", false, true},
        {"32767.4", true, true},
        {"32767.5", false, true}, // rounds to 32768
        {"2147483647", false, true},
        {"-2147483648", false, true},
        {"2147483648", false, false},
        {"-2147483649", false, false},
        {"99999999999999999999999", false, false},
        {"1 2", false, false}, // blanks inside
        {"- 1", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isINT(c.text), c.fitsInt16) << c.text;
        EXPECT_EQ(isLong(c.text), c.fitsInt32) << c.text;
    }
    for (const char* text : {"", " ", "abc", "12a", "0x10", "1e3", "+", "-", ".", "1.2.3", "∞"})
        EXPECT_FALSE(isLong(text)) << text;
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
    for (const char* text : {"", "nan", "inf", "0x1p3", "1e60"})
        EXPECT_FALSE(toSingle(text)) << text;
}
