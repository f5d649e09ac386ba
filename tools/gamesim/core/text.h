#pragma once
// Small byte-text helpers shared by the simulator's codecs. Game text is bytes
// (one byte per character); nothing here assumes UTF-8.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gamesim {

std::string toLower(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);
std::string_view trimBlanks(std::string_view text);
// Words separated by runs of blanks and tabs; empty words are dropped.
std::vector<std::string> splitWords(std::string_view text);
// The text after the first `count` words (blank-separated), leading blanks removed.
std::string_view afterWords(std::string_view text, std::size_t count);
// A strict decimal integer with an optional sign; blanks around are allowed.
std::optional<std::int64_t> parseInteger(std::string_view text);
// A decimal fraction such as "0.25" or "1"; blanks around are allowed.
std::optional<double> parseDecimal(std::string_view text);
// Turns "\xNN" into the byte NN and "\\" into one backslash; everything else
// passes unchanged. Lets a line-based command carry any byte.
std::string decodeEscapes(std::string_view text);
// A JSON string literal for bytes: printable ASCII as is, everything else
// (control bytes and bytes above 0x7E) as \u00XX, so any byte sequence gives
// valid JSON and can be turned back into the same bytes.
std::string jsonQuote(std::string_view bytes);
std::string padRight(std::string_view text, std::size_t width);
std::string padLeft(std::string_view text, std::size_t width);

} // namespace gamesim
