#pragma once
// The App owns every subsystem and wires them together: it is the program's
// main object, the one the operator window renders and routes actions to. It
// holds no widgets, so everything it does runs under test on virtual time.

#include "app/adminaction.h"
#include "app/commandlinks.h"
#include "app/links.h"
#include "app/logviewer.h"
#include "app/mapsserverview.h"
#include "app/playermenu.h"
#include "commands/commands.h"
#include "core/activitylog.h"
#include "core/apppaths.h"
#include "core/chatlog.h"
#include "core/consolelog.h"
#include "core/criticalerrors.h"
#include "core/eventloop.h"
#include "core/ports.h"
#include "core/settings.h"
#include "core/signal.h"
#include "core/startup.h"
#include "enforcement/enforcement.h"
#include "logfeed/logfetcher.h"
#include "logfeed/logparser.h"
#include "maps/maps.h"
#include "players/players.h"
#include "rcon/linkstate.h"
#include "rcon/onlinegrid.h"
#include "rcon/onlineplayers.h"
#include "rcon/rconlink.h"
#include "rcon/rconqueue.h"
#include "rcon/serveraddress.h"
#include "rcon/slottable.h"
#include "rcon/statuspoll.h"
#include "rcon/statustexts.h"
#include "setup/serversetup.h"
#include "setup/updatecheck.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The top tabs of the operator window, in order.
enum class TopTab { Status, Chat, Players, Messages, Restrictions, Advanced };
// The product's pages the "Help" menu opens.
enum class WebPage { Beta, Donate };

class App : private SetupOwner {
public:
    App(Ports ports, AppPaths paths);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // ---- life cycle (lifecycle.cpp)
    // The start decision: version check and first-run test.
    StartMode Main();
    // The main window is created: load everything, start the window's timers.
    void createMainWindow();
    void Form_Initialize();
    void UpdateAllC();
    void SendCError();
    void loadFirst();
    void ENDALL();
    void CloseAll();
    bool ended() const { return m_ended; }

    // ---- the setup wizard and the update check (setup.cpp)
    // Opens the wizard: on a first run before the main window exists, or from
    // "Server Settings..." - the rotation is reset to the default, and the
    // main tick, the pump and the status poll's timeouts rest until the wizard
    // closes.
    ServerSetup& openSetup(bool firstRun);
    // The wizard's window closed. On a first run that never reached
    // "Continue" the program ends.
    void closeSetup();
    ServerSetup* setup() { return m_setup.get(); }
    UpdateCheck& updateCheck() { return m_updateCheck; }

    // ---- window state the core keeps
    std::string caption() const;
    // "Logs", "Server Settings...", "Reset Maps" and "Reserved Slot".
    bool menuItemsEnabled() const { return m_menuItemsEnabled; }
    // The operator selects a top tab; while a critical error holds, only the
    // first can be shown. Returns the tab actually shown.
    TopTab selectTopTab(TopTab tab);
    TopTab selectedTopTab() const { return m_topTab; }
    void openAdvancedFile();

    // ---- the window's pop-up menus and dialogs (windowactions.cpp)
    // The player pop-up over the online grid's row of a slot, or over a row of
    // the player log; none opens over an empty row.
    std::optional<PlayerMenu> onlinePlayerMenu(int slot) const;
    std::optional<PlayerMenu> loggedPlayerMenu(std::size_t row);
    // The slot held by the player of a player-log record (his SlotDbID), in
    // slots 1 to MaxClients; none when he is not online.
    std::optional<std::int16_t> slotOfRecord(std::int32_t id) const;
    // The admin action dialog over a slot's player, or over the player of a
    // player-log record; none when that player is not online.
    std::unique_ptr<AdminAction> adminActionOnSlot(AdminActionKind kind, int slot);
    std::unique_ptr<AdminAction> adminActionOnRecord(AdminActionKind kind, std::int32_t id);
    std::vector<std::string> adminActionReasons() const;
    LogViewer& logViewer() { return m_logViewer; }
    void openWebPage(WebPage page);

