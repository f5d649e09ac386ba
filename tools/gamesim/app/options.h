#pragma once
// Command-line options of the simulator.

#include "gamesim/core/simulator.h"

#include <optional>
#include <string>
#include <vector>

namespace gamesim::app {

struct Options {
    SimulatorOptions sim;
    std::string bind = "127.0.0.1";
    int rconPort = 0; // 0: a free port
    int httpPort = 0;
    int controlPort = 0;
    std::string journalPath;
    std::string logFilePath;
    std::string scenarioPath;
    int livelyIntervalMs = 1500;
    bool seedGiven = false;
    bool help = false;
};

// Nothing, with `error` set, when the arguments are not valid.
std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error);
const char* usageText();

} // namespace gamesim::app
