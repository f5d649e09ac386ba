#include "players/groupeditor.h"

#include "core/gametext.h"
#include "core/numbers.h"
#include "core/prompts.h"
#include "players/groupfiles.h"
#include "players/groups.h"
#include "players/playerlog.h"
#include "rcon/onlinegrid.h"
#include "rcon/rconqueue.h"

#include <algorithm>
#include <utility>

namespace corvane {

GroupEditor::GroupEditor(Groups& groups, PlayerLog& playerLog, OnlineGrid& grid, Prompts& prompts)
    : m_groups(groups), m_playerLog(playerLog), m_grid(grid), m_prompts(prompts) {}

bool GroupEditor::isGroup(int level) const {
    return level >= 1 && level <= m_groups.table.groupCount();
}

void GroupEditor::selectGroup(std::optional<int> level) {
    m_selected = level && isGroup(*level) ? level : std::nullopt;
    changed.notify();
}

// A name with a comma or a line break would come back from Levels.txt as
// several items and break every group after it.
bool GroupEditor::acceptableName(const std::string& name, const std::string& title) {
    if (isStorableGroupName(name)) return true;
    m_prompts.messageBox(title, "A group name cannot contain a comma.", MessageButtons::Ok,
                         MessageIcon::Exclamation);
    return false;
}

bool GroupEditor::newGroup() {
    GroupTable& t = m_groups.table;
    const int count = t.groupCount();
    if (count >= GroupTable::kMaxGroups) {
        m_prompts.messageBox("New Group", "Too many groups, max is 10!", MessageButtons::Ok,
                             MessageIcon::Exclamation);
        return false;
    }
    const std::string name = trimBlanks(m_prompts.inputBox("New Group", "Enter new group name"));
    if (name.empty() || !acceptableName(name, "New Group")) return false;
    t.GroupName[static_cast<std::size_t>(count + 1)] = name;
    t.GroupCommands[static_cast<std::size_t>(count + 1)].clear();
    m_groups.SaveGroups();
    selectGroup(count + 1);
    return true;
}

bool GroupEditor::deleteGroup(int level) {
    GroupTable& t = m_groups.table;
    if (!isGroup(level)) return false;
    if (level == t.DefaultRank) {
        m_prompts.messageBox("Delete Group", "Sorry you cannot delete the default group!",
                             MessageButtons::Ok, MessageIcon::Exclamation);
        return false;
    }
    if (m_prompts.messageBox("Delete Group", "Are you sure you want to delete this group?",
                             MessageButtons::YesNo, MessageIcon::Question) != MessageResult::Yes)
        return false;
    const int count = t.groupCount();
    for (int i = level; i < count; ++i) {
        t.GroupName[static_cast<std::size_t>(i)] = t.GroupName[static_cast<std::size_t>(i + 1)];
        t.GroupCommands[static_cast<std::size_t>(i)] =
            t.GroupCommands[static_cast<std::size_t>(i + 1)];
    }
    t.GroupName[static_cast<std::size_t>(count)].clear();
    t.GroupCommands[static_cast<std::size_t>(count)].clear();
    // The default mark stays on its group, which may have moved up.
    if (t.DefaultRank > level) --t.DefaultRank;
    t.syncDefaultName();
    m_groups.SaveGroups();
    m_groups.SaveSettings();
    selectGroup(isGroup(level) ? std::optional<int>(level) : std::nullopt);
    return true;
}

bool GroupEditor::renameGroup(int level) {
    if (!isGroup(level)) return false;
    const std::string current = m_groups.table.GroupName[static_cast<std::size_t>(level)];
    return renameGroupTo(
        level, m_prompts.inputBox("Rename Group", "Enter the new name for the group: " + current));
}

bool GroupEditor::renameGroupTo(int level, const std::string& typed) {
    if (!isGroup(level)) return false;
    const std::string name = trimBlanks(typed);
    if (name.empty() || !acceptableName(name, "Rename Group")) return false;
    m_groups.table.GroupName[static_cast<std::size_t>(level)] = name;
    m_groups.table.syncDefaultName();
    m_groups.SaveSettings();
    changed.notify();
    return true;
}

void GroupEditor::swapLevels(int a, int b) {
    GroupTable& t = m_groups.table;
    std::swap(t.GroupName[static_cast<std::size_t>(a)], t.GroupName[static_cast<std::size_t>(b)]);
    std::swap(t.GroupCommands[static_cast<std::size_t>(a)],
              t.GroupCommands[static_cast<std::size_t>(b)]);
    if (t.DefaultRank == a)
        t.DefaultRank = static_cast<std::int16_t>(b);
    else if (t.DefaultRank == b)
        t.DefaultRank = static_cast<std::int16_t>(a);
    t.syncDefaultName();
    m_groups.SaveSettings();
    if (m_selected == a) m_selected = b;
    changed.notify();
}

bool GroupEditor::moveUp(int level) {
    if (!isGroup(level) || level == 1) return false;
    swapLevels(level, level - 1);
    return true;
}

bool GroupEditor::moveDown(int level) {
    if (!isGroup(level) || level == m_groups.table.groupCount()) return false;
    swapLevels(level, level + 1);
    return true;
}

bool GroupEditor::changeDefault(int level) {
    GroupTable& t = m_groups.table;
    if (!isGroup(level) || level == t.DefaultRank) return false;
    const std::string& name = t.GroupName[static_cast<std::size_t>(level)];
    if (m_prompts.messageBox(
            "Change Default Group to " + name,
            "Are you sure you want to change the default group? All players who join the server "
            "will be able to execute commnads in this group!",
            MessageButtons::YesNo, MessageIcon::Question) != MessageResult::Yes)
        return false;
    t.DefaultRank = static_cast<std::int16_t>(level);
    m_groups.SaveGroups();
    m_playerLog.refresh();
    defaultChanged.notify();
    changed.notify();
    return true;
}

// ---------------------------------------------------------------- commands

std::vector<std::string> GroupEditor::commandsOf(int level) const {
    return m_groups.table.commandsOf(level);
}

std::vector<std::string> GroupEditor::availableCommands() const {
    const GroupTable& t = m_groups.table;
    return std::vector<std::string>(t.CommandList.begin() + 1,
                                    t.CommandList.begin() + 1 + t.commandCount());
}

bool GroupEditor::storeCommands(int level, const std::vector<std::string>& words) {
    if (!isGroup(level)) return false;
    m_groups.SaveGroupLists(level, words);
    changed.notify();
    return true;
}

bool GroupEditor::addCommand(int level, const std::string& word) {
    if (word.empty() || !isGroup(level) || m_groups.table.grants(level, word)) return false;
    auto words = commandsOf(level);
    words.push_back(word);
    return storeCommands(level, words);
}

bool GroupEditor::removeCommand(int level, const std::string& word) {
    auto words = commandsOf(level);
    const auto it = std::find(words.begin(), words.end(), word);
    if (it == words.end()) return false;
    words.erase(it);
    return storeCommands(level, words);
}

bool GroupEditor::grantAll(int level) {
    if (!isGroup(level)) return false;
    auto words = commandsOf(level);
    for (const std::string& word : availableCommands())
        if (std::find(words.begin(), words.end(), word) == words.end()) words.push_back(word);
    return storeCommands(level, words);
}

bool GroupEditor::clearCommands(int level) {
    if (!isGroup(level)) return false;
    if (m_prompts.messageBox("Clear All Commands", "Are you sure you want to clear all commands?",
                             MessageButtons::YesNo, MessageIcon::Question) != MessageResult::Yes)
        return false;
    return storeCommands(level, {});
}

void GroupEditor::copyList(int level) {
    if (isGroup(level)) m_clipboard = commandsOf(level);
}

bool GroupEditor::pasteList(int level) {
    if (!m_clipboard) return false;
    return storeCommands(level, *m_clipboard);
}

// ---------------------------------------------------------------- players' groups

std::vector<std::string> GroupEditor::groupMenuEntries() const {
    const GroupTable& t = m_groups.table;
    const int shown = std::min(t.groupCount(), GroupTable::kMaxGroups);
    return std::vector<std::string>(t.GroupName.begin(), t.GroupName.begin() + 1 + shown);
}

bool GroupEditor::setOnlinePlayerGroup(int slot, int level) {
    const OnlineGridRow* row = m_grid.row(slot);
    if (!row || row->username.empty()) return false;
    const std::string guid = row->guid;
    const std::string name = row->username;
    if (!m_groups.setGroupFromWindow("G" + guid, level, name)) return false;
    m_grid.setGroup(slot, m_groups.table.GroupName[static_cast<std::size_t>(level)]);
    m_playerLog.refresh();
    return true;
}

bool GroupEditor::setLoggedPlayerGroup(std::size_t row, int level) {
    const PlayerLogRow player = m_playerLog.row(row);
    if (player.record.ID == 0) return false; // past the end
    return setRecordGroup(player.record.ID, player.record.UserName, level);
}

bool GroupEditor::setRecordGroup(std::int32_t id, const std::string& name, int level) {
    if (!m_groups.setGroupFromWindow(decimal(id), level, name)) return false;
    m_playerLog.refresh();
    return true;
}

} // namespace corvane
