// corvane-mod-headless started from a copy of the ready-to-run folder.

#include "core/textfile.h"

#include <QDate>
#include <QProcess>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
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
    void start(QProcess& process) {
        process.setProgram(QString::fromStdString((m_dir / "corvane-mod-headless").string()));
        process.setWorkingDirectory(QString::fromStdString(fs::temp_directory_path().string()));
        process.start();
        ASSERT_TRUE(process.waitForStarted(10000));
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
    start(process);
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

    // Every activity line also went to standard output.
    const std::string out = process.readAllStandardOutput().toStdString();
    EXPECT_NE(out.find("] Read Config File"), std::string::npos);
    EXPECT_EQ(corvane::splitLines(out).size(), serverLog().size());
}

TEST_F(Headless, SigintStopsItToo) {
    configure();
    QProcess process;
    start(process);
    ASSERT_TRUE(waitForLogLine("] Read Config File", std::chrono::seconds(20)));
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitCode(), 0);
}

TEST_F(Headless, AnotherVersionOfModTxtEndsWithTheUpgradeBox) {
    configure();
    std::string mod = *corvane::readFile(m_dir / "Data/MOD.txt");
    mod.replace(mod.find("0.0.2"), 5, "0.0.1");
    write("Data/MOD.txt", mod);
    QProcess process;
    start(process);
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_NE(process.exitCode(), 0);
    EXPECT_NE(
        process.readAllStandardError().toStdString().find(
            "Version 0.0.2: Upgrade is not supported - Please create a new directory and reset "
            "all your settings for your server!"),
        std::string::npos);
}

TEST_F(Headless, FirstRunExplainsThatSetupNeedsTheWindowProgram) {
    QProcess process;
    start(process);
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_NE(process.exitCode(), 0);
    EXPECT_NE(process.readAllStandardError().toStdString().find("Run corvane-mod once to set up"),
              std::string::npos);
}

TEST_F(Headless, MissingLogsDirectoryAbortsWithTheCriticalBox) {
    configure();
    fs::remove_all(m_dir / "Logs");
    QProcess process;
    start(process);
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_NE(process.exitCode(), 0);
    EXPECT_NE(
        process.readAllStandardError().toStdString().find("Critical Error!: WARNING: Corvane Mod"),
        std::string::npos);
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
