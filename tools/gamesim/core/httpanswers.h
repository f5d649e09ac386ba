#pragma once
// The log host's answers. The provider's normal answer to a suffix range is
// "200 OK" with a chunked body holding the last bytes of the log; the other
// modes reproduce what a plain web server, an overloaded provider or a broken
// network give instead.

#include "gamesim/core/http.h"

#include <optional>
#include <string>
#include <string_view>

namespace gamesim {

enum class HttpMode {
    Chunked,    // 200 OK, Transfer-Encoding: chunked, one chunk
    Partial,    // 206 Partial Content with Content-Length and Content-Range
    Tiny,       // 200 OK chunked in tiny chunks that cut log lines
    Wait,       // 403 with a "Please wait N seconds" page
    NotFound,   // 404 Not Found, also for the log's own path
    BadRequest, // the bare 400 Bad Request page, no status line or headers
    Error,      // a 5xx status with an error page
    Stall,      // nothing is ever sent
    Cut,        // the 200 chunked answer, closed half-way through the body
    Garbage,    // random bytes, then the connection closes
};

std::string_view httpModeName(HttpMode mode);
std::optional<HttpMode> parseHttpMode(std::string_view name);

struct HttpSettings {
    HttpMode mode = HttpMode::Chunked;
    std::size_t tinyChunk = 7; // data bytes per chunk in Tiny mode
    int waitSeconds = 9;       // the number in the 403 page
    int errorStatus = 503;     // the status in Error mode
};

struct HttpAnswer {
    int status = 0; // 0: no status line (bare page, garbage, stall)
    std::string bytes;
    std::size_t bodyBytes = 0; // log bytes carried
    bool close = false;        // close the connection once the bytes are out
    bool stall = false;        // send nothing and ignore the connection
};

// Largest piece of the log served in one answer.
inline constexpr std::uint64_t kMaxBodyBytes = 1024 * 1024;

HttpAnswer answerHttp(const HttpRequest& request, std::string_view logPath, const LogBuffer& log,
                      const HttpSettings& settings, Random& random);
// The answer to bytes that are not a request: the bare 400 page.
HttpAnswer badRequestAnswer();
std::string chunkedBody(std::string_view data, std::size_t chunkBytes);
// The error page body ("<html>", "<head><title>CODE TEXT</title></head>", ...).
std::string errorPage(int status, std::string_view reason);

} // namespace gamesim
