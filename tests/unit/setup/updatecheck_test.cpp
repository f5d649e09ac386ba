// The update check with a fake downloader: the version file's text decides.

#include "app/app.h"
#include "setuprig.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

using Texts = std::vector<std::string>;

const std::string kUpdateUrl = "http://updates.example.net/version.txt";
const std::string kSite = "http://corvane.example.net";

// A configured server, without the wizard.
struct UpdateCheckTest : ::testing::Test, SetupRig {
    UpdateCheckTest() : SetupRig(false, false) {
        setAdvanced(dir, "UpdateURL", kUpdateUrl);
        setAdvanced(dir, "WebsiteURL", kSite);
    }
    App& start() {
        app = std::make_unique<App>(fake.ports(), AppPaths(dir.path()));
        app->createMainWindow();
        return *app;
    }
    // Answers the pending download: the file holds text, or the download fails.
    void answer(std::optional<std::string> text) {
        ASSERT_FALSE(fake.downloader.requests.empty());
        const FakeDownloader::Request request = fake.downloader.requests.back();
        if (text) dir.write("Data/Version.txt", *text);
        request.done(text.has_value(), text ? "" : "host not found");
    }
    std::unique_ptr<App> app;
};

} // namespace

TEST_F(UpdateCheckTest, VersionFileDecides) {
    struct Case {
        std::optional<std::string> file;
        std::string shown; // the box of the menu command
        bool offersUpdate; // also the automatic check speaks
    };
    const std::string error = "Unknown error - please go to " + kSite + "!";
    const Case cases[] = {
        {std::string(kBuildVersion) + "\r\n",
         std::string("You have the latest version! Version: ") + kBuildVersion, false},
        {"0.0.3\r\n", "A new update is available! Download it now?", true},
        {"0.0.1", "A new update is available! Download it now?", true},
        {"\"1.10.0\",2026-01-01\r\n", "A new update is available! Download it now?", true},
        {"<html><body>0.0.3</body></html>", error, false},
        {"<HTML>\r\n<title>Proxy</title>", error, false},
        {"Access denied by proxy", error, false},
        {"0.0", error, false},
        {"1.2.3.4", error, false},
        {"", error, false},
        {std::nullopt, error, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.value_or("<download failed>"));
        for (bool showResult : {true, false}) {
            fake.prompts.asked.clear();
            fake.prompts.answers = {MessageResult::No};
            start().updateCheck().DoUpdateC(showResult);
            answer(c.file);
            const bool speaks = showResult || c.offersUpdate;
            EXPECT_EQ(boxTexts(), speaks ? Texts{c.shown} : Texts{});
        }
    }
    EXPECT_TRUE(fake.shell.opened.empty()); // every offer was declined
}

TEST_F(UpdateCheckTest, YesOpensTheSiteAndTheOldFileIsGoneBeforeTheDownload) {
    dir.write("Data/Version.txt", kBuildVersion);
    start().updateCheck().DoUpdateC(true);
    EXPECT_FALSE(std::filesystem::exists(dir.file("Data/Version.txt")));
    ASSERT_EQ(fake.downloader.requests.size(), 1u);
    EXPECT_EQ(fake.downloader.requests[0].url, kUpdateUrl);
    app->updateCheck().DoUpdateC(true); // one download at a time
    EXPECT_EQ(fake.downloader.requests.size(), 1u);
    EXPECT_EQ(boxTexts(), Texts{"The update check is still waiting for the version file."});
    fake.prompts.answers = {MessageResult::Yes};
    answer("0.1.0");
    EXPECT_EQ(fake.prompts.asked.back().buttons, MessageButtons::YesNo);
    EXPECT_EQ(fake.shell.opened, Texts{kSite});
}

TEST_F(UpdateCheckTest, WithoutAnUpdateAddressTheMenuSaysSoAndTheDailyCheckIsSilent) {
    setAdvanced(dir, "UpdateURL", "");
    start();
    fake.loop.advance(2000); // the daily check after the mod settings were loaded
    EXPECT_TRUE(fake.downloader.requests.empty());
    EXPECT_TRUE(fake.prompts.asked.empty());
    EXPECT_EQ(app->settings().mod.LastUpdateCheck, "");
    app->updateCheck().DoUpdateC(true);
    EXPECT_TRUE(fake.downloader.requests.empty());
    EXPECT_EQ(boxTexts(), Texts{"No update address is set. Add the line "
                                "UpdateURL= with the address of the version "
                                "file to Data/Advanced.txt."});
}

TEST_F(UpdateCheckTest, DailyCheckRunsOncePerCalendarDayWhileSwitchedOn) {
    start();
    fake.loop.advance(999);
    EXPECT_TRUE(fake.downloader.requests.empty());
    fake.loop.advance(1); // a second after the mod settings were loaded
    ASSERT_EQ(fake.downloader.requests.size(), 1u);
    answer(kBuildVersion);
    EXPECT_TRUE(fake.prompts.asked.empty());

    app->updateCheck().DoAUtoCheck(); // the same day: nothing
    EXPECT_EQ(fake.downloader.requests.size(), 1u);
    fake.clock.setBase(LocalDateTime{2026, 12, 6, 0, 0, 1});
    app->updateCheck().DoAUtoCheck();
    EXPECT_EQ(fake.downloader.requests.size(), 2u);
    answer(kBuildVersion);

    app->settings().toggleAutoUpdateCheck(); // switched off
    fake.clock.setBase(LocalDateTime{2026, 12, 7, 9, 0, 0});
    app->updateCheck().DoAUtoCheck();
    EXPECT_EQ(fake.downloader.requests.size(), 2u);
}

TEST_F(UpdateCheckTest, AnswerAfterTheProgramIsGoneIsDropped) {
    start().updateCheck().DoUpdateC(true);
    const FakeDownloader::Request request = fake.downloader.requests.at(0);
    app.reset();
    dir.write("Data/Version.txt", "0.0.3");
    request.done(true, "");
    EXPECT_TRUE(fake.prompts.asked.empty());
}
