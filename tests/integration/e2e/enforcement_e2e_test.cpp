// The automatic enforcement against the simulated server: what players say
// ends in warnings and a kick that reach the server.

#include "livesim.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace corvane;
using namespace corvane::testing;

namespace {

std::size_t indexOf(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<std::size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

} // namespace

TEST(EnforcementE2E, APlayerWhoSwearsIsWarnedAndPastTheLimitKicked) {
    LiveSimulator sim;
    LiveApp live{sim, sim.password};
    live.app().settings().mod.LanguageFilterEnabled = 1;
    // Bob joins once the feed is primed, so that his join line is handled.
    ASSERT_TRUE(live.waitUntilPrimed());
    sim.command("join slot=3 guid=0110000100000b0b Bob");
    ASSERT_TRUE(waitUntil([&] { return live.app().slotTable()[3].SlotName == "Bob"; }, 10000));
    EXPECT_EQ(live.app().enforcement().language.limit(), 2);
    const std::pair<const char*, const char*> steps[] = {
        {"chat Bob what the fuck", "Please watch your language! [Warning ^11 ^2of 2]"},
        {"chat Bob fuckity fuck", "Please watch your language! [Warning ^12 ^2of 2]"},
        {"chat Bob fuck off", "clientkick 3"}};
    for (const auto& [control, expected] : steps) {
        sim.command(control);
        ASSERT_TRUE(waitUntil([&] { return sim.received(expected) == 1; }, 15000))
            << control << "\n"
            << live.serverLog();
    }

    const auto lines = sim.commandsRun();
    const std::size_t kick =
        indexOf(lines, "clientkick 3 \" - ^1Reason: ^2Watch^2 your^2 language!\"");
    ASSERT_LT(kick, lines.size());
    EXPECT_LT(indexOf(lines, "say ^1Warning ^2Bob, ^1Reason: ^2Please watch your language! "
                             "[Warning ^12 ^2of 2]"),
              kick);
    EXPECT_TRUE(waitUntil(
        [&] { return sim.command("status").find("\"name\":\"Bob\"") == std::string::npos; }, 5000));
    EXPECT_TRUE(live.logHas("Kicking Bob for language: fuck, Badword: fuck"));
}
