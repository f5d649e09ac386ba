// The automatic enforcement joins the rest: the log parser hands it chat,
// kill and damage lines and the batch boundaries, the link the playlist, the
// player database the new players; the name rules answer the link's
// NameChecks (links.h).

#include "app/app.h"

namespace corvane {

void App::connectEnforcement() {
    Enforcement& e = m_enforcement;
    m_connections += m_logParser.batchStarted.connect([&e] { e.newBatch(); });
    m_connections += m_logParser.chatLine.connect([&e](const ChatLine& chat) {
        e.language.BadWordFilter(chat.name, chat.guid, chat.text, chat.slot, chat.isCommand());
    });
    m_connections += m_logParser.damage.connect(
        [&e](const DamageLine& hit) { e.secondChance.AlphaD(hit.line); });
    m_connections += m_logParser.kill.connect(
        [&e](const KillLine& death) { e.secondChance.AlphaKill(death.line); });
    m_connections += m_logParser.matchStarted.connect(
        [&e](std::int16_t playlist) { e.secondChance.SetMaxHealth(playlist); });
    m_connections += m_logParser.batchEnded.connect([&e] { e.secondChance.ClearHP(); });
    m_connections +=
        m_players.database.playerRegistered.connect([&e](int slot) { e.resetWarnings(slot); });
    m_connections += m_settings.modFileLoaded.connect([&e] { e.weaponLists.FillWeapons(); });
}

} // namespace corvane
