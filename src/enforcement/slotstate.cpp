#include "enforcement/slotstate.h"

#include <limits>

namespace corvane {

std::int16_t SlotWarnings::record(int slot) {
    const auto i = static_cast<std::size_t>(slot);
    m_handled.at(i) = true;
    if (m_warns.at(i) < std::numeric_limits<std::int16_t>::max()) ++m_warns.at(i);
    return m_warns.at(i);
}

} // namespace corvane
