// The log host: bad requests, the modes no end-to-end run switches to, and
// the bound on the log it keeps.

#include "gamesim/core/http.h"
#include "gamesim/core/httpanswers.h"

#include <gtest/gtest.h>

using namespace gamesim;

namespace {

HttpRequest get(std::string_view path) {
    const auto parsed =
        parseRequestHead("GET " + std::string(path) + " HTTP/1.1\r\nRange: bytes=-1000\r\n");
    EXPECT_TRUE(parsed) << path;
    return parsed.value_or(HttpRequest{});
}

LogBuffer logOf(int lines) {
    LogBuffer log;
    for (int i = 0; i < lines; ++i)
        log.appendLine("  0:01 say;g;1;Bob;\x15line " + std::to_string(i));
    return log;
}

} // namespace

TEST(HttpRequests, MalformedOrOversizedHeadsAreRefused) {
    for (const std::string& bad :
         {std::string("GARBAGE\r\n\r\n"), std::string("GET /x\r\n\r\n"),
          std::string("GET /x FTP/1.0\r\n\r\n"),
          std::string("GET /x HTTP/1.1\r\nno colon here\r\n\r\n"),
          "GET /x HTTP/1.1\r\nX: " + std::string(HttpRequestReader::kMaxHeadBytes, 'a')}) {
        HttpRequestReader reader;
        EXPECT_EQ(reader.feed(bad), HttpRequestReader::Status::Bad) << bad.substr(0, 40);
    }
}

TEST(HttpModes, BrokenAndRefusingHostsAnswerAsTheyWould) {
    const LogBuffer log = logOf(300);
    const std::string path = "/logs/games_mp.log";
    const struct {
        HttpMode mode;
        bool emptyLog;
        int status;
        const char *prefix, *fragment, *absent;
        bool close, stall;
    } cases[] = {
        {HttpMode::Partial, true, 416, "HTTP/1.1 416 ", "Content-Range: bytes */0\r\n", "", 0, 0},
        {HttpMode::Chunked, true, 200, "HTTP/1.1 200 OK\r\n", "\r\n\r\n0\r\n\r\n", "", 0, 0},
        {HttpMode::BadRequest, false, 0, "<html>\r\n<head><title>400 Bad Request</title>", "",
         "HTTP/", 1, 0},
        {HttpMode::Error, false, 502, "HTTP/1.1 502 Bad Gateway\r\n", "<h1>502 Bad Gateway", "", 1,
         0},
        {HttpMode::Cut, false, 200, "HTTP/1.1 200 OK\r\n", "say;g;1;Bob;", "\r\n0\r\n\r\n", 1, 0},
        {HttpMode::Garbage, false, 0, "", "", "HTTP/", 1, 0},
        {HttpMode::Stall, false, 0, "", "", "", 0, 1},
    };
    for (const auto& c : cases) {
        Random random(7);
        const HttpAnswer a = answerHttp(get(path), path, c.emptyLog ? LogBuffer{} : log,
                                        {.mode = c.mode, .errorStatus = 502}, random);
        const std::string prefix = c.prefix, absent = c.absent;
        const std::string_view label = httpModeName(c.mode);
        EXPECT_EQ(a.status, c.status) << label;
        EXPECT_EQ(a.bytes.substr(0, prefix.size()), prefix) << label;
        EXPECT_NE(a.bytes.find(c.fragment), std::string::npos) << label;
        EXPECT_TRUE(absent.empty() || a.bytes.find(absent) == std::string::npos) << label;
        EXPECT_EQ(a.close, c.close) << label;
        EXPECT_EQ(a.stall, c.stall) << label;
        EXPECT_GE(a.bytes.size(), c.mode == HttpMode::Garbage ? 256u : 0u) << label;
        EXPECT_TRUE(!c.stall || a.bytes.empty()) << label;
    }
    // Any other path is not found, whatever the mode.
    Random random(7);
    EXPECT_EQ(answerHttp(get("/other.log"), path, log, HttpSettings{}, random).status, 404);
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
