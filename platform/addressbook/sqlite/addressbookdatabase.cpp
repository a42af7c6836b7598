#include "platform/addressbook/sqlite/addressbookdatabase.h"

#include "platform/addressbook/record.h"
#include "platform/addressbook/sqlite/recordcodec.h"
#include "platform/addressbook/sqlite/sqlitestatement.h"

#include "platform/defaults/privatepaths.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QUuid>

#include <cerrno>
#include <cstdio>

#include <sqlite3.h>
#include <unistd.h>

namespace {

constexpr int kSchemaVersion = 1;
constexpr int kBusyTimeoutMs = 10000;
constexpr int kFirstOpenAttempts = 100;
constexpr unsigned long kFirstOpenRetryMs = 50;
// The log is written into the database file once it holds this many pages (about 1 MB), not
// only at the default of 1,000: a book whose log holds most of its data loses it with the log.
const char kConnectionPragmas[] = "PRAGMA synchronous=FULL; PRAGMA wal_autocheckpoint=256";
// While many saves follow each other: the log is flushed, and written into the file, every 16 MB.
const char kBulkPragmas[] = "PRAGMA synchronous=NORMAL; PRAGMA wal_autocheckpoint=4096";
const char kMeKey[] = "me";
// Journal rows older than this are dropped at a save; a program that had not read them by then
// reads the whole book again.
constexpr int kJournalKeptDays = 7;

const char *const kTables[] = {
    "CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)",
    "CREATE TABLE IF NOT EXISTS records (uid TEXT PRIMARY KEY, kind INTEGER NOT NULL,"
    " body BLOB NOT NULL)",
    "CREATE TABLE IF NOT EXISTS images (uid TEXT PRIMARY KEY, data BLOB NOT NULL)",
    "CREATE TABLE IF NOT EXISTS properties (class INTEGER NOT NULL, name TEXT NOT NULL,"
    " type INTEGER NOT NULL, PRIMARY KEY (class, name))",
    "CREATE TABLE IF NOT EXISTS meta (key TEXT PRIMARY KEY, value TEXT NOT NULL)",
};

// A transaction that rolls back unless committed.
class WriteTransaction
{
public:
    explicit WriteTransaction(SqliteStatementCache &statements)
        : m_statements(statements)
    {
        // IMMEDIATE takes the write lock at once, so a busy database waits here under the busy
        // timeout instead of failing half way through.
        m_open = SqliteStatement(m_statements, "BEGIN IMMEDIATE").run();
        if (!m_open)
            qWarning("address book: cannot begin a save: %s",
                     sqlite3_errmsg(m_statements.database()));
    }
    ~WriteTransaction()
    {
        if (m_open)
            SqliteStatement(m_statements, "ROLLBACK").run();
    }
    bool isOpen() const { return m_open; }
    bool commit()
    {
        if (!SqliteStatement(m_statements, "COMMIT").run()) {
            qWarning("address book: cannot commit: %s", sqlite3_errmsg(m_statements.database()));
            return false;
        }
        m_open = false;
        return true;
    }

private:
    SqliteStatementCache &m_statements;
    bool m_open = false;
};

} // namespace

AddressBookDatabase::~AddressBookDatabase()
{
    close();
}

