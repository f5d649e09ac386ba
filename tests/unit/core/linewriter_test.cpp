#include "commalocale.h"
#include "core/linewriter.h"
#include "core/modsettings.h"
#include "core/numbers.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST(LineWriter, NumbersGetASignPositionTextsStayAsTheyAre) {
    LineWriter w;
    w.text("Alpha").number(18).number(-4).number(0).boolean(true).quoted("mp_nuked").single(1440.f);
    w.single(1234.75f).single(-0.5f).single(0.5f).boolean(false);
    EXPECT_EQ(w.contents(), "Alpha\r\n 18\r\n-4\r\n 0\r\nTrue\r\n\"mp_nuked\"\r\n 1440\r\n"
                            " 1234.75\r\n-0.5\r\n 0.5\r\nFalse\r\n");
}

// The window's toolkit switches the C library to the user's locale: numbers
// in files must still be written and read with a decimal point.
TEST(LineWriter, NumbersIgnoreACommaDecimalLocale) {
    const corvane::testing::CommaDecimalLocale comma;
    ASSERT_TRUE(comma.active()) << "no " << corvane::testing::kCommaLocale << " in "
                                << CORVANE_TEST_LOCPATH;
    EXPECT_EQ(signedSingleText(123.5f), " 123.5");
    EXPECT_EQ(toSingle("123.5"), 123.5f);
    EXPECT_EQ(toInt16("2.5"), 2);
    EXPECT_FALSE(toSingle("123,5"));

    ModSettings settings;
    settings.PlayerLogColumnWidths.fill(123.5f);
    settings.OnlineColumnWidths.fill(-0.25f);
    const std::string file = writeModFile(settings);
    EXPECT_EQ(file.find(','), std::string::npos);
    ModSettings back;
    readModFile(file, back);
    EXPECT_EQ(back.PlayerLogColumnWidths, settings.PlayerLogColumnWidths);
    EXPECT_EQ(back.OnlineColumnWidths, settings.OnlineColumnWidths);
}
