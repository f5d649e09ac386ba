#include "players/grouptable.h"

#include "core/gametext.h"
#include "core/numbers.h"

namespace corvane {

int GroupTable::groupCount() const {
    int n = 0;
    while (n + 1 < kLevels && !GroupName[static_cast<std::size_t>(n + 1)].empty())
        ++n;
    return n;
}

int GroupTable::commandCount() const {
    int n = 0;
    while (n + 1 < kLevels && !CommandList[static_cast<std::size_t>(n + 1)].empty())
        ++n;
    return n;
}

void GroupTable::syncDefaultName() {
    DefaultGroupName = DefaultRank >= 0 && DefaultRank < kLevels
                           ? GroupName[static_cast<std::size_t>(DefaultRank)]
                           : std::string();
}

std::string GroupTable::FindGroup(std::string_view value) const {
    if (value.empty()) return {};
    for (const std::string& name : GroupName)
        if (!name.empty() && equalsIgnoringCase(name, value)) return name;
    if (value == "0") return kOwner;
    return "Unknown [" + std::string(value) + "]";
}

int GroupTable::GroupNtoNum(std::string_view name) const {
    // An empty name is no group: it must not match the unused levels above
    // the last group, which would leave the player with no commands at all.
    if (!name.empty())
        for (int level = 0; level < kLevels; ++level)
            if (GroupName[static_cast<std::size_t>(level)] == name) return level;
    return DefaultRank;
}

std::string GroupTable::NumtoGroup(std::string_view level) const {
    const auto number = toInt16(level);
    if (!number || *number < 0 || *number >= kLevels) return {};
    return GroupName[static_cast<std::size_t>(*number)];
}

bool GroupTable::mayRun(int level, std::string_view word) const {
    if (level == 0) return true;
    if (level < 0 || level >= kLevels) return false;
    // Element 0 is the empty text before the first ";": the list is compared
    // as it is split, so an empty word finds it.
    const std::string& list = GroupCommands[static_cast<std::size_t>(level)];
    std::size_t start = 0;
    for (;;) {
        const std::size_t next = list.find(';', start);
        const std::string_view element = std::string_view(list).substr(start, next - start);
        if (equalsIgnoringCase(element, word)) return true;
        if (next == std::string::npos) return false;
        start = next + 1;
    }
}

std::vector<std::string> GroupTable::commandsOf(int level) const {
    if (level < 0 || level >= kLevels) return {};
    return splitCommandList(GroupCommands[static_cast<std::size_t>(level)]);
}

bool GroupTable::grants(int level, std::string_view word) const {
    for (const std::string& granted : commandsOf(level))
        if (granted == word) return true;
    return false;
}

std::vector<std::string> splitCommandList(std::string_view list) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t next = list.find(';', start);
        const std::string_view element = list.substr(start, next - start);
        if (!element.empty()) out.emplace_back(element);
        if (next == std::string_view::npos) return out;
        start = next + 1;
    }
}

std::string joinCommandList(const std::vector<std::string>& words) {
    std::string out;
    for (const std::string& word : words)
        out += ";" + word;
    return out;
}

} // namespace corvane
