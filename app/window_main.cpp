// corvane-mod: the operator window.

#include "app/app.h"
#include "console/mainwindow.h"
#include "console/setupdialog.h"
#include "console/widgetprompts.h"
#include "console/widgets.h"
#include "core/statedir.h"
#include "platform/qt/qtports.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setWindowIcon(corvane::console::appIcon());
    const std::filesystem::path appDir = QCoreApplication::applicationDirPath().toStdString();

    corvane::qt::QtPorts qtPorts;
    corvane::console::WidgetPrompts prompts;
    // An installed copy keeps its state in the user's data folder.
    const corvane::StateDirPlan plan = corvane::planStateDir(
        {}, appDir, CORVANE_INSTALLED_DATA_DIR, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (const std::string error = corvane::prepareStateDir(plan); !error.empty()) {
        prompts.messageBox("Corvane Mod", error, corvane::MessageButtons::Ok,
                           corvane::MessageIcon::Critical);
        return 1;
    }
    corvane::App app(qtPorts.with(prompts), corvane::AppPaths(plan.folder));

    // The program ends through its own shutdown, or when a first setup is
    // closed unfinished - never merely because no window is showing.
    QApplication::setQuitOnLastWindowClosed(false);
    const corvane::StartMode mode = app.Main();
    if (mode == corvane::StartMode::End) return 1;

    corvane::console::MainWindow window(app);
    prompts.setParent(&window);
    if (mode == corvane::StartMode::FirstRun) {
        app.openSetup(true);
        corvane::console::SetupDialog wizard(app);
        prompts.setParent(&wizard);
        // "Continue" on a first run goes on to the main window.
        const corvane::Connection showWindow = app.setup()->continued.connect([&](bool firstRun) {
            if (!firstRun || app.ended()) return;
            prompts.setParent(&window);
            window.show();
        });
        wizard.show();
        return QApplication::exec();
    }
    app.createMainWindow();
    if (app.ended()) return QApplication::exec();
    window.show();
    return QApplication::exec();
}
