#pragma once
// Reserved slots: a privileged player (!reserved) or the operator opens a slot
// on a full server by kicking the default-group player with the lowest score.
// Each request first asks for a fresh status reply; the kick is chosen a
// moment after it has been parsed.

#include "rcon/rconqueue.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace corvane {

class ActivityLog;
class EventLoop;
class Settings;
class SlotTable;
class Timer;
struct GroupTable;

class ReservedSlots {
public:
    static constexpr int kDelayMs = 525;
    static constexpr const char* kNoSlots = "Sorry no slots are available";

    // requestStatus asks for a status poll (it must be given).
    ReservedSlots(EventLoop& loop, SlotTable& slots, const Settings& settings,
                  const GroupTable& groups, RconQueue& queue, ActivityLog& log,
                  std::function<void()> requestStatus);
    ~ReservedSlots();
    ReservedSlots(const ReservedSlots&) = delete;
    ReservedSlots& operator=(const ReservedSlots&) = delete;

    // !reserved: one more slot to open; a status poll follows in 525 ms.
    void requestInGame(const CommandIssuer& asker);
    // The operator's "Reserved Slot": one more slot to open, polled at once.
    void requestByOperator();
    // Every parsed status reply: with requests waiting, JoinReserve follows
    // 525 ms later.
    void statusParsed();
    // Opens the pending slots, one victim per request, in the order asked.
    void JoinReserve();

    // The number of slots still to be opened.
    std::int16_t ReservedCount() const { return static_cast<std::int16_t>(m_pending.size()); }
    // Whether one of them was asked by the operator.
    bool ReservedByOperator() const;

private:
    struct Request {
        bool byOperator = false;
        CommandIssuer asker; // who is told when no slot can be opened
    };

    bool add(Request request);
    int chooseVictim(const std::vector<int>& chosen) const;
    void open(const Request& request, int slot);
    void refuse(const std::vector<Request>& unserved);

    SlotTable& m_slots;
    const Settings& m_settings;
    const GroupTable& m_groups;
    RconQueue& m_queue;
    ActivityLog& m_log;
    std::function<void()> m_requestStatus;
    std::unique_ptr<Timer> m_statusTimer;
    std::unique_ptr<Timer> m_reserveTimer;
    std::vector<Request> m_pending;
};

} // namespace corvane
