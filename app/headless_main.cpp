// corvane-mod-headless: the same program without windows. The terminal shows
// the activity log and the chat, player, and console views; lines typed on
// standard input are said in the game or sent as console commands; message
// boxes go to standard error with the answer they take. SIGINT and SIGTERM
// start the orderly shutdown. --setup sets the server up on the terminal.

#include "app/app.h"
#include "core/datafiles.h"
#include "core/modsettings.h"
#include "core/statedir.h"
#include "headless/operatorinput.h"
#include "headless/options.h"
#include "headless/printer.h"
#include "headless/terminal.h"
#include "headless/terminalsetup.h"
#include "platform/qt/qtports.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &byte, 1);
}

// The command that sets up the server in this folder.
std::string setupCommand(const std::filesystem::path& dir) {
    std::string command = "corvane-mod-headless";
    if (!dir.empty()) command += " --dir " + dir.string();
    return command + " --setup";
}

int runSetup(corvane::qt::QtPorts& qtPorts, corvane::Prompts& prompts,
             const corvane::AppPaths& paths, const corvane::HeadlessOptions& options) {
    corvane::SetupValues given = options.values;
    if (!given.password)
        if (const char* password = std::getenv(corvane::kPasswordVariable))
            given.password = password;
    corvane::TerminalSetup setup(qtPorts.with(prompts), paths, std::cout,
                                 corvane::colourWanted(STDOUT_FILENO, std::getenv("NO_COLOR")));
    corvane::TerminalSetup::Ask ask;
    if (::isatty(STDIN_FILENO) == 1) ask = corvane::askOnTerminal;
    if (!setup.start(given, ask)) return 1;
    return QCoreApplication::exec();
}

// Shutdown by signal: the handler only writes to a socket, the loop reads it.
bool handleSignals(corvane::App& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0) return false;
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, [&app] {
        char byte;
        [[maybe_unused]] const ssize_t n = ::read(g_signalPipe[0], &byte, 1);
        app.ENDALL();
    });
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    return true;
}

// The operator's lines, while standard input is a terminal or a pipe; the end
// of input changes nothing. Started in the background, the program is not
// stopped by reading its terminal: the read fails and input ends there.
void readOperatorLines(corvane::OperatorInput& input) {
    if (!corvane::readsOperatorLines(STDIN_FILENO)) return;
    std::signal(SIGTTIN, SIG_IGN);
    auto* notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, [&input, notifier] {
        char buffer[4096];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n > 0) return input.feed(std::string_view(buffer, static_cast<std::size_t>(n)));
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) return;
        notifier->setEnabled(false);
        input.finish();
    });
}

int run(corvane::qt::QtPorts& qtPorts, corvane::Prompts& prompts, const corvane::AppPaths& paths,
        const corvane::HeadlessOptions& options) {
    corvane::App app(qtPorts.with(prompts), paths);
    const bool colour = corvane::colourWanted(STDOUT_FILENO, std::getenv("NO_COLOR"));
    corvane::TerminalPrinter printer(app, std::cout, {colour, options.quiet});

    switch (app.Main()) {
    case corvane::StartMode::End:
        return 1;
    case corvane::StartMode::FirstRun:
        std::cerr << "Corvane Mod has not been set up yet (" << corvane::kConfigFile
                  << " marks a first run).\nSet it up with: " << setupCommand(options.dir) << "\n";
        return 2;
    case corvane::StartMode::MainWindow:
        break;
    }
    if (!handleSignals(app)) return 1;
    corvane::OperatorInput input(app.rcon(), std::cerr);
    readOperatorLines(input);
    app.createMainWindow();
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const corvane::ParsedOptions parsed =
        corvane::parseHeadlessOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::cerr << "corvane-mod-headless: " << parsed.error << std::endl;
        return corvane::kExitUsage;
    }
    const corvane::HeadlessOptions& options = parsed.options;
    if (options.help) {
        std::cout << corvane::headlessUsage();
        return 0;
    }
    if (options.version) {
        std::cout << "corvane-mod-headless " << corvane::kBuildVersion << std::endl;
        return 0;
    }

    const corvane::StateDirPlan plan = corvane::planStateDir(
        options.dir, QCoreApplication::applicationDirPath().toStdString(),
        CORVANE_INSTALLED_DATA_DIR, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (const std::string error = corvane::prepareStateDir(plan); !error.empty()) {
        std::cerr << "corvane-mod-headless: " << error << std::endl;
        return 1;
    }
    corvane::qt::QtPorts qtPorts;
    corvane::qt::StreamPrompts prompts(std::cerr);
    const corvane::AppPaths paths(plan.folder);
    if (options.setup) return runSetup(qtPorts, prompts, paths, options);
    return run(qtPorts, prompts, paths, options);
}
