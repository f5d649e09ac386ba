#include "headlessprocess.h"

#include "qtwait.h"

#include <gtest/gtest.h>

#include <sys/types.h>

namespace corvane::testing {

namespace fs = std::filesystem;

HeadlessProcess::HeadlessProcess() {
    fs::remove_all(m_dir.path());
    fs::copy(CORVANE_DIST_DIR, m_dir.path(), fs::copy_options::recursive);
    fs::remove_all(m_dir.path() / "demo-run");
}

HeadlessProcess::~HeadlessProcess() {
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.kill();
    m_process.waitForFinished(5000);
}

void HeadlessProcess::start(const QStringList& args, const QStringList& env) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& setting : env) {
        const qsizetype equals = setting.indexOf('=');
        environment.insert(setting.left(equals), setting.mid(equals + 1));
    }
    m_process.setProcessEnvironment(environment);
    m_process.start(QString::fromStdString(program().string()), args);
    ASSERT_TRUE(m_process.waitForStarted(10000));
}

int HeadlessProcess::finish(int ms) {
    if (!waitUntil([this] { return m_process.state() == QProcess::NotRunning; }, ms)) return -1;
    out();
    errors();
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

bool HeadlessProcess::waitForOutput(const std::string& text, int ms) {
    return waitUntil([&] { return out().find(text) != std::string::npos; }, ms);
}

bool HeadlessProcess::waitForErrors(const std::string& text, int ms) {
    return waitUntil([&] { return errors().find(text) != std::string::npos; }, ms);
}

void HeadlessProcess::signal(int number) const {
    ::kill(static_cast<pid_t>(m_process.processId()), number);
}

void HeadlessProcess::stop(int number) {
    signal(number);
    EXPECT_EQ(finish(), 0) << m_out << m_errors;
}

const std::string& HeadlessProcess::out() {
    m_out += m_process.readAllStandardOutput().toStdString();
    return m_out;
}

const std::string& HeadlessProcess::errors() {
    m_errors += m_process.readAllStandardError().toStdString();
    return m_errors;
}

} // namespace corvane::testing
