#include "players/groupfiles.h"

#include "core/fieldreader.h"

namespace corvane {
namespace {

constexpr const char* kLineEnd = "\r\n";

bool isHeader(const std::string& item) {
    return !item.empty() && item.front() == '[';
}

std::string headerName(const std::string& item) {
    return item.size() < 2 ? std::string() : item.substr(1, item.size() - 2);
}

} // namespace

std::int16_t readDefaultRank(const std::string& levelsText) {
    FieldReader in(levelsText);
    return in.readInt16();
}

void readLevelsFile(const std::string& text, GroupTable& table) {
    FieldReader in(text);
    table.DefaultRank = in.readInt16();
    int level = 0;
    while (!in.atEnd()) {
        const std::string item = in.readText();
        if (!isHeader(item)) {
            table.GroupCommands[static_cast<std::size_t>(level)] += ";" + item;
            continue;
        }
        if (level == GroupTable::kLevels - 1) break;
        ++level;
        table.GroupName[static_cast<std::size_t>(level)] = headerName(item);
        // The item after a header is always the group's first command, even
        // an empty one or another header. A header on the file's last line is
        // simply a group without commands.
        if (!in.atEnd())
            table.GroupCommands[static_cast<std::size_t>(level)] += ";" + in.readText();
    }
}

std::string writeLevelsFile(const GroupTable& table) {
    std::string out = std::to_string(table.DefaultRank) + kLineEnd;
    for (int level = 1; level < GroupTable::kLevels; ++level) {
        const std::string& name = table.GroupName[static_cast<std::size_t>(level)];
        if (name.empty()) break;
        out += "[" + name + "]" + kLineEnd;
        for (const std::string& word : table.commandsOf(level))
            out += word + kLineEnd;
        out += kLineEnd;
    }
    return out;
}

void readCommandsFile(const std::string& text, GroupTable& table) {
    FieldReader in(text);
    for (int index = 1; index < GroupTable::kLevels && !in.atEnd(); ++index)
        table.CommandList[static_cast<std::size_t>(index)] = in.readText();
}

bool isStorableGroupName(const std::string& name) {
    if (name.empty() || name.front() == ' ' || name.back() == ' ') return false;
    return name.find_first_of(",\r\n") == std::string::npos;
}

} // namespace corvane
