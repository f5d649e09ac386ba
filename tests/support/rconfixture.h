#pragma once
// The App on fake ports with a configured server, and helpers to read what
// went out on the game-server sockets.

#include "app/app.h"
#include "settingsrig.h"

#include <map>
#include <string>
#include <vector>

namespace corvane::testing {

struct TableTexts : ReasonTexts, RuleCount {
    std::map<int, std::string> reasons;
    int rules = 0;
    std::string reason(int number) const override {
        const auto found = reasons.find(number);
        return found == reasons.end() ? std::string() : found->second;
    }
    int rulesLoaded() const override { return rules; }
};

// The command socket and its pump alone, with reasons and rules of the test's choosing.
struct LinkRig : SettingsRig {
    ConsoleLog console{paths, fake.clock};
    ChatLog chat{paths, fake.clock};
    LinkState state;
    SlotTable slots;
    RconQueue queue;
    TableTexts texts;
    ServerAddress address{fake.loop, fake.net, log};
    RconLink link{fake.ports(), settings, address, critical, state, queue,
                  slots,        log,      console, chat,     texts, texts};
    Connection lookup =
        settings.configLoaded.connect([this] { address.resolve(settings.config.IP); });

    LinkRig() {
        dir.writeConfiguredServer();
        settings.InputConfig();
        link.startPump();
    }
    FakeUdp& socket() { return fake.net.udp("command"); }
    std::vector<std::string> sent() { return rconCommands(socket()); }
    void tick(int n = 1) { fake.loop.advance(525 * n); }
    void seat(int slot, const std::string& guid, const std::string& name) {
        slots[slot].SlotGUID = guid;
        slots[slot].SlotName = name;
    }
};

class RconFixture {
public:
    RconFixture() {
        dir.writeConfiguredServer();
        app = std::make_unique<App>(fake.ports(), AppPaths(dir.path()));
        app->createMainWindow();
    }

    FakeUdp& commandSocket() { return fake.net.udp("command"); }
    FakeUdp& statusSocket() { return fake.net.udp("status"); }

    std::vector<std::string> sentCommands() { return rconCommands(commandSocket()); }

    void drainStartup() {
        app->queue().clear();
        commandSocket().sent.clear();
    }

    static std::string reply(const std::string& text) { return "\xFF\xFF\xFF\xFFprint\n" + text; }

    TempAppDir dir;
    FakePorts fake;
    std::unique_ptr<App> app;
};

} // namespace corvane::testing
