#pragma once
// Fake sockets: a test sees exactly the bytes sent and feeds replies, errors and
// data in whatever pieces it likes.

#include "core/net.h"

#include <deque>
#include <string>
#include <vector>

namespace corvane::testing {

class FakeUdp : public UdpChannel {
public:
    std::optional<NetError> open(const std::string& host, std::uint16_t port) override;
    std::optional<NetError> send(std::string_view bytes) override;
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }

    // Delivers a datagram as if it came from the peer (only while open).
    void receive(const std::string& bytes);
    void raiseError(const NetError& error) { deliverError(error); }

    std::vector<std::string> sent;
    std::string host;
    std::uint16_t port = 0;
    int openCount = 0;
    // The next open/send fails with this error, once.
    std::optional<NetError> failNextOpen;
    std::optional<NetError> failNextSend;

private:
    bool m_open = false;
};

class FakeTcp : public TcpStream {
public:
    void connectTo(const std::string& host, std::uint16_t port) override;
    void send(std::string_view bytes) override { sent += bytes; }
    void close() override { m_state = State::Closed; }
    State state() const override { return m_state; }

    // Test side: complete the connection, feed data, close or fail.
    void acceptConnection();
    void feed(const std::string& piece) { deliverData(piece); }
    void peerClose();
    void raiseError(const NetError& error) { deliverError(error); }

    std::string sent;
    std::string host;
    std::uint16_t port = 0;
    int connectCount = 0;

private:
    State m_state = State::Closed;
};

// The command lines of the RCON datagrams a socket sent, without the header
// and the password; a datagram of another form shows as "<bad>" + its bytes.
std::vector<std::string> rconCommands(const FakeUdp& socket,
                                      const std::string& password = "secret");

class FakeNetworkFactory : public NetworkFactory {
public:
    std::unique_ptr<UdpChannel> createUdp() override;
    std::unique_ptr<TcpStream> createTcp() override;

    // Every channel made so far, in creation order (owned by their users).
    std::vector<FakeUdp*> udps;
    std::vector<FakeTcp*> tcps;
};

} // namespace corvane::testing
