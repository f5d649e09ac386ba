#pragma once
// The operator's group editing in the permissions view, as core operations:
// the window only shows the groups and calls these. Each ends by saving the
// way its kind of change requires.

#include "core/signal.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

class Groups;
class OnlineGrid;
class PlayerLog;
class Prompts;

class GroupEditor {
public:
    GroupEditor(Groups& groups, PlayerLog& playerLog, OnlineGrid& grid, Prompts& prompts);

    // ---- the groups list (levels 1..)
    std::optional<int> selectedLevel() const { return m_selected; }
    void selectGroup(std::optional<int> level);
    bool newGroup();
    bool deleteGroup(int level);
    // Asks for the new name.
    bool renameGroup(int level);
    // The name typed into the list itself.
    bool renameGroupTo(int level, const std::string& name);
    bool moveUp(int level);
    bool moveDown(int level);
    bool changeDefault(int level);

    // ---- the command list of a group
    std::vector<std::string> commandsOf(int level) const;
    std::vector<std::string> availableCommands() const;
    bool addCommand(int level, const std::string& word);
    bool removeCommand(int level, const std::string& word);
    bool grantAll(int level);
    bool clearCommands(int level);
    void copyList(int level);
    // Start-up: nothing has been copied yet.
    void clearClipboard() { m_clipboard.reset(); }
    bool pasteList(int level);

    // ---- the "Group" sub-menu on players: "Owner", then each group
    std::vector<std::string> groupMenuEntries() const;
    // A player of the online grid, by slot, or of the player log, by row.
    bool setOnlinePlayerGroup(int slot, int level);
    bool setLoggedPlayerGroup(std::size_t row, int level);
    // A player of the player log, by his record (rows move when the log refills).
    bool setRecordGroup(std::int32_t id, const std::string& name, int level);

    Signal<> changed;
    // The default group changed: a status poll a moment later shows
    // everybody's group again.
    Signal<> defaultChanged;

private:
    bool isGroup(int level) const;
    bool storeCommands(int level, const std::vector<std::string>& words);
    bool acceptableName(const std::string& name, const std::string& title);
    void swapLevels(int a, int b);

    Groups& m_groups;
    PlayerLog& m_playerLog;
    OnlineGrid& m_grid;
    Prompts& m_prompts;
    std::optional<int> m_selected;
    std::optional<std::vector<std::string>> m_clipboard;
};

} // namespace corvane
