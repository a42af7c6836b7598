#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class SqliteStatementCache;

// One save as the journal keeps it. A row whose three lists are all empty stands for a change
// of the whole book (a restore from a backup).
struct JournalEntry
{
    qint64 sequence = 0;
    QDateTime time;
    qint64 processId = 0;
    QString processName;
    // Tells apart two books open in one process, whose process ids are the same.
    QString senderToken;
    QStringList inserted;
    QStringList updated;
    QStringList deleted;

    bool isWholeBookChange() const
    {
        return inserted.isEmpty() && updated.isEmpty() && deleted.isEmpty();
    }
};

// The journal of saves in the database, which every program reads to learn what the others
// changed. Appending is part of the caller's transaction.
class ChangeJournal
{
public:
    explicit ChangeJournal(SqliteStatementCache *statements)
        : m_statements(statements)
    {}

    static const char *createTableSql();

    qint64 lastSequence() const;
    QList<JournalEntry> entriesAfter(qint64 sequence) const;
    // The new entry's sequence number, or nullopt when it could not be written.
    std::optional<qint64> append(const JournalEntry &entry);
    // Drops the entries written before that time, always keeping the newest; part of the
    // caller's transaction, so the journal does not grow by a row at every save forever.
    bool trimBefore(const QDateTime &time);
    // True when entries after that sequence were dropped before a reader at that sequence read
    // them: such a reader must read the whole book again to learn what it missed.
    bool missesEntriesAfter(qint64 sequence) const;
    // True unless every entry after that sequence was written by the sender of that token and
    // none was dropped; also true when the journal never reached the sequence (another file).
    bool holdsOtherSendersAfter(qint64 sequence, const QString &senderToken) const;
    // True when an entry after that sequence stands for a change of the whole book.
    bool holdsWholeBookChangeAfter(qint64 sequence) const;

private:
    SqliteStatementCache *m_statements;
};
