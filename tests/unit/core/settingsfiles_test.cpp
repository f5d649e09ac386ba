#include "core/fieldreader.h"
#include "core/loghost.h"
#include "core/modsettings.h"
#include "core/serverconfig.h"
#include "core/textfile.h"
#include "tempappdir.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

std::string defaultFile(const char* name) {
    return *readFile(corvane::testing::defaultDataDir() / name);
}

} // namespace

TEST(ServerConfigFile, MainWindowQuotesTheExcludedMapWizardDoesNot) {
    ServerConfig c{"Alpha", "28960",      "10.0.0.5", "pw", "http://logs/x.log",
                   18,      "Alpha Host", "mp_nuked"};
    EXPECT_EQ(writeServerConfig(c, ExcludedMapStyle::Quoted),
              "Alpha\r\n28960\r\n10.0.0.5\r\npw\r\nhttp://logs/x.log\r\n 18\r\nAlpha "
              "Host\r\n\"mp_nuked\"\r\n");
    EXPECT_EQ(writeServerConfig(c, ExcludedMapStyle::Bare).substr(52),
              "Alpha Host\r\nmp_nuked\r\n");

    for (auto style : {ExcludedMapStyle::Quoted, ExcludedMapStyle::Bare}) {
        ServerConfig back;
        readServerConfig(writeServerConfig(c, style), back);
        EXPECT_EQ(back.ExcludedMap, "mp_nuked");
        EXPECT_EQ(back.MaxClients, 18);
        EXPECT_EQ(back.HostName, "Alpha Host");
    }
}

TEST(ServerConfigFile, ValuesWithCommasOrOuterBlanksAreQuotedAndComeBackWhole) {
    const ServerConfig c{"Alpha, Bravo",          "28960", " 10.0.0.5",     "pw, ",
                         "http://logs/x.log?a,b", 18,      "Big, Bad Host", "mp_a, mp_b"};
    for (auto style : {ExcludedMapStyle::Quoted, ExcludedMapStyle::Bare}) {
        ServerConfig back;
        readServerConfig(writeServerConfig(c, style), back);
        EXPECT_EQ(back.ServerName, c.ServerName);
        EXPECT_EQ(back.IP, c.IP);
        EXPECT_EQ(back.RconPassword, c.RconPassword);
        EXPECT_EQ(back.LogURL, c.LogURL);
        EXPECT_EQ(back.MaxClients, 18);
        EXPECT_EQ(back.HostName, c.HostName);
        EXPECT_EQ(back.ExcludedMap, c.ExcludedMap);
    }
    EXPECT_FALSE(isStorableConfigValue("a\"b"));
    EXPECT_FALSE(isStorableConfigValue("a\r\nb"));
    EXPECT_TRUE(isStorableConfigValue("a, b "));
}

TEST(ServerConfigFile, FailureKeepsFieldsReadBeforeItAndOldValuesAfter) {
    ServerConfig c;
    c.HostName = "old host";
    c.ExcludedMap = "old map";
    EXPECT_THROW(readServerConfig("New\r\n1\r\n2\r\n3\r\n4\r\neighteen\r\nH\r\nM\r\n", c),
                 FieldReadError);
    EXPECT_EQ(c.ServerName, "New");
    EXPECT_EQ(c.LogURL, "4");
    EXPECT_EQ(c.HostName, "old host");
    EXPECT_EQ(c.ExcludedMap, "old map");

    ServerConfig firstRun;
    EXPECT_THROW(readServerConfig("FIRST\r\n", firstRun), FieldReadError);
    EXPECT_EQ(firstRun.ServerName, "FIRST");
}

TEST(ServerConfigFile, HostNameWithACommaShiftsTheExcludedMap) {
    ServerConfig c;
    readServerConfig("A\r\n1\r\nip\r\npw\r\nurl\r\n 18\r\nBig, Bad\r\n\"mp_nuked\"\r\n", c);
    EXPECT_EQ(c.HostName, "Big");
    EXPECT_EQ(c.ExcludedMap, "Bad");
}

TEST(ModFile, ShippedDefaultLoadsWhole) {
    ModSettings s;
    readModFile(defaultFile("MOD.txt"), s);
    EXPECT_EQ(s.VersionRead, kBuildVersion);
    EXPECT_EQ(s.WelcomeTemplate, kDefaultWelcomeTemplate);
    EXPECT_EQ(s.WeaponFlags.size(), 86u);
    EXPECT_EQ(s.MaxWarns, 2);
}

