#include "gamesim/core/console.h"

#include "gamesim/core/text.h"

namespace gamesim {
namespace {

using Args = std::vector<std::string>;

std::string badSlot(std::string_view arg) {
    return "Bad client slot: " + std::string(arg) + "\n";
}

// The slot named by args[1]; on failure `error` holds the server's answer.
std::optional<int> slotArgument(const GameServer& game, const Args& args, std::string& error) {
    if (args.size() < 2) {
        error = "Usage: " + args[0] + " <client number>\n";
        return std::nullopt;
    }
    const auto number = parseInteger(args[1]);
    if (!number || *number < 0 || *number >= GameServer::kMaxSlots) {
        error = badSlot(args[1]);
        return std::nullopt;
    }
    const int slot = static_cast<int>(*number);
    if (game.isDemoclient(slot)) {
        error = "Cannot kick host player\n";
        return std::nullopt;
    }
    if (!game.player(slot)) {
        error = "Client " + std::to_string(slot) + " is not active\n";
        return std::nullopt;
    }
    return slot;
}

std::string sanction(GameServer& game, const Args& args, bool (GameServer::*act)(int),
                     std::string_view verb) {
    std::string error;
    const auto slot = slotArgument(game, args, error);
    if (!slot) return error;
    const std::string name = game.player(*slot)->name;
    (game.*act)(*slot);
    return name + "^7 was " + std::string(verb) + "\n";
}

std::string tell(const GameServer& game, const Args& args) {
    std::string error;
    if (!slotArgument(game, args, error)) return error;
    return {};
}

std::string variableCommand(Variable& var, const Args& args) {
    const bool wide = equalsIgnoringCase(var.name, "playlist_excludeMap");
    if (args.size() == 1) return variableText(var.name, var.value, var.defaultValue, wide);
    if (var.readOnly) return "\"" + var.name + "\" is write protected.\n";
    std::string value;
    for (std::size_t i = 1; i < args.size(); ++i)
        value += (i > 1 ? " " : "") + args[i];
    var.value = std::string(trimBlanks(value));
    return {};
}

} // namespace

std::vector<std::string> tokenizeConsoleLine(std::string_view line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i >= line.size()) break;
        if (line[i] == '"') {
            const std::size_t close = line.find('"', i + 1);
            const std::size_t end = close == std::string_view::npos ? line.size() : close;
            words.emplace_back(line.substr(i + 1, end - i - 1));
            i = close == std::string_view::npos ? line.size() : close + 1;
        } else {
            const std::size_t start = i;
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '"')
                ++i;
            words.emplace_back(line.substr(start, i - start));
        }
    }
    return words;
}

std::string runConsoleLine(GameServer& game, std::string_view line) {
    const Args args = tokenizeConsoleLine(line);
    if (args.empty()) return {};
    const std::string word = toLower(args[0]);
    if (word == "teamstatus") return teamstatusText(game.currentMap(), game.statusRows());
    if (word == "serverinfo") return serverinfoText(game.serverinfo());
    if (word == "say") return {};
    if (word == "tell") return tell(game, args);
    if (word == "clientkick") return sanction(game, args, &GameServer::kick, "kicked");
    if (word == "tempbanclient")
        return sanction(game, args, &GameServer::tempBan, "temporarily banned");
    if (word == "banclient") return sanction(game, args, &GameServer::ban, "banned");
    if (word == "map_rotate") {
        game.endMatch();
        game.startMatch();
        return {};
    }
    if (Variable* var = game.variable(args[0])) return variableCommand(*var, args);
    return unknownCommandText(args[0]);
}

} // namespace gamesim
