#include "commands/replies.h"

namespace corvane {

IssuerScope::IssuerScope(RconQueue& queue, const CommandIssuer& issuer)
    : m_queue(queue), m_saved(queue.issuer) {
    queue.issuer = issuer;
}

IssuerScope::~IssuerScope() {
    m_queue.issuer = m_saved;
}

void sendPrivate(RconQueue& queue, const CommandIssuer& to, const std::string& text) {
    const IssuerScope scope(queue, to);
    queue.SendPM(text);
}

void sendPrivateLong(RconQueue& queue, const CommandIssuer& to, const std::string& text) {
    const IssuerScope scope(queue, to);
    queue.SendPMLong(text);
}

} // namespace corvane
