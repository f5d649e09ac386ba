// The admin action dialog in its four modes, and the log viewer.

#include "console/admindialog.h"
#include "console/logviewerwindow.h"
#include "guifixture.h"
#include "guitests.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTextEdit>

using namespace corvane;
using namespace corvane::testing;

namespace {

struct DialogFixture : GuiFixture {
    DialogFixture() {
        dir.write("Data/Reasons.txt", "Spamming\r\n\r\nCamping\r\n");
        seat(3, "Bobby", "g-bobby");
        app->queue().clear();
        showTab("Players", "playersTabs", "Online");
    }
    // The dialog a pop-up entry over slot 3 opens (closed ones go on close).
    console::AdminDialog* open(const char* entry) {
        choose(child<QTableView>("onlineGrid"), 2, "playerMenu", entry);
        for (auto* dialog : window->findChildren<console::AdminDialog*>("adminDialog"))
            if (dialog->isVisible()) return dialog;
        return nullptr;
    }
};

} // namespace

class DialogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each mode from the pop-up over the player: what it shows, and what its
    // reason box and buttons queue.
    void theFourModesShowTheirBoxesAndQueueTheirLines() {
        DialogFixture f;
        struct Case {
            const char* entry;
            const char* typed;  // into the reason box; nullptr: nothing typed
            const char* button; // pressed; nullptr: Return in the reason box
            std::vector<std::string> queued;
        };
        const Case cases[] = {
            {"Kick", nullptr, "adminOk", {";3;g-bobby;clientkick 3"}}, // empty is no reason
            {"Ban", nullptr, "adminOk", {";3;g-bobby;banclient 3"}},
            {"Warn",
             "spam",
             nullptr,
             {";3;g-bobby;tell 3 ^1PM: You have been warned by an admin for: ^2spam"}},
            {"Tempban", "Camping", "adminNoReason", {";3;g-bobby;tempbanclient 3"}},
            {"Kick", "spam", "adminCancel", {}},
        };
        for (const Case& c : cases) {
            f.app->queue().clear();
            auto* dialog = f.open(c.entry);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QString(c.entry) + " Player: Bobby");
            const QString prompt = dialog->findChild<QLabel*>("adminPrompt")->text();
            auto* reason = dialog->findChild<QComboBox*>("adminReason");
            const bool ban = QString(c.entry) == "Ban";
            QVERIFY(prompt.endsWith(ban ? "want to ban this player?" : "player: Bobby"));
            QCOMPARE(reason->isHidden(), ban);
            const auto button = [dialog](const char* name) {
                return dialog->findChild<QPushButton*>(name);
            };
            QCOMPARE(button("adminNoReason")->isHidden(), ban);
            QCOMPARE(button("adminOk")->text() + "/" + button("adminCancel")->text(),
                     QString(ban ? "Yes/No" : "OK/Cancel"));
            QCOMPARE(reason->count(), 2); // the blank line of the file is passed over
            QCOMPARE(reason->currentText(), QString());
            if (c.typed) QTest::keyClicks(reason, c.typed);
            if (c.button)
                QTest::mouseClick(button(c.button), Qt::LeftButton);
            else
                QTest::keyClick(reason, Qt::Key_Return);
            QCOMPARE(f.queued(), c.queued);
            QVERIFY(!dialog->isVisible());
        }
    }

    void theViewerIsReusedAndEmptyForAMissingServerLog() {
        GuiFixture f;
        std::filesystem::remove(f.dir.file("Logs/Server.txt"));
        f.menuEntry("Logs", "View Server Log")->trigger();
        console::LogViewerWindow* viewer = f.window->logViewer();
        QVERIFY(viewer && viewer->isVisible());
        auto* text = viewer->findChild<QTextEdit*>("logViewerText");
        QCOMPARE(text->toPlainText(), QString());

        f.dir.write("Logs/Console.txt", "[x] ]teamstatus\r\n[x] map: mp_nuked\r\n");
        f.menuEntry("Logs", "View Console Log")->trigger();
        QCOMPARE(f.window->logViewer(), viewer);
        QCOMPARE(text->toPlainText(), QString("[x] ]teamstatus\n[x] map: mp_nuked\n"));
        QCOMPARE(qsizetype(text->textCursor().position()),
                 text->toPlainText().size()); // caret at the end

        // "Update" reads the file again.
        f.dir.write("Logs/Console.txt", "[x] ]teamstatus\r\n");
        GuiFixture::barEntry(*viewer, "Log", "Update")->trigger();
        QCOMPARE(text->toPlainText(), QString("[x] ]teamstatus\n"));

        f.app->chatLog().view().append("\r\nBob: ready?");
        f.menuEntry("Logs", "View Chat Log")->trigger();
        QVERIFY(text->toPlainText().contains("Bob: ready?"));
    }
};

QObject* corvane::testing::dialogTests() {
    return new DialogTest;
}

#include "dialogs_test.moc"
