#include "core/settings.h"

#include "core/activitylog.h"
#include "core/fieldreader.h"
#include "core/numbers.h"
#include "core/textfile.h"

namespace corvane {

Settings::Settings(const AppPaths& paths, ActivityLog& log, bool& criticalError)
    : m_paths(paths), m_log(log), m_criticalError(criticalError) {}

std::string Settings::defaultPlayerDbPath() const {
    return m_paths.appDir().string() + "\\Data\\playerdb.mdb";
}

bool Settings::InputConfig() {
    try {
        readServerConfig(readFieldFile(m_paths.file("Data/Config.txt")), config);
    } catch (const FieldReadError&) {
        m_log.SMS("Unable to access Config File!", kRed);
        const unsigned readsBefore = m_configReads;
        if (m_sendCError) m_sendCError();
        // A Retry in the dialog reloads everything; when that read succeeded,
        // this older failure must not lock the program out again.
        if (m_configReads == readsBefore) m_criticalError = true;
        return false;
    }
    ++m_configReads;
    configLoaded.notify();
    m_criticalError = false;
    m_log.SMS("Read Config File");
    return true;
}

void Settings::SaveConfig() {
    if (m_criticalError) return;
    if (!atomicReplace(m_paths.file("Data/Config.txt"),
                       writeServerConfig(config, ExcludedMapStyle::Quoted)))
        m_log.SMS("Error saving config.txt!", kRed);
}

bool Settings::LoadModFile() {
    try {
        readModFile(readFieldFile(m_paths.file("Data/MOD.txt")), mod);
    } catch (const FieldReadError&) {
        m_log.SMS("Error opening MOD.txt!", kRed);
        return false;
    }
    modFileLoaded.notify();
    return true;
}

void Settings::SaveModFile() {
    if (m_criticalError || !m_viewsReady) return;
    if (!atomicReplace(m_paths.file("Data/MOD.txt"), writeModFile(mod)))
        m_log.SMS("Error saving MOD.txt!", kRed);
}

void Settings::LoadAVars() {
    try {
        readAdvancedFile(readFieldFile(m_paths.file("Data/Advanced.txt")), advanced);
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
