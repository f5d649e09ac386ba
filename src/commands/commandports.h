#pragma once
// What the in-game commands ask of the parts beside them. The map rotation,
// the skip vote and the rules belong to the maps subsystem; the shutdown and
// the server's uptime to the program around them. The App connects both.

#include "rcon/rconqueue.h"

#include <cstdint>
#include <string>

namespace corvane {

struct MapCommands {
    virtual ~MapCommands() = default;
    // !nextmap: the next map is announced to everybody.
    virtual void DisplayNextMap() = 0;
    // !map <name>: the issuer forces the next map (he is told when the name
    // is not a map).
    virtual void Amap(const CommandIssuer& issuer, const std::string& name) = 0;
    // !defaultmap: the delayed reset to the server's own rotation.
    virtual void startDefaultRotation() = 0;
    // !skip: the voter's vote, counted once until the next pick.
    virtual void skip(const CommandIssuer& voter) = 0;
    // !rules: said to everybody, or privately to the issuer.
    virtual void SendRules(const CommandIssuer& issuer) = 0;
};

struct CommandHost {
    virtual ~CommandHost() = default;
    // Minutes since the server process started, from the log's time stamps;
    // 0 while unknown.
    virtual std::int32_t serverUptimeMinutes() const = 0;
    // !kill: the orderly shutdown of the whole program.
    virtual void ENDALL() = 0;
};

} // namespace corvane
