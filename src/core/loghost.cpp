#include "core/loghost.h"

#include "core/ascii.h"
#include "core/gametext.h"
#include "core/numbers.h"

namespace corvane {
namespace {

constexpr std::string_view kScheme = "http://";

bool validHostChar(char c) {
    return isAsciiLetter(c) || isAsciiDigit(c) || c == '.' || c == '-' || c == '_';
}

} // namespace

std::string LogHostAddress::hostHeader() const {
    return port == 80 ? host : host + ":" + std::to_string(port);
}

std::optional<LogHostAddress> parseLogHost(std::string_view address) {
    if (!startsWithIgnoringCase(address, kScheme)) return std::nullopt;
    std::string_view rest = address.substr(kScheme.size());
    if (!rest.empty() && rest.back() == '/') rest.remove_suffix(1);
    if (rest.find('/') != std::string_view::npos) return std::nullopt;

    LogHostAddress out;
    const std::size_t colon = rest.find(':');
    out.host = std::string(rest.substr(0, colon));
    if (out.host.empty()) return std::nullopt;
    for (char c : out.host)
        if (!validHostChar(c)) return std::nullopt;
    if (colon != std::string_view::npos) {
        const std::string_view portText = rest.substr(colon + 1);
        if (portText.empty()) return std::nullopt;
        for (char c : portText)
            if (!isAsciiDigit(c)) return std::nullopt;
        const auto port = toInt32(portText);
        if (!port || *port < 1 || *port > 65535) return std::nullopt;
        out.port = static_cast<std::uint16_t>(*port);
    }
    out.prefix = std::string(address.substr(0, kScheme.size() + rest.size()));
    return out;
}

std::optional<LogHostAddress> resolveLogHost(std::string_view configured, std::string_view logUrl) {
    if (!configured.empty())
        if (auto host = parseLogHost(configured)) return host;
    if (!startsWithIgnoringCase(logUrl, kScheme)) return std::nullopt;
    const std::size_t pathStart = logUrl.find('/', kScheme.size());
    return parseLogHost(logUrl.substr(0, pathStart));
}

} // namespace corvane
