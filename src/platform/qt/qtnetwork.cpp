#include "platform/qt/qtnetwork.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkDatagram>
#include <QTcpSocket>
#include <QUdpSocket>

namespace corvane::qt {
namespace {

// The most read of one datagram: more than any UDP datagram can carry.
constexpr qint64 kMaxDatagram = 65536;

NetError toNetError(QAbstractSocket::SocketError error, const QString& text) {
    NetError e;
    e.description = text.toStdString();
    switch (error) {
    case QAbstractSocket::SocketAddressNotAvailableError:
        e.kind = NetError::Kind::AddressNotAvailable;
        break;
    case QAbstractSocket::HostNotFoundError:
        e.kind = NetError::Kind::HostNotFound;
        break;
    case QAbstractSocket::ConnectionRefusedError:
        e.kind = NetError::Kind::ConnectionRefused;
        break;
    case QAbstractSocket::RemoteHostClosedError:
        e.kind = NetError::Kind::RemoteClosed;
        break;
    case QAbstractSocket::SocketTimeoutError:
        e.kind = NetError::Kind::Timeout;
        break;
    default:
        e.kind = NetError::Kind::Other;
        break;
    }
    return e;
}

// An IPv4 address when the host has one.
std::optional<QHostAddress> preferredAddress(const QList<QHostAddress>& addresses) {
    for (const QHostAddress& candidate : addresses)
        if (candidate.protocol() == QAbstractSocket::IPv4Protocol) return candidate;
    if (!addresses.isEmpty()) return addresses.first();
    return std::nullopt;
}

HostLookup lookupAnswer(const std::string& host, const QHostInfo& info) {
    if (const auto address = preferredAddress(info.addresses()))
        return HostLookup{address->toString().toStdString(), {}};
    const std::string error = info.errorString().toStdString();
    return HostLookup{std::nullopt, error.empty() ? "Host " + host + " not found" : error};
}

// An unconnected socket that sends to one peer and drops datagrams from anyone else.
class QtUdpChannel : public UdpChannel {
public:
    explicit QtUdpChannel(const QtEventLoop& loop) : m_loop(loop) {
        QObject::connect(&m_socket, &QUdpSocket::readyRead, [this] { readPending(); });
        QObject::connect(&m_socket, &QUdpSocket::errorOccurred,
                         [this](QAbstractSocket::SocketError e) {
                             if (!m_open) return;
                             const NetError error = toNetError(e, m_socket.errorString());
                             m_loop.guard([&] { deliverError(error); });
                         });
    }

    std::optional<NetError> open(const std::string& host, std::uint16_t port) override {
        close();
        // Only an address: a name lookup could block the loop for seconds.
        const QHostAddress parsed(QString::fromStdString(host));
        const std::optional<QHostAddress> address =
            parsed.isNull() ? std::nullopt : std::optional<QHostAddress>(parsed);
        if (!address)
            return NetError{NetError::Kind::HostNotFound, "Host " + host + " is not an address"};
        if (port == 0 || address->isNull() || *address == QHostAddress::Any ||
            *address == QHostAddress::AnyIPv4 || *address == QHostAddress::Broadcast)
            return NetError{NetError::Kind::AddressNotAvailable,
                            "The requested address is not valid in its context"};
        const QHostAddress local = address->protocol() == QAbstractSocket::IPv6Protocol
                                       ? QHostAddress::AnyIPv6
                                       : QHostAddress::AnyIPv4;
        if (!m_socket.bind(local, 0)) return toNetError(m_socket.error(), m_socket.errorString());
        m_peer = *address;
        m_port = port;
        m_open = true;
        return std::nullopt;
    }

    std::optional<NetError> send(std::string_view bytes) override {
        if (!m_open) return NetError{NetError::Kind::Other, "The socket is not open"};
        const qint64 n =
            m_socket.writeDatagram(bytes.data(), static_cast<qint64>(bytes.size()), m_peer, m_port);
        if (n < 0) return toNetError(m_socket.error(), m_socket.errorString());
        return std::nullopt;
    }

