#pragma once
// The one outgoing queue of console lines. Every part that talks to the server
// puts its lines here; only the pump sends them, one per tick, from the front.

#include "core/signal.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

namespace corvane {

struct RconEntry {
    // Bound entries are tied to the player who held the slot when they were
    // queued; they go out only if he still holds it. Slot 0 means plain.
    std::int16_t slot = 0;
    std::string guid;
    std::string line;

    bool bound() const { return slot != 0; }
    // The form the queue view shows: the line, or ";slot;guid;line".
    std::string displayText() const;
};

// The player whose chat command is being handled: private replies go to him.
struct CommandIssuer {
    std::int16_t CurrentSlot = 0;
    std::string CurrentGUID;
    std::string CurrentName;
};

class RconQueue {
public:
    // Queues a line for a player. With slot 0 it is a plain entry at the back;
    // a bound kick, ban or temporary ban goes to the front, anything else to
    // the back. Returns the entry as the queue view shows it.
    std::string List3A(const std::string& line, std::int16_t slot, const std::string& guid);
    void pushBack(const std::string& line);
    void pushFront(const std::string& line);

    // "say " + text; nothing for an empty text.
    void SendSay(const std::string& text);
    // A private reply to the issuer ("tell <slot> ^1PM: text"); none for slot 0.
    void SendPM(const std::string& text);
    // The same cut into messages of at most 40 letters, whole words only.
    void SendPMLong(const std::string& text);

    bool empty() const { return m_entries.empty(); }
    std::size_t size() const { return m_entries.size(); }
    const RconEntry& front() const { return m_entries.front(); }
    const RconEntry& at(std::size_t i) const { return m_entries.at(i); }
    void popFront();
    void clear();
    // Removes every entry the predicate holds for; returns how many went.
    std::size_t removeIf(const std::function<bool(const RconEntry&)>& matches);

    CommandIssuer issuer;
    Signal<> changed;

private:
    void insert(RconEntry entry, bool atFront);

    std::deque<RconEntry> m_entries;
};

// The line with its reason placeholders ("MSG" and a number) replaced by the
// numbered reasons. Only kick, temporary-ban, tell and say lines are looked at.
using ReasonLookup = std::function<std::string(int number)>;
std::string CheckReasons(std::string line, const ReasonLookup& reason);
// The same replacement on any text (a typed reason before it goes into a line).
std::string expandReasonCodes(std::string text, const ReasonLookup& reason);

} // namespace corvane
