#pragma once
// The language filter's word list as Data/LF.txt holds it, and how a listed
// word is found in a chat text. Pure functions over text: no files, no queue.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
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

struct BadWordMatch {
    std::size_t index; // into the word list
    std::string token; // the chat word that holds it, as typed
};

// Looks for the listed words, in list order, in the text, ignoring case. Where
// a word is found the text is cut to begin there (the cut stays for the words
// after it); the piece up to the next blank, the token, matches when it
// begins with the word (the word read as a pattern: "*" any characters, "?"
// one character, "#" one digit, "[...]" one character of a list).
std::optional<BadWordMatch> findBadWord(const std::vector<BadWord>& words, std::string_view text);

// Pattern matching: "*" any run of characters, "?" any one character, "#" one
// digit, "[abc]" / "[a-z]" one character of the list, "[!abc]" one not in it.
// An unclosed "[" matches nothing.
bool matchesPattern(std::string_view text, std::string_view pattern);

} // namespace corvane
