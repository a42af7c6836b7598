#include "addressbook/records/recordlookup.h"

#include "addressbook/records/recordsearch.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"

namespace AddressBookTool {

namespace {

using Comparison = SearchElement::Comparison;

int showAs(const PersonPtr &person)
{
    return person->valueForProperty(kABPersonFlags).toInt() & kABShowAsMask;
}

} // namespace

PersonPtr meAB()
{
    return AddressBook::shared()->me();
}

bool isMe(const RecordPtr &record)
{
    const PersonPtr me = meAB();
    return record && me && record.get() == me.get();
}

QString myABID()
{
    const PersonPtr me = meAB();
    return me ? me->uniqueId() : QString();
}

PersonPtr personByABID(const QString &abid)
{
    // A unique identifier names at most one record, so the book's own table answers it.
    return AddressBook::shared()->personForUniqueId(abid);
}

GroupPtr groupByABID(const QString &abid)
{
    return AddressBook::shared()->groupForUniqueId(abid);
}

GroupPtr groupByName(const QString &name)
{
    return uniqueGroup(searchGroups(groupElement(kABGroupNameProperty, name, Comparison::Equal)),
                       QStringLiteral("Multiple ABGroups with Name = %1").arg(name));
}

PersonPtr findByEmail(const QString &address)
{
    return uniquePerson(searchPeople(personElement(kABEmailProperty, address, Comparison::Equal)),
                        QStringLiteral("Multiple records with Email = %1").arg(address));
}

PersonPtr findByIM(const QString &handle)
{
    QList<PersonPtr> matches =
        searchPeople(personElement(kABJabberInstantProperty, handle, Comparison::Equal));
    if (matches.isEmpty())
        matches = searchPeople(personElement(kABAIMInstantProperty, handle, Comparison::Equal));
    return uniquePerson(matches, QStringLiteral("Multiple records with IM = %1").arg(handle));
}

PersonPtr findPersonByPropery(const QString &property, const QString &value)
{
    return uniquePerson(searchPeople(personElement(property, value, Comparison::Equal)),
                        QStringLiteral("Multiple ABPersons with Value = %1 for Property = %2")
                            .arg(value, property));
}

GroupPtr groupByPropery(const QString &property, const QString &value)
{
    return uniqueGroup(
        searchGroups(groupElement(property, value, Comparison::Equal)),
        QStringLiteral("Multiple ABGroups with Value = %1 for Property = %2").arg(value, property));
}

bool abidIsValidRecord(const QString &abid)
{
    return personByABID(abid) != nullptr;
}

bool abidIsGroup(const QString &abid)
{
    return groupByABID(abid) != nullptr;
}

bool personIsPerson(const PersonPtr &person)
{
    return person && showAs(person) == kABShowAsPerson;
}

bool personIsCompany(const PersonPtr &person)
{
    return person && showAs(person) == kABShowAsCompany;
}

bool abidIsPerson(const QString &abid)
{
    return !abid.isNull() && personIsPerson(personByABID(abid));
}

bool abidIsCompany(const QString &abid)
{
    return !abid.isNull() && personIsCompany(personByABID(abid));
}

} // namespace AddressBookTool
