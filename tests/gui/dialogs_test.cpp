// The admin action dialog in its four modes, and the log viewer.

#include "console/admindialog.h"
#include "console/logviewerwindow.h"
#include "guifixture.h"
#include "guitests.h"

#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
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
    // The dialog a pop-up entry over slot 3 opens.
    console::AdminDialog* open(const char* entry) {
        QMenu* menu = rightClick(child<QTableView>("onlineGrid"), 2, "playerMenu");
        GuiFixture::entry(menu, entry)->trigger();
        return window->findChild<console::AdminDialog*>("adminDialog");
    }
    template <typename T> static T* in(QWidget* dialog, const char* name) {
        return dialog->findChild<T*>(name);
    }
};

QAction* logsEntry(QMainWindow& window, const QString& caption) {
    for (QAction* a : window.menuBar()->actions())
        if (a->text() == "Logs") return GuiFixture::entry(a->menu(), caption);
    return nullptr;
}

} // namespace

class DialogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void kickWithAnEmptyReasonIsNoReason() {
        DialogFixture f;
        auto* dialog = f.open("Kick");
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QString("Kick Player: Bobby"));
        QCOMPARE(f.in<QLabel>(dialog, "adminPrompt")->text(),
                 QString("Select or enter an optional reason for kicking player: Bobby"));
        auto* reasons = f.in<QComboBox>(dialog, "adminReason");
        QCOMPARE(reasons->count(), 2); // the blank line is passed over
        QCOMPARE(reasons->itemText(1), QString("Camping"));
        QCOMPARE(reasons->currentText(), QString());
        screenshot(*dialog, "admin-dialog-kick");
        QTest::mouseClick(f.in<QPushButton>(dialog, "adminOk"), Qt::LeftButton);
        QCOMPARE(f.queued(), std::vector<std::string>{";3;g-bobby;clientkick 3"});
        QVERIFY(!f.window->findChild<console::AdminDialog*>("adminDialog") || !dialog->isVisible());
    }

    void banAsksOnlyTheQuestionWithYesAndNo() {
        DialogFixture f;
        auto* dialog = f.open("Ban");
        QCOMPARE(dialog->windowTitle(), QString("Ban Player: Bobby"));
        QCOMPARE(f.in<QLabel>(dialog, "adminPrompt")->text(),
                 QString("Are you sure you want to ban this player?"));
        QVERIFY(f.in<QComboBox>(dialog, "adminReason")->isHidden());
        QVERIFY(f.in<QPushButton>(dialog, "adminNoReason")->isHidden());
        QCOMPARE(f.in<QPushButton>(dialog, "adminOk")->text(), QString("Yes"));
        QCOMPARE(f.in<QPushButton>(dialog, "adminCancel")->text(), QString("No"));
        screenshot(*dialog, "admin-dialog-ban");
        QTest::mouseClick(f.in<QPushButton>(dialog, "adminOk"), Qt::LeftButton);
        QCOMPARE(f.queued(), std::vector<std::string>{";3;g-bobby;banclient 3"});
    }

    void warnWithSpamTellsThePlayer() {
        DialogFixture f;
        auto* dialog = f.open("Warn");
        auto* reason = f.in<QComboBox>(dialog, "adminReason");
        QTest::keyClicks(reason, "spam");
        QTest::keyClick(reason, Qt::Key_Return);
        QCOMPARE(f.queued(),
                 std::vector<std::string>{
                     ";3;g-bobby;tell 3 ^1PM: You have been warned by an admin for: ^2spam"});
    }

    void tempbanWithNoReasonAndCancel() {
        DialogFixture f;
        auto* dialog = f.open("Tempban");
        f.in<QComboBox>(dialog, "adminReason")->setCurrentIndex(0);
        QTest::mouseClick(f.in<QPushButton>(dialog, "adminNoReason"), Qt::LeftButton);
        QCOMPARE(f.queued(), std::vector<std::string>{";3;g-bobby;tempbanclient 3"});
        dialog = f.open("Kick");
        QTest::mouseClick(f.in<QPushButton>(dialog, "adminCancel"), Qt::LeftButton);
        QCOMPARE(f.queued().size(), std::size_t(1));
    }

    void theViewerIsReusedAndEmptyForAMissingServerLog() {
        GuiFixture f;
        std::filesystem::remove(f.dir.file("Logs/Server.txt"));
        logsEntry(*f.window, "View Server Log")->trigger();
        console::LogViewerWindow* viewer = f.window->logViewer();
        QVERIFY(viewer && viewer->isVisible());
        auto* text = viewer->findChild<QTextEdit*>("logViewerText");
        QCOMPARE(text->toPlainText(), QString());

        f.dir.write("Logs/Console.txt", "[x] ]teamstatus\r\n[x] map: mp_nuked\r\n");
        logsEntry(*f.window, "View Console Log")->trigger();
        QCOMPARE(f.window->logViewer(), viewer);
        QCOMPARE(text->toPlainText(), QString("[x] ]teamstatus\n[x] map: mp_nuked\n"));
        QCOMPARE(qsizetype(text->textCursor().position()),
                 text->toPlainText().size()); // caret at the end

        // "Update" reads the file again.
        f.dir.write("Logs/Console.txt", "[x] ]teamstatus\r\n");
        for (QAction* a : viewer->menuBar()->actions())
            if (a->text() == "Log") a->menu()->actions().at(0)->trigger();
        QCOMPARE(text->toPlainText(), QString("[x] ]teamstatus\n"));

        f.app->chatLog().view().append("\r\nBob: ready?");
        logsEntry(*f.window, "View Chat Log")->trigger();
        QVERIFY(text->toPlainText().contains("Bob: ready?"));
        screenshot(*viewer, "log-viewer");
    }
};

QObject* corvane::testing::dialogTests() {
    return new DialogTest;
}

#include "dialogs_test.moc"
