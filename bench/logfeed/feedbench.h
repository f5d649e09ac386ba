#pragma once
// What the log-feed benchmarks share: a directory that lets everybody pass and
// listeners that do nothing on every event the parser tells.

#include "core/signal.h"
#include "logfeed/logparser.h"
#include "rcon/playerevents.h"

#include <string>

namespace corvane::testing {

// Everybody is in the default group and every name passes.
struct Directory : PlayerDirectory, NameChecks {
    std::string CheckAdminGroup(const std::string&) override { return "Guest"; }
    std::string defaultGroupName() const override { return "Guest"; }
    bool inDefaultGroup(const std::string&) const override { return true; }
    bool CheckBadNames(const std::string&, const std::string&, const std::string&) override {
        return false;
    }
    bool CheckBadxBox(const std::string&, const std::string&, const std::string&) override {
        return false;
    }
};

// Listeners that do nothing on every event the parser tells.
inline Connections listenToAll(LogParser& p) {
    Connections all;
    all += p.batchStarted.connect([] {});
    all += p.chatLine.connect([](const ChatLine&) {});
    all += p.commandTyped.connect([](const ChatLine&) {});
    all += p.damage.connect([](const DamageLine&) {});
    all += p.kill.connect([](const KillLine&) {});
    all += p.playerLeft.connect([](const std::string&) {});
    all += p.batchEnded.connect([] {});
    return all;
}

} // namespace corvane::testing
