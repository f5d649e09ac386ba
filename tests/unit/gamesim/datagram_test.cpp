#include "gamesim/core/datagram.h"

#include <gtest/gtest.h>

using namespace gamesim;

TEST(RconDatagram, RequestRoundTripKeepsEveryByte) {
    const std::string password = "pa\xE9ss";
    const std::string command = "say \"^1hi\";\x01 \xFF end";
    const std::string bytes = encodeRequest(password, command);
    ASSERT_EQ(bytes.substr(0, 5), std::string("\xFF\xFF\xFF\xFF\0", 5));
    EXPECT_EQ(bytes.size(), 5 + password.size() + 1 + command.size());

    const auto decoded = decodeRequest(bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->password, password);
    EXPECT_EQ(decoded->command, command);

    const auto empty = decodeRequest(encodeRequest("", "teamstatus"));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->password, "");
    EXPECT_EQ(empty->command, "teamstatus");
    // The setup wizard writes the separator blank as part of its command text.
    EXPECT_EQ(decodeRequest(encodeRequest("pw", " serverinfo"))->command, "serverinfo");
}

TEST(RconDatagram, RejectsWhatIsNotARequest) {
    EXPECT_FALSE(decodeRequest(""));
    EXPECT_FALSE(decodeRequest(std::string("\xFF\xFF\xFF\xFF\0", 5)));
    EXPECT_FALSE(decodeRequest(std::string("\xFF\xFF\xFF\xFF\0nopasswordblank", 20)));
    EXPECT_FALSE(decodeRequest(std::string("\xFF\xFF\xFF\xFFrcon pw status")));
    EXPECT_FALSE(decodeRequest(std::string("\xFF\xFF\xFF\xFE\0pw status", 14)));
    EXPECT_FALSE(decodeRequest(encodeRequest("pw", std::string(kMaxRequestBytes, 'x'))));
}

TEST(RconDatagram, LongReplyIsCutAtTheChunkAndEveryPieceCarriesTheHeader) {
    std::string text;
    for (int i = 0; text.size() < 3000; ++i)
        text += "line " + std::to_string(i) + " of text\n";
    const auto datagrams = encodeReplies(text, kDefaultReplyChunk);
    ASSERT_EQ(datagrams.size(), text.size() / kDefaultReplyChunk + 1);
    EXPECT_EQ(datagrams[0].size(), 1167u);
    std::string joined;
    for (const auto& d : datagrams) {
        const auto piece = decodeReply(d);
        ASSERT_TRUE(piece);
        joined += *piece;
    }
    EXPECT_EQ(joined, text);
    EXPECT_LT(datagrams.back().size(), 1167u);
}

TEST(RconDatagram, AFullDatagramIsAlwaysFollowedByAnother) {
    const std::string text(kDefaultReplyChunk, 'x');
    const auto datagrams = encodeReplies(text, kDefaultReplyChunk);
    ASSERT_EQ(datagrams.size(), 2u);
    EXPECT_EQ(datagrams[0].size(), 1167u);
    EXPECT_EQ(datagrams[1], std::string(kReplyPrefix));
    EXPECT_EQ(encodeReplies("hello\n", kDefaultReplyChunk),
              std::vector<std::string>{"\xFF\xFF\xFF\xFFprint\nhello\n"});
    EXPECT_FALSE(decodeReply("print\nhello"));

    const auto justBelow =
        encodeReplies(std::string(kDefaultReplyChunk - 1, 'x'), kDefaultReplyChunk);
    ASSERT_EQ(justBelow.size(), 1u);
    EXPECT_EQ(justBelow[0].size(), 1166u);
}
