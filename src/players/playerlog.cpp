#include "players/playerlog.h"

#include "core/activitylog.h"
#include "core/numbers.h"
#include "core/settings.h"
#include "players/groups.h"
#include "rcon/slottable.h"

#include <algorithm>

namespace corvane {
namespace {

constexpr std::size_t kMaxCachedPages = 32;
constexpr const char* kDeletedPlayersGroup = "Player";

} // namespace

PlayerLog::PlayerLog(PlayerStore& store, Groups& groups, const SlotTable& slots,
                     const Settings& settings, ActivityLog& log)
    : m_store(store), m_groups(groups), m_slots(slots), m_settings(settings), m_log(log) {
    m_store.setGroupDisplay([this](const std::string& stored) { return shownGroup(stored); });
}

std::string PlayerLog::shownGroup(const std::string& stored) const {
    if (stored == "D") return m_groups.table.DefaultGroupName;
    return m_groups.FindGroup(stored);
}

std::vector<std::int32_t> PlayerLog::onlineIds() const {
    std::vector<std::int32_t> ids;
    const int last = std::min<int>(m_settings.config.MaxClients, SlotTable::kSlots - 1);
    for (int slot = 1; slot <= last; ++slot)
        if (const auto id = toInt32(m_slots[slot].SlotDbID)) ids.push_back(*id);
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

bool PlayerLog::pagedFromTable() const {
    // (An unsorted log is in ID order, which has an index.)
    return !m_onlineOnly && PlayerStore::hasSortIndex(m_order.column);
}

void PlayerLog::refresh() {
    m_pages.clear();
    m_ids.clear();
    m_rowCount = 0;
    m_online = onlineIds();
    try {
        if (pagedFromTable()) {
            m_rowCount = static_cast<std::size_t>(m_store.count());
        } else {
            m_ids = m_store.ids(m_order, m_onlineOnly ? &m_online : nullptr);
            m_rowCount = m_ids.size();
        }
    } catch (const SqlError&) {
        m_log.SMS("Error loading database view!", kRed);
    }
    m_selected = m_selectedId ? rowOf(*m_selectedId) : std::nullopt;
    if (!m_selected) m_selectedId.reset();
    changed.notify();
}

std::optional<std::size_t> PlayerLog::rowOf(std::int32_t id) {
    if (!pagedFromTable()) {
        const auto it = std::find(m_ids.begin(), m_ids.end(), id);
        if (it == m_ids.end()) return std::nullopt;
        return static_cast<std::size_t>(it - m_ids.begin());
    }
    try {
        const auto position = m_store.position(m_order, id);
        if (position && static_cast<std::size_t>(*position) < m_rowCount)
            return static_cast<std::size_t>(*position);
    } catch (const SqlError&) {
    }
    return std::nullopt;
}

// A page follows on from the one before it when that one is at hand, which
// costs the same anywhere in the table; otherwise it is found by position,
// counted from whichever end of the table is nearer.
std::vector<PlayerRecord> PlayerLog::readPage(std::size_t page) {
    const std::size_t first = page * kPageRows;
    if (pagedFromTable()) {
        const auto before = page == 0 ? m_pages.end() : m_pages.find(page - 1);
        if (before != m_pages.end() && before->second.size() == kPageRows) {
            // Empty when that record has been deleted since: then by position.
            auto records = m_store.recordsAfter(m_order, before->second.back().record.ID,
                                                static_cast<int>(kPageRows));
            if (!records.empty()) return records;
        }
        if (first <= m_rowCount / 2)
            return m_store.recordsAt(m_order, static_cast<std::int64_t>(first),
                                     static_cast<int>(kPageRows));
        const std::size_t end = std::min(first + kPageRows, m_rowCount);
        auto records = m_store.recordsAt(m_order, static_cast<std::int64_t>(m_rowCount - end),
                                         static_cast<int>(end - first), true);
        std::reverse(records.begin(), records.end());
        return records;
    }
    std::vector<PlayerRecord> records;
    const std::size_t last = std::min(first + kPageRows, m_ids.size());
    for (std::size_t i = first; i < last; ++i) {
        // A record deleted since the refill keeps its row, with only its ID.
        auto record = m_store.record(m_ids[i]);
        records.push_back(record ? std::move(*record)
                                 : PlayerRecord{m_ids[i], {}, {}, {}, {}, {}, {}});
    }
    return records;
}

void PlayerLog::loadPage(std::size_t page) {
    std::vector<PlayerRecord> records;
    try {
        records = readPage(page);
    } catch (const SqlError&) {
    }
    if (m_pages.size() >= kMaxCachedPages) m_pages.clear();
    std::vector<PlayerLogRow>& rows = m_pages[page];
    rows.reserve(records.size());
    for (PlayerRecord& record : records) {
        PlayerLogRow row{std::move(record)};
        row.record.Group = shownGroup(row.record.Group);
        row.online = std::binary_search(m_online.begin(), m_online.end(), row.record.ID);
        rows.push_back(std::move(row));
    }
}

PlayerLogRow PlayerLog::row(std::size_t index) {
    if (index >= m_rowCount) return {};
    const std::size_t page = index / kPageRows;
    if (!m_pages.contains(page)) loadPage(page);
    const std::vector<PlayerLogRow>& rows = m_pages[page];
    return index % kPageRows < rows.size() ? rows[index % kPageRows] : PlayerLogRow{};
}

std::string PlayerLog::totalText() const {
    return "Total Players: " + std::to_string(m_rowCount);
}

void PlayerLog::toggleFilter() {
    m_onlineOnly = !m_onlineOnly;
    refresh();
}

// The rows are read again in the new order, so players added since the last
// refill appear too.
void PlayerLog::sortByColumn(PlayerColumn column) {
    m_order = PlayerStore::Order{true, column, m_nextDescending};
    m_nextDescending = !m_nextDescending;
    refresh();
}

void PlayerLog::select(std::optional<std::size_t> row) {
    m_selected = row && *row < m_rowCount ? row : std::nullopt;
    m_selectedId.reset();
    if (m_selected) {
        const std::int32_t id = this->row(*m_selected).record.ID;
        if (id != 0) m_selectedId = id;
    }
}

void PlayerLog::selectRecord(std::int32_t id) {
    m_selected = rowOf(id);
    m_selectedId = m_selected ? std::optional<std::int32_t>(id) : std::nullopt;
}

void PlayerLog::deleteSelected() {
    if (!m_selected || *m_selected >= m_rowCount) return;
    const std::size_t index = *m_selected;
    const PlayerLogRow victim = row(index);
    m_groups.SetOnlineGroup(victim.record.guid, kDeletedPlayersGroup);
    try {
        m_store.remove(victim.record.ID);
    } catch (const SqlError& e) {
        m_log.SMS(std::string("Error deleting the player: ") + e.what(), kRed);
        return;
    }
    if (!m_ids.empty()) m_ids.erase(m_ids.begin() + static_cast<std::ptrdiff_t>(index));
    --m_rowCount;
    m_pages.clear();
    recordDeleted.notify();
    select(index);
    changed.notify();
}

} // namespace corvane
