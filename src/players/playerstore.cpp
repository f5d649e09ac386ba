#include "players/playerstore.h"

#include <sqlite3.h>

#include <system_error>

namespace corvane {
namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE playerdb (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  UserName TEXT,
  "Group" TEXT,
  guid TEXT COLLATE NOCASE,
  FirstSeen TEXT,
  lastseen TEXT,
  server TEXT
);
)sql";

// The GUID index serves every lookup; the others let the player log show a
// big table sorted by a column a page at a time (each ends with the ID, which
// breaks ties).
constexpr const char* kIndexes = R"sql(
CREATE INDEX IF NOT EXISTS playerdb_guid ON playerdb (guid);
CREATE INDEX IF NOT EXISTS playerdb_sort_id ON playerdb (CAST(ID AS TEXT) COLLATE NOCASE);
CREATE INDEX IF NOT EXISTS playerdb_sort_name ON playerdb (UserName COLLATE NOCASE);
CREATE INDEX IF NOT EXISTS playerdb_sort_first ON playerdb (FirstSeen COLLATE NOCASE);
CREATE INDEX IF NOT EXISTS playerdb_sort_last ON playerdb (lastseen COLLATE NOCASE);
CREATE INDEX IF NOT EXISTS playerdb_sort_server ON playerdb (server COLLATE NOCASE);
)sql";

constexpr const char* kColumns = R"(ID, UserName, "Group", guid, FirstSeen, lastseen, server)";

// Sort keys as the player log compares them: every column as text, letter
// case ignored, ties in the same direction by ID.
const char* sortKey(PlayerColumn column) {
    switch (column) {
    case PlayerColumn::ID:
        return "CAST(ID AS TEXT)";
    case PlayerColumn::UserName:
        return "UserName";
    case PlayerColumn::Group:
        return "shown_group(\"Group\")";
    case PlayerColumn::Guid:
        return "guid";
    case PlayerColumn::FirstSeen:
        return "FirstSeen";
    case PlayerColumn::LastSeen:
        return "lastseen";
    case PlayerColumn::Server:
        return "server";
    }
    return "ID";
}

std::string keyOf(const PlayerStore::Order& order) {
    return order.sorted ? sortKey(order.column) : "ID";
}

// reversed gives the same rows last to first.
std::string orderBy(const PlayerStore::Order& order, bool reversed = false) {
    const char* direction = order.descending != reversed ? " DESC" : " ASC";
    if (!order.sorted) return std::string(" ORDER BY ID") + direction;
    return std::string(" ORDER BY ") + sortKey(order.column) + " COLLATE NOCASE" + direction +
           ", ID" + direction;
}

PlayerRecord readRecord(const SqlStatement& row) {
    return PlayerRecord{static_cast<std::int32_t>(row.integer(0)),
                        row.text(1),
                        row.text(2),
                        row.text(3),
                        row.text(4),
                        row.text(5),
                        row.text(6)};
}

void shownGroup(sqlite3_context* context, int, sqlite3_value** values) {
    const auto* display = static_cast<const std::function<std::string(const std::string&)>*>(
        sqlite3_user_data(context));
    const auto* raw = sqlite3_value_text(values[0]);
    std::string stored = raw ? reinterpret_cast<const char*>(raw) : "";
    std::string shown = *display ? (*display)(stored) : stored;
    sqlite3_result_text(context, shown.c_str(), static_cast<int>(shown.size()), SQLITE_TRANSIENT);
}

} // namespace

void PlayerStore::createEmpty(const std::filesystem::path& file) {
    std::error_code ec;
    if (std::filesystem::exists(file, ec))
        throw SqlError("create " + file.string() + ": the file exists");
    SqliteDb db;
    db.create(file);
    db.exec(kSchema);
    db.exec(kIndexes);
}

void PlayerStore::open(const std::filesystem::path& file) {
    close();
    m_db.open(file);
    try {
        m_db.exec("SELECT ID, UserName, \"Group\", guid, FirstSeen, lastseen, server FROM playerdb "
                  "LIMIT 0");
        registerFunctions();
    } catch (const SqlError&) {
        close();
        throw;
    }
    // Lookups by GUID in a big table stay in memory instead of going back to
    // the file for every index page.
    m_db.exec("PRAGMA cache_size = -32768");
    // Files made before an index existed get it now; a read-only file still
    // works without them, only slower.
    try {
        m_db.exec(kIndexes);
    } catch (const SqlError&) {
    }
}

void PlayerStore::close() {
    m_statements.clear();
    m_db.close();
}

