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
// At most this many new lines are handed on from one reply.
inline constexpr std::size_t kMaxNewLines = 501;

// Whether the body starts inside a log line. A body that begins at byte 0 of
// the log (a Content-Range from 0, or less than the tail asked for) starts
// with a whole line; a body cut from a longer log, or whose front was dropped
// to bound it, does not.
bool bodyStartsMidLine(const std::string* contentRange, std::size_t bodySize,
                       std::uint64_t bytesDropped);

// The whole, non-blank lines of a body. The first line is left out when it is
// a fragment, and so is a last line that has no line end yet: the game may
// still be writing it, and the next reply will carry it whole.
std::vector<std::string> completeLines(std::string_view body, bool firstLineIsFragment);

struct NewLogLines {
    std::vector<std::string> lines; // in log order, at most kMaxNewLines
    std::string anchor;             // the last whole line of this reply
};

// The lines after the first line equal to the anchor (both compared without
// surrounding blanks). With no anchor yet, or when it is no longer in the
// reply, every line is new. With no lines at all the anchor stays as it was.
NewLogLines takeNewLines(const std::vector<std::string>& lines, std::string_view anchor);

// The minutes of a "minutes:seconds ..." line (already trimmed): the text
// before its first ":", when that is a whole number.
std::optional<std::int32_t> stampMinutes(std::string_view trimmedLine);

} // namespace corvane
