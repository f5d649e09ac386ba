#include "livesim.h"

#include "platform/qt/qtdesktop.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>

#include <gtest/gtest.h>

namespace corvane::testing {

LiveSimulator::LiveSimulator(const QStringList& options) {
    static int counter = 0;
    m_journal = QString::fromStdString((std::filesystem::temp_directory_path() /
                                        ("corvane-e2e-journal-" + std::to_string(::getpid()) + "-" +
                                         std::to_string(counter++) + ".jsonl"))
                                           .string());
    m_process.setProgram(GAMESIM_EXE);
    QStringList args = {
        "--rcon-port",    "0",         "--http-port", "0",
        "--control-port", "0",         "--password",  QString::fromStdString(password),
        "--seed",         "7",         "--journal",   m_journal,
        "--hostname",     "E2E Server"};
    args << options;
    m_process.setArguments(args);
    m_process.start();
    if (!m_process.waitForStarted(10000)) ADD_FAILURE() << "the simulator did not start";
    if (!m_process.waitForReadyRead(10000)) ADD_FAILURE() << "the simulator reported no ports";
    const QJsonObject ports = QJsonDocument::fromJson(m_process.readLine()).object();
    rconPort = static_cast<std::uint16_t>(ports.value("rcon").toInt());
    httpPort = static_cast<std::uint16_t>(ports.value("http").toInt());
    controlPort = static_cast<std::uint16_t>(ports.value("control").toInt());
    m_control.connectToHost("127.0.0.1", controlPort);
    if (!m_control.waitForConnected(10000)) ADD_FAILURE() << "no control connection";
    for (int i = 0; i + 1 < options.size(); ++i)
        if (options[i] == "--password") password = options[i + 1].toStdString();
}

LiveSimulator::~LiveSimulator() {
    if (m_control.state() == QAbstractSocket::ConnectedState) {
        m_control.write("exit\n");
        m_control.waitForBytesWritten(2000);
    }
    if (!m_process.waitForFinished(5000)) m_process.kill();
    QFile::remove(m_journal);
}

std::string LiveSimulator::command(const std::string& line) {
    m_control.write(QByteArray::fromStdString(line + "\n"));
    m_control.waitForBytesWritten(5000);
    while (!m_control.canReadLine())
        if (!m_control.waitForReadyRead(10000)) return "error: no answer";
    return m_control.readLine().trimmed().toStdString();
}

std::string LiveSimulator::commandOnStandardInput(const std::string& line) {
    m_process.write(QByteArray::fromStdString(line + "\n"));
    while (!m_process.canReadLine())
        if (!m_process.waitForReadyRead(10000)) return "error: no answer";
    return m_process.readLine().trimmed().toStdString();
}

int LiveSimulator::received(const std::string& text) {
    const std::string answer = command("received " + text);
    return answer.rfind("ok ", 0) == 0 ? std::stoi(answer.substr(3)) : -1;
}

std::vector<QJsonObject> LiveSimulator::journal(const QStringList& events) const {
    std::vector<QJsonObject> out;
    QFile file(m_journal);
    if (!file.open(QIODevice::ReadOnly)) return out;
    while (!file.atEnd()) {
        const QJsonObject record = QJsonDocument::fromJson(file.readLine()).object();
        if (events.contains(record.value("event").toString())) out.push_back(record);
    }
    return out;
}

std::vector<std::string> LiveSimulator::commandsRun(const QString& prefix) const {
    std::vector<std::string> out;
    for (const QJsonObject& r : journal({"rcon_request"}))
        if (r.value("password_ok").toBool() && r.value("command").toString().startsWith(prefix))
            out.push_back(r.value("command").toString().toStdString());
    return out;
}

void pointAtSimulator(const TempAppDir& dir, const LiveSimulator& sim, const std::string& password,
                      int refreshDelay, int statusPollPeriod) {
    dir.write("Data/Config.txt", "E2E\r\n" + std::to_string(sim.rconPort) + "\r\n127.0.0.1\r\n" +
                                     password +
                                     "\r\nhttp://127.0.0.1:" + std::to_string(sim.httpPort) +
                                     sim.logPath + "\r\n 18\r\nE2E Server\r\n\"mp_nuked\"\r\n");
    setAdvanced(dir, "RefreshDelay", std::to_string(refreshDelay));
    setAdvanced(dir, "StatusPollPeriod", std::to_string(statusPollPeriod));
}

LiveApp::LiveApp(const LiveSimulator& sim, const std::string& password, int refreshDelay,
                 int statusPollPeriod) {
    pointAtSimulator(m_dir, sim, password, refreshDelay, statusPollPeriod);
    m_prompts = std::make_unique<qt::StreamPrompts>(m_boxes);
    m_app = std::make_unique<App>(m_ports.with(*m_prompts), AppPaths(m_dir.path()));
    m_app->createMainWindow();
}

LiveApp::~LiveApp() {
    m_app.reset();
    QCoreApplication::processEvents();
}

bool LiveApp::waitUntilPrimed() {
    return waitUntil([this] { return m_app->logParser().FirstBatchDone(); }, 15000);
}

} // namespace corvane::testing
