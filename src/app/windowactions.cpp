// What the operator does from the window's pop-up menus and dialogs, as
// operations on the App: the window only shows their results.

#include "app/app.h"

#include "core/numbers.h"
#include "core/shell.h"

#include <algorithm>

namespace corvane {

std::optional<PlayerMenu> App::onlinePlayerMenu(int slot) const {
    const OnlineGridRow* row = m_grid.row(slot);
    if (!row) return std::nullopt;
    return corvane::onlinePlayerMenu(m_players.editor.groupMenuEntries(), row->username,
                                     row->group);
}

std::optional<PlayerMenu> App::loggedPlayerMenu(std::size_t row) {
    if (row >= m_players.playerLog.rowCount()) return std::nullopt;
    const PlayerLogRow player = m_players.playerLog.row(row);
    return corvane::loggedPlayerMenu(m_players.editor.groupMenuEntries(), player.record.Group,
                                     slotOfRecord(player.record.ID).has_value());
}

std::optional<std::int16_t> App::slotOfRecord(std::int32_t id) const {
    if (id == 0) return std::nullopt;
    const std::string wanted = decimal(id);
    const int last = std::min<int>(m_settings.config.MaxClients, SlotTable::kSlots - 1);
    for (int slot = 1; slot <= last; ++slot)
        if (m_slots[slot].SlotDbID == wanted && !m_slots[slot].SlotGUID.empty())
            return static_cast<std::int16_t>(slot);
    return std::nullopt;
}

std::unique_ptr<AdminAction> App::adminActionOnSlot(AdminActionKind kind, int slot) {
    const OnlineGridRow* row = m_grid.row(slot);
    if (!row || row->username.empty() || m_slots[slot].SlotGUID.empty()) return nullptr;
    return std::make_unique<AdminAction>(kind, static_cast<std::int16_t>(slot), row->username,
                                         m_slots[slot].SlotGUID, m_queue, m_activityLog);
}

// A player-log row names a record; the action goes to the slot that record's
// player holds now, never to the row selected in the online grid.
std::unique_ptr<AdminAction> App::adminActionOnRecord(AdminActionKind kind, std::int32_t id) {
    const auto slot = slotOfRecord(id);
    return slot ? adminActionOnSlot(kind, *slot) : nullptr;
}

// The pages live under the product's web site; without one nothing opens.
void App::openWebPage(WebPage page) {
    const std::string& site = m_settings.advanced.WebsiteURL;
    if (site.empty()) return;
    m_ports.shell.openUrl(site + (page == WebPage::Beta ? "/beta" : "/donate"));
}

std::vector<std::string> App::adminActionReasons() const {
    return dialogReasons(m_paths);
}

} // namespace corvane
