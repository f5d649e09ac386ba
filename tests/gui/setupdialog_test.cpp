// The setup wizard's window on fake ports: typing reaches the core's boxes,
// the button drives the test, answers come through the prompts port.

#include "console/setupdialog.h"
#include "core/buildversion.h"
#include "guifixture.h"
#include "setuprig.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

using namespace corvane;
using namespace corvane::testing;

class SetupDialogTest : public QObject {
    Q_OBJECT

    // A first run: the App on fake ports and the wizard's window over it.
    struct FirstRun {
        SetupRig rig{true, false};
        App app{rig.fake.ports(), AppPaths(rig.dir.path())};
        std::unique_ptr<console::SetupDialog> dialog;
        bool mainWindowShown = false;
        Connection showWindow;

        FirstRun() {
            rig.setup = &app.openSetup(true);
            dialog = std::make_unique<console::SetupDialog>(app);
            // As the program does: a first run's "Continue" goes on to the main window.
            showWindow = rig.setup->continued.connect(
                [this](bool first) { mainWindowShown = first && !app.ended(); });
            dialog->show();
        }
        template <typename W = QLineEdit> W* find(const char* name) {
            return dialog->findChild<W*>(name);
        }
        void type(const char* box, const QString& text) {
            find(box)->selectAll();
            QTest::keyClicks(find(box), text);
        }
        void typeServer(const QString& password) {
            type("serverName", "Alpha");
            type("ip", "127.0.0.1");
            type("port", "28960");
            type("rconPassword", password);
            type("logUrl", QString::fromStdString(kLogUrl));
        }
        QPushButton* button() { return find<QPushButton>("mainButton"); }
        QString statusText() { return find<QTextEdit>("statusBox")->toPlainText(); }
    };

    // Runs check on the next modal window that opens, then closes it.
    static void onNextModal(std::function<void(QWidget*)> check) {
        QTimer::singleShot(0, [check] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            check(modal);
            modal->close();
        });
    }

private Q_SLOTS:
    void passingTestContinuesToTheMainWindow() {
        FirstRun f;
        QCOMPARE(f.dialog->windowTitle(), QString("Corvane Mod - Server Creation"));
        QCOMPARE(f.find("serverName")->text(), QString()); // the first-run marker is not shown
        QCOMPARE(f.find("port")->text(), QString("3074"));
        QVERIFY(!f.find<QTextEdit>("statusBox")->isVisible());
        f.typeServer("secret");
        QCOMPARE(QString::fromStdString(f.rig.setup->fields.ServerName), QString("Alpha"));
        QTest::mouseClick(f.button(), Qt::LeftButton);
        QCOMPARE(f.button()->text(), QString("Cancel"));
        QCOMPARE(f.dialog->cursor().shape(), Qt::WaitCursor);
        QVERIFY(f.find<QTextEdit>("statusBox")->isVisible());
        QCOMPARE(f.rig.commands(), std::vector<std::string>{"serverinfo"});

        f.rig.answerRconSteps();
        f.rig.answerLog();
        QCOMPARE(f.button()->text(), QString("Continue"));
        QCOMPARE(f.dialog->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(f.statusText().endsWith("Configuration complete!"));
        QVERIFY(f.find<QPlainTextEdit>("exchange")
                    ->toPlainText()
                    .startsWith("GET /alpha/games_mp.log HTTP/1.1"));

        QTest::mouseClick(f.button(), Qt::LeftButton);
        QVERIFY(f.mainWindowShown);
        QVERIFY(!f.dialog->isVisible());
        QVERIFY(!f.app.ended());
        QCOMPARE(QString::fromStdString(f.app.caption()), QString("Corvane Mod - Alpha Host"));
    }

    void failedTestReturnsToSaveAndClosingEndsTheFirstRun() {
        FirstRun f;
        f.typeServer("wrong");
        QTest::mouseClick(f.button(), Qt::LeftButton);
        f.rig.reply("Invalid password.\n");
        QCOMPARE(f.rig.boxTexts(), std::vector<std::string>{"Invalid RCON Password!"});
        QCOMPARE(f.button()->text(), QString("Save"));
        QVERIFY(!f.find<QTextEdit>("statusBox")->isVisible());
        QCOMPARE(f.dialog->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(f.find("rconPassword")->text(), QString("wrong")); // the values stay

        QTest::mouseClick(f.find<QPushButton>("logUrlHelp"), Qt::LeftButton);
        QCOMPARE(QString::fromStdString(f.rig.fake.prompts.asked.back().title),
                 QString("GameServer Log URL"));
        QCOMPARE(f.dialog->focusWidget(), f.find("logUrl"));

        f.dialog->close();
        QVERIFY(f.app.ended());
        QCOMPARE(f.rig.fake.loop.exitCode().value_or(-1), 0);
        QVERIFY(!f.mainWindowShown);
    }

    void serverSettingsOpensThePrefilledWizardAndRestoresTheWindowsWork() {
        GuiFixture f;
        App& app = *f.app;
        bool checked = false;
        onNextModal([&](QWidget* modal) {
            QCOMPARE(modal->windowTitle(), QString("Corvane Mod - Server Settings"));
            QCOMPARE(modal->findChild<QLineEdit*>("serverName")->text(), QString("Alpha"));
            QCOMPARE(modal->findChild<QLineEdit*>("rconPassword")->text(), QString("secret"));
            QVERIFY(!app.rcon().pumpRunning());
            // The main tick rests too: the countdown to the next log fetch stands.
            const std::string countdown = app.statusTexts().refresh;
            f.fake.loop.advance(3000);
            QCOMPARE(app.statusTexts().refresh, countdown);
            checked = true;
        });
        f.menuEntry("Server", "Server Settings...")->trigger();
        QVERIFY(checked);
        QVERIFY(app.rcon().pumpRunning());
        const std::string countdown = app.statusTexts().refresh;
        f.fake.loop.advance(1000);
        QVERIFY(app.statusTexts().refresh != countdown);
        QVERIFY(!app.ended());
    }

    void aboutNamesTheVersions() {
        GuiFixture f;
        QString text;
        onNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            text = box->text() + " " + box->informativeText();
        });
        console::showAbout(*f.app, f.window.get());
        QVERIFY(text.contains(QString("Corvane Mod ") + kBuildVersion));
        QVERIFY(text.contains(QString("Qt ") + qVersion()));
        QVERIFY(text.contains("SQLite 3."));
        QVERIFY(f.fake.shell.opened.empty());
    }
};

QTEST_MAIN(SetupDialogTest)
#include "setupdialog_test.moc"
