#pragma once
// Scenario files: one timed control command per line,
//   <time> <command>
// where time is seconds ("12", "1.5", "250ms") from the simulator's start, or,
// with a leading "+", from the previous event. Blank lines and lines starting
// with "#" are skipped.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gamesim {

struct ScenarioEvent {
    std::int64_t atMs = 0;
    std::string command;
    int line = 0;
};

struct Scenario {
    std::vector<ScenarioEvent> events; // in time order (file order among equal times)
    std::string error;                 // "line N: ..." when the file is not valid
};

Scenario parseScenario(std::string_view text);

} // namespace gamesim
