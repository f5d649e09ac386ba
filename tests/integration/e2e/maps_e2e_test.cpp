// Map control against the simulated server. The "!map" chat command belongs
// to the command dispatcher; this test calls the operation it calls, with the
// issuer it would pass. Skip voting is the maps unit tests' own.

#include "livesim.h"
#include "maps/maptable.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

// The next map in the simulator's own status.
std::string nextMapOnServer(LiveSimulator& sim) {
    const std::string answer = sim.command("status").substr(3);
    const QJsonObject status = QJsonDocument::fromJson(QByteArray::fromStdString(answer)).object();
    return status.value("next_map").toString().toStdString();
}

const std::string kDefaultReset = "playlist_excludeMap \"mp_nuked\"";

} // namespace

TEST(MapsE2E, MapCommandForcesTheNextMapUntilTheServerPlaysIt) {
    LiveSimulator sim;
    LiveApp live(sim, sim.password);
    ASSERT_TRUE(live.waitUntilPrimed());
    ASSERT_TRUE(waitUntil([&] { return !live.app().linkState().CurrentMap.empty(); }, 10000));
    EXPECT_EQ(sim.received(kDefaultReset), 1) << "the start-up reset";

    live.app().maps().rotation.Amap("nuketown", CommandIssuer{1, "0110000100000001", "Bob"});
    const std::string forced = exclusionLine(forcedExclusionList(10));
    ASSERT_TRUE(waitUntil([&] { return sim.received(forced) == 1; }, 10000));
    EXPECT_EQ(nextMapOnServer(sim), "mp_nuked");

    EXPECT_EQ(sim.command("rotate"), "ok mp_nuked");
    ASSERT_TRUE(waitUntil([&] { return sim.received(kDefaultReset) == 2; }, 15000))
        << live.serverLog();
    EXPECT_EQ(live.app().maps().rotation.NextMap(), "Random");
    EXPECT_NE(nextMapOnServer(sim), "mp_nuked");
}
