#pragma once

#include <string>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

// Prepared statements kept for the life of one connection, so the statements of every save are
// parsed once. A statement is lent to one user at a time: asked for again while lent, the same
// text is prepared afresh, and the extra statement is finalized when it comes back.
class SqliteStatementCache
{
public:
    explicit SqliteStatementCache(sqlite3 *db)
        : m_db(db)
    {}
    // Finalizes every idle statement; lent ones must have come back.
    ~SqliteStatementCache();
    SqliteStatementCache(const SqliteStatementCache &) = delete;
    SqliteStatementCache &operator=(const SqliteStatementCache &) = delete;

    sqlite3 *database() const { return m_db; }
    // A statement ready to bind and run, or null when the text cannot be prepared.
    sqlite3_stmt *take(const char *sql);
    // Takes a statement lent by take() back, reset and without bindings.
    void giveBack(const char *sql, sqlite3_stmt *statement);

private:
    sqlite3 *m_db;
    std::unordered_map<std::string, sqlite3_stmt *> m_idle;
};
