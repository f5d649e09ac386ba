#include "enforcementrig.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

class Language : public ::testing::Test, public EnforcementRig {
protected:
    void SetUp() override {
        wordFile("2\r\nfuck\r\nk|slur\r\ndick\r\n");
        online(4, "Bob", "guidB");
        clear();
    }
    LanguageFilter& filter() { return e.language; }
};

} // namespace

TEST_F(Language, WarnsUpToTheLimitThenKicksWithTheGlobalTexts) {
    for (int round = 1; round <= 3; ++round) {
        batch();
        say(4, "Bob", "what the fuck");
    }
    EXPECT_EQ(logged(), (Lines{"Warning Bob for language: fuck [Warning 1 of 2]",
                               "Warning Bob for language: fuck [Warning 2 of 2]",
                               "Kicking Bob for language: fuck, Badword: fuck"}));
    const std::string warn =
        ";4;guidB;say ^1Warning ^2Bob, ^1Reason: ^2Please watch your language! ";
    EXPECT_EQ(queued(), (Lines{";4;guidB;clientkick 4 Watch your language!\"",
                               warn + "[Warning ^11 ^2of 2]", warn + "[Warning ^12 ^2of 2]",
                               "say ^1Kicking ^2Bob, ^1Reason:  ^2Watch your language!"}));
    EXPECT_EQ(filter().LanguageWarns(4), 0);
}

TEST_F(Language, PrivateWarningsAndHiddenKicksWithANeutralisedName) {
    // Private warnings, then public ones, then a hidden kick.
    const std::pair<std::size_t, int> steps[] = {{2, 1}, {2, 0}, {3, 1}};
    for (const auto& [mode, on] : steps) {
        mod.AnnounceMode[mode] = static_cast<std::int16_t>(on);
        batch();
        say(4, "B;ob\"", "fuck");
    }
    EXPECT_EQ(queued(),
              (Lines{";4;guidB;clientkick 4 Watch your language!\"",
                     ";4;guidB;tell 4 ^2PM: ^1You have been warned: ^2Please watch your language! "
                     "[Warning ^11 ^2of 2]",
                     ";4;guidB;say ^1Warning ^2B:ob', ^1Reason: ^2Please watch your language! "
                     "[Warning ^12 ^2of 2]"}));
}

TEST_F(Language, KickAtOnceWordKicksOnFirstUseAndResetsTheCount) {
    say(4, "Bob", "fuck");
    ASSERT_EQ(filter().LanguageWarns(4), 1);
    batch();
    say(4, "Bob", "you SLURRY");
    EXPECT_EQ(filter().LanguageWarns(4), 0);
    EXPECT_EQ(logged().back(), "Kicking Bob for language: SLURRY, Badword: slur");
    EXPECT_EQ(queued().front(), ";4;guidB;clientkick 4 Watch your language!\"");
}

TEST_F(Language, ASecondOffendingLineInOneBatchIsIgnored) {
    for (const char* line : {"fuck", "fuck fuck", "slur"})
        say(4, "Bob", line);
    EXPECT_EQ(filter().LanguageWarns(4), 1);
    EXPECT_EQ(queued().size(), 1u);
    EXPECT_TRUE(filter().LanguageHandled(4));
    batch();
    EXPECT_FALSE(filter().LanguageHandled(4));
}

TEST_F(Language, ACommandNamingAnOnlinePlayerIsSparedInAnyCaseEvenForKickWords) {
    online(7, "Dickens", "guidD");
    online(8, "Slurpy", "guidS");
    say(4, "Bob", "!kick dickens tk");
    batch();
    say(4, "Bob", "!kick SLURPY");
    say(4, "Bob", "fuck"); // the spared line had the batch's turn
    EXPECT_TRUE(queued().empty());
    EXPECT_EQ(filter().LanguageWarns(4), 0);
    batch();
    say(4, "Bob", "kick dickens tk"); // the same text, but not a command
    EXPECT_EQ(filter().LanguageWarns(4), 1);
    online(8, "", "");
    batch();
    say(4, "Bob", "!kick slurpy"); // nobody of that name online any more
    EXPECT_EQ(logged().back(), "Kicking Bob for language: slurpy, Badword: slur");
}

