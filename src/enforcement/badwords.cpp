#include "enforcement/badwords.h"

#include "core/ascii.h"
#include "core/fieldreader.h"
#include "core/gametext.h"
#include "core/numbers.h"
#include "core/textfile.h"

namespace corvane {
namespace {

constexpr std::string_view kKickMark = "k|";

unsigned char byteOf(char c) {
    return static_cast<unsigned char>(c);
}

// "[...]" at the start of pattern: whether c is in the list; the length of the
// element through its "]", or 0 when the list is not closed.
bool inCharList(std::string_view pattern, char c, std::size_t& length) {
    const std::size_t close = pattern.find(']', 1);
    if (close == std::string_view::npos) {
        length = 0;
        return false;
    }
    length = close + 1;
    std::string_view list = pattern.substr(1, close - 1);
    const bool negated = !list.empty() && list.front() == '!';
    if (negated) list.remove_prefix(1);
    if (list.empty()) return false;
    bool found = false;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i + 2 < list.size() && list[i + 1] == '-') {
            found |= byteOf(list[i]) <= byteOf(c) && byteOf(c) <= byteOf(list[i + 2]);
            i += 2;
        } else {
            found |= list[i] == c;
        }
    }
    return found != negated;
}

// Whether the single-character element at the start of pattern matches c;
// length is how much of the pattern it takes (0: a broken element).
bool matchesOne(std::string_view pattern, char c, std::size_t& length) {
    length = 1;
    switch (pattern.front()) {
    case '?':
        return true;
    case '#':
        return isAsciiDigit(c);
    case '[':
        return inCharList(pattern, c, length);
    default:
        return pattern.front() == c;
    }
}

std::optional<BadWord> entryOf(std::string item) {
    BadWord entry;
    if (item.starts_with(kKickMark)) {
        entry.kickAtOnce = true;
        item.erase(0, kKickMark.size());
    }
    // An empty word would be found in every text, one with a blank never
    // matches: neither belongs in the list.
    if (item.empty() || item.find(' ') != std::string::npos) return std::nullopt;
    entry.upper = toUpper(item);
    entry.word = std::move(item);
    return entry;
}

} // namespace

bool matchesPattern(std::string_view text, std::string_view pattern) {
    std::size_t t = 0;
    std::size_t p = 0;
    std::size_t starP = std::string_view::npos; // just after the last "*"
    std::size_t starT = 0;                      // where that "*" began to match
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = ++p;
            starT = t;
            continue;
        }
        std::size_t length = 1;
        if (p < pattern.size() && matchesOne(pattern.substr(p), text[t], length)) {
            p += length;
            ++t;
            continue;
        }
        if (length == 0 || starP == std::string_view::npos) return false;
        p = starP;
        t = ++starT;
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

BadWordList parseBadWords(std::string_view fileText) {
    BadWordList list;
    const std::vector<std::string> lines = splitLines(fileText);
    if (!lines.empty()) list.warnsText = lines.front();

    FieldReader items{std::string(fileText)};
    if (!items.atEnd()) items.readLine(); // the limit, never a word, whatever else it holds
    while (!items.atEnd()) {
        auto entry = entryOf(items.readText());
        if (!entry) continue;
        if (list.words.size() < kMaxBadWords)
            list.words.push_back(std::move(*entry));
        else
            ++list.dropped;
    }
    return list;
}

std::string wordListEditorText(std::string_view fileText) {
    const std::vector<std::string> lines = splitLines(fileText);
    std::string text;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (i > 1) text += "\r\n";
        text += lines[i];
    }
    return text;
}

std::int16_t warningLimit(std::string_view warnsText) {
    return toInt16(warnsText).value_or(std::int16_t{0});
}

BadWordSet::BadWordSet(std::vector<BadWord> words) : m_words(std::move(words)) {
    for (std::size_t i = 0; i < m_words.size(); ++i) {
        const std::string& upper = m_words[i].upper;
        if (upper.size() == 1) {
            m_oneLetter[byteOf(upper[0])] = true;
            continue;
        }
        const std::uint16_t pair = pairAt(upper, 0);
        m_pairUsed.set(pair);
        m_byPair[pair].push_back(i);
    }
}

std::uint16_t BadWordSet::pairAt(std::string_view text, std::size_t i) {
    return static_cast<std::uint16_t>(byteOf(text[i]) << 8 | byteOf(text[i + 1]));
}

bool BadWordSet::occursIn(std::string_view upperText) const {
    for (std::size_t i = 0; i < upperText.size(); ++i) {
        if (m_oneLetter[byteOf(upperText[i])]) return true;
        if (i + 1 == upperText.size()) break;
        const std::uint16_t pair = pairAt(upperText, i);
        if (!m_pairUsed.test(pair)) continue;
        for (const std::size_t w : m_byPair.at(pair))
            if (upperText.substr(i).starts_with(m_words[w].upper)) return true;
    }
    return false;
}

std::optional<BadWordMatch> findBadWord(const BadWordSet& set, std::string_view text) {
    const std::string upper = toUpper(text);
    if (!set.occursIn(upper)) return std::nullopt;
    const std::vector<BadWord>& words = set.words();
    std::size_t cut = 0;
    std::string pattern;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const BadWord& entry = words[i];
        const std::size_t p = upper.find(entry.upper, cut);
        if (p == std::string::npos) continue;
        cut = p;
        const std::size_t blank = upper.find(' ', cut);
        const std::size_t tokenLength =
            blank == std::string::npos ? std::string::npos : blank - cut;
        const std::string_view token = std::string_view(upper).substr(cut, tokenLength);
        pattern = entry.upper + "*";
        if (token == entry.upper || matchesPattern(token, pattern))
            return BadWordMatch{i, std::string(text.substr(cut, tokenLength))};
    }
    return std::nullopt;
}

} // namespace corvane
