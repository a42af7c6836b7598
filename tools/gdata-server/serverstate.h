// Everything the server holds: accounts, sign-in tokens, the clock of updated dates, and the state
// file they are saved to shortly after every change. The file is replaced whole, never torn: a
// server killed outright loses at most the changes of the last write delay, one that is stopped
// or ends writes them first.
#pragma once

#include "tools/gdata-server/account.h"
#include "tools/gdata-server/coalescedwrite.h"
#include "tools/gdata-server/oauth/oauthstate.h"
#include "tools/gdata-server/savedentryjson.h"

#include <QDateTime>
#include <QHash>
#include <QString>

#include <map>
#include <optional>

class ServerState
{
public:
    // Empty path: nothing is saved.
    explicit ServerState(const QString &statePath = {});
    ~ServerState();

    bool load(QString *error);
    // After a change: the whole state is written within the write delay, together with every
    // change made meanwhile.
    void save() const;
    // Writes a pending save now; false (and a warning) when the file cannot be written.
    bool flush();

    Account *account(const QString &email);
    Account &addAccount(const QString &email, const QString &password);
    void clear();

    QString signIn(const QString &email);
    // The account a token was issued for, or null.
    Account *accountForToken(const QString &token);

    // A time after every time handed out before, to the millisecond, while that stays within a
    // second of the clock; never before one handed out before.
    QDateTime nextUpdated();
    // A fresh strong ETag.
    QString nextETag();

    OAuthState &oauth() { return m_oauth; }

private:
    bool writeFile() const;

    QString m_path;
    std::map<QString, Account> m_accounts;
    QHash<QString, QString> m_tokens;
    OAuthState m_oauth;
    qint64 m_lastUpdatedMs = 0;
    quint64 m_etagCounter = 0;
    mutable SavedEntryJson m_savedJson;
    mutable CoalescedWrite m_pendingWrite;
};
