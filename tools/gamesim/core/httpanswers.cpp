#include "gamesim/core/httpanswers.h"

#include <array>
#include <cstdio>

namespace gamesim {
namespace {

constexpr std::string_view kServerHeader = "Server: loghost\r\n";

struct ModeName {
    HttpMode mode;
    std::string_view name;
};
constexpr std::array<ModeName, 10> kModeNames = {{
    {HttpMode::Chunked, "chunked"},
    {HttpMode::Partial, "partial"},
    {HttpMode::Tiny, "tiny"},
    {HttpMode::Wait, "wait"},
    {HttpMode::NotFound, "notfound"},
    {HttpMode::BadRequest, "badrequest"},
    {HttpMode::Error, "error"},
    {HttpMode::Stall, "stall"},
    {HttpMode::Cut, "cut"},
    {HttpMode::Garbage, "garbage"},
}};

std::string_view reasonPhrase(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 206:
        return "Partial Content";
    case 400:
        return "Bad Request";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Not Allowed";
    case 416:
        return "Requested Range Not Satisfiable";
    case 500:
        return "Internal Server Error";
    case 502:
        return "Bad Gateway";
    case 503:
        return "Service Temporarily Unavailable";
    case 504:
        return "Gateway Time-out";
    default:
        return "Error";
    }
}

std::string statusLine(int status) {
    return "HTTP/1.1 " + std::to_string(status) + " " + std::string(reasonPhrase(status)) + "\r\n";
}

HttpAnswer pageAnswer(int status, bool close) {
    const std::string body = errorPage(status, reasonPhrase(status));
    HttpAnswer a;
    a.status = status;
    a.bytes = statusLine(status) + std::string(kServerHeader) + "Content-Type: text/html\r\n" +
              "Content-Length: " + std::to_string(body.size()) + "\r\n" +
              (close ? "Connection: close\r\n" : "Connection: keep-alive\r\n") + "\r\n" + body;
    a.close = close;
    return a;
}

std::string chunkedHead() {
    return statusLine(200) + std::string(kServerHeader) +
           "Content-Type: text/plain\r\nTransfer-Encoding: chunked\r\n"
           "Connection: keep-alive\r\n\r\n";
}

HttpAnswer chunkedAnswer(std::string_view data, std::size_t chunkBytes) {
    HttpAnswer a;
    a.status = 200;
    a.bodyBytes = data.size();
    a.bytes = chunkedHead() + chunkedBody(data, chunkBytes);
    return a;
}

// The chunked answer broken off half-way through its one chunk.
HttpAnswer cutAnswer(std::string_view data) {
    HttpAnswer a;
    a.status = 200;
    a.close = true;
    a.bytes = chunkedHead();
    if (!data.empty()) {
        const std::string whole = chunkedBody(data, 0);
        const std::size_t sizeLine = whole.find("\r\n") + 2;
        a.bodyBytes = data.size() / 2;
        a.bytes += whole.substr(0, sizeLine) + std::string(data.substr(0, a.bodyBytes));
    }
    return a;
}

HttpAnswer partialAnswer(const RangeResult& range, std::string_view data, std::uint64_t total) {
    if (range.present && !range.satisfiable) {
        HttpAnswer a;
        a.status = 416;
        a.bytes = statusLine(416) + std::string(kServerHeader) + "Content-Range: bytes */" +
                  std::to_string(total) + "\r\nContent-Length: 0\r\nConnection: keep-alive\r\n\r\n";
        return a;
    }
    HttpAnswer a;
    a.status = range.present ? 206 : 200;
    a.bodyBytes = data.size();
    a.bytes = statusLine(a.status) + std::string(kServerHeader) + "Content-Type: text/plain\r\n" +
              "Content-Length: " + std::to_string(data.size()) + "\r\n";
    if (range.present)
        a.bytes += "Content-Range: bytes " + std::to_string(range.span.first) + "-" +
                   std::to_string(range.span.end - 1) + "/" + std::to_string(total) + "\r\n";
    a.bytes += "Connection: keep-alive\r\n\r\n";
    a.bytes += data;
    return a;
}

// The provider's "slow down" answer. Its status line carries no reason
// phrase, and its page puts "Please wait" 56 bytes into the body.
HttpAnswer waitAnswer(int seconds) {
    const std::string body =
        "<html><head><title>403 Forbidden</title></head><body><p>Please wait " +
        std::to_string(seconds) + " seconds before requesting the log again.</p></body></html>";
    HttpAnswer a;
    a.status = 403;
    a.close = true;
    a.bytes = "HTTP/1.1 403\r\nContent-Type: text/html\r\nContent-Length: " +
              std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    return a;
}

HttpAnswer garbageAnswer(Random& random) {
    HttpAnswer a;
    a.close = true;
    const int size = 256 + random.below(512);
    for (int i = 0; i < size; ++i)
        a.bytes += static_cast<char>(random.below(256));
    return a;
}

} // namespace

