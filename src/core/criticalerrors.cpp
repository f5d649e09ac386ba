#include "core/criticalerrors.h"

namespace corvane {

void CriticalErrors::raise(CriticalSource source) {
    const bool began = !active();
    m_raised.set(index(source));
    if (began) lockoutBegan.notify(source);
}

void CriticalErrors::clear(CriticalSource source) {
    if (!isRaised(source)) return;
    m_raised.reset(index(source));
    if (!active()) lockoutLifted.notify();
}

void CriticalErrors::clearAll() {
    if (!active()) return;
    m_raised.reset();
    lockoutLifted.notify();
}

} // namespace corvane
