#include "addressbook/google/googlegroupmatching.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/google/abgrouptolvane.h"
#include "addressbook/google/googleentryfields.h"
#include "addressbook/google/linkproperties.h"
#include "addressbook/groups/grouplists.h"
#include "addressbook/records/recordlookup.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/defaults/userdefaults.h"

namespace AddressBookTool {

namespace {

const QString kSystemGroupPrefix = QStringLiteral("System Group: ");

QString extendedPropertyName()
{
    return UserDefaults::standard().stringForKey(abkeys::googleGroupExtendedPropertyName);
}

GroupPtr byStoredRecordID(const GoogleGroupEntry &entry)
{
    const std::optional<QString> abid = storedRecordID(entry, extendedPropertyName());
    return abid ? groupByABID(*abid) : nullptr;
}

// Google's own groups carry a prefix that the address book does not show.
QString googleName(const GoogleGroupEntry &entry)
{
    const QString title = entry.title().value_or(QStringLiteral(""));
    return title.startsWith(kSystemGroupPrefix) ? title.mid(kSystemGroupPrefix.size()) : title;
}

bool smartGroupNamed(const QString &name, const GroupPtr &except)
{
    for (const GroupPtr &smart : smartABGroups()) {
        if (smart != except && smart->valueForProperty(kABGroupNameProperty).toString() == name)
            return true;
    }
    return false;
}

// A manual group never takes the name of a smart group, or groupByName would find neither.
QString wantedName(const QString &name, const GroupPtr &group)
{
    const bool smart = group && isSmartGroup(group->uniqueId());
    return smart || smartGroupNamed(name, group) ? QStringLiteral("(G) %1").arg(name) : name;
}

GroupPtr stamped(const GroupPtr &group, const GoogleGroupEntry &entry,
                 const LinkPropertyNames &names)
{
    writeTransferStamp(group, names, entry.updatedDate(), QDateTime::currentDateTime());
    return group;
}

GroupPtr renamedAndStamped(const GroupPtr &group, const GoogleGroupEntry &entry,
                           const LinkPropertyNames &names)
{
    const QString name = wantedName(googleName(entry), group);
    if (group->valueForProperty(kABGroupNameProperty).toString() != name)
        group->setValueForProperty(name, kABGroupNameProperty);
    return stamped(group, entry, names);
}

GroupPtr newLinkedGroup(const QString &name, const GoogleGroupEntry &entry,
                        const LinkPropertyNames &names)
{
    const GroupPtr group = Group::create();
    group->setValueForProperty(name, kABGroupNameProperty);
    group->setValueForProperty(entry.identifier(), names.identifier);
    stamped(group, entry, names);
    AddressBook::shared()->addRecord(group);
    return group;
}

} // namespace

GroupPtr existingABGroupForGoogleGroup(const GoogleGroupEntry &entry)
{
    if (const GroupPtr group = byStoredRecordID(entry))
        return group;
    if (const GroupPtr group = groupByPropery(groupIDPropertyName(), entry.identifier()))
        return group;
    return groupByName(entry.title().value_or(QString()));
}

GroupPtr groupForGoogleGroup(const GoogleGroupEntry &entry)
{
    const QString name = googleName(entry);
    const LinkPropertyNames names = groupLinkPropertyNames();
    if (const GroupPtr group = byStoredRecordID(entry)) {
        if (tolvane::googleID(group) != entry.identifier())
            setLinkProperty(*group, names.identifier, entry.identifier());
        return renamedAndStamped(group, entry, names);
    }
    if (const GroupPtr group = groupByPropery(names.identifier, entry.identifier()))
        return renamedAndStamped(group, entry, names);
    const GroupPtr named = groupByName(name);
    if (named && !isSmartGroup(named->uniqueId())) {
        setLinkProperty(*named, names.identifier, entry.identifier());
        return stamped(named, entry, names);
    }
    return newLinkedGroup(wantedName(name, nullptr), entry, names);
}

} // namespace AddressBookTool
