#include "google/entries/groupaccessors.h"

#include "addressbook/addressbookkeys.h"
#include "google/entries/entrybaseaccessors.h"
#include "platform/defaults/userdefaults.h"

#include <algorithm>

namespace tolvane {

namespace {

QString groupPropertyName()
{
    return UserDefaults::standard().stringForKey(abkeys::googleGroupExtendedPropertyName);
}

} // namespace

std::optional<QHash<QString, QString>>
tolvaneExtendedPropertyXMLValuesDictionary(const GDataEntryContactGroup &group)
{
    return entrybase::programPropertyValues(group, groupPropertyName());
}

QString tolvaneABID(const GDataEntryContactGroup &group)
{
    return entrybase::recordID(group, groupPropertyName());
}

QDateTime tolvaneCreateDate(const GDataEntryContactGroup &group)
{
    return entrybase::createDate(group, groupPropertyName());
}

bool isGoogleSystemGroup(const GDataEntryContactGroup &group)
{
    return group.title().value_or(QString()).contains(QStringLiteral("System Group: "));
}

QString entryDisplayName(const GDataEntryContactGroup &group)
{
    if (group.isDeleted())
        return entrybase::deletedEntryMark(group);
    return group.title().value_or(QStringLiteral(""));
}

QString tolvaneTitle(const GDataEntryContactGroup &group)
{
    return entryDisplayName(group);
}

QList<GDataEntryContactPtr> membersFromContactArray(const GDataEntryContactGroup &group,
                                                    const QList<GDataEntryContactPtr> &contacts)
{
    QList<GDataEntryContactPtr> members;
    for (const GDataEntryContactPtr &contact : contacts) {
        const auto &infos = contact->groupMembershipInfos();
        if (std::any_of(infos.begin(), infos.end(),
                        [&](const auto &info) { return info.href == group.identifier(); }))
            members.append(contact);
    }
    return members;
}

} // namespace tolvane
