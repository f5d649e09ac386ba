#pragma once
// Loading and saving the settings files: Data/Config.txt (ServerConfig),
// Data/MOD.txt (ModSettings) and Data/Advanced.txt (AdvancedVars), with their
// failure messages, plus the operator's switch handlers that save at once.

#include "core/apppaths.h"
#include "core/modsettings.h"
#include "core/serverconfig.h"
#include "core/signal.h"

#include <string>

namespace corvane {

class ActivityLog;
class CriticalErrors;

class Settings {
public:
    // The eight check boxes of MOD.txt fields 5 to 12, in file order.
    enum class Switch {
        AutoRefreshPlayers,
        KickUnknownSoldiers,
        WelcomeEnabled,
        TimedMessagesEnabled,
        RulesEnabled,
        LanguageFilterEnabled,
        AutoScroll,
        KickXboxNames,
    };

    // An unreadable Config.txt raises a critical error; nothing is saved
    // while one holds.
    Settings(const AppPaths& paths, ActivityLog& log, CriticalErrors& errors);

    bool InputConfig();
    void SaveConfig();
    // False when the file could not be read whole (the closing steps are skipped).
    bool LoadModFile();
    void SaveModFile();
    void LoadAVars();

    // Operator switches. Fields 5 to 11 save at once; the Xbox-names box is
    // saved with the next save of any kind.
    void setSwitch(Switch which, bool ticked);
    bool isTicked(Switch which) const;
    // "Max warns before kick:" while typing, and when the box loses the focus;
    // the latter returns the text the box shows afterwards.
    void maxWarnsEdited(const std::string& text);
    std::string maxWarnsLeft(const std::string& text);
    void toggleAutoUpdateCheck();
    void applyFirstRunDefaults();

    std::string defaultPlayerDbPath() const;
    // Set once the players view has its columns; until then nothing is saved.
    void setViewsReady(bool ready) { m_viewsReady = ready; }

    ServerConfig config;
    ModSettings mod;
    AdvancedVars advanced;

    Signal<> configLoaded;        // show the excluded map and the map-skipping choice
    Signal<> modFileLoaded;       // weapon lists, update-check timer, default-group mark
    Signal<> advancedLoaded;      // the refresh delay takes effect
    Signal<> timedMessagesTicked; // restart the timed messages at their first one

private:
    std::int16_t& switchField(Switch which);

    const AppPaths& m_paths;
    ActivityLog& m_log;
    CriticalErrors& m_errors;
    bool m_viewsReady = false;
};

} // namespace corvane
