#include "maps/maptable.h"
#include "mapsrig.h"

#include "core/gametext.h"
#include "core/net.h"

using namespace corvane;
using namespace corvane::testing;

namespace {

struct Rotation : MapsRig {
    MapRotation& rotation() { return maps->rotation; }
    CommandIssuer speaker{3, "G3", "Bob"};
};

} // namespace

TEST(MapTable, DisplayNamesAndTheForcedListOfThirteenOtherMapsInDescendingOrder) {
    EXPECT_EQ(EnglishMap("mp_russianbase"), "WMD");
    EXPECT_EQ(EnglishMap("MP_NUKED"), "MP_NUKED"); // exact case only; unknown names stay
    EXPECT_EQ(exclusionLine(forcedExclusionList(10)), kForceNukeTown);
    for (int index = 1; index < kMapCount; ++index) {
        const std::string list = forcedExclusionList(index);
        Lines names = splitAt(list, " ");
        ASSERT_EQ(names.size(), 13u) << list;
        const std::string forced(kMapTable[static_cast<std::size_t>(index)].mp);
        int previous = kMapCount;
        for (const std::string& name : names) {
            EXPECT_NE(name, forced);
            EXPECT_NE(name, "Random");
            int at = 0;
            while (kMapTable[static_cast<std::size_t>(at)].mp != name)
                ++at;
            EXPECT_LT(at, previous) << list;
            previous = at;
        }
    }
}

