#include "logfeed/logline.h"

#include "core/gametext.h"
#include "core/numbers.h"
#include "rcon/slottable.h"

#include <algorithm>

namespace corvane {

std::optional<std::size_t> stampEnd(std::string_view line) {
    constexpr std::size_t kStampArea = 21;
    const std::string_view area = line.substr(0, kStampArea);
    const std::size_t first = area.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    const std::size_t blank = area.find(' ', first);
    if (blank == std::string_view::npos) return std::nullopt;
    return blank;
}

bool isSecondsStamp(std::string_view stamp) {
    return stamp.find(':') == std::string_view::npos && isLong(stamp);
}

std::vector<std::string> splitFields(std::string_view line) {
    return splitAt(line, ";");
}

bool isZeroNumber(std::string_view text) {
    const std::string trimmed = trimBlanks(text);
    return !trimmed.empty() && trimmed.find_first_not_of('0') == std::string::npos;
}

std::string chatStamp(std::string_view field0) {
    std::string stamp = replaceAll(trimBlanks(field0), "say", "");
    stamp = replaceAll(std::move(stamp), "team", "");
    return trimBlanks(stamp);
}

std::optional<std::int32_t> matchPlaylist(std::string_view line) {
    constexpr std::string_view kWord = "playlist";
    const std::size_t p = findIgnoringCase(line, kWord);
    if (p == std::string_view::npos || p + kWord.size() + 1 >= line.size()) return std::nullopt;
    const std::string value =
        replaceAll(std::string(line.substr(p + kWord.size() + 1, 2)), "\\", "");
    return toInt32(value);
}

namespace {

constexpr char kChatTextMark = 21; // the game writes it in front of every chat text

std::optional<ChatLine> chatLine(std::string_view line, bool team) {
    const std::vector<std::string> fields = splitFields(line);
    if (fields.size() < 5) return std::nullopt;
    const std::string& text = fields[4];
    const bool marked = !text.empty() && text.front() == kChatTextMark;
    std::string tail;
    for (std::size_t i = 5; i < fields.size(); ++i)
        tail += ";" + fields[i];
    return ChatLine{
        chatStamp(fields[0]),           fields[1], fields[2],      RemoveCTag(fields[3]),
        marked ? text.substr(1) : text, team,      std::move(tail)};
}

std::optional<PlayerLine> playerLine(std::string_view line) {
    const std::vector<std::string> fields = splitFields(line);
    if (fields.size() < 4) return std::nullopt;
    const auto slot = toInt16(fields[2]);
    if (!slot || *slot < 0 || *slot >= SlotTable::kSlots) return std::nullopt;
    return PlayerLine{fields[1], fields[2], RemoveCTag(fields[3])};
}

} // namespace

std::optional<LogEvent> parseLogEvent(std::string_view line, std::size_t stampEnd) {
    const std::string_view event = line.substr(std::min(line.size(), stampEnd + 1));
    if (event.starts_with("say")) {
        if (auto chat = chatLine(line, event.starts_with("sayteam"))) return *chat;
        return std::nullopt;
    }
    if (event.starts_with("Shut")) return MatchEnd{};
    if (event.starts_with("Init")) return MatchStart{matchPlaylist(line), matchGametype(line)};
    switch (event.empty() ? '\0' : event.front()) {
    case 'D':
        return DamageLine{std::string(line)};
    case 'K':
        return KillLine{std::string(line)};
    case 'J':
        if (auto player = playerLine(line)) return JoinLine{*player};
        return std::nullopt;
    case 'Q':
        if (auto player = playerLine(line)) return QuitLine{*player};
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

std::optional<std::string> matchGametype(std::string_view line) {
    constexpr std::string_view kKey = "\\g_gametype\\";
    const std::size_t p = line.find(kKey);
    if (p == std::string_view::npos) return std::nullopt;
    const std::string_view rest = line.substr(p + kKey.size());
    const std::string value(rest.substr(0, std::min<std::size_t>(rest.find('\\'), 32)));
    if (trimBlanks(value).empty()) return std::nullopt;
    return value;
}

} // namespace corvane