TEST(ModFile, RoundTripChangesOnlyTheChangedField) {
    const std::string original = defaultFile("MOD.txt");
    ModSettings s;
    readModFile(original, s);
    EXPECT_EQ(writeModFile(s), original);

    s.LanguageFilterEnabled = 1;
    const auto before = splitLines(original);
    const auto after = splitLines(writeModFile(s));
    ASSERT_EQ(after.size(), 30u);
    for (std::size_t i = 0; i < 30; ++i) {
        if (i == 9)
            EXPECT_EQ(after[i], " 1");
        else
            EXPECT_EQ(after[i], before[i]) << "line " << i + 1;
    }
}

TEST(ModFile, AnnounceModesAndVersionAreWrittenAsExpected) {
    ModSettings s;
    readModFile(defaultFile("MOD.txt"), s);
    s.AnnounceMode = {0, 0, 1, 0, 0, 1, 0, 1, 0, 0};
    s.VersionRead = "9.9.9";
    const auto lines = splitLines(writeModFile(s));
    EXPECT_EQ(lines[21], "0;0;1;0;0;1;0;1;0;0");
    EXPECT_EQ(lines[1], kBuildVersion);
}

TEST(ModFile, PartialReadKeepsEarlierValuesAndLaterOldOnes) {
    ModSettings s;
    s.MaxWarns = 7;
    s.OnlineColumnWidths[6] = 42;
    auto lines = splitLines(defaultFile("MOD.txt"));
    lines[4] = " 0";    // AutoRefreshPlayers, read before the failure
    lines[11] = "many"; // KickXboxNames: not a number
    std::string text;
    for (const auto& l : lines)
        text += l + "\r\n";
    EXPECT_THROW(readModFile(text, s), FieldReadError);
    EXPECT_EQ(s.AutoRefreshPlayers, 0);
    EXPECT_EQ(s.AutoScroll, 1);
    EXPECT_EQ(s.MaxWarns, 7);
    EXPECT_EQ(s.OnlineColumnWidths[6], 42);
}

TEST(ModFile, FewerThanThirtyLinesFails) {
    auto lines = splitLines(defaultFile("MOD.txt"));
    lines.pop_back();
    std::string text;
    for (const auto& l : lines)
        text += l + "\r\n";
    ModSettings s;
    EXPECT_THROW(readModFile(text, s), FieldReadError);
}

TEST(ModFile, WelcomeTemplateWithACommaOrALeadingBlankIsWrittenQuoted) {
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
}

TEST(AdvancedFile, ShippedDefaultReadsTheEightValuesAndAnEmptyLogHost) {
    AdvancedVars v;
    v.LogHost = "stale";
    readAdvancedFile(defaultFile("Advanced.txt"), v);
    EXPECT_EQ(v.RconQueueInterval, 525);
    EXPECT_EQ(v.StatusPollPeriod, 30);
    EXPECT_EQ(v.LogTrimPeriod, 100);
    EXPECT_EQ(v.RefreshDelay, 10);
    EXPECT_EQ(v.PlayerDbPath, "Data\\playerdb.mdb");
    EXPECT_EQ(v.LogHost, "");
}

std::string advancedFile(int headerFields, const std::vector<std::string>& values) {
    std::string text;
    for (int i = 0; i < headerFields; ++i)
        text += "header " + std::to_string(i) + "\r\n";
    for (const auto& v : values)
        text += v + "\r\n";
    return text;
}

const std::vector<std::string> kEightValues = {"Q=400", " P = 15 ", "R=1000", "T=50",
                                               "A=0",   "X=3",      "D=30",   "Path=C:\\db\\p.mdb"};

TEST(AdvancedFile, ValuesAreTakenByPositionNotByName) {
    AdvancedVars v;
    readAdvancedFile(advancedFile(12, kEightValues), v);
    EXPECT_EQ(v.RconQueueInterval, 400);
    EXPECT_EQ(v.StatusPollPeriod, 15);
    EXPECT_EQ(v.LogTrimPeriod, 50);
    EXPECT_EQ(v.AnnounceProgram, 0);
    EXPECT_EQ(v.RefreshDelay, 30);
    EXPECT_EQ(v.PlayerDbPath, "C:\\db\\p.mdb");
    EXPECT_EQ(v.LogHost, ""); // files without the log host line keep working
}

