#pragma once
// The critical-error lock-out: while a required file cannot be read or the
// activity log cannot be written, the program neither logs nor saves nor
// sends, and only the first tab can be shown. Each source raises and clears
// its own error; the lock-out holds while any source's error does, so one
// part repairing itself never lifts another part's error.

#include "core/signal.h"

#include <bitset>

namespace corvane {

enum class CriticalSource {
    ActivityLog, // Logs/Server.txt cannot be written
    Config,      // Data/Config.txt cannot be read
    Groups,      // Data/Levels.txt or Data/Commands.txt cannot be read
};

class CriticalErrors {
public:
    void raise(CriticalSource source);
    void clear(CriticalSource source);
    // A retry reloads everything: each source raises again if it still fails.
    void clearAll();

    bool active() const { return m_raised.any(); }
    bool isRaised(CriticalSource source) const { return m_raised.test(index(source)); }

    // The lock-out began (no error was raised before this one).
    Signal<CriticalSource> lockoutBegan;
    // The last raised error was cleared.
    Signal<> lockoutLifted;

private:
    static std::size_t index(CriticalSource source) { return static_cast<std::size_t>(source); }

    std::bitset<3> m_raised;
};

} // namespace corvane
