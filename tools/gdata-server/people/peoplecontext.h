// How the People face names what the store holds: persons people/c<local id>, groups
// contactGroups/<local id> or the system group's name, the membership hrefs of the Atom entries
// behind them, photo URLs and etags.
#pragma once

#include "tools/gdata-server/serverurls.h"

#include <QString>

#include <optional>

struct PeopleSystemGroup
{
    const char *localId; // empty: a group the People face alone shows, with no stored entry
    const char *name;
    const char *formattedName;
    bool takesNewMembers; // the others are deprecated: members can only be removed
};

// myContacts, friends, family, coworkers, starred, all.
const std::vector<PeopleSystemGroup> &peopleSystemGroups();
const PeopleSystemGroup *systemGroupNamed(const QString &name);
const PeopleSystemGroup *systemGroupWithLocalId(const QString &localId);

class PeopleContext
{
public:
    PeopleContext(const ServerUrls &urls, Account &account)
        : m_urls(urls)
        , m_account(account)
    {}

    Account &account() const { return m_account; }

    static QString personName(const QString &localId)
    {
        return QStringLiteral("people/c") + localId;
    }
    // The local id of "people/c<id>" (or of "c<id>"); empty when it names none.
    static QString personLocalId(const QString &resourceName);
    // The live contact a resource name names, or null.
    StoredEntry *person(const QString &resourceName) const;

    QString groupName(const QString &localId) const;
    // A stored group's local id, or the system group's name for one without an entry; empty
    // when the name is no live group.
    QString groupKey(const QString &resourceName) const;
    QString groupHref(const QString &localId) const;

    // The People etag of an entry's Atom ETag: one version, two spellings.
    static QString etagOf(const GDataEntryBase &entry);

    QString photoUrl(const StoredEntry &stored) const;
    // Where photo URLs point: the server itself, or the second origin.
    QString photoUrlBase() const { return m_urls.photoBase(); }
    QString defaultPhotoUrl(const StoredEntry &stored) const;

private:
    const ServerUrls &m_urls;
    Account &m_account;
};
