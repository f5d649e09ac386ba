#include "maps/maps.h"

namespace corvane {

Maps::Maps(Ports ports, Settings& settings, RconQueue& queue, ActivityLog& log, ConsoleLog& console,
           const AppPaths& paths, const MapsServerView& server,
           std::unique_ptr<RandomSource> random)
    : m_random(std::move(random)), rotation(ports, settings, queue, log, console, server),
      voting(rotation, queue, log, server, *m_random),
      messages(ports, settings, queue, log, paths, server),
      editor(ports.loop, paths, log, settings, messages) {}

void Maps::resetVoting() {
    rotation.reset();
    voting.reset();
}

void Maps::setVotingEnabled(bool on) {
    if (on && !rotation.VotingEnabled()) voting.requestPick(false);
    rotation.setVotingEnabled(on);
}

void Maps::CheckDupeMap() {
    if (!rotation.forceDue()) return;
    if (rotation.VotingEnabled()) {
        voting.requestPick(true);
        voting.DoVotingSystem();
    } else {
        rotation.SetDefaultRotation();
    }
}

void Maps::stopTimers() {
    messages.stopRotationTimer();
    rotation.cancelDelayedReset();
    editor.stopTimers();
}

} // namespace corvane