void AddressBookDatabase::close()
{
    if (!m_db)
        return;
    // The last connection to close checkpoints by itself; another program may still hold one, so
    // what this program wrote goes into the database file now, as far as no reader holds it back.
    sqlite3_wal_checkpoint_v2(m_db, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    // A connection with statements left open does not close.
    m_statements.reset();
    m_journal = ChangeJournal(nullptr);
    sqlite3_close(m_db);
    m_db = nullptr;
}

bool AddressBookDatabase::setFlushEachCommit(bool flush)
{
    if (!m_db)
        return false;
    if (!flush)
        return exec(kBulkPragmas);
    // The checkpoint flushes the log first, so every commit made meanwhile is on the disk.
    return exec(kConnectionPragmas) &&
           sqlite3_wal_checkpoint_v2(m_db, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr,
                                     nullptr) == SQLITE_OK;
}

bool AddressBookDatabase::fail(const QString &what)
{
    m_error = what;
    qWarning("address book: %s", qPrintable(what));
    return false;
}

bool AddressBookDatabase::checked(const SqliteStatement &statement) const
{
    if (!statement.failed())
        return true;
    if (!m_readFailed) {
        m_readFailed = true;
        m_error = QStringLiteral("%1 cannot be read: %2")
                      .arg(m_path, QString::fromUtf8(sqlite3_errmsg(m_db)));
        qWarning("address book: %s", qPrintable(m_error));
    }
    return false;
}

bool AddressBookDatabase::open(const QString &path)
{
    m_path = path;
    if (!privatepaths::makePath(QFileInfo(path).absolutePath()))
        return fail(QStringLiteral("cannot make the folder of %1").arg(path));
    if (!QFileInfo::exists(path) && !createFile(path))
        return false;
    // The schema is looked at before anything is written, so a file that holds no book is left
    // exactly as it is.
    if (!openConnection(path) || !checkSchema() || !prepareConnection() || !createTables(false)) {
        close();
        return false;
    }
    return true;
}

bool AddressBookDatabase::createFile(const QString &path)
{
    // A new book is made whole beside its place and linked there in one step: no program ever
    // opens a book half made, and of several programs that start at once exactly one makes it.
    const QString partial =
        path + QStringLiteral(".new-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    if (!privatepaths::createFile(partial))
        return fail(QStringLiteral("cannot create %1").arg(partial));
    const bool made = openConnection(partial) && prepareConnection() && createTables(true);
    close();
    const QByteArray from = QFile::encodeName(partial);
    const QByteArray to = QFile::encodeName(path);
    const bool linked = made && ::link(from.constData(), to.constData()) == 0;
    const int linkError = errno;
    ::unlink(from.constData());
    if (linked) {
        m_isNew = true;
        return true;
    }
    if (made && linkError == EEXIST)
        return true; // another program made it first
    return fail(m_error.isEmpty() ? QStringLiteral("cannot create %1").arg(path) : m_error);
}

bool AddressBookDatabase::openConnection(const QString &path)
{
    m_path = path;
    // The file exists by now; a file removed meanwhile is an error, not a new book.
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        fail(QStringLiteral("cannot open %1: %2")
                 .arg(path, QString::fromUtf8(sqlite3_errmsg(m_db))));
        sqlite3_close(m_db);
        m_db = nullptr;
        return false;
    }
    m_statements = std::make_unique<SqliteStatementCache>(m_db);
    m_journal = ChangeJournal(m_statements.get());
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    return true;
}

int AddressBookDatabase::retriedWhileBusy(const std::function<int()> &step)
{
    // Some locks of a first open (changing the journal mode, recovering a log) are not waited for
    // by the busy timeout; programs that open the book at the same moment meet them, so such a
    // step is tried again for a while.
    for (int attempt = 1;; ++attempt) {
        const int rc = step();
        if ((rc != SQLITE_BUSY && rc != SQLITE_LOCKED) || attempt == kFirstOpenAttempts)
            return rc;
        QThread::msleep(kFirstOpenRetryMs);
    }
}

bool AddressBookDatabase::prepareConnection()
{
    QByteArray mode;
    const auto readMode = [](void *out, int, char **values, char **) {
        *static_cast<QByteArray *>(out) = values[0];
        return 0;
    };
    const int rc = retriedWhileBusy([&] {
        int result = sqlite3_exec(m_db, "PRAGMA journal_mode=WAL", readMode, &mode, nullptr);
        if (result == SQLITE_OK)
            result = sqlite3_exec(m_db, kConnectionPragmas, nullptr, nullptr, nullptr);
        return result;
    });
    if (rc != SQLITE_OK)
        return fail(QStringLiteral("cannot open %1: %2")
                        .arg(m_path, QString::fromUtf8(sqlite3_errmsg(m_db))));
    if (mode.toLower() != "wal")
        return fail(QStringLiteral("%1 cannot be shared: its journal mode stays %2")
                        .arg(m_path, QString::fromLatin1(mode)));
    return true;
}

bool AddressBookDatabase::checkSchema()
{
    qint64 version = -1;
    const int rc = retriedWhileBusy([&] {
        sqlite3_stmt *statement = nullptr;
        int result =
            sqlite3_prepare_v2(m_db, "SELECT version FROM schema_version", -1, &statement, nullptr);
        if (result == SQLITE_OK) {
            result = sqlite3_step(statement);
            if (result == SQLITE_ROW) {
                version = sqlite3_column_int64(statement, 0);
                result = SQLITE_OK;
            }
        }
        sqlite3_finalize(statement);
        return result;
    });
    // No such table, no row, or no database at all: the file holds no book.
    if (rc == SQLITE_ERROR || rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT || rc == SQLITE_DONE ||
        (rc == SQLITE_OK && version < 0)) {
        return fail(QStringLiteral("%1 holds no address book: it is damaged or was not written"
                                   " whole (a lost or damaged -wal file beside it); it is left as"
                                   " it is")
                        .arg(m_path));
    }
    if (rc != SQLITE_OK)
        return fail(QStringLiteral("cannot read %1: %2")
                        .arg(m_path, QString::fromUtf8(sqlite3_errmsg(m_db))));
    if (version > kSchemaVersion)
        return fail(
            QStringLiteral("%1 was written by a newer version of the address book").arg(m_path));
    return true;
}

bool AddressBookDatabase::exec(const char *sql)
{
    char *error = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        qWarning("address book: \"%s\" failed: %s", sql, error ? error : "");
        sqlite3_free(error);
        return false;
    }
    return true;
}

