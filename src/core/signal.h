#pragma once
// A minimal observer list: models in the core announce changes, the window
// (or the headless printer) listens.

#include <functional>
#include <utility>
#include <vector>

namespace corvane {

template <typename... Args> class Signal {
public:
    using Slot = std::function<void(Args...)>;

    void connect(Slot slot) { m_slots.push_back(std::move(slot)); }

    void notify(Args... args) const {
        for (const Slot& slot : m_slots)
            slot(args...);
    }

private:
    std::vector<Slot> m_slots;
};

} // namespace corvane