TEST(AdvancedFile, ElevenHeaderFieldsRunPastTheEnd) {
    AdvancedVars v;
    EXPECT_THROW(readAdvancedFile(advancedFile(11, kEightValues), v), FieldReadError);
}

TEST(AdvancedFile, LineWithoutEqualsOrBadNumberFails) {
    auto values = kEightValues;
    values[2] = "R 1000";
    AdvancedVars v;
    EXPECT_THROW(readAdvancedFile(advancedFile(12, values), v), FieldReadError);
    values = kEightValues;
    values[6] = "D=soon";
    EXPECT_THROW(readAdvancedFile(advancedFile(12, values), v), FieldReadError);
}

TEST(AdvancedFile, NinthLineNamesTheLogHost) {
    auto values = kEightValues;
    values.push_back("LogHost= http://logs.provider.net:8080 ");
    AdvancedVars v;
    readAdvancedFile(advancedFile(12, values), v);
    EXPECT_EQ(v.LogHost, "http://logs.provider.net:8080");
}

TEST(AdvancedFile, AddressesAfterTheLogHostAreFoundByName) {
    auto values = kEightValues;
    values.push_back("LogHost=");
    values.push_back(" websiteurl = http://corvane.example.net ");
    values.push_back("UpdateURL=http://updates.example.net/v.txt?channel=stable");
    AdvancedVars v;
    readAdvancedFile(advancedFile(12, values), v);
    EXPECT_EQ(v.UpdateURL, "http://updates.example.net/v.txt?channel=stable");
    EXPECT_EQ(v.WebsiteURL, "http://corvane.example.net");

    readAdvancedFile(defaultFile("Advanced.txt"), v); // shipped empty
    EXPECT_EQ(v.UpdateURL, "");
    EXPECT_EQ(v.WebsiteURL, "");
}

TEST(AdvancedFile, DefaultsKeepThePollPeriod) {
    AdvancedVars v;
    v.StatusPollPeriod = 45;
    v.RefreshDelay = 99;
    applyAdvancedDefaults(v, "/app\\Data\\playerdb.mdb");
    EXPECT_EQ(v.StatusPollPeriod, 45);
    EXPECT_EQ(v.RefreshDelay, 10);
    EXPECT_EQ(v.RconQueueInterval, 525);
    EXPECT_EQ(v.PlayerDbPath, "/app\\Data\\playerdb.mdb");
}

TEST(LogHost, TakenFromTheSettingOrFromTheLogUrl) {
    auto fromUrl = resolveLogHost("", "http://logs.example.net/alpha/games_mp.log");
    ASSERT_TRUE(fromUrl);
    EXPECT_EQ(fromUrl->host, "logs.example.net");
    EXPECT_EQ(fromUrl->port, 80);
    EXPECT_EQ(fromUrl->prefix, "http://logs.example.net");
    EXPECT_EQ(fromUrl->hostHeader(), "logs.example.net");

    auto withPort = resolveLogHost("", "http://127.0.0.1:8080/x/log.txt");
    ASSERT_TRUE(withPort);
    EXPECT_EQ(withPort->port, 8080);
    EXPECT_EQ(withPort->prefix, "http://127.0.0.1:8080");
    EXPECT_EQ(withPort->hostHeader(), "127.0.0.1:8080");

    auto configured = resolveLogHost("http://gameservers.example.com:81/", "http://other/x.log");
    ASSERT_TRUE(configured);
    EXPECT_EQ(configured->host, "gameservers.example.com");
    EXPECT_EQ(configured->port, 81);
    EXPECT_EQ(configured->prefix, "http://gameservers.example.com:81");
}

TEST(LogHost, InvalidAddressesAreRefused) {
    for (const char* bad : {"ftp://host", "http://", "http://host:0", "http://host:99999",
                            "http://host:8a", "http://ho st", "http://host/path", "host"})
        EXPECT_FALSE(parseLogHost(bad)) << bad;
    EXPECT_FALSE(resolveLogHost("", "no url"));
    // A broken setting falls back to the log URL.
    auto fallback = resolveLogHost("nonsense", "http://logs.example.net/a.log");
    ASSERT_TRUE(fallback);
    EXPECT_EQ(fallback->host, "logs.example.net");
}
