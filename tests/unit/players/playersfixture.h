#pragma once
// The players subsystem on fake ports, over a temporary application folder
// holding the shipped group files and a fresh, empty player database.

#include "players/players.h"
#include "queuedlines.h"
#include "rcon/onlinegrid.h"
#include "rcon/slottable.h"
#include "settingsrig.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvane::testing {

using Lines = std::vector<std::string>;

struct PlayersFixture : ::testing::Test, SettingsRig, GreetingGate, ReasonTexts {
    PlayersFixture() {
        settings.setViewsReady(true);
        settings.config.ServerName = "Alpha";
        settings.config.HostName = "Alpha";
        settings.config.MaxClients = 18;
        settings.advanced.PlayerDbPath = "Data\\playerdb.mdb";
        settings.mod.WelcomeTemplate = kDefaultWelcomeTemplate;
        settings.mod.WelcomeEnabled = 1;
        slots.DemoClientPresent = true;
        logged = log.entryWritten.connect([this](const std::string& line, Colour colour) {
            activity.push_back(line.substr(line.find("] ") + 2));
            if (colour == kRed) redLines.push_back(activity.back());
        });

        p = std::make_unique<Players>(settings, slots, grid, queue, log, paths, ports, critical,
                                      *this, *this);
        heard += p->database.playerRegistered.connect(
            [this](int slot) { warningsReset.push_back(slot); });
        heard += p->playerLog.recordDeleted.connect([this] { ++statusPolls; });
        heard += p->editor.defaultChanged.connect([this] { ++delayedStatusPolls; });
        heard += critical.lockoutBegan.connect([this](CriticalSource) { ++criticalDialogs; });
        heard += p->groups.loaded.connect([this] { ++listLoads; });
        heard += p->groups.playerGroupChanged.connect([this] { ++playerLogMarks; });
    }

    bool FirstBatchDone() const override { return firstBatchDone; }
    std::string reason(int n) const override { return n == 3 ? "Spawn killing" : ""; }

    // Start-up's order: the default level, the groups, then the database.
    void start() {
        p->groups.LoadDRank();
        p->groups.InputAdmin();
        ASSERT_TRUE(p->database.LoadPlayerDatabase());
    }

    // A player as the status poll registers him: the slot entry, then the
    // database, then his group.
    void seat(int slot, const std::string& name, const std::string& guid) {
        SlotEntry& e = slots[slot];
        e.SlotNumber = static_cast<std::int16_t>(slot);
        e.SlotName = name;
        e.SlotGUID = guid;
        p->database.CheckPlayerDB(name, guid, std::to_string(slot));
        e.SlotGroup = p->groups.CheckAdminGroup(guid);
        slots.OnlineCount = static_cast<std::int16_t>(slots.OnlineCount + 1);
    }

    void leave(int slot) {
        SlotEntry& e = slots[slot];
        e = SlotEntry{};
        e.SlotNumber = static_cast<std::int16_t>(settings.config.MaxClients + 1);
        slots.OnlineCount = static_cast<std::int16_t>(slots.OnlineCount - 1);
    }

    Lines queued() const { return queuedLines(queue); }

    std::optional<PlayerRecord> recordOf(const std::string& guid) {
        const std::int32_t id = p->store.findGuid(guid);
        return id == 0 ? std::nullopt : p->store.record(id);
    }

    Ports ports = fake.ports();
    Connection logged;
    SlotTable slots;
    OnlineGrid grid;
    RconQueue queue;
    std::unique_ptr<Players> p;
    Connections heard;
    CommandIssuer asker;

    bool firstBatchDone = true;
    std::vector<int> warningsReset;
    int statusPolls = 0;
    int delayedStatusPolls = 0;
    int criticalDialogs = 0;
    int listLoads = 0;
    int playerLogMarks = 0;
    Lines activity;
    Lines redLines;
};

inline constexpr const char* kToday = "2026-12-05";

// Every column of a record in one line, "|" between them.
inline std::string describe(const std::optional<PlayerRecord>& r) {
    if (!r) return "no record";
    return std::to_string(r->ID) + "|" + r->UserName + "|" + r->Group + "|" + r->guid + "|" +
           r->FirstSeen + "|" + r->lastseen + "|" + r->server;
}

} // namespace corvane::testing