bool AddressBookDatabase::createTables(bool fresh)
{
    WriteTransaction transaction(*m_statements);
    if (!transaction.isOpen())
        return fail(QStringLiteral("cannot write %1: %2")
                        .arg(m_path, QString::fromUtf8(sqlite3_errmsg(m_db))));
    for (const char *sql : kTables) {
        if (!exec(sql))
            return false;
    }
    if (!exec(ChangeJournal::createTableSql()))
        return false;
    if (fresh) {
        SqliteStatement version(m_db, "INSERT INTO schema_version (version) VALUES (?1)");
        version.bind(1, qint64(kSchemaVersion));
        if (!version.run())
            return false;
    }
    return transaction.commit();
}

bool AddressBookDatabase::beginRead()
{
    return exec("BEGIN");
}

void AddressBookDatabase::endRead()
{
    exec("COMMIT");
}

QList<StoredRecord> AddressBookDatabase::records(bool checkPeople) const
{
    SqliteStatement query(m_db, "SELECT uid, kind, body FROM records ORDER BY rowid");
    QList<StoredRecord> result;
    while (query.next()) {
        StoredRecord &record =
            result.emplace_back(StoredRecord{query.text(0), int(query.integer(1)), query.blob(2)});
        if (checkPeople && record.kind == StoredRecord::Person) {
            record.check = RecordCodec::isReadable(record.body, false) ? StoredRecord::Readable
                                                                       : StoredRecord::Damaged;
        }
    }
    checked(query);
    return result;
}

std::optional<StoredRecord> AddressBookDatabase::record(const QString &uniqueId) const
{
    // Cached: a save reads every record it changes.
    SqliteStatement query(*m_statements, "SELECT uid, kind, body FROM records WHERE uid = ?1");
    query.bind(1, uniqueId);
    if (!query.next()) {
        checked(query);
        return std::nullopt;
    }
    return StoredRecord{query.text(0), int(query.integer(1)), query.blob(2)};
}

QSet<QString> AddressBookDatabase::imageOwners() const
{
    SqliteStatement query(m_db, "SELECT uid FROM images");
    QSet<QString> owners;
    while (query.next())
        owners.insert(query.text(0));
    checked(query);
    return owners;
}

QByteArray AddressBookDatabase::image(const QString &uniqueId) const
{
    SqliteStatement query(m_db, "SELECT data FROM images WHERE uid = ?1");
    query.bind(1, uniqueId);
    if (query.next())
        return query.blob(0);
    checked(query);
    return {};
}

QString AddressBookDatabase::meId() const
{
    SqliteStatement query(m_db, "SELECT value FROM meta WHERE key = ?1");
    query.bind(1, QString::fromLatin1(kMeKey));
    if (query.next())
        return query.text(0);
    checked(query);
    return {};
}

QHash<QString, PropertyType> AddressBookDatabase::customProperties(RecordClass recordClass) const
{
    SqliteStatement query(m_db, "SELECT name, type FROM properties WHERE class = ?1");
    query.bind(1, qint64(recordClass));
    QHash<QString, PropertyType> properties;
    while (query.next())
        properties.insert(query.text(0), static_cast<PropertyType>(query.integer(1)));
    checked(query);
    return properties;
}

bool AddressBookDatabase::addCustomProperty(RecordClass recordClass, const QString &name,
                                            PropertyType type)
{
    SqliteStatement insert(
        m_db, "INSERT OR IGNORE INTO properties (class, name, type) VALUES (?1, ?2, ?3)");
    insert.bind(1, qint64(recordClass));
    insert.bind(2, name);
    insert.bind(3, qint64(type));
    return insert.run();
}

