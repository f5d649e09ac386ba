#include "maps/messagefiles.h"

#include "core/fieldreader.h"
#include "core/numbers.h"
#include "core/textfile.h"

namespace corvane {

TimedMessageFile readTimedMessages(std::string_view text) {
    TimedMessageFile file;
    const std::vector<std::string> lines = splitLines(text);
    if (lines.empty()) return file;
    file.intervalText = lines[0];
    for (std::size_t i = 1; i < lines.size() && !lines[i].empty(); ++i) {
        if (file.messages.size() == kMaxTimedMessages) {
            file.cut = true;
            break;
        }
        file.messages.push_back(lines[i]);
    }
    return file;
}

std::optional<int> rotationInterval(std::string_view intervalText) {
    const auto seconds = toInt16(intervalText);
    if (!seconds || *seconds <= 0) return std::nullopt;
    return *seconds;
}

RulesFile readRules(const std::string& text) {
    ItemList list = readItemList(text, kMaxRules);
    return RulesFile{std::move(list.items), list.cut};
}

} // namespace corvane
