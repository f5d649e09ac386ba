#pragma once
// What the link asks the parts above it about the players it sees. The App
// hands these to the link's constructors; the players and the enforcement
// answer them.

#include <string>

namespace corvane {

class PlayerDirectory {
public:
    virtual ~PlayerDirectory() = default;
    // The player's group name, as stored in the player database.
    virtual std::string CheckAdminGroup(const std::string& guid) = 0;
    // The default group's name (players in it are not administrators).
    virtual std::string defaultGroupName() const = 0;
    // Whether the online player with this GUID belongs to the default group
    // (anyone not online does).
    virtual bool inDefaultGroup(const std::string& guid) const = 0;
};

// The name checks on a newly seen player. Each returns true when it removed
// the player: he then never becomes an online player.
class NameChecks {
public:
    virtual ~NameChecks() = default;
    virtual bool CheckBadNames(const std::string& name, const std::string& slot,
                               const std::string& guid) = 0;
    virtual bool CheckBadxBox(const std::string& name, const std::string& slot,
                              const std::string& guid) = 0;
};

// A player seen in a slot (a join line or a status row), for the player
// database to store and greet.
struct SeenPlayer {
    std::string name;
    std::string guid;
    std::string slot;
};

} // namespace corvane
