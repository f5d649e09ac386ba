// corvane-mod-headless started from a copy of the ready-to-run folder.

#include "core/buildversion.h"
#include "core/textfile.h"
#include "headlessprocess.h"

#include <QDate>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <optional>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>

using namespace corvane::testing;
namespace fs = std::filesystem;

namespace {

// Nothing listens on port 9 of loopback: the program must start all the same.
void configure(const HeadlessProcess& run) {
    run.dir().write("Data/Config.txt",
                    "Alpha\r\n9\r\n127.0.0.1\r\nsecret\r\nhttp://127.0.0.1:9/games_mp.log\r\n"
                    " 18\r\nAlpha Host\r\n\"mp_nuked\"\r\n");
}

std::vector<std::string> serverLog(const HeadlessProcess& run) {
    return corvane::splitLines(run.dir().read("Logs/Server.txt"));
}

// Runs the program on a pseudo-terminal until its output holds text, then
// ends it; everything it wrote there.
std::string runOnTerminal(const fs::path& program, const char* env, const std::string& text) {
    int terminal = -1;
    const pid_t pid = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    if (pid == 0) {
        if (env) ::putenv(const_cast<char*>(env));
        ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
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

// Everything under a folder but one of its sub-folders, sorted.
std::vector<fs::path> filesUnder(const fs::path& folder, const fs::path& except) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (!entry.path().string().starts_with(except.string())) found.push_back(entry.path());
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace

// The two stages' spacing is the App's own test; here the signal reaches them.
TEST(Headless, StartsWritesItsLogAndShutsDownInTwoStagesOnSigterm) {
    HeadlessProcess run;
    configure(run);
    run.start({"--quiet"});
    ASSERT_TRUE(run.waitForOutput("] Read Config File"));
    run.stop();
    EXPECT_EQ(QString::fromStdString(run.dir().read("Logs/Server.txt")).count("] Shutting down..."),
              2);
    // Quiet, standard output has every activity line and nothing else.
    EXPECT_EQ(corvane::splitLines(run.out()).size(), serverLog(run).size());
}

// The toolkit switches the C library to the user's locale at start-up; the
// settings files must not follow it (a comma there would split MOD.txt's fields).
TEST(Headless, ACommaDecimalLocaleChangesNoNumberInTheSettingsFiles) {
    HeadlessProcess run;
    configure(run);
    run.dir().replaceLine("Data/MOD.txt", 13, " 123.5"); // the player log's first column width

    run.start({}, {"LOCPATH=" CORVANE_TEST_LOCPATH, "LC_ALL=de_DE.UTF-8"});
    ASSERT_TRUE(run.waitForOutput("] Read Admin Config"));
    run.stop();
    for (const auto& line : serverLog(run))
        EXPECT_EQ(line.find("MOD.txt"), std::string::npos) << line;
    const std::string saved = run.dir().read("Data/MOD.txt");
    EXPECT_EQ(corvane::splitLines(saved).at(13), " 123.5");
    EXPECT_EQ(saved.find(','), std::string::npos);
}

TEST(Headless, ColourOnlyOnATerminalAndNeverWithNoColor) {
    HeadlessProcess run;
    configure(run);
    const std::string coloured = runOnTerminal(run.program(), nullptr, "]Playlist");
    EXPECT_NE(coloured.find("\x1b[1;36m[console]\x1b[0m"), std::string::npos) << coloured;
    const std::string plain = runOnTerminal(run.program(), "NO_COLOR=1", "]Playlist");
    EXPECT_NE(plain.find("[console] "), std::string::npos) << plain;
    EXPECT_EQ(plain.find('\x1b'), std::string::npos) << plain;
}

// Runs that end by themselves: options, a foreign MOD.txt, no Logs/ folder.
TEST(Headless, RunsThatEndAtOnceSayWhy) {
    const std::string version = corvane::kBuildVersion;
    struct Case {
        QStringList args;
        std::function<void(HeadlessProcess&)> prepare;
        int status;
        std::optional<std::string> out; // how standard output begins, if it matters
        std::string err;                // what standard error holds
    };
    const std::string upgrade = ": Upgrade is not supported - Please create a new directory and "
                                "reset all your settings for your server!";
    const std::string unknown = "unknown option '--bogus' (see --help)\n";
    const auto options = [](HeadlessProcess&) {};
    const auto oldModFile = [](HeadlessProcess& run) {
        configure(run);
        std::string mod = run.dir().read("Data/MOD.txt");
        const std::size_t at = mod.find(corvane::kBuildVersion);
        run.dir().write("Data/MOD.txt",
                        mod.replace(at, std::strlen(corvane::kBuildVersion), "0.0.0"));
    };
    const auto noLogsFolder = [](HeadlessProcess& run) {
        configure(run);
        fs::remove_all(run.dir().path() / "Logs");
    };
    const Case cases[] = {
        {{"--help"}, options, 0, "Usage: corvane-mod-headless [--dir PATH] [--quiet]\n", ""},
        {{"--version"}, options, 0, "corvane-mod-headless " + version + "\n", ""},
        {{"--bogus"}, options, 64, "", "corvane-mod-headless: " + unknown},
        {{}, oldModFile, 1, std::nullopt, "Version " + version + upgrade},
        {{}, noLogsFolder, 1, std::nullopt, "Critical Error!: WARNING: Corvane Mod"},
    };
    for (const Case& c : cases) {
        HeadlessProcess run;
        c.prepare(run);
        run.start(c.args);
        const std::string what = c.args.join(' ').toStdString() + " " + c.err;
        ASSERT_EQ(run.finish(), c.status) << what << run.errors();
        const std::size_t shown = c.out && !c.out->empty() ? c.out->size() : std::string::npos;
        EXPECT_TRUE(!c.out || run.out().substr(0, shown) == *c.out) << what << run.out();
        EXPECT_TRUE(c.err.empty() ? run.errors().empty()
                                  : run.errors().find(c.err) != std::string::npos)
            << what << run.errors();
    }
}

TEST(Headless, FirstRunNamesTheSetupCommand) {
    HeadlessProcess run;
    const std::string dir = run.dir().path().string();
    run.start({"--dir", QString::fromStdString(dir)});
    EXPECT_EQ(run.finish(), 2);
    EXPECT_NE(run.errors().find("Set it up with: corvane-mod-headless --dir " + dir + " --setup"),
              std::string::npos)
        << run.errors();
}

TEST(Headless, DirOnAnEmptyFolderKeepsEverythingThere) {
    HeadlessProcess run;
    configure(run); // the program's own Data/ is where the new folder's files come from
    const fs::path elsewhere = run.dir().path() / "elsewhere";
    const fs::path state = elsewhere / "state";
    const std::vector<fs::path> ownFiles = filesUnder(run.dir().path(), elsewhere);
    fs::create_directories(state);

    run.start({"--quiet", "--dir", QString::fromStdString(state.string())});
    ASSERT_TRUE(run.waitForOutput("] Read Config File")) << run.errors();
    run.stop();
    EXPECT_NE(corvane::readFile(state / "Logs/Server.txt").value_or("").find("] Read Config File"),
              std::string::npos);
    EXPECT_EQ(*corvane::readFile(state / "Data/Config.txt"), run.dir().read("Data/Config.txt"));
    // Beside the program nothing was written: no file came or went, Logs/ is empty.
    EXPECT_EQ(filesUnder(run.dir().path(), elsewhere), ownFiles);
    EXPECT_TRUE(fs::is_empty(run.dir().path() / "Logs"));
}

TEST(Headless, DailyUpdateCheckSpeaksOnStandardErrorAndRemembersTheDay) {
    HeadlessProcess run;
    configure(run);
    run.dir().write("latest.txt", "99.0.0\r\n"); // newer than any version of this build
    setAdvanced(run.dir(), "UpdateURL", "file://" + (run.dir().path() / "latest.txt").string());
    run.start();
    EXPECT_TRUE(
        run.waitForErrors("[message box] Update: A new update is available! Version: 99.0.0"))
        << run.errors();
    run.stop();
    EXPECT_EQ(run.dir().line("Data/MOD.txt", 0),
              QDate::currentDate().toString("yyyy-MM-dd").toStdString());
}