void PlayerStore::registerFunctions() {
    if (sqlite3_create_function_v2(m_db.handle(), "shown_group", 1, SQLITE_UTF8, &m_groupDisplay,
                                   shownGroup, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw SqlError("register shown_group");
}

void PlayerStore::setGroupDisplay(std::function<std::string(const std::string&)> display) {
    m_groupDisplay = std::move(display);
}

SqlStatement& PlayerStore::statement(std::string_view sql) {
    auto it = m_statements.find(sql);
    if (it == m_statements.end())
        it = m_statements.emplace(std::string(sql), m_db.prepare(sql)).first;
    it->second->reset();
    return *it->second;
}

std::int32_t PlayerStore::findGuid(std::string_view guid) {
    SqlStatement& query = statement("SELECT ID FROM playerdb WHERE guid = ?1 ORDER BY ID LIMIT 1");
    query.bind(1, guid);
    const std::int32_t id = query.step() ? static_cast<std::int32_t>(query.integer(0)) : 0;
    query.reset();
    return id;
}

std::optional<std::string> PlayerStore::groupByGuid(std::string_view guid) {
    SqlStatement& query =
        statement("SELECT \"Group\" FROM playerdb WHERE guid = ?1 ORDER BY ID LIMIT 1");
    query.bind(1, guid);
    std::optional<std::string> group;
    if (query.step()) group = query.text(0);
    query.reset();
    return group;
}

std::optional<std::int32_t> PlayerStore::lastId() {
    SqlStatement& query = statement("SELECT ID FROM playerdb ORDER BY 1 DESC LIMIT 1");
    std::optional<std::int32_t> id;
    if (query.step()) id = static_cast<std::int32_t>(query.integer(0));
    query.reset();
    return id;
}

std::int32_t PlayerStore::insert(const PlayerRecord& r) {
    SqlStatement& add =
        statement("INSERT INTO playerdb (UserName, \"Group\", guid, FirstSeen, lastseen, "
                  "server) VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
    add.bind(1, r.UserName)
        .bind(2, r.Group)
        .bind(3, r.guid)
        .bind(4, r.FirstSeen)
        .bind(5, r.lastseen)
        .bind(6, r.server);
    add.run();
    return static_cast<std::int32_t>(m_db.lastInsertId());
}

std::optional<PlayerRecord> PlayerStore::record(std::int32_t id) {
    SqlStatement& query =
        statement(std::string("SELECT ") + kColumns + " FROM playerdb WHERE ID = ?1");
    query.bind(1, std::int64_t{id});
    std::optional<PlayerRecord> found;
    if (query.step()) found = readRecord(query);
    query.reset();
    return found;
}

bool PlayerStore::updateSeen(std::int32_t id, std::string_view name, std::string_view date,
                             std::string_view server) {
    SqlStatement& update =
        statement("UPDATE playerdb SET UserName = ?2, lastseen = ?3, server = ?4 WHERE ID = ?1 AND "
                  "(UserName IS NOT ?2 OR lastseen IS NOT ?3 OR server IS NOT ?4)");
    update.bind(1, std::int64_t{id}).bind(2, name).bind(3, date).bind(4, server);
    update.run();
    return m_db.changes() > 0;
}

bool PlayerStore::updateLastSeen(std::int32_t id, std::string_view date, std::string_view server) {
    SqlStatement& update =
        statement("UPDATE playerdb SET lastseen = ?2, server = ?3 WHERE ID = ?1 AND "
                  "(lastseen IS NOT ?2 OR server IS NOT ?3)");
    update.bind(1, std::int64_t{id}).bind(2, date).bind(3, server);
    update.run();
    return m_db.changes() > 0;
}

bool PlayerStore::setGroup(std::int32_t id, std::string_view group) {
    SqlStatement& update = statement("UPDATE playerdb SET \"Group\" = ?2 WHERE ID = ?1");
    update.bind(1, std::int64_t{id}).bind(2, group);
    update.run();
    return m_db.changes() > 0;
}

bool PlayerStore::remove(std::int32_t id) {
    SqlStatement& erase = statement("DELETE FROM playerdb WHERE ID = ?1");
    erase.bind(1, std::int64_t{id});
    erase.run();
    return m_db.changes() > 0;
}

std::int64_t PlayerStore::count() {
    SqlStatement& query = statement("SELECT count(*) FROM playerdb");
    const std::int64_t n = query.step() ? query.integer(0) : 0;
    query.reset();
    return n;
}

std::vector<PlayerRecord> PlayerStore::recordsAt(const Order& order, std::int64_t offset, int limit,
                                                 bool fromEnd) {
    SqlStatement& query = statement(std::string("SELECT ") + kColumns + " FROM playerdb" +
                                    orderBy(order, fromEnd) + " LIMIT ?2 OFFSET ?1");
    query.bind(1, offset).bind(2, std::int64_t{limit});
    std::vector<PlayerRecord> out;
    while (query.step())
        out.push_back(readRecord(query));
    query.reset();
    return out;
}

std::optional<std::optional<std::string>> PlayerStore::sortKeyOf(const Order& order,
                                                                 std::int32_t id) {
    SqlStatement& read = statement("SELECT " + keyOf(order) + " FROM playerdb WHERE ID = ?1");
    read.bind(1, std::int64_t{id});
    std::optional<std::optional<std::string>> key;
    if (read.step()) key = read.isNull(0) ? std::nullopt : std::optional(read.text(0));
    read.reset();
    return key;
}

// Parameters: ?1 the key (when given), ?2 the ID, ?3 the limit; the condition
// need not name the first two.
void PlayerStore::readRecords(const std::string& where, const std::string& order, std::int32_t id,
                              const std::string* key, int limit, std::vector<PlayerRecord>& out) {
    if (limit <= 0) return;
    SqlStatement& query = statement(std::string("SELECT ") + kColumns + " FROM playerdb WHERE " +
                                    where + order + " LIMIT ?3");
    if (key) query.bind(1, *key);
    query.bind(2, std::int64_t{id}).bind(3, std::int64_t{limit});
    while (query.step())
        out.push_back(readRecord(query));
    query.reset();
}

// The rows after a record in three runs, each a range of the key's index:
// the rest of the records whose key equals his (by ID), the keys beyond his,
// and the NULL keys where the direction puts them (first when ascending,
// last when descending).
std::vector<PlayerRecord> PlayerStore::recordsAfter(const Order& order, std::int32_t afterId,
                                                    int limit) {
    std::vector<PlayerRecord> out;
    const bool down = order.descending;
    const std::string byId = std::string(" ORDER BY ID") + (down ? " DESC" : " ASC");
    const std::string idBeyond = std::string(down ? "ID < ?2" : "ID > ?2");
    if (!order.sorted) {
        readRecords(idBeyond, byId, afterId, nullptr, limit, out);
        return out;
    }
    const auto key = sortKeyOf(order, afterId);
    if (!key) return out;
    const std::string k = keyOf(order);
    const auto left = [&] { return limit - static_cast<int>(out.size()); };
    if (*key) {
        const std::string& value = **key;
        readRecords(k + " = ?1 COLLATE NOCASE AND " + idBeyond, byId, afterId, &value, left(), out);
        readRecords(k + " COLLATE NOCASE" + (down ? " < " : " > ") + "?1", orderBy(order), afterId,
                    &value, left(), out);
        if (down) readRecords(k + " IS NULL", byId, afterId, nullptr, left(), out);
    } else {
        readRecords(k + " IS NULL AND " + idBeyond, byId, afterId, nullptr, left(), out);
        if (!down) readRecords(k + " IS NOT NULL", orderBy(order), afterId, nullptr, left(), out);
    }
    return out;
}

bool PlayerStore::hasSortIndex(PlayerColumn column) {
    return column != PlayerColumn::Group;
}

// Counts the records the condition holds for; it names the record's ID as ?2
// and, when one is given, the sort key's value as ?1.
std::int64_t PlayerStore::countWhere(const std::string& condition, std::int32_t id,
                                     const std::string* key) {
    SqlStatement& query = statement("SELECT count(*) FROM playerdb WHERE " + condition);
    if (key) query.bind(1, *key);
    query.bind(2, std::int64_t{id});
    const std::int64_t n = query.step() ? query.integer(0) : 0;
    query.reset();
    return n;
}

// Rows sort by the key (an empty field stored as NULL before any text, letter
// case ignored), then by ID, both in the order's direction. The rows before
// the record are counted through the key's index.
std::optional<std::int64_t> PlayerStore::position(const Order& order, std::int32_t id) {
    const std::string key = order.sorted ? sortKey(order.column) : "ID";
    SqlStatement& read = statement("SELECT " + key + " FROM playerdb WHERE ID = ?1");
    read.bind(1, std::int64_t{id});
    if (!read.step()) {
        read.reset();
        return std::nullopt;
    }
    const bool nullKey = read.isNull(0);
    const std::string value = read.text(0);
    read.reset();
    if (!order.sorted) return countWhere("ID < ?2", id);

    const std::string before = order.descending ? " > " : " < ";
    const std::string tieBefore = " AND ID" + before + "?2";
    const std::string nulls = key + " IS NULL";
    const std::string texts = key + " IS NOT NULL AND ID <> ?2";
    if (nullKey)
        return countWhere(nulls + tieBefore, id) + (order.descending ? countWhere(texts, id) : 0);
    const std::string k = key + " COLLATE NOCASE";
    return countWhere(k + before + "?1 AND ID <> ?2", id, &value) +
           countWhere(k + " = ?1" + tieBefore, id, &value) +
           (order.descending ? 0 : countWhere(nulls + " AND ID <> ?2", id));
}

std::vector<std::int32_t> PlayerStore::ids(const Order& order,
                                           const std::vector<std::int32_t>* onlyIds) {
    std::string sql = "SELECT ID FROM playerdb";
    if (onlyIds) {
        if (onlyIds->empty()) return {};
        sql += " WHERE ID IN (";
        for (std::size_t i = 0; i < onlyIds->size(); ++i)
            sql += i == 0 ? "?" : ", ?";
        sql += ")";
    }
    sql += orderBy(order);

    auto query = m_db.prepare(sql);
    if (onlyIds)
        for (std::size_t i = 0; i < onlyIds->size(); ++i)
            query->bind(static_cast<int>(i + 1), std::int64_t{(*onlyIds)[i]});
    std::vector<std::int32_t> out;
    while (query->step())
        out.push_back(static_cast<std::int32_t>(query->integer(0)));
    return out;
}

std::int32_t findGuidOrZero(PlayerStore& store, std::string_view guid) {
    try {
        return store.findGuid(guid);
    } catch (const SqlError&) {
        return 0;
    }
}

} // namespace corvane
