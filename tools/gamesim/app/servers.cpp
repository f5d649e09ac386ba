#include "gamesim/app/servers.h"

#include "gamesim/core/datagram.h"

#include <QNetworkDatagram>

#include <cstdio>
#include <unistd.h>

namespace gamesim::app {
namespace {

std::string endpoint(const QHostAddress& address, quint16 port) {
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    const QString host = isV4 ? QHostAddress(v4).toString() : address.toString();
    return host.toStdString() + ":" + std::to_string(port);
}

QByteArray bytesOf(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

RconServer::RconServer(Simulator& sim, AfterEvent after) : m_sim(sim), m_after(std::move(after)) {
    QObject::connect(&m_socket, &QUdpSocket::readyRead, [this] { readPending(); });
}

bool RconServer::listen(const QHostAddress& address, quint16 port, QString& error) {
    if (m_socket.bind(address, port)) return true;
    error = m_socket.errorString();
    return false;
}

void RconServer::readPending() {
    while (m_socket.hasPendingDatagrams()) {
        // Anything longer than a request can be is cut here and ignored by the simulator.
        const QNetworkDatagram in = m_socket.receiveDatagram(kMaxRequestBytes + 1);
        const QByteArray data = in.data();
        const QHostAddress peer = in.senderAddress();
        const quint16 peerPort = static_cast<quint16>(in.senderPort());
        const auto replies = m_sim.onDatagram(
            std::string_view(data.constData(), static_cast<std::size_t>(data.size())),
            endpoint(peer, peerPort));
        for (const OutgoingDatagram& out : replies) {
            const QByteArray bytes = bytesOf(out.bytes);
            if (out.delayMs <= 0) {
                m_socket.writeDatagram(bytes, peer, peerPort);
            } else {
                QTimer::singleShot(out.delayMs, &m_socket, [this, bytes, peer, peerPort] {
                    m_socket.writeDatagram(bytes, peer, peerPort);
                });
            }
        }
        m_after();
    }
}

HttpServer::HttpServer(Simulator& sim) : m_sim(sim) {
    QObject::connect(&m_server, &QTcpServer::newConnection, [this] { accept(); });
}

bool HttpServer::listen(const QHostAddress& address, quint16 port, QString& error) {
    if (m_server.listen(address, port)) return true;
    error = m_server.errorString();
    return false;
}

void HttpServer::accept() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        if (static_cast<int>(m_connections.size()) >= kMaxConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto c = std::make_unique<Connection>();
        c->socket = socket;
        Connection& conn = *c;
        m_connections[socket] = std::move(c);
        conn.idle = new QTimer(socket);
        conn.idle->setSingleShot(true);
        conn.idle->setInterval(kIdleMs);
        QObject::connect(conn.idle, &QTimer::timeout, [this, socket] { drop(socket); });
        QObject::connect(socket, &QTcpSocket::readyRead, [this, socket] {
            const auto it = m_connections.find(socket);
            if (it != m_connections.end()) readable(*it->second);
        });
        QObject::connect(socket, &QTcpSocket::disconnected, [this, socket] { drop(socket); });
        conn.idle->start();
    }
}

void HttpServer::readable(Connection& c) {
    const QByteArray data = c.socket->readAll();
    if (c.stalled || c.closing) return;
    c.idle->start();
    const std::string peer = endpoint(c.socket->peerAddress(), c.socket->peerPort());
    auto status =
        c.reader.feed(std::string_view(data.constData(), static_cast<std::size_t>(data.size())));
    while (status == HttpRequestReader::Status::Ready) {
        const HttpAnswer answer = m_sim.onHttpRequest(c.reader.take(), peer);
        if (answer.stall) {
            c.stalled = true;
            return;
        }
        c.socket->write(bytesOf(answer.bytes));
        if (answer.close) {
            c.closing = true;
            c.socket->disconnectFromHost();
            return;
        }
        status = c.reader.feed({});
    }
    if (status == HttpRequestReader::Status::Bad) {
        c.socket->write(bytesOf(m_sim.onBadHttpRequest(peer).bytes));
        c.closing = true;
        c.socket->disconnectFromHost();
    }
}

void HttpServer::drop(QTcpSocket* socket) {
    const auto it = m_connections.find(socket);
    if (it == m_connections.end()) return;
    it->second->idle->stop();
    m_connections.erase(it);
    QObject::disconnect(socket, nullptr, nullptr, nullptr);
    socket->abort();
    socket->deleteLater();
}

ControlServer::ControlServer(Simulator& sim, AfterEvent after)
    : m_sim(sim), m_after(std::move(after)) {
    QObject::connect(&m_server, &QTcpServer::newConnection, [this] { accept(); });
}

bool ControlServer::listen(const QHostAddress& address, quint16 port, QString& error) {
    if (m_server.listen(address, port)) return true;
    error = m_server.errorString();
    return false;
}

void ControlServer::accept() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        if (static_cast<int>(m_buffers.size()) >= kMaxConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        m_buffers[socket];
        QObject::connect(socket, &QTcpSocket::readyRead, [this, socket] { readable(socket); });
        QObject::connect(socket, &QTcpSocket::disconnected, [this, socket] {
            m_buffers.erase(socket);
            socket->deleteLater();
        });
    }
}

void ControlServer::readable(QTcpSocket* socket) {
    const auto it = m_buffers.find(socket);
    if (it == m_buffers.end()) return;
    std::string& buffer = it->second;
    const QByteArray data = socket->readAll();
    buffer.append(data.constData(), static_cast<std::size_t>(data.size()));
    std::size_t lf;
    while ((lf = buffer.find('\n')) != std::string::npos) {
        const std::string line = buffer.substr(0, lf);
        buffer.erase(0, lf + 1);
        socket->write(bytesOf(m_sim.onControl(line, "tcp") + "\n"));
        m_after();
    }
    if (buffer.size() > kMaxLine) {
        socket->write("error line too long\n");
        buffer.clear();
        socket->disconnectFromHost();
    }
}

StdinControl::StdinControl(Simulator& sim, AfterEvent after)
    : m_sim(sim), m_after(std::move(after)) {
    m_notifier = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { readable(); });
}

void StdinControl::readable() {
    char chunk[4096];
    const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
    if (n <= 0) {
        m_notifier->setEnabled(false); // end of input: the simulator keeps running
        return;
    }
    m_buffer.append(chunk, static_cast<std::size_t>(n));
    std::size_t lf;
    while ((lf = m_buffer.find('\n')) != std::string::npos) {
        const std::string line = m_buffer.substr(0, lf);
        m_buffer.erase(0, lf + 1);
        const std::string answer = m_sim.onControl(line, "stdin") + "\n";
        std::fputs(answer.c_str(), stdout);
        std::fflush(stdout);
        m_after();
    }
    if (m_buffer.size() > ControlServer::kMaxLine) m_buffer.clear();
}

} // namespace gamesim::app