    void close() override {
        m_open = false;
        m_socket.close();
    }

    bool isOpen() const override { return m_open; }

private:
    void readPending() {
        // A handler may close the socket while datagrams are still pending.
        while (m_socket.state() == QAbstractSocket::BoundState && m_socket.hasPendingDatagrams()) {
            const QNetworkDatagram datagram = m_socket.receiveDatagram(kMaxDatagram);
            if (!m_open) continue;
            const bool fromPeer =
                datagram.senderPort() == m_port &&
                datagram.senderAddress().isEqual(m_peer, QHostAddress::ConvertV4MappedToIPv4);
            if (!fromPeer) continue;
            const QByteArray data = datagram.data();
            const std::string bytes(data.constData(), static_cast<std::size_t>(data.size()));
            m_loop.guard([&] { deliverDatagram(bytes); });
        }
    }

    const QtEventLoop& m_loop;
    QUdpSocket m_socket;
    QHostAddress m_peer;
    quint16 m_port = 0;
    bool m_open = false;
};

class QtTcpStream : public TcpStream {
public:
    explicit QtTcpStream(const QtEventLoop& loop) : m_loop(loop) {
        QObject::connect(&m_socket, &QTcpSocket::connected,
                         [this] { m_loop.guard([this] { deliverConnected(); }); });
        QObject::connect(&m_socket, &QTcpSocket::readyRead, [this] {
            const QByteArray data = m_socket.readAll();
            if (data.isEmpty()) return;
            const std::string bytes(data.constData(), static_cast<std::size_t>(data.size()));
            m_loop.guard([&] { deliverData(bytes); });
        });
        QObject::connect(&m_socket, &QTcpSocket::disconnected, [this] {
            if (!m_closing) m_loop.guard([this] { deliverClosed(); });
        });
        QObject::connect(&m_socket, &QTcpSocket::errorOccurred,
                         [this](QAbstractSocket::SocketError e) {
                             if (e == QAbstractSocket::RemoteHostClosedError || m_closing) return;
                             const NetError error = toNetError(e, m_socket.errorString());
                             m_loop.guard([&] { deliverError(error); });
                         });
    }

    void connectTo(const std::string& host, std::uint16_t port) override {
        close();
        m_socket.connectToHost(QString::fromStdString(host), port);
    }

    void send(std::string_view bytes) override {
        m_socket.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

    void close() override {
        m_closing = true;
        m_socket.abort();
        m_closing = false;
    }

    State state() const override {
        switch (m_socket.state()) {
        case QAbstractSocket::ConnectedState:
            return State::Connected;
        case QAbstractSocket::HostLookupState:
        case QAbstractSocket::ConnectingState:
            return State::Connecting;
        default:
            return State::Closed;
        }
    }

private:
    const QtEventLoop& m_loop;
    QTcpSocket m_socket;
    bool m_closing = false;
};

} // namespace

QtNetworkFactory::QtNetworkFactory(const QtEventLoop& loop)
    : m_loop(loop), m_context(std::make_unique<QObject>()) {}
QtNetworkFactory::~QtNetworkFactory() = default;

void QtNetworkFactory::lookupHost(const std::string& host, LookupDone done) {
    const QHostAddress numeric(QString::fromStdString(host));
    if (!numeric.isNull()) {
        done(HostLookup{host, {}});
        return;
    }
    // The answer comes on the loop; none after the factory is gone.
    QHostInfo::lookupHost(QString::fromStdString(host), m_context.get(),
                          [this, done = std::move(done), host](const QHostInfo& info) {
                              m_loop.guard([&] { done(lookupAnswer(host, info)); });
                          });
}

std::unique_ptr<UdpChannel> QtNetworkFactory::createUdp(std::string_view) {
    return std::make_unique<QtUdpChannel>(m_loop);
}
std::unique_ptr<TcpStream> QtNetworkFactory::createTcp(std::string_view) {
    return std::make_unique<QtTcpStream>(m_loop);
}

} // namespace corvane::qt
