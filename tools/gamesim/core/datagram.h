#pragma once
// The remote-console datagrams. A request is four 0xFF bytes, a zero byte, the
// password, one blank and the command line. A reply is four 0xFF bytes, the
// word "print", a line feed and the reply text; the server cuts long output
// into several such datagrams at a fixed byte count, so a line may be split
// between two of them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gamesim {

inline constexpr std::string_view kOobHeader{"\xFF\xFF\xFF\xFF", 4};
inline constexpr std::string_view kReplyPrefix{"\xFF\xFF\xFF\xFFprint\n", 10};
// Requests above this size are not looked at.
inline constexpr std::size_t kMaxRequestBytes = 2048;
// Text bytes per reply datagram: a full datagram is 1167 bytes with its prefix.
inline constexpr std::size_t kDefaultReplyChunk = 1157;

struct RconRequest {
    std::string password;
    std::string command;
};

std::string encodeRequest(std::string_view password, std::string_view command);
// Nothing when the bytes are not a request: wrong header, no blank after the
// password, or too long. Blanks in front of the command line are skipped.
std::optional<RconRequest> decodeRequest(std::string_view datagram);

std::string encodeReply(std::string_view text);
// The reply text in datagrams of at most chunkBytes text bytes each. A full
// datagram is always followed by another one (possibly holding no text), so a
// reader knows from the size of a datagram whether more is coming.
std::vector<std::string> encodeReplies(std::string_view text, std::size_t chunkBytes);
// The text of one reply datagram, or nothing when the prefix is missing.
std::optional<std::string> decodeReply(std::string_view datagram);

} // namespace gamesim
