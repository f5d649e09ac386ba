#include "players/playerlookup.h"

#include "core/gametext.h"
#include "core/numbers.h"

#include <algorithm>

namespace corvane {
namespace {

// A name shorter than this is found by its slot number only.
constexpr std::size_t kMinNameMatch = 3;

} // namespace

PlayerMatch PlayerLookup::FindPlayer(const CommandIssuer& issuer, std::string_view typed) const {
    const std::string text = trimBlanks(typed);
    PlayerMatch nobody;
    nobody.kind = PlayerMatch::Kind::NobodyOnline;
    if (m_slots.OnlineCount == 0) return nobody;
    const std::vector<std::string> words = splitAt(text, " ");
    PlayerMatch match = CheckFullName(issuer, words.front());
    if (match.kind == PlayerMatch::Kind::Slot) {
        const std::size_t after = words.front().size() + 1;
        match.rest = after <= text.size() ? text.substr(after) : std::string();
    } else if (match.kind == PlayerMatch::Kind::Name) {
        match.rest = reasonAfterName(text, words.front(), match.name);
    }
    return match;
}

// The reason is cut from the end of the typed text by length, so it keeps
// the letter case the player typed. Its length is what remains once the
// name, the typed word and each word of the name are taken out.
std::string PlayerLookup::reasonAfterName(const std::string& text, const std::string& typedWord,
                                          const std::string& upperName) const {
    std::string rest = replaceAll(toUpper(text), upperName, "");
    rest = replaceAll(std::move(rest), toUpper(typedWord), "");
    for (const std::string& word : splitAt(upperName, " "))
        rest = replaceAll(std::move(rest), word, "");
    const std::size_t length = trimBlanks(rest).size();
    return CheckReasons(text.substr(text.size() - length), m_reasons);
}

PlayerMatch PlayerLookup::CheckFullName(const CommandIssuer& issuer,
                                        const std::string& word) const {
    PlayerMatch match;
    if (word.size() < 3 && isINT(word)) {
        match.kind = PlayerMatch::Kind::Slot;
        const int slot = *toInt16(word);
        // Slot 0 (the server's own client) and numbers beyond the table are
        // never a target: the match stays empty and callers report it.
        if (slot >= 1 && slot < SlotTable::kSlots) {
            match.slot = static_cast<std::int16_t>(slot);
            match.name = m_slots[slot].SlotName;
            match.displayName = match.name;
        }
        return match;
    }
    // An empty word would be part of every name: it names nobody.
    if (word.empty()) return match;

    const std::vector<Candidate> candidates = FindP(toUpper(word));
    if (candidates.size() == 1) {
        match.kind = PlayerMatch::Kind::Name;
        match.slot = static_cast<std::int16_t>(candidates.front().slot);
        match.name = candidates.front().upperName;
        match.displayName = m_slots[candidates.front().slot].SlotName;
    } else if (candidates.size() > 1) {
        std::string list;
        for (const Candidate& c : candidates)
            list += c.upperName + "[" + std::to_string(c.slot) + "], ";
        list.resize(list.size() - 2);
        m_queue.SendPM(issuer, "^1Multiple users found: ^2" + list);
        match.kind = PlayerMatch::Kind::Ambiguous;
    }
    return match;
}

// Every slot whose name (of kMinNameMatch characters or more) holds the word.
std::vector<PlayerLookup::Candidate> PlayerLookup::FindP(const std::string& upperWord) const {
    std::vector<Candidate> candidates;
    for (int slot = 1; slot < SlotTable::kSlots; ++slot) {
        const std::string name = toUpper(m_slots[slot].SlotName);
        if (name.size() >= kMinNameMatch && name.find(upperWord) != std::string::npos)
            candidates.push_back(Candidate{name, slot});
    }
    return candidates;
}

std::string PlayerLookup::FindGUID(std::string_view name) const {
    const std::string wanted = trimBlanks(name);
    for (int slot = 0; slot < SlotTable::kSlots; ++slot) {
        const SlotEntry& e = m_slots[slot];
        if (!e.SlotName.empty() && equalsIgnoringCase(e.SlotName, wanted)) return e.SlotGUID;
    }
    return "0";
}

std::string PlayerLookup::targetGUID(const PlayerMatch& match, std::int16_t maxClients) const {
    const int lastSlot = std::min<int>(maxClients, SlotTable::kSlots - 1);
    if (match.name.empty() || match.slot < 1 || match.slot > lastSlot) return {};
    return m_slots[match.slot].SlotGUID;
}

} // namespace corvane
