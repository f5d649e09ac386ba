// The automatic enforcement joins the rest: the log parser hands it chat,
// kill and damage lines and the batch boundaries, the link hands it the
// playlist and every player it sees, the player database the new players.

#include "app/app.h"

namespace corvane {

void App::connectEnforcement() {
    Enforcement& e = m_enforcement;
    LogParserHooks& parser = m_logParser.hooks;
    // The batch boundary (newBatch) is shared with the commands: connectCommands.
    parser.BadWordFilter = [&e](const std::string& name, const std::string& guid,
                                const std::string& text, const std::string& slot, bool command) {
        e.language.BadWordFilter(name, guid, text, slot, command);
    };
    parser.AlphaD = [&e](const std::string& line) { e.secondChance.AlphaD(line); };
    parser.AlphaKill = [&e](const std::string& line) { e.secondChance.AlphaKill(line); };
    parser.SetMaxHealth = [&e](std::int16_t playlist) { e.secondChance.SetMaxHealth(playlist); };
    parser.ClearHP = [&e] { e.secondChance.ClearHP(); };

    m_playerHooks.CheckBadNames = [&e](const std::string& name, const std::string& slot,
                                       const std::string& guid) {
        return e.names.CheckBadNames(name, slot, guid);
    };
    m_playerHooks.CheckBadxBox = [&e](const std::string& name, const std::string& slot,
                                      const std::string& guid) {
        return e.names.CheckBadxBox(name, slot, guid);
    };
    m_players.hooks.resetWarnings = [&e](int slot) { e.resetWarnings(slot); };
    m_settings.modFileLoaded.connect([&e] { e.weaponLists.FillWeapons(); });
}

} // namespace corvane
