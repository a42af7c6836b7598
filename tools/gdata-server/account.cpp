#include "tools/gdata-server/account.h"

#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/gdataconstants.h"

namespace {

struct SystemGroup
{
    const char *localId;
    const char *id;
    const char *title;
};

constexpr SystemGroup kSystemGroups[] = {
    {"6", kGDataSystemGroupContacts, "System Group: My Contacts"},
    {"d", kGDataSystemGroupFriends, "System Group: Friends"},
    {"e", kGDataSystemGroupFamily, "System Group: Family"},
    {"f", kGDataSystemGroupCoworkers, "System Group: Coworkers"},
};

} // namespace

Account::Account(const QString &email, const QString &password, bool withSystemGroups)
    : m_email(email)
    , m_password(password)
{
    if (withSystemGroups)
        addSystemGroups();
}

void Account::restore(Collection collection, const StoredEntry &stored)
{
    auto &index = collection == Collection::Contacts ? m_contactIndex : m_groupIndex;
    index.insert(stored.localId, entries(collection).size());
    entries(collection).push_back(stored);
}

void Account::addSystemGroups()
{
    for (const SystemGroup &system : kSystemGroups) {
        auto group =
            GDataEntryContactGroup::contactGroupEntryWithTitle(QString::fromUtf8(system.title));
        group->setSystemGroup(QString::fromUtf8(system.id));
        group->setUpdatedDate(QDateTime::fromMSecsSinceEpoch(0, Qt::UTC));
        group->setETag(QStringLiteral("\"system-%1\"").arg(QString::fromUtf8(system.localId)));
        restore(Collection::Groups, {QString::fromUtf8(system.localId), group, {}, {}});
    }
}

StoredEntry *Account::find(Collection collection, const QString &localId)
{
    const auto &index = collection == Collection::Contacts ? m_contactIndex : m_groupIndex;
    const auto found = index.constFind(localId);
    if (found == index.cend())
        return nullptr;
    return &entries(collection)[*found];
}

StoredEntry &Account::add(Collection collection, const GDataEntryPtr &entry)
{
    auto &index = collection == Collection::Contacts ? m_contactIndex : m_groupIndex;
    auto &list = entries(collection);
    const QString localId = nextLocalId();
    ++m_nextId;
    index.insert(localId, list.size());
    list.push_back({localId, entry, {}, {}});
    return list.back();
}

int Account::liveContactCount() const
{
    int count = 0;
    for (const StoredEntry &stored : m_contacts)
        count += stored.entry->isDeleted() ? 0 : 1;
    return count;
}
