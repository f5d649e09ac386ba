// corvane-mod-headless started from a copy of the ready-to-run folder.

#include "core/buildversion.h"
#include "core/textfile.h"

#include <QDate>
#include <QProcess>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <thread>

namespace fs = std::filesystem;

namespace {

class Headless : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("corvane-headless-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::copy(CORVANE_DIST_DIR, m_dir, fs::copy_options::recursive);
        fs::remove_all(m_dir / "demo-run");
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void write(const std::string& relative, const std::string& text) {
        std::ofstream(m_dir / relative, std::ios::binary | std::ios::trunc) << text;
    }
    void configure() {
        // Nothing listens on port 9 of loopback: the program must start all the same.
        write("Data/Config.txt",
              "Alpha\r\n9\r\n127.0.0.1\r\nsecret\r\nhttp://127.0.0.1:9/games_mp.log\r\n"
              " 18\r\nAlpha Host\r\n\"mp_nuked\"\r\n");
    }
    std::vector<std::string> serverLog() {
        auto text = corvane::readFile(m_dir / "Logs/Server.txt");
        return text ? corvane::splitLines(*text) : std::vector<std::string>{};
    }
    bool waitForLogLine(const std::string& text, std::chrono::seconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            for (const auto& line : serverLog())
                if (line.find(text) != std::string::npos) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }
    QString program() const {
        return QString::fromStdString((m_dir / "corvane-mod-headless").string());
    }
    void start(QProcess& process, const QStringList& args = {}) {
        process.setProgram(program());
        process.setArguments(args);
        process.setWorkingDirectory(QString::fromStdString(fs::temp_directory_path().string()));
        process.start();
        ASSERT_TRUE(process.waitForStarted(10000));
    }
    // Runs the program until it ends by itself; its exit status and standard error.
    std::pair<int, std::string> runToEnd(const QStringList& args) {
        QProcess process;
        start(process, args);
        EXPECT_TRUE(process.waitForFinished(20000));
        return {process.exitCode(), process.readAllStandardError().toStdString()};
    }
    // Runs the program on a pseudo-terminal until its output holds text, then
    // ends it; everything it wrote there.
    std::string runOnTerminal(const std::vector<std::string>& env, const std::string& text) {
        int terminal = -1;
        const pid_t pid = ::forkpty(&terminal, nullptr, nullptr, nullptr);
        if (pid == 0) {
            for (const std::string& setting : env)
                ::putenv(const_cast<char*>(setting.c_str()));
            const std::string path = program().toStdString();
            ::execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        std::string out;
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (out.find(text) == std::string::npos && std::chrono::steady_clock::now() < end) {
            pollfd ready{terminal, POLLIN, 0};
            if (::poll(&ready, 1, 200) <= 0) continue;
            char buffer[4096];
            const ssize_t n = ::read(terminal, buffer, sizeof buffer);
            if (n <= 0) break;
            out.append(buffer, static_cast<std::size_t>(n));
        }
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        ::close(terminal);
        return out;
    }

    fs::path m_dir;
};

int secondsOfDay(const std::string& stampedLine) {
    // "[2026-12-05 09:18:28] ..."
    return std::stoi(stampedLine.substr(12, 2)) * 3600 + std::stoi(stampedLine.substr(15, 2)) * 60 +
           std::stoi(stampedLine.substr(18, 2));
}

} // namespace

TEST_F(Headless, StartsWritesItsLogAndShutsDownInTwoStagesOnSigterm) {
    configure();
    QProcess process;
    start(process, {"--quiet"});
    ASSERT_TRUE(waitForLogLine("] Read Config File", std::chrono::seconds(20)));

    const auto signalled = std::chrono::steady_clock::now();
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(20000));
    const auto took = std::chrono::steady_clock::now() - signalled;
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_GE(took, std::chrono::milliseconds(900));

