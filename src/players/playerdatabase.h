#pragma once
// Every player ever seen: found by GUID or added when he shows up, greeted
// once per visit to a slot, his last-seen day kept, his row of the online
// grid filled. The database is one SQLite file, Data/playerdb.mdb unless the
// advanced settings name another.

#include "players/playerstore.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace corvane {

class ActivityLog;
class AppPaths;
class Clock;
class Groups;
class OnlineGrid;
class PlayerLog;
class Prompts;
class RconQueue;
class Settings;
class SlotTable;

struct PlayerDatabaseHooks {
    // The first batch of log lines has been handled: nobody is greeted before.
    std::function<bool()> FirstBatchDone;
    // A player was registered in a slot: his language and weapon warnings
    // start again from zero.
    std::function<void(int slot)> resetWarnings;
};

// The welcome line's text from the template: "<player>", "<server>",
// "<group>" and "<return>" filled in (see CheckPlayerDB).
std::string welcomeMessage(const std::string& welcomeTemplate, const std::string& name,
                           const std::string& hostName, const std::string& group,
                           const std::string& defaultGroupName, bool newPlayer);

class PlayerDatabase {
public:
    static constexpr const char* kTemplateFile = "Data/new.mdb";
    static constexpr const char* kDefaultFile = "Data/playerdb.mdb";

    PlayerDatabase(PlayerStore& store, Groups& groups, PlayerLog& playerLog, Settings& settings,
                   SlotTable& slots, OnlineGrid& grid, RconQueue& queue, ActivityLog& log,
                   const AppPaths& paths, const Clock& clock, Prompts& prompts,
                   PlayerDatabaseHooks hooks);

    // Opens the database, then refills the player log and rebuilds the grid.
    bool LoadPlayerDatabase();
    // The file PlayerDbPath names: one beginning with "Data" lies in the
    // application directory; "\" and "/" both separate its parts.
    std::filesystem::path databaseFile() const;

    std::int32_t FindGUIDDatabase(const std::string& guid);
    std::string GetLastID();
    void AddPlayer(const std::string& name, const std::string& guid, const std::string& group);
    // A player seen in a slot (join line or status row).
    void CheckPlayerDB(const std::string& name, const std::string& guid, const std::string& slot);
    void UpdateDB(std::int32_t id, const std::string& name, const std::string& guid,
                  const std::string& slot);
    // A player left.
    void UpdateLastSeen(const std::string& id);
    std::string getFirstSeen(std::int32_t id);

    // "New DB": after the operator confirms, the database in use is replaced
    // by the empty template Data/new.mdb and opened again. False when nothing
    // was replaced.
    bool newDatabase();

private:
    std::string today() const;
    void greet(int slot, const std::string& name, const std::string& guid, std::string group,
               bool newPlayer);

    PlayerStore& m_store;
    Groups& m_groups;
    PlayerLog& m_playerLog;
    Settings& m_settings;
    SlotTable& m_slots;
    OnlineGrid& m_grid;
    RconQueue& m_queue;
    ActivityLog& m_log;
    const AppPaths& m_paths;
    const Clock& m_clock;
    Prompts& m_prompts;
    PlayerDatabaseHooks m_hooks;
};

} // namespace corvane
