#pragma once
// The vote to skip the next map: with "Map Skipping" on, the next map is a
// random pick from the map table, and enough "!skip" votes replace it with
// another random pick.

#include "rcon/rconqueue.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class ActivityLog;
class MapRotation;
class MapsServerView;
class RandomSource;

// A random map index: never 0 ("Random"), never lastPick, never the map being played.
int pickMapIndex(RandomSource& random, std::string_view currentMap, int lastPick);
// A third of the players, rounded, and at least one.
int votesNeededFor(int players);

enum class SkipOutcome { Counted, VotingDisabled, AlreadyVoted, TooManyVoters };

class SkipVote {
public:
    // One vote for every slot the server can have.
    static constexpr std::size_t kMaxVoters = 51;

    SkipVote(MapRotation& rotation, RconQueue& queue, ActivityLog& log,
             const MapsServerView& server, RandomSource& random);

    int VoteCount() const { return m_voteCount; }
    int VotesNeeded() const { return m_votesNeeded; }
    int LastRandomIndex() const { return m_lastRandomIndex; }
    bool PickPending() const { return m_pickPending; }

    // Start-up: the first evaluation picks at once.
    void reset();
    // The next evaluation picks without waiting for votes; with force it runs
    // even while voting is off.
    void requestPick(bool force);

    // !skip from the issuer: counted once per player, refused with a word
    // while skipping is off or when he has voted already.
    SkipOutcome skip(const CommandIssuer& issuer);
    // One vote from the chat line's speaker (he has not voted yet); false
    // when it could not be recorded.
    bool addvote(const std::string& guid, std::int16_t slot, const std::string& name);
    bool CheckVoteGUID(const std::string& guid) const;
    bool AddVoteGuid(const std::string& guid);
    void clearVotes();

    // After every batch of log lines and when a forced map is played.
    void DoVotingSystem();

private:
    void randomPick(const std::string& currentMap);

    MapRotation& m_rotation;
    RconQueue& m_queue;
    ActivityLog& m_log;
    const MapsServerView& m_server;
    RandomSource& m_random;

    int m_voteCount = 0;
    int m_votesNeeded = 1;
    std::vector<std::string> m_voterGuids;
    int m_lastRandomIndex = 0;
    bool m_pickPending = true;
    bool m_forcePick = false;
};

} // namespace corvane
