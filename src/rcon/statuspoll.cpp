#include "rcon/statuspoll.h"

#include "core/activitylog.h"
#include "core/consolelog.h"
#include "core/eventloop.h"
#include "core/gametext.h"
#include "core/net.h"
#include "core/numbers.h"
#include "core/settings.h"
#include "rcon/onlinegrid.h"
#include "rcon/rcondatagram.h"
#include "rcon/rconlink.h"
#include "rcon/rconqueue.h"
#include "rcon/slottable.h"

namespace corvane {
namespace {

// The status buffer holds at most one reply of two datagrams.
constexpr std::size_t kMaxBuffer = 2 * kMaxReply;

bool endsWith(const std::string& text, std::string_view tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

std::vector<std::string> statusTokens(const std::string& line) {
    std::vector<std::string> tokens;
    std::size_t i = 0;
    while (i < line.size() && tokens.size() < 100) {
        const std::size_t blank = line.find(' ', i);
        const std::size_t end = blank == std::string::npos ? line.size() : blank;
        if (end > i) tokens.push_back(line.substr(i, end - i));
        i = end + 1;
    }
    return tokens;
}

StatusPoll::StatusPoll(Ports ports, Settings& settings, LinkState& state, SlotTable& slots,
                       OnlineGrid& grid, RconQueue& queue, RconLink& link, ActivityLog& log,
                       ConsoleLog& console, const PlayerHooks& hooks)
    : m_ports(ports), m_settings(settings), m_state(state), m_slots(slots), m_grid(grid),
      m_queue(queue), m_link(link), m_log(log), m_console(console), m_hooks(hooks),
      m_socket(ports.net.createUdp()) {
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
    m_timer13->start();
    m_slots.OnlineCount = 0;
    m_statusParsed = false;
    m_packetCount = 0;
    // A reply that never completed is not put in front of this poll's own.
    m_buffer.clear();
    SendStatus();
}

void StatusPoll::SendStatus() {
    if (m_sendLock) return;
    m_timer35->start();
    m_sendLock = true;

    std::optional<NetError> error;
    if (m_packetCount == 0) {
        m_timer20->start();
        m_retryArmed = true;
        m_state.StatusPending = true;
        error = openToServer(*m_socket, m_settings.config);
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
    m_secondList.clear();
    const std::int16_t maxClients = m_settings.config.MaxClients;
    m_slots.ClearClients(maxClients);
    m_slots.ClearPlayers();

    bool firstCounted = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string> tokens = statusTokens(lines[i]);
        const std::string* next = i + 1 < lines.size() ? &lines[i + 1] : nullptr;
        for (std::size_t t = 0; t < tokens.size(); ++t) {
            if (t == 4 && tokens[4] != "lastmsg" && tokens[4] != "-------") {
                try {
                    parsePlayerRow(lines[i], tokens, next, true, firstCounted);
                } catch (const std::exception&) {
                    // a malformed row or a failing registration skips this row only
                }
            } else if (t != 4 && tokens[t] == "map:" && tokens.size() > 1) {
                m_state.CurrentMap = tokens[1];
            }
        }
    }

    m_slots.DemoClientPresent = m_slots[0].SlotName == kDemoClientName;
    if (firstCounted) --m_slots.OnlineCount;
    m_slots.updateShownPlayers(maxClients);
    m_slots.changed.notify();
    if (m_settings.mod.AutoRefreshPlayers && m_hooks.refreshPlayerLog) m_hooks.refreshPlayerLog();
    m_link.startPump();
    if (m_hooks.statusParsed) m_hooks.statusParsed();
}

// One player row. A row cut at the datagram boundary ends in "print" and goes
// on in the next line: it is joined to it and taken again.
void StatusPoll::parsePlayerRow(const std::string& line, const std::vector<std::string>& tokens,
                                const std::string* nextLine, bool mayJoin, bool& firstCounted) {
    if (m_slots.FindClient(tokens[0]) || tokens[4].size() < 2 || tokens[0].empty() ||
        !isINT(tokens[0]))
        return;
    m_statusSlots.push_back(tokens[0]);
    if (m_slots.OnlineCount == m_settings.config.MaxClients) return;
    if (mayJoin && endsWith(tokens.back(), "print")) {
        const std::string joined = replaceAll(line, "print", "") + (nextLine ? *nextLine : "");
        const std::vector<std::string> again = statusTokens(joined);
        if (again.size() >= 5 && again[4] != "lastmsg" && again[4] != "-------")
            parsePlayerRow(joined, again, nullptr, false, firstCounted);
        return;
    }
    takePlayer(tokens, firstCounted);
}

// The name runs from the fifth token; a row has ten tokens when the name has
// no blank, and every token beyond ten belongs to the name.
std::string statusRowName(const std::vector<std::string>& tokens) {
    std::string name;
    for (std::size_t k = 4; k < tokens.size() && k + 6 <= tokens.size(); ++k)
        name += (name.empty() ? "" : " ") + tokens[k];
    return name;
}

void StatusPoll::takePlayer(const std::vector<std::string>& tokens, bool& firstCounted) {
    const std::string name = statusRowName(tokens);
    const std::string& slotText = tokens[0];
    bool removed = false;
    if (m_settings.mod.KickUnknownSoldiers && m_hooks.CheckBadNames)
        removed = m_hooks.CheckBadNames(name, slotText, tokens[3]);
    if (m_settings.mod.KickXboxNames && m_hooks.CheckBadxBox && !removed)
        m_hooks.CheckBadxBox(name, slotText, tokens[3]);

    std::int16_t& count = m_slots.OnlineCount;
    if (count != 0) {
        const int previous = count - 1;
        if (previous < SlotTable::kSlots && name == m_slots[previous].SlotName) return;
    } else if (name != kDemoClientName) {
        count = 1;
        firstCounted = true;
    }

    const int slot = SlotTable::slotNumber(slotText); // a bad number skips the row
    SlotEntry& e = m_slots[slot];
    if (name != kDemoClientName) {
        if (m_hooks.CheckPlayerDB) m_hooks.CheckPlayerDB(name, tokens[3], slotText);
        e.SlotNumber = static_cast<std::int16_t>(slot);
        e.SlotGUID = tokens[3];
        e.SlotScore = tokens[1];
        e.SlotGroup = m_hooks.CheckAdminGroup ? m_hooks.CheckAdminGroup(tokens[3]) : std::string();
    }
    e.SlotName = name;
    ++count;
    if (name == kDemoClientName) m_state.RconAllowed = true;
}

} // namespace corvane
