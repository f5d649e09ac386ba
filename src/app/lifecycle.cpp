// Start-up, reload, the critical-error dialog and the two-stage shutdown.

#include "app/app.h"

#include "core/prompts.h"

namespace corvane {

StartMode App::Main() {
    return decideStartMode(m_paths, m_ports.prompts);
}

void App::createMainWindow() {
    Form_Initialize();
    if (m_ended) return;
    // The status bar and the server facts show at once, not a second later.
    updateStatusTexts(m_logFetcher.RefreshTarget() - m_logFetcher.RefreshTicks());
    m_timer2->start();
    m_timer22->start();
    m_maps.messages.startRotationTimer();
}

void App::step(std::string_view name) {
    loadStep.notify(name);
}

void App::Form_Initialize() {
    // The order matters: later steps read what earlier ones loaded.
    const std::pair<std::string_view, std::function<void()>> steps[] = {
        {"LayOutViews", [this] { layOutViews(); }},
        {"MaxHealth", [this] { m_enforcement.secondChance.resetMaxHealth(); }},
        {"ClearHP", [this] { m_enforcement.secondChance.ClearHP(); }},
        {"LoadBadWords", [this] { m_enforcement.language.LoadBadWords(); }},
        {"LoadAVars", [this] { m_settings.LoadAVars(); }},
        {"LoadDRank", [this] { m_players.groups.LoadDRank(); }},
        {"ClearPlayers", [this] { m_slots.ClearPlayers(); }},
        {"ResetVoting", [this] { m_maps.resetVoting(); }},
        {"InputConfig", [this] { m_settings.InputConfig(); }},
        {"InputAdmin", [this] { m_players.groups.InputAdmin(); }},
        {"SetCaption", [this] { windowStateChanged.notify(); }},
        {"SetDefaultRotation", [this] { m_maps.rotation.SetDefaultRotation(); }},
        {"LoadPlayerDatabase", [this] { m_players.database.LoadPlayerDatabase(); }},
        {"SizeCommandClipboard", [this] { m_players.editor.clearClipboard(); }},
        {"QueuePlaylist", [this] { m_queue.pushBack("Playlist"); }},
        {"CVMwelcome", [this] { m_maps.messages.CVMwelcome(); }},
        {"BuildMapTable", [] {}},
        {"StartRconPump", [this] { m_rcon.startPump(); }},
        {"AllowRcon", [this] { m_linkState.RconAllowed = true; }},
        {"Loadr2", [this] { m_chatLog.Loadr2(); }},
        {"LoadModFile", [this] { m_settings.LoadModFile(); }},
    };
    for (const auto& [name, run] : steps) {
        if (m_ended) return;
        step(name);
        run();
    }
}

void App::layOutViews() {
    m_settings.setViewsReady(true);
}

void App::UpdateAllC() {
    m_menuItemsEnabled = true;
    m_settings.LoadAVars();
    // After the advanced settings, so that a changed database path takes
    // effect with this reload rather than the next one.
    m_players.database.LoadPlayerDatabase();
    m_settings.SaveModFile();
    m_players.groups.SaveSettings();
    m_settings.InputConfig();
    m_players.groups.InputAdmin();
    m_statusPoll.Command8_Click();
    windowStateChanged.notify();
}

void App::SendCError() {
    // One dialog at a time: while it waits for the operator, timers keep
    // running and may fail again.
    if (m_inCriticalDialog || m_ended) return;
    m_inCriticalDialog = true;
    const MessageResult answer = m_ports.prompts.messageBox(
        "Critical Error!",
        "WARNING: Corvane Mod has detected an error that prevents it from running, please check "
        "all directories and make sure Data and Logs directories both exist and then restart!",
        MessageButtons::AbortRetryIgnore, MessageIcon::Critical);
    m_inCriticalDialog = false;
    switch (answer) {
    case MessageResult::Abort:
        endProgram(1);
        break;
    case MessageResult::Retry:
        // Every source that still fails raises its error again.
        m_criticalErrors.clearAll();
        Form_Initialize();
        break;
    default:
        m_menuItemsEnabled = false;
        windowStateChanged.notify();
        break;
    }
}

void App::loadFirst() {
    m_activityLog.SMS(std::string("Welcome to the Corvane Mod Version ") + kBuildVersion + "!",
                      kBlue);
    m_activityLog.SMS("Begin setup by going to the Players tab -> Permissions, for more info go to "
                      "https://corvane-mod.example.org",
                      kBlue);
    m_timer29->start();
}

void App::ENDALL() {
    if (m_shuttingDown || m_ended) return;
    m_shuttingDown = true;
    // Nothing typed into the message editor or the welcome box is lost.
    m_maps.editor.saveEverything();
    m_activityLog.SMS("Shutting down...", kRed);
    m_players.groups.SaveSettings();
    if (m_enforcement.language.savePending()) m_enforcement.language.saveWordList();
    m_logFetcher.closeConnection();
    m_settings.SaveModFile();
    m_rcon.stopPump();
    m_timer9->start();
    m_queue.clear();
    // With the queue empty the reset goes out at once.
    m_maps.rotation.SetDefaultRotation();
}

void App::CloseAll() {
    m_activityLog.SMS("Shutting down...");
    m_rcon.closeSocket();
    m_statusPoll.closeSocket();
    m_maps.closeSockets();
    endProgram(0);
}

void App::endProgram(int exitCode) {
    stopAllTimers();
    m_ended = true;
    m_ports.loop.quit(exitCode);
}

} // namespace corvane
