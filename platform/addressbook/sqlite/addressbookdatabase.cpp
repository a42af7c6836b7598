#include "platform/addressbook/sqlite/addressbookdatabase.h"

#include "platform/addressbook/record.h"
#include "platform/addressbook/sqlite/recordcodec.h"
#include "platform/addressbook/sqlite/sqlitestatement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace {

constexpr int kSchemaVersion = 1;
constexpr int kBusyTimeoutMs = 10000;
const char kMeKey[] = "me";

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
    // A connection with statements left open does not close.
    m_statements.reset();
    sqlite3_close(m_db);
}

bool AddressBookDatabase::open(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        qWarning("address book: cannot open %s: %s", qPrintable(path), sqlite3_errmsg(m_db));
        sqlite3_close(m_db);
        m_db = nullptr;
        return false;
    }
    m_statements = std::make_unique<SqliteStatementCache>(m_db);
    m_journal = ChangeJournal(m_statements.get());
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    if (!exec("PRAGMA journal_mode=WAL") || !exec("PRAGMA synchronous=FULL"))
        return false;
    return createTables();
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

bool AddressBookDatabase::createTables()
{
    WriteTransaction transaction(*m_statements);
    if (!transaction.isOpen())
        return false;
    {
        SqliteStatement exists(m_db, "SELECT 1 FROM sqlite_master WHERE name = 'schema_version'");
        m_isNew = !exists.next();
    }
    for (const char *sql : kTables) {
        if (!exec(sql))
            return false;
    }
    if (!exec(ChangeJournal::createTableSql()))
        return false;
    if (m_isNew) {
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

QList<StoredRecord> AddressBookDatabase::records() const
{
    SqliteStatement query(m_db, "SELECT uid, kind, body FROM records ORDER BY rowid");
    QList<StoredRecord> result;
    while (query.next())
        result.append({query.text(0), int(query.integer(1)), query.blob(2)});
    return result;
}

std::optional<StoredRecord> AddressBookDatabase::record(const QString &uniqueId) const
{
    SqliteStatement query(m_db, "SELECT uid, kind, body FROM records WHERE uid = ?1");
    query.bind(1, uniqueId);
    if (!query.next())
        return std::nullopt;
    return StoredRecord{query.text(0), int(query.integer(1)), query.blob(2)};
}

QSet<QString> AddressBookDatabase::imageOwners() const
{
    SqliteStatement query(m_db, "SELECT uid FROM images");
    QSet<QString> owners;
    while (query.next())
        owners.insert(query.text(0));
    return owners;
}

QByteArray AddressBookDatabase::image(const QString &uniqueId) const
{
    SqliteStatement query(m_db, "SELECT data FROM images WHERE uid = ?1");
    query.bind(1, uniqueId);
    return query.next() ? query.blob(0) : QByteArray();
}

QString AddressBookDatabase::meId() const
{
    SqliteStatement query(m_db, "SELECT value FROM meta WHERE key = ?1");
    query.bind(1, QString::fromLatin1(kMeKey));
    return query.next() ? query.text(0) : QString();
}

QHash<QString, PropertyType> AddressBookDatabase::customProperties(RecordClass recordClass) const
{
    SqliteStatement query(m_db, "SELECT name, type FROM properties WHERE class = ?1");
    query.bind(1, qint64(recordClass));
    QHash<QString, PropertyType> properties;
    while (query.next())
        properties.insert(query.text(0), static_cast<PropertyType>(query.integer(1)));
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

std::optional<qint64> AddressBookDatabase::write(const StoredChanges &changes)
{
    WriteTransaction transaction(*m_statements);
    if (!transaction.isOpen() || !writeRecords(changes))
        return std::nullopt;
    const std::optional<qint64> sequence = m_journal.append(changes.journalEntry);
    if (!sequence || !transaction.commit())
        return std::nullopt;
    return sequence;
}

bool AddressBookDatabase::writeRecords(const StoredChanges &changes)
{
    SqliteStatement upsert(*m_statements,
                           "INSERT INTO records (uid, kind, body) VALUES (?1, ?2, ?3)"
                           " ON CONFLICT (uid) DO UPDATE SET kind = ?2, body = ?3");
    for (const RecordUpsert &entry : changes.upserts) {
        upsert.reset();
        upsert.bind(1, entry.record->uniqueId());
        upsert.bind(2, qint64(entry.kind));
        upsert.bind(3, RecordCodec::encode(*entry.record));
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
    SqliteStatement vacuum(m_db, "VACUUM INTO ?1");
    vacuum.bind(1, partial);
    if (!vacuum.run()) {
        QFile::remove(partial);
        return false;
    }
    QFile::remove(archivePath);
    return QFile::rename(partial, archivePath);
}

std::optional<qint64> AddressBookDatabase::restoreArchive(const QString &archivePath,
                                                          const JournalEntry &entry)
{
    if (!QFileInfo(archivePath).isFile())
        return std::nullopt;
    {
        SqliteStatement attach(m_db, "ATTACH DATABASE ?1 AS archive");
        attach.bind(1, archivePath);
        if (!attach.run())
            return std::nullopt;
    }
    std::optional<qint64> sequence;
    {
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
    {
        SqliteStatement check(m_db, "SELECT version FROM archive.schema_version");
        if (!check.next() || check.integer(0) > kSchemaVersion)
            return false;
    }
    return exec("DELETE FROM main.records") && exec("DELETE FROM main.images") &&
           exec("DELETE FROM main.meta") &&
           exec("INSERT INTO main.records (rowid, uid, kind, body)"
                " SELECT rowid, uid, kind, body FROM archive.records") &&
           exec("INSERT INTO main.images (uid, data) SELECT uid, data FROM archive.images") &&
           exec("INSERT INTO main.meta (key, value) SELECT key, value FROM archive.meta") &&
           exec("INSERT OR IGNORE INTO main.properties (class, name, type)"
                " SELECT class, name, type FROM archive.properties");
}
