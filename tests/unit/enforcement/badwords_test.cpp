#include "enforcement/badwords.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

BadWordSet words(std::initializer_list<const char*> list) {
    std::string file = "2\r\n";
    for (const char* w : list)
        file += std::string(w) + "\r\n";
    return BadWordSet(parseBadWords(file).words);
}

} // namespace

TEST(BadWords, PatternsFollowTheListedRules) {
    struct Case {
        const char* text;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"ABC", "ABC", true},      {"ABCD", "ABC*", true},   {"AB", "ABC*", false},
        {"AXC", "A?C", true},      {"AC", "A?C", false},     {"A7C", "A#C", true},
        {"AXC", "A#C", false},     {"BAD", "B[AE]D", true},  {"BID", "B[AE]D", false},
        {"B]D", "B[AE]D", false},  {"BQD", "B[A-Z]D", true}, {"BID", "B[!AE]D", true},
        {"BAD", "B[!AE]D", false}, {"B!D", "B[!AE]D", true}, {"BAD", "B[AE", false},
        {"XXAYYB", "*A*B", true},  {"XXAYY", "*A*B", false}, {"", "*", true},
        {"A", "", false},          {"BAD", "B[]D", false},   {"BAD", "B[!]D", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(matchesPattern(c.text, c.pattern), c.matches) << c.text << " ~ " << c.pattern;
}

TEST(BadWords, FileLineOneIsTheLimitAndBlankOrUnusableEntriesAreLeftOut) {
    const BadWordList list =
        parseBadWords("fuck,3\r\nshit\r\n\r\n \r\nk|\r\nbad word\r\n\"k|crap\"\r\nbum,arse\r\n");
    EXPECT_EQ(list.warnsText, "fuck,3");
    EXPECT_EQ(warningLimit(list.warnsText), 0);
    std::vector<std::string> listed;
    for (const auto& entry : list.words)
        listed.push_back(entry.word);
    ASSERT_EQ(listed, (std::vector<std::string>{"shit", "crap", "bum", "arse"}));
    EXPECT_TRUE(list.words[1].kickAtOnce && !list.words[0].kickAtOnce);
    EXPECT_EQ(list.words[1].upper, "CRAP");
    EXPECT_EQ(warningLimit(" 3 "), 3);
    EXPECT_EQ(warningLimit(""), 0);
}

TEST(BadWords, WordMatchesAtTheStartMiddleOrEndOfLongerWordsInAnyCase) {
    // The token runs from where the word was found to the next blank.
    const auto list = words({"fuck"});
    struct Case {
        const char* text;
        const char* token;
    } cases[] = {
        {"FUCKwit there", "FUCKwit"}, {"you abcFuCkdef", "FuCkdef"}, {"so motherfuck", "fuck"}};
    for (const Case& c : cases) {
        const auto match = findBadWord(list, c.text);
        ASSERT_TRUE(match) << c.text;
        EXPECT_EQ(match->token, c.token);
    }
    EXPECT_FALSE(findBadWord(list, "fu ck"));
    EXPECT_EQ(findBadWord(words({"zz", "q"}), "iraq war")->token, "q");
}

TEST(BadWords, TheCutTextStaysForTheWordsAfterItButEntriesWithABlankNeverCut) {
    // "b#d" is found as written, but "b#dy" is neither the word nor a pattern
    // match ("#" wants a digit); the text stays cut there, so "xx" before it is
    // missed while "xx" after it is found.
    const auto list = words({"b#d", "xx"});
    EXPECT_FALSE(findBadWord(list, "xx b#dy yy"));
    const auto match = findBadWord(list, "b#dy yy xx");
    ASSERT_TRUE(match);
    EXPECT_EQ(match->index, 1u);
    EXPECT_EQ(match->token, "xx");
    EXPECT_EQ(findBadWord(list, "a b#d")->token, "b#d");

    // Entries with a blank or no word neither match nor cut: as listed they would
    // cut the text at "bad word", hiding "xx"; "k|" alone would be found in every text.
    const auto spoilt = words({"bad word", "k|", "xx"});
    ASSERT_EQ(spoilt.words().size(), 1u);
    EXPECT_EQ(findBadWord(spoilt, "xx bad word yy")->token, "xx");
    EXPECT_FALSE(findBadWord(spoilt, " hello"));
}
