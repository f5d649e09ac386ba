#include "core/fieldreader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using corvane::FieldReader;
using corvane::FieldReadError;

TEST(FieldReader, TextFieldsUpToTheEndWhereAnotherReadFails) {
    const struct {
        const char* text;
        std::vector<std::string> fields;
    } cases[] = {
        {"alpha\r\n 27960\r\n127.0.0.1\r\n", {"alpha", "27960", "127.0.0.1"}},
        {"alpha\n 27960\n127.0.0.1", {"alpha", "27960", "127.0.0.1"}},
        {"a\rb\r", {"a", "b"}}, // a lone CR ends a line
        // Quoted: commas and blanks kept, the rest of the line skipped.
        {"\"mp_nuked, mp_crash \" ignored,next\r\nlast\r\n",
         {"mp_nuked, mp_crash ", "next", "last"}},
        {"\"mp_nuked\"\r\nmp_nuked\r\n", {"mp_nuked", "mp_nuked"}},
        {"\"open to the end\r\nstill", {"open to the end\r\nstill"}},
        // A bare comma splits, shifting the later fields.
        {"My Server, EU\r\nmp_nuked\r\n", {"My Server", "EU", "mp_nuked"}},
        {" \t value  \r\n", {"value"}},
        {"[Leader]\r\n\r\n[Member]\r\n", {"[Leader]", "", "[Member]"}},
        {"[Leader]\n\n[Member]", {"[Leader]", "", "[Member]"}},
        {"one", {"one"}},
        {"", {}},
    };
    for (const auto& c : cases) {
        FieldReader r(c.text);
        std::vector<std::string> read;
        while (!r.atEnd() && read.size() < 10)
            read.push_back(r.readText());
        EXPECT_EQ(read, c.fields) << c.text;
        EXPECT_THROW(r.readText(), FieldReadError) << c.text;
    }
}

TEST(FieldReader, TypedReadsConvertOrRejectWhatDoesNotConvert) {
    FieldReader r("abc\r\n40000\r\n\r\n1.5x\r\nmaybe\r\n");
    EXPECT_THROW(r.readInt16(), FieldReadError);
    EXPECT_THROW(r.readInt16(), FieldReadError); // out of range
    EXPECT_THROW(r.readInt32(), FieldReadError); // empty
    EXPECT_THROW(r.readSingle(), FieldReadError);
    EXPECT_THROW(r.readBool(), FieldReadError);

    r = FieldReader("True\r\nfalse\r\n 1440.5\r\n-3\r\n 2.5\r\n\t-12 \r\n 27960\n");
    EXPECT_TRUE(r.readBool());
    EXPECT_FALSE(r.readBool());
    EXPECT_FLOAT_EQ(r.readSingle(), 1440.5f);
    EXPECT_EQ(r.readInt16(), -3);
    EXPECT_EQ(r.readInt16(), 2); // rounded half to even
    EXPECT_EQ(r.readInt32(), -12);
    EXPECT_EQ(r.readInt16(), 27960);
}

TEST(FieldReader, ItemListsEndAtAnEmptyItemOrAfterMaxAndTellWhetherMoreWereLeft) {
    const struct {
        const char* text;
        std::size_t max;
        std::vector<std::string> items;
        bool cut;
    } cases[] = {
        {"a, b\r\nc\r\n", 3, {"a", "b", "c"}, false},
        {"a, b\r\nc\r\n", 2, {"a", "b"}, true},
        {"a\r\n\r\nb\r\n", 5, {"a"}, false},
    };
    for (const auto& c : cases) {
        const corvane::ItemList list = corvane::readItemList(c.text, c.max);
        EXPECT_EQ(list.items, c.items) << c.text << c.max;
        EXPECT_EQ(list.cut, c.cut) << c.text << c.max;
    }
}
