#pragma once
// The permission groups by level. Level 0 is the built-in "Owner", who may run
// everything; the operator's groups are levels 1 and up in list order, and one
// of them is the default group that every player without a group of his own
// gets. Players are stored under a group's name (or "0"/"D"), so moving or
// deleting groups never changes anybody's membership.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct GroupTable {
    static constexpr int kLevels = 101;   // 0 to 100
    static constexpr int kMaxGroups = 10; // what the console lets the operator create
    static constexpr const char* kOwner = "Owner";

    // Empty above the last group. Level 0 always reads "Owner".
    std::array<std::string, kLevels> GroupName{kOwner};
    // The words each level may run, each after a ";" (";KICK;WARN"); empty
    // elements may occur and mean nothing.
    std::array<std::string, kLevels> GroupCommands{};
    // The words the console offers for granting, from index 1.
    std::array<std::string, kLevels> CommandList{};
    std::int16_t DefaultRank = 0;
    std::string DefaultGroupName;

    // Levels 1.. up to the first empty name.
    int groupCount() const;
    // Entries 1.. of CommandList up to the first empty one.
    int commandCount() const;
    // DefaultGroupName := the name at DefaultRank (empty when out of range).
    void syncDefaultName();

    // The group name for a stored value: a level's name matched ignoring case,
    // else "0" is the Owner, else "Unknown [value]". An empty value shows empty.
    std::string FindGroup(std::string_view value) const;
    // The level of a group name (exact case); DefaultRank when none has it.
    int GroupNtoNum(std::string_view name) const;
    // The name at a level given as text; empty when it is not a usable level.
    std::string NumtoGroup(std::string_view level) const;

    // Whether a player of this level may run a command word (case ignored).
    bool mayRun(int level, std::string_view word) const;
    // The non-empty command words of a level, in order.
    std::vector<std::string> commandsOf(int level) const;
    bool grants(int level, std::string_view word) const;
};

// The non-empty elements of a ";"-separated list, in order.
std::vector<std::string> splitCommandList(std::string_view list);
// ";" + each word.
std::string joinCommandList(const std::vector<std::string>& words);

} // namespace corvane
