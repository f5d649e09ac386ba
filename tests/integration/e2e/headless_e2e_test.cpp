// corvane-mod-headless as a process against the simulator: the set-up on the
// terminal, and a run whose terminal shows the chat and takes the operator's
// lines.

#include "core/fieldreader.h"
#include "core/serverconfig.h"
#include "livesim.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include <csignal>

using namespace corvane;
using namespace corvane::testing;
namespace fs = std::filesystem;

namespace {

// A copy of the ready-to-run folder, and the program started from it.
class HeadlessProcess {
public:
    HeadlessProcess() {
        fs::remove_all(m_dir.path());
        fs::copy(CORVANE_DIST_DIR, m_dir.path(), fs::copy_options::recursive);
    }
    ~HeadlessProcess() {
        if (m_process.state() == QProcess::NotRunning) return;
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    void start(const QStringList& args, const QString& password = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!password.isEmpty()) env.insert("CORVANE_RCON_PASSWORD", password);
        m_process.setProcessEnvironment(env);
        m_process.start(QString::fromStdString((m_dir.path() / "corvane-mod-headless").string()),
                        args);
        ASSERT_TRUE(m_process.waitForStarted(10000));
    }
    // Runs until the process ends; its exit status, or -1 after the time limit.
    int finish(int ms = 40000) {
        if (!waitUntil([this] { return m_process.state() == QProcess::NotRunning; }, ms)) return -1;
        m_out += m_process.readAllStandardOutput().toStdString();
        return m_process.exitCode();
    }
    bool waitForOutput(const std::string& text, int ms = 20000) {
        return waitUntil(
            [&] {
                m_out += m_process.readAllStandardOutput().toStdString();
                return m_out.find(text) != std::string::npos;
            },
            ms);
    }
    void type(const std::string& lines) { m_process.write(QByteArray::fromStdString(lines)); }
    void stop() {
        ::kill(static_cast<pid_t>(m_process.processId()), SIGTERM);
        EXPECT_EQ(finish(), 0);
    }

    const TempAppDir& dir() const { return m_dir; }
    const std::string& out() const { return m_out; }
    std::string errors() { return m_process.readAllStandardError().toStdString(); }

private:
    TempAppDir m_dir;
    QProcess m_process;
    std::string m_out;
};

QStringList setupArgs(const LiveSimulator& sim) {
    return {
        "--setup",
        "--name",
        "E2E",
        "--ip",
        "127.0.0.1",
        "--port",
        QString::number(sim.rconPort),
        "--log-url",
        QString::fromStdString("http://127.0.0.1:" + std::to_string(sim.httpPort) + sim.logPath)};
}

} // namespace

TEST(HeadlessE2E, SetupOnTheTerminalWritesAConfigThatStartsANormalRun) {
    LiveSimulator sim;
    HeadlessProcess setup;
    setup.start(setupArgs(sim), QString::fromStdString(sim.password));
    ASSERT_EQ(setup.finish(), 0) << setup.out() << setup.errors();
    for (const char* status : {"Testing Connection...", "RCON Login Success!",
                               "Server Name: E2E Server", "Configuration complete!"})
        EXPECT_NE(setup.out().find(status), std::string::npos) << status;
    ServerConfig saved;
    readServerConfig(setup.dir().read("Data/Config.txt"), saved);
    EXPECT_EQ(saved.ServerName, "E2E");
    EXPECT_EQ(saved.RconPassword, sim.password);
    EXPECT_EQ(saved.HostName, "E2E Server");

    HeadlessProcess& run = setup; // the same folder, now without --setup
    run.start({});
    EXPECT_TRUE(waitUntil([&] { return sim.received("teamstatus") >= 1; }, 20000));
    run.stop();
}

TEST(HeadlessE2E, WrongPasswordFailsAndLeavesTheFileByteForByte) {
    LiveSimulator sim;
    HeadlessProcess setup;
    const std::string before = "Old\r\n9\r\n127.0.0.1\r\nold\r\nhttp://127.0.0.1:9/x\r\n"
                               " 18\r\nOld Host\r\n\"mp_nuked\"\r\n";
    setup.dir().write("Data/Config.txt", before);
    QStringList args = setupArgs(sim);
    args << "--password"
         << "wrong";
    setup.start(args, "ignored: the command line wins");
    EXPECT_EQ(setup.finish(), 1);
    EXPECT_NE(setup.errors().find("Invalid RCON Password!"), std::string::npos);
    EXPECT_EQ(setup.dir().read("Data/Config.txt"), before);
}

TEST(HeadlessE2E, TerminalShowsChatAndSendsTheOperatorsLines) {
    LiveSimulator sim;
    HeadlessProcess run;
    run.dir().write("Data/Config.txt",
                    "E2E\r\n" + std::to_string(sim.rconPort) + "\r\n127.0.0.1\r\n" + sim.password +
                        "\r\nhttp://127.0.0.1:" + std::to_string(sim.httpPort) + sim.logPath +
                        "\r\n 18\r\nE2E Server\r\n\"mp_nuked\"\r\n");
    std::string advanced = run.dir().read("Data/Advanced.txt");
    const std::size_t at = advanced.find("RefreshDelay=");
    advanced.replace(at, advanced.find("\r\n", at) - at, "RefreshDelay=1");
    run.dir().write("Data/Advanced.txt", advanced);
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
    for (const QJsonObject& r : sim.journal("rcon_request"))
        if (r.value("command").toString().contains("hello"))
            said.push_back(r.value("command").toString().toStdString());
    EXPECT_EQ(said, (std::vector<std::string>{"say hello", "say  hello there"}));
    EXPECT_TRUE(run.waitForOutput("[console] ")) << run.out();
    run.stop();
}
