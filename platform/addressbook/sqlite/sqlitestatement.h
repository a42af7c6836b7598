#pragma once

#include <QByteArray>
#include <QString>

class SqliteStatementCache;
struct sqlite3;
struct sqlite3_stmt;

// One prepared statement of the SQLite C API, finalized when it goes out of scope, or given back
// to the cache it was taken from. Bind positions and result columns count from 1 and 0
// respectively, as in the C API.
class SqliteStatement
{
public:
    SqliteStatement(sqlite3 *db, const char *sql);
    SqliteStatement(SqliteStatementCache &cache, const char *sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    bool isValid() const { return m_statement != nullptr; }

    void bind(int position, const QString &value);
    void bind(int position, qint64 value);
    void bind(int position, const QByteArray &value);

    // True while a row is available; false at the end and on an error (see failed()).
    bool next();
    // Runs the statement to its end; false on an error.
    bool run();
    // Ready to run again with new bindings.
    void reset();
    bool failed() const { return m_failed; }

    QString text(int column) const;
    qint64 integer(int column) const;
    QByteArray blob(int column) const;

private:
    sqlite3 *m_db;
    SqliteStatementCache *m_cache = nullptr;
    const char *m_sql;
    sqlite3_stmt *m_statement = nullptr;
    bool m_failed = false;
};
