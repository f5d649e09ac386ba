#pragma once
// UDP and TCP ports on Qt Network.

#include "core/net.h"

#include <memory>

class QObject;

namespace corvane::qt {

class QtNetworkFactory : public NetworkFactory {
public:
    QtNetworkFactory();
    ~QtNetworkFactory() override;
    void lookupHost(const std::string& host, LookupDone done) override;
    std::unique_ptr<UdpChannel> createUdp(std::string_view role) override;
    std::unique_ptr<TcpStream> createTcp(std::string_view role) override;

private:
    std::unique_ptr<QObject> m_context; // lookups end with the factory
};

} // namespace corvane::qt
