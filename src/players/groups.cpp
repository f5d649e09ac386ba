#include "players/groups.h"

#include "core/activitylog.h"
#include "core/apppaths.h"
#include "core/criticalerrors.h"
#include "core/datafiles.h"
#include "core/eventloop.h"
#include "core/fieldreader.h"
#include "core/gametext.h"
#include "core/numbers.h"
#include "core/settings.h"
#include "core/textfile.h"
#include "players/groupfiles.h"
#include "players/playerlookup.h"
#include "players/playerstore.h"
#include "rcon/onlinegrid.h"
#include "rcon/rconqueue.h"
#include "rcon/slottable.h"

namespace corvane {
namespace {

constexpr int kSetGroupAnnounce = 9;

} // namespace

Groups::Groups(Settings& settings, SlotTable& slots, OnlineGrid& grid, RconQueue& queue,
               ActivityLog& log, const AppPaths& paths, EventLoop& loop, PlayerStore& store,
               PlayerLookup& lookup, CriticalErrors& errors)
    : m_settings(settings), m_slots(slots), m_grid(grid), m_queue(queue), m_log(log),
      m_paths(paths), m_store(store), m_lookup(lookup), m_errors(errors) {
    m_saveTimer = loop.createTimer(kSaveDelayMs, true, [this] { SaveSettings(); });
}

Groups::~Groups() = default;

// ---------------------------------------------------------------- files

void Groups::clearArrays(bool namesOnly) {
    table.GroupName.fill({});
    table.GroupName[0] = GroupTable::kOwner;
    if (namesOnly) return;
    table.GroupCommands.fill({});
    table.CommandList.fill({});
}

void Groups::InputAdmin() {
    clearArrays(false);
    try {
        readLevelsFile(readFieldFile(m_paths.file(kLevelsFile)), table);
        table.syncDefaultName();
        readCommandsFile(readFieldFile(m_paths.file(kCommandsFile)), table);
    } catch (const FieldReadError&) {
        table.syncDefaultName();
        changed.notify();
        // Marked before the error is raised: a Retry in the critical-error
        // dialog reloads everything, and a reload that succeeds clears it.
        m_loadFailed = true;
        m_log.SMS("WARNING: Error loading Files, make sure \\Data folder exists!", kRed);
        m_errors.raise(CriticalSource::Groups);
        return;
    }
    m_loadFailed = false;
    m_errors.clear(CriticalSource::Groups);
    m_log.SMS("Read Admin Config");
    changed.notify();
    loaded.notify();
}

bool Groups::SaveSettings() {
    if (m_loadFailed) return false;
    std::string error;
    if (!atomicReplace(m_paths.file(kLevelsFile), writeLevelsFile(table), &error)) {
        m_log.SMS("Error saving Levels.txt! " + error, kRed);
        return false;
    }
    return true;
}

void Groups::SaveGroups() {
    if (m_loadFailed) return;
    table.syncDefaultName();
    SaveSettings();
    InputAdmin();
    DetectDRank();
}

void Groups::LoadDRank() {
    try {
        table.DefaultRank = readDefaultRank(readFieldFile(m_paths.file(kLevelsFile)));
        table.syncDefaultName();
    } catch (const FieldReadError&) {
        m_log.SMS("Error opening Levels.txt!", kRed);
    }
}

// The console's "Default" mark always sits on the row of DefaultRank, so
// only the saving is left to do.
void Groups::DetectDRank() {
    m_settings.SaveModFile();
}

// ---------------------------------------------------------------- names and levels

std::string Groups::CheckAdminGroup(const std::string& guid) {
    // One query for what is the record's Group found by GUID; any failure
    // counts as no record.
    std::optional<std::string> stored;
    try {
        stored = m_store.groupByGuid(guid);
    } catch (const SqlError&) {
    }
    if (!stored || *stored == "D") return table.DefaultGroupName;
    return table.FindGroup(*stored);
}

std::string Groups::CheckAdminGroupNODB(const std::string& guid) const {
    return decimal(levelOf(guid));
}

int Groups::levelOf(const std::string& guid) const {
    // An empty GUID is an empty slot, never a player.
    if (!guid.empty())
        for (int slot = 0; slot < SlotTable::kSlots; ++slot)
            if (m_slots[slot].SlotGUID == guid) return table.GroupNtoNum(m_slots[slot].SlotGroup);
    return table.DefaultRank;
}

bool Groups::inDefaultGroup(const std::string& guid) const {
    return levelOf(guid) == table.DefaultRank;
}

bool Groups::mayRun(const std::string& guid, std::string_view word) const {
    return table.mayRun(levelOf(guid), word);
}

// ---------------------------------------------------------------- changing a player's group

// The player is found by his GUID, so another player of the same name keeps
// his group.
void Groups::SetOnlineGroup(const std::string& guid, const std::string& group) {
    if (guid.empty()) return;
    for (int slot = 0; slot < SlotTable::kSlots; ++slot) {
        SlotEntry& e = m_slots[slot];
        if (e.SlotGUID != guid) continue;
        e.SlotGroup = group;
        if (const OnlineGridRow* row = m_grid.row(slot); row && row->guid == guid)
            m_grid.setGroup(slot, group);
        m_slots.changed.notify();
    }
}

void Groups::SetGroup(const CommandIssuer& issuer, std::string_view text) {
    const PlayerMatch match = m_lookup.FindPlayer(issuer, text);
    // The candidates have been listed to the issuer; nothing more to say.
    if (match.kind == PlayerMatch::Kind::Ambiguous) return;
    const std::string group = trimBlanks(match.rest);
    const std::string guid = m_lookup.targetGUID(match, m_settings.config.MaxClients);
    if (!guid.empty() && !group.empty()) {
        const std::int32_t id = findGuidOrZero(m_store, guid);
        if (id != 0) {
            SetGroupDatabase(decimal(id), group, match.name, issuer, false);
            return;
        }
    }
    m_queue.SendPM(issuer, "Player not found");
}

std::int32_t Groups::recordIdOf(const std::string& target) {
    if (!target.empty() && target.front() == 'G') return findGuidOrZero(m_store, target.substr(1));
    return toInt32(target).value_or(0);
}

bool Groups::SetGroupDatabase(const std::string& target, const std::string& groupText,
                              const std::string& playerName, const CommandIssuer& issuer,
                              bool silent) {
    try {
        const std::int32_t id = recordIdOf(target);
        const std::optional<PlayerRecord> record = id == 0 ? std::nullopt : m_store.record(id);
        if (!record) {
            m_log.SMS("Cannot set the group of " + playerName + ": not in the player database",
                      kRed);
            return false;
        }
        const std::string group = isINT(groupText) ? table.NumtoGroup(groupText) : groupText;
        if (equalsIgnoringCase(group, GroupTable::kOwner)) {
            m_store.setGroup(id, "0");
            if (!silent) m_queue.SendSay("^2" + playerName + " was set to the group: ^1Owner");
            finishSetGroup(playerName, record->guid, GroupTable::kOwner);
            return true;
        }
        int level = -1;
        const int groups = table.groupCount();
        for (int i = 0; i <= groups && level < 0; ++i)
            if (equalsIgnoringCase(table.GroupName[static_cast<std::size_t>(i)], group)) level = i;
        if (level < 0) {
            if (!silent) {
                m_queue.SendPM(issuer,
                               "To setgroup use: ^2!setgroup <player> <group name or level>");
                PMGROUPS(issuer);
            }
            return false;
        }
        const bool isDefault = level == table.DefaultRank;
        const std::string& name = table.GroupName[static_cast<std::size_t>(level)];
        m_store.setGroup(id, isDefault ? "D" : name);
        if (!silent) {
            const std::string message = "^2" + playerName + " was set to the " +
                                        (isDefault ? "default " : "") + "group: ^1" + name;
            if (m_settings.mod.AnnounceMode[kSetGroupAnnounce] != 0)
                m_queue.SendPM(issuer, message);
            else
                m_queue.SendSay(message);
        }
        finishSetGroup(playerName, record->guid, name);
        return true;
    } catch (const SqlError& e) {
        m_log.SMS(std::string("Error changing the player's group: ") + e.what(), kRed);
        return false;
    }
}

void Groups::finishSetGroup(const std::string& playerName, const std::string& guid,
                            const std::string& groupName) {
    SetOnlineGroup(guid, groupName);
    // Counted after the change, so the administrators online include him.
    m_slots.DetectNumofPlayers(m_settings.config.MaxClients, table.DefaultGroupName);
    m_log.SMS(playerName + " was set to the level: " + groupName);
    playerGroupChanged.notify();
}

bool Groups::setGroupFromWindow(const std::string& target, int level,
                                const std::string& playerName) {
    if (level < 0 || level > table.groupCount()) return false;
    const bool silent = m_settings.mod.AnnounceMode[kSetGroupAnnounce] != 0;
    return SetGroupDatabase(target, decimal(level), playerName, CommandIssuer{}, silent);
}

void Groups::PMGROUPS(const CommandIssuer& issuer) {
    std::string text = "^1Groups:^2";
    for (int level = 0; level <= table.groupCount(); ++level)
        text += " ^2" + table.GroupName[static_cast<std::size_t>(level)] + ",";
    text.pop_back();
    m_queue.SendPMLong(issuer, text);
}

// ---------------------------------------------------------------- console

void Groups::saveGorP(const std::array<bool, 10>& globalSelected) {
    for (std::size_t kind = 0; kind < globalSelected.size(); ++kind)
        m_settings.mod.AnnounceMode[kind] = globalSelected[kind] ? 0 : 1;
    m_settings.SaveModFile();
}

void Groups::SaveGroupLists(int level, const std::vector<std::string>& listedCommands) {
    if (level < 1 || level >= GroupTable::kLevels) return;
    if (table.GroupName[static_cast<std::size_t>(level)].empty()) return;
    table.GroupCommands[static_cast<std::size_t>(level)] = joinCommandList(listedCommands);
    changed.notify();
    m_saveTimer->start();
}

void Groups::stopSaveTimer() {
    m_saveTimer->stop();
}

bool Groups::saveTimerActive() const {
    return m_saveTimer->isActive();
}

} // namespace corvane
