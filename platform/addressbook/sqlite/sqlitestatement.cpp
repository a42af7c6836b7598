#include "platform/addressbook/sqlite/sqlitestatement.h"

#include "platform/addressbook/sqlite/sqlitestatementcache.h"

#include <QtGlobal>

#include <sqlite3.h>

SqliteStatement::SqliteStatement(sqlite3 *db, const char *sql)
    : m_db(db)
    , m_sql(sql)
{
    if (sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr) != SQLITE_OK) {
        qWarning("address book: cannot prepare \"%s\": %s", sql, sqlite3_errmsg(db));
        m_statement = nullptr;
        m_failed = true;
    }
}

SqliteStatement::SqliteStatement(SqliteStatementCache &cache, const char *sql)
    : m_db(cache.database())
    , m_cache(&cache)
    , m_sql(sql)
    , m_statement(cache.take(sql))
    , m_failed(m_statement == nullptr)
{}

SqliteStatement::~SqliteStatement()
{
    if (m_cache)
        m_cache->giveBack(m_sql, m_statement);
    else
        sqlite3_finalize(m_statement);
}

void SqliteStatement::bind(int position, const QString &value)
{
    const QByteArray utf8 = value.toUtf8();
    sqlite3_bind_text(m_statement, position, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void SqliteStatement::bind(int position, qint64 value)
{
    sqlite3_bind_int64(m_statement, position, value);
}

void SqliteStatement::bind(int position, const QByteArray &value)
{
    // An empty array still binds a blob (never NULL), since the columns are NOT NULL.
    sqlite3_bind_blob(m_statement, position, value.isEmpty() ? "" : value.constData(),
                      int(value.size()), SQLITE_TRANSIENT);
}

bool SqliteStatement::next()
{
    if (!m_statement)
        return false;
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE) {
        m_failed = true;
        qWarning("address book: statement failed: %s", sqlite3_errmsg(m_db));
    }
    return false;
}

bool SqliteStatement::run()
{
    while (next()) {
    }
    return !m_failed;
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
    m_failed = m_statement == nullptr;
}

QString SqliteStatement::text(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return QString::fromUtf8(data, sqlite3_column_bytes(m_statement, column));
}

qint64 SqliteStatement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

QByteArray SqliteStatement::blob(int column) const
{
    const auto *data = static_cast<const char *>(sqlite3_column_blob(m_statement, column));
    return QByteArray(data, sqlite3_column_bytes(m_statement, column));
}
