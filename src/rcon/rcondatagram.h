#pragma once
// The remote-console datagram: the request bytes, and the clean-up every reply
// gets before it is shown and read.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// Four 0xFF bytes, a zero byte, the password, one blank, the command line.
std::string buildRconRequest(std::string_view password, std::string_view command);

// Colour codes ^0..^7, the 0xFF header and every byte 1 removed; with
// replacePrint every "print" becomes "Command Executed"; line feeds become
// CR LF. Replies longer than kMaxReply are cut.
inline constexpr std::size_t kMaxReply = 64 * 1024;
std::string CleanRconReply(std::string_view datagram, bool replacePrint);

// The answer to the "Playlist" query, after clean-up: "Command Executed",
// a line break, then "playlist" is:"<value>. The value is taken from the four
// characters at position 34 when they hold a whole number.
bool isPlaylistReply(std::string_view cleaned);
std::optional<std::int32_t> playlistValue(std::string_view cleaned);

} // namespace corvane
