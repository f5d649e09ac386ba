// The setup wizard against the simulator: it proves the server, writes
// Data/Config.txt, and that file starts a normal run.

#include "core/buildversion.h"
#include "core/fieldreader.h"
#include "livesim.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

TEST(SetupE2E, WizardProvesTheServerAndItsFileStartsANormalRun) {
    LiveSimulator sim({"--exclude", "mp_nuked mp_havoc"});
    TempAppDir dir; // a first run
    qt::QtPorts ports;
    std::ostringstream boxes;
    qt::StreamPrompts prompts(boxes);
    App app(ports.with(prompts), AppPaths(dir.path()));
    ASSERT_EQ(app.Main(), StartMode::FirstRun);

    ServerSetup& setup = app.openSetup(true);
    setup.fields = SetupFields{"E2E", "127.0.0.1", std::to_string(sim.rconPort), sim.password,
                               "http://127.0.0.1:" + std::to_string(sim.httpPort) + sim.logPath};
    setup.pressMainButton();
    ASSERT_TRUE(waitUntil([&] { return setup.mainButton() == SetupButton::Continue; }, 20000))
        << boxes.str() << setup.statusBox().plainText();
    EXPECT_EQ(boxes.str(), "");

    // In the server's journal: the four console lines, then the log fetch.
    std::vector<std::string> seen;
    for (const QJsonObject& r : sim.journal(QStringList{"rcon_request", "http_request"})) {
        if (r.value("event") == "rcon_request") {
            EXPECT_TRUE(r.value("password_ok").toBool());
            seen.push_back(r.value("command").toString().toStdString());
        } else {
            seen.push_back("GET " + r.value("target").toString().toStdString() + " " +
                           r.value("range").toString().trimmed().toStdString());
        }
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"serverinfo", "playlist_excludeMap", "g_logSync 1",
                                              "g_logTimeStampInSeconds 0",
                                              "GET /logs/games_mp.log bytes=-15000"}));
    EXPECT_EQ(sim.command("dvar g_logSync"), "ok 1");

    ServerConfig saved;
    readServerConfig(dir.read("Data/Config.txt"), saved);
    EXPECT_EQ(saved.ServerName, "E2E");
    EXPECT_EQ(saved.MaxClients, 18);
    EXPECT_EQ(saved.HostName, "E2E Server");
    EXPECT_EQ(saved.ExcludedMap, "mp_nuked mp_havoc");

    // "Continue": the main window's work starts from the file just written.
    setup.pressMainButton();
    app.closeSetup();
    ASSERT_FALSE(app.ended());
    EXPECT_EQ(app.caption(), "Corvane Mod - E2E Server");
    EXPECT_TRUE(waitUntil([&] { return app.logParser().FirstBatchDone(); }, 15000));
    EXPECT_TRUE(waitUntil([&] { return sim.received("teamstatus") >= 1; }, 15000));
    EXPECT_NE(dir.read("Logs/Server.txt")
                  .find("Welcome to the Corvane Mod Version " + std::string(kBuildVersion) + "!"),
              std::string::npos);
}
