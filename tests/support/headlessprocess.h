#pragma once
// corvane-mod-headless started from a throw-away copy of the ready-to-run
// folder; what it writes to standard output and error is collected as it comes.

#include "tempappdir.h"

#include <QProcess>
#include <QStringList>

#include <csignal>
#include <filesystem>
#include <string>

namespace corvane::testing {

class HeadlessProcess {
public:
    HeadlessProcess();
    ~HeadlessProcess();
    HeadlessProcess(const HeadlessProcess&) = delete;
    HeadlessProcess& operator=(const HeadlessProcess&) = delete;

    // env: extra "NAME=value" settings of the program's environment.
    void start(const QStringList& args = {}, const QStringList& env = {});
    // Runs until the program ends; its exit status, or -1 after the time limit.
    int finish(int ms = 40000);
    // Until standard output (or error) holds text; false after ms milliseconds.
    bool waitForOutput(const std::string& text, int ms = 20000);
    bool waitForErrors(const std::string& text, int ms = 20000);
    void signal(int number) const;
    // The orderly shutdown by signal, which must end with status 0.
    void stop(int number = SIGTERM);
    void type(const std::string& lines) { m_process.write(QByteArray::fromStdString(lines)); }
    void endInput() { m_process.closeWriteChannel(); }
    bool running() const { return m_process.state() == QProcess::Running; }

    const TempAppDir& dir() const { return m_dir; }
    std::filesystem::path program() const { return m_dir.path() / "corvane-mod-headless"; }
    const std::string& out();
    const std::string& errors();

private:
    TempAppDir m_dir;
    QProcess m_process;
    std::string m_out;
    std::string m_errors;
};

} // namespace corvane::testing
