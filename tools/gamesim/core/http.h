#pragma once
// HTTP/1.1 on the log host: reading requests (bounded) and building the
// answers of its modes. Pure over bytes.

#include "gamesim/core/logbuffer.h"
#include "gamesim/core/random.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gamesim {

struct HttpRequest {
    std::string method;
    std::string target;
    std::string version;
    std::vector<std::pair<std::string, std::string>> headers;

    // The value of the first header with this name (ignoring case), as sent.
    std::optional<std::string> header(std::string_view name) const;
    // The target without a query and without "http://host" in front.
    std::string path() const;
};

// Collects bytes from one connection and hands out complete request heads.
class HttpRequestReader {
public:
    static constexpr std::size_t kMaxHeadBytes = 8192;
    static constexpr std::size_t kMaxHeaders = 64;
    enum class Status { NeedMore, Ready, Bad };

    // Adds bytes; Ready when a whole request head is waiting (take() it, then
    // call feed({}) to look for a further one), Bad when the head is malformed
    // or too large (the connection should get the error page and be closed).
    Status feed(std::string_view bytes);
    HttpRequest take();

private:
    std::string m_buffer;
    std::optional<HttpRequest> m_ready;
};

std::optional<HttpRequest> parseRequestHead(std::string_view head);

// A byte range resolved against the log: [first, end) in whole-log offsets.
struct ByteSpan {
    std::uint64_t first = 0;
    std::uint64_t end = 0;
};
struct RangeResult {
    bool present = false;    // the request carried a Range header
    bool satisfiable = true; // false: 416
    ByteSpan span;
};
// Resolves "bytes=-N", "bytes=A-" and "bytes=A-B" (blanks around allowed)
// against a log of `total` bytes. No Range (or one this server does not
// understand) means the whole log.
RangeResult resolveRange(const std::optional<std::string>& rangeHeader, std::uint64_t total);

} // namespace gamesim
