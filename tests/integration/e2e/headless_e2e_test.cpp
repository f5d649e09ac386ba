// corvane-mod-headless as a process against the simulator: the set-up on the
// terminal, and a run whose terminal shows the chat and takes the operator's
// lines.

#include "core/fieldreader.h"
#include "core/serverconfig.h"
#include "headlessprocess.h"
#include "livesim.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

QStringList setupArgs(const LiveSimulator& sim) {
    const std::string url = "http://127.0.0.1:" + std::to_string(sim.httpPort) + sim.logPath;
    return QStringList{"--setup", "--name", "E2E", "--ip", "127.0.0.1", "--port"}
           << QString::number(sim.rconPort) << "--log-url" << QString::fromStdString(url);
}

} // namespace

TEST(HeadlessE2E, SetupOnTheTerminalWritesAConfigThatStartsANormalRun) {
    LiveSimulator sim({"--exclude", "mp_nuked mp_havoc"});
    HeadlessProcess setup;
    setup.start(setupArgs(sim), {"CORVANE_RCON_PASSWORD=" + QString::fromStdString(sim.password)});
    ASSERT_EQ(setup.finish(), 0) << setup.out() << setup.errors();
    for (const char* status : {"Testing Connection...", "RCON Login Success!",
                               "Server Name: E2E Server", "Configuration complete!"})
        EXPECT_NE(setup.out().find(status), std::string::npos) << status;
    // In the server's journal: the four console lines, then the log fetch.
    std::vector<std::string> seen;
    for (const QJsonObject& r : sim.journal({"rcon_request", "http_request"})) {
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
    readServerConfig(setup.dir().read("Data/Config.txt"), saved);
    EXPECT_EQ(saved.ServerName, "E2E");
    EXPECT_EQ(saved.RconPassword, sim.password);
    EXPECT_EQ(saved.MaxClients, 18);
    EXPECT_EQ(saved.HostName, "E2E Server");
    EXPECT_EQ(saved.ExcludedMap, "mp_nuked mp_havoc");

    HeadlessProcess& run = setup; // the same folder, now without --setup
    run.start();
    EXPECT_TRUE(waitUntil([&] { return sim.received("teamstatus") >= 1; }, 20000));
    run.stop();
}

TEST(HeadlessE2E, WrongPasswordFailsAndLeavesTheFileByteForByte) {
    LiveSimulator sim;
    HeadlessProcess setup;
    const std::string before = "Old\r\n9\r\n127.0.0.1\r\nold\r\nhttp://127.0.0.1:9/x\r\n"
                               " 18\r\nOld Host\r\n\"mp_nuked\"\r\n";
    setup.dir().write("Data/Config.txt", before);
    setup.start(setupArgs(sim) << "--password"
                               << "wrong",
                {"CORVANE_RCON_PASSWORD=ignored: the command line wins"});
    EXPECT_EQ(setup.finish(), 1);
    EXPECT_NE(setup.errors().find("Invalid RCON Password!"), std::string::npos);
    EXPECT_NE(setup.out().find("The set-up failed; "), std::string::npos) << setup.out();
    EXPECT_EQ(setup.dir().read("Data/Config.txt"), before);
}

TEST(HeadlessE2E, TerminalShowsChatAndSendsTheOperatorsLines) {
    LiveSimulator sim;
    HeadlessProcess run;
    pointAtSimulator(run.dir(), sim, sim.password, 1, 30);
    run.start({});
    ASSERT_TRUE(run.waitForOutput("You can now send commands")) << run.out();

    ASSERT_EQ(sim.command("join Bob").rfind("ok", 0), 0u);
    ASSERT_EQ(sim.command("chat Bob good game all"), "ok");
    EXPECT_TRUE(run.waitForOutput("Bob: good game all")) << run.out();
    EXPECT_NE(run.out().find("[chat] "), std::string::npos);
    EXPECT_TRUE(run.waitForOutput("[players] Bob joined")) << run.out();

    run.type("/say hello\nhello there\n");
    EXPECT_TRUE(waitUntil([&] { return sim.received("say hello") == 1; }, 20000));
    EXPECT_TRUE(waitUntil([&] { return sim.received("hello there") == 1; }, 20000));
    std::vector<std::string> said;
    for (const QJsonObject& r : sim.journal({"rcon_request"}))
        if (r.value("command").toString().contains("hello"))
            said.push_back(r.value("command").toString().toStdString());
    EXPECT_EQ(said, (std::vector<std::string>{"say hello", "say  hello there"}));
    EXPECT_TRUE(run.waitForOutput(": ]say hello")) << run.out();
    EXPECT_EQ(run.out().find("\x1b["), std::string::npos); // no colour into a pipe
    run.endInput();                                        // the end of input changes nothing
    runFor(1000);
    EXPECT_TRUE(run.running());
    run.stop(SIGINT);
}