    bool criticalError() const { return m_criticalErrors.active(); }
    CriticalErrors& criticalErrors() { return m_criticalErrors; }
    ActivityLog& activityLog() { return m_activityLog; }
    ConsoleLog& consoleLog() { return m_consoleLog; }
    ChatLog& chatLog() { return m_chatLog; }
    Settings& settings() { return m_settings; }
    LinkState& linkState() { return m_linkState; }
    SlotTable& slotTable() { return m_slots; }
    OnlineGrid& onlineGrid() { return m_grid; }
    RconQueue& queue() { return m_queue; }
    RconLink& rcon() { return m_rcon; }
    StatusPoll& statusPoll() { return m_statusPoll; }
    OnlinePlayers& onlinePlayers() { return m_onlinePlayers; }
    const StatusTexts& statusTexts() const { return m_statusTexts; }
    Players& players() { return m_players; }
    LogParser& logParser() { return m_logParser; }
    LogFetcher& logFetcher() { return m_logFetcher; }
    Maps& maps() { return m_maps; }
    Commands& commands() { return m_commands; }
    Enforcement& enforcement() { return m_enforcement; }
    const AppPaths& paths() const { return m_paths; }
    Ports& ports() { return m_ports; }

    // The window refreshes its caption and menus.
    Signal<> windowStateChanged;
    // The status bar and the server-facts labels changed (once a second).
    Signal<> statusTextsChanged;
    // Each step of the start-up load, by name, as it begins.
    Signal<std::string_view> loadStep;

private:
    void createTimers();
    void connectSubsystems();
    void connectPlayers();
    void connectLogFeed();
    void connectMaps();
    void connectCommands();
    void connectEnforcement();
    void applySettings(bool firstRun) override { setupContinued(firstRun); }
    void updateStatusTexts(int secondsToRefresh);
    void stopAllTimers();
    void endProgram(int exitCode);
    void step(std::string_view name);

    // Start-up steps whose owners are later subsystems.
    void layOutViews();
    // The one-second main tick and the first log fetch.
    void Timer2_Timer();
    void Timer22_Timer();
    void Timer29_Timer();
    // The wizard's "Continue": its settings are loaded.
    void setupContinued(bool firstRun);

    Ports m_ports;
    AppPaths m_paths;
    CriticalErrors m_criticalErrors;
    ActivityLog m_activityLog;
    ConsoleLog m_consoleLog;
    ChatLog m_chatLog;
    Settings m_settings;
    LinkState m_linkState;
    SlotTable m_slots;
    OnlineGrid m_grid;
    RconQueue m_queue;
    ServerAddress m_serverAddress;
    // Adapters to subsystems built further down.
    ParserProgress m_logProgress{m_logParser};
    ReasonsAndRules m_reasonsAndRules{m_commands, m_maps};
    EnforcedNames m_enforcedNames{m_enforcement};
    Players m_players;
    OnlinePlayers m_onlinePlayers;
    RconLink m_rcon;
    StatusPoll m_statusPoll;
    LogParser m_logParser;
    LogFetcher m_logFetcher;
    AppMapsServerView m_mapsView;
    Maps m_maps;
    Enforcement m_enforcement;
    CommandLinks m_commandLinks{*this};
    Commands m_commands;
    StatusTexts m_statusTexts;
    LogViewer m_logViewer;
    UpdateCheck m_updateCheck;
    std::unique_ptr<ServerSetup> m_setup;
    // What "Server Settings..." stopped, to be restarted when the wizard closes.
    struct RestingForSetup {
        bool tick = false;
        bool pump = false;
        StatusPoll::RestingTimers poll;
    };
    std::optional<RestingForSetup> m_restingForSetup;

    Connections m_connections;
    std::unique_ptr<Timer> m_timer2;  // one-second main tick
    std::unique_ptr<Timer> m_timer22; // first log fetch, 500 ms after the window exists
    std::unique_ptr<Timer> m_timer29; // first-run defaults
    std::unique_ptr<Timer> m_timer9;  // second stage of shutdown

    bool m_menuItemsEnabled = true;
    bool m_inCriticalDialog = false;
    bool m_shuttingDown = false;
    bool m_ended = false;
    TopTab m_topTab = TopTab::Status;
};

} // namespace corvane
