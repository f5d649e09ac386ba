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

const std::string kChunked =
    "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nContent-Type: text/plain\r\n\r\n"
    "8\r\n  1:02 s\r\n18;name=value\r\nay;1234;3;Bob;\x15hi there\n\r\n0\r\nX-Trailer: yes\r\n\r\n";
const std::string kChunkedBody = "  1:02 say;1234;3;Bob;\x15hi there\n";

} // namespace

TEST(HttpResponseDecoder, ChunkedBodyIsTheSameWhereverThePiecesEnd) {
    for (std::size_t piece = 1; piece <= kChunked.size(); ++piece) {
        HttpResponseDecoder d;
        for (std::size_t i = 0; i < kChunked.size(); i += piece) {
            ASSERT_FALSE(d.complete()) << "pieces of " << piece << ", at " << i;
            d.feed(kChunked.substr(i, piece));
        }
        ASSERT_TRUE(d.complete()) << "pieces of " << piece;
        EXPECT_EQ(d.body(), kChunkedBody) << "pieces of " << piece;
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

TEST(HttpResponseDecoder, FramingVariantsDecode) {
    const struct {
        std::string reply, statusLine, body;
    } cases[] = {
        {"HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n",
         "HTTP/1.1 404 Not Found", ""}, // the interim answer is skipped
        {"HTTP/1.1 204 No Content\r\n\r\n", "HTTP/1.1 204 No Content", ""},
        {"HTTP/1.1 200 OK\r\nContent-Length: 100\r\nTransfer-Encoding: gzip,chunked\r\n\r\n"
         "3\r\nabc\r\n0\r\n\r\n",
         "HTTP/1.1 200 OK", "abc"}, // chunked wins over the length
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nA\r\n" + std::string(10, 'a') +
             "\r\n00000000000000f\r\n" + std::string(15, 'b') + "\r\n0\r\n\r\n",
         "HTTP/1.1 200 OK", std::string(10, 'a') + std::string(15, 'b')},
    };
    for (const auto& c : cases) {
        const HttpResponseDecoder d = decodeInPieces(c.reply, 3);
        EXPECT_TRUE(d.complete()) << c.reply;
        EXPECT_EQ(d.statusLine(), c.statusLine);
        EXPECT_EQ(d.body(), c.body) << c.reply;
    }
    // A folded field value is joined.
    const HttpResponseDecoder d =
        decodeInPieces("HTTP/1.1 200 OK\r\nX-Note: one\r\n  two\r\nContent-Length: 0\r\n\r\n", 4);
    ASSERT_NE(d.header("X-Note"), nullptr);
    EXPECT_EQ(*d.header("X-Note"), "one two");
}

TEST(HttpResponseDecoder, MalformedFramingFails) {
    const struct {
        const char* name;
        std::string reply;
    } cases[] = {
        {"status line", "HTTP/1.1 2OO OK\r\n\r\n"},
        {"status code's second digit", "HTTP/1.1 2O0 OK\r\n\r\n"},
        {"status code's last digit", "HTTP/1.1 20O OK\r\n\r\n"},
        {"status code below 100", "HTTP/1.1 026 Odd\r\n\r\n"},
        {"status code's first digit", "HTTP/1.1 A00 Odd\r\n\r\n"},
        {"status code too short", "HTTP/1.1 20\r\n\r\n"},
        {"status code too long", "HTTP/1.1 2000 OK\r\n\r\n"},
        {"chunk size", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nab\r\n"},
        {"chunk longer than its size",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nabc\r\n0\r\n\r\n"},
        {"differing lengths", "HTTP/1.1 200 OK\r\nContent-Length: 5\r\nContent-Length: 6\r\n\r\n"},
        {"length not a number", "HTTP/1.1 200 OK\r\nContent-Length: -5\r\n\r\n"},
        {"huge chunk size",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1000000000000000\r\n"},
    };
    for (const auto& c : cases) {
        const HttpResponseDecoder d = decodeInPieces(c.reply, 1);
        EXPECT_TRUE(d.failed()) << c.name;
        EXPECT_FALSE(d.failure().empty()) << c.name;
        EXPECT_FALSE(d.complete()) << c.name;
    }
}

// A reply without a length, or without a status line at all, ends with the
// connection; one that promised more than came fails.
TEST(HttpResponseDecoder, ConnectionEndEndsTheReply) {
    const struct {
        std::string first, rest;
        bool headerless, failed;
        std::string body;
    } cases[] = {
        {"HTTP/1.0 200 OK\nServer: tiny\n\nline one\nline t", "wo\n", false, false,
         "line one\nline two\n"},
        {"\r\n\nHTTP/1.0 200 OK\n\nafter blank lines", "", false, false, "after blank lines"},
        {"HT", "ML>\r\n<title>400 Bad Request</title>\r\n", true, false,
         "HTML>\r\n<title>400 Bad Request</title>\r\n"},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nab", "", false, true, ""},
        {"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc", "", false, true, ""},
        {"HTTP/1.1 200 O", "", false, true, ""},
        {"", "", false, true, ""},
    };
    for (const auto& c : cases) {
        HttpResponseDecoder d;
        d.feed(c.first);
        EXPECT_FALSE(d.headerless()) << c.first; // not yet known after "HT"
        d.feed(c.rest);
        EXPECT_EQ(d.headerless(), c.headerless) << c.first;
        EXPECT_FALSE(d.complete()) << c.first;
        d.finish();
        EXPECT_TRUE(d.finished()) << c.first;
        EXPECT_EQ(d.failed(), c.failed) << c.first;
        EXPECT_EQ(d.complete(), !c.failed) << c.first;
        EXPECT_EQ(c.failed ? "" : d.body(), c.body);
    }
}

TEST(HttpResponseDecoder, HeadAndChunkSizeLinesAreBounded) {
    const struct {
        std::string start, filler;
    } cases[] = {
        {"HTTP/1.1 200 OK\r\n", "X-Filler: " + std::string(1000, 'a') + "\r\n"},
        {"HTTP/", std::string(1000, '1')},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1;", std::string(1000, 'x')},
    };
    for (const auto& c : cases) {
        HttpResponseDecoder d;
        d.feed(c.start);
        for (int i = 0; i < 20 && !d.failed(); ++i)
            d.feed(c.filler);
        EXPECT_TRUE(d.failed()) << c.start;
        EXPECT_LE(d.head().size(), HttpResponseDecoder::kMaxHead);
    }
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