TEST_F(Language, LoweringTheLimitBelowACountMakesTheNextOffenceAKick) {
    filter().warnsEdited("3");
    for (int i = 0; i < 2; ++i) {
        batch();
        say(4, "Bob", "fuck");
    }
    filter().warnsEdited("1");
    batch();
    say(4, "Bob", "fuck");
    EXPECT_EQ(logged().back(), "Kicking Bob for language: fuck, Badword: fuck");
    filter().warnsEdited("many"); // not a number: limit 0, the first offence kicks
    batch();
    say(4, "Bob", "fuck");
    EXPECT_EQ(logged().back(), "Kicking Bob for language: fuck, Badword: fuck");
}

TEST_F(Language, SlotsUpToFiftyCountAndAFilterOffOrAnUnusableSlotSendsNothing) {
    for (int slot : {0, 3, 45, 50}) {
        online(slot, "P", "g" + std::to_string(slot));
        say(slot, "P", "fuck");
        EXPECT_EQ(filter().LanguageWarns(slot), 1) << slot;
    }
    clear();
    mod.LanguageFilterEnabled = 0;
    batch();
    say(4, "Bob", "fuck");
    mod.LanguageFilterEnabled = 1;
    for (const char* slot : {"51", "-1", "x", ""})
        filter().BadWordFilter("Bob", "g", "fuck", slot, false);
    EXPECT_TRUE(queued().empty());
    EXPECT_TRUE(logged().empty());
    EXPECT_EQ(filter().LanguageWarns(4), 0);
}

TEST_F(Language, EditsAreSavedThreeSecondsAfterTheLastOneOrWhenTheBoxIsLeft) {
    filter().editorEdited("fuck\r\ncrap");
    fake.loop.advance(2000);
    filter().warnsEdited("4");
    fake.loop.advance(2999);
    EXPECT_EQ(dir.read("Data/LF.txt"), "2\r\nfuck\r\nk|slur\r\ndick\r\n");
    fake.loop.advance(1);
    EXPECT_EQ(dir.read("Data/LF.txt"), "4\r\nfuck\r\ncrap\r\n");
    ASSERT_EQ(filter().BadWords().size(), 2u);
    EXPECT_EQ(filter().BadWords()[1].word, "crap");

    filter().warnsEdited("1");
    filter().warnsLeft();
    EXPECT_EQ(dir.read("Data/LF.txt"), "1\r\nfuck\r\ncrap\r\n");
    EXPECT_FALSE(filter().savePending());
}

TEST_F(Language, TheTabShowsTheFileAndASaveNeverEmptiesAListNotYetShown) {
    // Loaded at start-up: leaving the box before the tab was ever shown keeps the words.
    filter().warnsLeft();
    EXPECT_EQ(dir.read("Data/LF.txt"), "2\r\nfuck\r\nk|slur\r\ndick\r\n");

    dir.write("Data/LF.txt", "5\nfoo\n\nbar\n");
    filter().showTab();
    EXPECT_EQ(std::tuple(filter().warnsText(), filter().editorText(), filter().limit()),
              std::tuple("5", "foo\r\n\r\nbar", 5));

    filter().editorEdited("baz");
    filter().showTab();      // an edit still waiting is saved first
    EXPECT_EQ(filter().editorText(), "baz");
}

TEST_F(Language, MissingFileMatchesNothingAndTooManyWordsAreReported) {
    std::filesystem::remove(dir.file("Data/LF.txt"));
    filter().LoadBadWords();
    say(4, "Bob", "fuck");
    EXPECT_TRUE(queued().empty());
    EXPECT_TRUE(logged().empty());

    std::string file = "2\r\n";
    for (int i = 0; i < 510; ++i)
        file += "w" + std::to_string(i) + "\r\n";
    wordFile(file);
    EXPECT_EQ(filter().BadWords().size(), kMaxBadWords);
    EXPECT_EQ(filter().BadWords().back().word, "w499");
    EXPECT_EQ(logged(), (Lines{"LF.txt lists more than 500 words: the last 10 are not used"}));
}

TEST(SlotWarnings, TheCountStopsAtTheLargestItCanHold) {
    SlotWarnings warnings;
    for (int i = 0; i < 40000; ++i)
        warnings.record(SlotTable::kSlots - 1);
    EXPECT_EQ(warnings.count(SlotTable::kSlots - 1), 32767);
}
