// The log host: request reading, ranges and the answers of every mode.

#include "clientview.h"

#include "gamesim/core/http.h"
#include "gamesim/core/httpanswers.h"

#include <gtest/gtest.h>

using namespace gamesim;

namespace {

constexpr std::string_view kClientRequest =
    "GET /logs/games_mp.log HTTP/1.1\r\nHost: 127.0.0.1:8080\r\n"
    "Range: bytes=-10000 \r\nUser-Agent: Corvane Mod 0.0.2\r\n\r\n";

HttpRequest request(std::string_view head) {
    const auto parsed = parseRequestHead(head);
    EXPECT_TRUE(parsed);
    return parsed.value_or(HttpRequest{});
}

HttpRequest rangeRequest(std::string_view range, std::string_view path = "/logs/games_mp.log") {
    return request("GET " + std::string(path) +
                   " HTTP/1.1\r\nHost: x\r\nRange: " + std::string(range) + "\r\n");
}

LogBuffer logOf(int lines) {
    LogBuffer log;
    for (int i = 0; i < lines; ++i)
        log.appendLine("  0:" + std::string(i < 10 ? "0" : "") + std::to_string(i % 60) +
                       " say;g;1;Bob;\x15line " + std::to_string(i));
    return log;
}

// Decodes a chunked body; the flag says whether the closing "0" chunk came.
std::pair<std::string, bool> dechunk(std::string_view body) {
    std::string out;
    for (;;) {
        const std::size_t lf = body.find("\r\n");
        if (lf == std::string_view::npos) return {out, false};
        const std::size_t size = std::stoul(std::string(body.substr(0, lf)), nullptr, 16);
        body.remove_prefix(lf + 2);
        if (size == 0) return {out, body == "\r\n"};
        out += body.substr(0, size);
        body.remove_prefix(std::min(body.size(), size + 2));
    }
}

struct Split {
    std::string head;
    std::string body;
};
Split splitAnswer(const std::string& bytes) {
    const std::size_t end = bytes.find("\r\n\r\n");
    return {bytes.substr(0, end + 2), end == std::string::npos ? "" : bytes.substr(end + 4)};
}

HttpAnswer answer(HttpMode mode, const HttpRequest& req, const LogBuffer& log) {
    Random random(7);
    HttpSettings settings;
    settings.mode = mode;
    return answerHttp(req, "/logs/games_mp.log", log, settings, random);
}

} // namespace

TEST(HttpRequests, TheClientsRequestIsReadWithItsRange) {
    HttpRequestReader reader;
    const std::string bytes(kClientRequest);
    EXPECT_EQ(reader.feed(bytes.substr(0, 30)), HttpRequestReader::Status::NeedMore);
    EXPECT_EQ(reader.feed(bytes.substr(30)), HttpRequestReader::Status::Ready);
    const HttpRequest req = reader.take();
    EXPECT_EQ(req.method, "GET");
    EXPECT_EQ(req.path(), "/logs/games_mp.log");
    EXPECT_EQ(req.header("range"), "bytes=-10000");
    EXPECT_EQ(req.header("Host"), "127.0.0.1:8080");
    EXPECT_EQ(reader.feed({}), HttpRequestReader::Status::NeedMore);
    // Two requests in one read are both served.
    ASSERT_EQ(reader.feed(bytes + bytes), HttpRequestReader::Status::Ready);
    reader.take();
    ASSERT_EQ(reader.feed({}), HttpRequestReader::Status::Ready);
    EXPECT_EQ(reader.take().path(), "/logs/games_mp.log");
}

TEST(HttpRequests, MalformedOrOversizedHeadsAreRefused) {
    for (std::string_view bad : {"GARBAGE\r\n\r\n", "GET /x\r\n\r\n", "GET /x FTP/1.0\r\n\r\n",
                                 "GET /x HTTP/1.1\r\nno colon here\r\n\r\n"}) {
        HttpRequestReader reader;
        EXPECT_EQ(reader.feed(bad), HttpRequestReader::Status::Bad) << bad;
    }
    HttpRequestReader endless;
    EXPECT_EQ(
        endless.feed("GET /x HTTP/1.1\r\nX: " + std::string(HttpRequestReader::kMaxHeadBytes, 'a')),
        HttpRequestReader::Status::Bad);
}

