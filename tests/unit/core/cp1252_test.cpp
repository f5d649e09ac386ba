#include "core/cp1252.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST(Cp1252, RoundTripsEveryDefinedByteAndMapsTheSpecialRange) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);

    // Bytes 0x80..0x9F: 27 printable signs, and five bytes that stay C1 controls.
    std::string high;
    for (int b = 0x80; b <= 0x9F; ++b)
        high += static_cast<char>(b);
    EXPECT_EQ(cp1252ToUtf8(high),
              "€\xC2\x81‚ƒ„…†‡ˆ‰Š‹Œ\xC2\x8DŽ\xC2\x8F\xC2\x90‘’“”•–—˜™š›œ\xC2\x9DžŸ");
    EXPECT_EQ(cp1252ToUtf8("\xE9"), "\xC3\xA9"); // e acute
    // Unmappable and broken input becomes question marks.
    EXPECT_EQ(utf8ToCp1252("\xE4\xB8\xAD"), "?"); // a CJK character
    EXPECT_EQ(utf8ToCp1252("a\xC3"), "a?");       // cut sequence
    EXPECT_EQ(utf8ToCp1252("\xFF\xFE"), "??");
}
