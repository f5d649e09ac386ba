#pragma once
// The check for a newer version: the version file is downloaded from the
// update address into Data/Version.txt and compared with this build's
// version; any difference offers the product's web site. The menu command
// reports every outcome, the automatic check (once per calendar day, a second
// after the mod settings are loaded) speaks only when an update exists.

#include "core/apppaths.h"
#include "core/ports.h"

#include <memory>
#include <string>
#include <string_view>

namespace corvane {

class Settings;
class Timer;

class UpdateCheck {
public:
    static constexpr int kAutoCheckDelayMs = 1000; // Timer17

    UpdateCheck(Ports ports, const AppPaths& paths, Settings& settings);
    ~UpdateCheck();
    UpdateCheck(const UpdateCheck&) = delete;
    UpdateCheck& operator=(const UpdateCheck&) = delete;

    // "Check for updates..." with showResult; silently for the daily check.
    void DoUpdateC(bool showResult);
    // Runs the check when it is switched on and has not run today.
    void DoAUtoCheck();
    // Timer17: the mod settings are loaded, the daily check follows in a second.
    void scheduleAutoCheck();
    // A download is under way.
    bool checking() const { return m_checking; }

    // Only digits "." digits "." digits is a version; an error page is not.
    static bool isVersionText(std::string_view text);

private:
    void judge(bool downloaded, bool showResult);
    void offerUpdate(const std::string& latest);

    Ports m_ports;
    AppPaths m_paths;
    Settings& m_settings;
    std::unique_ptr<Timer> m_timer17;
    bool m_checking = false;
    // The download reports back later; a check whose owner is gone ends there.
    std::shared_ptr<UpdateCheck*> m_self;
};

} // namespace corvane
