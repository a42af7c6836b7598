#include "platform/addressbook/sqlite/changejournal.h"
#include "platform/addressbook/sqlite/sqlitestatementcache.h"

#include <QTimeZone>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <memory>

namespace {

const QDateTime kNow = QDateTime::fromMSecsSinceEpoch(1'700'000'000'000, QTimeZone::utc());

class ChangeJournalTrimTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, ChangeJournal::createTableSql(), nullptr, nullptr, nullptr),
                  SQLITE_OK);
        cache = std::make_unique<SqliteStatementCache>(db);
        journal = std::make_unique<ChangeJournal>(cache.get());
    }
    void TearDown() override
    {
        journal.reset();
        cache.reset();
        EXPECT_EQ(sqlite3_close(db), SQLITE_OK);
    }

    void append(const QDateTime &time, const QString &updated)
    {
        JournalEntry entry;
        entry.time = time;
        entry.processName = QStringLiteral("Tolvane");
        entry.updated = {updated};
        ASSERT_TRUE(journal->append(entry));
    }
    QStringList kept() const
    {
        QStringList records;
        for (const JournalEntry &entry : journal->entriesAfter(0))
            records << entry.updated;
        return records;
    }

    sqlite3 *db = nullptr;
    std::unique_ptr<SqliteStatementCache> cache;
    std::unique_ptr<ChangeJournal> journal;
};

TEST_F(ChangeJournalTrimTest, DropsOnlyWhatIsOlderAndAlwaysKeepsTheNewest)
{
    const struct
    {
        const char *name;
        QList<int> ageInDays; // of each entry, oldest first
        QStringList kept;
    } cases[] = {
        {"old ones go", {9, 8, 1, 0}, {"r2", "r3"}},
        {"all old: the newest stays", {9, 8}, {"r1"}},
        {"all recent: nothing goes", {3, 2, 0}, {"r0", "r1", "r2"}},
        {"empty journal", {}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(sqlite3_exec(db, "DELETE FROM changelog", nullptr, nullptr, nullptr), SQLITE_OK);
        for (int i = 0; i < c.ageInDays.size(); ++i)
            append(kNow.addDays(-c.ageInDays[i]), QStringLiteral("r%1").arg(i));
        EXPECT_TRUE(journal->trimBefore(kNow.addDays(-7)));
        EXPECT_EQ(kept(), c.kept);
    }
}

} // namespace
