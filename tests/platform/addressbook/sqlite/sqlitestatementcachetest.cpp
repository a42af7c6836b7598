#include "platform/addressbook/sqlite/sqlitestatementcache.h"
#include "platform/addressbook/sqlite/sqlitestatement.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

namespace {

const char kInsert[] = "INSERT INTO items (name) VALUES (?1)";
const char kCount[] = "SELECT COUNT(*), COUNT(name) FROM items";

class SqliteStatementCacheTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE items (name TEXT)", nullptr, nullptr, nullptr),
                  SQLITE_OK);
        cache = std::make_unique<SqliteStatementCache>(db);
    }
    void TearDown() override
    {
        cache.reset();
        // Fails with SQLITE_BUSY while any statement is left unfinalized.
        EXPECT_EQ(sqlite3_close(db), SQLITE_OK);
    }

    std::pair<qint64, qint64> counts()
    {
        SqliteStatement count(*cache, kCount);
        EXPECT_TRUE(count.next());
        return {count.integer(0), count.integer(1)};
    }

    sqlite3 *db = nullptr;
    std::unique_ptr<SqliteStatementCache> cache;
};

TEST_F(SqliteStatementCacheTest, AStatementComesBackResetWithoutItsBindings)
{
    {
        SqliteStatement insert(*cache, kInsert);
        insert.bind(1, QStringLiteral("Ann"));
        ASSERT_TRUE(insert.run());
    }
    {
        // Run again unbound: the name of the first use must not stick.
        SqliteStatement insert(*cache, kInsert);
        ASSERT_TRUE(insert.run());
    }
    EXPECT_EQ(counts(), std::make_pair(qint64(2), qint64(1)));
}

TEST_F(SqliteStatementCacheTest, TheSameTextTwiceAtOnce_BothRunAndBothAreReleased)
{
    SqliteStatement first(*cache, kInsert);
    SqliteStatement second(*cache, kInsert);
    first.bind(1, QStringLiteral("Ann"));
    second.bind(1, QStringLiteral("Bo"));
    EXPECT_TRUE(first.run());
    EXPECT_TRUE(second.run());
    EXPECT_EQ(counts(), std::make_pair(qint64(2), qint64(2)));
}

TEST_F(SqliteStatementCacheTest, UnpreparableText_FailsWithoutAStatement)
{
    SqliteStatement broken(*cache, "SELECT FROM nowhere");
    EXPECT_FALSE(broken.isValid());
    EXPECT_TRUE(broken.failed());
    EXPECT_FALSE(broken.run());
}

} // namespace