std::string_view httpModeName(HttpMode mode) {
    for (const auto& m : kModeNames)
        if (m.mode == mode) return m.name;
    return "chunked";
}

std::optional<HttpMode> parseHttpMode(std::string_view name) {
    for (const auto& m : kModeNames)
        if (m.name == name) return m.mode;
    return std::nullopt;
}

std::string chunkedBody(std::string_view data, std::size_t chunkBytes) {
    if (chunkBytes == 0) chunkBytes = data.size();
    std::string out;
    for (std::size_t pos = 0; pos < data.size(); pos += chunkBytes) {
        const std::string_view piece = data.substr(pos, chunkBytes);
        char size[24];
        std::snprintf(size, sizeof size, "%zx\r\n", piece.size());
        out += size;
        out += piece;
        out += "\r\n";
    }
    out += "0\r\n\r\n";
    return out;
}

std::string errorPage(int status, std::string_view reason) {
    const std::string title = std::to_string(status) + " " + std::string(reason);
    return "<html>\r\n<head><title>" + title + "</title></head>\r\n<body>\r\n<center><h1>" + title +
           "</h1></center>\r\n<hr><center>loghost</center>\r\n</body>\r\n</html>\r\n";
}

HttpAnswer badRequestAnswer() {
    HttpAnswer a;
    a.bytes = errorPage(400, "Bad Request");
    a.close = true;
    return a;
}

HttpAnswer answerHttp(const HttpRequest& request, std::string_view logPath, const LogBuffer& log,
                      const HttpSettings& settings, Random& random) {
    if (request.method != "GET") return pageAnswer(405, false);
    if (request.path() != logPath || settings.mode == HttpMode::NotFound)
        return pageAnswer(404, false);

    const std::uint64_t total = log.totalSize();
    const RangeResult range = resolveRange(request.header("Range"), total);
    ByteSpan span = range.satisfiable ? range.span : ByteSpan{total, total};
    if (span.end - span.first > kMaxBodyBytes) span.first = span.end - kMaxBodyBytes;
    const std::string_view data = log.range(span.first, span.end);

    switch (settings.mode) {
    case HttpMode::Chunked:
        return chunkedAnswer(data, 0);
    case HttpMode::Tiny:
        return chunkedAnswer(data, settings.tinyChunk);
    case HttpMode::Partial:
        return partialAnswer(range, data, total);
    case HttpMode::Wait:
        return waitAnswer(settings.waitSeconds);
    case HttpMode::BadRequest:
        return badRequestAnswer();
    case HttpMode::Error:
        return pageAnswer(settings.errorStatus, true);
    case HttpMode::Garbage:
        return garbageAnswer(random);
    case HttpMode::Stall: {
        HttpAnswer a;
        a.stall = true;
        return a;
    }
    case HttpMode::Cut:
        return cutAnswer(data);
    case HttpMode::NotFound:
        break;
    }
    return pageAnswer(404, false);
}

} // namespace gamesim
