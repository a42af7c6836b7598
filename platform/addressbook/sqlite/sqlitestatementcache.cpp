#include "platform/addressbook/sqlite/sqlitestatementcache.h"

#include <QtGlobal>

#include <sqlite3.h>

SqliteStatementCache::~SqliteStatementCache()
{
    for (const auto &[sql, statement] : m_idle)
        sqlite3_finalize(statement);
}

sqlite3_stmt *SqliteStatementCache::take(const char *sql)
{
    const auto idle = m_idle.find(sql);
    if (idle != m_idle.end() && idle->second) {
        sqlite3_stmt *statement = idle->second;
        idle->second = nullptr;
        return statement;
    }
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) !=
        SQLITE_OK) {
        qWarning("address book: cannot prepare \"%s\": %s", sql, sqlite3_errmsg(m_db));
        return nullptr;
    }
    return statement;
}

void SqliteStatementCache::giveBack(const char *sql, sqlite3_stmt *statement)
{
    if (!statement)
        return;
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    sqlite3_stmt *&idle = m_idle[sql];
    if (idle)
        sqlite3_finalize(statement);
    else
        idle = statement;
}
