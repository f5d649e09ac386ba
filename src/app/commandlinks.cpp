#include "app/commandlinks.h"

#include "app/app.h"

namespace corvane {

void CommandLinks::DisplayNextMap() {
    m_app.maps().rotation.DisplayNextMap();
}

void CommandLinks::Amap(const CommandIssuer& issuer, const std::string& name) {
    m_app.maps().rotation.Amap(name, issuer);
}

void CommandLinks::startDefaultRotation() {
    m_app.maps().rotation.startDelayedReset();
}

void CommandLinks::skip(const CommandIssuer& voter) {
    m_app.maps().voting.skip(voter);
}

void CommandLinks::SendRules(const CommandIssuer& issuer) {
    m_app.maps().messages.SendRules(issuer.CurrentSlot, issuer.CurrentGUID, false);
}

std::int32_t CommandLinks::serverUptimeMinutes() const {
    return m_app.logFetcher().LogMinutes();
}

void CommandLinks::ENDALL() {
    m_app.ENDALL();
}

} // namespace corvane
