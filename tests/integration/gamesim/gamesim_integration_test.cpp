// The simulator's own doors as a separate process, reached through Corvane
// Mod's TCP adapter: what only real sockets show (kept connections, closing on
// bad input, standard input). The end-to-end tests cover the rest.

#include "platform/qt/qtnetwork.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

constexpr int kPatienceMs = 10000;

bool waitUntil(const std::function<bool()>& done, int ms = kPatienceMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

constexpr const char* kLogRequest = "GET /logs/games_mp.log HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                                    "Range: bytes=-10000 \r\nUser-Agent: Corvane Mod 0.0.2\r\n\r\n";

// The chunked answer's terminator has arrived.
bool answerComplete(const std::string& bytes) {
    return bytes.find("\r\n0\r\n\r\n") != std::string::npos;
}

// One TCP connection through the project's adapter, collecting what arrives.
struct Connection {
    explicit Connection(corvane::NetworkFactory& net) : stream(net.createTcp("log")) {
        stream->setEvents({[this] { connected = true; },
                           [this](const std::string& bytes) { received += bytes; },
                           [this] { closed = true; },
                           [this](const corvane::NetError& e) { error = e.description; }});
    }
    bool open(std::uint16_t port) {
        stream->connectTo("127.0.0.1", port);
        return waitUntil([this] { return connected || !error.empty(); }) && connected;
    }
    std::unique_ptr<corvane::TcpStream> stream;
    std::string received;
    std::string error;
    bool connected = false;
    bool closed = false;
};

class LiveSimulator : public ::testing::Test {
protected:
    void SetUp() override {
        process.setProgram(GAMESIM_EXE);
        process.setArguments(
            {"--rcon-port", "0", "--http-port", "0", "--control-port", "0", "--seed", "1"});
        process.start();
        ASSERT_TRUE(process.waitForStarted(kPatienceMs));
        ASSERT_TRUE(waitUntil([this] { return process.canReadLine(); }));
        const QJsonObject ports = QJsonDocument::fromJson(process.readLine()).object();
        httpPort = static_cast<std::uint16_t>(ports.value("http").toInt());
        const auto controlPort = static_cast<std::uint16_t>(ports.value("control").toInt());
        ASSERT_NE(httpPort, 0);
        control = std::make_unique<Connection>(net);
        ASSERT_TRUE(control->open(controlPort));
    }

    void TearDown() override {
        process.write("exit\n");
        if (!process.waitForFinished(kPatienceMs)) process.kill();
    }

    // Sends one control line and returns its answer line.
    std::string command(const std::string& line) {
        const std::size_t start = control->received.size();
        control->stream->send(line + "\n");
        EXPECT_TRUE(
            waitUntil([&] { return control->received.find('\n', start) != std::string::npos; }));
        const std::size_t end = control->received.find('\n', start);
        return control->received.substr(start, end - start);
    }

    QProcess process;
    corvane::qt::QtEventLoop loop;
    corvane::qt::QtNetworkFactory net{loop};
    std::unique_ptr<Connection> control;
    std::uint16_t httpPort = 0;
};

} // namespace

TEST_F(LiveSimulator, LogHostKeepsTheConnectionAndClosesOnBytesThatAreNoRequest) {
    Connection kept(net);
    ASSERT_TRUE(kept.open(httpPort));
    for (const char* event : {"ExitLevel: executed", "ShutdownGame:"}) {
        command(std::string("log ") + event);
        kept.received.clear();
        kept.stream->send(kLogRequest);
        ASSERT_TRUE(waitUntil([&] { return answerComplete(kept.received); })) << event;
        EXPECT_NE(kept.received.find(std::string(" ") + event + "\n\r\n0\r\n\r\n"),
                  std::string::npos);
    }
    EXPECT_FALSE(kept.closed);

    Connection bad(net);
    ASSERT_TRUE(bad.open(httpPort));
    bad.stream->send("NOT A REQUEST\r\n\r\n");
    ASSERT_TRUE(waitUntil([&] { return bad.closed; }));
    EXPECT_EQ(bad.received.substr(0, 8), "<html>\r\n");
}

TEST_F(LiveSimulator, ControlAnswersOnStandardInputAndClosesOnAnOverlongLine) {
    process.write("dvar g_logSync\n");
    ASSERT_TRUE(waitUntil([this] { return process.canReadLine(); }));
    EXPECT_EQ(process.readLine().toStdString(), "ok 0\n");

    control->stream->send(std::string(5000, 'x'));
    ASSERT_TRUE(waitUntil([this] { return control->closed; }));
    EXPECT_EQ(control->received, "error line too long\n");
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
