#include "loader/matching/recordmatching.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/fields/personemail.h"
#include "addressbook/fields/persontitle.h"
#include "addressbook/google/linkproperties.h"
#include "addressbook/records/recordlookup.h"
#include "foundation/log.h"
#include "foundation/text/textdate.h"
#include "google/download/downloadkeys.h"
#include "google/lookups/contactlookups.h"
#include "loader/loadertexts.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include <cmath>

namespace recordmatching {

namespace {

QString textOf(const Record &record, const QString &property)
{
    return record.valueForProperty(property).toString();
}

template <typename Found>
auto firstOf(const Found &found) -> typename Found::value_type
{
    return found.isEmpty() ? typename Found::value_type() : found.front();
}

// The given name the name match pairs with the last name: the first name, else the nickname,
// else the middle name; none without a last name.
QString givenNameOf(const PersonPtr &person)
{
    if (textOf(*person, kABLastNameProperty).isEmpty())
        return {};
    for (const QString &property : {kABFirstNameProperty, kABNicknameProperty, kABMiddleNameProperty}) {
        const QString given = textOf(*person, property);
        if (!given.isEmpty())
            return given;
    }
    return {};
}

GDataEntryContactPtr linked(const GDataEntryContactPtr &contact, const PersonPtr &person)
{
    if (contact && textOf(*person, AddressBookTool::contactIDPropertyName()) != contact->identifier())
        AddressBookTool::setGoogleID(contact->identifier(), person);
    return contact;
}

GDataEntryContactPtr matchByKeys(const GoogleContactLists &lists, const PersonPtr &person)
{
    const QString op = QStringLiteral("googleContactFor:");
    ContactIndex &index = lists.contactIndex();
    for (const QString &address : AddressBookTool::tryOrderedEmailAddressesForPerson(person)) {
        if (address.isEmpty())
            continue;
        const ContactIndex::Found found = index.withEmailAddress(address);
        if (found.size() == 1)
            return found.front();
        if (found.size() > 1)
            tlog::labelled(loadertexts::windowClass, op, loadertexts::severalWithEmail, address);
    }
    const QString title = AddressBookTool::googleTitleForPerson(person, true);
    if (!title.isEmpty()) {
        const ContactIndex::Found found = index.withTitle(title);
        if (found.size() == 1)
            return found.front();
        if (found.size() > 1)
            tlog::labelled(loadertexts::windowClass, op, loadertexts::severalWithTitle, title);
    }
    if (!AddressBookTool::personIsPerson(person))
        return nullptr;
    const QString given = givenNameOf(person);
    if (given.isEmpty())
        return nullptr;
    return contactlookups::contactHoldingNames(lists, given, textOf(*person, kABLastNameProperty));
}

QDateTime lastChangeOf(const Record &record)
{
    const QDateTime modified = record.valueForProperty(kABModificationDateProperty).toDateTime();
    return modified.isValid() ? modified
                              : record.valueForProperty(kABCreationDateProperty).toDateTime();
}

} // namespace

GDataEntryContactGroupPtr googleGroupFor(const GoogleContactLists &lists, const GroupPtr &group)
{
    if (!group)
        return nullptr;
    const QString op = QStringLiteral("googleGroupFor:");
    GroupIndex &index = lists.groupIndex();
    const QString storedID = textOf(*group, AddressBookTool::groupIDPropertyName());
    if (!storedID.isEmpty()) {
        const GroupIndex::Found found = index.withIdentifier(storedID);
        if (found.size() > 1)
            tlog::labelled(loadertexts::windowClass, op, loadertexts::nonUniqueGroupID, storedID);
        if (!found.isEmpty())
            return found.front();
    }
    const QString name = textOf(*group, kABGroupNameProperty);
    for (const QString &title : {name, loadertexts::systemGroupTitle.arg(name)}) {
        const GroupIndex::Found found = index.withTitle(title);
        if (found.size() > 1)
            tlog::labelled(loadertexts::windowClass, op, loadertexts::nonUniqueGroupTitle, name);
        if (!found.isEmpty())
            return found.front();
    }
    return nullptr;
}

GDataEntryContactPtr googleContactFor(const GoogleContactLists &lists, const PersonPtr &person)
{
    if (!person)
        return nullptr;
    const QString op = QStringLiteral("googleContactFor:");
    ContactIndex &index = lists.contactIndex();
    // A contact an earlier upload made carries the record's identifier: Google may have stored
    // it while its answer, and so the link, was lost.
    if (GDataEntryContactPtr own = firstOf(index.withOwnABID(person->uniqueId())))
        return linked(own, person);
    const QString storedID = textOf(*person, AddressBookTool::contactIDPropertyName());
    if (!storedID.isEmpty()) {
        const ContactIndex::Found found = index.withIdentifier(storedID);
        if (found.size() == 1)
            return found.front();
        if (found.size() > 1) {
            tlog::labelled(loadertexts::windowClass, op, loadertexts::nonUniqueContactID, storedID);
        } else if (lists.isContactListComplete()) {
            // Only the whole account tells that the contact is gone.
            AddressBookTool::setGoogleID(QStringLiteral(""), person);
        }
    }
    return linked(matchByKeys(lists, person), person);
}

bool contactNeedsUpdate(const GDataEntryContact &contact, const PersonPtr &person,
                        const uploaddecisions::ContactDecisionOptions &options,
                        MembershipComparison &memberships)
{
    if (uploaddecisions::contactDataIsStale(contact, person, options))
        return true;
    return options.memberships && memberships.differ(contact, person);
}

bool personNeedsRewrite(const GDataEntryContact &contact, const PersonPtr &person,
                        const QString &addressBookDataMask)
{
    const AddressBookTool::LinkPropertyNames names = AddressBookTool::contactLinkPropertyNames();
    const QString storedMask = textOf(*person, names.dataMask);
    if (storedMask.isEmpty() || storedMask != addressBookDataMask)
        return true;
    if (textOf(*person, names.version) != textdate::format(contact.updatedDate()))
        return true;
    const QString asOfText = textOf(*person, names.asOfDate);
    if (asOfText.isEmpty())
        return true;
    const QDateTime asOf = textdate::parse(asOfText);
    const QDateTime changed = lastChangeOf(*person);
    if (!asOf.isValid() || !changed.isValid())
        return true;
    return std::abs(asOf.msecsTo(changed)) > 90000;
}

QString addressBookDataMaskFromPreferences()
{
    UserDefaults &defaults = UserDefaults::standard();
    QString mask;
    for (const QString &key :
         {googlekeys::abUpdateName, googlekeys::abUpdateEmail, googlekeys::abUpdatePhone,
          googlekeys::abUpdatePostal, googlekeys::abUpdateIM, googlekeys::abUpdateMemberships,
          googlekeys::abUpdateCompany, googlekeys::abUpdateTitle, googlekeys::abUpdatePicture,
          googlekeys::abUpdateNotes})
        mask += defaults.boolForKey(key) ? u'1' : u'0';
    mask += QString::number(defaults.integerForKey(googlekeys::abUpdateAppendNotes));
    mask += QString::number(defaults.integerForKey(googlekeys::abUpdateIMUseHome));
    return mask;
}

void setABDataMask()
{
    UserDefaults::standard().setString(addressBookDataMaskFromPreferences(),
                                       abkeys::addressBookDataMask);
}

} // namespace recordmatching
