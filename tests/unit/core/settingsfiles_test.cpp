#include "core/fieldreader.h"
#include "core/loghost.h"
#include "core/modsettings.h"
#include "core/serverconfig.h"
#include "core/textfile.h"
#include "tempappdir.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

using namespace corvane;

namespace {

std::string defaultFile(const char* name) {
    return *readFile(corvane::testing::defaultDataDir() / name);
}

// The shipped MOD.txt with some of its lines changed.
std::string shippedModWith(const std::function<void(std::vector<std::string>&)>& edit) {
    auto lines = splitLines(defaultFile("MOD.txt"));
    edit(lines);
    std::string text;
    for (const auto& l : lines)
        text += l + "\r\n";
    return text;
}

const ServerConfig kPlain{"Alpha", "28960",      "10.0.0.5", "pw", "http://logs/x.log",
                          18,      "Alpha Host", "mp_nuked"};

} // namespace

TEST(ServerConfigFile, MainWindowQuotesTheExcludedMapWizardDoesNot) {
    EXPECT_EQ(writeServerConfig(kPlain, ExcludedMapStyle::Quoted),
              "Alpha\r\n28960\r\n10.0.0.5\r\npw\r\nhttp://logs/x.log\r\n 18\r\nAlpha "
              "Host\r\n\"mp_nuked\"\r\n");
    EXPECT_EQ(writeServerConfig(kPlain, ExcludedMapStyle::Bare).substr(52),
              "Alpha Host\r\nmp_nuked\r\n");
}

TEST(ServerConfigFile, EveryValueComesBackWholeEvenWithCommasOuterBlanksOrQuotes) {
    const ServerConfig awkward{"Alpha, Bravo",          "28960", " 10.0.0.5",     "pw, ",
                               "http://logs/x.log?a,b", 18,      "Big, Bad Host", "mp_a, mp_b"};
    for (const ServerConfig& c : {kPlain, awkward})
        for (auto style : {ExcludedMapStyle::Quoted, ExcludedMapStyle::Bare}) {
            ServerConfig back;
            readServerConfig(writeServerConfig(c, style), back);
            // Written again, every field shows: nothing was lost or shifted.
            EXPECT_EQ(writeServerConfig(back, ExcludedMapStyle::Quoted),
                      writeServerConfig(c, ExcludedMapStyle::Quoted));
        }
    EXPECT_FALSE(isStorableConfigValue("a\"b"));
    EXPECT_FALSE(isStorableConfigValue("a\r\nb"));
    EXPECT_TRUE(isStorableConfigValue("a, b "));

    // A hand-edited file may hold what the window would not let through: a quoted
    // value running over a line end, a bare map name with a double quote.
    ServerConfig read;
    readServerConfig(
        "\"Alpha,\r\nBravo\"\r\n28960\r\nip\r\npw\r\nurl\r\n 18\r\nHost\r\nmp_\"x\"\r\n", read);
    ASSERT_EQ(read.ServerName, "Alpha,\r\nBravo");
    ASSERT_EQ(read.ExcludedMap, "mp_\"x\"");
    for (auto style : {ExcludedMapStyle::Quoted, ExcludedMapStyle::Bare}) {
        ServerConfig back;
        readServerConfig(writeServerConfig(read, style), back);
        EXPECT_EQ(std::tie(back.ServerName, back.Port, back.ExcludedMap),
                  std::tuple(read.ServerName, "28960", read.ExcludedMap));
    }
}

TEST(ServerConfigFile, FailureKeepsFieldsReadBeforeItAndOldValuesAfter) {
    ServerConfig c;
    c.HostName = "old host";
    c.ExcludedMap = "old map";
    EXPECT_THROW(readServerConfig("New\r\n1\r\n2\r\n3\r\n4\r\neighteen\r\nH\r\nM\r\n", c),
                 FieldReadError);
    EXPECT_EQ(std::tie(c.ServerName, c.LogURL, c.HostName, c.ExcludedMap),
              std::tuple("New", "4", "old host", "old map"));

    ServerConfig firstRun;
    EXPECT_THROW(readServerConfig("FIRST\r\n", firstRun), FieldReadError);
    EXPECT_EQ(firstRun.ServerName, "FIRST");
}

