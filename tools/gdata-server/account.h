// One Google account on the server: its password, contacts, groups (the four system groups first)
// and photos. Entries keep their creation order; deleted ones stay as tombstones.
#pragma once

#include "platform/gdata/entries/gdataentrybase.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QString>

#include <vector>

struct StoredPhoto
{
    QByteArray data;
    QByteArray type;
    QString etag;
};

struct StoredEntry
{
    QString localId;
    GDataEntryPtr entry; // identifier left empty: it is made from the base URL when served
    StoredPhoto photo;   // empty data: no photo
    // What the People face was sent that the entry cannot hold (structured name and address
    // keys, fields the Atom model lacks, other clients' data), by Person field; the Atom face
    // never shows it.
    QJsonObject people = {};
};

class Account
{
public:
    enum class Collection { Contacts, Groups };

    Account() = default;
    // A new account has the four system groups; one read back from the state file brings its own.
    Account(const QString &email, const QString &password, bool withSystemGroups = true);

    QString email() const { return m_email; }
    QString password() const { return m_password; }
    void setPassword(const QString &password) { m_password = password; }

    std::vector<StoredEntry> &entries(Collection collection)
    {
        return collection == Collection::Contacts ? m_contacts : m_groups;
    }
    const std::vector<StoredEntry> &entries(Collection collection) const
    {
        return collection == Collection::Contacts ? m_contacts : m_groups;
    }
    StoredEntry *find(Collection collection, const QString &localId);
    // Appends a new entry under a fresh local identifier.
    StoredEntry &add(Collection collection, const GDataEntryPtr &entry);
    // Puts back an entry read from the state file.
    void restore(Collection collection, const StoredEntry &stored);
    QString nextLocalId() const { return QString::number(m_nextId, 16); }
    void setNextId(qint64 next) { m_nextId = next; }
    qint64 nextId() const { return m_nextId; }

    // The live (not deleted) contacts, for the 25,000 limit.
    int liveContactCount() const;

private:
    void addSystemGroups();

    QString m_email;
    QString m_password;
    std::vector<StoredEntry> m_contacts;
    std::vector<StoredEntry> m_groups;
    QHash<QString, size_t> m_contactIndex;
    QHash<QString, size_t> m_groupIndex;
    qint64 m_nextId = 0x100;

    friend class ServerState;
};
