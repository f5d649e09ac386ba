#pragma once
// The players subsystem on fake ports, over a temporary application folder
// holding the shipped group files and a fresh, empty player database.

#include "core/activitylog.h"
#include "core/settings.h"
#include "fakeports.h"
#include "players/players.h"
#include "rcon/onlinegrid.h"
#include "rcon/rconqueue.h"
#include "rcon/slottable.h"
#include "tempappdir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace corvane::testing {

class PlayersFixture : public ::testing::Test {
protected:
    PlayersFixture() {
        settings.setViewsReady(true);
        settings.config.ServerName = "Alpha";
        settings.config.HostName = "Alpha";
        settings.config.MaxClients = 18;
        settings.advanced.PlayerDbPath = "Data\\playerdb.mdb";
        settings.mod.WelcomeTemplate = kDefaultWelcomeTemplate;
        settings.mod.WelcomeEnabled = 1;
        slots.DemoClientPresent = true;
        log.entryWritten.connect([this](const std::string& line, Colour colour) {
            activity.push_back(line.substr(line.find("] ") + 2));
            if (colour == kRed) redLines.push_back(activity.back());
        });

        p = std::make_unique<Players>(settings, slots, grid, queue, log, paths, ports,
                                      criticalError);
        p->hooks.FirstBatchDone = [this] { return firstBatchDone; };
        p->hooks.resetWarnings = [this](int slot) { warningsReset.push_back(slot); };
        p->hooks.Command8_Click = [this] { ++statusPolls; };
        p->hooks.statusPollSoon = [this] { ++delayedStatusPolls; };
        p->hooks.SendCError = [this] { ++criticalDialogs; };
        p->hooks.InputLists = [this] { ++listLoads; };
        p->hooks.applyPumpInterval = [this](std::int32_t ms) { pumpInterval = ms; };
        p->hooks.markPlayerLogForRefresh = [this] { ++playerLogMarks; };
        p->hooks.reasons = [](int n) {
            return n == 3 ? std::string("Spawn killing") : std::string();
        };
    }

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

    // A quit line for the slot.
    void leave(int slot) {
        SlotEntry& e = slots[slot];
        e = SlotEntry{};
        e.SlotNumber = static_cast<std::int16_t>(settings.config.MaxClients + 1);
        slots.OnlineCount = static_cast<std::int16_t>(slots.OnlineCount - 1);
    }

    std::vector<std::string> queued() const {
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < queue.size(); ++i)
            lines.push_back(queue.at(i).displayText());
        return lines;
    }

    // The issuer of the chat command being handled.
    void issuer(int slot, const std::string& guid) {
        queue.issuer.CurrentSlot = static_cast<std::int16_t>(slot);
        queue.issuer.CurrentGUID = guid;
    }

    std::optional<PlayerRecord> recordOf(const std::string& guid) {
        const std::int32_t id = p->store.findGuid(guid);
        return id == 0 ? std::nullopt : p->store.record(id);
    }

    TempAppDir dir;
    FakePorts fake;
    Ports ports = fake.ports();
    AppPaths paths{dir.path()};
    bool criticalError = false;
    ActivityLog log{paths, fake.clock, criticalError};
    Settings settings{paths, log, criticalError};
    SlotTable slots;
    OnlineGrid grid;
    RconQueue queue;
    std::unique_ptr<Players> p;

    bool firstBatchDone = true;
    std::vector<int> warningsReset;
    int statusPolls = 0;
    int delayedStatusPolls = 0;
    int criticalDialogs = 0;
    int listLoads = 0;
    int playerLogMarks = 0;
    std::int32_t pumpInterval = 0;
    std::vector<std::string> activity;
    std::vector<std::string> redLines;
};

inline constexpr const char* kToday = "2026-12-05";

} // namespace corvane::testing
