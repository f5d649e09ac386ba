#pragma once
// The program's own behaviour settings: Data/MOD.txt (written by the program
// whenever a switch changes) and Data/Advanced.txt (hand-edited, only read).

#include "core/buildversion.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

struct ModSettings {
    // Data/MOD.txt, in file order.
    std::string LastUpdateCheck;
    std::string VersionRead;
    bool AutoUpdateCheck = false;
    std::string WelcomeTemplate;
    std::int16_t AutoRefreshPlayers = 0; // check states: 0 cleared, 1 ticked
    std::int16_t KickUnknownSoldiers = 0;
    std::int16_t WelcomeEnabled = 0;
    std::int16_t TimedMessagesEnabled = 0;
    std::int16_t RulesEnabled = 0;
    std::int16_t LanguageFilterEnabled = 0;
    std::int16_t AutoScroll = 0;
    std::int16_t KickXboxNames = 0;
    std::int16_t MaxWarns = 0;
    std::array<float, 8> PlayerLogColumnWidths{};
    std::array<std::int16_t, 10> AnnounceMode{};
    std::vector<std::string> WeaponFlags;
    std::array<float, 7> OnlineColumnWidths{};
};

// The advanced variables, after twelve free header fields, one "name=value"
// line each, by position. A ninth line may name the provider's log host; the
// lines after it are found by their names (UpdateURL=, WebsiteURL=).
struct AdvancedVars {
    std::int32_t RconQueueInterval = 525;
    std::int16_t StatusPollPeriod = 0;
    std::int32_t Reserved3 = 1000;
    std::int32_t LogTrimPeriod = 100;
    std::int32_t AnnounceProgram = 1;
    std::int32_t Reserved6 = 0;
    std::int32_t RefreshDelay = 10;
    std::string PlayerDbPath;
    std::string LogHost;    // empty: the log host comes from the log URL
    std::string UpdateURL;  // the version file of the update check; empty: no check
    std::string WebsiteURL; // the product's web site; empty: none is opened
};

inline constexpr const char* kDefaultWelcomeTemplate =
    "^2Welcome <return> ^1<group> ^7<player> ^2to <server>";

// Reads the 30 fields straight into settings; on a FieldReadError the fields
// read before it keep their new values, the rest their old ones.
void readModFile(const std::string& text, ModSettings& settings);
// The whole file; field 2 is always the running build's version.
std::string writeModFile(const ModSettings& settings);

// Reads straight into vars (throws FieldReadError, partial like readModFile).
void readAdvancedFile(const std::string& text, AdvancedVars& vars);
// The defaults a failed read falls back to; StatusPollPeriod, Reserved6 and
// the addresses keep what they had.
void applyAdvancedDefaults(AdvancedVars& vars, const std::string& defaultPlayerDbPath);

} // namespace corvane
