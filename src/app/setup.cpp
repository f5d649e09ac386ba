// The setup wizard's place in the program's life, and the update check.

#include "app/app.h"

#include "maps/maptable.h"

namespace corvane {

ServerSetup& App::openSetup(bool firstRun) {
    if (!firstRun && !m_restingForSetup) {
        // The rotation goes back to the default first; then the window holds
        // the operator until the wizard closes, and nothing is sent that the
        // test could take for an answer.
        m_maps.rotation.SetDefaultRotation();
        m_linkState.StatusPending = false;
        m_restingForSetup = RestingForSetup{m_timer2->isActive(), m_rcon.pumpRunning(),
                                            m_statusPoll.restForSetup()};
        m_timer2->stop();
        m_rcon.stopPump();
    }
    ServerSetup::Options options;
    options.firstRun = firstRun;
    options.tableMaps = rotationMapNames();
    options.applySettings = [this](bool first) { setupContinued(first); };
    m_setup = std::make_unique<ServerSetup>(m_ports, m_paths, std::move(options));
    m_maps.rotation.setWizardVisible(true);
    m_setup->InputConfig();
    return *m_setup;
}

void App::closeSetup() {
    m_maps.rotation.setWizardVisible(false);
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
    // The wizard is hidden while the settings load.
    m_maps.rotation.setWizardVisible(false);
    if (firstRun) createMainWindow();
    if (m_ended) return;
    UpdateAllC();
    if (firstRun) loadFirst();
}

} // namespace corvane
