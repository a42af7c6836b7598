#include "google/upload/deletecandidates.h"

#include "addressbook/fields/personemail.h"
#include "addressbook/fields/persontitle.h"
#include "addressbook/records/recordlookup.h"
#include "google/download/personlinks.h"
#include "google/lookups/contactlookups.h"

#include <QSet>

#include <algorithm>

namespace deletecandidates {

namespace {

template <typename Test>
QList<GDataEntryContactPtr> contactsWhere(const GoogleContactLists &lists, Test test)
{
    QList<GDataEntryContactPtr> found;
    for (const GDataEntryContactPtr &contact : lists.contacts()) {
        if (test(*contact))
            found.append(contact);
    }
    return found;
}

GDataEntryContactPtr linkedContact(const GoogleContactLists &lists, const PersonPtr &person)
{
    return personlinks::contactForABPerson(
        lists, person,
        {AddressBookTool::tryOrderedEmailAddressesForPerson(person),
         AddressBookTool::googleTitleForPerson(person, true)});
}

} // namespace

QList<GDataEntryContactPtr> noNameContacts(const GoogleContactLists &lists)
{
    return contactsWhere(lists, [](const GDataEntryContact &contact) {
        const auto &organizations = contact.organizations();
        return !contact.title() &&
               std::all_of(organizations.cbegin(), organizations.cend(),
                           [](const GDataOrganization &org) { return !org.orgName; });
    });
}

QList<GDataEntryContactPtr> noGroupContacts(const GoogleContactLists &lists)
{
    return contactsWhere(lists, [](const GDataEntryContact &contact) {
        return contact.groupMembershipInfos().empty();
    });
}

std::optional<QList<GDataEntryContactPtr>> membersOfGroupWithTitle(const GoogleContactLists &lists,
                                                                   const QString &title)
{
    int matches = 0;
    QString identifier;
    for (const GDataEntryContactGroupPtr &group : lists.groups()) {
        if (group->title() && *group->title() == title) {
            ++matches;
            identifier = group->identifier();
        }
    }
    if (matches != 1)
        return std::nullopt;
    return contactlookups::membersOfGroupID(lists, identifier);
}

QList<GDataEntryContactPtr> contactsOfABRecords(const GoogleContactLists &lists,
                                                const QList<PersonPtr> &records,
                                                bool neverMoveMeCard)
{
    GDataEntryContactPtr meContact;
    if (neverMoveMeCard) {
        if (const PersonPtr me = AddressBookTool::meAB())
            meContact = linkedContact(lists, me);
    }
    QList<GDataEntryContactPtr> candidates;
    QSet<const GDataEntryContact *> taken;
    for (const PersonPtr &person : records) {
        const GDataEntryContactPtr contact = linkedContact(lists, person);
        if (!contact || contact == meContact || taken.contains(contact.get()))
            continue;
        taken.insert(contact.get());
        candidates.append(contact);
    }
    return candidates;
}

} // namespace deletecandidates
