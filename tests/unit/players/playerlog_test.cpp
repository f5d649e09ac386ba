// The player log: rows on demand, the filter, the total, sorting, selection.

#include "players/sqlitedb.h"
#include "playersfixture.h"

namespace corvane::testing {
namespace {

class PlayerLogTest : public PlayersFixture {
protected:
    void SetUp() override {
        start();
        seat(3, "Charlie", "g-c");
        seat(4, "alice", "g-a");
        seat(5, "Bob", "g-b");
        leave(4);
        p->store.setGroup(3, "Admin");
        p->store.setGroup(2, "Retired");
        p->playerLog.refresh();
    }
    std::vector<std::string> names() {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < p->playerLog.rowCount(); ++i)
            out.push_back(p->playerLog.row(i).record.UserName);
        return out;
    }
    std::vector<std::int32_t> ids() {
        std::vector<std::int32_t> out;
        for (std::size_t i = 0; i < p->playerLog.rowCount(); ++i)
            out.push_back(p->playerLog.row(i).record.ID);
        return out;
    }
};

TEST_F(PlayerLogTest, RowsShowEveryColumnTheGroupByNameAndTheOnlineMark) {
    ASSERT_EQ(p->playerLog.rowCount(), 3u);
    EXPECT_EQ(p->playerLog.totalText(), "Total Players: 3");
    // "D" shows as the default group's name.
    EXPECT_EQ(describe(p->playerLog.row(0).record),
              "1|Charlie|Player|g-c|2026-12-05|2026-12-05|Alpha");
    EXPECT_TRUE(p->playerLog.row(0).online);
    EXPECT_EQ(p->playerLog.row(1).record.Group, "Unknown [Retired]");
    EXPECT_FALSE(p->playerLog.row(1).online);
    EXPECT_EQ(p->playerLog.row(2).record.Group, "Admin");
    EXPECT_EQ(p->playerLog.row(3).record.ID, 0); // past the end: an empty row
}

TEST_F(PlayerLogTest, TheFilterShowsOnlyPlayersInSlotsOneToMaxClients) {
    EXPECT_EQ(p->playerLog.filterCaption(), "Online Only");
    p->playerLog.toggleFilter();
    EXPECT_EQ(p->playerLog.filterCaption(), "Show All");
    EXPECT_EQ(names(), (std::vector<std::string>{"Charlie", "Bob"}));
    EXPECT_EQ(p->playerLog.totalText(), "Total Players: 2");

    seat(0, "Host", "g-host"); // slot 0 is not an online player of the log
    seat(18, "Edge", "g-edge");
    seat(19, "Beyond", "g-beyond");
    p->playerLog.refresh();
    EXPECT_EQ(names(), (std::vector<std::string>{"Charlie", "Bob", "Edge"}));

    p->playerLog.toggleFilter();
    EXPECT_EQ(p->playerLog.rowCount(), 6u);
}

TEST_F(PlayerLogTest, HeaderClicksSortAsTextAlternatingFromDescending) {
    p->playerLog.sortByColumn(PlayerColumn::UserName);
    EXPECT_EQ(names(), (std::vector<std::string>{"Charlie", "Bob", "alice"}));
    p->playerLog.sortByColumn(PlayerColumn::UserName);
    EXPECT_EQ(names(), (std::vector<std::string>{"alice", "Bob", "Charlie"}));
    p->playerLog.sortByColumn(PlayerColumn::Group); // descending again: by the names shown
    EXPECT_EQ(names(), (std::vector<std::string>{"alice", "Charlie", "Bob"}));

    // The order is kept for later refills, new players included.
    seat(6, "Dave", "g-d");
    p->playerLog.refresh();
    EXPECT_EQ(names(), (std::vector<std::string>{"alice", "Dave", "Charlie",
                                                 "Bob"})); // ties by ID, same way
}

TEST_F(PlayerLogTest, IdsSortAsText) {
    for (int i = 6; i <= 15; ++i)
        seat(i, "P" + std::to_string(i), "g" + std::to_string(i));
    p->playerLog.sortByColumn(PlayerColumn::ID);
    p->playerLog.sortByColumn(PlayerColumn::ID);
    EXPECT_EQ(ids(), (std::vector<std::int32_t>{1, 10, 11, 12, 13, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(PlayerLogTest, SortedPagesFollowTheSortAcrossPageEnds) {
    for (int i = 0; i < 140; ++i)
        p->store.insert(PlayerRecord{
            0, "n" + std::to_string(i * 37 % 140), i % 3 ? "D" : "Admin", "x" + std::to_string(i),
            kToday, "2026-12-0" + std::to_string(i % 7 + 1), i % 2 ? "Alpha" : "beta"});
    for (PlayerColumn column :
         {PlayerColumn::ID, PlayerColumn::UserName, PlayerColumn::Group, PlayerColumn::Guid,
          PlayerColumn::FirstSeen, PlayerColumn::LastSeen, PlayerColumn::Server}) {
        for (int click = 0; click < 2; ++click) {
            p->playerLog.sortByColumn(column);
            EXPECT_EQ(ids(), p->store.ids(p->playerLog.order()))
                << static_cast<int>(column) << " " << click;
        }
    }
}

TEST_F(PlayerLogTest, SortingByAnyColumnButGroupUsesAnIndex) {
    SqliteDb db;
    db.open(dir.file("Data/playerdb.mdb"));
    for (const char* key :
         {"CAST(ID AS TEXT)", "UserName", "guid", "FirstSeen", "lastseen", "server"}) {
        auto plan = db.prepare(std::string("EXPLAIN QUERY PLAN SELECT * FROM playerdb ORDER BY ") +
                               key + " COLLATE NOCASE DESC, ID DESC LIMIT 64 OFFSET 5000");
        std::string steps;
        while (plan->step())
            steps += plan->text(3) + "; ";
        EXPECT_NE(steps.find("USING INDEX"), std::string::npos) << key << ": " << steps;
        EXPECT_EQ(steps.find("TEMP B-TREE"), std::string::npos) << key << ": " << steps;
    }
}

TEST_F(PlayerLogTest, TheSelectionIsKeptByPositionAndDeleteMovesItOn) {
    p->playerLog.select(1);
    p->playerLog.refresh();
    EXPECT_EQ(p->playerLog.selectedRow(), 1u);

    p->playerLog.deleteSelected();
    EXPECT_EQ(names(), (std::vector<std::string>{"Charlie", "Bob"}));
    EXPECT_EQ(p->playerLog.selectedRow(), 1u);
    EXPECT_EQ(p->playerLog.totalText(), "Total Players: 2");
    EXPECT_EQ(statusPolls, 1);
    p->playerLog.deleteSelected();
    EXPECT_EQ(p->playerLog.selectedRow(), std::nullopt); // nothing below the last row
    p->playerLog.deleteSelected();
    EXPECT_EQ(p->store.count(), 1);
    EXPECT_EQ(statusPolls, 2);
    p->playerLog.select(7);
    EXPECT_EQ(p->playerLog.selectedRow(), std::nullopt);
}

TEST_F(PlayerLogTest, ManyRowsAreReadAPageAtATime) {
    for (int i = 0; i < 150; ++i)
        p->store.insert(PlayerRecord{0, "N" + std::to_string(i), "D", "x" + std::to_string(i),
                                     kToday, kToday, "Alpha"});
    p->playerLog.refresh();
    ASSERT_EQ(p->playerLog.rowCount(), 153u);
    EXPECT_EQ(p->playerLog.row(152).record.UserName, "N149");
    EXPECT_EQ(p->playerLog.row(64).record.UserName, "N61");
    EXPECT_EQ(p->playerLog.row(0).record.UserName, "Charlie");

    // Walking the rows page after page, across gaps left by deleted records,
    // gives the table order.
    for (std::int32_t id : {10, 60, 67, 68, 130})
        p->store.remove(id);
    p->playerLog.refresh();
    EXPECT_EQ(ids(), p->store.ids(PlayerStore::Order{}));
    EXPECT_EQ(ids().size(), 148u);

    // A row changed after its page was read shows the change on the next refill.
    p->store.updateSeen(1, "Chuck", kToday, "Alpha");
    EXPECT_EQ(p->playerLog.row(0).record.UserName, "Charlie");
    p->playerLog.refresh();
    EXPECT_EQ(p->playerLog.row(0).record.UserName, "Chuck");
}

TEST_F(PlayerLogTest, AGroupChangeOfTheLoggedPlayerRefillsTheLog) {
    EXPECT_TRUE(p->editor.setLoggedPlayerGroup(1, 1));
    EXPECT_EQ(p->store.record(2)->Group, "Admin");
    EXPECT_EQ(p->playerLog.row(1).record.Group, "Admin");
    EXPECT_FALSE(p->editor.setLoggedPlayerGroup(9, 1));
}

TEST_F(PlayerLogTest, AClosedDatabaseReportsTheViewError) {
    p->store.close();
    p->playerLog.refresh();
    EXPECT_EQ(p->playerLog.rowCount(), 0u);
    EXPECT_EQ(redLines, std::vector<std::string>{"Error loading database view!"});
}

} // namespace
} // namespace corvane::testing
