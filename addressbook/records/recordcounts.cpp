#include "addressbook/records/recordcounts.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/groups/grouplists.h"
#include "addressbook/groups/groupmembers.h"
#include "addressbook/records/recordlists.h"
#include "addressbook/records/recordsearch.h"
#include "foundation/log.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include <algorithm>

namespace AddressBookTool {

namespace {

int countWithImages(const QList<PersonPtr> &records)
{
    return int(std::count_if(records.cbegin(), records.cend(),
                             [](const PersonPtr &record) { return record->hasImage(); }));
}

bool hasAnniversary(const PersonPtr &record)
{
    const QList<MultiValueEntry> dates =
        record->multiValueForProperty(kABOtherDatesProperty).entries();
    return std::any_of(dates.cbegin(), dates.cend(), [](const MultiValueEntry &entry) {
        return entry.label == kABAnniversaryLabel && entry.value.isValid();
    });
}

void setCount(const QString &key, int count)
{
    UserDefaults::standard().setInteger(count, key);
}

void logCount(const QString &format, int count)
{
    tlog::write(format.arg(count));
}

} // namespace

int personCount()
{
    return int(allPeople().size());
}

int companyCount()
{
    return int(allCompanies().size());
}

int groupCount()
{
    return int(AddressBook::shared()->groups().size());
}

int personImageCount()
{
    return countWithImages(allPeople());
}

int companyImageCount()
{
    return countWithImages(allCompanies());
}

int birthdayCount()
{
    return int(searchPeople(personElement(kABBirthdayProperty, QVariant(),
                                          SearchElement::Comparison::NotEqual))
                   .size());
}

int anniversaryCount()
{
    const QList<PersonPtr> records = allRecords();
    return int(std::count_if(records.cbegin(), records.cend(), hasAnniversary));
}

void setUserDefaultCounts()
{
    UserDefaults &defaults = UserDefaults::standard();
    const int manualGroups = int(nonSmartABGroups().size());
    const int smartGroups = int(smartABGroups().size());
    const int people = personCount();
    const int companies = companyCount();
    setCount(abkeys::addressBookTotalManualGroups, manualGroups);
    setCount(abkeys::addressBookTotalSmartGroups, smartGroups);
    setCount(abkeys::addressBookTotalGroups, manualGroups + smartGroups);
    setCount(abkeys::addressBookTotalPeople, people);
    setCount(abkeys::addressBookTotalCompanies, companies);
    setCount(abkeys::addressBookTotalContacts, people + companies);
    setCount(abkeys::addressBookTotalNoGroups,
             countNoGroupIncludePeople(defaults.boolForKey(abkeys::gmUpdatePeople),
                                       defaults.boolForKey(abkeys::gmUpdateCompanies)));
    defaults.setBool(manualGroups + smartGroups + people + companies > 1,
                     abkeys::addressBookHasData);
    defaults.setBool(defaults.boolForKey(abkeys::abUpdateNeverRemoveCompanies) &&
                         defaults.boolForKey(abkeys::abUpdateNeverRemovePeople),
                     abkeys::abUpdateNeverRemoveContacts);
}

void setCounts()
{
    const int people = personCount();
    setCount(abkeys::personCountAddressBook, people);
    logCount(QStringLiteral("AddressBook: %1 people"), people);
    struct Published
    {
        QString key;
        QString line;
        int (*count)();
    };
    const Published others[] = {
        {abkeys::birthdayCountAddressBook, QStringLiteral("AddressBook: %1 people with birthdays"),
         birthdayCount},
        {abkeys::anniversaryCountAddressBook,
         QStringLiteral("AddressBook: %1 people with anniversaries"), anniversaryCount},
        {abkeys::personImageCountAddressBook, QStringLiteral("AddressBook: %1 people with images"),
         personImageCount},
        {abkeys::companyCountAddressBook, QStringLiteral("AddressBook: %1 companies"),
         companyCount},
        {abkeys::companyImageCountAddressBook,
         QStringLiteral("AddressBook: %1 companies with images"), companyImageCount},
    };
    for (const Published &published : others) {
        const int count = published.count();
        logCount(published.line, count);
        setCount(published.key, count);
    }
}

} // namespace AddressBookTool