std::optional<WrittenChanges> AddressBookDatabase::write(const StoredChanges &changes)
{
    WriteTransaction transaction(*m_statements);
    if (!transaction.isOpen())
        return std::nullopt;
    // Asked inside the transaction: no other program can save between the answer and the write.
    const bool othersSaved =
        m_journal.holdsOtherSendersAfter(changes.readThrough, changes.journalEntry.senderToken);
    if (!writeRecords(changes, othersSaved))
        return std::nullopt;
    const std::optional<qint64> sequence = m_journal.append(changes.journalEntry);
    if (!sequence || !m_journal.trimBefore(changes.journalEntry.time.addDays(-kJournalKeptDays)) ||
        !transaction.commit())
        return std::nullopt;
    return WrittenChanges{*sequence, !othersSaved};
}

bool AddressBookDatabase::writeRecords(const StoredChanges &changes, bool othersSaved)
{
    SqliteStatement upsert(*m_statements,
                           "INSERT INTO records (uid, kind, body) VALUES (?1, ?2, ?3)"
                           " ON CONFLICT (uid) DO UPDATE SET kind = ?2, body = ?3");
    for (const RecordUpsert &entry : changes.upserts) {
        upsert.reset();
        upsert.bind(1, entry.record->uniqueId());
        upsert.bind(2, qint64(entry.kind));
        if (entry.onTopOfStored && !(entry.knownAsStored && !othersSaved)) {
            const std::optional<StoredRecord> stored = record(entry.record->uniqueId());
            if (m_readFailed)
                return false;
            upsert.bind(3, entry.onTopOfStored(stored));
        } else {
            const QByteArray body = RecordCodec::encode(*entry.record);
            upsert.bind(3, body);
            if (!upsert.run())
                return false;
            // The body is the record exactly, whether or not the save then commits.
            // The encoder grows its buffer as it goes, and a run of saves keeps thousands of
            // these: each is kept at its own size rather than with the encoder's spare room.
            if (changes.keepPeopleEncoded)
                RecordCodec::keepEncoded(*entry.record, QByteArray(body.constData(), body.size()));
            continue;
        }
        if (!upsert.run())
            return false;
    }
    SqliteStatement removeRecord(*m_statements, "DELETE FROM records WHERE uid = ?1");
    SqliteStatement removeImage(*m_statements, "DELETE FROM images WHERE uid = ?1");
    for (const QString &uniqueId : changes.deletions) {
        removeRecord.reset();
        removeRecord.bind(1, uniqueId);
        removeImage.reset();
        removeImage.bind(1, uniqueId);
        if (!removeRecord.run() || !removeImage.run())
            return false;
    }
    SqliteStatement putImage(*m_statements,
                             "INSERT OR REPLACE INTO images (uid, data) VALUES (?1, ?2)");
    for (auto it = changes.images.cbegin(); it != changes.images.cend(); ++it) {
        SqliteStatement &statement = it.value().isEmpty() ? removeImage : putImage;
        statement.reset();
        statement.bind(1, it.key());
        if (!it.value().isEmpty())
            statement.bind(2, it.value());
        if (!statement.run())
            return false;
    }
    if (changes.meId) {
        SqliteStatement me(*m_statements,
                           "INSERT OR REPLACE INTO meta (key, value) VALUES (?1, ?2)");
        me.bind(1, QString::fromLatin1(kMeKey));
        me.bind(2, *changes.meId);
        if (!me.run())
            return false;
    }
    return true;
}

bool AddressBookDatabase::exportArchive(const QString &archivePath)
{
    // VACUUM INTO refuses an existing file, and a half-written archive must never replace a
    // good one, so the copy is made beside it and renamed into place.
    const QString partial = archivePath + QStringLiteral(".partial");
    QFile::remove(partial);
    // A backup holds the whole book: it is the user's alone, as the book is.
    if (!privatepaths::createFile(partial))
        return false;
    SqliteStatement vacuum(m_db, "VACUUM INTO ?1");
    vacuum.bind(1, partial);
    if (!vacuum.run()) {
        QFile::remove(partial);
        return false;
    }
    // rename(2) puts the new copy in the old one's place in one step: there is no moment without
    // a whole backup at the path.
    if (std::rename(QFile::encodeName(partial).constData(),
                    QFile::encodeName(archivePath).constData()) != 0) {
        QFile::remove(partial);
        return false;
    }
    return true;
}

