#include "rcon/rconlink.h"

#include "core/activitylog.h"
#include "core/chatlog.h"
#include "core/consolelog.h"
#include "core/criticalerrors.h"
#include "core/eventloop.h"
#include "core/gametext.h"
#include "core/net.h"
#include "core/numbers.h"
#include "core/settings.h"
#include "rcon/rcondatagram.h"
#include "rcon/serveraddress.h"
#include "rcon/slottable.h"

namespace corvane {

std::optional<NetError> openToServer(UdpChannel& socket, const std::string& address,
                                     const ServerConfig& config) {
    socket.close();
    const auto port = toInt32(config.Port);
    const bool usable = port && *port > 0 && *port <= 65535;
    return socket.open(address, usable ? static_cast<std::uint16_t>(*port) : 0);
}

std::optional<NetError> sendCommand(UdpChannel& socket, const ServerConfig& config,
                                    const std::string& command) {
    return socket.send(buildRconRequest(config.RconPassword, command));
}

void reportSendError(const NetError& error, ActivityLog& log) {
    if (error.kind == NetError::Kind::AddressNotAvailable)
        log.SMS("Unable to connect to server, check port", kRed);
    else
        log.SMS(error.description, kRed);
}

RconLink::RconLink(Ports ports, const Settings& settings, const ServerAddress& address,
                   const CriticalErrors& errors, LinkState& state, RconQueue& queue,
                   const SlotTable& slots, ActivityLog& log, ConsoleLog& console, ChatLog& chat,
                   const ReasonTexts& reasons, const RuleCount& rules)
    : m_ports(ports), m_settings(settings), m_address(address), m_errors(errors), m_state(state),
      m_queue(queue), m_slots(slots), m_log(log), m_console(console), m_chat(chat),
      m_reasons(reasons), m_rules(rules), m_socket(ports.net.createUdp("command")),
      m_timer5(ports.loop.createTimer(525, false, [this] { Timer5_Timer(); })) {
    m_socket->setEvents({[this](const std::string& d) { onReply(d); }, {}});
}

RconLink::~RconLink() = default;

void RconLink::startPump() {
    m_timer5->start();
}
void RconLink::stopPump() {
    m_timer5->stop();
}
bool RconLink::pumpRunning() const {
    return m_timer5->isActive();
}

void RconLink::setPumpInterval(int ms) {
    // A period of zero or less would stop the pump for good (or flood the
    // server): keep the usual pace then.
    m_timer5->setInterval(ms > 0 ? ms : 525);
}

void RconLink::SendRCON(const std::string& command) {
    const std::optional<std::string>& address = m_address.address();
    auto error = address ? openToServer(*m_socket, *address, m_settings.config)
                         : NetError{NetError::Kind::HostNotFound,
                                    "The game server's address is not known yet"};
    m_console.SmsConsole("]" + command);
    if (!error) error = sendCommand(*m_socket, m_settings.config, command);
    if (error) reportSendError(*error, m_log);
}

void RconLink::closeSocket() {
    m_socket->close();
}

// "clientkick <slot> <reason>"" becomes "clientkick <slot> " - ^1Reason: ^2<reason>"
// with every blank of the reason turned into "^2 "; the same for temporary bans.
// Only a line that begins with the word is one: a said text or a welcome that
// merely contains it (a player may call himself "clientkick 3 x") is left alone.
std::string RconLink::rewriteSanction(std::string line) const {
    for (const std::string_view keyword :
         {std::string_view("clientkick "), std::string_view("tempbanclient ")}) {
        if (line.rfind(keyword, 0) != 0) continue;
        const std::size_t after = keyword.size();
        const std::string slot = trimBlanks(after < line.size() ? line.substr(after, 2) : "");
        std::string reason = after + 2 < line.size() ? line.substr(after + 2) : "";
        // The reason carries player text; only its closing quote is ours.
        const bool closed = !reason.empty() && reason.back() == '"';
        if (closed) reason.pop_back();
        reason = replaceAll(neutralize(reason), " ", "^2 ") + (closed ? "\"" : "");
        line = std::string(keyword) + slot + " \" - ^1Reason: ^2" + reason;
    }
    return line;
}

void RconLink::Timer5_Timer() {
    // Nothing goes out until the server's address is known; the lines wait.
    if (m_errors.active() || !m_state.RconAllowed || m_state.StatusPending || m_paused ||
        m_queue.empty() || !m_address.address())
        return;
    const RconEntry entry = m_queue.front();
    std::string line = entry.line;

    // An unbound line carries slot 0, which is usable too.
    if (entry.slot >= 0 && entry.slot < SlotTable::kSlots) {
        if (entry.bound() && m_slots[entry.slot].SlotGUID != entry.guid) {
            m_queue.popFront(); // the player left: dropped unsent
            return;
        }
        line = rewriteSanction(std::move(line));
    }

    if (line.size() >= 2 && line.compare(line.size() - 2, 2, "|r") == 0) {
        line.resize(line.size() - 2);
        if (m_rules.rulesLoaded() > 4) {
            if (m_rulePacing) {
                m_rulePacing = false;
                return; // goes out on the next tick
            }
            m_rulePacing = true;
        }
    } else {
        m_rulePacing = false;
    }

    line = CheckReasons(std::move(line), m_reasons);
    SendRCON(line);
    m_queue.popFront();
}

void RconLink::onReply(const std::string& datagram) {
    const std::string text = CleanRconReply(datagram, true);
    m_console.showInView(text);
    m_console.SmsConsole(text);
    replyArrived.notify();
    if (isPlaylistReply(text)) {
        if (const auto playlist = playlistValue(text)) m_state.CurrentPlaylist = *playlist;
        playlistReplied.notify(m_state.CurrentPlaylist);
    }
    if (m_socket->isOpen()) m_socket->close();
}

void RconLink::operatorSay(const std::string& text) {
    RichText& view = m_chat.view();
    view.append("\r\nConsole: ", kRed, true);
    view.append(text, kBlack, false);
    m_queue.pushBack("say  " + neutralize(text));
    m_chat.SaveChatF("Console: " + text);
}

void RconLink::operatorCommand(const std::string& text) {
    if (equalsIgnoringCase(text, "RULES")) {
        rulesRequested.notify();
        return;
    }
    m_queue.pushFront(text); // the owner's own console line goes out as typed
}

} // namespace corvane
