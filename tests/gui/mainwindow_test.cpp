// The main window: tabs, menus, the lock-out, the status views and closing.

#include "guifixture.h"
#include "guitests.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTextEdit>

using namespace corvane;
using namespace corvane::testing;

class MainWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tabsStripsAndMenusInTheirOrder() {
        GuiFixture f;
        QCOMPARE(f.window->windowTitle(), QString("Corvane Mod - Alpha Host"));
        QVERIFY(!f.window->windowIcon().isNull());
        const std::pair<const char*, QStringList> strips[] = {
            {"topTabs", {"Status", "Chat", "Players", "Messages", "Restrictions", "Advanced"}},
            {"playersTabs", {"Online", "Player Log", "Permissions"}},
            {"messagesTabs",
             {"Timed Messages", "Welcome Message", "Rules", "Reasons", "PM Settings"}},
            {"restrictionsTabs", {"In-Game", "Language Filter"}}};
        for (const auto& [name, captions] : strips) {
            QStringList shown;
            for (int i = 0; i < f.child<QTabWidget>(name)->count(); ++i)
                shown << f.child<QTabWidget>(name)->tabText(i);
            QCOMPARE(shown, captions);
        }
        QCOMPARE(GuiFixture::visibleEntries(f.window->menuBar()),
                 QStringList({"Server", "Logs", "Help"}));
        QCOMPARE(GuiFixture::visibleEntries(f.menu("Server")),
                 QStringList({"Server Settings...", "Update Config", "Update Status", "Reset Maps",
                              "Reserved Slot", "Advanced"}));
        QCOMPARE(GuiFixture::visibleEntries(f.menu("Logs")),
                 QStringList({"View Chat Log", "View Chat Archive", "View Server Log",
                              "View Console Log", "-", "Clear Server Log"}));
        QCOMPARE(GuiFixture::visibleEntries(f.menu("Help")),
                 QStringList({"About", "Beta Information...", "Donate", "Update"}));
    }

    void activityLogAndStatusBarFollowTheApp() {
        GuiFixture f;
        f.app->activityLog().SMS("Hello from the test", kRed);
        f.fake.loop.advance(1000);
        QVERIFY(f.child<QTextEdit>("activityView")->toPlainText().contains("Hello from the test"));
        QStringList texts;
        for (QLabel* l : f.window->statusBar()->findChildren<QLabel*>())
            texts << l->text();
        QVERIFY(texts.contains("0/17 Players"));
        QVERIFY(texts.contains("Server Uptime: Unknown"));
        QCOMPARE(f.child<QLabel>("serverName")->text(), QString("Server Name: Alpha Host"));
        QCOMPARE(f.child<QLabel>("gametype")->text(), QString("Gametype: Unknown"));
        QCOMPARE(f.child<QLabel>("onlinePlayers")->text(), QString("Online Players: 0/17"));
    }

    void sayAndCommandBoxesQueueLines() {
        GuiFixture f;
        f.app->queue().clear();
        auto* say = f.child<QLineEdit>("sayInput");
        QTest::keyClicks(say, "hello there");
        QTest::keyClick(say, Qt::Key_Return);
        QCOMPARE(say->text(), QString());
        auto* command = f.child<QLineEdit>("commandInput");
        QTest::keyClicks(command, "map_rotate");
        QTest::mouseClick(f.child<QPushButton>("sendButton"), Qt::LeftButton);
        QCOMPARE(f.queued(), (std::vector<std::string>{"map_rotate", "say  hello there"}));
        QVERIFY(f.child<QTextEdit>("chatView")->toPlainText().contains("Console: hello there"));
    }

    void theLockOutJumpsBackToStatusWithTheErrorBox() {
        GuiFixture f("Alpha\r\n", {MessageResult::Ignore});
        auto* tabs = f.child<QTabWidget>("topTabs");
        tabs->setCurrentIndex(2); // "Players"
        QCOMPARE(tabs->currentIndex(), 0);
        const auto& box = f.fake.prompts.asked.back();
        QCOMPARE(box.title + ": " + box.text,
                 std::string("ERROR!: Critical errors have occured! Please restart!"));
        QCOMPARE(box.icon, MessageIcon::Critical);
        // Ignore greys the four items; "Update Config" brings them back.
        QVERIFY(!f.menu("Logs")->menuAction()->isEnabled());
        for (const char* caption : {"Server Settings...", "Reset Maps", "Reserved Slot"})
            QVERIFY(!f.menuEntry("Server", caption)->isEnabled());
        QVERIFY(f.menuEntry("Server", "Update Config")->isEnabled());
        f.dir.writeConfiguredServer();
        f.menuEntry("Server", "Update Config")->trigger();
        QVERIFY(f.menu("Logs")->menuAction()->isEnabled());
        QVERIFY(f.menuEntry("Server", "Reset Maps")->isEnabled());
        tabs->setCurrentIndex(2);
        QCOMPARE(tabs->currentIndex(), 2);
    }

    void clearingTheLogsAsksFirst() {
        GuiFixture f;
        f.app->activityLog().SMS("an entry");
        f.app->chatLog().view().append("\r\nBob: hi");
        auto* activity = f.child<QTextEdit>("activityView");
        auto* chat = f.child<QTextEdit>("chatView");
        f.fake.prompts.answers = {MessageResult::No, MessageResult::No};
        f.menuEntry("Logs", "Clear Server Log")->trigger();
        QTest::mouseClick(f.child<QPushButton>("clearChat"), Qt::LeftButton);
        QVERIFY(activity->toPlainText().contains("an entry"));
        QVERIFY(chat->toPlainText().contains("Bob: hi"));
        const auto& asked = f.fake.prompts.asked;
        QCOMPARE(QString::fromStdString(asked[asked.size() - 2].title),
                 QString("Clear Server Log"));
        QCOMPARE(QString::fromStdString(asked.back().title), QString("Clear Chat Log"));

        f.fake.prompts.answers = {MessageResult::Yes, MessageResult::Yes};
        f.menuEntry("Logs", "Clear Server Log")->trigger();
        QTest::mouseClick(f.child<QPushButton>("clearChat"), Qt::LeftButton);
        QCOMPARE(activity->toPlainText(), QString::fromStdString(corvane::bannerLine()));
        QCOMPARE(chat->toPlainText(), QString("-In Game Chat-"));
    }

    void menuItemsReachTheirOperations() {
        GuiFixture f;
        f.app->queue().clear();
        f.app->queue().pushBack("say queued");
        f.menuEntry("Server", "Reset Maps")->trigger();
        QCOMPARE(f.queued().front(), std::string("playlist_excludeMap \"mp_nuked\""));
        f.menuEntry("Server", "Reserved Slot")->trigger();
        QVERIFY(f.app->commands().reserved.ReservedByOperator());
        f.menuEntry("Server", "Advanced")->trigger();
        f.menuEntry("Help", "Donate")->trigger(); // no web site: nothing opens
        f.app->settings().advanced.WebsiteURL = "https://example.org";
        f.menuEntry("Help", "Donate")->trigger();
        QCOMPARE(f.fake.shell.opened.size(), std::size_t(2));
        QVERIFY(QString::fromStdString(f.fake.shell.opened[0]).endsWith("Advanced.txt"));
        QCOMPARE(f.fake.shell.opened[1], std::string("https://example.org/donate"));
    }

    void closingStartsTheOrderlyShutdown() {
        GuiFixture f;
        f.window->close();
        QVERIFY(f.window->isVisible()); // the close itself is cancelled
        f.fake.loop.advance(1000);
        QCOMPARE(f.fake.loop.exitCode().value_or(-1), 0);
    }
};

QObject* corvane::testing::mainWindowTests() {
    return new MainWindowTest;
}

#include "mainwindow_test.moc"