TEST(HttpRanges, SuffixAndExplicitRangesResolveAgainstTheLog) {
    auto r = resolveRange(std::string("bytes=-100 "), 1000);
    EXPECT_TRUE(r.present);
    EXPECT_EQ(r.span.first, 900u);
    EXPECT_EQ(r.span.end, 1000u);
    r = resolveRange(std::string("bytes=-5000"), 1000);
    EXPECT_EQ(r.span.first, 0u);
    r = resolveRange(std::string("bytes=10-19"), 1000);
    EXPECT_EQ(r.span.first, 10u);
    EXPECT_EQ(r.span.end, 20u);
    r = resolveRange(std::string("bytes=990-"), 1000);
    EXPECT_EQ(r.span.end, 1000u);
    EXPECT_FALSE(resolveRange(std::string("bytes=-10"), 0).satisfiable);
    EXPECT_FALSE(resolveRange(std::string("bytes=2000-"), 1000).satisfiable);
    EXPECT_FALSE(resolveRange(std::string("lines=1-2"), 1000).present);
    EXPECT_FALSE(resolveRange(std::nullopt, 1000).present);
}

TEST(HttpModes, ChunkedAnswerHoldsTheLogTailAndEndsWithTheTerminator) {
    const LogBuffer log = logOf(400);
    const HttpAnswer a = answer(HttpMode::Chunked, rangeRequest("bytes=-10000 "), log);
    EXPECT_EQ(a.status, 200);
    const Split parts = splitAnswer(a.bytes);
    EXPECT_EQ(parts.head.substr(0, 17), "HTTP/1.1 200 OK\r\n");
    EXPECT_NE(parts.head.find("Transfer-Encoding: chunked\r\n"), std::string::npos);
    const auto [body, complete] = dechunk(parts.body);
    EXPECT_TRUE(complete);
    EXPECT_EQ(body, log.held().substr(log.held().size() - 10000));

    // The client's anchor, the fifth piece from the end, is the last log line.
    const auto pieces = clientview::split(clientview::lfToCrLf(body) + "\r\n0\r\n\r\n", "\r\n");
    EXPECT_EQ(pieces[pieces.size() - 5], "  0:39 say;g;1;Bob;\x15line 399");

    const HttpAnswer empty = answer(HttpMode::Chunked, rangeRequest("bytes=-10000"), LogBuffer{});
    EXPECT_EQ(empty.status, 200);
    EXPECT_EQ(splitAnswer(empty.bytes).body, "0\r\n\r\n");
}

TEST(HttpModes, PartialAnswerCarriesExactContentRangeAndLength) {
    const LogBuffer log = logOf(300);
    const std::uint64_t total = log.totalSize();
    const HttpAnswer a = answer(HttpMode::Partial, rangeRequest("bytes=-1000"), log);
    EXPECT_EQ(a.status, 206);
    const Split parts = splitAnswer(a.bytes);
    EXPECT_EQ(parts.head.substr(0, 30), "HTTP/1.1 206 Partial Content\r\n");
    EXPECT_NE(parts.head.find("Content-Length: 1000\r\n"), std::string::npos);
    EXPECT_NE(parts.head.find("Content-Range: bytes " + std::to_string(total - 1000) + "-" +
                              std::to_string(total - 1) + "/" + std::to_string(total) + "\r\n"),
              std::string::npos);
    EXPECT_EQ(parts.body, log.held().substr(log.held().size() - 1000));

    const HttpAnswer whole = answer(HttpMode::Partial, rangeRequest("bytes=-999999"), log);
    EXPECT_NE(whole.bytes.find("Content-Range: bytes 0-" + std::to_string(total - 1) + "/" +
                               std::to_string(total) + "\r\n"),
              std::string::npos);

    const HttpAnswer none = answer(HttpMode::Partial, rangeRequest("bytes=-10"), LogBuffer{});
    EXPECT_EQ(none.status, 416);
    EXPECT_NE(none.bytes.find("Content-Range: bytes */0\r\n"), std::string::npos);
}

