// "Messages": the shared editor saved per sub-tab, the interval and welcome
// boxes, and the announcement settings; "Advanced" and "Restrictions" boxes.

#include "guifixture.h"
#include "guitests.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace corvane;
using namespace corvane::testing;

class MessagesPageTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theEditorSavesItsSubTabsFileWhenLeavingIt() {
        GuiFixture f;
        f.dir.write("Data/MR.txt", "30\r\nFirst message\r\nSecond, with a comma\r\n");
        f.dir.write("Data/Rules.txt", "\"No camping, please\"\r\n");
        f.showTab("Messages");
        auto* editor = f.child<QPlainTextEdit>("messageEditor");
        QCOMPARE(editor->toPlainText(), QString("First message\nSecond, with a comma"));
        QCOMPARE(f.child<QLineEdit>("messageInterval")->text(), QString("30"));
        editor->moveCursor(QTextCursor::End);
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClicks(editor, "Third");
        f.showTab("Messages", "messagesTabs", "Rules");
        QCOMPARE(f.dir.read("Data/MR.txt"),
                 std::string("30\r\nFirst message\r\nSecond, with a comma\r\nThird\r\n"));
        QCOMPARE(editor->toPlainText(), QString("\"No camping, please\""));

        // Selecting "Messages" again starts at "Timed Messages".
        f.showTab("Status");
        f.showTab("Messages");
        QCOMPARE(f.child<QTabWidget>("messagesTabs")->currentIndex(), 0);
        QVERIFY(editor->toPlainText().endsWith("Third"));
    }

    void theIntervalAndWelcomeBoxesTakeEffectWhenLeft() {
        GuiFixture f;
        f.showTab("Messages");
        auto* interval = f.child<QLineEdit>("messageInterval");
        interval->setText("0");
        Q_EMIT interval->editingFinished();
        QCOMPARE(interval->text(), QString("60"));
        QVERIFY(f.dir.read("Data/MR.txt").starts_with("60\r\n"));

        f.showTab("Messages", "messagesTabs", "Welcome Message");
        auto* welcome = f.child<QLineEdit>("welcomeTemplate");
        QTest::mouseClick(f.child<QPushButton>("welcomeDefault"), Qt::LeftButton);
        QCOMPARE(welcome->text(), QString(kDefaultWelcomeTemplate));
        welcome->selectAll();
        QTest::keyClicks(welcome, "^2Hello <player>");
        f.showTab("Messages", "messagesTabs", "Rules"); // the tab strip takes no focus
        QCOMPARE(f.app->settings().mod.WelcomeTemplate, std::string("^2Hello <player>"));
        QVERIFY(f.dir.read("Data/MOD.txt").find("^2Hello <player>") != std::string::npos);
    }

    void pmSettingsShowAndSaveTheAnnounceModes() {
        GuiFixture f;
        f.app->settings().mod.AnnounceMode[3] = 1;
        f.showTab("Messages", "messagesTabs", "PM Settings");
        QVERIFY(f.child<QRadioButton>("announceOther3")->isChecked());
        QCOMPARE(f.child<QRadioButton>("announceOther3")->text(), QString("Hide"));
        QCOMPARE(f.child<QRadioButton>("announceOther9")->text(), QString("Private PM"));
        QVERIFY(f.child<QRadioButton>("announceGlobal9")->isChecked());
        QTest::mouseClick(f.child<QRadioButton>("announceOther9"), Qt::LeftButton);
        QVERIFY(f.dir.read("Data/MOD.txt").find("0;0;0;1;0;0;0;0;0;1") != std::string::npos);
    }

    void theWeaponSelectAllBoxTicksItsWholeList() {
        GuiFixture f;
        f.showTab("Restrictions", "restrictionsTabs", "In-Game");
        auto* pistols = f.child<QCheckBox>("selectAll5");
        QCOMPARE(pistols->text(), QString("Pistols"));
        auto* list = f.child<QListWidget>("weaponList5");
        QCOMPARE(list->count(), 5);
        pistols->click();
        for (int i = 0; i < list->count(); ++i)
            QCOMPARE(list->item(i)->checkState(), Qt::Checked);
        const QStringList flags = QString::fromStdString(f.dir.line("Data/MOD.txt", 22)).split(';');
        QCOMPARE(flags.mid(30, 6), QStringList({"0", "1", "1", "1", "1", "1"}));
        // One entry cleared clears the box; ticking it again ticks the box.
        list->item(2)->setCheckState(Qt::Unchecked);
        QVERIFY(!pistols->isChecked());
        QCOMPARE(f.app->settings().mod.WeaponFlags.at(33), std::string("0"));
        list->item(2)->setCheckState(Qt::Checked);
        QVERIFY(pistols->isChecked());
        QCOMPARE(f.child<QLabel>("maxHealth")->text(), QString("Max Health: 500"));
    }

    void theLanguageFilterTabLoadsAndSavesItsWordList() {
        GuiFixture f;
        f.dir.write("Data/LF.txt", "3\r\nbadword\r\nk|worse\r\n");
        f.showTab("Restrictions", "restrictionsTabs", "Language Filter");
        auto* words = f.child<QPlainTextEdit>("languageWords");
        QCOMPARE(words->toPlainText(), QString("badword\nk|worse"));
        QCOMPARE(f.child<QLineEdit>("languageWarns")->text(), QString("3"));
        words->moveCursor(QTextCursor::End);
        QTest::keyClick(words, Qt::Key_Return);
        QTest::keyClicks(words, "awful");
        f.fake.loop.advance(3000);
        QCOMPARE(f.dir.read("Data/LF.txt"), std::string("3\r\nbadword\r\nk|worse\r\nawful\r\n"));
    }

    // Every check box of MOD.txt, found on its page by its caption: a click
    // writes its line of the file, and a file read back shows in the box.
    void everySwitchBoxSavesItsLineAndShowsTheFileReadBack() {
        struct Case {
            const char* caption;
            const char* tab;
            const char* strip;
            const char* sub;
            std::size_t line; // 0-based line of MOD.txt
            bool savedAtOnce;
        };
        const Case cases[] = {
            {"Auto Update", "Players", "playersTabs", "Player Log", 4, true},
            {"Autokick Unknown Soldiers", "Advanced", nullptr, nullptr, 5, true},
            {"Welcome players to server", "Messages", "messagesTabs", "Welcome Message", 6, true},
            {"Use Timed Messages", "Messages", "messagesTabs", "Timed Messages", 7, true},
            {"Use Server Rules", "Messages", "messagesTabs", "Rules", 8, true},
            {"Enable Language Filter", "Restrictions", "restrictionsTabs", "Language Filter", 9,
             true},
            {"Auto Scroll", "Advanced", nullptr, nullptr, 10, true},
            {"Autokick Xbox Names", "Advanced", nullptr, nullptr, 11, false},
        };
        GuiFixture f;
        for (const Case& c : cases) {
            f.showTab(c.tab, c.strip, c.sub);
            QCheckBox* box = nullptr;
            for (QCheckBox* b : f.window->findChildren<QCheckBox*>())
                if (b->text() == c.caption && b->isVisible()) box = b;
            QVERIFY2(box, c.caption);
            const bool before = box->isChecked();
            box->click();
            if (!c.savedAtOnce) f.app->settings().SaveModFile(); // any later save takes it along
            QVERIFY2(f.dir.line("Data/MOD.txt", c.line) == (before ? " 0" : " 1"), c.caption);
            f.dir.replaceLine("Data/MOD.txt", c.line, before ? " 1" : " 0");
            QVERIFY(f.app->settings().LoadModFile());
            QCOMPARE(box->isChecked(), before);
        }
        // The menu's "Automatically Check" is line 3, a word.
        const std::string automatic = f.dir.line("Data/MOD.txt", 2);
        f.menuEntry("Help", "Automatically Check")->trigger();
        QCOMPARE(f.dir.line("Data/MOD.txt", 2),
                 std::string(automatic == "True" ? "False" : "True"));
    }

    void settingBoxesSaveTheModSettings() {
        GuiFixture f;
        f.showTab("Restrictions", "restrictionsTabs", "In-Game");
        auto* warns = f.child<QLineEdit>("maxWarns");
        warns->setText("5");
        Q_EMIT warns->textEdited("5");
        Q_EMIT warns->editingFinished();
        QCOMPARE(f.dir.line("Data/MOD.txt", 12), std::string(" 5"));

        f.showTab("Advanced");
        auto* skipping = f.child<QComboBox>("mapSkipping");
        QCOMPARE(skipping->currentText(), QString("Disabled"));
        skipping->setCurrentIndex(1);
        Q_EMIT skipping->activated(1);
        QVERIFY(f.app->maps().rotation.VotingEnabled());
        auto* excluded = f.child<QLineEdit>("defaultExcludedMaps");
        QCOMPARE(excluded->text(), QString("mp_nuked"));
        excluded->setText("mp_array mp_villa");
        QTest::mouseClick(f.child<QPushButton>("saveExcludedMaps"), Qt::LeftButton);
        QCOMPARE(f.app->settings().config.ExcludedMap, std::string("mp_array mp_villa"));
        QCOMPARE(f.fake.prompts.asked.back().text, std::string("Default Excluded Map changed!"));
    }
};

QObject* corvane::testing::messagesPageTests() {
    return new MessagesPageTest;
}

#include "messagespage_test.moc"
