#include "logfeed/httpresponse.h"

#include "core/ascii.h"
#include "core/gametext.h"

#include <algorithm>

namespace corvane {
namespace {

constexpr std::string_view kHttpPrefix = "HTTP/";
// Chunk-size, chunk-end and trailer lines are short; a longer one is hostile.
constexpr std::size_t kMaxFramingLine = 4096;
// While a body arrives it may run this far over its bound before the front is
// dropped, so that tiny pieces do not each move a whole megabyte.
constexpr std::size_t kBodySlack = HttpResponseDecoder::kMaxBody / 4;

std::string_view trimSpaceTab(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// The last comma-separated element of a field value, trimmed.
std::string_view lastListElement(std::string_view value) {
    const std::size_t comma = value.rfind(',');
    return trimSpaceTab(comma == std::string_view::npos ? value : value.substr(comma + 1));
}

} // namespace

const std::string* HttpResponseDecoder::header(std::string_view name) const {
    for (const Header& h : m_headers)
        if (equalsIgnoringCase(h.first, name)) return &h.second;
    return nullptr;
}

void HttpResponseDecoder::feed(std::string_view piece) {
    while (!piece.empty() && m_state != State::Complete && m_state != State::Failed)
        piece.remove_prefix(consume(piece));
}

void HttpResponseDecoder::finish() {
    m_finished = true;
    switch (m_state) {
    case State::StatusLine:
        if (m_line.empty()) {
            fail("the connection closed without a reply");
        } else if (m_line.starts_with(kHttpPrefix)) {
            fail("the reply was cut short");
        } else {
            m_headerless = true;
            appendBody(m_line);
            m_line.clear();
            markComplete();
        }
        break;
    case State::Headerless:
        markComplete();
        break;
    case State::Body:
        if (m_framing == Framing::Close)
            markComplete();
        else
            fail("the reply was cut short");
        break;
    case State::Complete:
    case State::Failed:
        break;
    default:
        fail("the reply was cut short");
    }
}

std::size_t HttpResponseDecoder::consume(std::string_view data) {
    switch (m_state) {
    case State::StatusLine: {
        // Blank lines before the status line are tolerated.
        if (m_line.empty() && (data.front() == '\r' || data.front() == '\n')) return 1;
        const std::size_t have = m_line.size();
        if (have < kHttpPrefix.size()) {
            const std::size_t n = std::min(kHttpPrefix.size() - have, data.size());
            if (data.substr(0, n) != kHttpPrefix.substr(have, n)) {
                m_headerless = true;
                m_state = State::Headerless;
                appendBody(m_line);
                m_line.clear();
                return 0;
            }
        }
        return consumeLine(data);
    }
    case State::Headers:
    case State::ChunkSize:
    case State::ChunkDataEnd:
    case State::Trailers:
        return consumeLine(data);
    case State::Body:
        return consumeBody(data);
    case State::ChunkData: {
        const std::size_t n = static_cast<std::size_t>(
            std::min<std::uint64_t>(m_remaining, static_cast<std::uint64_t>(data.size())));
        appendBody(data.substr(0, n));
        m_remaining -= n;
        if (m_remaining == 0) m_state = State::ChunkDataEnd;
        return n;
    }
    case State::Headerless:
        appendBody(data);
        return data.size();
    case State::Complete:
    case State::Failed:
        return data.size();
    }
    return data.size();
}

std::size_t HttpResponseDecoder::consumeLine(std::string_view data) {
    const std::size_t lf = data.find('\n');
    const std::size_t take = lf == std::string_view::npos ? data.size() : lf;
    m_line.append(data.substr(0, take));
    const bool inHead = m_state == State::StatusLine || m_state == State::Headers;
    const std::size_t limit =
        inHead ? kMaxHead - std::min(kMaxHead, m_head.size()) : kMaxFramingLine;
    if (m_line.size() > limit) {
        fail(inHead ? "the reply head is too large" : "a framing line is too long");
        return data.size();
    }
    if (lf == std::string_view::npos) return data.size();
    std::string line = std::move(m_line);
    m_line.clear();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    takeLine(line);
    return lf + 1;
}

void HttpResponseDecoder::takeLine(std::string_view line) {
    switch (m_state) {
    case State::StatusLine:
        takeStatusLine(line);
        break;
    case State::Headers:
        takeHeaderLine(line);
        break;
    case State::ChunkSize:
        takeChunkSize(line);
        break;
    case State::ChunkDataEnd:
        if (line.empty())
            m_state = State::ChunkSize;
        else
            fail("a chunk is longer than its size says");
        break;
    case State::Trailers:
        if (line.empty()) markComplete();
        break;
    default:
        break;
    }
}

void HttpResponseDecoder::takeStatusLine(std::string_view line) {
    // HTTP/<version> <three digits>[ <reason>]
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos || line.size() < space + 4 ||
        !isAsciiDigit(line[space + 1]) || !isAsciiDigit(line[space + 2]) ||
        !isAsciiDigit(line[space + 3]) || (line.size() > space + 4 && line[space + 4] != ' ')) {
        fail("the status line cannot be read");
        return;
    }
    const int code =
        (line[space + 1] - '0') * 100 + (line[space + 2] - '0') * 10 + (line[space + 3] - '0');
    if (code < 100) {
        fail("the status line cannot be read");
        return;
    }
    m_head.append(line).push_back('\n');
    m_state = State::Headers;
    if (code < 200) {
        // An interim answer: its header block is read and the real status follows.
        m_interim = true;
        return;
    }
    m_statusLine = std::string(line);
    m_statusCode = code;
}

void HttpResponseDecoder::takeHeaderLine(std::string_view line) {
    if (line.empty()) {
        headersEnded();
        return;
    }
    m_head.append(line).push_back('\n');
    if (m_interim) return;
    if ((line.front() == ' ' || line.front() == '\t') && !m_headers.empty()) {
        // An old-style continuation of the previous field.
        std::string& value = m_headers.back().second;
        value += ' ';
        value += trimSpaceTab(line);
        return;
    }
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0) return; // not a field: ignored
    m_headers.emplace_back(std::string(trimSpaceTab(line.substr(0, colon))),
                           std::string(trimSpaceTab(line.substr(colon + 1))));
}

