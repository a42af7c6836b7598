#include "addressbook/records/changetracking.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/records/recordcounts.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

namespace AddressBookTool {

namespace {

template <class Ptr> QDateTime latest(const QList<Ptr> &records, const QString &property)
{
    QDateTime newest;
    for (const Ptr &record : records) {
        const QDateTime date = record->valueForProperty(property).toDateTime();
        if (date.isValid() && (!newest.isValid() || date > newest))
            newest = date;
    }
    return newest;
}

template <class Ptr>
QList<Ptr> after(const QList<Ptr> &records, const QString &property, const QDateTime &date)
{
    QList<Ptr> found;
    for (const Ptr &record : records) {
        if (record->valueForProperty(property).toDateTime() > date)
            found.append(record);
    }
    return found;
}

bool countDiffers(int now, const QString &key)
{
    return now != UserDefaults::standard().integerForKey(key);
}

bool dateDiffers(const QDateTime &now, const QString &key)
{
    const QDateTime stored = UserDefaults::standard().dateForKey(key);
    if (!now.isValid() || !stored.isValid())
        return now.isValid() != stored.isValid();
    return now != stored;
}

bool personCountDiffers()
{
    return countDiffers(personCount() + companyCount(), abkeys::lastABPersonCount);
}

bool groupCountDiffers()
{
    return countDiffers(groupCount(), abkeys::lastABGroupCount);
}

bool modDatesDiffer()
{
    return dateDiffers(lastGroupUpdateDate(), abkeys::lastABGroupUpdate) ||
           dateDiffers(lastPersonUpdateDate(), abkeys::lastABPersonUpdate);
}

} // namespace

QDateTime lastPersonInsertDate()
{
    return latest(AddressBook::shared()->people(), kABCreationDateProperty);
}

QDateTime lastPersonUpdateDate()
{
    return latest(AddressBook::shared()->people(), kABModificationDateProperty);
}

QDateTime lastGroupInsertDate()
{
    return latest(AddressBook::shared()->groups(), kABCreationDateProperty);
}

QDateTime lastGroupUpdateDate()
{
    return latest(AddressBook::shared()->groups(), kABModificationDateProperty);
}

QList<PersonPtr> peopleInsertedSince(const QDateTime &date)
{
    return after(AddressBook::shared()->people(), kABCreationDateProperty, date);
}

QList<PersonPtr> peopleChangedSince(const QDateTime &date)
{
    return after(AddressBook::shared()->people(), kABModificationDateProperty, date);
}

QList<GroupPtr> groupsInsertedSince(const QDateTime &date)
{
    return after(AddressBook::shared()->groups(), kABCreationDateProperty, date);
}

QList<GroupPtr> groupsChangedSince(const QDateTime &date)
{
    return after(AddressBook::shared()->groups(), kABModificationDateProperty, date);
}

bool hasABChangedSinceLast()
{
    return personCountDiffers() || groupCountDiffers() ||
           dateDiffers(lastGroupInsertDate(), abkeys::lastABGroupInsert) ||
           dateDiffers(lastPersonInsertDate(), abkeys::lastABPersonInsert) || modDatesDiffer();
}

bool hasABCountChangedSinceLast()
{
    return groupCountDiffers() || personCountDiffers();
}

bool hasABModDateChangedSinceLast()
{
    return modDatesDiffer();
}

} // namespace AddressBookTool
