#pragma once
// Reading the reply to "teamstatus": the map line and the player rows, from
// the cleaned text split into lines. Pure: text in, rows out.

#include <optional>
#include <string>
#include <vector>

namespace corvane {

struct StatusRow {
    std::string slot; // a whole number from 0 to 50
    std::string score;
    std::string guid;
    std::string name;
    bool operator==(const StatusRow&) const = default;
};

struct TeamStatus {
    std::optional<std::string> map; // the "map:" line's map
    std::vector<StatusRow> rows;    // in reply order
};

// A player row has the slot number, score, ping and GUID, then the name from
// the fifth token on, then six more tokens. A row that the datagram boundary
// cut ends in "print" (where the next datagram's head begins) and goes on in
// the next line: the two are joined. Header lines, separators and rows whose
// slot or name cannot be read are left out.
TeamStatus parseTeamStatus(const std::vector<std::string>& lines);

// A status line split at blanks, empty tokens dropped, at most 100 tokens.
std::vector<std::string> statusTokens(const std::string& line);
// The player's name in a status row (tokens 4 to 4 + count - 10).
std::string statusRowName(const std::vector<std::string>& tokens);

} // namespace corvane
