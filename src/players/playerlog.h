#pragma once
// The player log: every stored player (or only those online) as rows for the
// operator's view. It stays a lazy model so that a table of a million players
// costs neither seconds nor the whole table in memory: rows are read when the
// view asks for them, a page at a time. In table order a refresh only counts
// the records; sorted or filtered, it reads the record IDs in the order shown.

#include "core/signal.h"
#include "players/playerstore.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

class ActivityLog;
class Groups;
class Settings;
class SlotTable;

struct PlayerLogRow {
    // Group holds the name shown (the default group's for "D").
    PlayerRecord record;
    // The player holds a slot right now.
    bool online = false;
};

class PlayerLog {
public:
    static constexpr std::size_t kPageRows = 64;
    static constexpr const char* kOnlineOnlyCaption = "Online Only";
    static constexpr const char* kShowAllCaption = "Show All";

    PlayerLog(PlayerStore& store, Groups& groups, const SlotTable& slots, const Settings& settings,
              ActivityLog& log);

    // Refills the rows from the table, filtered and in the remembered order.
    void refresh();

    std::size_t rowCount() const { return m_rowCount; }
    // The row at a position; an empty row when the position is past the end
    // or the record cannot be read.
    PlayerLogRow row(std::size_t index);
    // "Total Players: " and the number of rows.
    std::string totalText() const;

    // The filter button: its caption names what a click switches to.
    bool onlineOnly() const { return m_onlineOnly; }
    std::string filterCaption() const {
        return m_onlineOnly ? kShowAllCaption : kOnlineOnlyCaption;
    }
    void toggleFilter();

    // A header click: sorts by that column as text, first descending, then
    // alternating with every click on any header. The order is kept for
    // every later refill.
    void sortByColumn(PlayerColumn column);
    const PlayerStore::Order& order() const { return m_order; }

    // The selected row. A refill selects the same record again wherever the
    // new order puts it (nothing when it is no longer listed).
    std::optional<std::size_t> selectedRow() const { return m_selected; }
    std::optional<std::int32_t> selectedId() const { return m_selectedId; }
    void select(std::optional<std::size_t> row);
    // Selects the row of a record, wherever it stands now.
    void selectRecord(std::int32_t id);

    // Deletes the selected record: its player loses his group online, the row
    // goes, a status poll is requested and the next row takes the selection.
    void deleteSelected();

    Signal<> changed;
    // A record was deleted: a status poll brings a deleted player who is
    // online back as a new one.
    Signal<> recordDeleted;

private:
    // Rows come straight from the table (in table order or through a sort
    // index) rather than from a list of IDs.
    bool pagedFromTable() const;
    void loadPage(std::size_t page);
    std::vector<PlayerRecord> readPage(std::size_t page);
    std::vector<std::int32_t> onlineIds() const;
    std::string shownGroup(const std::string& stored) const;
    std::optional<std::size_t> rowOf(std::int32_t id);

    PlayerStore& m_store;
    Groups& m_groups;
    const SlotTable& m_slots;
    const Settings& m_settings;
    ActivityLog& m_log;

    std::size_t m_rowCount = 0;
    std::vector<std::int32_t> m_ids; // the rows' record IDs when sorted or filtered
    std::vector<std::int32_t> m_online;
    std::map<std::size_t, std::vector<PlayerLogRow>> m_pages;
    PlayerStore::Order m_order;
    bool m_nextDescending = true;
    bool m_onlineOnly = false;
    std::optional<std::size_t> m_selected;
    std::optional<std::int32_t> m_selectedId;
};

} // namespace corvane
