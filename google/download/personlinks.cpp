#include "google/download/personlinks.h"

#include "addressbook/fields/personnames.h"
#include "addressbook/google/linkproperties.h"
#include "addressbook/records/recordlookup.h"
#include "foundation/log.h"
#include "google/lookups/contactlookups.h"
#include "google/lookups/grouplookups.h"
#include "google/lookups/lookuptexts.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"

namespace personlinks {

namespace {

QString textOf(const Record &record, const QString &property)
{
    return record.valueForProperty(property).toString();
}

contactlookups::PersonNames namesOf(const PersonPtr &person, const QString &expectedTitle)
{
    using Kind = contactlookups::PersonNames::Kind;
    const Kind kind = AddressBookTool::personIsPerson(person)    ? Kind::Person
                      : AddressBookTool::personIsCompany(person) ? Kind::Company
                                                                 : Kind::Neither;
    return {kind,
            expectedTitle,
            textOf(*person, kABFirstNameProperty),
            textOf(*person, kABMiddleNameProperty),
            textOf(*person, kABNicknameProperty),
            textOf(*person, kABLastNameProperty)};
}

} // namespace

GDataEntryContactPtr contactForABPerson(const GoogleContactLists &lists, const PersonPtr &person,
                                        const PersonMatchKeys &keys)
{
    if (!person)
        return nullptr;
    if (GDataEntryContactPtr linked = contactlookups::contactForABID(lists, person->uniqueId()))
        return linked;
    const QString googleID = textOf(*person, AddressBookTool::contactIDPropertyName());
    if (!googleID.isEmpty()) {
        if (GDataEntryContactPtr linked = contactlookups::contactForID(lists, googleID))
            return linked;
        const QString name = AddressBookTool::firstLastNameForPerson(person);
        if (lists.isContactListComplete()) {
            tlog::labelled(lookuptexts::engineClass, QStringLiteral("contactForABPerson:"),
                           lookuptexts::staleContactID, name);
            AddressBookTool::setGoogleID(QStringLiteral(""), person);
        } else {
            tlog::labelled(lookuptexts::engineClass, QStringLiteral("contactForABPerson:"),
                           lookuptexts::linkKeptListIncomplete, name);
        }
    }
    for (const QString &address : keys.orderedEmails) {
        if (GDataEntryContactPtr found = contactlookups::contactForEmailAddress(lists, address))
            return found;
    }
    return contactlookups::contactForName(lists, namesOf(person, keys.expectedTitle));
}

GDataEntryContactGroupPtr groupForABGroup(const GoogleContactLists &lists, const GroupPtr &group)
{
    if (!group || lists.groups().empty())
        return nullptr;
    if (GDataEntryContactGroupPtr linked = grouplookups::groupForABID(lists, group->uniqueId()))
        return linked;
    const QString name = textOf(*group, kABGroupNameProperty);
    const QString googleID = textOf(*group, AddressBookTool::groupIDPropertyName());
    if (!googleID.isEmpty()) {
        if (GDataEntryContactGroupPtr linked = grouplookups::groupForID(lists, googleID))
            return linked;
        if (lists.isGroupListComplete()) {
            tlog::labelled(lookuptexts::engineClass, QStringLiteral("groupForABGroup:"),
                           lookuptexts::staleGroupID, name);
            AddressBookTool::setGoogleID(QStringLiteral(""), group);
        } else {
            tlog::labelled(lookuptexts::engineClass, QStringLiteral("groupForABGroup:"),
                           lookuptexts::linkKeptListIncomplete, name);
        }
    }
    return grouplookups::groupForName(lists, name);
}

} // namespace personlinks