    std::vector<std::string> shutdown;
    for (const auto& line : serverLog())
        if (line.find("] Shutting down...") != std::string::npos) shutdown.push_back(line);
    ASSERT_EQ(shutdown.size(), 2u);
    const int apart = (secondsOfDay(shutdown[1]) - secondsOfDay(shutdown[0]) + 86400) % 86400;
    EXPECT_GE(apart, 1);
    EXPECT_LE(apart, 2);

    // Quiet, standard output has every activity line and nothing else.
    const std::string out = process.readAllStandardOutput().toStdString();
    EXPECT_NE(out.find("] Read Config File"), std::string::npos);
    EXPECT_EQ(corvane::splitLines(out).size(), serverLog().size());
}

// The toolkit switches the C library to the user's locale at start-up; the
// settings files must not follow it (a comma there would split MOD.txt's fields).
TEST_F(Headless, ACommaDecimalLocaleChangesNoNumberInTheSettingsFiles) {
    configure();
    auto mod = corvane::splitLines(*corvane::readFile(m_dir / "Data/MOD.txt"));
    mod[13] = " 123.5"; // the first column width of the player log
    std::string text;
    for (const auto& line : mod)
        text += line + "\r\n";
    write("Data/MOD.txt", text);

    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LOCPATH", CORVANE_TEST_LOCPATH);
    env.insert("LC_ALL", "de_DE.UTF-8");
    process.setProcessEnvironment(env);
    start(process);
    ASSERT_TRUE(waitForLogLine("] Read Admin Config", std::chrono::seconds(20)));
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitCode(), 0);
    for (const auto& line : serverLog())
        EXPECT_EQ(line.find("MOD.txt"), std::string::npos) << line;
    const std::string saved = *corvane::readFile(m_dir / "Data/MOD.txt");
    EXPECT_EQ(corvane::splitLines(saved).at(13), " 123.5");
    EXPECT_EQ(saved.find(','), std::string::npos);
}

TEST_F(Headless, ColourOnlyOnATerminalAndNeverWithNoColor) {
    configure();
    const std::string coloured = runOnTerminal({}, "]Playlist");
    EXPECT_NE(coloured.find("\x1b[1;36m[console]\x1b[0m"), std::string::npos) << coloured;
    const std::string plain = runOnTerminal({"NO_COLOR=1"}, "]Playlist");
    EXPECT_NE(plain.find("[console] "), std::string::npos) << plain;
    EXPECT_EQ(plain.find('\x1b'), std::string::npos) << plain;
}

TEST_F(Headless, HelpVersionAndWrongOptions) {
    struct Case {
        QStringList args;
        int status;
        std::string out;
        std::string err;
    };
    const Case cases[] = {
        {{"--help"}, 0, "Usage: corvane-mod-headless [--dir PATH] [--quiet]\n", ""},
        {{"--version"},
         0,
         std::string("corvane-mod-headless ") + corvane::kBuildVersion + "\n",
         ""},
        {{"--bogus"}, 64, "", "corvane-mod-headless: unknown option '--bogus' (see --help)\n"},
    };
    for (const Case& c : cases) {
        QProcess process;
        start(process, c.args);
        ASSERT_TRUE(process.waitForFinished(20000));
        EXPECT_EQ(process.exitCode(), c.status) << c.args.join(' ').toStdString();
        const std::string out = process.readAllStandardOutput().toStdString();
        EXPECT_EQ(out.substr(0, c.out.size()), c.out);
        if (c.out.empty()) {
            EXPECT_EQ(out, "");
        }
        EXPECT_EQ(process.readAllStandardError().toStdString(), c.err);
    }
}

