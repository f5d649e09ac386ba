#include "logfeed/httpresponse.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

HttpResponseDecoder decodeInPieces(const std::string& reply, std::size_t pieceSize) {
    HttpResponseDecoder d;
    for (std::size_t i = 0; i < reply.size(); i += pieceSize)
        d.feed(reply.substr(i, pieceSize));
    return d;
}

const std::string kChunked = "HTTP/1.1 200 OK\r\n"
                             "Transfer-Encoding: chunked\r\n"
                             "Content-Type: text/plain\r\n"
                             "\r\n"
                             "8\r\n  1:02 s\r\n"
                             "18;name=value\r\nay;1234;3;Bob;\x15hi there\n\r\n"
                             "0\r\n"
                             "X-Trailer: yes\r\n"
                             "\r\n";
const std::string kChunkedBody = "  1:02 say;1234;3;Bob;\x15hi there\n";

} // namespace

TEST(HttpResponseDecoder, ChunkedBodyIsTheSameWhereverThePiecesEnd) {
    for (std::size_t piece = 1; piece <= kChunked.size(); ++piece) {
        const HttpResponseDecoder d = decodeInPieces(kChunked, piece);
        ASSERT_TRUE(d.complete()) << "pieces of " << piece;
        EXPECT_EQ(d.body(), kChunkedBody) << "pieces of " << piece;
    }
    // Every two-piece split, which puts the boundary at each byte once.
    for (std::size_t cut = 0; cut <= kChunked.size(); ++cut) {
        HttpResponseDecoder d;
        d.feed(kChunked.substr(0, cut));
        EXPECT_FALSE(d.complete() && cut < kChunked.size()) << "cut at " << cut;
        d.feed(kChunked.substr(cut));
        ASSERT_TRUE(d.complete()) << "cut at " << cut;
        EXPECT_EQ(d.body(), kChunkedBody) << "cut at " << cut;
    }
}

TEST(HttpResponseDecoder, StatusAndHeadersAreReadAsTheyArrive) {
    HttpResponseDecoder d;
    d.feed("HTTP/1.1 206 Partial Con");
    EXPECT_FALSE(d.statusKnown());
    d.feed("tent\r\nContent-Range: bytes 5000-9999/10000\r\ncontent-length:  5\r\n");
    EXPECT_TRUE(d.statusKnown());
    EXPECT_EQ(d.statusCode(), 206);
    EXPECT_EQ(d.statusLine(), "HTTP/1.1 206 Partial Content");
    d.feed("\r\nab");
    ASSERT_NE(d.header("CONTENT-RANGE"), nullptr);
    EXPECT_EQ(*d.header("content-range"), "bytes 5000-9999/10000");
    EXPECT_EQ(*d.header("Content-Length"), "5");
    EXPECT_EQ(d.header("Server"), nullptr);
    EXPECT_FALSE(d.complete());
    d.feed("cdeEXTRA");
    EXPECT_TRUE(d.complete());
    EXPECT_EQ(d.body(), "abcde");
}

TEST(HttpResponseDecoder, BodyWithoutLengthEndsWithTheConnection) {
    HttpResponseDecoder d;
    d.feed("HTTP/1.0 200 OK\nServer: tiny\n\nline one\nline t");
    EXPECT_FALSE(d.complete());
    d.feed("wo\n");
    d.finish();
    EXPECT_TRUE(d.complete());
    EXPECT_EQ(d.body(), "line one\nline two\n");
}

TEST(HttpResponseDecoder, InterimAnswerIsSkipped) {
    const HttpResponseDecoder d =
        decodeInPieces("HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 404 Not Found\r\n"
                       "Content-Length: 0\r\n\r\n",
                       3);
    EXPECT_EQ(d.statusCode(), 404);
    EXPECT_EQ(d.statusLine(), "HTTP/1.1 404 Not Found");
    EXPECT_TRUE(d.complete());
}

TEST(HttpResponseDecoder, NoContentAnswersHaveNoBody) {
    const HttpResponseDecoder d = decodeInPieces("HTTP/1.1 204 No Content\r\n\r\n", 5);
    EXPECT_TRUE(d.complete());
    EXPECT_TRUE(d.body().empty());
}

TEST(HttpResponseDecoder, ReplyWithoutStatusLineIsKeptWhole) {
    // Split inside the "HTTP/" prefix check on purpose.
    HttpResponseDecoder d;
    d.feed("HT");
    EXPECT_FALSE(d.headerless());
    d.feed("ML>\r\n<head><title>400 Bad Request</title></head>\r\n");
    EXPECT_TRUE(d.headerless());
    EXPECT_FALSE(d.statusKnown());
    EXPECT_FALSE(d.complete());
    d.finish();
    EXPECT_TRUE(d.complete());
    EXPECT_EQ(d.body(), "HTML>\r\n<head><title>400 Bad Request</title></head>\r\n");
}

