#pragma once
// Events: a subsystem tells the world through a Signal, and whoever listens
// holds the Connection that connect() returns. The listener stays connected
// exactly as long as that object lives, so a widget or a subsystem that
// connects a lambda capturing `this` is disconnected when it is destroyed.
// Listeners may connect and disconnect others (or themselves) while the
// signal is being delivered; a listener connected during a delivery first
// hears the next one.

#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace corvane {

namespace detail {

struct SlotBase {
    bool connected = true;
};

struct SignalStateBase {
    int delivering = 0;
    bool hasDisconnected = false;
};

} // namespace detail

class Connection {
public:
    Connection() = default;
    Connection(std::weak_ptr<detail::SignalStateBase> signal, std::weak_ptr<detail::SlotBase> slot)
        : m_signal(std::move(signal)), m_slot(std::move(slot)) {}
    Connection(Connection&& other) noexcept = default;
    Connection& operator=(Connection&& other) noexcept {
        if (this != &other) {
            disconnect();
            m_signal = std::move(other.m_signal);
            m_slot = std::move(other.m_slot);
        }
        return *this;
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { disconnect(); }

    void disconnect() {
        if (const auto slot = m_slot.lock()) {
            slot->connected = false;
            if (const auto signal = m_signal.lock()) signal->hasDisconnected = true;
        }
        m_slot.reset();
        m_signal.reset();
    }
    bool connected() const {
        const auto slot = m_slot.lock();
        return slot && slot->connected;
    }

private:
    std::weak_ptr<detail::SignalStateBase> m_signal;
    std::weak_ptr<detail::SlotBase> m_slot;
};

// Several connections that end together, e.g. all of one widget's.
class Connections {
public:
    Connections& operator+=(Connection connection) {
        m_all.push_back(std::move(connection));
        return *this;
    }
    void clear() { m_all.clear(); }

private:
    std::vector<Connection> m_all;
};

template <typename... Args> class Signal {
public:
    using Listener = std::function<void(Args...)>;

    Signal() = default;
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    [[nodiscard]] Connection connect(Listener listener) {
        if (m_state->delivering == 0 && m_state->hasDisconnected) m_state->dropDisconnected();
        auto slot = std::make_shared<Slot>();
        slot->listener = std::move(listener);
        m_state->slots.push_back(slot);
        return Connection(m_state, slot);
    }

    void notify(Args... args) const {
        deliver([&](const Listener& listener) { listener(args...); });
    }

    // Delivers to every listener even when one of them throws: onError gets
    // each failure and the remaining listeners still run.
    template <typename OnError> void notifyEach(OnError&& onError, Args... args) const {
        deliver([&](const Listener& listener) {
            try {
                listener(args...);
            } catch (const std::exception& e) {
                onError(e);
            }
        });
    }

private:
    struct Slot : detail::SlotBase {
        Listener listener;
    };
    struct State : detail::SignalStateBase {
        std::vector<std::shared_ptr<Slot>> slots;
        void dropDisconnected() {
            std::erase_if(slots, [](const auto& slot) { return !slot->connected; });
            hasDisconnected = false;
        }
    };

    template <typename Call> void deliver(Call&& call) const {
        // The state outlives a listener that destroys the signal's owner.
        const std::shared_ptr<State> state = m_state;
        struct Delivery {
            State& s;
            explicit Delivery(State& st) : s(st) { ++s.delivering; }
            ~Delivery() {
                if (--s.delivering == 0 && s.hasDisconnected) s.dropDisconnected();
            }
        } delivery(*state);
        const std::size_t count = state->slots.size();
        for (std::size_t i = 0; i < count; ++i) {
            const std::shared_ptr<Slot> slot = state->slots[i];
            if (slot->connected) call(slot->listener);
        }
    }

    std::shared_ptr<State> m_state = std::make_shared<State>();
};

} // namespace corvane
