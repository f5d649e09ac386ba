#pragma once
// The simulator's doors on Qt Network: the remote console on UDP, the log host
// on TCP, and the control channel on TCP and stdin. They only move bytes; the
// Simulator decides every answer.

#include "gamesim/core/simulator.h"

#include <QHostAddress>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace gamesim::app {

// Called after every handled event, so the program can notice an exit request.
using AfterEvent = std::function<void()>;

class RconServer {
public:
    RconServer(Simulator& sim, AfterEvent after);
    bool listen(const QHostAddress& address, quint16 port, QString& error);
    quint16 port() const { return m_socket.localPort(); }

private:
    void readPending();

    Simulator& m_sim;
    AfterEvent m_after;
    QUdpSocket m_socket;
};

class HttpServer {
public:
    static constexpr int kMaxConnections = 64;
    static constexpr int kIdleMs = 120000;

    explicit HttpServer(Simulator& sim);
    bool listen(const QHostAddress& address, quint16 port, QString& error);
    quint16 port() const { return m_server.serverPort(); }

private:
    struct Connection {
        QTcpSocket* socket = nullptr;
        HttpRequestReader reader;
        QTimer* idle = nullptr; // owned by the socket
        bool stalled = false;
        bool closing = false;
    };
    void accept();
    void readable(Connection& c);
    void drop(QTcpSocket* socket);

    Simulator& m_sim;
    QTcpServer m_server;
    std::map<QTcpSocket*, std::unique_ptr<Connection>> m_connections;
};

// Line-based control on a loopback TCP port; each line gets one answer line.
class ControlServer {
public:
    static constexpr std::size_t kMaxLine = 4096;
    static constexpr int kMaxConnections = 16;

    ControlServer(Simulator& sim, AfterEvent after);
    bool listen(const QHostAddress& address, quint16 port, QString& error);
    quint16 port() const { return m_server.serverPort(); }

private:
    void accept();
    void readable(QTcpSocket* socket);

    Simulator& m_sim;
    AfterEvent m_after;
    QTcpServer m_server;
    std::map<QTcpSocket*, std::string> m_buffers;
};

// The same control lines on standard input; answers go to standard output.
class StdinControl {
public:
    StdinControl(Simulator& sim, AfterEvent after);

private:
    void readable();

    Simulator& m_sim;
    AfterEvent m_after;
    std::string m_buffer;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace gamesim::app