TEST_F(Headless, DirOnAnEmptyFolderKeepsEverythingThere) {
    configure(); // the program's own Data/ is where the new folder's files come from
    const fs::path state = m_dir / "elsewhere" / "state";
    fs::create_directories(state);
    std::vector<fs::path> ownFiles;
    for (const auto& entry : fs::recursive_directory_iterator(m_dir))
        ownFiles.push_back(entry.path());

    QProcess process;
    start(process, {"--quiet", "--dir", QString::fromStdString(state.string())});
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    std::string out;
    while (out.find("] Read Config File") == std::string::npos &&
           std::chrono::steady_clock::now() < end) {
        process.waitForReadyRead(200);
        out += process.readAllStandardOutput().toStdString();
    }
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitCode(), 0) << out << process.readAllStandardError().toStdString();

    EXPECT_NE(corvane::readFile(state / "Logs/Server.txt").value_or("").find("] Read Config File"),
              std::string::npos);
    EXPECT_EQ(*corvane::readFile(state / "Data/Config.txt"),
              *corvane::readFile(m_dir / "Data/Config.txt"));
    // Beside the program nothing was written: no file came or went, Logs/ is empty.
    std::vector<fs::path> after;
    for (const auto& entry : fs::recursive_directory_iterator(m_dir))
        if (entry.path().string().rfind((m_dir / "elsewhere").string(), 0) != 0)
            after.push_back(entry.path());
    std::erase_if(ownFiles, [&](const fs::path& p) {
        return p.string().rfind((m_dir / "elsewhere").string(), 0) == 0;
    });
    std::sort(ownFiles.begin(), ownFiles.end());
    std::sort(after.begin(), after.end());
    EXPECT_EQ(after, ownFiles);
    EXPECT_TRUE(fs::is_empty(m_dir / "Logs"));
}

TEST_F(Headless, AnotherVersionOfModTxtEndsWithTheUpgradeBox) {
    configure();
    std::string mod = *corvane::readFile(m_dir / "Data/MOD.txt");
    write("Data/MOD.txt", mod.replace(mod.find(corvane::kBuildVersion),
                                      std::strlen(corvane::kBuildVersion), "0.0.0"));
    const auto [status, errors] = runToEnd({});
    EXPECT_NE(status, 0);
    EXPECT_NE(errors.find(std::string("Version ") + corvane::kBuildVersion +
                          ": Upgrade is not supported - Please create a new "
                          "directory and reset all your settings for your server!"),
              std::string::npos);
}

TEST_F(Headless, FirstRunNamesTheSetupCommand) {
    const auto [status, errors] = runToEnd({"--dir", QString::fromStdString(m_dir.string())});
    EXPECT_EQ(status, 2);
    EXPECT_NE(
        errors.find("Set it up with: corvane-mod-headless --dir " + m_dir.string() + " --setup"),
        std::string::npos);
}

TEST_F(Headless, MissingLogsDirectoryAbortsWithTheCriticalBox) {
    configure();
    fs::remove_all(m_dir / "Logs");
    const auto [status, errors] = runToEnd({});
    EXPECT_NE(status, 0);
    EXPECT_NE(errors.find("Critical Error!: WARNING: Corvane Mod"), std::string::npos);
}

TEST_F(Headless, DailyUpdateCheckSpeaksOnStandardErrorAndRemembersTheDay) {
    configure();
    write("latest.txt", "0.0.3\r\n");
    std::string advanced = *corvane::readFile(m_dir / "Data/Advanced.txt");
    const std::string url = "UpdateURL=file://" + (m_dir / "latest.txt").string();
    advanced.replace(advanced.find("UpdateURL="), 10, url);
    write("Data/Advanced.txt", advanced);
    QProcess process;
    start(process);
    const std::string offer = "[message box] Update: A new update is available! Version: 0.0.3";
    std::string errors;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (errors.find(offer) == std::string::npos && std::chrono::steady_clock::now() < end) {
        process.waitForReadyRead(200);
        errors += process.readAllStandardError().toStdString();
    }
    EXPECT_NE(errors.find(offer), std::string::npos) << errors;
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(20000));
    const auto mod = corvane::splitLines(*corvane::readFile(m_dir / "Data/MOD.txt"));
    EXPECT_EQ(mod.at(0), QDate::currentDate().toString("yyyy-MM-dd").toStdString());
}
