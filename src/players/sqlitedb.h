#pragma once
// A thin layer over the SQLite C API: one connection, prepared statements that
// finalise themselves, values only ever bound (never spliced into SQL text),
// and transactions that roll back unless committed. Every failure throws
// SqlError with SQLite's own message.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace corvane {

class SqlError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SqlStatement {
public:
    SqlStatement(sqlite3* db, std::string_view sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    // Parameters count from 1. Binding resets a statement that has run.
    SqlStatement& bind(int index, std::string_view text);
    SqlStatement& bind(int index, std::int64_t number);
    // True while a row is available; false once the statement is done.
    bool step();
    // Runs a statement that returns no rows.
    void run();
    void reset();

    bool isNull(int column) const;
    // An empty (null) field reads as the empty text.
    std::string text(int column) const;
    std::int64_t integer(int column) const;

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    bool m_needsReset = false;
};

class SqliteDb {
public:
    SqliteDb() = default;
    ~SqliteDb();
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;

    // Opens an existing file for reading and writing; never creates one.
    void open(const std::filesystem::path& file);
    // Creates the file when it does not exist.
    void create(const std::filesystem::path& file);
    void close();
    bool isOpen() const { return m_db != nullptr; }

    void exec(std::string_view sql);
    std::unique_ptr<SqlStatement> prepare(std::string_view sql);
    std::int64_t lastInsertId() const;
    int changes() const;
    sqlite3* handle() const { return m_db; }

private:
    void openWith(const std::filesystem::path& file, int flags);

    sqlite3* m_db = nullptr;
};

// Rolls back when it goes out of scope without commit(): a failure halfway
// through never leaves half of a change in the file.
class SqlTransaction {
public:
    explicit SqlTransaction(SqliteDb& db);
    ~SqlTransaction();
    SqlTransaction(const SqlTransaction&) = delete;
    SqlTransaction& operator=(const SqlTransaction&) = delete;
    void commit();

private:
    SqliteDb& m_db;
    bool m_done = false;
};

} // namespace corvane