TEST(ModFile, ShippedFileLoadsWholeAndOnlyChangedFieldsAreWrittenDifferently) {
    const std::string original = defaultFile("MOD.txt");
    ModSettings s;
    readModFile(original, s);
    EXPECT_EQ(std::tuple(s.VersionRead, s.WelcomeTemplate, s.WeaponFlags.size(), s.MaxWarns),
              std::tuple(kBuildVersion, kDefaultWelcomeTemplate, 86u, 2));
    EXPECT_EQ(writeModFile(s), original);

    s.LanguageFilterEnabled = 1;
    s.AnnounceMode = {0, 0, 1, 0, 0, 1, 0, 1, 0, 0};
    s.VersionRead = "9.9.9"; // the build's own version is written
    auto expected = splitLines(original);
    ASSERT_EQ(expected.size(), 30u);
    expected[9] = " 1";
    expected[21] = "0;0;1;0;0;1;0;1;0;0";
    EXPECT_EQ(splitLines(writeModFile(s)), expected);
}

TEST(ModFile, PartialReadKeepsEarlierValuesAndLaterOldOnes) {
    ModSettings s;
    s.MaxWarns = 7;
    s.OnlineColumnWidths[6] = 42;
    EXPECT_THROW(readModFile(shippedModWith([](auto& lines) {
                                 lines[4] = " 0";    // AutoRefreshPlayers, read before the failure
                                 lines[11] = "many"; // KickXboxNames: not a number
                             }),
                             s),
                 FieldReadError);
    EXPECT_EQ(std::tuple(s.AutoRefreshPlayers, s.AutoScroll, s.MaxWarns, s.OnlineColumnWidths[6]),
              std::tuple(0, 1, 7, 42));

    EXPECT_THROW(readModFile(shippedModWith([](auto& lines) { lines.pop_back(); }), s),
                 FieldReadError); // fewer than thirty lines
}

