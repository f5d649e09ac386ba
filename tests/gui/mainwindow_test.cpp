// The main window renders the App's models and routes operator input to it.

#include "app/app.h"
#include "console/mainwindow.h"
#include "core/buildversion.h"
#include "fakeports.h"
#include "tempappdir.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

#include <filesystem>

using namespace corvane;
using namespace corvane::testing;

class MainWindowTest : public QObject {
    Q_OBJECT

    struct Fixture {
        TempAppDir dir;
        FakePorts fake;
        std::unique_ptr<App> app;
        std::unique_ptr<console::MainWindow> window;

        Fixture() {
            dir.writeConfiguredServer();
            app = std::make_unique<App>(fake.ports(), AppPaths(dir.path()));
            window = std::make_unique<console::MainWindow>(*app);
            app->createMainWindow();
            window->show();
        }
        QLineEdit* input(int index) { return window->findChildren<QLineEdit*>().at(index); }
    };

    static void screenshot(QWidget& w, const char* name) {
        const QByteArray dir = qgetenv("CORVANE_SCREENSHOT_DIR");
        if (dir.isEmpty()) return;
        std::filesystem::create_directories(dir.toStdString());
        w.grab().save(QString::fromUtf8(dir) + "/" + name + ".png");
    }

private Q_SLOTS:
    void captionAndSixTabs() {
        Fixture f;
        QCOMPARE(f.window->windowTitle(), QString("Corvane Mod - Alpha Host"));
        auto* tabs = f.window->findChild<QTabWidget*>();
        QVERIFY(tabs);
        QStringList captions;
        for (int i = 0; i < tabs->count(); ++i)
            captions << tabs->tabText(i);
        QCOMPARE(captions, QStringList({"Status", "Chat", "Players", "Messages", "Restrictions",
                                        "Advanced"}));
    }

    void activityLogAndStatusBarFollowTheApp() {
        Fixture f;
        f.app->activityLog().SMS("Hello from the test", kRed);
        f.fake.loop.advance(1000);
        QTextEdit* activity = nullptr;
        for (QTextEdit* view : f.window->findChildren<QTextEdit*>())
            if (view->toPlainText().startsWith(QString("-Corvane Mod ") + kBuildVersion))
                activity = view;
        QVERIFY(activity);
        QVERIFY(activity->toPlainText().contains("Hello from the test"));
        const auto labels = f.window->statusBar()->findChildren<QLabel*>();
        QStringList texts;
        for (QLabel* l : labels)
            texts << l->text();
        QVERIFY(texts.contains("0/17 Players"));
        QVERIFY(texts.contains("Server Uptime: Unknown"));
        screenshot(*f.window, "main-window-status");
    }

    void sayAndCommandBoxesQueueLines() {
        Fixture f;
        f.app->queue().clear();
        QTest::keyClicks(f.input(0), "hello there");
        QTest::keyClick(f.input(0), Qt::Key_Return);
        QCOMPARE(f.input(0)->text(), QString());
        QTest::keyClicks(f.input(1), "map_rotate");
        QTest::keyClick(f.input(1), Qt::Key_Return);
        QCOMPARE(f.app->queue().size(), std::size_t(2));
        QCOMPARE(QString::fromStdString(f.app->queue().at(0).line), QString("map_rotate"));
        QCOMPARE(QString::fromStdString(f.app->queue().at(1).line), QString("say  hello there"));
    }

    void criticalErrorKeepsTheFirstTab() {
        TempAppDir dir;
        dir.write("Data/Config.txt", "Alpha\r\n");
        FakePorts fake;
        fake.prompts.answers = {MessageResult::Ignore};
        App app(fake.ports(), AppPaths(dir.path()));
        console::MainWindow window(app);
        app.createMainWindow();
        auto* tabs = window.findChild<QTabWidget*>();
        tabs->setCurrentIndex(2);
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(QString::fromStdString(fake.prompts.asked.back().title), QString("ERROR!"));
    }

    void closingStartsTheOrderlyShutdown() {
        Fixture f;
        f.window->close();
        QVERIFY(f.window->isVisible()); // the close itself is cancelled
        f.fake.loop.advance(1000);
        QCOMPARE(f.fake.loop.exitCode().value_or(-1), 0);
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
