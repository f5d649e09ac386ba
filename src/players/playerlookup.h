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

struct PlayerMatch {
    enum class Kind {
        NobodyOnline, // nobody is on the server
        None,         // no name fits (or the text names nobody)
        Slot,         // a slot number was typed (the slot may be empty)
        Name,         // exactly one name holds the typed word
        Ambiguous,    // several do: they have been listed to the issuer
    };
    Kind kind = Kind::None;
    // The slot found; 0 for slot 0, numbers beyond the table and no match.
    std::int16_t slot = 0;
    // The name found: upper case after a name match, as the slot table shows
    // it after a slot number; empty when nobody holds the slot.
    std::string name;
    std::string displayName; // as the slot table shows it
    // The text after the player's slot number or name: the reason or group.
    std::string rest;
};

class PlayerLookup {
public:
    // Reasons are the numbered texts that "MSG<n>" in the rest of the text
    // stands for.
    PlayerLookup(const SlotTable& slots, RconQueue& queue, const ReasonTexts& reasons)
        : m_slots(slots), m_queue(queue), m_reasons(reasons) {}

    // The player the text names; ambiguous names are listed to the issuer.
    PlayerMatch FindPlayer(const CommandIssuer& issuer, std::string_view text) const;
    // The GUID of the online player with exactly this name (case ignored), "0"
    // when there is none.
    std::string FindGUID(std::string_view name) const;
    // The GUID the slot table holds for the player found - the target is
    // whoever holds that slot, even when another player has the same name.
    // Empty when nobody was found or the slot lies beyond the server's
    // maxClients slots.
    std::string targetGUID(const PlayerMatch& match, std::int16_t maxClients) const;

private:
    struct Candidate {
        std::string upperName;
        int slot = 0;
    };
    // Matches the first word; the match's kind, slot and names.
    PlayerMatch CheckFullName(const CommandIssuer& issuer, const std::string& word) const;
    std::vector<Candidate> FindP(const std::string& upperWord) const;
    std::string reasonAfterName(const std::string& text, const std::string& typedWord,
                                const std::string& upperName) const;

    const SlotTable& m_slots;
    RconQueue& m_queue;
    const ReasonTexts& m_reasons;
};

} // namespace corvane
