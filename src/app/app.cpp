#include "app/app.h"

#include "core/prompts.h"
#include "core/shell.h"

namespace corvane {

App::App(Ports ports, AppPaths paths)
    : m_ports(ports), m_paths(std::move(paths)),
      m_activityLog(m_paths, ports.clock, m_criticalErrors), m_consoleLog(m_paths, ports.clock),
      m_chatLog(m_paths, ports.clock), m_settings(m_paths, m_activityLog, m_criticalErrors),
      m_serverAddress(ports.loop, ports.net, m_activityLog),
      m_players(m_settings, m_slots, m_grid, m_queue, m_activityLog, m_paths, ports,
                m_criticalErrors, m_notYetBuilt, m_greetingGate),
      m_onlinePlayers(m_slots, m_grid, m_settings.config, m_settings.mod, m_players.groups,
                      m_notYetBuilt),
      m_rcon(ports, m_settings, m_serverAddress, m_criticalErrors, m_linkState, m_queue, m_slots,
             m_activityLog, m_consoleLog, m_chatLog, m_notYetBuilt, m_notYetBuilt),
      m_statusPoll(ports, m_settings, m_serverAddress, m_linkState, m_slots, m_grid, m_queue,
                   m_rcon, m_activityLog, m_consoleLog, m_players.groups, m_notYetBuilt),
      m_logParser(m_activityLog, m_chatLog, m_queue, m_linkState, m_slots, m_onlinePlayers,
                  m_settings, m_players.groups),
      m_logFetcher(ports.loop, ports.net, ports.clock, m_settings, m_activityLog, m_queue,
                   m_logParser) {
    createTimers();
    connectSubsystems();
}

void App::connectSubsystems() {
    // What a handler lets through reaches the loop's edge: it is said in red.
    m_ports.loop.setFaultHandler(
        [this](const std::string& what) { m_activityLog.SMS("Unexpected error: " + what, kRed); });
    m_connections +=
        m_criticalErrors.lockoutBegan.connect([this](CriticalSource) { SendCError(); });
    m_connections += m_rcon.replyArrived.connect([this] { m_statusPoll.stopTimeout(); });
    // The server's address is looked up when the configuration is read, not
    // for every datagram.
    m_connections +=
        m_settings.configLoaded.connect([this] { m_serverAddress.resolve(m_settings.config.IP); });
    m_connections += m_statusPoll.parsed.connect([this] {
        if (m_settings.mod.AutoRefreshPlayers) m_players.playerLog.refresh();
    });
    connectPlayers();
    connectLogFeed();
}

void App::connectPlayers() {
    Players& p = m_players;
    m_connections += m_slots.playerSeen.connect([&p](const SeenPlayer& seen) {
        p.database.CheckPlayerDB(seen.name, seen.guid, seen.slot);
    });
    m_connections += p.groups.loaded.connect(
        [this] { m_rcon.setPumpInterval(m_settings.advanced.RconQueueInterval); });
    m_connections +=
        p.groups.playerGroupChanged.connect([this] { m_onlinePlayers.markListChanged(); });
    m_connections += p.playerLog.recordDeleted.connect([this] { m_statusPoll.Command8_Click(); });
    m_connections += p.editor.defaultChanged.connect([this] { m_statusPoll.requestSoon(); });
}

void App::connectLogFeed() {
    m_connections += m_logParser.playerLeft.connect(
        [this](const std::string& guid) { m_players.database.playerLeft(guid); });
    m_connections += m_logParser.statusPollWanted.connect([this] { m_statusPoll.requestSoon(); });
    m_connections += m_logParser.playersChanged.connect([this] {
        if (m_settings.mod.AutoRefreshPlayers) m_players.playerLog.refresh();
    });
    m_connections += m_logFetcher.fetchDue.connect([this] { m_players.groups.SaveSettings(); });
    m_connections +=
        m_logFetcher.restartDetected.connect([this] { m_statusPoll.Command8_Click(); });
    m_connections += m_settings.advancedLoaded.connect(
        [this] { m_logFetcher.setRefreshTarget(m_settings.advanced.RefreshDelay); });
}

App::~App() {
    m_ports.loop.setFaultHandler({});
}

void App::createTimers() {
    EventLoop& loop = m_ports.loop;
    m_timer2 = loop.createTimer(1000, false, [this] { Timer2_Timer(); });
    m_timer22 = loop.createTimer(500, true, [this] { Timer22_Timer(); });
    m_timer29 = loop.createTimer(1000, true, [this] { Timer29_Timer(); });
    m_timer9 = loop.createTimer(1000, true, [this] { CloseAll(); });
}

void App::stopAllTimers() {
    m_players.groups.stopSaveTimer();
    for (Timer* t : {m_timer2.get(), m_timer22.get(), m_timer29.get(), m_timer9.get()})
        t->stop();
    m_rcon.stopPump();
    m_statusPoll.suspendTimers();
}

std::string App::caption() const {
    if (!m_settings.config.HostName.empty()) return "Corvane Mod - " + m_settings.config.HostName;
    return std::string("Corvane Mod - Version: ") + kBuildVersion;
}

TopTab App::selectTopTab(TopTab tab) {
    if (m_criticalErrors.active() && tab != TopTab::Status) {
        m_topTab = TopTab::Status;
        m_ports.prompts.messageBox("ERROR!", "Critical errors have occured! Please restart!",
                                   MessageButtons::Ok, MessageIcon::Critical);
        return m_topTab;
    }
    m_topTab = tab;
    return m_topTab;
}

void App::openAdvancedFile() {
    m_ports.shell.openFile(m_paths.file("Data/Advanced.txt"));
}

void App::Timer2_Timer() {
    const int remaining = m_logFetcher.refreshTick();
    m_statusPoll.Send10();
    updateStatusTexts(remaining);
}

void App::updateStatusTexts(int secondsToRefresh) {
    StatusInputs in;
    in.shownPlayers = m_slots.ShownPlayers;
    in.maxClients = m_settings.config.MaxClients;
    in.currentPlaylist = m_linkState.CurrentPlaylist;
    in.currentMapName = m_linkState.CurrentMap;
    in.nextMapName = m_linkState.NextMap;
    in.secondsToRefresh = secondsToRefresh;
    in.logMinutes = m_logFetcher.LogMinutes();
    in.hostName = m_settings.config.HostName;
    in.adminsOnline = m_slots.AdminsOnline;
    const StatusTexts texts = makeStatusTexts(in);
    if (texts == m_statusTexts) return;
    m_statusTexts = texts;
    statusTextsChanged.notify();
}

void App::Timer22_Timer() {
    m_logFetcher.Command1_Click();
}

void App::Timer29_Timer() {
    m_settings.applyFirstRunDefaults();
}

} // namespace corvane
