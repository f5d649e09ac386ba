#pragma once
// The lively mode: bots that join, talk (now and then a "!" command, a rude
// word or a question), fight with all sorts of weapons and leave, and matches
// that end and start, so an operator window has something to show. Each tick
// yields control commands; the same seed gives the same game.

#include "gamesim/core/game.h"
#include "gamesim/core/random.h"

#include <string>
#include <vector>

namespace gamesim {

class LivelyDirector {
public:
    // Ticks per match (about six minutes at the default pace).
    static constexpr int kMatchTicks = 240;

    std::vector<std::string> tick(const GameServer& game, Random& random);

private:
    std::vector<std::string> fight(const GameServer& game, Random& random) const;
    std::string joinSomeone(const GameServer& game, Random& random) const;

    int m_ticks = 0;
};

} // namespace gamesim