TEST(ModFile, TextsComeBackWholeAndAWelcomeWithACommaOrALeadingBlankIsWrittenQuoted) {
    ModSettings s;
    readModFile(defaultFile("MOD.txt"), s);
    for (const char* welcome : {"Hi, <player>", " ^2Hi <player>"}) {
        s.WelcomeTemplate = welcome;
        ModSettings back;
        readModFile(writeModFile(s), back); // no later field shifts
        EXPECT_EQ(back.WelcomeTemplate, welcome);
        EXPECT_EQ(back.MaxWarns, s.MaxWarns);
    }
    // A file written by hand with a bare comma is still cut there.
    std::string text = writeModFile(s);
    text.replace(text.find("\" ^2Hi <player>\""), 16, "Hi, <player>");
    ModSettings cut;
    EXPECT_THROW(readModFile(text, cut), FieldReadError);
    EXPECT_EQ(cut.WelcomeTemplate, "Hi");

    // Every text and width comes back as it was read.
    s.LastUpdateCheck = "7, 3";
    s.WelcomeTemplate = "Hi <player>\t";
    s.WeaponFlags = {" a,b", "c\r\nd"};
    s.PlayerLogColumnWidths[0] = 1.00000012f; // seven digits would read back as 1
    s.OnlineColumnWidths[6] = 16777215.f;
    s.AnnounceMode = {1, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    ModSettings back;
    readModFile(writeModFile(s), back);
    const auto fields = [](const ModSettings& m) {
        return std::tie(m.LastUpdateCheck, m.WelcomeTemplate, m.WeaponFlags,
                        m.PlayerLogColumnWidths, m.OnlineColumnWidths, m.AnnounceMode, m.MaxWarns);
    };
    EXPECT_EQ(fields(back), fields(s));
}

TEST(AdvancedFile, ShippedDefaultReadsTheEightValuesAndAnEmptyLogHostAndDefaultsKeepThePoll) {
    AdvancedVars v;
    v.LogHost = v.UpdateURL = v.WebsiteURL = "stale";
    readAdvancedFile(defaultFile("Advanced.txt"), v);
    EXPECT_EQ(std::tie(v.RconQueueInterval, v.StatusPollPeriod, v.LogTrimPeriod, v.RefreshDelay,
                       v.PlayerDbPath),
              std::tuple(525, 30, 100, 10, "Data\\playerdb.mdb"));
    EXPECT_EQ(v.LogHost + v.UpdateURL + v.WebsiteURL, "");

    v.StatusPollPeriod = 45;
    v.RefreshDelay = 99;
    v.RconQueueInterval = 1;
    applyAdvancedDefaults(v, "/app\\Data\\playerdb.mdb");
    EXPECT_EQ(std::tie(v.StatusPollPeriod, v.RefreshDelay, v.RconQueueInterval, v.PlayerDbPath),
              std::tuple(45, 10, 525, "/app\\Data\\playerdb.mdb"));
}

std::string advancedFile(int headerFields, const std::vector<std::string>& values) {
    std::string text;
    for (int i = 0; i < headerFields; ++i)
        text += "header " + std::to_string(i) + "\r\n";
    for (const auto& v : values)
        text += v + "\r\n";
    return text;
}

const std::vector<std::string> kEightValues = {
    "Q=400=x", " P = 15 ", "R=1000", "T=50", "A=0", "X=3", "D=30", "Path=C:\\db\\p.mdb"};

TEST(AdvancedFile, ValuesAreTakenByPositionNotByNameThenTheLogHostAndAddressesByName) {
    AdvancedVars v;
    readAdvancedFile(advancedFile(12, kEightValues), v);
    EXPECT_EQ(std::tie(v.RconQueueInterval, v.StatusPollPeriod, v.LogTrimPeriod, v.AnnounceProgram,
                       v.RefreshDelay, v.PlayerDbPath),
              std::tuple(400, 15, 50, 0, 30, "C:\\db\\p.mdb"));
    EXPECT_EQ(v.LogHost, ""); // files without the log host line keep working

    auto values = kEightValues;
    values.push_back("LogHost= http://logs.provider.net:8080 ");
    values.push_back(" websiteurl = http://corvane.example.net ");
    values.push_back("UpdateURL=http://updates.example.net/v.txt?channel=stable");
    readAdvancedFile(advancedFile(12, values), v);
    EXPECT_EQ(std::tie(v.LogHost, v.UpdateURL, v.WebsiteURL),
              std::tuple("http://logs.provider.net:8080",
                         "http://updates.example.net/v.txt?channel=stable",
                         "http://corvane.example.net"));
}

TEST(AdvancedFile, MissingLinesAndValuesThatDoNotReadFail) {
    const std::pair<std::size_t, std::string> broken[] = {
        {2, "R 1000"}, // no "="
        {6, "D=soon"},
    };
    AdvancedVars v;
    EXPECT_THROW(readAdvancedFile(advancedFile(11, kEightValues), v), FieldReadError);
    for (const auto& [index, line] : broken) {
        auto values = kEightValues;
        values[index] = line;
        EXPECT_THROW(readAdvancedFile(advancedFile(12, values), v), FieldReadError) << line;
    }
}

TEST(LogHost, TakenFromAValidSettingOrFromTheLogUrl) {
    const struct {
        const char* setting;
        const char* url;
        const char* host;
        int port;
        const char* prefix;
        const char* hostHeader;
    } cases[] = {
        {"", "http://logs.example.net/alpha/games_mp.log", "logs.example.net", 80,
         "http://logs.example.net", "logs.example.net"},
        {"", "http://127.0.0.1:8080/x/log.txt", "127.0.0.1", 8080, "http://127.0.0.1:8080",
         "127.0.0.1:8080"},
        {"http://gameservers.example.com:1/", "http://other/x.log", "gameservers.example.com", 1,
         "http://gameservers.example.com:1", "gameservers.example.com:1"},
        {"", "http://az.AZ-09_/x.log", "az.AZ-09_", 80, "http://az.AZ-09_", "az.AZ-09_"},
        // A broken setting falls back to the log URL.
        {"nonsense", "http://logs.example.net/a.log", "logs.example.net", 80,
         "http://logs.example.net", "logs.example.net"},
    };
    for (const auto& c : cases) {
        const auto found = resolveLogHost(c.setting, c.url);
        ASSERT_TRUE(found) << c.url;
        EXPECT_EQ(std::tuple(found->host, found->port, found->prefix, found->hostHeader()),
                  std::tuple(c.host, c.port, c.prefix, c.hostHeader));
    }
    for (const char* bad : {"ftp://host", "http://", "http://host:0", "http://host:99999",
                            "http://host:8a", "http://ho st", "http://host/path", "host"})
        EXPECT_FALSE(parseLogHost(bad)) << bad;
    EXPECT_FALSE(resolveLogHost("", "no url"));
}
