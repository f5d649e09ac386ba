#include "app/app.h"

#include "core/datafiles.h"
#include "core/prompts.h"
#include "core/shell.h"
#include "maps/maptable.h"

namespace corvane {

App::App(Ports ports, AppPaths paths)
    : m_ports(ports), m_paths(std::move(paths)),
      m_activityLog(m_paths, ports.clock, m_criticalErrors), m_consoleLog(m_paths, ports.clock),
      m_chatLog(m_paths, ports.clock), m_settings(m_paths, m_activityLog, m_criticalErrors),
      m_serverAddress(ports.loop, ports.net, m_activityLog),
      m_players(m_settings, m_slots, m_grid, m_queue, m_activityLog, m_paths, ports,
                m_criticalErrors, m_reasonsAndRules, m_logProgress),
      m_onlinePlayers(m_slots, m_grid, m_settings.config, m_settings.mod, m_players.groups,
                      m_enforcedNames),
      m_rcon(ports, m_settings, m_serverAddress, m_criticalErrors, m_linkState, m_queue, m_slots,
             m_activityLog, m_consoleLog, m_chatLog, m_reasonsAndRules, m_reasonsAndRules),
      m_statusPoll(ports, m_settings, m_serverAddress, m_linkState, m_slots, m_grid, m_queue,
                   m_rcon, m_activityLog, m_consoleLog, m_players.groups, m_enforcedNames),
      m_logParser(m_activityLog, m_chatLog, m_queue, m_linkState, m_slots, m_onlinePlayers,
                  m_settings, m_players.groups),
      m_logFetcher(ports.loop, ports.net, ports.clock, m_settings, m_activityLog, m_queue,
                   m_logParser),
      m_mapsView(m_linkState, m_slots, m_players, m_serverAddress),
      m_maps(ports, m_settings, m_queue, m_activityLog, m_consoleLog, m_paths, m_mapsView),
      m_enforcement(m_paths, m_settings, m_activityLog, m_queue, m_slots, ports.loop,
                    m_logProgress),
      m_commands(CommandsContext{ports.loop, m_paths, m_settings, m_slots, m_queue, m_activityLog,
                                 m_players, m_commandLinks, m_commandLinks}),
      m_logViewer(m_paths, m_chatLog), m_updateCheck(ports, m_paths, m_settings) {
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
    // The operator's RULES says them publicly, whoever typed the last chat command.
    m_connections +=
        m_rcon.rulesRequested.connect([this] { m_maps.messages.SendRules(0, {}, true); });
    m_connections += m_rcon.playlistReplied.connect(
        [this](std::int32_t playlist) { m_enforcement.secondChance.SetMaxHealth(playlist); });
    // The server's address is looked up when the configuration is read, not
    // for every datagram.
    m_connections +=
        m_settings.configLoaded.connect([this] { m_serverAddress.resolve(m_settings.config.IP); });
    m_connections += m_statusPoll.parsed.connect([this] {
        if (m_settings.mod.AutoRefreshPlayers) m_players.playerLog.refresh();
        m_commands.reserved.statusParsed();
    });
    m_connections +=
        m_settings.modFileLoaded.connect([this] { m_updateCheck.scheduleAutoCheck(); });
    connectPlayers();
    connectLogFeed();
    connectEnforcement();
    connectMaps();
    connectCommands();
}

void App::connectPlayers() {
    Players& p = m_players;
    m_connections += m_slots.playerSeen.connect([&p](const SeenPlayer& seen) {
        p.database.CheckPlayerDB(seen.name, seen.guid, seen.slot);
    });
    // The lists that go with the groups are reloaded with them.
    m_connections += p.groups.loaded.connect([this] {
        m_maps.messages.InputLists();
        m_rcon.setPumpInterval(m_settings.advanced.RconQueueInterval);
    });
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

void App::connectMaps() {
    // After the enforcement's health limit (connectEnforcement): a forced
    // next map has been taken.
    m_connections +=
        m_logParser.matchStarted.connect([this](std::int16_t) { m_maps.matchStarted(); });
    m_connections += m_logParser.batchEnded.connect([this] { m_maps.DoVotingSystem(); });
    m_connections +=
        m_settings.timedMessagesTicked.connect([this] { m_maps.messages.restartRotation(); });
}

void App::connectCommands() {
    // The reasons load with the rules: at start-up, with every reload of the
    // groups and after the message editor saved a list.
    m_connections += m_maps.messages.reasonsReloadRequested.connect(
        [this] { m_commands.reasons.InputReasons(); });
    // Every batch of log lines starts afresh: the rules may be said again.
    m_connections +=
        m_logParser.batchStarted.connect([this] { m_commands.dispatcher.resetBatch(); });
    m_connections += m_logParser.commandTyped.connect([this](const ChatLine& chat) {
        m_commands.dispatcher.AdminCheck(chat.guid, chat.slot, chat.name, chat.text + chat.tail);
    });
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
    m_maps.stopTimers();
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
    if (tab == TopTab::Messages) m_maps.editor.selectSubTab(MessageTab::TimedMessages);
    return m_topTab;
}

void App::openAdvancedFile() {
    m_ports.shell.openFile(m_paths.file(kAdvancedFile));
}

void App::Timer2_Timer() {
    const int remaining = m_logFetcher.refreshTick();
    m_statusPoll.Send10();
    updateStatusTexts(remaining);
    m_maps.CheckDupeMap();
}

void App::updateStatusTexts(int secondsToRefresh) {
    StatusInputs in;
    in.shownPlayers = m_slots.ShownPlayers;
    in.maxClients = m_settings.config.MaxClients;
    in.currentPlaylist = m_linkState.CurrentPlaylist;
    in.currentMapName = EnglishMap(m_linkState.CurrentMap);
    in.nextMapName = EnglishMap(m_maps.rotation.NextMap());
    in.secondsToRefresh = secondsToRefresh;
    in.logMinutes = m_logFetcher.LogMinutes();
    in.hostName = m_settings.config.HostName;
    in.gametype = m_linkState.CurrentGametype;
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
