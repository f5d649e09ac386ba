#pragma once
// Network ports: a connected UDP channel to the game server and a TCP stream
// to the log host. Events arrive on the event loop.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

struct NetError {
    enum class Kind {
        AddressNotAvailable, // the target address or port cannot be used (port 0, no address)
        HostNotFound,
        ConnectionRefused,
        RemoteClosed,
        Timeout,
        Other,
    };
    Kind kind = Kind::Other;
    std::string description;
};

// A UDP socket connected to one peer: datagrams from anyone else are never
// delivered.
class UdpChannel {
public:
    struct Events {
        std::function<void(const std::string&)> datagram;
        std::function<void(const NetError&)> error;
    };

    virtual ~UdpChannel() = default;
    void setEvents(Events events) { m_events = std::move(events); }

    // The address is numeric ("192.0.2.7", "::1"); a host name is refused
    // with HostNotFound at once - names are resolved by lookupHost, which
    // never blocks.
    virtual std::optional<NetError> open(const std::string& address, std::uint16_t port) = 0;
    virtual std::optional<NetError> send(std::string_view bytes) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

protected:
    void deliverDatagram(const std::string& bytes) {
        if (m_events.datagram) m_events.datagram(bytes);
    }
    void deliverError(const NetError& error) {
        if (m_events.error) m_events.error(error);
    }

private:
    Events m_events;
};

class TcpStream {
public:
    enum class State { Closed, Connecting, Connected };

    struct Events {
        std::function<void()> connected;
        std::function<void(const std::string&)> data;
        std::function<void()> closed; // the peer closed the connection
        std::function<void(const NetError&)> error;
    };

    virtual ~TcpStream() = default;
    void setEvents(Events events) { m_events = std::move(events); }

    // Resolves the host name and connects; the outcome arrives as an event.
    virtual void connectTo(const std::string& host, std::uint16_t port) = 0;
    virtual void send(std::string_view bytes) = 0;
    virtual void close() = 0;
    virtual State state() const = 0;

protected:
    void deliverConnected() {
        if (m_events.connected) m_events.connected();
    }
    void deliverData(const std::string& bytes) {
        if (m_events.data) m_events.data(bytes);
    }
    void deliverClosed() {
        if (m_events.closed) m_events.closed();
    }
    void deliverError(const NetError& error) {
        if (m_events.error) m_events.error(error);
    }

private:
    Events m_events;
};

// The answer to a host lookup: a numeric address, or why there is none.
struct HostLookup {
    std::optional<std::string> address;
    std::string error;
};

class NetworkFactory {
public:
    using LookupDone = std::function<void(const HostLookup&)>;

    virtual ~NetworkFactory() = default;
    // Resolves a host name without blocking; done runs on the event loop
    // later, or at once when the host is already written as an address.
    virtual void lookupHost(const std::string& host, LookupDone done) = 0;
    // The role names what the socket is for ("command", "status", "log"...).
    virtual std::unique_ptr<UdpChannel> createUdp(std::string_view role) = 0;
    virtual std::unique_ptr<TcpStream> createTcp(std::string_view role) = 0;
};

} // namespace corvane
