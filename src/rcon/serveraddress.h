#pragma once
// The game server's address, resolved from the configured host without
// blocking: when the configuration is loaded, not for every datagram. Until
// the lookup answers nothing is sent; a failed lookup is reported once and
// tried again every half minute, quietly, until it succeeds.

#include <memory>
#include <optional>
#include <string>

namespace corvane {

class ActivityLog;
class EventLoop;
class NetworkFactory;
class Timer;

class ServerAddress {
public:
    static constexpr int kRetryMs = 30000;

    ServerAddress(EventLoop& loop, NetworkFactory& net, ActivityLog& log);
    ~ServerAddress();
    ServerAddress(const ServerAddress&) = delete;
    ServerAddress& operator=(const ServerAddress&) = delete;

    // Starts resolving the host (a name or an address); an answer to an
    // earlier host is ignored from now on.
    void resolve(const std::string& host);

    // The numeric address to send to; nothing while unknown.
    const std::optional<std::string>& address() const { return m_address; }
    // The last lookup failed (a retry is due).
    bool failed() const { return m_failed; }

private:
    void lookUp();

    NetworkFactory& m_net;
    ActivityLog& m_log;
    std::unique_ptr<Timer> m_retry;
    std::string m_host;
    std::optional<std::string> m_address;
    bool m_failed = false;
    bool m_reported = false;
    // Answers carry the generation they were asked in, and are ignored once
    // this object is gone or another host is being resolved.
    std::shared_ptr<unsigned> m_generation = std::make_shared<unsigned>(0);
};

} // namespace corvane
