#include "maps/skipvote.h"

#include "core/activitylog.h"
#include "maps/maptable.h"
#include "maps/randomsource.h"
#include "maps/rotation.h"
#include "maps/serverview.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

int roundHalfToEven(double x) {
    const double floor = std::floor(x);
    const double fraction = x - floor;
    int r = static_cast<int>(floor);
    if (fraction > 0.5 || (fraction == 0.5 && r % 2 != 0)) ++r;
    return r;
}

} // namespace

int pickMapIndex(RandomSource& random, std::string_view currentMap, int lastPick) {
    const auto allowed = [&](int r) {
        return r > 0 && r < kMapCount && r != lastPick &&
               kMapTable[static_cast<std::size_t>(r)].mp != currentMap;
    };
    // Index 14 comes up half as often as the others: 14 * [0, 1) rounded.
    for (int draw = 0; draw < 1000; ++draw) {
        const double u = std::clamp(random.next(), 0.0, std::nextafter(1.0, 0.0));
        const int r = roundHalfToEven(u * (kMapCount - 1));
        if (allowed(r)) return r;
    }
    // A source that keeps giving excluded values must not hang the program.
    for (int r = 1; r < kMapCount; ++r)
        if (allowed(r)) return r;
    return 1;
}

int votesNeededFor(int players) {
    // players / 3 is never exactly half-way, so rounding is (players + 1) / 3;
    // a count below one (none reported yet) still needs one vote.
    return std::max(1, (players + 1) / 3);
}

SkipVote::SkipVote(MapRotation& rotation, RconQueue& queue, ActivityLog& log,
                   const MapsServerView& server, RandomSource& random)
    : m_rotation(rotation), m_queue(queue), m_log(log), m_server(server), m_random(random) {}

void SkipVote::reset() {
    clearVotes();
    m_voteCount = 0;
    m_pickPending = true;
    m_forcePick = false;
}

void SkipVote::requestPick(bool force) {
    m_pickPending = true;
    m_forcePick = m_forcePick || force;
}

SkipOutcome SkipVote::skip(const CommandIssuer& issuer) {
    const auto tell = [&](const std::string& text) { m_queue.SendPM(issuer, text); };
    if (!m_rotation.VotingEnabled()) {
        tell("^2Map skipping is disabled!");
        return SkipOutcome::VotingDisabled;
    }
    if (CheckVoteGUID(issuer.CurrentGUID)) {
        tell("^2You have already voted to skip the next map!");
        return SkipOutcome::AlreadyVoted;
    }
    if (!addvote(issuer.CurrentGUID, issuer.CurrentSlot, issuer.CurrentName)) {
        tell("^2Your vote could not be counted, please try again after the next map change!");
        return SkipOutcome::TooManyVoters;
    }
    return SkipOutcome::Counted;
}

bool SkipVote::addvote(const std::string& guid, std::int16_t slot, const std::string& name) {
    if (!AddVoteGuid(guid)) {
        m_log.SMS("Player: " + name + " could not vote to skip the map: " +
                      std::to_string(kMaxVoters) + " players have voted already",
                  kRed);
        return false;
    }
    ++m_voteCount;
    m_log.SMS("Player: " + name + " voted to skip the map");
    m_queue.SendPM({slot, guid, name}, "^2You voted to skip the next map!");
    return true;
}

bool SkipVote::CheckVoteGUID(const std::string& guid) const {
    return std::find(m_voterGuids.begin(), m_voterGuids.end(), guid) != m_voterGuids.end();
}

bool SkipVote::AddVoteGuid(const std::string& guid) {
    if (m_voterGuids.size() >= kMaxVoters) return false;
    m_voterGuids.push_back(guid);
    return true;
}

void SkipVote::clearVotes() {
    m_voterGuids.clear();
}

void SkipVote::DoVotingSystem() {
    const std::string currentMap = m_server.currentMap();
    if (currentMap.empty()) return;
    if (!m_rotation.VotingEnabled() && !m_forcePick) return;
    m_forcePick = false;
    m_votesNeeded = votesNeededFor(m_server.playersOnline());
    if (m_pickPending) {
        m_pickPending = false;
        randomPick(currentMap);
        return;
    }
    if (m_voteCount < m_votesNeeded) return;
    randomPick(currentMap);
    m_queue.pushBack("say ^1Map will be skipped!");
    m_queue.pushBack("say ^2The nextmap will be: " + EnglishMap(m_rotation.NextMap()) +
                     ", to skip type !skip");
}

void SkipVote::randomPick(const std::string& currentMap) {
    clearVotes();
    m_voteCount = 0;
    m_lastRandomIndex = pickMapIndex(m_random, currentMap, m_lastRandomIndex);
    m_rotation.SetNextMap(m_lastRandomIndex);
}

} // namespace corvane
