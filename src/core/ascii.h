#pragma once
// ASCII character classes and case. Every place that tests for a digit, a
// letter or a hex digit, or changes a letter's case, uses these: the answers
// never depend on the user's locale (unlike <cctype>), and bytes above 127 are
// never letters or digits.

namespace corvane {

constexpr bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr bool isAsciiUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

constexpr bool isAsciiLower(char c) {
    return c >= 'a' && c <= 'z';
}

constexpr bool isAsciiLetter(char c) {
    return isAsciiUpper(c) || isAsciiLower(c);
}

constexpr char asciiUpper(char c) {
    return isAsciiLower(c) ? static_cast<char>(c - 'a' + 'A') : c;
}

// The value of a hex digit of either case; -1 for any other character.
constexpr int hexDigitValue(char c) {
    if (isAsciiDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace corvane
