#include "core/consolelog.h"
#include "core/textfile.h"
#include "settingsrig.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

class ActivityLogTest : public ::testing::Test, public SettingsRig {
protected:
    std::vector<std::string> fileLines() { return splitLines(dir.read("Logs/Server.txt")); }
};

} // namespace

TEST_F(ActivityLogTest, EntryGoesToFileAndViewWithStampAndColour) {
    log.SMS("Read Config File");
    log.SMS("Invalid Password", kRed);
    EXPECT_EQ(
        dir.read("Logs/Server.txt"),
        "[2026-12-05 09:18:28] Read Config File\r\n[2026-12-05 09:18:28] Invalid Password\r\n");
    const auto& runs = log.view().runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].text, bannerLine() + "\r\n[2026-12-05 09:18:28] Read Config File");
    EXPECT_EQ(runs[1], (TextRun{"\r\n[2026-12-05 09:18:28] Invalid Password", kRed, false}));
}

TEST_F(ActivityLogTest, ACriticalErrorOrAMissingLogsDirectorySilencesEverything) {
    critical.raise(CriticalSource::Config);
    log.SMS("nothing");
    EXPECT_FALSE(std::filesystem::exists(dir.file("Logs/Server.txt")));
    critical.clear(CriticalSource::Config);
    std::filesystem::remove_all(dir.file("Logs"));
    log.SMS("lost"); // raises its own critical error
    EXPECT_TRUE(critical.isRaised(CriticalSource::ActivityLog));
    int lifted = 0;
    const Connection heard = critical.lockoutLifted.connect([&] { ++lifted; });
    critical.clearAll();
    EXPECT_EQ(lifted, 1);
    EXPECT_EQ(log.view().plainText(), bannerLine());
}

TEST_F(ActivityLogTest, HundredthEntryRebuildsViewFromNewest51FileLines) {
    const auto entries = [this](int first, int last) {
        for (int i = first; i <= last; ++i)
            log.SMS("entry " + std::to_string(i));
    };
    entries(1, 100);
    std::string expected = bannerLine();
    const auto lines = fileLines();
    ASSERT_EQ(lines.size(), 100u);
    for (std::size_t k = 49; k < 100; ++k)
        expected += "\r\n" + lines[k];
    EXPECT_EQ(log.view().plainText(), expected);
    entries(101, 120); // the view keeps growing only until the next rebuild
    EXPECT_EQ(splitLines(log.view().plainText()).size(), 1u + 51u + 20u);
}

TEST_F(ActivityLogTest, ShortFileGivesBannerAndAllItsLinesAndAThresholdOfZeroNeverTrims) {
    dir.write("Logs/Server.txt", "");
    for (int i = 0; i < 29; ++i)
        appendLine(dir.file("Logs/Server.txt"), "old " + std::to_string(i));
    log.setTrimThreshold(1);
    log.SMS("thirtieth");
    const auto viewLines = splitLines(log.view().plainText());
    ASSERT_EQ(viewLines.size(), 31u);
    EXPECT_EQ(viewLines[0] + "|" + viewLines[1] + "|" + viewLines[30],
              bannerLine() + "|old 0|[2026-12-05 09:18:28] thirtieth");

    log.setTrimThreshold(0); // never trims
    for (int i = 0; i < 150; ++i)
        log.SMS("x");
    EXPECT_EQ(splitLines(log.view().plainText()).size(), 181u);
}

TEST_F(ActivityLogTest, ClearingTheViewKeepsFileAndCounter) {
    log.setTrimThreshold(10);
    for (int i = 0; i < 6; ++i)
        log.SMS("before " + std::to_string(i));
    fake.prompts.answers.push_back(MessageResult::Yes);
    log.clearServerLog(fake.prompts);
    ASSERT_EQ(fake.prompts.asked.size(), 1u);
    EXPECT_EQ(fake.prompts.asked[0].title + ": " + fake.prompts.asked[0].text,
              "Clear Server Log: Are you sure you want to clear the server log? Everything is "
              "still saved in a file.");
    EXPECT_EQ(log.view().plainText(), bannerLine());
    EXPECT_EQ(fileLines().size(), 6u);
    for (int i = 0; i < 4; ++i)
        log.SMS("after " + std::to_string(i));
    // Trimmed on the tenth entry since the last trim, not the tenth since clearing.
    EXPECT_EQ(splitLines(log.view().plainText()).size(), 11u);

    fake.prompts.answers.push_back(MessageResult::No);
    log.clearServerLog(fake.prompts);
    EXPECT_NE(log.view().plainText(), bannerLine());
}

TEST_F(ActivityLogTest, ConsoleLogShowsOutgoingCommandsInABoundedViewAndFilesEverything) {
    ConsoleLog console(paths, fake.clock);
    console.SmsConsole("]teamstatus");
    console.SmsConsole("Command Executed");
    EXPECT_EQ(console.viewText(), "\r\n09:18:28: ]teamstatus");
    EXPECT_EQ(dir.read("Logs/Console.txt"),
              "[2026-12-05 09:18:28] ]teamstatus\r\n[2026-12-05 09:18:28] Command Executed\r\n");

    int announced = 0;
    const Connection counted =
        console.viewAppended.connect([&](const std::string&) { ++announced; });
    std::size_t kept = 0; // by the latest cut
    const Connection cuts = console.viewReset.connect([&] { kept = console.viewText().size(); });
    const std::string line(1000, 'x');
    std::size_t largest = 0;
    for (int i = 0; i < 600; ++i) {
        console.showInView(line + std::to_string(i));
        largest = std::max(largest, console.viewText().size());
    }
    EXPECT_EQ(announced, 600); // also those that came with a cut
    EXPECT_LE(largest, 256u * 1024u);
    // A cut leaves whole lines, up to half the limit with the new entry.
    EXPECT_GT(kept, 128u * 1024u - 3 * line.size());
    EXPECT_LT(kept, 128u * 1024u - line.size());
    EXPECT_NE(console.viewText().find(line + "599"), std::string::npos);
    EXPECT_EQ(console.viewText().rfind("\r\n", 0), 0u); // starts at a line boundary
}

TEST(RichText, ABoundedViewKeepsItsFirstLineAndOnlyWholeNewestLines) {
    RichText exact;
    exact.setLimit(4, "");
    exact.append("abcd", kBlack); // exactly the limit: kept whole
    EXPECT_EQ(exact.plainText(), "abcd");
    RichText view;
    view.setLimit(60, "-Head-");
    view.setText("-Head-");
    // One- and two-digit numbers, so that cuts fall inside lines as well.
    for (int i = 1; i < 30; ++i) {
        view.append("\r\n" + std::to_string(i) + ":", kBlack);
        view.append(" line", i % 2 == 0 ? kRed : kBlue); // a line of two runs
        const std::vector<std::string> lines = splitLines(view.plainText());
        EXPECT_EQ(lines.front(), "-Head-");
        EXPECT_FALSE(view.runs().front().bold); // as setText shows it
        for (std::size_t n = 1; n < lines.size(); ++n)
            EXPECT_EQ(lines[n],
                      std::to_string(i + static_cast<int>(n + 1 - lines.size())) + ": line");
        EXPECT_LE(view.plainText().size(), 60u);
    }
}
