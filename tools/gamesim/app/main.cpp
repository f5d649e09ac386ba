// gamesim: a game server and its provider's log host on loopback, for trying,
// demonstrating and testing Corvane Mod without renting anything. The first
// line on standard output is a JSON object with the ports it listens on.

#include "gamesim/app/options.h"
#include "gamesim/app/servers.h"
#include "gamesim/core/scenario.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

using namespace gamesim;

// Appends lines to a file, flushed at once so a reader sees them immediately.
class LineFile {
public:
    bool open(const std::string& path, bool append) {
        m_file = std::fopen(path.c_str(), append ? "ab" : "wb");
        return m_file != nullptr;
    }
    ~LineFile() {
        if (m_file) std::fclose(m_file);
    }
    void write(const std::string& line) {
        if (!m_file) return;
        std::fwrite(line.data(), 1, line.size(), m_file);
        std::fputc('\n', m_file);
        std::fflush(m_file);
    }

private:
    std::FILE* m_file = nullptr;
};

bool readFile(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream text;
    text << in.rdbuf();
    out = text.str();
    return true;
}

int fail(const std::string& message) {
    std::fprintf(stderr, "gamesim: %s\n", message.c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    auto options = app::parseOptions(args, error);
    if (!options) return fail(error + "\n" + app::usageText());
    if (options->help) {
        std::fputs(app::usageText(), stdout);
        return 0;
    }
    if (!options->seedGiven)
        options->sim.seed =
            static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());

    Scenario scenario;
    if (!options->scenarioPath.empty()) {
        std::string text;
        if (!readFile(options->scenarioPath, text))
            return fail("cannot read " + options->scenarioPath);
        scenario = parseScenario(text);
        if (!scenario.error.empty()) return fail(options->scenarioPath + ": " + scenario.error);
    }
    LineFile journal;
    if (!options->journalPath.empty() && !journal.open(options->journalPath, false))
        return fail("cannot write " + options->journalPath);
    LineFile logFile;
    if (!options->logFilePath.empty() && !logFile.open(options->logFilePath, true))
        return fail("cannot write " + options->logFilePath);

    QElapsedTimer clock;
    clock.start();
    Simulator sim(
        options->sim, [&clock] { return static_cast<std::int64_t>(clock.elapsed()); },
        [&journal](const std::string& line) { journal.write(line); });
    if (!options->logFilePath.empty())
        sim.setLogMirror([&logFile](const std::string& line) { logFile.write(line); });
    sim.start();

    bool quitting = false;
    const app::AfterEvent after = [&sim, &quitting] {
        if (!sim.exitRequested() || quitting) return;
        quitting = true;
        // A moment for the last answers to leave.
        QTimer::singleShot(100, [] { QCoreApplication::exit(0); });
    };

    const QHostAddress address(QString::fromStdString(options->bind));
    if (address.isNull()) return fail("not an address: " + options->bind);
    app::RconServer rcon(sim, after);
    app::HttpServer http(sim);
    app::ControlServer control(sim, after);
    QString listenError;
    if (!rcon.listen(address, static_cast<quint16>(options->rconPort), listenError))
        return fail("remote console port: " + listenError.toStdString());
    if (!http.listen(address, static_cast<quint16>(options->httpPort), listenError))
        return fail("log host port: " + listenError.toStdString());
    if (!control.listen(address, static_cast<quint16>(options->controlPort), listenError))
        return fail("control port: " + listenError.toStdString());

    const std::string ports = JsonLine()
                                  .number("rcon", rcon.port())
                                  .number("http", http.port())
                                  .number("control", control.port())
                                  .str();
    sim.journal(JsonLine().text("event", "ports").raw("ports", ports));
    std::printf("%s\n", ports.c_str());
    std::fflush(stdout);

    app::StdinControl stdinControl(sim, after);

    for (const ScenarioEvent& event : scenario.events) {
        QTimer::singleShot(static_cast<int>(event.atMs), &app,
                           [&sim, &after, command = event.command] {
                               sim.onControl(command, "scenario");
                               after();
                           });
    }

    QTimer livelyTimer;
    QObject::connect(&livelyTimer, &QTimer::timeout, [&sim] { sim.livelyTick(); });
    livelyTimer.start(options->livelyIntervalMs);

    const int status = app.exec();
    sim.journal(JsonLine().text("event", "exit"));
    return status;
}
