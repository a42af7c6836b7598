#include "platform/addressbook/sqlite/changejournal.h"

#include "platform/addressbook/sqlite/sqlitestatement.h"
#include "platform/addressbook/sqlite/sqlitestatementcache.h"

#include <sqlite3.h>

namespace {

// Unique identifiers never hold a line break, so one text column holds a list.
QString joined(const QStringList &ids)
{
    return ids.join(u'\n');
}

QStringList split(const QString &text)
{
    return text.split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

const char *ChangeJournal::createTableSql()
{
    return "CREATE TABLE IF NOT EXISTS changelog ("
           " seq INTEGER PRIMARY KEY AUTOINCREMENT, time INTEGER NOT NULL,"
           " sender_pid INTEGER NOT NULL, sender_name TEXT NOT NULL, sender_token TEXT NOT NULL,"
           " inserted TEXT NOT NULL, updated TEXT NOT NULL, deleted TEXT NOT NULL)";
}

qint64 ChangeJournal::lastSequence() const
{
    SqliteStatement query(*m_statements, "SELECT COALESCE(MAX(seq), 0) FROM changelog");
    return query.next() ? query.integer(0) : 0;
}

QList<JournalEntry> ChangeJournal::entriesAfter(qint64 sequence) const
{
    SqliteStatement query(*m_statements, "SELECT seq, time, sender_pid, sender_name, sender_token,"
                                         " inserted, updated, deleted FROM changelog WHERE seq > ?1"
                                         " ORDER BY seq");
    query.bind(1, sequence);
    QList<JournalEntry> entries;
    while (query.next()) {
        JournalEntry entry;
        entry.sequence = query.integer(0);
        entry.time = QDateTime::fromMSecsSinceEpoch(query.integer(1), Qt::UTC);
        entry.processId = query.integer(2);
        entry.processName = query.text(3);
        entry.senderToken = query.text(4);
        entry.inserted = split(query.text(5));
        entry.updated = split(query.text(6));
        entry.deleted = split(query.text(7));
        entries.append(entry);
    }
    return entries;
}

std::optional<qint64> ChangeJournal::append(const JournalEntry &entry)
{
    SqliteStatement insert(*m_statements, "INSERT INTO changelog (time, sender_pid, sender_name,"
                                          " sender_token, inserted, updated, deleted)"
                                          " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    insert.bind(1, entry.time.toMSecsSinceEpoch());
    insert.bind(2, entry.processId);
    insert.bind(3, entry.processName);
    insert.bind(4, entry.senderToken);
    insert.bind(5, joined(entry.inserted));
    insert.bind(6, joined(entry.updated));
    insert.bind(7, joined(entry.deleted));
    if (!insert.run())
        return std::nullopt;
    // The sequence is the row's own identifier.
    return sqlite3_last_insert_rowid(m_statements->database());
}

bool ChangeJournal::trimBefore(const QDateTime &time)
{
    // Entries are written in time order, so while the oldest one is recent there is nothing to
    // drop; asking that first spares every save a scan of the whole journal.
    {
        SqliteStatement oldest(*m_statements, "SELECT time FROM changelog ORDER BY seq LIMIT 1");
        if (!oldest.next() || oldest.integer(0) >= time.toMSecsSinceEpoch())
            return true;
    }
    SqliteStatement trim(*m_statements, "DELETE FROM changelog WHERE time < ?1"
                                        " AND seq < (SELECT MAX(seq) FROM changelog)");
    trim.bind(1, time.toMSecsSinceEpoch());
    return trim.run();
}

bool ChangeJournal::missesEntriesAfter(qint64 sequence) const
{
    // Sequences have no gaps (the key only grows and rolled back rows take their number back),
    // so an oldest entry beyond the next one means the next ones are gone.
    SqliteStatement query(*m_statements, "SELECT MIN(seq) FROM changelog");
    return query.next() && query.integer(0) > sequence + 1;
}

bool ChangeJournal::holdsOtherSendersAfter(qint64 sequence, const QString &senderToken) const
{
    if (sequence > lastSequence() || missesEntriesAfter(sequence))
        return true;
    SqliteStatement query(*m_statements, "SELECT 1 FROM changelog WHERE seq > ?1"
                                         " AND sender_token <> ?2 LIMIT 1");
    query.bind(1, sequence);
    query.bind(2, senderToken);
    return query.next() || query.failed();
}

bool ChangeJournal::holdsWholeBookChangeAfter(qint64 sequence) const
{
    SqliteStatement query(*m_statements, "SELECT 1 FROM changelog WHERE seq > ?1 AND inserted = ''"
                                         " AND updated = '' AND deleted = '' LIMIT 1");
    query.bind(1, sequence);
    return query.next();
}
