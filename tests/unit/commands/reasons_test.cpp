// The reasons file: the item reader (the rules file shares it), and loading
// with the groups and the rules.

#include "commands/reasons.h"
#include "commandsrig.h"

namespace corvane::testing {
namespace {

TEST(ReasonsFile, ItemsEndAtLineEndsCommasAndTheFirstEmptyItem) {
    const struct {
        const char* text;
        Lines reasons;
    } cases[] = {{"Spam\r\nCamping\r\nCheating\r\n\r\nHidden\r\n", {"Spam", "Camping", "Cheating"}},
                 {"Spam, eggs\r\n  Camping  \r\n", {"Spam", "eggs", "Camping"}},
                 {"\"Spam, eggs\"\r\nLast", {"Spam, eggs", "Last"}},
                 {"One\nTwo\rThree", {"One", "Two", "Three"}},
                 {"", {}},
                 {"   ", {}},
                 {",Spam", {}},
                 {"\"Unclosed, quote\r\nNext", {"Unclosed, quote"}},
                 {"Last\r\n \t", {"Last"}}};
    for (const auto& c : cases)
        EXPECT_EQ(readReasons(c.text), c.reasons) << c.text;

    std::string many;
    for (int i = 1; i <= 105; ++i)
        many += "R" + std::to_string(i) + "\r\n";
    const Lines hundred = readReasons(many);
    ASSERT_EQ(hundred.size(), 100u);
    EXPECT_EQ(hundred.back(), "R100");
}

using ReasonsTest = CommandsRig;

TEST_F(ReasonsTest, LoadedAtStartAndWithEveryReloadOfTheGroups) {
    const Reasons& reasons = app->commands().reasons;
    EXPECT_EQ(reasons.reason(1), "Spawn killing"); // the shipped file
    dir.write("Data/Reasons.txt", "Say \"hi\"; quit\r\n");
    app->UpdateAllC();
    EXPECT_EQ(reasons.count(), 1);
    EXPECT_EQ(reasons.reason(1), "Say \"hi\"; quit");
    EXPECT_EQ(reasons.forConsole(1), "Say 'hi': quit");
    EXPECT_EQ(reasons.reason(0), "");
    EXPECT_EQ(reasons.reason(2), "");
    std::filesystem::remove(dir.file("Data/Reasons.txt"));
    app->UpdateAllC();
    EXPECT_EQ(reasons.count(), 0);
}

TEST_F(ReasonsTest, ReloadedWhenTheMessageEditorSavesThem) {
    MessageEditor& editor = app->maps().editor;
    editor.selectSubTab(MessageTab::Reasons);
    EXPECT_EQ(editor.text().substr(0, 15), "Spawn killing\r\n");
    editor.editorKeyReleased("\"Spam, eggs\"\nCamping");
    editor.selectSubTab(MessageTab::Rules);
    EXPECT_EQ(app->commands().reasons.all(), (Lines{"Spam, eggs", "Camping"}));
}

} // namespace
} // namespace corvane::testing
