#include "rcon/serveraddress.h"

#include "core/activitylog.h"
#include "core/eventloop.h"
#include "core/net.h"

namespace corvane {

ServerAddress::ServerAddress(EventLoop& loop, NetworkFactory& net, ActivityLog& log)
    : m_net(net), m_log(log), m_retry(loop.createTimer(kRetryMs, true, [this] { lookUp(); })) {}

ServerAddress::~ServerAddress() = default;

void ServerAddress::resolve(const std::string& host) {
    m_host = host;
    m_address.reset();
    m_failed = false;
    m_reported = false;
    m_retry->stop();
    lookUp();
}

void ServerAddress::lookUp() {
    const unsigned generation = ++*m_generation;
    std::weak_ptr<unsigned> current = m_generation;
    m_net.lookupHost(m_host, [this, current, generation](const HostLookup& answer) {
        const auto alive = current.lock();
        if (!alive || *alive != generation) return;
        if (answer.address) {
            m_address = answer.address;
            m_failed = false;
            m_reported = false;
            return;
        }
        m_failed = true;
        if (!m_reported)
            m_log.SMS("Unable to find the game server " + m_host + ": " + answer.error, kRed);
        m_reported = true;
        m_retry->start();
    });
}

} // namespace corvane
