#include "app/playermenu.h"

namespace corvane {
namespace {

PlayerMenu withGroups(const std::vector<std::string>& groups, const std::string& groupCell) {
    PlayerMenu menu;
    menu.groups = groups;
    for (std::size_t i = 0; i < groups.size() && !menu.checkedGroup; ++i)
        if (!groups[i].empty() && groups[i] == groupCell) menu.checkedGroup = i;
    return menu;
}

} // namespace

std::optional<PlayerMenu> onlinePlayerMenu(const std::vector<std::string>& groups,
                                           const std::string& username,
                                           const std::string& groupCell) {
    if (username.empty()) return std::nullopt;
    PlayerMenu menu = withGroups(groups, groupCell);
    menu.showSanctions = true;
    return menu;
}

PlayerMenu loggedPlayerMenu(const std::vector<std::string>& groups, const std::string& groupCell,
                            bool online) {
    PlayerMenu menu = withGroups(groups, groupCell);
    menu.showDelete = true;
    menu.showSanctions = online;
    return menu;
}

} // namespace corvane
