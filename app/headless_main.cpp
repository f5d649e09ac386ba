// corvane-mod-headless: the same program without windows. Every activity-log
// line goes to standard output, every message box to standard error with the
// answer it takes. SIGINT and SIGTERM start the orderly shutdown.

#include "app/app.h"
#include "platform/qt/qtports.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <iostream>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &byte, 1);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const std::filesystem::path appDir = QCoreApplication::applicationDirPath().toStdString();

    corvane::qt::QtPorts qtPorts;
    corvane::qt::StreamPrompts prompts(std::cerr);
    corvane::App app(qtPorts.with(prompts), corvane::AppPaths(appDir));
    const corvane::Connection printer = app.activityLog().entryWritten.connect(
        [](const std::string& line, corvane::Colour) { std::cout << line << std::endl; });

    switch (app.Main()) {
    case corvane::StartMode::End:
        return 1;
    case corvane::StartMode::FirstRun:
        std::cerr
            << "Corvane Mod has not been set up yet (Data/Config.txt marks a first run).\n"
               "Run corvane-mod once to set up the server, then start corvane-mod-headless.\n";
        return 2;
    case corvane::StartMode::MainWindow:
        break;
    }

    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0) return 1;
    QSocketNotifier notifier(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, [&app] {
        char byte;
        [[maybe_unused]] const ssize_t n = ::read(g_signalPipe[0], &byte, 1);
        app.ENDALL();
    });
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);

    app.createMainWindow();
    return QCoreApplication::exec();
}
