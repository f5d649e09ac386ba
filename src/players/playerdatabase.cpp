#include "players/playerdatabase.h"

#include "core/activitylog.h"
#include "core/apppaths.h"
#include "core/clock.h"
#include "core/datafiles.h"
#include "core/gametext.h"
#include "core/numbers.h"
#include "core/prompts.h"
#include "core/settings.h"
#include "core/textfile.h"
#include "players/groups.h"
#include "players/playerlog.h"
#include "rcon/onlinegrid.h"
#include "rcon/rconqueue.h"
#include "rcon/slottable.h"

#include <cstdio>
#include <system_error>

namespace corvane {
namespace {

constexpr int kWelcomeAnnounce = 0;

bool startsWith(const std::string& text, std::string_view prefix) {
    return text.rfind(prefix, 0) == 0;
}

} // namespace

std::string welcomeMessage(const std::string& welcomeTemplate, const std::string& name,
                           const std::string& hostName, const std::string& group,
                           const std::string& defaultGroupName, bool newPlayer) {
    const bool defaultGroup = group == defaultGroupName;
    std::string message = replaceAll(welcomeTemplate, "<server>", hostName);
    if (defaultGroup) {
        message = replaceAll(std::move(message), "<group> ", "");
        message = replaceAll(std::move(message), "<group>", "");
    } else {
        message = replaceAll(std::move(message), "<group>", group);
    }
    if (defaultGroup && !newPlayer) {
        message = replaceAll(std::move(message), "<return>", "back");
    } else {
        message = replaceAll(std::move(message), "<return> ", "");
        message = replaceAll(std::move(message), "<return>", "");
    }
    // The player's name goes in last: a name that looks like a placeholder
    // must not be filled in itself.
    return replaceAll(std::move(message), "<player>", name);
}

PlayerDatabase::PlayerDatabase(PlayerStore& store, Groups& groups, PlayerLog& playerLog,
                               Settings& settings, SlotTable& slots, OnlineGrid& grid,
                               RconQueue& queue, ActivityLog& log, const AppPaths& paths,
                               const Clock& clock, Prompts& prompts, const GreetingGate& gate)
    : m_store(store), m_groups(groups), m_playerLog(playerLog), m_settings(settings),
      m_slots(slots), m_grid(grid), m_queue(queue), m_log(log), m_paths(paths), m_clock(clock),
      m_prompts(prompts), m_gate(gate) {}

std::string PlayerDatabase::today() const {
    return formatDate(m_clock.now());
}

std::filesystem::path PlayerDatabase::databaseFile() const {
    const std::string& configured = m_settings.advanced.PlayerDbPath;
    if (configured.empty()) return m_paths.file(kPlayerDbFile);
    if (startsWithIgnoringCase(configured, kDataDir)) return m_paths.file(configured);
    return portablePath(configured);
}

bool PlayerDatabase::LoadPlayerDatabase() {
    try {
        m_store.open(databaseFile());
    } catch (const SqlError&) {
        m_log.SMS("Error Loading Database!", kRed);
        return false;
    }
    m_playerLog.refresh();
    m_grid.SetOnlineView(m_settings.config.MaxClients);
    return true;
}

std::int32_t PlayerDatabase::FindGUIDDatabase(const std::string& guid) {
    return findGuidOrZero(m_store, guid);
}

std::string PlayerDatabase::GetLastID() {
    const auto last = m_store.lastId();
    return last ? decimal(*last) : std::string();
}

void PlayerDatabase::AddPlayer(const std::string& name, const std::string& guid,
                               const std::string& group) {
    const std::string date = today();
    m_store.insert(PlayerRecord{0, name, group, guid, date, date, m_settings.config.ServerName});
}

void PlayerDatabase::CheckPlayerDB(const std::string& name, const std::string& guid,
                                   const std::string& slot) {
    if (name == kDemoClientName || startsWith(name, "Unknown") || name.empty() || guid == "0")
        return;
    const int slotNo = SlotTable::slotNumber(slot);
    SlotEntry& entry = m_slots[slotNo];

    std::int32_t id = FindGUIDDatabase(guid);
    bool newPlayer = false;
    if (id == 0) {
        try {
            AddPlayer(name, guid, "D");
        } catch (const SqlError& e) {
            if (m_store.isOpen())
                m_log.SMS("Error adding " + name + " to the player database: " + e.what(), kRed);
            return;
        }
        id = FindGUIDDatabase(guid);
        newPlayer = true;
    }
    entry.SlotDbID = decimal(id);
    std::string group = m_groups.CheckAdminGroup(guid);

    const bool firstBatchDone = m_gate.FirstBatchDone();
    if (entry.SlotGreetedID != entry.SlotDbID && firstBatchDone &&
        !startsWith(name, kDemoClientName) && slotNo != 0) {
        entry.SlotGreetedID = entry.SlotDbID;
        playerRegistered.notify(slotNo);
        UpdateDB(id, name, guid, slot);
        if (group.empty()) group = m_groups.table.DefaultGroupName;
        greet(slotNo, name, guid, group, newPlayer);
    }
    // Also without a greeting: a player already on the server when the
    // program starts is never welcomed as if he had just joined.
    entry.SlotGreetedID = entry.SlotDbID;
    m_grid.setPlayer(slotNo, name, group, guid, getFirstSeen(id), today());
}

void PlayerDatabase::greet(int slot, const std::string& name, const std::string&, std::string group,
                           bool newPlayer) {
    const ModSettings& mod = m_settings.mod;
    if (!mod.WelcomeEnabled || !m_slots.DemoClientPresent) return;
    const std::string message =
        welcomeMessage(mod.WelcomeTemplate, neutralize(name), m_settings.config.HostName, group,
                       m_groups.table.DefaultGroupName, newPlayer);
    if (mod.AnnounceMode[kWelcomeAnnounce] != 0)
        m_queue.pushBack("tell " + decimal(slot) + " " + message);
    else
        m_queue.pushBack("Say " + message);
}

void PlayerDatabase::UpdateDB(std::int32_t id, const std::string& name, const std::string&,
                              const std::string&) {
    try {
        m_store.updateSeen(id, name, today(), m_settings.config.ServerName);
    } catch (const SqlError&) {
    }
}

void PlayerDatabase::playerLeft(const std::string& guid) {
    UpdateLastSeen(decimal(FindGUIDDatabase(guid)));
}

void PlayerDatabase::UpdateLastSeen(const std::string& id) {
    const auto number = toInt32(id);
    if (!number) return;
    try {
        m_store.updateLastSeen(*number, today(), m_settings.config.ServerName);
    } catch (const SqlError&) {
    }
}

std::string PlayerDatabase::getFirstSeen(std::int32_t id) {
    if (id == 0) return {};
    try {
        const auto record = m_store.record(id);
        return record ? record->FirstSeen : std::string();
    } catch (const SqlError&) {
        return {};
    }
}

bool PlayerDatabase::newDatabase() {
    if (m_prompts.messageBox(
            "New DB",
            "Are you sure you want to start a new, empty player database? Every stored player "
            "will be lost!",
            MessageButtons::YesNo, MessageIcon::Question) != MessageResult::Yes)
        return false;
    const std::filesystem::path target = databaseFile();
    const auto blank = readFile(m_paths.file(kPlayerDbTemplateFile));
    if (!blank) {
        m_log.SMS("Error creating a new database: " + std::string(kPlayerDbTemplateFile) +
                      " cannot be read!",
                  kRed);
        return false;
    }
    // The copy is checked before it takes the old file's place, and the old
    // file is replaced only while no connection has it open: SQLite must
    // never see its file change underneath it.
    const std::filesystem::path staged = target.string() + ".new";
    std::string error;
    bool ok = atomicReplace(staged, *blank, &error);
    if (ok) {
        try {
            PlayerStore probe;
            probe.open(staged);
        } catch (const SqlError& e) {
            ok = false;
            error = std::string(kPlayerDbTemplateFile) + " is not a player database: " + e.what();
        }
    }
    if (ok) {
        m_store.close();
        std::error_code ignored;
        for (const char* leftover : {"-journal", "-wal", "-shm"})
            std::filesystem::remove(target.string() + leftover, ignored);
        ok = std::rename(staged.c_str(), target.c_str()) == 0;
        if (!ok) error = "cannot replace " + target.string();
    }
    if (!ok) {
        std::error_code ignored;
        std::filesystem::remove(staged, ignored);
        m_log.SMS("Error creating a new database: " + error, kRed);
    }
    if (!m_store.isOpen() || ok) LoadPlayerDatabase();
    return ok;
}

} // namespace corvane
