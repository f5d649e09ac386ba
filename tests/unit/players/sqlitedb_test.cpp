// The small SQLite layer: opening never creates, values are bound, and an
// unfinished transaction leaves nothing behind.

#include "players/sqlitedb.h"
#include "tempappdir.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct SqliteDbTest : ::testing::Test {
    void SetUp() override {
        db.create(dir.file("Data/t.db"));
        db.exec("CREATE TABLE t (v TEXT)");
    }
    std::int64_t rows() {
        auto q = db.prepare("SELECT count(*) FROM t");
        q->step();
        return q->integer(0);
    }
    testing::TempAppDir dir;
    SqliteDb db;
};

TEST_F(SqliteDbTest, OpeningAMissingFileFailsWithoutCreatingIt) {
    SqliteDb other;
    EXPECT_THROW(other.open(dir.file("Data/none.db")), SqlError);
    EXPECT_FALSE(std::filesystem::exists(dir.file("Data/none.db")));
    EXPECT_FALSE(other.isOpen());
    EXPECT_THROW(other.exec("SELECT 1"), SqlError);
    EXPECT_THROW(other.prepare("SELECT 1"), SqlError);
    dir.write("Data/text.db", "not a database, though it is named one\r\n");
    EXPECT_THROW(other.open(dir.file("Data/text.db")), SqlError);
    EXPECT_FALSE(other.isOpen());
}

TEST_F(SqliteDbTest, ValuesAreBoundNeverSpliced) {
    auto add = db.prepare("INSERT INTO t (v) VALUES (?1)");
    add->bind(1, "x'); DROP TABLE t; --").run();
    add->bind(1, std::string_view{}).run();    // empty, not NULL
    EXPECT_THROW(add->bind(2, "x"), SqlError); // no such parameter
    EXPECT_THROW(add->bind(2, std::int64_t{1}), SqlError);
    auto q = db.prepare("SELECT v, v IS NULL FROM t ORDER BY rowid");
    ASSERT_TRUE(q->step());
    EXPECT_EQ(q->text(0), "x'); DROP TABLE t; --");
    ASSERT_TRUE(q->step());
    EXPECT_EQ(q->text(0), "");
    EXPECT_EQ(q->integer(1), 0);
    EXPECT_FALSE(q->step());
}

TEST_F(SqliteDbTest, ATransactionLeftUnfinishedIsRolledBack) {
    try {
        SqlTransaction change(db);
        db.exec("INSERT INTO t VALUES ('a')");
        db.exec("INSERT INTO nowhere VALUES ('b')"); // fails halfway
        change.commit();
    } catch (const SqlError&) {
    }
    EXPECT_EQ(rows(), 0);

    {
        SqlTransaction change(db);
        db.exec("INSERT INTO t VALUES ('a')");
        change.commit();
    }
    EXPECT_EQ(rows(), 1);
}

TEST_F(SqliteDbTest, AFailingStatementReportsSqlitesMessage) {
    try {
        db.prepare("SELECT missing_column FROM t");
        FAIL() << "no error";
    } catch (const SqlError& e) {
        EXPECT_NE(std::string(e.what()).find("no such column"), std::string::npos) << e.what();
    }
}

} // namespace
} // namespace corvane
