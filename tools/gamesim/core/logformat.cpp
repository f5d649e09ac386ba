#include "gamesim/core/logformat.h"

#include "gamesim/core/text.h"

namespace gamesim {
namespace {

std::string record(std::string_view word, std::string_view guid, int slot, std::string_view name) {
    std::string out(word);
    out += ';';
    out += guid;
    out += ';';
    out += std::to_string(slot);
    out += ';';
    out += name;
    return out;
}

std::string hitEvent(char word, const Hit& hit) {
    std::string out(1, word);
    for (const Combatant* c : {&hit.victim, &hit.attacker}) {
        out += ';' + c->guid + ';' + std::to_string(c->slot) + ';' + c->team + ';' + c->name;
    }
    out +=
        ';' + hit.weapon + ';' + std::to_string(hit.damage) + ';' + hit.means + ';' + hit.location;
    return out;
}

} // namespace

std::string formatStamp(std::int64_t uptimeSeconds, bool inSeconds) {
    if (uptimeSeconds < 0) uptimeSeconds = 0;
    if (inSeconds) return padLeft(std::to_string(uptimeSeconds), kStampWidth);
    const std::int64_t seconds = uptimeSeconds % 60;
    std::string stamp = std::to_string(uptimeSeconds / 60) + ':';
    if (seconds < 10) stamp += '0';
    stamp += std::to_string(seconds);
    return padLeft(stamp, kStampWidth);
}

std::string logLine(std::string_view stamp, std::string_view event) {
    std::string out(stamp);
    out += ' ';
    out += event;
    return out;
}

std::string joinEvent(std::string_view guid, int slot, std::string_view name) {
    return record("J", guid, slot, name);
}

std::string quitEvent(std::string_view guid, int slot, std::string_view name) {
    return record("Q", guid, slot, name);
}

std::string chatEvent(bool team, std::string_view guid, int slot, std::string_view name,
                      std::string_view text) {
    std::string out = record(team ? "sayteam" : "say", guid, slot, name);
    out += ';';
    out += kChatMarker;
    out += text;
    return out;
}

std::string killEvent(const Hit& hit) {
    return hitEvent('K', hit);
}
std::string damageEvent(const Hit& hit) {
    return hitEvent('D', hit);
}

std::string initGameEvent(const std::vector<std::pair<std::string, std::string>>& settings) {
    std::string out = "InitGame: ";
    for (const auto& [key, value] : settings)
        out += '\\' + key + '\\' + value;
    return out;
}

} // namespace gamesim
