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

#include <functional>
#include <memory>
#include <optional>

class SqliteStatement;
struct sqlite3;

// How a record is kept on disk: its kind and its encoded properties.
struct StoredRecord
{
    enum Kind { Person = 0, Group = 1, SmartGroup = 2 };

    QString uniqueId;
    int kind = Person;
    QByteArray body;
    // A person's body looked at as its row was read (records(true)): whether it is a readable
    // stored record.
    enum Check { Unchecked, Readable, Damaged };
    Check check = Unchecked;
};

// A record to insert or replace. Its stored form is made only as its row is written, so a save
// of a whole imported file never holds every record's stored form at once.
struct RecordUpsert
{
    int kind = StoredRecord::Person;
    RecordPtr record;
    // For a record that is already stored: its stored form made from the row as it is inside the
    // save's transaction (nullopt when the row is gone), so that what another program saved since
    // this one read the record is kept. Without it the record's own encoding is written.
    std::function<QByteArray(const std::optional<StoredRecord> &stored)> onTopOfStored;
    // The writer's record is its stored row as the writer last read or wrote it, plus its own
    // changes. While no other program has saved since (see StoredChanges::readThrough), that row
    // is still the stored one, so the record is written as it is, without reading the row.
    bool knownAsStored = false;
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
    // The journal position up to which the writer has read in every other program's saves; its
    // own saves are told apart by the entry's sender token.
    qint64 readThrough = 0;
    // Persons written are left in their stored form (RecordCodec::keepEncoded): a run of saves
    // of thousands looks at each of them once.
    bool keepPeopleEncoded = false;
};

// A save as it was written.
struct WrittenChanges
{
    qint64 sequence = 0;
    // True when no other program saved between the writer's readThrough and this save, so the
    // writer has then read in every save up to this one.
    bool onlyOwnSavesBetween = false;
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

    // Opens the file, making it when missing. A file that exists but holds no address book (its
    // tables lost with a damaged or missing write-ahead log, or any other file) is refused and
    // left as it is: it is never taken for a new, empty book.
    bool open(const QString &path);
    // Writes what the write-ahead log holds into the database file and closes the connection.
    void close();
    // True when open() made the file, so the book has never held anything.
    bool isNew() const { return m_isNew; }
    // Why open() or a read failed, naming the file.
    QString errorString() const { return m_error; }
    // True once any read of the database has failed (a damaged page, an I/O error): what was read
    // is then not the whole book.
    bool readFailed() const { return m_readFailed; }

    // A read transaction, so that records and the journal position are read at one moment.
    bool beginRead();
    void endRead();

    // With checkPeople, each person's body is checked as its row is read, while its bytes are
    // still in the cache: the whole book is read at every start, and a check of 25,000 bodies
    // after the reading spends most of its time fetching them from memory again.
    QList<StoredRecord> records(bool checkPeople = false) const;
    std::optional<StoredRecord> record(const QString &uniqueId) const;
    QSet<QString> imageOwners() const;
    QByteArray image(const QString &uniqueId) const;
    QString meId() const;
    QHash<QString, PropertyType> customProperties(RecordClass recordClass) const;
    bool addCustomProperty(RecordClass recordClass, const QString &name, PropertyType type);

    // Nullopt when nothing was written.
    std::optional<WrittenChanges> write(const StoredChanges &changes);

    const ChangeJournal &journal() const { return m_journal; }

    bool exportArchive(const QString &archivePath);
    // Replaces every record, picture and the Me record with the archive's, keeps the custom
    // properties of both, and journals the change. Nothing changes when the archive is not whole
    // (see archiveIsWhole); errorString() then says why.
    std::optional<qint64> restoreArchive(const QString &archivePath, const JournalEntry &entry);

    // Off: a commit is not flushed to the disk by itself. The log is then flushed at each
    // checkpoint (every 256 pages) and when flushing is switched on again. A program that is
    // killed loses nothing it committed; a power failure can lose the commits since the last
    // checkpoint, never a part of one.
    bool setFlushEachCommit(bool flush);

private:
    bool exec(const char *sql);
    bool fail(const QString &what);
    // Marks a read as failed when the statement failed; the statement's own result otherwise.
    bool checked(const SqliteStatement &statement) const;
    bool createFile(const QString &path);
    bool openConnection(const QString &path);
    int retriedWhileBusy(const std::function<int()> &step);
    bool prepareConnection();
    bool checkSchema();
    // fresh: the tables of a new file, with its schema version.
    bool createTables(bool fresh);
    bool writeRecords(const StoredChanges &changes, bool othersSaved);
    // The attached archive as a whole: intact, an address book of our schema or an older one,
    // every record readable and every picture a record's.
    bool archiveIsWhole(const QString &archivePath);
    bool archiveRecordsAreReadable(const QString &archivePath);
    bool copyArchiveTables();

    QString m_path;
    mutable QString m_error;
    mutable bool m_readFailed = false;
    sqlite3 *m_db = nullptr;
    std::unique_ptr<SqliteStatementCache> m_statements;
    ChangeJournal m_journal{nullptr};
    bool m_isNew = false;
};
