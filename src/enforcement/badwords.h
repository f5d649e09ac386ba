#pragma once
// The language filter's word list as Data/LF.txt holds it, and how a listed
// word is found in a chat text. Pure functions over text: no files, no queue.

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane {

struct BadWord {
    std::string word;  // as listed, without the "k|" mark
    std::string upper; // the word in capitals, as it is searched for
    bool kickAtOnce = false;
};

inline constexpr std::size_t kMaxBadWords = 500;

struct BadWordList {
    // Line 1 of the file, the warning limit as the "Warns:" box shows it.
    std::string warnsText;
    std::vector<BadWord> words;
    // Listed words beyond kMaxBadWords, which the filter does not use.
    std::size_t dropped = 0;
};

// Data/LF.txt: line 1 the limit; after it one word per item (an item ends at
// a comma or a line end, quotes around it are removed), "k|" in front of a
// word for a kick without warnings. Empty items, and entries whose word is
// empty or holds a blank (they could never match), are left out, so a stray
// blank line does not end the list.
BadWordList parseBadWords(std::string_view fileText);

// The lines of the file after line 1, joined with CR LF: the editor's text.
std::string wordListEditorText(std::string_view fileText);

// The limit a "Warns:" text gives: its whole number, else 0.
std::int16_t warningLimit(std::string_view warnsText);

// The words with an index by their first two letters, so that a chat text
// holding none of them (nearly every line) is passed over in one scan.
class BadWordSet {
public:
    BadWordSet() = default;
    explicit BadWordSet(std::vector<BadWord> words);

    const std::vector<BadWord>& words() const { return m_words; }
    // Whether any of the words occurs anywhere in the text (in capitals).
    bool occursIn(std::string_view upperText) const;

private:
    static std::uint16_t pairAt(std::string_view text, std::size_t i);

    std::vector<BadWord> m_words;
    std::array<bool, 256> m_oneLetter{};
    std::bitset<65536> m_pairUsed;
    std::unordered_map<std::uint16_t, std::vector<std::size_t>> m_byPair;
};

struct BadWordMatch {
    std::size_t index; // into the word list
    std::string token; // the chat word that holds it, as typed
};

// Looks for the listed words, in list order, in the text, ignoring case. Where
// a word is found the text is cut to begin there (the cut stays for the words
// after it); the piece up to the next blank, the token, matches when it
// begins with the word (the word read as a pattern: "*" any characters, "?"
// one character, "#" one digit, "[...]" one character of a list).
std::optional<BadWordMatch> findBadWord(const BadWordSet& words, std::string_view text);

// Pattern matching: "*" any run of characters, "?" any one character, "#" one
// digit, "[abc]" / "[a-z]" one character of the list, "[!abc]" one not in it.
// An unclosed "[" matches nothing.
bool matchesPattern(std::string_view text, std::string_view pattern);

} // namespace corvane
