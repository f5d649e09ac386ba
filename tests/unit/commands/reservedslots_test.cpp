// Reserved slots: the victim rule, nobody to kick, and the operator's request
// beside the players' ones.

#include "commandsrig.h"

#include <algorithm>

namespace corvane::testing {
namespace {

struct Reserved : CommandsRig {
    void SetUp() override {
        seat({{2, "Ada", 50}, {3, "Abe", 0}}, {{"g2", "Admin"}, {"g3", "Moderator"}});
    }
    void request(int slot = 2) {
        say({slot, slot == 2 ? "Ada" : "Abe", "g" + std::to_string(slot), "!reserved"});
    }
    // The poll the request asked for goes out; the server answers it.
    void answerPoll(const std::vector<Seated>& players) {
        fake.loop.advance(ReservedSlots::kDelayMs);
        ASSERT_TRUE(app->linkState().StatusPending) << "no status poll was asked for";
        seat(players);
    }
    Lines afterReserveTimer() {
        fake.loop.advance(ReservedSlots::kDelayMs);
        return queued();
    }
    const std::vector<Seated> kDefaultPlayers{{0, "Hal", 1},  {2, "Ada", 50}, {3, "Abe", 0},
                                              {4, "Dan", 10}, {6, "Eve", 3},  {9, "Fay", 3},
                                              {12, "Gus", 20}};
};

TEST_F(Reserved, TheLowestScoreInTheHighestSlotIsKicked) {
    request();
    EXPECT_EQ(app->commands().reserved.ReservedCount(), 1);
    answerPoll(kDefaultPlayers);
    EXPECT_TRUE(queued().empty()); // chosen a moment after the parse
    EXPECT_EQ(afterReserveTimer(), (Lines{";9;g9;clientkick 9 Reserved Slot\"",
                                          "say ^2Kicking Player for a reserved slot"}));
    EXPECT_EQ(activity, Lines{"Admin opened a reserved slot and kicked Fay [Slot 9]"});
    EXPECT_EQ(app->commands().reserved.ReservedCount(), 0);
    EXPECT_EQ(sendAll().front(), "clientkick 9 \" - ^1Reason: ^2Reserved^2 Slot\"");
}

TEST_F(Reserved, WithoutDefaultGroupPlayersEachAskerIsTold) {
    request();
    request(3);
    request(3);
    answerPoll({{2, "Ada", 50}, {3, "Abe", 0}});
    // Somebody else's command in between does not take the answer.
    say({2, "Ada", "g2", "!me"});
    app->queue().clear();
    EXPECT_EQ(afterReserveTimer(), (Lines{";2;g2;tell 2 ^1PM: Sorry no slots are available",
                                          ";3;g3;tell 3 ^1PM: Sorry no slots are available"}));
    EXPECT_TRUE(activity.empty());
}

TEST_F(Reserved, TheOperatorsRequestIsLoggedAndJoinsThePlayersRequests) {
    fake.loop.advance(600); // past the last poll's send lock
    app->commands().reserved.requestByOperator();
    EXPECT_TRUE(app->linkState().StatusPending); // polled at once
    seat(kDefaultPlayers);
    EXPECT_EQ(afterReserveTimer().front(), ";9;g9;clientkick 9 Reserved Slot\"");
    EXPECT_EQ(activity, Lines{"Opening a reserved slot - kicking Fay [Slot 9] "});

    activity.clear();
    app->queue().clear();
    request();
    app->commands().reserved.requestByOperator();
    EXPECT_EQ(app->commands().reserved.ReservedCount(), 2);
    EXPECT_TRUE(app->commands().reserved.ReservedByOperator());
    answerPoll(kDefaultPlayers);
    afterReserveTimer();
    EXPECT_EQ(activity, (Lines{"Admin opened a reserved slot and kicked Fay [Slot 9]",
                               "Opening a reserved slot - kicking Eve [Slot 6] "}));

    activity.clear();
    app->commands().reserved.requestByOperator();
    answerPoll({{2, "Ada", 50}});
    afterReserveTimer();
    EXPECT_EQ(activity.back(), "Sorry no slots are available");

    app->commands().reserved.requestByOperator();
    answerPoll({{2, "Ada", 50}, {5, "Max", 9999999}}); // the highest score that is compared
    afterReserveTimer();
    EXPECT_EQ(activity.back(), "Opening a reserved slot - kicking Max [Slot 5] ");
}

TEST_F(Reserved, NoMoreRequestsWaitThanThereAreSlotsToOpen) {
    for (int i = 0; i < SlotTable::kSlots; ++i)
        app->commands().reserved.requestByOperator();
    EXPECT_EQ(app->commands().reserved.ReservedCount(), SlotTable::kSlots - 1);
    EXPECT_EQ(activity, Lines{"Sorry no slots are available"});
}

} // namespace
} // namespace corvane::testing
