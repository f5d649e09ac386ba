#include "gamesim/core/datagram.h"

#include <gtest/gtest.h>

using namespace gamesim;

TEST(RconDatagram, RejectsWhatIsNotARequest) {
    const std::string tooLong = encodeRequest("pw", std::string(kMaxRequestBytes, 'x'));
    for (const std::string& bad : {std::string(), std::string("\xFF\xFF\xFF\xFF\0", 5),
                                   std::string("\xFF\xFF\xFF\xFF\0nopasswordblank", 20),
                                   std::string("\xFF\xFF\xFF\xFFrcon pw status"),
                                   std::string("\xFF\xFF\xFF\xFE\0pw status", 14), tooLong})
        EXPECT_FALSE(decodeRequest(bad)) << bad.size();
    const auto hostile = decodeRequest(encodeRequest("pa\xE9ss", " say \"^1hi\";\x01 \xFF"));
    ASSERT_TRUE(hostile);
    EXPECT_EQ(hostile->password, "pa\xE9ss");
    EXPECT_EQ(hostile->command, "say \"^1hi\";\x01 \xFF"); // blanks in front are skipped
}

TEST(RconDatagram, AFullDatagramIsAlwaysFollowedByAnother) {
    const struct {
        std::size_t textBytes;
        std::vector<std::size_t> sizes;
    } cases[] = {{kDefaultReplyChunk - 1, {1166}},
                 {kDefaultReplyChunk, {1167, 10}},
                 {2 * kDefaultReplyChunk + 5, {1167, 1167, 15}}};
    for (const auto& c : cases) {
        const std::string text(c.textBytes, 'x');
        const auto datagrams = encodeReplies(text, kDefaultReplyChunk);
        std::vector<std::size_t> sizes;
        std::string joined;
        for (const auto& d : datagrams) {
            sizes.push_back(d.size());
            ASSERT_EQ(d.substr(0, 10), std::string(kReplyPrefix));
            joined += decodeReply(d).value_or("?");
        }
        EXPECT_EQ(sizes, c.sizes) << c.textBytes;
        EXPECT_EQ(joined, text);
    }
}
