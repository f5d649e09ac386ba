#pragma once
// The App on fake ports with a configured server, and helpers to read what
// went out on the game-server sockets.

#include "app/app.h"
#include "fakeports.h"
#include "tempappdir.h"

#include <string>
#include <vector>

namespace corvane::testing {

class RconFixture {
public:
    RconFixture() {
        dir.writeConfiguredServer();
        app = std::make_unique<App>(fake.ports(), AppPaths(dir.path()));
        app->createMainWindow();
    }

    FakeUdp& commandSocket() { return *fake.net.udps.at(0); }
    FakeUdp& statusSocket() { return *fake.net.udps.at(1); }

    // The command lines sent on a socket, without the datagram header and password.
    static std::vector<std::string> commands(const FakeUdp& socket) { return rconCommands(socket); }
    std::vector<std::string> sentCommands() { return commands(commandSocket()); }

    // Empties the queue of what start-up put there and forgets what was sent.
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
