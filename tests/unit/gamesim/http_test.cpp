// The log host's request reading, ranges and the answers of the modes no
// end-to-end run switches to.

#include "gamesim/core/http.h"
#include "gamesim/core/httpanswers.h"

#include <gtest/gtest.h>

using namespace gamesim;

namespace {

HttpRequest get(std::string_view path, std::string_view range) {
    const auto parsed =
        parseRequestHead("GET " + std::string(path) +
                         " HTTP/1.1\r\nHost: x\r\nRange: " + std::string(range) + "\r\n");
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

TEST(HttpRanges, RangesResolveAgainstTheLog) {
    const struct {
        std::optional<std::string> header;
        std::uint64_t total;
        bool present, satisfiable;
        std::uint64_t first, end;
    } cases[] = {
        {"bytes=-100 ", 1000, true, true, 900, 1000}, {"bytes=-5000", 1000, true, true, 0, 1000},
        {"bytes= 10-19", 1000, true, true, 10, 20},   {"bytes=990-", 1000, true, true, 990, 1000},
        {"bytes=-10", 0, true, false, 0, 0},          {"bytes=2000-", 1000, true, false, 0, 0},
        {"lines=1-2", 1000, false, true, 0, 1000},    {std::nullopt, 1000, false, true, 0, 1000},
    };
    for (const auto& c : cases) {
        const RangeResult r = resolveRange(c.header, c.total);
        const std::string label = c.header.value_or("none");
        EXPECT_EQ(r.present, c.present) << label;
        EXPECT_EQ(r.satisfiable, c.satisfiable) << label;
        if (r.satisfiable) {
            EXPECT_EQ(r.span.first, c.first) << label;
            EXPECT_EQ(r.span.end, c.end) << label;
        }
    }
}

TEST(HttpModes, EachModeAnswersAsItsHostWould) {
    const LogBuffer log = logOf(300);
    const std::string total = std::to_string(log.totalSize());
    const std::string lastByte = std::to_string(log.totalSize() - 1);
    const std::string tailFirst = std::to_string(log.totalSize() - 1000);
    const std::string path = "/logs/games_mp.log";
    const struct {
        HttpMode mode;
        std::string path;
        bool emptyLog;
        int status;
        std::string prefix, fragment, absent;
        bool close;
    } cases[] = {
        {HttpMode::Partial, path, false, 206, "HTTP/1.1 206 Partial Content\r\n",
         "Content-Length: 1000\r\nContent-Range: bytes " + tailFirst + "-" + lastByte + "/" +
             total + "\r\n",
         "chunked", false},
        {HttpMode::Partial, path, true, 416, "HTTP/1.1 416 ", "Content-Range: bytes */0\r\n", "",
         false},
        {HttpMode::Chunked, path, true, 200, "HTTP/1.1 200 OK\r\n", "\r\n\r\n0\r\n\r\n", "", false},
        {HttpMode::Chunked, path + "?x=1", false, 200, "HTTP/1.1 200 OK\r\n", "", "", false},
        {HttpMode::Chunked, "/other.log", false, 404, "HTTP/1.1 404 Not Found\r\n", "", "", false},
        {HttpMode::NotFound, path, false, 404, "HTTP/1.1 404 Not Found\r\n", "", "", false},
        {HttpMode::Wait, path, false, 403, "HTTP/1.1 403\r\n", "<p>Please wait 9 seconds before",
         "", true},
        {HttpMode::BadRequest, path, false, 0,
         "<html>\r\n<head><title>400 Bad Request</title></head>\r\n", "", "HTTP/", true},
        {HttpMode::Error, path, false, 502, "HTTP/1.1 502 Bad Gateway\r\n", "<h1>502 Bad Gateway",
         "", true},
        {HttpMode::Cut, path, false, 200, "HTTP/1.1 200 OK\r\n", "say;g;1;Bob;", "\r\n0\r\n\r\n",
         true},
        {HttpMode::Garbage, path, false, 0, "", "", "HTTP/", true},
    };
    for (const auto& c : cases) {
        HttpSettings settings;
        settings.mode = c.mode;
        settings.errorStatus = 502;
        Random random(7);
        const HttpAnswer a = answerHttp(get(c.path, "bytes=-1000"), path,
                                        c.emptyLog ? LogBuffer{} : log, settings, random);
        const std::string label = std::string(httpModeName(c.mode)) + " " + c.path;
        EXPECT_EQ(a.status, c.status) << label;
        EXPECT_EQ(a.bytes.substr(0, c.prefix.size()), c.prefix) << label;
        EXPECT_NE(a.bytes.find(c.fragment), std::string::npos) << label;
        if (!c.absent.empty()) {
            EXPECT_EQ(a.bytes.find(c.absent), std::string::npos) << label;
        }
        EXPECT_EQ(a.close, c.close) << label;
        EXPECT_FALSE(a.stall) << label;
        EXPECT_GE(a.bytes.size(), c.mode == HttpMode::Garbage ? 256u : 1u) << label;
    }
    HttpSettings stall;
    stall.mode = HttpMode::Stall;
    Random random(7);
    const HttpAnswer silent = answerHttp(get(path, "bytes=-1000"), path, log, stall, random);
    EXPECT_TRUE(silent.stall);
    EXPECT_EQ(silent.bytes, "");
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