TEST_F(Rotation, MapCommandAcceptsTheSpellingsPlayersTypeAndNothingElse) {
    const struct {
        const char* typed;
        const char* nextMap;
        const char* loggedName;
    } cases[] = {
        {"nuketown", "mp_nuked", "Nuke Town"},
        {"Nuke Town", "mp_nuked", "Nuke Town"},
        {"NUKE TOWN", "mp_nuked", "Nuke Town"},
        {"  firingrange ", "mp_firingrange", "Firing Range"},
        {"random", "Random", "Random"},
        {"Random", "Random", "Random"},
        {"grid", "mp_duga", "Grid"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        rotation().Amap(c.typed, speaker);
        EXPECT_EQ(rotation().NextMap(), c.nextMap);
        EXPECT_EQ(activity.front(), std::string("3 set the nextmap to ") + c.loggedName);
        activity.clear();
        queue.clear();
    }
    // An unknown or empty map changes nothing.
    rotation().Amap("Atlantis", speaker);
    rotation().Amap("   ", speaker);
    EXPECT_EQ(queued(), (Lines{";3;G3;tell 3 ^1PM: Invalid map"}));
    EXPECT_EQ(rotation().NextMap(), "mp_duga");
    EXPECT_TRUE(activity.empty());
}

TEST_F(Rotation, ResetGoesBeforeQueuedLinesOrOutAtOnceWhenTheQueueIsEmpty) {
    rotation().SetNextMap(5);
    queue.pushBack("say waiting");
    activity.clear();
    rotation().SetDefaultRotation();
    EXPECT_EQ(queued().front(), "playlist_excludeMap \"mp_nuked\"");
    EXPECT_EQ(queued().size(), 3u) << "the older forced exclusion is dropped";
    EXPECT_EQ(rotation().NextMap(), "Random");
    EXPECT_TRUE(activity.empty());
    EXPECT_TRUE(resetSocket().sent.empty());

    queue.clear();
    rotation().SetDefaultRotation();
    EXPECT_EQ(sentDirectly(), (Lines{"playlist_excludeMap \"mp_nuked\""}));
    EXPECT_TRUE(queue.empty());
    EXPECT_EQ(activity, (Lines{"The map was reset to the default rotation"}));
    EXPECT_NE(dir.read("Logs/Console.txt").find("]playlist_excludeMap \"mp_nuked\""),
              std::string::npos);
    rotation().SetNextMap(5);
    maps->resetVoting(); // a reload forgets the force
    EXPECT_EQ(rotation().NextMap(), "Random");
}

TEST_F(Rotation, OneWaitingResetIsEnoughAndAForceQueuesItsExclusionLogsAndAnnounces) {
    queue.pushBack("say a");
    rotation().SetDefaultRotation();
    queue.pushBack("say b");
    rotation().SetDefaultRotation();
    EXPECT_EQ(queued(), (Lines{"playlist_excludeMap \"mp_nuked\"", "say a", "say b"}));
    rotation().SetNextMap(10);
    EXPECT_EQ(queued(),
              (Lines{"say a", "say b", kForceNukeTown, "say ^2The nextmap will be: Nuke Town"}));
    EXPECT_TRUE(logged("The nextmap was set to mp_nuked (Nuke Town)"));
}

// How a failure reads is the link's own; the link's tests show both kinds.
TEST_F(Rotation, FailedDirectResetIsReportedAndQueued) {
    rotation().SetNextMap(4);
    queue.clear();
    resetSocket().failNextSend = NetError{NetError::Kind::Other, "Network is unreachable"};
    rotation().SetDefaultRotation();
    EXPECT_EQ(redLines, (Lines{"Network is unreachable"}));
    EXPECT_EQ(queued(), (Lines{"playlist_excludeMap \"mp_nuked\""}));
    EXPECT_EQ(rotation().NextMap(), "Random");
    EXPECT_FALSE(logged("The map was reset to the default rotation"));
}

TEST_F(Rotation, ForcedMapIsReleasedOnceItIsPlayed) {
    server.map = "mp_array";
    rotation().SetNextMap(10);
    EXPECT_FALSE(rotation().forceDue());
    server.map = "mp_nuked";
    EXPECT_TRUE(rotation().forceDue());
    queue.clear();
    maps->CheckDupeMap();
    EXPECT_EQ(sentDirectly(), (Lines{"playlist_excludeMap \"mp_nuked\""}));
    EXPECT_EQ(rotation().NextMap(), "Random");
    maps->CheckDupeMap();
    EXPECT_EQ(resetSocket().sent.size(), 1u);
}

TEST_F(Rotation, ForcingTheMapBeingPlayedLastsUntilTheNextMatch) {
    server.map = "mp_nuked";
    queue.pushBack("say waiting");
    rotation().SetNextMap(10);
    // Still waiting in the queue: the match that starts now was not chosen by it.
    rotation().matchStarted();
    queue.clear();
    for (int second = 0; second < 5; ++second)
        maps->CheckDupeMap();
    EXPECT_EQ(rotation().NextMap(), "mp_nuked");
    EXPECT_TRUE(resetSocket().sent.empty());

    rotation().matchStarted();
    server.map = "mp_array"; // whatever the server loaded, the force is over
    maps->CheckDupeMap();
    EXPECT_EQ(rotation().NextMap(), "Random");
    EXPECT_EQ(resetSocket().sent.size(), 1u);
}

TEST_F(Rotation, ForcedMapWithVotingOnGetsANewRandomPick) {
    maps->setVotingEnabled(true);
    server.map = "mp_array";
    rotation().SetNextMap(10);
    server.map = "mp_nuked";
    random->script = {10.0 / 14, 3.0 / 14};
    maps->CheckDupeMap();
    EXPECT_EQ(rotation().NextMap(), "mp_crisis");
    EXPECT_TRUE(resetSocket().sent.empty());
}

TEST_F(Rotation, DelayedResetWaits1100MillisecondsAndNoneComesWhileTheWizardIsOpen) {
    rotation().SetNextMap(2);
    queue.clear();
    rotation().startDelayedReset();
    fake.loop.advance(1099);
    EXPECT_EQ(rotation().NextMap(), "mp_cracked");
    fake.loop.advance(1);
    EXPECT_EQ(rotation().NextMap(), "Random");
    EXPECT_EQ(resetSocket().sent.size(), 1u);

    rotation().setWizardVisible(true); // no reset while the set-up wizard is open
    rotation().SetDefaultRotation();
    EXPECT_EQ(resetSocket().sent.size(), 1u);
    EXPECT_TRUE(queue.empty());
}

TEST_F(Rotation, AnEmptyDefaultListIsStoredAndSentAsOneDoubleQuote) {
    rotation().SetNextMap(3);
    queue.clear();
    activity.clear();
    rotation().saveDefaultList("");
    EXPECT_EQ(queued(), (Lines{"playlist_excludeMap \"\"\""}));
    EXPECT_EQ(settings.config.ExcludedMap, "\"");
    EXPECT_EQ(rotation().NextMap(), "Random");
    EXPECT_EQ(activity, (Lines{"Default Excluded Map changed!"}));
    ASSERT_EQ(fake.prompts.asked.size(), 1u);
    EXPECT_EQ(fake.prompts.asked[0].text, "Default Excluded Map changed!");
    EXPECT_EQ(fake.prompts.asked[0].icon, MessageIcon::Information);
    EXPECT_EQ(splitAt(dir.read("Data/Config.txt"), "\r\n")[7], "\"\"\"");
}
