// The setup wizard's place in the program's life, and the update check.

#include "app/app.h"

namespace corvane {
namespace {

// The maps of the game's rotation: a learned exclusion list naming all of
// them but one is a forced map, not a default rotation.
const std::vector<std::string> kRotationMaps = {
    "mp_array",     "mp_cracked",  "mp_crisis", "mp_firingrange", "mp_duga",
    "mp_hanoi",     "mp_cairo",    "mp_havoc",  "mp_cosmodrome",  "mp_nuked",
    "mp_radiation", "mp_mountain", "mp_villa",  "mp_russianbase"};

} // namespace

ServerSetup& App::openSetup(bool firstRun) {
    if (!firstRun && !m_restingForSetup) {
        // The window holds the operator until the wizard closes; meanwhile
        // nothing is sent that the test could take for an answer.
        m_linkState.StatusPending = false;
        m_restingForSetup = RestingForSetup{m_timer2->isActive(), m_rcon.pumpRunning(),
                                            m_statusPoll.restForSetup()};
        m_timer2->stop();
        m_rcon.stopPump();
    }
    ServerSetup::Options options;
    options.firstRun = firstRun;
    options.tableMaps = kRotationMaps;
    options.applySettings = [this](bool first) { setupContinued(first); };
    m_setup = std::make_unique<ServerSetup>(m_ports, m_paths, std::move(options));
    m_setup->InputConfig();
    return *m_setup;
}

void App::closeSetup() {
    if (m_setup && m_setup->close()) {
        endProgram(0);
        return;
    }
    if (!m_restingForSetup || m_ended) return;
    const RestingForSetup resting = *m_restingForSetup;
    m_restingForSetup.reset();
    if (resting.tick) m_timer2->start();
    if (resting.pump) m_rcon.startPump();
    m_statusPoll.resumeAfterSetup(resting.poll);
}

void App::setupContinued(bool firstRun) {
    if (firstRun) createMainWindow();
    if (m_ended) return;
    UpdateAllC();
    if (firstRun) loadFirst();
}

} // namespace corvane