std::optional<qint64> AddressBookDatabase::restoreArchive(const QString &archivePath,
                                                          const JournalEntry &entry)
{
    if (!QFileInfo(archivePath).isFile()) {
        // Nothing was touched: the caller says so, no warning of ours.
        m_error = QStringLiteral("%1 cannot be restored: there is no such file").arg(archivePath);
        return std::nullopt;
    }
    {
        SqliteStatement attach(m_db, "ATTACH DATABASE ?1 AS archive");
        attach.bind(1, archivePath);
        if (!attach.run()) {
            fail(QStringLiteral("%1 cannot be restored: it is no intact SQLite database; nothing"
                                " was restored")
                     .arg(archivePath));
            return std::nullopt;
        }
    }
    std::optional<qint64> sequence;
    if (archiveIsWhole(archivePath)) {
        WriteTransaction transaction(*m_statements);
        if (transaction.isOpen() && copyArchiveTables()) {
            sequence = m_journal.append(entry);
            if (sequence && !transaction.commit())
                sequence.reset();
        }
    }
    exec("DETACH DATABASE archive");
    return sequence;
}

bool AddressBookDatabase::copyArchiveTables()
{
    return exec("DELETE FROM main.records") && exec("DELETE FROM main.images") &&
           exec("DELETE FROM main.meta") &&
           exec("INSERT INTO main.records (rowid, uid, kind, body)"
                " SELECT rowid, uid, kind, body FROM archive.records") &&
           exec("INSERT INTO main.images (uid, data) SELECT uid, data FROM archive.images") &&
           exec("INSERT INTO main.meta (key, value) SELECT key, value FROM archive.meta") &&
           exec("INSERT OR IGNORE INTO main.properties (class, name, type)"
                " SELECT class, name, type FROM archive.properties");
}

bool AddressBookDatabase::archiveIsWhole(const QString &archivePath)
{
    // The whole file is checked before anything of the book is replaced: a copy that fails half
    // way, or a book made of what could be read, would lose the rest of the user's records.
    const QString refused = QStringLiteral("%1 cannot be restored: %2; nothing was restored");
    {
        SqliteStatement integrity(m_db, "PRAGMA archive.integrity_check(1)");
        if (!integrity.next() || integrity.text(0) != QStringLiteral("ok"))
            return fail(
                refused.arg(archivePath, QStringLiteral("it is no intact SQLite database")));
    }
    // Every column the copy reads, so that a foreign database is told apart before the copy.
    static constexpr const char *kColumnsRead[] = {
        "SELECT version FROM archive.schema_version",
        "SELECT uid, kind, body FROM archive.records",
        "SELECT uid, data FROM archive.images",
        "SELECT key, value FROM archive.meta",
        "SELECT class, name, type FROM archive.properties",
    };
    for (const char *sql : kColumnsRead) {
        SqliteStatement probe(m_db, sql);
        if (!probe.isValid())
            return fail(refused.arg(archivePath, QStringLiteral("it holds no address book")));
    }
    {
        SqliteStatement version(m_db, "SELECT MAX(version) FROM archive.schema_version");
        if (!version.next() || version.integer(0) < 1)
            return fail(refused.arg(archivePath, QStringLiteral("it holds no address book")));
        if (version.integer(0) > kSchemaVersion)
            return fail(refused.arg(
                archivePath,
                QStringLiteral("it was written by a newer version of the address book")));
    }
    if (!archiveRecordsAreReadable(archivePath))
        return false;
    SqliteStatement orphan(m_db, "SELECT uid FROM archive.images"
                                 " WHERE uid NOT IN (SELECT uid FROM archive.records) LIMIT 1");
    if (orphan.next())
        return fail(refused.arg(
            archivePath,
            QStringLiteral("its picture of %1 belongs to no record").arg(orphan.text(0))));
    if (orphan.failed())
        return fail(refused.arg(archivePath, QStringLiteral("its pictures cannot be read")));
    return true;
}

bool AddressBookDatabase::archiveRecordsAreReadable(const QString &archivePath)
{
    // Every record must decode: a backup with one damaged record would leave a book that cannot
    // be read whole.
    SqliteStatement query(m_db, "SELECT uid, kind, body FROM archive.records");
    while (query.next()) {
        const int kind = int(query.integer(1));
        const bool knownKind = kind == StoredRecord::Person || kind == StoredRecord::Group ||
                               kind == StoredRecord::SmartGroup;
        if (!knownKind || !RecordCodec::isReadable(query.blob(2), kind != StoredRecord::Person)) {
            fail(QStringLiteral("%1 cannot be restored: its record %2 cannot be read;"
                                " nothing was restored")
                     .arg(archivePath, query.text(0)));
            return false;
        }
    }
    if (query.failed())
        return fail(QStringLiteral("%1 cannot be restored: its records cannot be read;"
                                   " nothing was restored")
                        .arg(archivePath));
    return true;
}
