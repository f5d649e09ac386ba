#include "gamesim/core/replies.h"

#include "gamesim/core/text.h"

namespace gamesim {
namespace {

constexpr std::size_t kKeyWidth = 20;

std::string number(int value, std::size_t width) {
    return padLeft(std::to_string(value), width);
}

} // namespace

std::string teamstatusText(std::string_view map, const std::vector<StatusRow>& rows) {
    std::string out = "map: ";
    out += map;
    out += '\n';
    out += "num score ping guid             lastmsg name            team     address"
           "               qport rate\n";
    out += "--- ----- ---- ---------------- ------- --------------- -------- "
           "--------------------- ----- -----\n";
    for (const StatusRow& row : rows) {
        out += number(row.slot, 3) + ' ' + number(row.score, 5) + ' ' + number(row.ping, 4) + ' ';
        out += padRight(row.guid, 16) + ' ';
        out += padRight(row.name, 15) + ' ';
        out += padRight(row.team, 8) + ' ';
        out += number(row.lastmsg, 7) + ' ';
        out += padRight(row.address, 21) + ' ';
        out += number(row.qport, 5) + ' ' + number(row.rate, 5) + '\n';
    }
    return out;
}

std::string serverinfoText(const std::vector<std::pair<std::string, std::string>>& settings) {
    std::string out = "Server info settings:\n";
    for (const auto& [key, value] : settings) {
        out += key;
        out.append(key.size() < kKeyWidth ? kKeyWidth - key.size() : 1, ' ');
        out += value;
        out += '\n';
    }
    return out;
}

std::string variableText(std::string_view name, std::string_view value,
                         std::string_view defaultValue, bool wideValue) {
    const std::string_view gap = wideValue ? " " : "";
    std::string out = "\"";
    out += name;
    out += "\" is:";
    out += gap;
    out += '"';
    out += value;
    out += "^7\" default:";
    out += gap;
    out += '"';
    out += defaultValue;
    out += "^7\"\n";
    return out;
}

std::string unknownCommandText(std::string_view word) {
    std::string out = "Unknown command \"";
    out += word;
    out += "\"\n";
    return out;
}

} // namespace gamesim
