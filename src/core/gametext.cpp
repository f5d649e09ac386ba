#include "core/gametext.h"

#include "core/ascii.h"

namespace corvane {

std::string neutralize(std::string_view playerText) {
    std::string out(playerText);
    for (char& c : out) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == ';')
            c = ':';
        else if (c == '"')
            c = '\'';
        else if (byte < 0x20 || byte == 0x7F)
            c = ' ';
    }
    return out;
}

std::vector<std::string> splitAt(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t next =
            separator.empty() ? std::string_view::npos : text.find(separator, start);
        pieces.emplace_back(text.substr(
            start, next == std::string_view::npos ? std::string_view::npos : next - start));
        if (next == std::string_view::npos) return pieces;
        start = next + separator.size();
    }
}

std::string replaceAll(std::string text, std::string_view from, std::string_view to) {
    if (from.empty()) return text;
    std::size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
    return text;
}

std::string removeColorCodes(std::string text, char lastDigit) {
    for (char digit = '0'; digit <= lastDigit; ++digit) {
        const char code[3] = {'^', digit, '\0'};
        text = replaceAll(std::move(text), code, "");
    }
    return text;
}

std::string trimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string RemoveCTag(std::string_view name) {
    const std::string trimmed = trimBlanks(name);
    if (trimmed.empty() || trimmed.front() != '[') return trimmed;
    const std::size_t lastBracket = trimmed.substr(0, 6).rfind(']');
    if (lastBracket == std::string::npos) return trimmed; // never 0: that is the "["
    return trimmed.substr(lastBracket + 1);
}

std::string toUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = asciiUpper(c);
    return out;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiUpper(a[i]) != asciiUpper(b[i])) return false;
    return true;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::size_t findIgnoringCase(std::string_view haystack, std::string_view needle,
                             std::size_t start) {
    if (needle.empty()) return start <= haystack.size() ? start : std::string_view::npos;
    for (std::size_t i = start; i + needle.size() <= haystack.size(); ++i)
        if (equalsIgnoringCase(haystack.substr(i, needle.size()), needle)) return i;
    return std::string_view::npos;
}

} // namespace corvane
