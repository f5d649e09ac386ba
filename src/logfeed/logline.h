#pragma once
// Reading one line of the server log: "<minutes>:<seconds> <event text>", the
// stamp right-aligned with leading blanks; event texts are ";"-separated
// records whose first field names the event. Pure functions.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The blank that ends the line's time stamp: the first blank after its first
// non-blank character, looked for among the first 21 characters only.
std::optional<std::size_t> stampEnd(std::string_view line);

// A stamp in whole seconds ("12345") rather than minutes and seconds: the log
// was written with g_logTimeStampInSeconds set, which this program cannot read.
bool isSecondsStamp(std::string_view stamp);

// The ";"-separated fields of a line, empty ones included.
std::vector<std::string> splitFields(std::string_view line);

// True when the text is a number whose value is 0 ("0", "000").
bool isZeroNumber(std::string_view text);

// The time stamp shown in front of a chat line: field 0 without its event
// word ("say" or "sayteam") and without blanks around it.
std::string chatStamp(std::string_view field0);

// The playlist number of a match-start line: the two characters after the
// word "playlist" (any case) and its separator, without "\".
std::optional<std::int32_t> matchPlaylist(std::string_view line);
// The game type of a match-start line: the value after "\g_gametype\" up to
// the next "\"; nothing when the line names none. At most 32 characters.
std::optional<std::string> matchGametype(std::string_view line);

} // namespace corvane
