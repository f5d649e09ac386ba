#pragma once
// The command queue as the window lists it, front first.

#include "rcon/rconqueue.h"

#include <string>
#include <vector>

namespace corvane::testing {

inline std::vector<std::string> queuedLines(const RconQueue& queue) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < queue.size(); ++i)
        lines.push_back(queue.at(i).displayText());
    return lines;
}

} // namespace corvane::testing
