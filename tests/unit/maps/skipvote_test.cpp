#include "maps/maptable.h"
#include "mapsrig.h"

#include <set>

using namespace corvane;
using namespace corvane::testing;

namespace {

struct Voting : MapsRig {
    Voting() {
        server.map = "mp_array";
        maps->setVotingEnabled(true);
    }
    SkipVote& voting() { return maps->voting; }
    // The evaluation at start-up picks at once; what it queued is forgotten.
    void firstPick(double value = 5.0 / 14) {
        random->script.push_back(value);
        voting().DoVotingSystem();
        queue.clear();
    }
    static CommandIssuer player(int slot) {
        return {static_cast<std::int16_t>(slot), "G" + std::to_string(slot),
                "P" + std::to_string(slot)};
    }
};

} // namespace

TEST(VotesNeeded, AThirdOfThePlayersRoundedAndAtLeastOne) {
    const std::pair<int, int> cases[] = {{0, 1}, {1, 1}, {2, 1},  {4, 1},  {5, 2},
                                         {7, 2}, {8, 3}, {18, 6}, {50, 17}};
    for (const auto& [players, needed] : cases)
        EXPECT_EQ(votesNeededFor(players), needed) << players << " players";
}

TEST(RandomPick, NeverRandomNeverThePreviousPickNeverTheMapBeingPlayed) {
    ClockSeededRandom random(2024);
    std::set<int> seen;
    int last = 0;
    for (int i = 0; i < 10000; ++i) {
        const std::string current(kMapTable[static_cast<std::size_t>(1 + i % 14)].mp);
        const int r = pickMapIndex(random, current, last);
        ASSERT_GT(r, 0);
        ASSERT_LT(r, kMapCount);
        ASSERT_NE(r, last);
        ASSERT_NE(kMapTable[static_cast<std::size_t>(r)].mp, current);
        seen.insert(r);
        last = r;
    }
    EXPECT_EQ(seen.size(), 14u);
}

TEST(RandomPick, RoundsHalfToEvenAndSurvivesASourceStuckOnExcludedValues) {
    ScriptedRandom random;
    random.script = {0.5 / 14, 1.5 / 14};
    EXPECT_EQ(pickMapIndex(random, "", 0), 2); // 0.5 rounds to 0 (drawn again), 1.5 to 2
    random.script.assign(2000, 0.0);
    random.next_ = 0;
    EXPECT_EQ(pickMapIndex(random, "mp_array", 0), 2);
}

TEST_F(Voting, FivePlayersNeedTwoVotesFromDifferentPlayers) {
    server.players = 5;
    firstPick();
    EXPECT_EQ(voting().skip(player(3)), SkipOutcome::Counted);
    EXPECT_TRUE(logged("Player: P3 voted to skip the map"));
    EXPECT_EQ(queued().back(), ";3;G3;tell 3 ^1PM: ^2You voted to skip the next map!");
    EXPECT_EQ(voting().skip(player(3)), SkipOutcome::AlreadyVoted);
    EXPECT_EQ(queued().back(), ";3;G3;tell 3 ^1PM: ^2You have already voted to skip the next map!");
    voting().DoVotingSystem();
    EXPECT_EQ(voting().VoteCount(), 1);
    EXPECT_EQ(voting().VotesNeeded(), 2);
    EXPECT_EQ(maps->rotation.NextMap(), "mp_duga");

    voting().skip(player(4));
    voting().DoVotingSystem();
    EXPECT_NE(maps->rotation.NextMap(), "mp_duga");
    EXPECT_EQ(queued().end()[-2], "say ^1Map will be skipped!"); // between two nextmap lines
    EXPECT_EQ(voting().VoteCount(), 0);
    EXPECT_FALSE(voting().CheckVoteGUID("G3"));
}

TEST_F(Voting, SkipWhileDisabledIsRefusedAndCountsNothing) {
    maps->setVotingEnabled(false);
    EXPECT_EQ(voting().skip(player(6)), SkipOutcome::VotingDisabled);
    EXPECT_EQ(queued(), (Lines{";6;G6;tell 6 ^1PM: ^2Map skipping is disabled!"}));
    EXPECT_EQ(voting().VoteCount(), 0);
    voting().DoVotingSystem();
    EXPECT_EQ(maps->rotation.NextMap(), "Random");
}

TEST_F(Voting, TheFirstPickMayBeTheTablesFirstMapAndSwitchedOffAndOnAgainPicksANewOne) {
    server.map = "mp_nuked";
    firstPick(1.0 / 14);
    EXPECT_EQ(maps->rotation.NextMap(), kMapTable[1].mp);
    maps->setVotingEnabled(false);
    maps->setVotingEnabled(true);
    random->script.push_back(9.0 / 14);
    voting().DoVotingSystem();
    EXPECT_EQ(maps->rotation.NextMap(), "mp_cosmodrome");
    EXPECT_NE(queued().back(), "say ^1Map will be skipped!");
}

TEST_F(Voting, NoPickBeforeTheServerReportedItsMapAndEveryVoterIsRecordedOnce) {
    server.map.clear(); // no evaluation clears the votes meanwhile
    server.players = 1;
    for (int voter = 1; voter <= 51; ++voter) {
        EXPECT_EQ(voting().skip(player(voter)), SkipOutcome::Counted);
        voting().DoVotingSystem();
    }
    EXPECT_EQ(maps->rotation.NextMap(), "Random");
    for (int voter = 1; voter <= 51; ++voter)
        EXPECT_EQ(voting().skip(player(voter)), SkipOutcome::AlreadyVoted);
    EXPECT_EQ(voting().VoteCount(), 51);
    EXPECT_EQ(voting().skip(player(52)), SkipOutcome::TooManyVoters);
    EXPECT_NE(queued().back().find("Your vote could not be counted"), std::string::npos);
    EXPECT_EQ(voting().VoteCount(), 51);
    EXPECT_EQ(redLines.size(), 1u);
}
