#include "rcon/rcondatagram.h"

#include "core/gametext.h"
#include "core/numbers.h"

namespace corvane {

std::string buildRconRequest(std::string_view password, std::string_view command) {
    std::string out("\xFF\xFF\xFF\xFF", 4);
    out += '\0';
    out.append(password);
    out += ' ';
    out.append(command);
    return out;
}

std::string CleanRconReply(std::string_view datagram, bool replacePrint) {
    std::string text = removeColorCodes(std::string(datagram.substr(0, kMaxReply)), '7');
    text = replaceAll(std::move(text), std::string_view("\xFF\xFF\xFF\xFF", 4), "");
    text = replaceAll(std::move(text), std::string_view("\x01", 1), "");
    if (replacePrint) text = replaceAll(std::move(text), "print", "Command Executed");
    return replaceAll(std::move(text), "\n", "\r\n");
}

bool isPlaylistReply(std::string_view cleaned) {
    return cleaned.size() >= 27 && cleaned.substr(19, 8) == "playlist";
}

std::optional<std::int32_t> playlistValue(std::string_view cleaned) {
    if (!isPlaylistReply(cleaned) || cleaned.size() < 34) return std::nullopt;
    const std::string value = replaceAll(std::string(cleaned.substr(33, 4)), "\"", "");
    const auto number = toInt16(value);
    if (!number) return std::nullopt;
    return *number;
}

} // namespace corvane
