#include "tools/gdata-server/people/peoplecontext.h"

#include <QCryptographicHash>

const std::vector<PeopleSystemGroup> &peopleSystemGroups()
{
    static const std::vector<PeopleSystemGroup> groups = {
        {"6", "myContacts", "My Contacts", true}, {"d", "friends", "Friends", false},
        {"e", "family", "Family", false},         {"f", "coworkers", "Coworkers", false},
        {"", "starred", "Starred", true},         {"", "all", "All Contacts", false},
    };
    return groups;
}

const PeopleSystemGroup *systemGroupNamed(const QString &name)
{
    for (const PeopleSystemGroup &group : peopleSystemGroups()) {
        if (name == QLatin1String(group.name))
            return &group;
    }
    return nullptr;
}

const PeopleSystemGroup *systemGroupWithLocalId(const QString &localId)
{
    for (const PeopleSystemGroup &group : peopleSystemGroups()) {
        if (*group.localId && localId == QLatin1String(group.localId))
            return &group;
    }
    return nullptr;
}

QString PeopleContext::personLocalId(const QString &resourceName)
{
    QString id = resourceName;
    if (id.startsWith(QLatin1String("people/")))
        id = id.mid(7);
    if (!id.startsWith(u'c') || id.size() < 2)
        return {};
    id = id.mid(1);
    const bool plain = std::all_of(id.begin(), id.end(),
                                   [](QChar c) { return c.isDigit() || (c >= u'a' && c <= u'f'); });
    return plain ? id : QString();
}

StoredEntry *PeopleContext::person(const QString &resourceName) const
{
    const QString localId = personLocalId(resourceName);
    StoredEntry *stored =
        localId.isEmpty() ? nullptr : m_account.find(Account::Collection::Contacts, localId);
    return stored && !stored->entry->isDeleted() ? stored : nullptr;
}

QString PeopleContext::groupName(const QString &localId) const
{
    if (const PeopleSystemGroup *system = systemGroupWithLocalId(localId))
        return QStringLiteral("contactGroups/") + QLatin1String(system->name);
    return QStringLiteral("contactGroups/") + localId;
}

QString PeopleContext::groupKey(const QString &resourceName) const
{
    QString id = resourceName;
    if (id.startsWith(QLatin1String("contactGroups/")))
        id = id.mid(14);
    if (const PeopleSystemGroup *system = systemGroupNamed(id))
        return *system->localId ? QString::fromLatin1(system->localId) : id;
    if (systemGroupWithLocalId(id))
        return {}; // a system group is named by its name, never by its local id
    const StoredEntry *group =
        id.isEmpty() ? nullptr : m_account.find(Account::Collection::Groups, id);
    return group && !group->entry->isDeleted() ? id : QString();
}

QString PeopleContext::groupHref(const QString &localId) const
{
    return m_urls.identifier(m_account.email(), Account::Collection::Groups, localId);
}

QString PeopleContext::etagOf(const GDataEntryBase &entry)
{
    QString etag = entry.ETag().value_or(QString());
    if (etag.startsWith(QLatin1String("W/")))
        etag = etag.mid(2);
    if (etag.size() >= 2 && etag.startsWith(u'"') && etag.endsWith(u'"'))
        etag = etag.mid(1, etag.size() - 2);
    return QStringLiteral("%") + etag;
}

QString PeopleContext::photoUrl(const StoredEntry &stored) const
{
    // A new photo gets a new URL, as photo hosts serve each version under its own.
    const QByteArray version =
        QCryptographicHash::hash(stored.photo.etag.toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(12);
    return QStringLiteral("%1/photos/%2/%3/%4")
        .arg(m_urls.photoBase(), QString::fromLatin1(QUrl::toPercentEncoding(m_account.email())),
             stored.localId, QString::fromLatin1(version));
}

QString PeopleContext::defaultPhotoUrl(const StoredEntry &stored) const
{
    return QStringLiteral("%1/photos/default/%2").arg(m_urls.photoBase(), stored.localId);
}
