#include "fakenet.h"

namespace corvane::testing {

std::optional<NetError> FakeUdp::open(const std::string& h, std::uint16_t p) {
    ++openCount;
    host = h;
    port = p;
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

std::unique_ptr<UdpChannel> FakeNetworkFactory::createUdp() {
    auto udp = std::make_unique<FakeUdp>();
    udps.push_back(udp.get());
    return udp;
}

std::unique_ptr<TcpStream> FakeNetworkFactory::createTcp() {
    auto tcp = std::make_unique<FakeTcp>();
    tcps.push_back(tcp.get());
    return tcp;
}

} // namespace corvane::testing
