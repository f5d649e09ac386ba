#include "queuedlines.h"
#include "rcon/rconqueue.h"

#include <gtest/gtest.h>

using namespace corvane;
using corvane::testing::queuedLines;

namespace {

struct Reasons : ReasonTexts {
    std::string reason(int n) const override {
        return n == 3 ? "No spawn killing" : n == 12 ? "Racism" : "";
    }
} const reasons;

} // namespace

TEST(RconQueue, BoundSanctionsJumpTheQueueOthersWaitAndPrivateMessagesGoToTheIssuerOnly) {
    RconQueue q;
    for (int i = 0; i < 10; ++i)
        q.SendSay("line " + std::to_string(i));
    EXPECT_EQ(q.List3A("clientkick 7 spam\"", 7, "G7"), ";7;G7;clientkick 7 spam\"");
    q.List3A("tell 5 ^1PM: hi", 5, "G5");
    q.List3A("banclient 4", 4, "G4");
    q.List3A("tempbanclient 3 x\"", 3, "G3");
    q.List3A("clientkick 9 plain\"", 0, "ignored");
    std::vector<std::string> expected{";3;G3;tempbanclient 3 x\"", ";4;G4;banclient 4",
                                      ";7;G7;clientkick 7 spam\""};
    for (int i = 0; i < 10; ++i)
        expected.push_back("say line " + std::to_string(i));
    expected.insert(expected.end(), {";5;G5;tell 5 ^1PM: hi", "clientkick 9 plain\""});
    EXPECT_EQ(queuedLines(q), expected);

    q.clear();                      // private messages go to the issuer only
    q.SendPM({}, "nobody to tell"); // slot 0 gets no replies
    q.SendSay("");
    EXPECT_TRUE(q.empty());
    q.SendPM({5, "GUID5", "Bob"}, "^1Player not found");
    ASSERT_EQ(q.size(), 1u);
    EXPECT_EQ(q.front().displayText(), ";5;GUID5;tell 5 ^1PM: ^1Player not found");
}

TEST(RconQueue, LongMessagesAreCutAtFortyLettersWholeWordsOnly) {
    RconQueue q;
    const CommandIssuer issuer{12, "G", "x"};
    q.SendPMLong(issuer, "a b c");
    ASSERT_EQ(q.size(), 1u);
    EXPECT_EQ(q.front().line, "tell 12 ^1PM:  a b c");
    q.clear();

    std::string thirty;
    for (int i = 0; i < 30; ++i)
        thirty += (i ? " " : "") + std::string("abcd") + char('a' + i % 26);
    q.SendPMLong(issuer, thirty);
    ASSERT_EQ(q.size(), 4u);
    const std::size_t expectedWords[] = {8, 8, 8, 6};
    for (std::size_t i = 0; i < 4; ++i) {
        const std::string chunk = q.at(i).line.substr(std::string("tell 12 ^1PM: ").size());
        EXPECT_EQ(static_cast<std::size_t>(std::count(chunk.begin(), chunk.end(), ' ')),
                  expectedWords[i]);
        EXPECT_EQ(chunk.front(), ' ');
    }
    q.clear();

    q.SendPMLong(issuer, std::string(45, 'w') + " tail");
    ASSERT_EQ(q.size(), 2u);
    EXPECT_EQ(q.at(0).line, "tell 12 ^1PM:  " + std::string(45, 'w'));
    EXPECT_EQ(q.at(1).line, "tell 12 ^1PM:  tail");
}

TEST(CheckReasons, PlaceholdersExpandOnlyInTheRightLines) {
    EXPECT_EQ(CheckReasons("say Rule: MSG3", reasons), "say Rule: No spawn killing");
    EXPECT_EQ(CheckReasons("tell 4 ^1PM: msg12", reasons), "tell 4 ^1PM: Racism");
    EXPECT_EQ(CheckReasons("say MSG0 is empty", reasons), "say  is empty");
    EXPECT_EQ(CheckReasons("say MSG", reasons), "say MSG");
    EXPECT_EQ(CheckReasons("say Msg3 stays", reasons), "say Msg3 stays");
    EXPECT_EQ(CheckReasons("say MSG99 ", reasons), "say");
    EXPECT_EQ(CheckReasons("clientkick 7 MSG3 now", reasons), "clientkick 7 No spawn killing now");
    // The two characters after the placeholder must make a number: a closing
    // quote right behind it spoils it.
    EXPECT_EQ(CheckReasons("clientkick 7 MSG3\"", reasons), "clientkick 7 MSG3\"");
    EXPECT_EQ(CheckReasons("banclient 7 MSG3", reasons), "banclient 7 MSG3");
    EXPECT_EQ(CheckReasons("Playlist MSG3", reasons), "Playlist MSG3");
    // An unusable placeholder stops the expansion.
    EXPECT_EQ(CheckReasons("say MSG-1 then MSG3", reasons), "say MSG-1 then MSG3");
    EXPECT_EQ(CheckReasons("say MSGx then MSG3", reasons), "say MSGx then MSG3");
    EXPECT_EQ(CheckReasons("say MSG3 and MSG12", reasons), "say No spawn killing and Racism");
    EXPECT_EQ(CheckReasons("say msg3 and Msg3", reasons), "say No spawn killing and Msg3");
}
