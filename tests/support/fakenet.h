#pragma once
// Fake sockets: a test sees exactly the bytes sent and feeds replies, errors and
// data in whatever pieces it likes.

#include "core/eventloop.h"
#include "core/net.h"

#include <deque>
#include <map>
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
    explicit FakeNetworkFactory(EventLoop& loop) : m_loop(loop) {}

    // Addresses answer at once; names from hosts, later (on the loop), as the
    // real lookup does.
    void lookupHost(const std::string& host, LookupDone done) override;
    std::map<std::string, std::string> hosts;
    int lookups = 0;

    std::unique_ptr<UdpChannel> createUdp(std::string_view role) override;
    std::unique_ptr<TcpStream> createTcp(std::string_view role) override;

    // The newest socket made for a role ("command", "status", "log"...); it is
    // owned by its user. Asking for a role never made fails the test.
    FakeUdp& udp(std::string_view role) const;
    FakeTcp& tcp(std::string_view role) const;

private:
    EventLoop& m_loop;
    std::map<std::string, FakeUdp*, std::less<>> m_udps;
    std::map<std::string, FakeTcp*, std::less<>> m_tcps;
};

} // namespace corvane::testing
