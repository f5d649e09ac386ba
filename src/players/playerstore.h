#pragma once
// The table of every player ever seen, in one SQLite file. This layer only
// stores and fetches; the rules of when to add, greet or update a player live
// with the callers. Every value reaches SQL as a bound parameter, so a GUID or
// name holding quotes is stored and found like any other.

#include "players/sqlitedb.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// One row of the table, its seven columns in their stored order.
struct PlayerRecord {
    std::int32_t ID = 0;
    std::string UserName;
    std::string Group; // "0" Owner, "D" the default group, otherwise a group name
    std::string guid;
    std::string FirstSeen;
    std::string lastseen;
    std::string server;
};

// The columns of the table by position, for sorting.
enum class PlayerColumn { ID, UserName, Group, Guid, FirstSeen, LastSeen, Server };
inline constexpr int kPlayerColumns = 7;

class PlayerStore {
public:
    // Writes a new, empty database (the table and its GUID index) to file,
    // replacing nothing: an existing file is an error.
    static void createEmpty(const std::filesystem::path& file);

    PlayerStore() = default;
    PlayerStore(const PlayerStore&) = delete;
    PlayerStore& operator=(const PlayerStore&) = delete;

    // Opens an existing database; throws SqlError when the file is missing,
    // is not a database or has no player table.
    void open(const std::filesystem::path& file);
    void close();
    bool isOpen() const { return m_db.isOpen(); }

    // The ID of the first record (lowest ID) with this GUID; 0 when none.
    std::int32_t findGuid(std::string_view guid);
    // The stored Group of the record findGuid finds; empty when none.
    std::optional<std::string> groupByGuid(std::string_view guid);
    // The highest ID; empty when the table is empty.
    std::optional<std::int32_t> lastId();
    // Adds a record and returns the ID the database gave it.
    std::int32_t insert(const PlayerRecord& record);
    std::optional<PlayerRecord> record(std::int32_t id);
    // Each update returns false when it changed nothing (the record is gone
    // or already held those values: then nothing is written at all).
    bool updateSeen(std::int32_t id, std::string_view name, std::string_view date,
                    std::string_view server);
    bool updateLastSeen(std::int32_t id, std::string_view date, std::string_view server);
    bool setGroup(std::int32_t id, std::string_view group);
    bool remove(std::int32_t id);

    // The IDs of all records, or of those among onlyIds, in table order or
    // sorted as text by one column. The Group column sorts by the group
    // names shown (see setGroupDisplay).
    struct Order {
        bool sorted = false;
        PlayerColumn column = PlayerColumn::ID;
        bool descending = false;
    };
    std::vector<std::int32_t> ids(const Order& order,
                                  const std::vector<std::int32_t>* onlyIds = nullptr);
    std::int64_t count();
    // Records in table order or sorted by a column (quick for every column
    // with a sort index, see hasSortIndex). From a position, slower the
    // further it is from the start - or, with fromEnd, from the last record
    // backwards, the records then in reverse order.
    std::vector<PlayerRecord> recordsAt(const Order& order, std::int64_t offset, int limit,
                                        bool fromEnd = false);
    // The `limit` records that follow the record with ID afterId, which costs
    // the same anywhere in the table.
    std::vector<PlayerRecord> recordsAfter(const Order& order, std::int32_t afterId, int limit);
    // The Group column sorts by the names shown, which no index can hold.
    static bool hasSortIndex(PlayerColumn column);
    // Where the record stands in that order (0 for the first); empty when no
    // record has that ID. Quick in table order and for every column with a
    // sort index, so a selection can be found again in a big table.
    std::optional<std::int64_t> position(const Order& order, std::int32_t id);

    // How a stored Group value is shown ("D" as the default group's name...).
    void setGroupDisplay(std::function<std::string(const std::string&)> display);

private:
    SqlStatement& statement(std::string_view sql);
    std::int64_t countWhere(const std::string& condition, std::int32_t id,
                            const std::string* key = nullptr);
    // The sort key of a record: empty when there is no such record, and a
    // value that is empty when the key is NULL.
    std::optional<std::optional<std::string>> sortKeyOf(const Order& order, std::int32_t id);
    void readRecords(const std::string& where, const std::string& order, std::int32_t id,
                     const std::string* key, int limit, std::vector<PlayerRecord>& out);
    void registerFunctions();

    SqliteDb m_db;
    std::map<std::string, std::unique_ptr<SqlStatement>, std::less<>> m_statements;
    std::function<std::string(const std::string&)> m_groupDisplay;
};

// FindGUIDDatabase's rule: any failure counts as "not found".
std::int32_t findGuidOrZero(PlayerStore& store, std::string_view guid);

} // namespace corvane
