#include "players/playerlookup.h"

#include "core/gametext.h"
#include "core/numbers.h"

#include <algorithm>

namespace corvane {
namespace {

constexpr int kMinNameMatch = 3;

} // namespace

std::string PlayerLookup::FindPlayer(std::string_view typed) {
    const std::string text = trimBlanks(typed);
    const std::vector<std::string> words = splitAt(text, " ");
    m_candidates.clear();
    TargetSlot = 0;
    TargetName.clear();
    TargetDisplayName.clear();
    m_match = Match::None;
    if (m_slots.OnlineCount == 0) return kNobodyOnline;

    const int n = CheckFullName(words);
    if (m_match == Match::Ambiguous) return kAmbiguous;
    if (n == 0) return {};
    if (m_match == Match::Slot)
        return static_cast<std::size_t>(n) + 1 <= text.size()
                   ? text.substr(static_cast<std::size_t>(n) + 1)
                   : std::string();
    return reasonAfterName(text, words.front());
}

// The reason is cut from the end of the typed text by length, so it keeps
// the letter case the player typed. Its length is what remains once the
// name, the typed word and each word of the name are taken out.
std::string PlayerLookup::reasonAfterName(const std::string& text,
                                          const std::string& typedWord) const {
    std::string rest = replaceAll(toUpper(text), TargetName, "");
    rest = replaceAll(std::move(rest), toUpper(typedWord), "");
    for (const std::string& word : splitAt(TargetName, " "))
        rest = replaceAll(std::move(rest), word, "");
    const std::size_t length = trimBlanks(rest).size();
    return CheckReasons(text.substr(text.size() - length), m_reasons);
}

int PlayerLookup::CheckFullName(const std::vector<std::string>& words) {
    m_candidates.clear();
    TargetSlot = 0;
    TargetName.clear();
    TargetDisplayName.clear();
    m_match = Match::None;
    const std::string w = words.empty() ? std::string() : words.front();

    if (w.size() < 3 && isINT(w)) {
        m_match = Match::Slot;
        const int slot = *toInt16(w);
        // Slot 0 (the server's own client) and numbers beyond the table are
        // never a target: the result stays empty and callers report it.
        if (slot >= 1 && slot < SlotTable::kSlots) {
            TargetSlot = static_cast<std::int16_t>(slot);
            TargetName = m_slots[slot].SlotName;
            TargetDisplayName = TargetName;
        }
        return static_cast<int>(w.size());
    }

    // An empty word would be part of every name: it names nobody.
    if (w.empty()) return 0;
    const std::string upperWord = toUpper(w);
    for (int slot = 1; slot < SlotTable::kSlots; ++slot)
        FindP(upperWord, toUpper(m_slots[slot].SlotName), slot);

    if (m_candidates.size() == 1) {
        m_match = Match::Name;
        TargetSlot = static_cast<std::int16_t>(m_candidates.front().slot);
        TargetName = m_candidates.front().upperName;
        TargetDisplayName = m_slots[m_candidates.front().slot].SlotName;
        return static_cast<int>(w.size());
    }
    if (m_candidates.empty()) return 0;

    std::string list;
    for (const Candidate& c : m_candidates)
        list += c.upperName + "[" + std::to_string(c.slot) + "], ";
    list.resize(list.size() - 2);
    m_queue.SendPM("^1Multiple users found: ^2" + list);
    m_candidates.clear();
    m_match = Match::Ambiguous;
    return 0;
}

void PlayerLookup::FindP(const std::string& typedWord, const std::string& candidateName, int slot) {
    if (candidateName.size() < kMinNameMatch) return;
    if (candidateName.find(typedWord) == std::string::npos) return;
    m_candidates.push_back(Candidate{candidateName, slot});
}

std::string PlayerLookup::FindGUID(std::string_view name) const {
    const std::string wanted = trimBlanks(name);
    for (int slot = 0; slot < SlotTable::kSlots; ++slot) {
        const SlotEntry& e = m_slots[slot];
        if (!e.SlotName.empty() && equalsIgnoringCase(e.SlotName, wanted)) return e.SlotGUID;
    }
    return "0";
}

std::string PlayerLookup::targetGUID(std::int16_t maxClients) const {
    const int lastSlot = std::min<int>(maxClients, SlotTable::kSlots - 1);
    if (TargetName.empty() || TargetSlot < 1 || TargetSlot > lastSlot) return {};
    return m_slots[TargetSlot].SlotGUID;
}

} // namespace corvane
