#include "app/app.h"

#include "core/prompts.h"
#include "core/shell.h"
#include "maps/maptable.h"

namespace corvane {

App::App(Ports ports, AppPaths paths)
    : m_ports(ports), m_paths(std::move(paths)),
      m_activityLog(m_paths, ports.clock, m_criticalError), m_consoleLog(m_paths, ports.clock),
      m_chatLog(m_paths, ports.clock), m_settings(m_paths, m_activityLog, m_criticalError),
      m_onlinePlayers(m_slots, m_grid, m_settings.config, m_settings.mod, m_playerHooks),
      m_rcon(ports, m_settings, m_criticalError, m_linkState, m_queue, m_slots, m_activityLog,
             m_consoleLog, m_chatLog),
      m_statusPoll(ports, m_settings, m_linkState, m_slots, m_grid, m_queue, m_rcon, m_activityLog,
                   m_consoleLog, m_playerHooks),
      m_players(m_settings, m_slots, m_grid, m_queue, m_activityLog, m_paths, ports,
                m_criticalError),
      m_logParser(m_activityLog, m_chatLog, m_queue, m_linkState, m_slots, m_onlinePlayers,
                  m_settings),
      m_logFetcher(ports.loop, ports.net, ports.clock, m_settings, m_activityLog, m_queue,
                   m_logParser,
                   LogFetcherHooks{[this] { m_players.groups.SaveSettings(); },
                                   [this] { m_statusPoll.Command8_Click(); }}),
      m_mapsView(m_linkState, m_slots, m_players),
      m_maps(ports, m_settings, m_queue, m_activityLog, m_consoleLog, m_paths, m_mapsView),
      m_enforcement(m_paths, m_settings, m_activityLog, m_queue, m_slots, ports.loop,
                    [this] { return m_logParser.FirstBatchDone(); }),
      m_commands(CommandsContext{ports.loop, m_paths, m_settings, m_slots, m_queue, m_activityLog,
                                 m_players, m_commandLinks, m_commandLinks,
                                 [this] { m_statusPoll.Command8_Click(); }}),
      m_logViewer(m_paths, m_chatLog), m_updateCheck(ports, m_paths, m_settings) {
    createTimers();
    connectSubsystems();
}

void App::connectSubsystems() {
    m_activityLog.setWriteFailedHandler([this] { SendCError(); });
    m_settings.setCriticalErrorHandler([this] { SendCError(); });
    RconLink::Hooks rconHooks;
    rconHooks.commandReplyArrived = [this] { m_statusPoll.stopTimeout(); };
    rconHooks.rulesLoaded = [this] { return m_maps.messages.rulesLoaded(); };
    // The operator's RULES says them publicly, whoever typed the last chat command.
    rconHooks.SendRules = [this] { m_maps.messages.SendRules(0, {}, true); };
    rconHooks.SetMaxHealth = [this](std::int32_t playlist) {
        m_enforcement.secondChance.SetMaxHealth(playlist);
    };
    rconHooks.reason = [this](int n) { return m_commands.reasons.forConsole(n); };
    m_rcon.setHooks(std::move(rconHooks));

    PlayersHooks& players = m_players.hooks;
    players.SendCError = [this] { SendCError(); };
    players.applyPumpInterval = [this](std::int32_t ms) { m_rcon.setPumpInterval(ms); };
    players.Command8_Click = [this] { m_statusPoll.Command8_Click(); };
    players.statusPollSoon = [this] { m_statusPoll.requestSoon(); };
    players.markPlayerLogForRefresh = [this] { m_onlinePlayers.PlayerListChanged = true; };
    const PlayerHooks link = m_players.linkHooks();
    m_playerHooks.CheckPlayerDB = link.CheckPlayerDB;
    m_playerHooks.CheckAdminGroup = link.CheckAdminGroup;
    m_playerHooks.defaultGroupName = link.defaultGroupName;
    m_playerHooks.refreshPlayerLog = link.refreshPlayerLog;
    players.FirstBatchDone = [this] { return m_logParser.FirstBatchDone(); };

    connectLogFeed();
    connectEnforcement();
    m_settings.modFileLoaded.connect([this] { m_updateCheck.scheduleAutoCheck(); });
    connectMaps();
    connectCommands();
}

void App::connectMaps() {
    m_players.hooks.InputLists = [this] { m_maps.messages.InputLists(); };
    m_logParser.hooks.DoVotingSystem = [this] { m_maps.DoVotingSystem(); };
    m_logParser.hooks.matchStarted = [this] { m_maps.matchStarted(); };
    m_settings.timedMessagesTicked.connect([this] { m_maps.messages.restartRotation(); });
}

void App::connectLogFeed() {
    LogParserHooks& parser = m_logParser.hooks;
    parser.CheckAdminGroupNODB = [this](const std::string& guid) {
        return m_players.groups.CheckAdminGroupNODB(guid);
    };
    parser.DefaultRank = [this] { return m_players.groups.table.DefaultRank; };
    parser.FindGUIDDatabase = [this](const std::string& guid) {
        return m_players.database.FindGUIDDatabase(guid);
    };
    parser.UpdateLastSeen = [this](const std::string& id) {
        m_players.database.UpdateLastSeen(id);
    };
    parser.startStatusPoll = [this] { m_statusPoll.requestSoon(); };
    parser.refreshPlayerList = [this] { m_players.playerLog.refresh(); };
    parser.defaultGroupName = [this] { return m_players.groups.table.DefaultGroupName; };
    m_settings.advancedLoaded.connect(
        [this] { m_logFetcher.setRefreshTarget(m_settings.advanced.RefreshDelay); });
}

void App::connectCommands() {
    // The reasons load with the rules: at start-up, with every reload of the
    // groups and after the message editor saved a list.
    m_maps.messages.reasonsReloadRequested.connect([this] { m_commands.reasons.InputReasons(); });
    m_players.hooks.reasons = [this](int n) { return m_commands.reasons.forConsole(n); };
    m_playerHooks.statusParsed = [this] { m_commands.reserved.statusParsed(); };
    // Every batch of log lines starts afresh: the rules may be said again, and
    // the enforcement's once-per-batch tables are new.
    m_logParser.hooks.resetBatchState = [this] {
        m_commands.dispatcher.resetBatch();
        m_enforcement.newBatch();
    };
    m_logParser.hooks.AdminCheck = [this] { runChatCommand(); };
}

void App::runChatCommand() {
    const std::vector<std::string>& fields = m_logParser.ChatFields;
    // What was typed runs to the end of the line; a ";" in it split it into
    // further fields. The text's first character is the game's marker.
    std::string typed = fields.at(4).substr(1);
    for (std::size_t i = 5; i < fields.size(); ++i)
        typed += ";" + fields[i];
    m_commands.dispatcher.AdminCheck(fields[1], fields[2], fields[3], typed);
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
    if (m_criticalError && tab != TopTab::Status) {
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
    m_ports.shell.openFile(m_paths.file("Data/Advanced.txt"));
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
