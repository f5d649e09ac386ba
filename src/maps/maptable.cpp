#include "maps/maptable.h"

#include "core/gametext.h"

namespace corvane {

namespace {
constexpr std::string_view kExcludeVariable = "playlist_excludeMap ";
}

std::vector<std::string> rotationMapNames() {
    std::vector<std::string> maps;
    for (const MapEntry& entry : kMapTable)
        if (entry.mp != kRandomMap) maps.emplace_back(entry.mp);
    return maps;
}

std::string EnglishMap(std::string_view mpName) {
    for (const MapEntry& entry : kMapTable)
        if (entry.mp == mpName) return std::string(entry.english);
    return std::string(mpName);
}

std::optional<int> mapIndexOf(std::string_view displayName) {
    if (displayName == kRandomMap) return 0;
    for (int i = 0; i < kMapCount; ++i)
        if (equalsIgnoringCase(kMapTable[static_cast<std::size_t>(i)].english, displayName))
            return i;
    return std::nullopt;
}

std::string exclusionLine(std::string_view list) {
    return std::string(kExcludeVariable) + "\"" + std::string(list) + "\"";
}

bool isExclusionLine(std::string_view line) {
    return line.starts_with(kExcludeVariable);
}

std::string forcedExclusionList(int index) {
    const std::string_view forced = kMapTable.at(static_cast<std::size_t>(index)).mp;
    std::string list;
    for (const MapEntry& entry : kMapTable) {
        if (entry.mp == forced || entry.mp == kRandomMap) continue;
        list = std::string(entry.mp) + " " + list;
    }
    return trimBlanks(list);
}

} // namespace corvane
