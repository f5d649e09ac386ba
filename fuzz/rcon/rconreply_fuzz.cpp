// Any datagram: the clean-up never crashes, keeps its bound, leaves no byte 1
// and no bare line feed, and the two clean-ups differ only in "print".

#include "core/gametext.h"
#include "core/numbers.h"
#include "rcon/rcondatagram.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace corvane;

namespace {

void check(bool condition) {
    if (!condition) __builtin_trap();
}

std::size_t count(std::string_view text, char c) {
    std::size_t n = 0;
    for (char x : text)
        n += x == c;
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view datagram(reinterpret_cast<const char*>(data), size);
    const std::string_view kept = datagram.substr(0, kMaxReply);

    const std::string plain = CleanRconReply(datagram, false);
    const std::string shown = CleanRconReply(datagram, true);

    // Removing codes only shrinks; each line feed gains a carriage return.
    check(plain.size() <= kept.size() + count(kept, '\n'));
    check(plain.find('\x01') == std::string::npos);
    check(shown.find('\x01') == std::string::npos);
    for (std::size_t i = 0; i < plain.size(); ++i)
        if (plain[i] == '\n') check(i > 0 && plain[i - 1] == '\r');
    check(shown == replaceAll(plain, "print", "Command Executed"));
    for (const std::string& line : splitAt(plain, "\r\n"))
        check(line.find('\n') == std::string::npos);

    if (const auto value = playlistValue(shown)) {
        check(isPlaylistReply(shown));
        check(*value >= INT16_MIN && *value <= INT16_MAX);
    }
    return 0;
}
