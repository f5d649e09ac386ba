#pragma once
// What the maps and messages ask of the rest of the program about the server
// and its players. The App answers from the status poll, the slot table and
// the player database.

#include <optional>
#include <string>

namespace corvane {

struct OnlinePlayer {
    int slot = 0;
    std::string name;
    std::string guid;
};

class MapsServerView {
public:
    virtual ~MapsServerView() = default;
    // The server map being played, from the last status reply; empty before it.
    virtual std::string currentMap() const = 0;
    // Players on the server, the server's own demo recorder not counted.
    virtual int playersOnline() const = 0;
    // The player in the lowest occupied slot from 1 up, if any.
    virtual std::optional<OnlinePlayer> firstPlayer() const = 0;
    // The name of a player's permission group, from the player database.
    virtual std::string groupName(const std::string& guid) const = 0;
    // The server's numeric address, looked up from the configured host;
    // nothing while the lookup has not answered.
    virtual std::optional<std::string> address() const = 0;
};

} // namespace corvane
