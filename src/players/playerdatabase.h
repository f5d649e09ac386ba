#pragma once
// Every player ever seen: found by GUID or added when he shows up, greeted
// once per visit to a slot, his last-seen day kept, his row of the online
// grid filled. The database is one SQLite file, Data/playerdb.mdb unless the
// advanced settings name another.

#include "core/signal.h"
#include "players/playerstore.h"

#include <cstdint>
#include <filesystem>
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

// Whether the first batch of log lines has been handled: players already on
// the server when the program starts are never greeted as if they had just
// joined.
class GreetingGate {
public:
    virtual ~GreetingGate() = default;
    virtual bool FirstBatchDone() const = 0;
};

// The welcome line's text from the template: "<player>", "<server>",
// "<group>" and "<return>" filled in (see CheckPlayerDB).
std::string welcomeMessage(const std::string& welcomeTemplate, const std::string& name,
                           const std::string& hostName, const std::string& group,
                           const std::string& defaultGroupName, bool newPlayer);

class PlayerDatabase {
public:
    PlayerDatabase(PlayerStore& store, Groups& groups, PlayerLog& playerLog, Settings& settings,
                   SlotTable& slots, OnlineGrid& grid, RconQueue& queue, ActivityLog& log,
                   const AppPaths& paths, const Clock& clock, Prompts& prompts,
                   const GreetingGate& gate);

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
    // A player with this GUID left: his last-seen day.
    void playerLeft(const std::string& guid);
    void UpdateDB(std::int32_t id, const std::string& name, const std::string& guid,
                  const std::string& slot);
    // A player left.
    void UpdateLastSeen(const std::string& id);
    std::string getFirstSeen(std::int32_t id);

    // "New DB": after the operator confirms, the database in use is replaced
    // by the empty template Data/new.mdb and opened again. False when nothing
    // was replaced.
    bool newDatabase();

    // A player was registered in a slot: his language and weapon warnings
    // start again from zero.
    Signal<int> playerRegistered;

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
    const GreetingGate& m_gate;
};

} // namespace corvane
