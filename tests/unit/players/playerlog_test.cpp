// The player log: rows on demand, the filter, the total, sorting, selection.

#include "players/sqlitedb.h"
#include "playersfixture.h"

namespace corvane::testing {
namespace {

struct PlayerLogTest : PlayersFixture {
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
    template <class T> std::vector<T> column(T PlayerRecord::*field) {
        std::vector<T> out;
        for (std::size_t i = 0; i < p->playerLog.rowCount(); ++i)
            out.push_back(p->playerLog.row(i).record.*field);
        return out;
    }
    Lines names() { return column(&PlayerRecord::UserName); }
    std::vector<std::int32_t> ids() { return column(&PlayerRecord::ID); }
    // The IDs a page read on from this record starts with.
    std::vector<std::int32_t> pageAfter(const PlayerStore::Order& order, std::int32_t id) {
        std::vector<std::int32_t> out;
        for (const PlayerRecord& r : p->store.recordsAfter(order, id, 2))
            out.push_back(r.ID);
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

    EXPECT_TRUE(p->editor.setLoggedPlayerGroup(1, 1)); // a group change refills the log
    EXPECT_EQ(p->store.record(2)->Group, "Admin");
    EXPECT_EQ(p->playerLog.row(1).record.Group, "Admin");
    EXPECT_FALSE(p->editor.setLoggedPlayerGroup(9, 1));
    slots.ClearPlayers(); // before a status reply is read
    p->playerLog.refresh();
    EXPECT_FALSE(p->playerLog.row(0).online);
}

TEST_F(PlayerLogTest, TheFilterShowsOnlyPlayersInSlotsOneToMaxClients) {
    EXPECT_EQ(p->playerLog.filterCaption(), "Online Only");
    p->playerLog.toggleFilter();
    EXPECT_EQ(p->playerLog.filterCaption(), "Show All");
    EXPECT_EQ(names(), (Lines{"Charlie", "Bob"}));
    EXPECT_EQ(p->playerLog.totalText(), "Total Players: 2");

    seat(0, "Host", "g-host"); // slot 0 is not an online player of the log
    seat(18, "Edge", "g-edge");
    seat(19, "Beyond", "g-beyond");
    p->playerLog.refresh();
    EXPECT_EQ(names(), (Lines{"Charlie", "Bob", "Edge"}));
    settings.config.MaxClients = 64; // a setting above the 50 slots the server has
    p->playerLog.refresh();
    EXPECT_EQ(p->playerLog.rowCount(), 4u);

    p->playerLog.toggleFilter();
    seat(2, "Dana", "g-d"); // a newer record in a lower slot
    p->playerLog.refresh();
    std::string marks;
    for (std::size_t i = 0; i < p->playerLog.rowCount(); ++i)
        marks += p->playerLog.row(i).record.UserName + (p->playerLog.row(i).online ? "+ " : " ");
    EXPECT_EQ(marks, "Charlie+ alice Bob+ Host Edge+ Beyond+ Dana+ ");
}

TEST_F(PlayerLogTest, HeaderClicksSortAsTextAlternatingFromDescendingIdsToo) {
    p->playerLog.sortByColumn(PlayerColumn::UserName);
    EXPECT_EQ(names(), (Lines{"Charlie", "Bob", "alice"}));
    p->playerLog.sortByColumn(PlayerColumn::UserName);
    EXPECT_EQ(names(), (Lines{"alice", "Bob", "Charlie"}));
    p->playerLog.sortByColumn(PlayerColumn::Group); // descending again: by the names shown
    EXPECT_EQ(names(), (Lines{"alice", "Charlie", "Bob"}));

    // The order is kept for later refills, new players included.
    seat(6, "Dave", "g-d");
    p->playerLog.refresh();
    EXPECT_EQ(names(), (Lines{"alice", "Dave", "Charlie", "Bob"})); // ties by ID, same way

    for (int i = 7; i <= 15; ++i) // IDs sort as text too
        seat(i, "P" + std::to_string(i), "g" + std::to_string(i));
    p->playerLog.sortByColumn(PlayerColumn::ID); // the fourth click: ascending
    EXPECT_EQ(ids(), (std::vector<std::int32_t>{1, 10, 11, 12, 13, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(PlayerLogTest, SortedPagesFollowTheSortAcrossPageEndsAndEveryRecordIsFoundAgain) {
    for (int i = 0; i < 140; ++i)
        p->store.insert(PlayerRecord{
            0, "n" + std::to_string(i * 37 % 140), i % 3 ? "D" : "Admin", "x" + std::to_string(i),
            kToday, "2026-12-0" + std::to_string(i % 7 + 1), i % 2 ? "Alpha" : "beta"});
    {
        // Files written by other programs may hold NULL fields.
        SqliteDb db;
        db.open(dir.file("Data/playerdb.mdb"));
        db.exec("INSERT INTO playerdb (UserName, guid) VALUES (NULL, 'n1'), ('N5', NULL), "
                "(NULL, 'n2')");
    }
    for (PlayerColumn column :
         {PlayerColumn::ID, PlayerColumn::UserName, PlayerColumn::Group, PlayerColumn::Guid,
          PlayerColumn::FirstSeen, PlayerColumn::LastSeen, PlayerColumn::Server}) {
        for (int click = 0; click < 2; ++click) {
            SCOPED_TRACE(std::to_string(static_cast<int>(column)) + " " + std::to_string(click));
            p->playerLog.sortByColumn(column);
            const std::vector<std::int32_t> wanted = p->store.ids(p->playerLog.order());
            ASSERT_EQ(ids(), wanted);
            // Read from the far end first, the pages are counted from there.
            p->playerLog.refresh();
            for (std::size_t i = p->playerLog.rowCount(); i-- > 0;)
                ASSERT_EQ(p->playerLog.row(i).record.ID, wanted[i]) << "row " << i;
            for (std::size_t i = 0; i < wanted.size(); ++i) {
                ASSERT_EQ(p->store.position(p->playerLog.order(), wanted[i]),
                          static_cast<std::int64_t>(i));
                if (!PlayerStore::hasSortIndex(column)) continue;
                const auto after = wanted.begin() + static_cast<std::ptrdiff_t>(i) + 1;
                ASSERT_EQ(pageAfter(p->playerLog.order(), wanted[i]),
                          std::vector<std::int32_t>(
                              after, after + std::min<std::ptrdiff_t>(2, wanted.end() - after)))
                    << "after row " << i;
            }
        }
    }
    EXPECT_EQ(p->store.position(PlayerStore::Order{}, 1000), std::nullopt);
    EXPECT_EQ(p->store.position(PlayerStore::Order{}, 3), 2);
    // A page read on from a record in table order, either way.
    EXPECT_EQ(pageAfter({false, PlayerColumn::ID, false}, 10), (std::vector<std::int32_t>{11, 12}));
    EXPECT_EQ(pageAfter({false, PlayerColumn::ID, true}, 10), (std::vector<std::int32_t>{9, 8}));
}

TEST_F(PlayerLogTest, SortingByAnyColumnButGroupUsesAnIndex) {
    SqliteDb db;
    db.open(dir.file("Data/playerdb.mdb"));
    // By position, and page after page from the last row of the one before.
    for (const std::string key :
         {"CAST(ID AS TEXT)", "UserName", "guid", "FirstSeen", "lastseen", "server"}) {
        for (const std::string& query :
             {"ORDER BY " + key + " COLLATE NOCASE DESC, ID DESC LIMIT 64 OFFSET 5000",
              "WHERE " + key + " = ?1 COLLATE NOCASE AND ID < ?2 ORDER BY ID DESC LIMIT 64",
              "WHERE " + key + " COLLATE NOCASE < ?1 ORDER BY " + key +
                  " COLLATE NOCASE DESC, ID DESC LIMIT 64"}) {
            auto plan = db.prepare("EXPLAIN QUERY PLAN SELECT * FROM playerdb " + query);
            std::string steps;
            while (plan->step())
                steps += plan->text(3) + "; ";
            EXPECT_NE(steps.find("USING INDEX"), std::string::npos) << query << ": " << steps;
            EXPECT_EQ(steps.find("TEMP B-TREE"), std::string::npos) << query << ": " << steps;
        }
    }
}

TEST_F(PlayerLogTest, TheSelectionFollowsItsRecordAcrossRefillsAndDeleteMovesItOn) {
    p->playerLog.select(1); // alice, offline
    p->playerLog.refresh();
    EXPECT_EQ(p->playerLog.selectedRow(), 1u);
    p->playerLog.sortByColumn(PlayerColumn::UserName); // Charlie, Bob, alice
    EXPECT_EQ(p->playerLog.selectedRow(), 2u);
    EXPECT_EQ(p->playerLog.selectedId(), 2);
    p->playerLog.sortByColumn(PlayerColumn::UserName);
    p->playerLog.select(2);                         // Charlie
    p->playerLog.sortByColumn(PlayerColumn::Group); // by the names shown, from a list of IDs
    EXPECT_EQ(p->playerLog.selectedRow(), 1u);
    p->playerLog.toggleFilter();
    EXPECT_EQ(p->playerLog.selectedRow(), 0u); // Charlie, Bob
    p->playerLog.select(1);
    p->playerLog.toggleFilter();
    p->playerLog.sortByColumn(PlayerColumn::ID); // ascending: 1, 2, 3
    EXPECT_EQ(p->playerLog.selectedId(), 3);
    EXPECT_EQ(p->playerLog.selectedRow(), 2u);
    p->playerLog.selectRecord(2);
    EXPECT_EQ(p->playerLog.selectedRow(), 1u);

    p->playerLog.deleteSelected();
    EXPECT_EQ(names(), (Lines{"Charlie", "Bob"}));
    EXPECT_EQ(p->playerLog.selectedRow(), 1u);
    EXPECT_EQ(p->playerLog.totalText(), "Total Players: 2");
    EXPECT_EQ(statusPolls, 1);
    // Another player of the same name, earlier in the slots, keeps his group.
    slots[2].SlotName = "bob";
    slots[2].SlotGUID = "g-other";
    slots[2].SlotGroup = "Admin";
    slots[5].SlotGroup = "Admin";
    p->playerLog.deleteSelected();
    EXPECT_EQ(slots[2].SlotGroup, "Admin");
    EXPECT_EQ(slots[5].SlotGroup, "Player");
    EXPECT_EQ(p->playerLog.selectedRow(), std::nullopt); // nothing below the last row
    p->playerLog.deleteSelected();
    EXPECT_EQ(p->store.count(), 1);
    EXPECT_EQ(statusPolls, 2);
    p->playerLog.select(7);
    EXPECT_EQ(p->playerLog.selectedRow(), std::nullopt);

    // A record that is gone leaves nothing selected after the refill.
    p->playerLog.select(0);
    p->store.remove(1);
    p->playerLog.refresh();
    EXPECT_EQ(p->playerLog.selectedRow(), std::nullopt);
    EXPECT_EQ(p->playerLog.selectedId(), std::nullopt);
}

TEST_F(PlayerLogTest, ManyRowsAreReadAPageAtATime) {
    for (int i = 0; i < 150; ++i)
        p->store.insert(PlayerRecord{0, "N" + std::to_string(i), "D", "x" + std::to_string(i),
                                     kToday, kToday, "Alpha"});
    p->playerLog.refresh();
    ASSERT_EQ(p->playerLog.rowCount(), 153u);
    EXPECT_EQ(p->playerLog.row(152).record.UserName, "N149");
    EXPECT_EQ(p->playerLog.row(64).record.UserName, "N61");

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

    // The record a page would follow on from, deleted elsewhere since the
    // refill, leaves no blank page behind it.
    p->playerLog.sortByColumn(PlayerColumn::UserName);
    p->store.remove(p->playerLog.row(63).record.ID);
    EXPECT_EQ(p->playerLog.row(64).record.ID, p->store.ids(p->playerLog.order())[64]);
}

TEST_F(PlayerLogTest, AClosedDatabaseReportsTheViewError) {
    p->store.close();
    p->playerLog.refresh();
    EXPECT_EQ(p->playerLog.rowCount(), 0u);
    EXPECT_EQ(redLines, Lines{"Error loading database view!"});
}

} // namespace
} // namespace corvane::testing