void HttpResponseDecoder::headersEnded() {
    if (m_interim) {
        m_interim = false;
        m_state = State::StatusLine;
        return;
    }
    if (m_statusCode == 204 || m_statusCode == 304) {
        markComplete();
        return;
    }
    if (const std::string* coding = header("Transfer-Encoding")) {
        // Chunked must be the last coding; otherwise the body runs to the close.
        m_framing = equalsIgnoringCase(lastListElement(*coding), "chunked") ? Framing::Chunked
                                                                            : Framing::Close;
        m_state = m_framing == Framing::Chunked ? State::ChunkSize : State::Body;
        return;
    }
    bool haveLength = false;
    std::uint64_t length = 0;
    for (const Header& h : m_headers) {
        if (!equalsIgnoringCase(h.first, "Content-Length")) continue;
        // "n" or a repeated "n, n"; differing or non-numeric values are refused.
        std::string_view rest = h.second;
        while (true) {
            const std::size_t comma = rest.find(',');
            const std::string_view item = trimSpaceTab(rest.substr(0, comma));
            if (item.empty() || item.size() > 15) return fail("the Content-Length cannot be read");
            std::uint64_t value = 0;
            for (char c : item) {
                if (!isAsciiDigit(c)) return fail("the Content-Length cannot be read");
                value = value * 10 + static_cast<std::uint64_t>(c - '0');
            }
            if (haveLength && value != length) return fail("the Content-Length cannot be read");
            haveLength = true;
            length = value;
            if (comma == std::string_view::npos) break;
            rest.remove_prefix(comma + 1);
        }
    }
    m_framing = haveLength ? Framing::Length : Framing::Close;
    m_remaining = length;
    m_state = haveLength && length == 0 ? State::Complete : State::Body;
}

void HttpResponseDecoder::takeChunkSize(std::string_view line) {
    const std::size_t semicolon = line.find(';');
    const std::string_view digits =
        trimSpaceTab(semicolon == std::string_view::npos ? line : line.substr(0, semicolon));
    if (digits.empty() || digits.size() > 15) return fail("a chunk size cannot be read");
    std::uint64_t size = 0;
    for (char c : digits) {
        const int v = hexDigitValue(c);
        if (v < 0) return fail("a chunk size cannot be read");
        size = size * 16 + static_cast<std::uint64_t>(v);
    }
    if (size == 0) {
        m_state = State::Trailers;
        return;
    }
    m_remaining = size;
    m_state = State::ChunkData;
}

std::size_t HttpResponseDecoder::consumeBody(std::string_view data) {
    if (m_framing == Framing::Close) {
        appendBody(data);
        return data.size();
    }
    const std::size_t n = static_cast<std::size_t>(
        std::min<std::uint64_t>(m_remaining, static_cast<std::uint64_t>(data.size())));
    appendBody(data.substr(0, n));
    m_remaining -= n;
    if (m_remaining == 0) markComplete();
    return n;
}

void HttpResponseDecoder::appendBody(std::string_view data) {
    m_body.append(data);
    if (m_body.size() > kMaxBody + kBodySlack) {
        m_dropped += m_body.size() - kMaxBody;
        m_body.erase(0, m_body.size() - kMaxBody);
    }
}

void HttpResponseDecoder::markComplete() {
    m_state = State::Complete;
    if (m_body.size() > kMaxBody) {
        m_dropped += m_body.size() - kMaxBody;
        m_body.erase(0, m_body.size() - kMaxBody);
    }
}

void HttpResponseDecoder::fail(std::string why) {
    m_state = State::Failed;
    m_failure = std::move(why);
    m_line.clear();
}

} // namespace corvane
