#pragma once
// Finding the log lines of a tail reply that the previous reply did not have.
// Pure: works on the decoded body only.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The tail the fetcher asks for ("Range: bytes=-10000").
inline constexpr std::size_t kLogTailBytes = 10000;
// The largest tail asked for when catching up after a burst: what the log
// host serves and the reply decoder keeps.
inline constexpr std::size_t kMaxCatchUpBytes = 1024 * 1024;
// A catch-up asks for this many times the previous tail.
inline constexpr std::size_t kCatchUpGrowth = 4;
// At most this many new lines go to the parser in one batch.
inline constexpr std::size_t kMaxNewLines = 501;

// Whether the body starts inside a log line. A body that begins at byte 0 of
// the log (a Content-Range from 0, or less than the tail asked for) starts
// with a whole line; a body cut from a longer log, or whose front was dropped
// to bound it, does not.
bool bodyStartsMidLine(const std::string* contentRange, std::size_t bodySize,
                       std::uint64_t bytesDropped, std::size_t tailAsked = kLogTailBytes);

// The whole, non-blank lines of a body. The first line is left out when it is
// a fragment, and so is a last line that has no line end yet: the game may
// still be writing it, and the next reply will carry it whole.
std::vector<std::string> completeLines(std::string_view body, bool firstLineIsFragment);

struct NewLogLines {
    std::vector<std::string> lines; // in log order, all of them
    std::string anchor;             // the last whole line of this reply
    bool anchorFound = false;       // the previous anchor is among the lines
};

// The lines after the first line equal to the anchor (both compared without
// surrounding blanks). With no anchor yet, or when it is no longer in the
// reply, every line is new. With no lines at all the anchor stays as it was.
NewLogLines takeNewLines(const std::vector<std::string>& lines, std::string_view anchor);

// The lines cut into consecutive batches of at most kMaxNewLines, in order.
std::vector<std::vector<std::string>> inBatches(std::vector<std::string> lines);

// The next tail to ask for while catching up; 0 once the largest was asked.
std::size_t nextCatchUpBytes(std::size_t asked);

// The stamp of a log line (its first word, without blanks), made safe to
// quote: at most a few characters, control characters replaced.
std::string quotedStamp(std::string_view line);

// The minutes of a "minutes:seconds ..." line (already trimmed): the text
// before its first ":", when that is a whole number.
std::optional<std::int32_t> stampMinutes(std::string_view trimmedLine);

} // namespace corvane
