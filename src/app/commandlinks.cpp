#include "app/commandlinks.h"

#include "app/app.h"

namespace corvane {

std::int32_t CommandLinks::serverUptimeMinutes() const {
    return m_app.logFetcher().LogMinutes();
}

void CommandLinks::ENDALL() {
    m_app.ENDALL();
}

} // namespace corvane
