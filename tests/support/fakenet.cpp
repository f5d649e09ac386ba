#include "fakenet.h"

#include <stdexcept>

namespace corvane::testing {

namespace {

bool isAddress(const std::string& host) {
    return !host.empty() &&
           host.find_first_not_of("0123456789.:abcdefABCDEF") == std::string::npos &&
           (host.find('.') != std::string::npos || host.find(':') != std::string::npos);
}

} // namespace

std::optional<NetError> FakeUdp::open(const std::string& h, std::uint16_t p) {
    ++openCount;
    host = h;
    port = p;
    if (!isAddress(h))
        return NetError{NetError::Kind::HostNotFound, "Host " + h + " is not an address"};
    if (failNextOpen) {
        auto error = failNextOpen;
        failNextOpen.reset();
        return error;
    }
    if (p == 0)
        return NetError{NetError::Kind::AddressNotAvailable, "The requested address is not valid"};
    m_open = true;
    return std::nullopt;
}

std::optional<NetError> FakeUdp::send(std::string_view bytes) {
    if (failNextSend) {
        auto error = failNextSend;
        failNextSend.reset();
        return error;
    }
    if (!m_open) return NetError{NetError::Kind::Other, "socket is not open"};
    sent.emplace_back(bytes);
    return std::nullopt;
}

void FakeUdp::receive(const std::string& bytes) {
    if (m_open) deliverDatagram(bytes);
}

void FakeTcp::connectTo(const std::string& h, std::uint16_t p) {
    ++connectCount;
    host = h;
    port = p;
    sent.clear();
    m_state = State::Connecting;
}

void FakeTcp::acceptConnection() {
    m_state = State::Connected;
    deliverConnected();
}

void FakeTcp::peerClose() {
    deliverClosed();
}

std::vector<std::string> rconCommands(const FakeUdp& socket, const std::string& password) {
    const std::string header = std::string("\xFF\xFF\xFF\xFF\0", 5) + password + " ";
    std::vector<std::string> out;
    for (const std::string& d : socket.sent)
        out.push_back(d.rfind(header, 0) == 0 ? d.substr(header.size()) : "<bad>" + d);
    return out;
}

void FakeNetworkFactory::lookupHost(const std::string& host, LookupDone done) {
    ++lookups;
    if (isAddress(host)) {
        done(HostLookup{host, {}});
        return;
    }
    const auto found = hosts.find(host);
    const HostLookup answer = found == hosts.end()
                                  ? HostLookup{std::nullopt, "Host " + host + " not found"}
                                  : HostLookup{found->second, {}};
    m_loop.post([done = std::move(done), answer] { done(answer); });
}

std::unique_ptr<UdpChannel> FakeNetworkFactory::createUdp(std::string_view role) {
    auto udp = std::make_unique<FakeUdp>();
    m_udps[std::string(role)] = udp.get();
    return udp;
}

std::unique_ptr<TcpStream> FakeNetworkFactory::createTcp(std::string_view role) {
    auto tcp = std::make_unique<FakeTcp>();
    m_tcps[std::string(role)] = tcp.get();
    return tcp;
}

namespace {

template <typename Socket>
Socket& byRole(const std::map<std::string, Socket*, std::less<>>& sockets, std::string_view role) {
    const auto found = sockets.find(role);
    if (found == sockets.end())
        throw std::logic_error("no socket was made for \"" + std::string(role) + "\"");
    return *found->second;
}

} // namespace

FakeUdp& FakeNetworkFactory::udp(std::string_view role) const {
    return byRole(m_udps, role);
}

FakeTcp& FakeNetworkFactory::tcp(std::string_view role) const {
    return byRole(m_tcps, role);
}

} // namespace corvane::testing
