#pragma once
// Helpers for text that comes from the game: names, chat, replies.

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Makes player-controlled text safe to put into a console line: a ";" would
// end the command and start another, a double quote would close a quoted
// argument, and control characters have no place on a console line. ";"
// becomes ":", a double quote becomes "'", a control character a blank.
std::string neutralize(std::string_view playerText);

// Removes the colour escapes "^0" up to "^<lastDigit>", code by code: every
// "^0" first, then every "^1", and so on.
std::string removeColorCodes(std::string text, char lastDigit = '7');

// The name without a leading clan tag: "[AB]Name" -> "Name", "[AB] Name" ->
// " Name"; the tag's "]" must be among characters 1 to 6, otherwise the name
// stays (trimmed) as it is.
std::string RemoveCTag(std::string_view name);

// The pieces between the separators, empty ones included (an empty text is
// one empty piece).
std::vector<std::string> splitAt(std::string_view text, std::string_view separator);

// Every occurrence of from replaced by to (exact case).
std::string replaceAll(std::string text, std::string_view from, std::string_view to);
std::string trimBlanks(std::string_view text);
std::string toUpper(std::string_view text);
// Case is ignored for the ASCII letters only (core/ascii.h), whatever the locale.
bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);
// Position of needle in haystack ignoring case, searching from start; npos if none.
std::size_t findIgnoringCase(std::string_view haystack, std::string_view needle,
                             std::size_t start = 0);

} // namespace corvane
