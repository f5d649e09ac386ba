#include "rcon/statuspoll.h"

#include "core/activitylog.h"
#include "core/consolelog.h"
#include "core/eventloop.h"
#include "core/gametext.h"
#include "core/modsettings.h"
#include "core/net.h"
#include "core/numbers.h"
#include "core/settings.h"
#include "rcon/onlinegrid.h"
#include "rcon/rcondatagram.h"
#include "rcon/rconlink.h"
#include "rcon/rconqueue.h"
#include "rcon/serveraddress.h"
#include "rcon/slottable.h"

namespace corvane {
namespace {

// The status buffer holds at most one reply of two datagrams.
constexpr std::size_t kMaxBuffer = 2 * kMaxReply;

} // namespace

StatusPoll::StatusPoll(Ports ports, Settings& settings, const ServerAddress& address,
                       LinkState& state, SlotTable& slots, OnlineGrid& grid, RconQueue& queue,
                       RconLink& link, ActivityLog& log, ConsoleLog& console,
                       PlayerDirectory& directory, NameChecks& nameChecks)
    : m_ports(ports), m_settings(settings), m_address(address), m_state(state), m_slots(slots),
      m_grid(grid), m_queue(queue), m_link(link), m_log(log), m_console(console),
      m_directory(directory), m_nameChecks(nameChecks), m_socket(ports.net.createUdp("status")) {
    EventLoop& loop = ports.loop;
    m_timer11 = loop.createTimer(525, true, [this] { Command8_Click(); });
    m_timer21 = loop.createTimer(525, true, [this] { PrepStatus(); });
    m_timer13 = loop.createTimer(1500, true, [this] { fallbackParse(); });
    m_timer20 = loop.createTimer(9000, true, [this] { onTimeout(); });
    m_timer35 = loop.createTimer(525, true, [this] { m_sendLock = false; });
    m_socket->setEvents({[this](const std::string& d) { onDatagram(d); },
                         [this](const NetError& e) { m_log.SMS(e.description); }});
}

StatusPoll::~StatusPoll() = default;

void StatusPoll::Command8_Click() {
    if (m_queue.empty()) {
        PrepStatus();
        return;
    }
    m_state.StatusPending = true;
    m_timer21->start();
}

void StatusPoll::requestSoon() {
    m_timer11->start();
}

void StatusPoll::PrepStatus() {
    // A second query within 525 ms of the last is suppressed whole: the poll
    // under way keeps its state, and no fallback parse of an empty buffer
    // empties the table.
    if (m_sendLock) return;
    if (!m_address.address()) {
        // Asked again once the lookup answers; after a failed one the next
        // poll comes with the next request.
        m_state.StatusPending = false;
        if (!m_address.failed()) m_timer21->start();
        return;
    }
    m_timer13->start();
    m_slots.OnlineCount = 0;
    m_statusParsed = false;
    m_packetCount = 0;
    // A reply that never completed is not put in front of this poll's own.
    m_buffer.clear();
    SendStatus();
}

void StatusPoll::SendStatus() {
    const std::optional<std::string>& address = m_address.address();
    if (m_sendLock || !address) return;
    m_timer35->start();
    m_sendLock = true;

    std::optional<NetError> error;
    if (m_packetCount == 0) {
        m_timer20->start();
        m_retryArmed = true;
        m_state.StatusPending = true;
        error = openToServer(*m_socket, *address, m_settings.config);
    }
    m_console.SmsConsole("]teamstatus");
    if (!error) error = sendCommand(*m_socket, m_settings.config, "teamstatus");
    if (error) {
        m_state.StatusPending = false;
        reportSendError(*error, m_log);
    }
}

void StatusPoll::onDatagram(const std::string& datagram) {
    ++m_packetCount;
    m_retries = 0;
    m_timer20->stop();
    m_retryArmed = false;

    const std::string text = CleanRconReply(datagram, false);
    if (text.size() >= 21 && text.compare(7, 14, "Invalid passwo") == 0)
        m_log.SMS("Invalid Password", kRed);
    m_console.showInView(text);
    m_console.SmsConsole(text);

    if (m_buffer.size() + text.size() <= kMaxBuffer) m_buffer += text;
    const bool complete =
        (m_packetCount == 1 && datagram.size() < kTwoDatagramSize) || m_packetCount == 2;
    if (complete) {
        m_state.StatusPending = false;
        parseNames(splitAt(m_buffer, "\r\n"));
        m_buffer.clear();
    }
}

void StatusPoll::fallbackParse() {
    if (m_statusParsed) return;
    // Part of a reply arrived but not the rest: that reply already stopped the
    // timeout, so nothing else would ever let the queue send again.
    if (m_packetCount > 0) m_state.StatusPending = false;
    parseNames(splitAt(m_buffer, "\r\n"));
}

void StatusPoll::stopTimeout() {
    m_timer20->stop();
}

void StatusPoll::onTimeout() {
    m_link.startPump();
    m_state.StatusPending = false;
    if (!m_retryArmed) return;
    if (++m_retries != 3) {
        Command8_Click();
        return;
    }
    m_retries = 0;
    m_retryArmed = false;
    m_log.SMS("RCON connection error retrieving status - timeout", kRed);
}

void StatusPoll::Send10() {
    const std::int16_t period = m_settings.advanced.StatusPollPeriod;
    // A period of zero or less never polls, and the counter stays put.
    if (period <= 0) return;
    if (++m_periodSeconds >= period) {
        m_periodSeconds = 0;
        m_timer11->start();
    }
}

void StatusPoll::closeSocket() {
    m_socket->close();
}

void StatusPoll::suspendTimers() {
    for (Timer* t :
         {m_timer11.get(), m_timer21.get(), m_timer13.get(), m_timer20.get(), m_timer35.get()})
        t->stop();
}

StatusPoll::RestingTimers StatusPoll::restForSetup() {
    const RestingTimers resting{m_timer20->isActive(), m_timer13->isActive()};
    m_timer20->stop();
    m_timer13->stop();
    return resting;
}

void StatusPoll::resumeAfterSetup(RestingTimers resting) {
    if (resting.timeout) m_timer20->start();
    if (resting.fallback) m_timer13->start();
}

void StatusPoll::parseNames(const std::vector<std::string>& lines) {
    m_link.stopPump();
    m_timer13->stop();
    m_statusParsed = true;
    m_slots.OnlineCount = 0;
    m_grid.ClearAllSlots();
    m_statusSlots.clear();
    const std::int16_t maxClients = m_settings.config.MaxClients;
    m_slots.ClearClients(maxClients);
    m_slots.ClearPlayers();

    const TeamStatus status = parseTeamStatus(lines);
    if (status.map) m_state.CurrentMap = *status.map;
    bool firstCounted = false;
    for (const StatusRow& row : status.rows) {
        // A slot number already taken by an earlier row is the same player again.
        if (m_slots.FindClient(row.slot)) continue;
        m_statusSlots.push_back(row.slot);
        if (m_slots.OnlineCount == maxClients) continue;
        takePlayer(row, firstCounted);
    }

    m_slots.DemoClientPresent = m_slots[0].SlotName == kDemoClientName;
    if (firstCounted) --m_slots.OnlineCount;
    m_slots.updateShownPlayers(maxClients);
    m_slots.changed.notify();
    m_link.startPump();
    parsed.notify();
}

void StatusPoll::takePlayer(const StatusRow& row, bool& firstCounted) {
    const ModSettings& mod = m_settings.mod;
    const bool removed =
        mod.KickUnknownSoldiers && m_nameChecks.CheckBadNames(row.name, row.slot, row.guid);
    if (mod.KickXboxNames && !removed) m_nameChecks.CheckBadxBox(row.name, row.slot, row.guid);

    std::int16_t& count = m_slots.OnlineCount;
    if (count != 0) {
        const int previous = count - 1;
        if (previous < SlotTable::kSlots && row.name == m_slots[previous].SlotName) return;
    } else if (row.name != kDemoClientName) {
        count = 1;
        firstCounted = true;
    }

    const int slot = SlotTable::slotNumber(row.slot);
    SlotEntry& e = m_slots[slot];
    if (row.name != kDemoClientName) {
        // A player whose registration fails is still shown online.
        m_slots.playerSeen.notifyEach(
            [this](const std::exception& error) {
                m_log.SMS(std::string("Error registering a player: ") + error.what(), kRed);
            },
            SeenPlayer{row.name, row.guid, row.slot});
        e.SlotNumber = static_cast<std::int16_t>(slot);
        e.SlotGUID = row.guid;
        e.SlotScore = row.score;
        e.SlotGroup = m_directory.CheckAdminGroup(row.guid);
    }
    e.SlotName = row.name;
    ++count;
    if (row.name == kDemoClientName) m_state.RconAllowed = true;
}

} // namespace corvane