TEST(HttpModes, WaitAnswerIsA403WithTheSecondsAfterWait) {
    HttpSettings settings;
    settings.mode = HttpMode::Wait;
    settings.waitSeconds = 9;
    Random random(1);
    const HttpAnswer a =
        answerHttp(rangeRequest("bytes=-10000"), "/logs/games_mp.log", logOf(3), settings, random);
    EXPECT_EQ(a.status, 403);
    const std::string exchange = std::string(kClientRequest) + a.bytes;
    const auto pieces = clientview::split(exchange, "\r\n");
    EXPECT_TRUE(clientview::endsWith(pieces[5], "403"));
    const std::size_t wait = exchange.find("wait");
    ASSERT_NE(wait, std::string::npos);
    EXPECT_EQ(exchange.substr(wait + 4, 2), " 9");

    // The setup wizard splits into at most ten parts; "Please wait" is at 59 of the tenth.
    const std::size_t ninth = [&] {
        std::size_t at = 0;
        for (int i = 0; i < 9; ++i)
            at = exchange.find("\r\n", at) + 2;
        return at;
    }();
    EXPECT_EQ(clientview::mid(exchange.substr(ninth), 59, 11), "Please wait");
}

TEST(HttpModes, UnknownPathsAndNotFoundModeGive404) {
    const LogBuffer log = logOf(3);
    const HttpAnswer unknown =
        answer(HttpMode::Chunked, rangeRequest("bytes=-10", "/other.log"), log);
    EXPECT_EQ(unknown.status, 404);
    const auto pieces = clientview::split(std::string(kClientRequest) + unknown.bytes, "\r\n");
    EXPECT_TRUE(clientview::endsWith(pieces[5], "Not Found"));
    EXPECT_EQ(answer(HttpMode::NotFound, rangeRequest("bytes=-10"), log).status, 404);
    EXPECT_EQ(
        answer(HttpMode::Chunked, request("GET /logs/games_mp.log?x=1 HTTP/1.1\r\n"), log).status,
        200);
}

TEST(HttpModes, BadRequestPageHasNoStatusLineAndTheTitleOnItsSecondLine) {
    const HttpAnswer a = answer(HttpMode::BadRequest, rangeRequest("bytes=-10"), logOf(3));
    EXPECT_TRUE(a.close);
    const auto pieces = clientview::split(std::string(kClientRequest) + a.bytes, "\r\n");
    EXPECT_EQ(pieces[5], "<html>");
    EXPECT_EQ(pieces[6], "<head><title>400 Bad Request</title></head>");
    EXPECT_EQ(badRequestAnswer().bytes, a.bytes);
}

TEST(HttpModes, BrokenAnswersNeverCompleteTheChunkedBody) {
    const LogBuffer log = logOf(50);
    const HttpAnswer cut = answer(HttpMode::Cut, rangeRequest("bytes=-10000"), log);
    EXPECT_TRUE(cut.close);
    EXPECT_FALSE(dechunk(splitAnswer(cut.bytes).body).second);
    EXPECT_GT(cut.bodyBytes, 0u);

    const HttpAnswer stall = answer(HttpMode::Stall, rangeRequest("bytes=-10000"), log);
    EXPECT_TRUE(stall.stall);
    EXPECT_TRUE(stall.bytes.empty());

    const HttpAnswer garbage = answer(HttpMode::Garbage, rangeRequest("bytes=-10000"), log);
    EXPECT_TRUE(garbage.close);
    EXPECT_GE(garbage.bytes.size(), 256u);
    EXPECT_NE(garbage.bytes.substr(0, 5), "HTTP/");

    HttpSettings settings;
    settings.mode = HttpMode::Error;
    settings.errorStatus = 502;
    Random random(1);
    const HttpAnswer error =
        answerHttp(rangeRequest("bytes=-1"), "/logs/games_mp.log", log, settings, random);
    EXPECT_EQ(error.bytes.substr(0, 26), "HTTP/1.1 502 Bad Gateway\r\n");
}

TEST(LogKeeping, OldBytesAreDroppedButOffsetsStayWholeLog) {
    LogBuffer log(100);
    for (int i = 0; i < 30; ++i)
        log.appendLine("line " + std::to_string(i));
    EXPECT_LE(log.held().size(), 100u);
    EXPECT_EQ(log.totalSize(), log.firstHeld() + log.held().size());
    EXPECT_EQ(log.range(log.totalSize() - 8, log.totalSize()), "line 29\n");
    EXPECT_EQ(log.range(0, 5), "");
}
