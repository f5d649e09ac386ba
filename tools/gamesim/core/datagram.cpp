#include "gamesim/core/datagram.h"

namespace gamesim {

std::string encodeRequest(std::string_view password, std::string_view command) {
    std::string out(kOobHeader);
    out += '\0';
    out += password;
    out += ' ';
    out += command;
    return out;
}

std::optional<RconRequest> decodeRequest(std::string_view datagram) {
    if (datagram.size() > kMaxRequestBytes) return std::nullopt;
    if (datagram.size() < kOobHeader.size() + 2 || datagram.substr(0, 4) != kOobHeader ||
        datagram[4] != '\0')
        return std::nullopt;
    const std::string_view rest = datagram.substr(5);
    const std::size_t blank = rest.find(' ');
    if (blank == std::string_view::npos) return std::nullopt;
    std::string_view command = rest.substr(blank + 1);
    while (!command.empty() && command.front() == ' ')
        command.remove_prefix(1);
    return RconRequest{std::string(rest.substr(0, blank)), std::string(command)};
}

std::string encodeReply(std::string_view text) {
    std::string out(kReplyPrefix);
    out += text;
    return out;
}

std::vector<std::string> encodeReplies(std::string_view text, std::size_t chunkBytes) {
    if (chunkBytes == 0) chunkBytes = kDefaultReplyChunk;
    std::vector<std::string> out;
    std::size_t pos = 0;
    for (;;) {
        const std::string_view piece = text.substr(pos, chunkBytes);
        out.push_back(encodeReply(piece));
        pos += piece.size();
        if (piece.size() < chunkBytes) break;
    }
    return out;
}

std::optional<std::string> decodeReply(std::string_view datagram) {
    if (datagram.substr(0, kReplyPrefix.size()) != kReplyPrefix) return std::nullopt;
    return std::string(datagram.substr(kReplyPrefix.size()));
}

} // namespace gamesim
