#include "core/fieldreader.h"

#include <gtest/gtest.h>

using corvane::FieldReader;
using corvane::FieldReadError;

TEST(FieldReader, ReadsOneFieldPerLineWithCrLfOrLf) {
    FieldReader crlf("alpha\r\n 27960\r\n127.0.0.1\r\n");
    EXPECT_EQ(crlf.readText(), "alpha");
    EXPECT_EQ(crlf.readInt16(), 27960);
    EXPECT_EQ(crlf.readText(), "127.0.0.1");
    EXPECT_TRUE(crlf.atEnd());

    FieldReader lf("alpha\n 27960\n127.0.0.1");
    EXPECT_EQ(lf.readText(), "alpha");
    EXPECT_EQ(lf.readInt16(), 27960);
    EXPECT_EQ(lf.readText(), "127.0.0.1");
}

TEST(FieldReader, QuotedFieldKeepsCommasAndBlanksAndSkipsRestOfLine) {
    FieldReader r("\"mp_nuked, mp_crash \" ignored,next\r\nlast\r\n");
    EXPECT_EQ(r.readText(), "mp_nuked, mp_crash ");
    EXPECT_EQ(r.readText(), "next");
    EXPECT_EQ(r.readText(), "last");
}

TEST(FieldReader, QuotedAndBareValuesReadTheSame) {
    FieldReader quoted("\"mp_nuked\"\r\n");
    FieldReader bare("mp_nuked\r\n");
    EXPECT_EQ(quoted.readText(), bare.readText());
}

TEST(FieldReader, BareCommaSplitsAndShiftsLaterFields) {
    // A host name holding a comma becomes two fields: the excluded map then
    // receives the second half of the host name.
    FieldReader r("My Server, EU\r\nmp_nuked\r\n");
    EXPECT_EQ(r.readText(), "My Server");
    EXPECT_EQ(r.readText(), "EU");
    EXPECT_EQ(r.readText(), "mp_nuked");
}

TEST(FieldReader, LeadingBlanksAndTabsSkippedTrailingBlanksDropped) {
    FieldReader r(" \t value  \r\n\t-12 \r\n");
    EXPECT_EQ(r.readText(), "value");
    EXPECT_EQ(r.readInt32(), -12);
}

TEST(FieldReader, EmptyLineIsAnEmptyField) {
    FieldReader r("[Leader]\r\n\r\n[Member]\r\n");
    EXPECT_EQ(r.readText(), "[Leader]");
    EXPECT_EQ(r.readText(), "");
    EXPECT_EQ(r.readText(), "[Member]");
}

TEST(FieldReader, MissingFieldAtEndOfFileIsAnError) {
    FieldReader r("FIRST\r\n");
    EXPECT_EQ(r.readText(), "FIRST");
    EXPECT_THROW(r.readText(), FieldReadError);

    FieldReader noBreak("one");
    EXPECT_EQ(noBreak.readText(), "one");
    EXPECT_THROW(noBreak.readText(), FieldReadError);

    FieldReader empty("");
    EXPECT_THROW(empty.readText(), FieldReadError);
}

TEST(FieldReader, TypedReadsRejectWhatDoesNotConvert) {
    FieldReader r("abc\r\n40000\r\n\r\n1.5x\r\nmaybe\r\n");
    EXPECT_THROW(r.readInt16(), FieldReadError);
    EXPECT_THROW(r.readInt16(), FieldReadError); // out of range
    EXPECT_THROW(r.readInt32(), FieldReadError); // empty
    EXPECT_THROW(r.readSingle(), FieldReadError);
    EXPECT_THROW(r.readBool(), FieldReadError);
}

TEST(FieldReader, TypedReadsConvert) {
    FieldReader r("True\r\nfalse\r\n 1440.5\r\n-3\r\n 2.5\r\n");
    EXPECT_TRUE(r.readBool());
    EXPECT_FALSE(r.readBool());
    EXPECT_FLOAT_EQ(r.readSingle(), 1440.5f);
    EXPECT_EQ(r.readInt16(), -3);
    EXPECT_EQ(r.readInt16(), 2); // rounded half to even
}

TEST(FieldReader, LoneCarriageReturnEndsALine) {
    FieldReader r("a\rb\r");
    EXPECT_EQ(r.readText(), "a");
    EXPECT_EQ(r.readText(), "b");
    EXPECT_TRUE(r.atEnd());
}

TEST(FieldReader, UnterminatedQuoteRunsToEndOfText) {
    FieldReader r("\"open to the end\r\nstill");
    EXPECT_EQ(r.readText(), "open to the end\r\nstill");
    EXPECT_TRUE(r.atEnd());
}
