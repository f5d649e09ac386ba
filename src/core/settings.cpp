#include "core/settings.h"

#include "core/activitylog.h"
#include "core/criticalerrors.h"
#include "core/datafiles.h"
#include "core/fieldreader.h"
#include "core/numbers.h"
#include "core/textfile.h"

namespace corvane {

Settings::Settings(const AppPaths& paths, ActivityLog& log, CriticalErrors& errors)
    : m_paths(paths), m_log(log), m_errors(errors) {}

std::string Settings::defaultPlayerDbPath() const {
    // The path as the settings file keeps it, with "\" between its parts.
    return m_paths.appDir().string() + "\\" + std::string(kDataDir) + "\\" +
           std::string(baseName(kPlayerDbFile));
}

bool Settings::InputConfig() {
    try {
        readServerConfig(readFieldFile(m_paths.file(kConfigFile)), config);
    } catch (const FieldReadError&) {
        m_log.SMS("Unable to access Config File!", kRed);
        m_errors.raise(CriticalSource::Config);
        return false;
    }
    configLoaded.notify();
    m_errors.clear(CriticalSource::Config);
    m_log.SMS("Read Config File");
    return true;
}

void Settings::SaveConfig() {
    if (m_errors.active()) return;
    if (!atomicReplace(m_paths.file(kConfigFile),
                       writeServerConfig(config, ExcludedMapStyle::Quoted)))
        m_log.SMS("Error saving config.txt!", kRed);
}

bool Settings::LoadModFile() {
    try {
        readModFile(readFieldFile(m_paths.file(kModFile)), mod);
    } catch (const FieldReadError&) {
        m_log.SMS("Error opening MOD.txt!", kRed);
        return false;
    }
    modFileLoaded.notify();
    return true;
}

void Settings::SaveModFile() {
    if (m_errors.active() || !m_viewsReady) return;
    if (!atomicReplace(m_paths.file(kModFile), writeModFile(mod)))
        m_log.SMS("Error saving MOD.txt!", kRed);
}

void Settings::LoadAVars() {
    try {
        readAdvancedFile(readFieldFile(m_paths.file(kAdvancedFile)), advanced);
    } catch (const FieldReadError&) {
        m_log.SMS("Error in the Advanced.txt file! All Advanced vars are default", kRed);
        applyAdvancedDefaults(advanced, defaultPlayerDbPath());
    }
    m_log.setTrimThreshold(advanced.LogTrimPeriod);
    advancedLoaded.notify();
}

std::int16_t& Settings::switchField(Switch which) {
    switch (which) {
    case Switch::AutoRefreshPlayers:
        return mod.AutoRefreshPlayers;
    case Switch::KickUnknownSoldiers:
        return mod.KickUnknownSoldiers;
    case Switch::WelcomeEnabled:
        return mod.WelcomeEnabled;
    case Switch::TimedMessagesEnabled:
        return mod.TimedMessagesEnabled;
    case Switch::RulesEnabled:
        return mod.RulesEnabled;
    case Switch::LanguageFilterEnabled:
        return mod.LanguageFilterEnabled;
    case Switch::AutoScroll:
        return mod.AutoScroll;
    case Switch::KickXboxNames:
        return mod.KickXboxNames;
    }
    return mod.AutoScroll;
}

bool Settings::isTicked(Switch which) const {
    return const_cast<Settings*>(this)->switchField(which) != 0;
}

void Settings::setSwitch(Switch which, bool ticked) {
    switchField(which) = ticked ? 1 : 0;
    if (which == Switch::KickXboxNames) return;
    SaveModFile();
    if (which == Switch::TimedMessagesEnabled) timedMessagesTicked.notify();
}

void Settings::maxWarnsEdited(const std::string& text) {
    if (const auto value = toInt16(text)) mod.MaxWarns = *value;
}

std::string Settings::maxWarnsLeft(const std::string& text) {
    const std::string shown = isINT(text) ? text : "0";
    mod.MaxWarns = *toInt16(shown);
    SaveModFile();
    return shown;
}

void Settings::toggleAutoUpdateCheck() {
    mod.AutoUpdateCheck = !mod.AutoUpdateCheck;
    SaveModFile();
}

void Settings::applyFirstRunDefaults() {
    mod.AutoUpdateCheck = true;
    mod.WelcomeTemplate = kDefaultWelcomeTemplate;
    mod.MaxWarns = 2;
}

} // namespace corvane
