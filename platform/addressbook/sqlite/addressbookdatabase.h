#pragma once

#include "platform/addressbook/properties/propertytype.h"
#include "platform/addressbook/recordclass.h"
#include "platform/addressbook/sqlite/changejournal.h"
#include "platform/addressbook/sqlite/sqlitestatementcache.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <memory>
#include <optional>

struct sqlite3;

// How a record is kept on disk: its kind and its encoded properties.
struct StoredRecord
{
    enum Kind { Person = 0, Group = 1, SmartGroup = 2 };

    QString uniqueId;
    int kind = Person;
    QByteArray body;
};

// A record to insert or replace. Its stored form is encoded only as its row is written, so a save
// of a whole imported file never holds every record's stored form at once.
struct RecordUpsert
{
    int kind = StoredRecord::Person;
    RecordPtr record;
};

// Everything one save writes, in one transaction with its journal entry.
struct StoredChanges
{
    QList<RecordUpsert> upserts;
    QStringList deletions;
    // Empty data removes the picture.
    QHash<QString, QByteArray> images;
    std::optional<QString> meId;
    JournalEntry journalEntry;
};

// The address book's SQLite file: records, pictures, the custom property schema, the Me record
// and the change journal. WAL mode lets every program read while one writes.
class AddressBookDatabase
{
public:
    AddressBookDatabase() = default;
    ~AddressBookDatabase();
    AddressBookDatabase(const AddressBookDatabase &) = delete;
    AddressBookDatabase &operator=(const AddressBookDatabase &) = delete;

    // Opens the file, making it and its tables when missing.
    bool open(const QString &path);
    // True when open() made the tables, so the book has never held anything.
    bool isNew() const { return m_isNew; }

    // A read transaction, so that records and the journal position are read at one moment.
    bool beginRead();
    void endRead();

    QList<StoredRecord> records() const;
    std::optional<StoredRecord> record(const QString &uniqueId) const;
    QSet<QString> imageOwners() const;
    QByteArray image(const QString &uniqueId) const;
    QString meId() const;
    QHash<QString, PropertyType> customProperties(RecordClass recordClass) const;
    bool addCustomProperty(RecordClass recordClass, const QString &name, PropertyType type);

    // The journal sequence of the written changes, or nullopt when nothing was written.
    std::optional<qint64> write(const StoredChanges &changes);

    const ChangeJournal &journal() const { return m_journal; }

    bool exportArchive(const QString &archivePath);
    // Replaces every record, picture and the Me record with the archive's, keeps the custom
    // properties of both, and journals the change. Nothing changes when the archive is unreadable.
    std::optional<qint64> restoreArchive(const QString &archivePath, const JournalEntry &entry);

private:
    bool exec(const char *sql);
    bool createTables();
    bool writeRecords(const StoredChanges &changes);
    bool copyArchiveTables();

    sqlite3 *m_db = nullptr;
    std::unique_ptr<SqliteStatementCache> m_statements;
    ChangeJournal m_journal{nullptr};
    bool m_isNew = false;
};
