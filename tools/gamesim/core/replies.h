#pragma once
// The texts the server prints in answer to console commands. Administration
// tools read several of them at fixed character positions, so every layout
// here is exact; the README lists the positions.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gamesim {

inline constexpr std::string_view kInvalidPassword = "Invalid password.\n";
inline constexpr std::string_view kNoPasswordSet =
    "The server must set 'rcon_password' for clients to use 'rcon'.\n";

// One player row of the teamstatus table.
struct StatusRow {
    int slot = 0;
    int score = 0;
    int ping = 0;
    std::string guid;
    std::string name;
    std::string team;
    int lastmsg = 0;
    std::string address;
    int qport = 0;
    int rate = 25000;
};

// "map: <map>", the column header (its fifth word is "lastmsg"), the dashed
// separator (its fifth word is "-------"), then one row per player: slot,
// score, ping, GUID, name (as many words as it has), team, lastmsg, address,
// qport, rate - ten words for a name without blanks.
std::string teamstatusText(std::string_view map, const std::vector<StatusRow>& rows);

// "Server info settings:" and one "key<padding>value" line per setting, in the
// given order; keys are padded to 20 columns with at least one blank.
std::string serverinfoText(const std::vector<std::pair<std::string, std::string>>& settings);

// The answer to a query of one server variable:
//   "<name>" is:"<value>^7" default:"<default>^7"
// With wideValue the value is set off by a blank after "is:" and "default:"
// (the server prints the exclusion list that way).
std::string variableText(std::string_view name, std::string_view value,
                         std::string_view defaultValue, bool wideValue = false);

std::string unknownCommandText(std::string_view word);

} // namespace gamesim
