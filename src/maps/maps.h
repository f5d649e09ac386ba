#pragma once
// The maps and messages subsystem in one piece, for the App to own and wire:
// the rotation control, the skip vote, the timed messages, rules and welcome,
// and the message editor. The in-game commands reach it through the public
// operations of its parts (Amap, DisplayNextMap, startDelayedReset, skip,
// SendRules), each with its issuer passed explicitly.

#include "core/ports.h"
#include "maps/messageeditor.h"
#include "maps/messages.h"
#include "maps/randomsource.h"
#include "maps/rotation.h"
#include "maps/skipvote.h"

#include <memory>

namespace corvane {

class ActivityLog;
class AppPaths;
class ConsoleLog;
class MapsServerView;
class RconQueue;
class Settings;

class Maps {
public:
    Maps(Ports ports, Settings& settings, RconQueue& queue, ActivityLog& log, ConsoleLog& console,
         const AppPaths& paths, const MapsServerView& server,
         std::unique_ptr<RandomSource> random = std::make_unique<ClockSeededRandom>());
    Maps(const Maps&) = delete;
    Maps& operator=(const Maps&) = delete;

private:
    // Declared before the parts: the vote keeps a reference to it.
    std::unique_ptr<RandomSource> m_random;

public:
    MapRotation rotation;
    SkipVote voting;
    Messages messages;
    MessageEditor editor;

    // Start-up: no forced map, voting off, the first evaluation picks.
    void resetVoting();
    // "Map Skipping" changed; switching it on picks a new map at the next evaluation.
    void setVotingEnabled(bool on);
    // Once a second, after the status bar: a forced map that is being played
    // is released (a new random pick with voting on, the default list otherwise).
    void CheckDupeMap();
    // End of every batch of log lines.
    void DoVotingSystem() { voting.DoVotingSystem(); }
    void matchStarted() { rotation.matchStarted(); }

    void stopTimers();
    void closeSockets() { rotation.closeSocket(); }
};

} // namespace corvane
