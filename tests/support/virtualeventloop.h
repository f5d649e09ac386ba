#pragma once
// An event loop on virtual time: nothing real is waited for. advance(ms) moves
// the clock and fires every timer that falls due, in deadline order; timers due
// at the same moment fire in the order they were started.

#include "core/eventloop.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace corvane::testing {

class VirtualEventLoop : public EventLoop {
public:
    VirtualEventLoop();
    ~VirtualEventLoop() override;

    std::unique_ptr<Timer> createTimer(int intervalMs, bool singleShot,
                                       std::function<void()> callback) override;
    void post(std::function<void()> callback) override;
    void processPendingEvents() override;
    void quit(int exitCode) override { m_exitCode = exitCode; }
    // Failures are never caught here: they reach the test. The handler the
    // program installed is kept for a test to call as the real loop would.
    void setFaultHandler(FaultHandler handler) override { faultHandler = std::move(handler); }
    FaultHandler faultHandler;

    // Moves virtual time forward, firing due timers and posted events.
    void advance(std::int64_t ms);
    std::int64_t now() const { return m_now; }
    std::optional<int> exitCode() const { return m_exitCode; }
    std::size_t activeTimerCount() const;

    struct TimerState;

private:
    friend class VirtualTimer;
    TimerState* nextDue(std::int64_t until) const;

    std::int64_t m_now = 0;
    std::uint64_t m_sequence = 0;
    std::vector<TimerState*> m_timers;
    std::deque<std::function<void()>> m_posted;
    std::optional<int> m_exitCode;
};

} // namespace corvane::testing
