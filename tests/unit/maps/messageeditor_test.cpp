#include "mapsrig.h"

using namespace corvane;
using namespace corvane::testing;

namespace {

struct Editor : MapsRig {
    Editor() {
        // Line ends and quotes the program would never write itself: any
        // rewrite of these files shows.
        dir.write("Data/MR.txt", "45\nOne\n\nAfter a blank\n");
        dir.write("Data/Rules.txt", "\"Be nice, please\"\n\nNo camping\n");
        dir.write("Data/Reasons.txt", "Spam\nCamping\n");
    }
    MessageEditor& editor() { return maps->editor; }
};

} // namespace

TEST_F(Editor, VisitingSubTabsNeverRewritesAFileEditingTakesRawLines) {
    for (MessageTab tab : {MessageTab::TimedMessages, MessageTab::Rules, MessageTab::Reasons,
                           MessageTab::WelcomeMessage, MessageTab::TimedMessages})
        editor().selectSubTab(tab);
    editor().SaveMessageS();
    EXPECT_EQ(dir.read("Data/MR.txt"), "45\nOne\n\nAfter a blank\n");
    EXPECT_EQ(dir.read("Data/Rules.txt"), "\"Be nice, please\"\n\nNo camping\n");
    EXPECT_EQ(dir.read("Data/Reasons.txt"), "Spam\nCamping\n");

    editor().LoadM();
    EXPECT_EQ(editor().intervalText(), "45");
    EXPECT_EQ(editor().text(), "One\r\n\r\nAfter a blank");
    editor().LoadR();
    EXPECT_EQ(editor().mode(), EditorMode::Rules);
    EXPECT_EQ(editor().text(), "\"Be nice, please\"\r\n\r\nNo camping");
    editor().editorKeyReleased("\"Be nice, please\"\n\r\nNo camping\rNo spam");
    editor().SaveMessageS();
    EXPECT_EQ(dir.read("Data/Rules.txt"), "\"Be nice, please\"\r\n\r\nNo camping\r\nNo spam\r\n");
    // The reload after the save reads items up to the first empty one.
    EXPECT_EQ(maps->messages.Rules(), (Lines{"Be nice, please"}));
}

TEST_F(Editor, TypedTextAndWelcomeAreSavedThreeSecondsAfterTheLastKey) {
    settings.mod.WelcomeTemplate = "old";
    editor().selectSubTab(MessageTab::TimedMessages);
    editor().editorKeyReleased("Fresh message");
    fake.loop.advance(2000);
    editor().editorKeyPressed();
    editor().editorKeyReleased("Fresh message!");
    fake.loop.advance(2999);
    EXPECT_EQ(dir.read("Data/MR.txt"), "45\nOne\n\nAfter a blank\n");
    fake.loop.advance(1);
    EXPECT_EQ(dir.read("Data/MR.txt"), "45\r\nFresh message!\r\n");
    EXPECT_EQ(maps->messages.TimedMessages(), (Lines{"Fresh message!"}));

    editor().selectSubTab(MessageTab::WelcomeMessage);
    EXPECT_EQ(editor().welcomeText(), "old");
    editor().welcomeKeyReleased("^2Hi <player>");
    fake.loop.advance(2999);
    EXPECT_EQ(settings.mod.WelcomeTemplate, "old");
    fake.loop.advance(1);
    EXPECT_EQ(settings.mod.WelcomeTemplate, "^2Hi <player>");
    editor().welcomePreview(); // nobody online to fill it in
    ASSERT_EQ(fake.prompts.asked.size(), 1u);
    EXPECT_EQ(fake.prompts.asked[0].text, "Please enter the server to preview the results!");
    editor().welcomeKeyReleased("^3Bye");
    editor().selectSubTab(MessageTab::Rules); // leaving the sub-tab saves at once
    EXPECT_EQ(settings.mod.WelcomeTemplate, "^3Bye");
    editor().welcomeLeft("^4Left"); // so does leaving the box
    EXPECT_EQ(settings.mod.WelcomeTemplate, "^4Left");
    int shown = 0;
    const Connection heard = editor().contentsChanged.connect([&] { ++shown; });
    editor().welcomeDefault();
    EXPECT_EQ(std::tuple(shown, editor().welcomeText()), std::tuple(1, kDefaultWelcomeTemplate));

    const std::string rules = dir.read(std::string(kRulesFile));
    editor().editorKeyReleased("typed as the program ends");
    maps->stopTimers();
    fake.loop.advance(5000);
    EXPECT_EQ(dir.read(std::string(kRulesFile)), rules);
}

TEST_F(Editor, IntervalBoxTakesOnlyAWholeNumberAboveZero) {
    editor().LoadM();
    const std::pair<const char*, const char*> cases[] = {
        {"", "60"}, {"abc", "60"}, {"0", "60"}, {"-5", "60"}, {"30", "30"}};
    for (const auto& [typed, shown] : cases) {
        EXPECT_EQ(editor().intervalLeft(typed), shown) << typed;
        EXPECT_EQ(dir.read("Data/MR.txt"), std::string(shown) + "\r\nOne\r\n\r\nAfter a blank\r\n");
    }
    EXPECT_EQ(maps->messages.RotationInterval(), 30);
}
