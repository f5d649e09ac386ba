#pragma once
// The permission groups: loading and saving Levels.txt and Commands.txt, a
// player's group from the database or from the online slot table, the
// permission decision, !setgroup and the group list sent in game.

#include "core/signal.h"
#include "players/grouptable.h"
#include "rcon/playerevents.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class ActivityLog;
class AppPaths;
class CriticalErrors;
class EventLoop;
class OnlineGrid;
class PlayerLookup;
class PlayerStore;
class RconQueue;
class Settings;
class SlotTable;
class Timer;
struct CommandIssuer;

class Groups final : public PlayerDirectory {
public:
    static constexpr int kSaveDelayMs = 15000;

    Groups(Settings& settings, SlotTable& slots, OnlineGrid& grid, RconQueue& queue,
           ActivityLog& log, const AppPaths& paths, EventLoop& loop, PlayerStore& store,
           PlayerLookup& lookup, CriticalErrors& errors);
    ~Groups() override;
    Groups(const Groups&) = delete;
    Groups& operator=(const Groups&) = delete;

    GroupTable table;

    // ---- files
    void InputAdmin();
    // Writes Levels.txt; nothing while the last load failed (so a file that
    // could not be read is never overwritten). False when nothing was written.
    bool SaveSettings();
    void clearArrays(bool namesOnly);
    // After a structural change: save, reload, and save the mod settings.
    void SaveGroups();
    void LoadDRank();
    void DetectDRank();
    bool loadFailed() const { return m_loadFailed; }

    // ---- names and levels
    std::string FindGroup(std::string_view value) const { return table.FindGroup(value); }
    int GroupNtoNum(std::string_view name) const { return table.GroupNtoNum(name); }
    std::string NumtoGroup(std::string_view level) const { return table.NumtoGroup(level); }
    // The group name stored for a player in the database.
    std::string CheckAdminGroup(const std::string& guid) override;
    std::string defaultGroupName() const override { return table.DefaultGroupName; }
    bool inDefaultGroup(const std::string& guid) const override;
    // The player's level from the online slot table, as decimal text; the
    // default level when he is not online.
    std::string CheckAdminGroupNODB(const std::string& guid) const;
    int levelOf(const std::string& guid) const;
    // The permission decision for a chat command.
    bool mayRun(const std::string& guid, std::string_view word) const;

    // ---- changing a player's group
    // The online player with this GUID, in the slot table and the grid.
    void SetOnlineGroup(const std::string& guid, const std::string& group);
    // !setgroup <player> <group name or level>, typed by the issuer.
    void SetGroup(const CommandIssuer& issuer, std::string_view text);
    // target: a record ID as text, or "G" + GUID; group: a name or a level.
    // Answers go to the issuer; silent changes (the operator's own) are not
    // announced at all. True when the player's group was changed.
    bool SetGroupDatabase(const std::string& target, const std::string& group,
                          const std::string& playerName, const CommandIssuer& issuer, bool silent);
    // A group chosen for a player in the operator's window (level 0 is
    // Owner). It is said publicly when set-group announcements are "Global"
    // and not at all otherwise: nobody in the game asked, so nobody is told
    // privately. False when the level names no group or nothing changed.
    bool setGroupFromWindow(const std::string& target, int level, const std::string& playerName);
    void PMGROUPS(const CommandIssuer& issuer);

    // ---- console
    // For each announcement kind, whether "Global" is selected.
    void saveGorP(const std::array<bool, 10>& globalSelected);
    // The operator changed a group's command list: store it, save 15 s later.
    void SaveGroupLists(int level, const std::vector<std::string>& listedCommands);
    bool saveTimerActive() const;
    // At shutdown: the groups are saved directly, the delayed save is dropped.
    void stopSaveTimer();

    // The groups were read or a command list was edited; the group editor
    // tells of its own edits with its `changed`.
    Signal<> changed;
    // The groups were loaded: the lists that go with them are reloaded and
    // the queue pump's period applied.
    Signal<> loaded;
    // A player's group changed: the player log wants refilling.
    Signal<> playerGroupChanged;

private:
    std::int32_t recordIdOf(const std::string& target);
    void finishSetGroup(const std::string& playerName, const std::string& guid,
                        const std::string& groupName);

    Settings& m_settings;
    SlotTable& m_slots;
    OnlineGrid& m_grid;
    RconQueue& m_queue;
    ActivityLog& m_log;
    const AppPaths& m_paths;
    PlayerStore& m_store;
    PlayerLookup& m_lookup;
    CriticalErrors& m_errors;
    std::unique_ptr<Timer> m_saveTimer;
    bool m_loadFailed = false;
};

} // namespace corvane
