#pragma once
// The status poll: "teamstatus" on its own socket, the reply assembled from one
// or two datagrams and parsed into the slot table, with the fallback parse,
// the timeout and its retries, and the poll period.

#include "core/ports.h"
#include "core/signal.h"
#include "rcon/linkstate.h"
#include "rcon/playerevents.h"
#include "rcon/teamstatus.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

class ActivityLog;
class ConsoleLog;
class OnlineGrid;
class RconLink;
class RconQueue;
class ServerAddress;
class Settings;
class SlotTable;
class Timer;
class UdpChannel;

class StatusPoll {
public:
    StatusPoll(Ports ports, Settings& settings, const ServerAddress& address, LinkState& state,
               SlotTable& slots, OnlineGrid& grid, RconQueue& queue, RconLink& link,
               ActivityLog& log, ConsoleLog& console, PlayerDirectory& directory,
               NameChecks& nameChecks);
    ~StatusPoll();

    void Command8_Click();
    void PrepStatus();
    void SendStatus();
    void parseNames(const std::vector<std::string>& lines);
    // Once a second: counts towards the next poll.
    void Send10();
    // The delayed request (Timer11): a poll 525 ms from now.
    void requestSoon();
    // Any reply on the command socket also ends the wait for this one.
    void stopTimeout();
    void closeSocket();
    // Shutdown: every poll timer stops.
    void suspendTimers();
    // While the setup wizard is open from the menu the reply timeout and the
    // fallback parse rest; afterwards they run again if they were running.
    struct RestingTimers {
        bool timeout = false;
        bool fallback = false;
    };
    RestingTimers restForSetup();
    void resumeAfterSetup(RestingTimers resting);

    // The slot numbers of the rows of the last reply, in reply order; emptied
    // at each parse.
    const std::vector<std::string>& statusSlotList() const { return m_statusSlots; }

    static constexpr std::size_t kTwoDatagramSize = 1167;

    // A reply was parsed into the slot table.
    Signal<> parsed;

private:
    void onDatagram(const std::string& datagram);
    void onTimeout();
    void fallbackParse();
    void takePlayer(const StatusRow& row, bool& firstCounted);

    Ports m_ports;
    Settings& m_settings;
    const ServerAddress& m_address;
    LinkState& m_state;
    SlotTable& m_slots;
    OnlineGrid& m_grid;
    RconQueue& m_queue;
    RconLink& m_link;
    ActivityLog& m_log;
    ConsoleLog& m_console;
    PlayerDirectory& m_directory;
    NameChecks& m_nameChecks;

    std::unique_ptr<UdpChannel> m_socket;
    std::unique_ptr<Timer> m_timer11; // delayed request
    std::unique_ptr<Timer> m_timer21; // deferred poll while the queue is busy
    std::unique_ptr<Timer> m_timer13; // fallback parse
    std::unique_ptr<Timer> m_timer20; // timeout and retry
    std::unique_ptr<Timer> m_timer35; // releases the send lock

    bool m_statusParsed = false;
    std::int16_t m_packetCount = 0;
    std::string m_buffer;
    bool m_sendLock = false;
    bool m_retryArmed = false;
    std::int16_t m_retries = 0;
    std::int32_t m_periodSeconds = 0;
    std::vector<std::string> m_statusSlots;
};

} // namespace corvane
