#pragma once
// UDP and TCP ports on Qt Network.

#include "core/net.h"

namespace corvane::qt {

class QtNetworkFactory : public NetworkFactory {
public:
    std::unique_ptr<UdpChannel> createUdp(std::string_view role) override;
    std::unique_ptr<TcpStream> createTcp(std::string_view role) override;
};

} // namespace corvane::qt
