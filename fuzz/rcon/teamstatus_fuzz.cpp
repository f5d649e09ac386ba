// Any reply, cut anywhere into two datagrams, through the clean-up and the row
// reader as the status poll does it: every row has a slot from 0 to 50 and a
// name of whole words, and every word of a name stands in the reply (or, for
// a row cut at the datagram boundary, across the cut).

#include "core/gametext.h"
#include "core/numbers.h"
#include "rcon/rcondatagram.h"
#include "rcon/teamstatus.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace corvane;

namespace {

void check(bool condition) {
    if (!condition) __builtin_trap();
}

bool isWord(const std::string& text) {
    return !text.empty() && text.find(' ') == std::string::npos;
}

// The word stands in one line, or across a cut: the line ending in "print"
// (blanks after it aside) without that "print", followed by the next line.
bool standsInReply(const std::string& word, const std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find(word) != std::string::npos) return true;
        const std::string line = lines[i].substr(0, lines[i].find_last_not_of(' ') + 1);
        if (i + 1 < lines.size() && line.ends_with("print")) {
            const std::string joined = line.substr(0, line.size() - 5) + lines[i + 1];
            if (joined.find(word) != std::string::npos) return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first two bytes choose where the first datagram ends.
    if (size < 2) return 0;
    const std::string_view reply(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::size_t cut = (data[0] | static_cast<std::size_t>(data[1]) << 8) % (reply.size() + 1);
    const std::string text =
        CleanRconReply(reply.substr(0, cut), false) + CleanRconReply(reply.substr(cut), false);
    const std::vector<std::string> lines = splitAt(text, "\r\n");

    const TeamStatus status = parseTeamStatus(lines);
    check(status.rows.size() <= lines.size());
    if (status.map) check(isWord(*status.map));
    for (const StatusRow& row : status.rows) {
        const auto slot = toInt16(row.slot);
        check(slot && *slot >= 0 && *slot <= 50);
        check(isWord(row.score) && isWord(row.guid));
        check(row.name.size() >= 2);
        for (const std::string& word : splitAt(row.name, " ")) {
            check(isWord(word));
            check(standsInReply(word, lines));
        }
    }
    return 0;
}
