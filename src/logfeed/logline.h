#pragma once
// Reading one line of the server log: "<minutes>:<seconds> <event text>", the
// stamp right-aligned with leading blanks; event texts are ";"-separated
// records whose first field names the event. Pure functions.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
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

// ---- the events of a line

// A line of chat ("say") or team chat ("sayteam").
struct ChatLine {
    std::string stamp; // "12:34", shown in front of the line
    std::string guid;
    std::string slot; // as written: not necessarily a valid slot number
    std::string name; // without a clan tag
    std::string text; // as typed; a ";" in it ended it
    bool team = false;
    std::string tail; // what followed such a ";", from the ";" on (a command takes it too)

    bool isCommand() const { return !text.empty() && text.front() == '!'; }
    bool operator==(const ChatLine&) const = default;
};

// A player joined (J) or left (Q) the slot.
struct PlayerLine {
    std::string guid;
    std::string slot; // a whole number from 0 to 50
    std::string name; // without a clan tag
    bool operator==(const PlayerLine&) const = default;
};
struct JoinLine : PlayerLine {};
struct QuitLine : PlayerLine {};

// Damage (D) and kill (K) lines, handed on whole to the enforcement.
struct DamageLine {
    std::string line;
    bool operator==(const DamageLine&) const = default;
};
struct KillLine {
    std::string line;
    bool operator==(const KillLine&) const = default;
};

// "InitGame:" and "ShutdownGame:" - a match starts or ends.
struct MatchStart {
    std::optional<std::int32_t> playlist;
    std::optional<std::string> gametype;
    bool operator==(const MatchStart&) const = default;
};
struct MatchEnd {
    bool operator==(const MatchEnd&) const = default;
};

using LogEvent =
    std::variant<ChatLine, JoinLine, QuitLine, DamageLine, KillLine, MatchStart, MatchEnd>;

// The event of one line whose stamp ends at stampEnd; nothing for a line of
// another kind or one whose fields are incomplete.
std::optional<LogEvent> parseLogEvent(std::string_view line, std::size_t stampEnd);

} // namespace corvane
