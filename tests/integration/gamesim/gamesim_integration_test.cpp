// The simulator as a separate process on loopback, reached through the same
// UDP and TCP adapters that Corvane Mod uses.

#include "platform/qt/qtnetwork.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

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

std::string request(std::string_view password, std::string_view command) {
    std::string out("\xFF\xFF\xFF\xFF\0", 5);
    out += password;
    out += ' ';
    out += command;
    return out;
}

std::string clientGet(std::string_view path, std::uint16_t port) {
    return "GET " + std::string(path) + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
           "\r\nRange: bytes=-10000 \r\nUser-Agent: Corvane Mod 0.0.2\r\n\r\n";
}

// A whole HTTP answer: chunked up to its terminator, or Content-Length bytes of body.
bool answerComplete(const std::string& bytes) {
    const std::size_t headEnd = bytes.find("\r\n\r\n");
    if (headEnd == std::string::npos) return false;
    const std::string head = bytes.substr(0, headEnd);
    if (head.find("Transfer-Encoding: chunked") != std::string::npos)
        return bytes.find("\r\n0\r\n\r\n", headEnd) != std::string::npos ||
               bytes.compare(headEnd + 4, std::string::npos, "0\r\n\r\n") == 0;
    const std::size_t length = head.find("Content-Length: ");
    if (length == std::string::npos) return false;
    return bytes.size() - headEnd - 4 >= std::stoul(head.substr(length + 16));
}

// One TCP connection through the project's adapter, collecting what arrives.
struct Connection {
    explicit Connection(corvane::NetworkFactory& net) : stream(net.createTcp()) {
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
        ASSERT_TRUE(dir.isValid());
        journalPath = dir.filePath("journal.jsonl");
        process.setProgram(GAMESIM_EXE);
        process.setArguments({"--rcon-port", "0", "--http-port", "0", "--control-port", "0",
                              "--password", "secret", "--seed", "1", "--journal", journalPath});
        process.start();
        ASSERT_TRUE(process.waitForStarted(kPatienceMs));
        ASSERT_TRUE(waitUntil([this] { return process.canReadLine(); }));
        const QJsonObject ports = QJsonDocument::fromJson(process.readLine()).object();
        rconPort = static_cast<std::uint16_t>(ports.value("rcon").toInt());
        httpPort = static_cast<std::uint16_t>(ports.value("http").toInt());
        const auto controlPort = static_cast<std::uint16_t>(ports.value("control").toInt());
        ASSERT_NE(rconPort, 0);
        ASSERT_NE(httpPort, 0);
        control = std::make_unique<Connection>(net);
        ASSERT_TRUE(control->open(controlPort));

        udp = net.createUdp();
        udp->setEvents({[this](const std::string& d) { datagrams.push_back(d); }, nullptr});
        ASSERT_FALSE(udp->open("127.0.0.1", rconPort));
    }

    void TearDown() override {
        if (control && control->connected) command("exit");
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

    // Sends a console line and waits until `count` datagrams have come back.
    std::vector<std::string> rcon(std::string_view password, std::string_view line,
                                  std::size_t count = 1) {
        datagrams.clear();
        EXPECT_FALSE(udp->send(request(password, line)));
        EXPECT_TRUE(waitUntil([&] { return datagrams.size() >= count; })) << line;
        return datagrams;
    }

    std::string fetchLog(std::string_view path = "/logs/games_mp.log") {
        Connection http(net);
        EXPECT_TRUE(http.open(httpPort));
        http.stream->send(clientGet(path, httpPort));
        EXPECT_TRUE(waitUntil([&] { return answerComplete(http.received) || http.closed; }));
        return http.received;
    }

    std::string journal() const {
        QFile file(journalPath);
        if (!file.open(QIODevice::ReadOnly)) return {};
        return file.readAll().toStdString();
    }

    QTemporaryDir dir;
    QString journalPath;
    QProcess process;
    corvane::qt::QtNetworkFactory net;
    std::unique_ptr<Connection> control;
    std::unique_ptr<corvane::UdpChannel> udp;
    std::vector<std::string> datagrams;
    std::uint16_t rconPort = 0;
    std::uint16_t httpPort = 0;
};

} // namespace

TEST_F(LiveSimulator, AnswersConsoleCommandsAndTheWrongPassword) {
    const auto wrong = rcon("nope", "teamstatus");
    EXPECT_EQ(wrong.front(), std::string("\xFF\xFF\xFF\xFFprint\nInvalid password.\n"));

    const auto playlist = rcon("secret", "Playlist");
    EXPECT_EQ(playlist.front(),
              std::string("\xFF\xFF\xFF\xFFprint\n\"playlist\" is:\"22^7\" default:\"22^7\"\n"));
    const auto unknown = rcon("secret", "frobnicate");
    EXPECT_EQ(unknown.front(),
              std::string("\xFF\xFF\xFF\xFFprint\nUnknown command \"frobnicate\"\n"));
}

TEST_F(LiveSimulator, KickReachesTheServerAndTheQuitLineReachesTheLog) {
    const std::string joined = command("join Bob");
    ASSERT_EQ(joined.substr(0, 10), "ok slot=1 ");
    command("chat 1 !kick bob spam");
    const std::string before = fetchLog();
    EXPECT_EQ(before.substr(0, 17), "HTTP/1.1 200 OK\r\n");
    EXPECT_NE(before.find(";1;Bob;\x15!kick bob spam\n"), std::string::npos);

    rcon("secret", "clientkick 1 \" - ^1Reason: ^2Spam\"");
    EXPECT_EQ(command("received clientkick 1 "), "ok 1");
    EXPECT_NE(journal().find("\"event\":\"rcon_request\",\"from\":\"127.0.0.1:"),
              std::string::npos);
    EXPECT_NE(journal().find(
                  "\"password_ok\":true,\"command\":\"clientkick 1 \\\" - ^1Reason: ^2Spam\\\"\""),
              std::string::npos);
    const std::string after = fetchLog();
    EXPECT_NE(after.find(" Q;"), std::string::npos);
    EXPECT_NE(after.find(";1;Bob\n"), std::string::npos);
    EXPECT_NE(journal().find("\"event\":\"http_response\""), std::string::npos);
}

TEST_F(LiveSimulator, LogHostKeepsTheConnectionAndSwitchesModes) {
    Connection first(net);
    ASSERT_TRUE(first.open(httpPort));
    first.stream->send(clientGet("/logs/games_mp.log", httpPort));
    ASSERT_TRUE(waitUntil([&] { return answerComplete(first.received); }));
    // The connection stays open for a further request, as a keep-alive host does.
    command("log ShutdownGame:");
    first.received.clear();
    first.stream->send(clientGet("/logs/games_mp.log", httpPort));
    ASSERT_TRUE(waitUntil([&] { return answerComplete(first.received); }));
    EXPECT_FALSE(first.closed);
    EXPECT_NE(first.received.find(" ShutdownGame:\n\r\n0\r\n\r\n"), std::string::npos);

    EXPECT_NE(fetchLog("/elsewhere.log").find("HTTP/1.1 404 Not Found\r\n"), std::string::npos);
    EXPECT_EQ(command("http mode wait 9"), "ok wait");
    const std::string wait = fetchLog();
    EXPECT_EQ(wait.substr(0, 14), "HTTP/1.1 403\r\n");
    EXPECT_NE(wait.find("Please wait 9 seconds"), std::string::npos);
    EXPECT_EQ(command("http mode partial"), "ok partial");
    EXPECT_NE(fetchLog().find("HTTP/1.1 206 Partial Content\r\n"), std::string::npos);
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
