#pragma once
// UDP and TCP ports on Qt Network.

#include "core/net.h"
#include "platform/qt/qteventloop.h"

#include <memory>

class QObject;

namespace corvane::qt {

class QtNetworkFactory : public NetworkFactory {
public:
    // Socket events are delivered at the loop's edge (see QtEventLoop::guard).
    explicit QtNetworkFactory(const QtEventLoop& loop);
    ~QtNetworkFactory() override;
    void lookupHost(const std::string& host, LookupDone done) override;
    std::unique_ptr<UdpChannel> createUdp(std::string_view role) override;
    std::unique_ptr<TcpStream> createTcp(std::string_view role) override;

private:
    const QtEventLoop& m_loop;
    std::unique_ptr<QObject> m_context; // lookups end with the factory
};

} // namespace corvane::qt
