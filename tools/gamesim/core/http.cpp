#include "gamesim/core/http.h"

#include "gamesim/core/text.h"

namespace gamesim {
namespace {

std::optional<std::uint64_t> digits(std::string_view text) {
    if (text.empty() || text.size() > 18) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value;
}

bool validToken(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (static_cast<unsigned char>(c) <= 0x20 || static_cast<unsigned char>(c) >= 0x7F)
            return false;
    return true;
}

} // namespace

std::optional<std::string> HttpRequest::header(std::string_view name) const {
    for (const auto& [key, value] : headers)
        if (equalsIgnoringCase(key, name)) return value;
    return std::nullopt;
}

std::string HttpRequest::path() const {
    std::string_view t = target;
    if (t.size() > 7 && equalsIgnoringCase(t.substr(0, 7), "http://")) {
        const std::size_t slash = t.find('/', 7);
        t = slash == std::string_view::npos ? std::string_view("/") : t.substr(slash);
    }
    return std::string(t.substr(0, t.find('?')));
}

std::optional<HttpRequest> parseRequestHead(std::string_view head) {
    std::vector<std::string_view> lines;
    while (!head.empty()) {
        const std::size_t lf = head.find('\n');
        std::string_view line = head.substr(0, lf);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        head = lf == std::string_view::npos ? std::string_view() : head.substr(lf + 1);
    }
    if (lines.empty()) return std::nullopt;
    const std::vector<std::string> words = splitWords(lines[0]);
    if (words.size() != 3 || !validToken(words[0]) || words[1].empty() || words[1].size() > 2048 ||
        words[2].rfind("HTTP/1.", 0) != 0)
        return std::nullopt;
    HttpRequest request{words[0], words[1], words[2], {}};
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        const std::size_t colon = lines[i].find(':');
        if (colon == std::string_view::npos || !validToken(lines[i].substr(0, colon)))
            return std::nullopt;
        if (request.headers.size() >= HttpRequestReader::kMaxHeaders) return std::nullopt;
        request.headers.emplace_back(std::string(lines[i].substr(0, colon)),
                                     std::string(trimBlanks(lines[i].substr(colon + 1))));
    }
    return request;
}

HttpRequestReader::Status HttpRequestReader::feed(std::string_view bytes) {
    if (m_ready) return Status::Ready;
    m_buffer += bytes;
    // Blank lines between requests are allowed and skipped.
    std::size_t lead = 0;
    while (lead < m_buffer.size() && (m_buffer[lead] == '\r' || m_buffer[lead] == '\n'))
        ++lead;
    m_buffer.erase(0, lead);
    std::size_t end = m_buffer.find("\r\n\r\n");
    std::size_t skip = 4;
    const std::size_t bare = m_buffer.find("\n\n");
    if (bare != std::string::npos && (end == std::string::npos || bare < end)) {
        end = bare;
        skip = 2;
    }
    if (end == std::string::npos) {
        return m_buffer.size() > kMaxHeadBytes ? Status::Bad : Status::NeedMore;
    }
    if (end > kMaxHeadBytes) return Status::Bad;
    auto request = parseRequestHead(std::string_view(m_buffer).substr(0, end));
    m_buffer.erase(0, end + skip);
    if (!request) return Status::Bad;
    m_ready = std::move(request);
    return Status::Ready;
}

HttpRequest HttpRequestReader::take() {
    HttpRequest out = m_ready ? std::move(*m_ready) : HttpRequest{};
    m_ready.reset();
    return out;
}

RangeResult resolveRange(const std::optional<std::string>& rangeHeader, std::uint64_t total) {
    RangeResult result;
    result.span = {0, total};
    if (!rangeHeader) return result;
    std::string_view spec = trimBlanks(*rangeHeader);
    if (spec.rfind("bytes=", 0) != 0) return result;
    spec = trimBlanks(spec.substr(6));
    const std::size_t dash = spec.find('-');
    if (dash == std::string_view::npos || spec.find(',') != std::string_view::npos) return result;
    const std::string_view left = trimBlanks(spec.substr(0, dash));
    const std::string_view right = trimBlanks(spec.substr(dash + 1));
    result.present = true;
    if (left.empty()) {
        const auto n = digits(right);
        if (!n) return RangeResult{false, true, {0, total}};
        result.satisfiable = *n > 0 && total > 0;
        result.span = {total - std::min(*n, total), total};
        return result;
    }
    const auto a = digits(left);
    const auto b = right.empty() ? std::optional<std::uint64_t>(UINT64_MAX - 1) : digits(right);
    if (!a || !b || *b < *a) return RangeResult{false, true, {0, total}};
    result.satisfiable = *a < total;
    result.span =
        result.satisfiable ? ByteSpan{*a, std::min(*b + 1, total)} : ByteSpan{total, total};
    return result;
}

} // namespace gamesim
