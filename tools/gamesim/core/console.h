#pragma once
// The server's console: runs one command line received over the remote
// console and returns the text the server prints in answer.

#include "gamesim/core/game.h"

#include <string>
#include <string_view>
#include <vector>

namespace gamesim {

// Splits a console line the way the game does: words separated by blanks, a
// double quote starts a word that runs to the next double quote (or the end
// of the line) and may be empty.
std::vector<std::string> tokenizeConsoleLine(std::string_view line);

std::string runConsoleLine(GameServer& game, std::string_view line);

} // namespace gamesim
