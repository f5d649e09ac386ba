#pragma once
// The two files of operator texts: Data/MR.txt (the rotation interval, then
// one timed message per line) and Data/Rules.txt (one rule per item).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

inline constexpr std::size_t kMaxTimedMessages = 101;
inline constexpr std::size_t kMaxRules = 101;

struct TimedMessageFile {
    std::string intervalText; // line 1 as written
    // Whole lines from line 2 up to the first empty line, at most 101; a line
    // of blanks is a message.
    std::vector<std::string> messages;
    bool cut = false; // there were more than 101
};
TimedMessageFile readTimedMessages(std::string_view text);

// The rotation interval in seconds; nothing when line 1 is not a whole number
// above 0 (then no timed message is ever said).
std::optional<int> rotationInterval(std::string_view intervalText);

struct RulesFile {
    // Items end at a comma or a line end; blanks around them are dropped, a
    // double-quoted item keeps its commas. Reading stops at the first empty
    // item; at most 101.
    std::vector<std::string> rules;
    bool cut = false;
};
RulesFile readRules(const std::string& text);

} // namespace corvane
