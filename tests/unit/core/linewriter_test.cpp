#include "core/fieldreader.h"
#include "core/linewriter.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST(LineWriter, NumbersGetASignPositionTextsStayAsTheyAre) {
    LineWriter w;
    w.text("Alpha").number(18).number(-4).number(0).boolean(true).quoted("mp_nuked").single(1440.f);
    EXPECT_EQ(w.contents(), "Alpha\r\n 18\r\n-4\r\n 0\r\nTrue\r\n\"mp_nuked\"\r\n 1440\r\n");
}

TEST(LineWriter, WhatIsWrittenReadsBack) {
    LineWriter w;
    w.text("^2Welcome <player>").number(32767).single(1234.75f).single(-0.5f).boolean(false);
    FieldReader r(w.contents());
    EXPECT_EQ(r.readText(), "^2Welcome <player>");
    EXPECT_EQ(r.readInt16(), 32767);
    EXPECT_FLOAT_EQ(r.readSingle(), 1234.75f);
    EXPECT_FLOAT_EQ(r.readSingle(), -0.5f);
    EXPECT_FALSE(r.readBool());
    EXPECT_TRUE(r.atEnd());
}
