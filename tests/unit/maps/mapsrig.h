#pragma once
// The maps subsystem on fake ports over a temporary application folder with
// the shipped files and a configured server; the server view and the random
// numbers are the test's.

#include "core/consolelog.h"
#include "maps/maps.h"
#include "maps/serverview.h"
#include "queuedlines.h"
#include "settingsrig.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace corvane::testing {

using Lines = std::vector<std::string>;

struct FakeServerView : MapsServerView {
    std::string map;
    int players = 0;
    std::optional<OnlinePlayer> first;
    std::map<std::string, std::string> groups;

    std::string currentMap() const override { return map; }
    int playersOnline() const override { return players; }
    std::optional<OnlinePlayer> firstPlayer() const override { return first; }
    std::string groupName(const std::string& guid) const override {
        const auto it = groups.find(guid);
        return it == groups.end() ? "Player" : it->second;
    }
    std::optional<std::string> address() const override { return "127.0.0.1"; }
};

// Hands out the given numbers in turn, then a seeded sequence.
struct ScriptedRandom : RandomSource {
    std::vector<double> script;
    std::size_t next_ = 0;
    ClockSeededRandom seeded{42};
    double next() override { return next_ < script.size() ? script[next_++] : seeded.next(); }
};

struct MapsRig : ::testing::Test, SettingsRig {
    MapsRig() {
        dir.writeConfiguredServer();
        settings.setViewsReady(true);
        settings.InputConfig();
        m_logged = log.entryWritten.connect([this](const std::string& line, Colour colour) {
            activity.push_back(line.substr(line.find("] ") + 2));
            if (colour == kRed) redLines.push_back(activity.back());
        });
        auto scripted = std::make_unique<ScriptedRandom>();
        random = scripted.get();
        maps = std::make_unique<Maps>(fake.ports(), settings, queue, log, console, paths, server,
                                      std::move(scripted));
    }

    FakeUdp& resetSocket() { return fake.net.udp("map reset"); }
    // The command lines sent directly, without the datagram header and password.
    Lines sentDirectly() { return rconCommands(resetSocket()); }
    Lines queued() const { return queuedLines(queue); }
    bool logged(const std::string& text) const {
        return std::find(activity.begin(), activity.end(), text) != activity.end();
    }

    ConsoleLog console{paths, fake.clock};
    RconQueue queue;
    FakeServerView server;
    ScriptedRandom* random = nullptr;
    std::unique_ptr<Maps> maps;
    Lines activity;
    Connection m_logged;
    Lines redLines;
};

// The exclusion line that leaves only Nuke Town.
inline const std::string kForceNukeTown =
    "playlist_excludeMap \"mp_russianbase mp_villa mp_mountain mp_radiation mp_cosmodrome "
    "mp_havoc mp_cairo mp_hanoi mp_duga mp_firingrange mp_crisis mp_cracked mp_array\"";

} // namespace corvane::testing
