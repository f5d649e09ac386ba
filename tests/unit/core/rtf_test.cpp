#include "core/chatlog.h"
#include "core/rtf.h"
#include "settingsrig.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

std::vector<TextRun> chatWith(const std::vector<TextRun>& runs) {
    RichText view;
    for (const TextRun& run : runs)
        view.append(run.text, run.colour, run.bold);
    return view.runs();
}

class ChatTranscript : public ::testing::Test, public SettingsRig {
protected:
    ChatLog chat{paths, fake.clock};
};

} // namespace

TEST(Rtf, RunsSurviveTheRoundTrip) {
    const std::vector<TextRun> runs = chatWith({
        {"-In Game Chat-", kBlack, false},
        {"\r\n12:34: ", kBlack, true},
        {"[Cl{an}]\\Bob: ", kBlue, true},
        {"!kick", kRed, false},
        {" caf\xE9 \x80 5\xBD\ttab\x15", kBlack, false},
        {"\r\n\r\n0:01: ", kBlack, true},
        {"green", 0x00FF00, false},
    });
    const std::string document = toRtf(runs);
    const auto back = fromRtf(document);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, runs);

    // The line break at the very end is the text's own, not the reader's.
    const std::vector<TextRun> ending{{"line\r\n", kRed, false}, {"", kBlue, true}};
    EXPECT_EQ(fromRtf(toRtf(ending)), (std::vector<TextRun>{ending.front()}));
}

TEST(Rtf, DocumentIsPlainAsciiWithEscapes) {
    const std::string document = toRtf({{"a{b}c\\d\xE9 \x1F\r\nz", kRed, true}});
    EXPECT_TRUE(document.starts_with("{\\rtf1\\ansi\\ansicpg1252"));
    EXPECT_NE(document.find("\\red255\\green0\\blue0;"), std::string::npos);
    EXPECT_NE(document.find("a\\{b\\}c\\\\d\\'e9 \\'1f\\par\r\nz"), std::string::npos);
    for (char c : document)
        EXPECT_LT(static_cast<unsigned char>(c), 0x80);
    int depth = 0;
    for (std::size_t i = 0; i < document.size(); ++i) {
        if (document[i] == '\\') {
            ++i;
            continue;
        }
        depth += document[i] == '{' ? 1 : document[i] == '}' ? -1 : 0;
        ASSERT_GE(depth, 0);
    }
    EXPECT_EQ(depth, 0);
}

TEST(Rtf, ReadsWhatAWordProcessorSaves) {
    // The shape LibreOffice and WordPad write: tables, ignorable destinations,
    // \plain, Unicode with a fallback, and a closing paragraph mark.
    const std::string document =
        "{\\rtf1\\ansi\\deff0\\adeflang1025\n"
        "{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New Roman;}}\n"
        "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red255\\green0\\blue0;}\n"
        "{\\stylesheet{\\s0\\snext0 Normal;}}{\\*\\generator LibreOffice/7.4;}{\\info{\\title x}}\n"
        "\\pard\\plain \\s0{\\cf1\\b -In Game Chat-}\\par "
        "{\\cf1\\b 1:00: }{\\cf2\\b Ann: }{\\cf3 !kick}{\\cf1  bob \\u8364\\'80 \\uc0\\u233\\u-4 "
        "!\\_\\~}\n"
        "\\par }";
    const auto runs = fromRtf(document);
    ASSERT_TRUE(runs.has_value());
    const std::vector<TextRun> expected{
        {"-In Game Chat-", kBlack, true}, {"\r\n", kBlack, false},
        {"1:00: ", kBlack, true},         {"Ann: ", 16711680, true},
        {"!kick", kRed, false},           {" bob \x80 \xE9?!-\xA0", kBlack, false},
    };
    EXPECT_EQ(*runs, expected);
    // A parameter has at most ten digits, read alike on every word size and never
    // wrapped to a small value; a fallback is at most ten characters long.
    EXPECT_EQ(fromRtf("{\\rtf1 \\b01234567891x}")->front().text, "1x");
    EXPECT_EQ(fromRtf("{\\rtf1 \\u4294967361 Ax}")->front().text, "?x");
    EXPECT_EQ(fromRtf("{\\rtf1 \\uc99\\u233 0123456789ab}")->front().text,
              std::string(1, '\xE9') + "ab");
    // Colour 0 is the reader's default, whatever the table's first entry holds; an
    // entry's missing parts are 0.
    EXPECT_EQ(
        fromRtf("{\\rtf1{\\colortbl\\red255\\green0\\blue0;\\green128;}\\cf x\\cf1 "
                "y\\cf4294967297 z}"),
        (std::vector<TextRun>{{"x", kBlack, false}, {"y", 0x008000, false}, {"z", kBlack, false}}));
    // A hex byte of either case, half of one kept as text; a backslash before a
    // line break is a paragraph.
    EXPECT_EQ(fromRtf("{\\rtf1 \\'4z\\'A9\\'0f a\\\nb\\\rc}")->front().text,
              "4z\xA9\x0F a\r\nb\r\nc");
}

