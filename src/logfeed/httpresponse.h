#pragma once
// Decodes one HTTP/1.x response fed in arbitrary pieces: the status line, the
// header fields and the body, framed by chunked transfer coding, by
// Content-Length or by the end of the connection. Pure: it never touches a
// socket. Everything it keeps is bounded, whatever the peer sends.
//
// A reply that does not begin with "HTTP/" (some web servers answer a request
// they cannot read with a bare error page) is kept as it is, as a headerless
// body that ends with the connection.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane {

class HttpResponseDecoder {
public:
    // The status line and header fields together.
    static constexpr std::size_t kMaxHead = 16 * 1024;
    // The body: only its newest kMaxBody bytes are kept.
    static constexpr std::size_t kMaxBody = 1024 * 1024;

    using Header = std::pair<std::string, std::string>;

    void feed(std::string_view piece);
    // The peer closed the connection: ends a close-delimited body.
    void finish();
    void reset() { *this = HttpResponseDecoder(); }

    // The status line has arrived whole (always false for a headerless reply).
    bool statusKnown() const { return m_statusCode != 0; }
    bool headerless() const { return m_headerless; }
    int statusCode() const { return m_statusCode; }
    const std::string& statusLine() const { return m_statusLine; }
    // The status line and header lines as received, each ended by LF.
    const std::string& head() const { return m_head; }
    const std::vector<Header>& headers() const { return m_headers; }
    // The first field of that name (ignoring case), or nullptr.
    const std::string* header(std::string_view name) const;

    // The decoded body so far; for a headerless reply, everything received.
    const std::string& body() const { return m_body; }
    // Bytes dropped from the front of the body to keep it within kMaxBody.
    std::uint64_t bodyBytesDropped() const { return m_dropped; }

    bool complete() const { return m_state == State::Complete; }
    bool failed() const { return m_state == State::Failed; }
    const std::string& failure() const { return m_failure; }
    // The connection ended (finish() was called).
    bool finished() const { return m_finished; }

private:
    enum class State {
        StatusLine,
        Headers,
        Body, // Content-Length or close-delimited
        ChunkSize,
        ChunkData,
        ChunkDataEnd, // the CR LF after a chunk's data
        Trailers,
        Headerless,
        Complete,
        Failed,
    };
    enum class Framing { None, Length, Chunked, Close };

    std::size_t consume(std::string_view data);
    std::size_t consumeLine(std::string_view data);
    void takeLine(std::string_view line);
    void takeStatusLine(std::string_view line);
    void takeHeaderLine(std::string_view line);
    void takeChunkSize(std::string_view line);
    void headersEnded();
    std::size_t consumeBody(std::string_view data);
    void appendBody(std::string_view data);
    void markComplete();
    void fail(std::string why);

    State m_state = State::StatusLine;
    Framing m_framing = Framing::None;
    std::string m_line; // the line being collected
    std::string m_head;
    std::string m_statusLine;
    int m_statusCode = 0;
    std::vector<Header> m_headers;
    std::string m_body;
    std::uint64_t m_dropped = 0;
    std::uint64_t m_remaining = 0; // of the Content-Length body or the current chunk
    bool m_headerless = false;
    bool m_interim = false; // reading the header block of a 1xx answer
    bool m_finished = false;
    std::string m_failure;
};

} // namespace corvane
