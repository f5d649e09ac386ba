#include "players/sqlitedb.h"

#include <sqlite3.h>

namespace corvane {
namespace {

[[noreturn]] void fail(sqlite3* db, std::string_view what) {
    throw SqlError(std::string(what) + ": " + (db ? sqlite3_errmsg(db) : "no database open"));
}

} // namespace

SqlStatement::SqlStatement(sqlite3* db, std::string_view sql) : m_db(db) {
    if (!db) fail(db, "prepare");
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &m_stmt, nullptr) !=
        SQLITE_OK)
        fail(db, "prepare");
}

SqlStatement::~SqlStatement() {
    sqlite3_finalize(m_stmt);
}

SqlStatement& SqlStatement::bind(int index, std::string_view text) {
    if (m_needsReset) reset();
    // An empty view may have no storage at all; it must still bind as empty
    // text, not as NULL.
    const char* bytes = text.data() ? text.data() : "";
    if (sqlite3_bind_text(m_stmt, index, bytes, static_cast<int>(text.size()), SQLITE_TRANSIENT) !=
        SQLITE_OK)
        fail(m_db, "bind");
    return *this;
}

SqlStatement& SqlStatement::bind(int index, std::int64_t number) {
    if (m_needsReset) reset();
    if (sqlite3_bind_int64(m_stmt, index, number) != SQLITE_OK) fail(m_db, "bind");
    return *this;
}

bool SqlStatement::step() {
    m_needsReset = true;
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    fail(m_db, "step");
}

void SqlStatement::run() {
    while (step()) {
    }
    reset();
}

void SqlStatement::reset() {
    sqlite3_reset(m_stmt);
    m_needsReset = false;
}

bool SqlStatement::isNull(int column) const {
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

std::string SqlStatement::text(int column) const {
    const auto* bytes = sqlite3_column_text(m_stmt, column);
    if (!bytes) return {};
    return std::string(reinterpret_cast<const char*>(bytes),
                       static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, column)));
}

std::int64_t SqlStatement::integer(int column) const {
    return sqlite3_column_int64(m_stmt, column);
}

SqliteDb::~SqliteDb() {
    close();
}

void SqliteDb::openWith(const std::filesystem::path& file, int flags) {
    close();
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(file.string().c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close_v2(db);
        throw SqlError("open " + file.string() + ": " + message);
    }
    m_db = db;
    sqlite3_busy_timeout(m_db, 2000);
}

void SqliteDb::open(const std::filesystem::path& file) {
    openWith(file, SQLITE_OPEN_READWRITE);
    // A file that is not a database only shows when it is first read.
    try {
        exec("SELECT count(*) FROM sqlite_master");
    } catch (const SqlError&) {
        close();
        throw;
    }
}

void SqliteDb::create(const std::filesystem::path& file) {
    openWith(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

void SqliteDb::close() {
    if (!m_db) return;
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

void SqliteDb::exec(std::string_view sql) {
    if (!m_db) fail(m_db, "exec");
    char* error = nullptr;
    if (sqlite3_exec(m_db, std::string(sql).c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "unknown error";
        sqlite3_free(error);
        throw SqlError("exec: " + message);
    }
}

std::unique_ptr<SqlStatement> SqliteDb::prepare(std::string_view sql) {
    return std::make_unique<SqlStatement>(m_db, sql);
}

std::int64_t SqliteDb::lastInsertId() const {
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}
int SqliteDb::changes() const {
    return m_db ? sqlite3_changes(m_db) : 0;
}

SqlTransaction::SqlTransaction(SqliteDb& db) : m_db(db) {
    m_db.exec("BEGIN IMMEDIATE");
}

SqlTransaction::~SqlTransaction() {
    if (m_done) return;
    try {
        m_db.exec("ROLLBACK");
    } catch (const SqlError&) {
        // Nothing more can be done: SQLite rolls an unfinished transaction
        // back itself when the connection closes.
    }
}

void SqlTransaction::commit() {
    m_db.exec("COMMIT");
    m_done = true;
}

} // namespace corvane
