#include "virtualeventloop.h"

#include <algorithm>

namespace corvane::testing {

struct VirtualEventLoop::TimerState {
    VirtualEventLoop* loop = nullptr;
    int interval = 0;
    bool singleShot = false;
    bool active = false;
    std::int64_t deadline = 0;
    std::uint64_t sequence = 0;
    std::function<void()> callback;
};

class VirtualTimer : public Timer {
public:
    explicit VirtualTimer(std::unique_ptr<VirtualEventLoop::TimerState> state)
        : m_state(std::move(state)) {
        m_state->loop->m_timers.push_back(m_state.get());
    }
    ~VirtualTimer() override {
        auto& timers = m_state->loop->m_timers;
        timers.erase(std::remove(timers.begin(), timers.end(), m_state.get()), timers.end());
    }
    void start() override {
        m_state->active = true;
        m_state->deadline = m_state->loop->m_now + std::max(1, m_state->interval);
        m_state->sequence = ++m_state->loop->m_sequence;
    }
    void stop() override { m_state->active = false; }
    bool isActive() const override { return m_state->active; }
    void setInterval(int ms) override {
        m_state->interval = ms;
        if (m_state->active) start();
    }
    int interval() const override { return m_state->interval; }

private:
    std::unique_ptr<VirtualEventLoop::TimerState> m_state;
};

VirtualEventLoop::VirtualEventLoop() = default;
VirtualEventLoop::~VirtualEventLoop() = default;

std::unique_ptr<Timer> VirtualEventLoop::createTimer(int intervalMs, bool singleShot,
                                                     std::function<void()> callback) {
    return std::make_unique<VirtualTimer>(std::make_unique<TimerState>(
        TimerState{this, intervalMs, singleShot, false, 0, 0, std::move(callback)}));
}

void VirtualEventLoop::post(std::function<void()> callback) {
    m_posted.push_back(std::move(callback));
}

void VirtualEventLoop::processPendingEvents() {
    // Only what was pending when called runs; events posted meanwhile wait.
    std::size_t pending = m_posted.size();
    while (pending-- > 0 && !m_posted.empty()) {
        auto callback = std::move(m_posted.front());
        m_posted.pop_front();
        callback();
    }
}

VirtualEventLoop::TimerState* VirtualEventLoop::nextDue(std::int64_t until) const {
    TimerState* best = nullptr;
    for (TimerState* t : m_timers) {
        if (!t->active || t->deadline > until) continue;
        if (!best || t->deadline < best->deadline ||
            (t->deadline == best->deadline && t->sequence < best->sequence))
            best = t;
    }
    return best;
}

void VirtualEventLoop::advance(std::int64_t ms) {
    const std::int64_t target = m_now + ms;
    for (;;) {
        while (!m_posted.empty())
            processPendingEvents();
        TimerState* due = nextDue(target);
        if (!due) break;
        m_now = due->deadline;
        if (due->singleShot) {
            due->active = false;
        } else {
            due->deadline += std::max(1, due->interval);
            due->sequence = ++m_sequence;
        }
        auto callback = due->callback; // the timer may be destroyed by its own callback
        callback();
    }
    m_now = target;
}

std::size_t VirtualEventLoop::activeTimerCount() const {
    return static_cast<std::size_t>(
        std::count_if(m_timers.begin(), m_timers.end(), [](TimerState* t) { return t->active; }));
}

} // namespace corvane::testing
