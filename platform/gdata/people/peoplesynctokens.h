// The sync tokens of the People lists, one per account and kind, in a small state file of this
// layer's own (written whole and atomically, so the agent and the main program never read half a
// file). A token is asked for on the first full list of a process and once the held one is over
// six days old: Google lets them expire after seven.
#pragma once

#include "platform/gdata/entries/gdataentrybase.h"

#include <QDateTime>
#include <QString>

#include <optional>

class PeopleSyncTokens
{
public:
    struct Held
    {
        QString token;
        QDateTime takenAt;
    };

    // Empty: the file in the user's data folder.
    void setPath(const QString &path) { m_path = path; }
    QString path() const;

    std::optional<Held> held(const QString &account, GDataEntryBase::Kind kind) const;
    // Whether a full list should ask for a new token now.
    bool wantsNewToken(const QString &account, GDataEntryBase::Kind kind) const;
    // A full list asked for one: later lists of this process ask only as the age rule says.
    void markAsked(const QString &account, GDataEntryBase::Kind kind);
    bool store(const QString &account, GDataEntryBase::Kind kind, const QString &token);
    bool drop(const QString &account, GDataEntryBase::Kind kind);

private:
    QString m_path;
};
