#include "enforcement/slotstate.h"

#include "core/numbers.h"

#include <limits>

namespace corvane {

std::optional<int> slotIndex(std::string_view text) {
    const auto number = toInt16(text);
    if (!number || *number < 0 || *number >= SlotTable::kSlots) return std::nullopt;
    return *number;
}

std::int16_t SlotWarnings::record(int slot) {
    const auto i = static_cast<std::size_t>(slot);
    m_handled.at(i) = true;
    if (m_warns.at(i) < std::numeric_limits<std::int16_t>::max()) ++m_warns.at(i);
    return m_warns.at(i);
}

} // namespace corvane
