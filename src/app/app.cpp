#include "app/app.h"

#include "core/prompts.h"
#include "core/shell.h"

namespace corvane {

App::App(Ports ports, AppPaths paths)
    : m_ports(ports),
      m_paths(std::move(paths)),
      m_activityLog(m_paths, ports.clock, m_criticalError),
      m_consoleLog(m_paths, ports.clock),
      m_chatLog(m_paths, ports.clock),
      m_settings(m_paths, m_activityLog, m_criticalError) {
    m_activityLog.setWriteFailedHandler([this] { SendCError(); });
    m_settings.setCriticalErrorHandler([this] { SendCError(); });
    createTimers();
}

App::~App() = default;

void App::createTimers() {
    EventLoop& loop = m_ports.loop;
    m_timer2 = loop.createTimer(1000, false, [this] { Timer2_Timer(); });
    m_timer22 = loop.createTimer(500, true, [this] { Timer22_Timer(); });
    m_timer29 = loop.createTimer(1000, true, [this] { Timer29_Timer(); });
    m_timer9 = loop.createTimer(1000, true, [this] { CloseAll(); });
}

void App::stopAllTimers() {
    for (Timer* t : {m_timer2.get(), m_timer22.get(), m_timer29.get(), m_timer9.get()}) t->stop();
}

std::string App::caption() const {
    if (!m_settings.config.HostName.empty()) return "Corvane Mod - " + m_settings.config.HostName;
    return std::string("Corvane Mod - Version: ") + kBuildVersion;
}

TopTab App::selectTopTab(TopTab tab) {
    if (m_criticalError && tab != TopTab::Status) {
        m_topTab = TopTab::Status;
        m_ports.prompts.messageBox("ERROR!", "Critical errors have occured! Please restart!",
                                   MessageButtons::Ok, MessageIcon::Critical);
        return m_topTab;
    }
    m_topTab = tab;
    return m_topTab;
}

void App::openAdvancedFile() { m_ports.shell.openFile(m_paths.file("Data/Advanced.txt")); }

void App::Timer2_Timer() {}

void App::Timer22_Timer() {}

void App::Timer29_Timer() { m_settings.applyFirstRunDefaults(); }

} // namespace corvane
