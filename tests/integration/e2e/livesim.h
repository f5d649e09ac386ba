#pragma once
// The game-server simulator as a separate process on free loopback ports, and
// Corvane Mod's App on the Qt adapters in this process, pointed at it.

#include "app/app.h"
#include "platform/qt/qtports.h"
#include "qtwait.h"
#include "tempappdir.h"

#include <QJsonObject>
#include <QProcess>
#include <QTcpSocket>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace corvane::testing {

class LiveSimulator {
public:
    // Extra command-line options for the simulator (password, uptime...).
    explicit LiveSimulator(const QStringList& options = {});
    ~LiveSimulator();

    // One control line; returns its answer ("ok ..." or "error ...").
    std::string command(const std::string& line);
    // The same through the simulator's standard input.
    std::string commandOnStandardInput(const std::string& line);
    // How many console lines the server ran that contain text.
    int received(const std::string& text);
    // Every record of any of these kinds, in the order they happened.
    std::vector<QJsonObject> journal(const QStringList& events) const;
    // The console lines the server ran (right password) that begin with
    // prefix, in order.
    std::vector<std::string> commandsRun(const QString& prefix = {}) const;

    std::uint16_t rconPort = 0;
    std::uint16_t httpPort = 0;
    std::uint16_t controlPort = 0;
    std::string password = "secret";
    std::string logPath = "/logs/games_mp.log";

private:
    QString m_journal;
    QProcess m_process;
    QTcpSocket m_control;
};

// Data/Config.txt of a server on the simulator, and the log refresh delay and
// status poll period (seconds) in Data/Advanced.txt.
void pointAtSimulator(const TempAppDir& dir, const LiveSimulator& sim, const std::string& password,
                      int refreshDelay, int statusPollPeriod);

class LiveApp {
public:
    // advanced: "name=value" replacements for Data/Advanced.txt lines.
    LiveApp(const LiveSimulator& sim, const std::string& password, int refreshDelay = 1,
            int statusPollPeriod = 0);
    ~LiveApp();

    App& app() { return *m_app; }
    const TempAppDir& dir() const { return m_dir; }
    std::string serverLog() const { return m_dir.read("Logs/Server.txt"); }
    bool logHas(const std::string& text) const {
        return serverLog().find(text) != std::string::npos;
    }
    // Waits for the first batch of log lines: from then on chat is handled.
    bool waitUntilPrimed();

private:
    TempAppDir m_dir;
    qt::QtPorts m_ports;
    std::ostringstream m_boxes;
    std::unique_ptr<Prompts> m_prompts;
    std::unique_ptr<App> m_app;
};

} // namespace corvane::testing
