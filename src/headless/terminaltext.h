#pragma once
// Game text on a terminal. Names and chat come from players: a control
// character (an escape sequence above all) must never reach the terminal, so
// each becomes "?"; the rest is turned from Windows-1252 into UTF-8.

#include "core/richtext.h"

#include <string>
#include <string_view>

namespace corvane {

std::string terminalText(std::string_view gameText);

// The text in the colour (and weight) the views give it, as terminal escapes;
// black is the terminal's own colour. Without colour the text comes back as it is.
std::string paint(std::string_view text, Colour colour, bool bold, bool colourOn);

} // namespace corvane
