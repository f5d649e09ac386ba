#pragma once
// Private replies to a player through the queue ("tell <slot> ^1PM: ..."),
// bound to his slot and GUID; a player in slot 0 gets none.

#include "rcon/rconqueue.h"

#include <string>

namespace corvane {

// While it lives, the queue's private replies go to this issuer - also those
// sent by the lookup and the group operations a command calls. The previous
// issuer is restored afterwards, so nothing said later reaches a player who
// typed a command long ago.
class IssuerScope {
public:
    IssuerScope(RconQueue& queue, const CommandIssuer& issuer);
    ~IssuerScope();
    IssuerScope(const IssuerScope&) = delete;
    IssuerScope& operator=(const IssuerScope&) = delete;

private:
    RconQueue& m_queue;
    CommandIssuer m_saved;
};

void sendPrivate(RconQueue& queue, const CommandIssuer& to, const std::string& text);
// The same cut into several messages of whole words.
void sendPrivateLong(RconQueue& queue, const CommandIssuer& to, const std::string& text);

} // namespace corvane
