#include "rcon/teamstatus.h"

#include "core/numbers.h"
#include "rcon/slottable.h"

namespace corvane {
namespace {

// A row's fifth token is its name's first word (at least two characters);
// its first a slot number.
std::optional<StatusRow> playerRow(const std::vector<std::string>& tokens) {
    if (tokens.size() < 5 || tokens[4].size() < 2) return std::nullopt;
    const auto slot = toInt16(tokens[0]);
    if (tokens[0].empty() || !slot || *slot < 0 || *slot >= SlotTable::kSlots) return std::nullopt;
    return StatusRow{tokens[0], tokens[1], tokens[3], statusRowName(tokens)};
}

// A row short of the tokens after the name has no name to store.
std::optional<StatusRow> namedRow(const std::vector<std::string>& tokens) {
    auto row = playerRow(tokens);
    if (row && row->name.empty()) return std::nullopt;
    return row;
}

} // namespace

std::vector<std::string> statusTokens(const std::string& line) {
    std::vector<std::string> tokens;
    std::size_t i = 0;
    while (i < line.size() && tokens.size() < 100) {
        const std::size_t blank = line.find(' ', i);
        const std::size_t end = blank == std::string::npos ? line.size() : blank;
        if (end > i) tokens.push_back(line.substr(i, end - i));
        i = end + 1;
    }
    return tokens;
}

// The name runs from the fifth token; a row has ten tokens when the name has
// no blank, and every token beyond ten belongs to the name.
std::string statusRowName(const std::vector<std::string>& tokens) {
    std::string name;
    for (std::size_t k = 4; k + 6 <= tokens.size(); ++k)
        name += (name.empty() ? "" : " ") + tokens[k];
    return name;
}

TeamStatus parseTeamStatus(const std::vector<std::string>& lines) {
    TeamStatus status;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string> tokens = statusTokens(lines[i]);
        for (std::size_t t = 0; t < tokens.size(); ++t)
            if (t != 4 && tokens[t] == "map:" && tokens.size() > 1) status.map = tokens[1];
        if (!playerRow(tokens)) continue;
        // Only the "print" that the cut put there goes: a name may hold the word.
        const bool cut = tokens.back().ends_with("print");
        const std::string joined = cut ? lines[i].substr(0, lines[i].rfind("print")) +
                                             (i + 1 < lines.size() ? lines[i + 1] : "")
                                       : lines[i];
        if (auto row = namedRow(cut ? statusTokens(joined) : tokens))
            status.rows.push_back(std::move(*row));
    }
    return status;
}

} // namespace corvane
