// "Players": the online grid, the player log with its filter, sort and
// selection, the player pop-up menu and the group editor.

#include "guifixture.h"
#include "guitests.h"

#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>

using namespace corvane;
using namespace corvane::testing;

namespace {

// Two players online (slots 3 and 7), two more in the database.
struct PlayersFixture : GuiFixture {
    PlayersFixture() {
        PlayerStore& store = app->players().store;
        store.insert(
            PlayerRecord{0, "Offline Olga", "D", "g-olga", "2026-01-02", "2026-03-01", "Alpha"});
        store.insert(
            PlayerRecord{0, "Absent Abe", "D", "g-abe", "2025-11-30", "2026-11-15", "Alpha"});
        seat(3, "Bobby", "g-bobby");
        seat(7, "Zed", "g-zed");
        app->queue().clear();
        showTab("Players", "playersTabs", "Player Log");
    }
    QTableView* log() { return child<QTableView>("playerLog"); }
    QString cell(int row, int column) {
        return log()->model()->index(row, column).data().toString();
    }
    QStringList names() {
        QStringList out;
        for (int row = 0; row < log()->model()->rowCount(); ++row)
            out << cell(row, 1);
        return out;
    }
    int rowOf(const QString& name) { return static_cast<int>(names().indexOf(name)); }
    void clickHeader(int column) {
        QHeaderView* header = log()->horizontalHeader();
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    }
};

} // namespace

class PlayersPageTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theFilterListsExactlyThePlayersOnline() {
        PlayersFixture f;
        QCOMPARE(f.names(), QStringList({"Offline Olga", "Absent Abe", "Bobby", "Zed"}));
        QCOMPARE(f.child<QLabel>("totalPlayers")->text(), QString("Total Players: 4"));
        auto* filter = f.child<QPushButton>("playerLogFilter");
        QCOMPARE(filter->text(), QString("Online Only"));
        QTest::mouseClick(filter, Qt::LeftButton);
        QCOMPARE(filter->text(), QString("Show All"));
        QCOMPARE(f.names(), QStringList({"Bobby", "Zed"}));
        QCOMPARE(f.child<QLabel>("totalPlayers")->text(), QString("Total Players: 2"));
    }

    void lastSeenSortsDescendingThenAscendingAndEveryRefillKeepsItAndTheSelection() {
        PlayersFixture f;
        f.log()->selectRow(f.rowOf("Bobby"));
        f.clickHeader(5); // "Last Seen"; ties by ID the same way
        QCOMPARE(f.names(), QStringList({"Zed", "Bobby", "Absent Abe", "Offline Olga"}));
        f.clickHeader(5);
        QCOMPARE(f.names(), QStringList({"Offline Olga", "Absent Abe", "Bobby", "Zed"}));
        QCOMPARE(f.log()->horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
        f.clickHeader(1); // "Username": descending again
        QCOMPARE(f.names(), QStringList({"Zed", "Offline Olga", "Bobby", "Absent Abe"}));
        QCOMPARE(f.log()->horizontalHeader()->sortIndicatorSection(), 1);
        QCOMPARE(f.log()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        f.app->players().store.insert(
            PlayerRecord{0, "Newbie", "D", "g-new", "2026-12-05", "2026-12-05", "Alpha"});
        QTest::mouseClick(f.child<QPushButton>("playerLogRefresh"), Qt::LeftButton);
        QCOMPARE(f.names(), QStringList({"Zed", "Offline Olga", "Newbie", "Bobby", "Absent Abe"}));
        QCOMPARE(f.cell(f.log()->currentIndex().row(), 1), QString("Bobby"));
        QTest::mouseClick(f.child<QPushButton>("playerLogFilter"), Qt::LeftButton);
        QCOMPARE(f.cell(f.log()->currentIndex().row(), 1), QString("Bobby"));
    }

    void anEmptyOnlineRowOpensNoMenu() {
        PlayersFixture f;
        f.showTab("Players", "playersTabs", "Online");
        auto* grid = f.child<QTableView>("onlineGrid");
        QCOMPARE(grid->model()->rowCount(), 17);           // slots 1 to MaxClients - 1
        QVERIFY(!f.rightClick(grid, 4, "playerMenu"));     // slot 5: nobody
        QMenu* menu = f.rightClick(grid, 2, "playerMenu"); // slot 3: Bobby
        QVERIFY(menu);
        QCOMPARE(GuiFixture::visibleEntries(menu),
                 QStringList({"Group", "-", "Warn", "Kick", "Tempban", "Ban"}));
        QMenu* groups = GuiFixture::entry(menu, "Group")->menu();
        QCOMPARE(groups->actions().first()->text(), QString("Owner"));
        for (QAction* a : groups->actions())
            QCOMPARE(a->isChecked(), a->text() == "Player"); // the default group
        f.seat(9, "^1Red^7Guy\x01", "g-red");
        QCOMPARE(grid->model()->index(8, 1).data().toString(), QString("RedGuy ")); // no raw codes
    }

    void anOfflineLogRowOffersOnlyGroupAndDeleteAndBothWork() {
        PlayersFixture f;
        QMenu* menu = f.rightClick(f.log(), f.rowOf("Absent Abe"), "playerMenu");
        QVERIFY(menu);
        QCOMPARE(GuiFixture::visibleEntries(menu), QStringList({"Group", "Delete"}));
        // A group chosen there is stored, shown and said.
        GuiFixture::entry(menu, "Group")->menu()->actions().at(0)->trigger(); // Owner
        QCOMPARE(f.cell(f.rowOf("Absent Abe"), 2), QString("Owner"));
        QCOMPARE(f.queued(),
                 std::vector<std::string>{"say ^2Absent Abe was set to the group: ^1Owner"});
        menu = f.rightClick(f.log(), f.rowOf("Bobby"), "playerMenu");
        QCOMPARE(GuiFixture::visibleEntries(menu),
                 QStringList({"Group", "Delete", "-", "Warn", "Kick", "Tempban", "Ban"}));
        // "Delete" removes the record of the row clicked.
        f.choose(f.log(), f.rowOf("Absent Abe"), "playerMenu", "Delete");
        QCOMPARE(f.names(), QStringList({"Offline Olga", "Bobby", "Zed"}));
    }

    void theGroupEditorRoutesEveryEditToTheCore() {
        PlayersFixture f;
        f.showTab("Players", "playersTabs", "Permissions");
        auto* groups = f.child<QTableWidget>("groupsGrid");
        const GroupTable& table = f.app->players().groups.table;
        QCOMPARE(groups->rowCount(), table.groupCount());
        const int defaultRow = table.DefaultRank - 1;
        QVERIFY(groups->item(defaultRow, 1)->data(Qt::UserRole).toBool());

        f.fake.prompts.inputs = {"Helpers"};
        QTest::mouseClick(f.child<QPushButton>("groupNew"), Qt::LeftButton);
        QCOMPARE(groups->rowCount(), table.groupCount());
        const int helpers = groups->rowCount() - 1;
        QCOMPARE(groups->item(helpers, 0)->text(), QString("Helpers"));
        QCOMPARE(groups->currentRow(), helpers);

        // Commands: "<<<" grants the master list's word, ">>>" takes it back.
        auto* master = f.child<QListWidget>("masterCommands");
        auto* commands = f.child<QListWidget>("groupCommands");
        master->setCurrentRow(0);
        QTest::mouseClick(f.child<QPushButton>("grantCommand"), Qt::LeftButton);
        QCOMPARE(commands->count(), 1);
        QCOMPARE(commands->item(0)->text(), master->item(0)->text());
        commands->setCurrentRow(0);
        QTest::mouseClick(f.child<QPushButton>("revokeCommand"), Qt::LeftButton);
        QCOMPARE(commands->count(), 0);

        // Renamed in place; a name with a comma is refused and comes back.
        groups->item(helpers, 0)->setText("Mods");
        QCOMPARE(QString::fromStdString(table.GroupName[static_cast<std::size_t>(helpers + 1)]),
                 QString("Mods"));
        groups->item(helpers, 0)->setText("Mods, too");
        QCOMPARE(groups->item(helpers, 0)->text(), QString("Mods"));

        // "Copy List" of the default group, "Paste List" into the new one.
        groups->setCurrentCell(defaultRow, 0);
        const int granted = f.child<QListWidget>("groupCommands")->count();
        f.choose(commands, 0, "permissionsMenu", "Copy List");
        groups->setCurrentCell(helpers, 0);
        f.choose(commands, 0, "permissionsMenu", "Paste List");
        QCOMPARE(commands->count(), granted);

        // "Set Default Group" asks, then moves the mark.
        f.fake.prompts.answers = {MessageResult::Yes};
        f.choose(groups, helpers, "permissionsMenu", "Set Default Group");
        QVERIFY(groups->item(helpers, 1)->data(Qt::UserRole).toBool());
        QVERIFY(!groups->item(defaultRow, 1)->data(Qt::UserRole).toBool());
    }
};

QObject* corvane::testing::playersPageTests() {
    return new PlayersPageTest;
}

#include "playerspage_test.moc"