TEST(HttpResponseDecoder, MalformedFramingFails) {
    const struct {
        const char* name;
        std::string reply;
    } cases[] = {
        {"status line", "HTTP/1.1 2OO OK\r\n\r\n"},
        {"status code below 100", "HTTP/1.1 026 Odd\r\n\r\n"},
        {"chunk size", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nab\r\n"},
        {"chunk longer than its size",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nabc\r\n0\r\n\r\n"},
        {"differing lengths", "HTTP/1.1 200 OK\r\nContent-Length: 5\r\nContent-Length: 6\r\n\r\n"},
        {"length not a number", "HTTP/1.1 200 OK\r\nContent-Length: -5\r\n\r\n"},
        {"huge chunk size",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nffffffffffffffffff\r\n"},
    };
    for (const auto& c : cases) {
        const HttpResponseDecoder d = decodeInPieces(c.reply, 1);
        EXPECT_TRUE(d.failed()) << c.name;
        EXPECT_FALSE(d.failure().empty()) << c.name;
        EXPECT_FALSE(d.complete()) << c.name;
    }
}

TEST(HttpResponseDecoder, ConnectionEndingEarlyLeavesTheReplyIncomplete) {
    for (const std::string& partial :
         {std::string("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nab"),
          std::string("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc"),
          std::string("HTTP/1.1 200 O")}) {
        HttpResponseDecoder d;
        d.feed(partial);
        d.finish();
        EXPECT_TRUE(d.failed()) << partial;
        EXPECT_TRUE(d.finished()) << partial;
    }
    HttpResponseDecoder silent;
    silent.finish();
    EXPECT_FALSE(silent.complete());
}

TEST(HttpResponseDecoder, HeadIsBounded) {
    HttpResponseDecoder d;
    d.feed("HTTP/1.1 200 OK\r\n");
    const std::string field = "X-Filler: " + std::string(1000, 'a') + "\r\n";
    for (int i = 0; i < 20 && !d.failed(); ++i)
        d.feed(field);
    EXPECT_TRUE(d.failed());
    EXPECT_LE(d.head().size(), HttpResponseDecoder::kMaxHead);

    HttpResponseDecoder endless; // a status line that never ends
    for (int i = 0; i < 40 && !endless.failed(); ++i)
        endless.feed("HTTP/" + std::string(1000, '1'));
    EXPECT_TRUE(endless.failed());
}

TEST(HttpResponseDecoder, ChunkSizeLineIsBounded) {
    HttpResponseDecoder d;
    d.feed("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1;");
    for (int i = 0; i < 10 && !d.failed(); ++i)
        d.feed(std::string(1000, 'x'));
    EXPECT_TRUE(d.failed());
}

TEST(HttpResponseDecoder, BodyKeepsItsNewestMegabyte) {
    constexpr std::size_t kMax = HttpResponseDecoder::kMaxBody;
    HttpResponseDecoder d;
    d.feed("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(3 * kMax) + "\r\n\r\n");
    const std::string block(64 * 1024, 'a');
    for (std::size_t sent = 0; sent < 3 * kMax - 4; sent += block.size()) {
        d.feed(std::string_view(block).substr(0, std::min(block.size(), 3 * kMax - 4 - sent)));
        ASSERT_LE(d.body().size(), kMax + kMax / 4);
    }
    d.feed("TAIL");
    ASSERT_TRUE(d.complete());
    EXPECT_EQ(d.body().size(), kMax);
    EXPECT_EQ(d.bodyBytesDropped(), 2 * kMax);
    EXPECT_TRUE(d.body().ends_with("aTAIL"));
}

TEST(HttpResponseDecoder, FoldedFieldValueIsJoined) {
    const HttpResponseDecoder d =
        decodeInPieces("HTTP/1.1 200 OK\r\nX-Note: one\r\n  two\r\nContent-Length: 0\r\n\r\n", 4);
    ASSERT_NE(d.header("X-Note"), nullptr);
    EXPECT_EQ(*d.header("X-Note"), "one two");
    EXPECT_TRUE(d.complete());
}

TEST(HttpResponseDecoder, ChunkedWinsOverContentLength) {
    const HttpResponseDecoder d = decodeInPieces("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n"
                                                 "Transfer-Encoding: gzip, chunked\r\n\r\n"
                                                 "3\r\nabc\r\n0\r\n\r\n",
                                                 7);
    EXPECT_TRUE(d.complete());
    EXPECT_EQ(d.body(), "abc");
}