TEST(Rtf, RejectsWhatIsNotADocument) {
    EXPECT_FALSE(fromRtf("").has_value());
    EXPECT_FALSE(fromRtf("-In Game Chat-").has_value());
    EXPECT_FALSE(fromRtf(std::string(1000, '{')).has_value());             // not a document
    EXPECT_FALSE(fromRtf("{\\rtf1" + std::string(1000, '{')).has_value()); // nesting bound
    for (const char* cutShort : {"{\\rtf1 x\\", "{\\rtf1 x\\b1"})
        EXPECT_EQ(fromRtf(cutShort), (std::vector<TextRun>{{"x", kBlack, false}})) << cutShort;
    EXPECT_EQ(fromRtf("{\\rtf1 x\\'e9")->front().text, "x\xE9");
}

TEST_F(ChatTranscript, SavedViewLoadsBackAtStart) {
    EXPECT_FALSE(chat.unsavedChanges());
    EXPECT_TRUE(chat.saveChatView()); // nothing to save is no failure
    chat.view().append("\r\n1:00: ", kBlack, true);
    chat.view().append("Ann: ", kBlue, true);
    chat.view().append("hello {all}", kBlack, false);
    EXPECT_TRUE(chat.unsavedChanges());
    ASSERT_TRUE(chat.saveChatView());
    EXPECT_FALSE(chat.unsavedChanges());

    ChatLog later{paths, fake.clock};
    ASSERT_TRUE(later.Loadr2());
    EXPECT_EQ(later.view().plainText(), "-In Game Chat-\r\n1:00: Ann: hello {all}");
    EXPECT_EQ(later.view().runs().at(2), (TextRun{"Ann: ", kBlue, true}));
    EXPECT_FALSE(later.unsavedChanges());
}

TEST_F(ChatTranscript, MissingOrBrokenFileLeavesTheHeadingAndAClearedViewIsSavedAtTheNextSave) {
    EXPECT_FALSE(chat.Loadr2());
    dir.write("Logs/Chat.rtf", "not rich text");
    EXPECT_FALSE(chat.Loadr2());
    dir.write("Logs/Chat.rtf", "{\\rtf1}");
    EXPECT_FALSE(chat.Loadr2());
    EXPECT_EQ(chat.view().plainText(), kChatHeading);

    chat.view().append("\r\nsomething");
    chat.saveChatView();
    chat.clearChat(fake.prompts); // answered Yes
    EXPECT_EQ(fake.prompts.asked.back().text, "Are you sure you want to clear the In-Game Chat?");
    EXPECT_EQ(chat.view().plainText(), kChatHeading);
    EXPECT_TRUE(chat.unsavedChanges());
    chat.saveChatView();
    EXPECT_EQ(fromRtf(dir.read("Logs/Chat.rtf"))->front().text, kChatHeading);
    std::filesystem::remove_all(dir.path() / "Logs");
    chat.view().append("\r\nlost?");
    EXPECT_FALSE(chat.saveChatView());
    EXPECT_TRUE(chat.unsavedChanges());
}
