#pragma once
// Finding the online player a command names: a slot number or part of a name
// at the front of the typed text, the rest being the reason (or the group).
// Works on the slot table only, never on the database.

#include "rcon/rconqueue.h"
#include "rcon/slottable.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class PlayerLookup {
public:
    // FindPlayer's special results.
    static constexpr const char* kNobodyOnline = "null";
    static constexpr const char* kAmbiguous = "null2";

    // Ambiguous names are answered to the issuer through the queue; reasons
    // are the numbered texts that "MSG<n>" in the rest of the text stands for.
    PlayerLookup(const SlotTable& slots, RconQueue& queue, ReasonLookup reasons)
        : m_slots(slots), m_queue(queue), m_reasons(std::move(reasons)) {}

    // The text after the player's slot number or name, and the lookup result.
    // "null" when nobody is online, "null2" when the name fits several players
    // (they have been listed to the issuer), empty when nobody matches.
    std::string FindPlayer(std::string_view text);
    // Matches the first word; the number of characters that named the player,
    // 0 when nobody matches or the match is ambiguous.
    int CheckFullName(const std::vector<std::string>& words);
    // Makes the slot a candidate when its name (3 characters or more) holds
    // the typed word. Both are given in upper case.
    void FindP(const std::string& typedWord, const std::string& candidateName, int slot);
    // The GUID of the online player with exactly this name (case ignored), "0"
    // when there is none.
    std::string FindGUID(std::string_view name) const;
    // The GUID the slot table holds for the player found - the target is
    // whoever holds that slot, even when another player has the same name.
    // Empty when nobody was found or the slot lies beyond the server's
    // maxClients slots.
    std::string targetGUID(std::int16_t maxClients) const;

    // The lookup result, read by the caller right after FindPlayer.
    std::int16_t TargetSlot = 0;
    std::string TargetName;        // upper case after a name match
    std::string TargetDisplayName; // as the slot table shows it

    enum class Match { None, Slot, Name, Ambiguous };
    Match lastMatch() const { return m_match; }

    struct Candidate {
        std::string upperName;
        int slot = 0;
    };
    const std::vector<Candidate>& candidates() const { return m_candidates; }

private:
    std::string reasonAfterName(const std::string& text, const std::string& typedWord) const;

    const SlotTable& m_slots;
    RconQueue& m_queue;
    ReasonLookup m_reasons;
    std::vector<Candidate> m_candidates;
    Match m_match = Match::None;
};

} // namespace corvane
