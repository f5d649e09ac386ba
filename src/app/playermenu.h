#pragma once
// The pop-up menu over a player of the online grid or the player log: the
// "Group" sub-menu ("Owner", then each group) with the player's group checked,
// "Delete" on the player log, and "Warn", "Kick", "Tempban", "Ban" for a
// player who is online.

#include <optional>
#include <string>
#include <vector>

namespace corvane {

struct PlayerMenu {
    std::vector<std::string> groups;         // entry i is level i
    std::optional<std::size_t> checkedGroup; // the entry named like the row's group
    bool showDelete = false;
    bool showSanctions = false; // the separator and the four actions
};

// groups: the sub-menu's entries. An empty username opens no menu.
std::optional<PlayerMenu> onlinePlayerMenu(const std::vector<std::string>& groups,
                                           const std::string& username,
                                           const std::string& groupCell);
// online: the record's player holds a slot right now.
PlayerMenu loggedPlayerMenu(const std::vector<std::string>& groups, const std::string& groupCell,
                            bool online);

} // namespace corvane
