// corvane-mod: the operator window.

#include "app/app.h"
#include "console/mainwindow.h"
#include "console/widgetprompts.h"
#include "console/widgets.h"
#include "platform/qt/qtports.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setWindowIcon(corvane::console::appIcon());
    const std::filesystem::path appDir = QCoreApplication::applicationDirPath().toStdString();

    corvane::qt::QtPorts qtPorts;
    corvane::console::WidgetPrompts prompts;
    corvane::App app(qtPorts.with(prompts), corvane::AppPaths(appDir));

    switch (app.Main()) {
    case corvane::StartMode::End:
        return 1;
    case corvane::StartMode::FirstRun:
        QMessageBox::information(nullptr, "Corvane Mod - Server Creation",
                                 "The server setup is not part of this build yet. Enter the server "
                                 "settings in Data/Config.txt and start Corvane Mod again.");
        return 2;
    case corvane::StartMode::MainWindow:
        break;
    }

    corvane::console::MainWindow window(app);
    prompts.setParent(&window);
    app.createMainWindow();
    if (app.ended()) return QApplication::exec();
    window.show();
    return QApplication::exec();
}
