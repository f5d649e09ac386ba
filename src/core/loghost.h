#pragma once
// Where the server log is fetched from: the provider's log host, given in the
// advanced settings or, when that is empty, taken from the log URL itself.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

struct LogHostAddress {
    std::string prefix; // "http://host" or "http://host:port", as written
    std::string host;
    std::uint16_t port = 80;

    // The Host header value: the host, with ":port" when the port is not 80.
    std::string hostHeader() const;
};

// "http://host" or "http://host:port" (a trailing "/" is allowed). Anything
// else - another scheme, no host, a bad port - gives nothing.
std::optional<LogHostAddress> parseLogHost(std::string_view address);

// The configured log host when it is set and valid, otherwise the scheme,
// host and optional port of the log URL (everything before its path).
std::optional<LogHostAddress> resolveLogHost(std::string_view configured, std::string_view logUrl);

} // namespace corvane
