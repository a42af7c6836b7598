#include "addressbook/records/recordlists.h"

#include "addressbook/records/recordlookup.h"
#include "addressbook/records/recordsearch.h"
#include "addressbook/records/recordsorting.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"

namespace AddressBookTool {

namespace {

using Comparison = SearchElement::Comparison;

QList<PersonPtr> peopleContaining(const QString &text, const QStringList &properties)
{
    QList<SearchElement> elements;
    for (const QString &property : properties)
        elements.append(
            personElement(property, text, Comparison::ContainsSubStringCaseInsensitive));
    return searchPeople(SearchElement::conjunction(SearchElement::Conjunction::Or, elements));
}

} // namespace

QList<PersonPtr> allRecords()
{
    return AddressBook::shared()->people();
}

QList<PersonPtr> allPeople()
{
    QList<PersonPtr> people;
    for (const PersonPtr &record : allRecords()) {
        if (personIsPerson(record))
            people.append(record);
    }
    return sortedByProperties(people, {kABFirstNameProperty, kABLastNameProperty});
}

QList<PersonPtr> allCompanies()
{
    QList<PersonPtr> companies;
    for (const PersonPtr &record : allRecords()) {
        if (personIsCompany(record))
            companies.append(record);
    }
    return sortedByProperties(companies, {kABOrganizationProperty});
}

QList<GroupPtr> allGroups()
{
    return sortedByProperties(AddressBook::shared()->groups(), {kABGroupNameProperty});
}

QList<PersonPtr> peopleWithNotesString(const QString &text)
{
    return peopleContaining(text, {kABNoteProperty});
}

QList<PersonPtr> peopleWithAddressString(const QString &text)
{
    QList<SearchElement> elements;
    for (const QString &label : {kABWorkLabel, kABHomeLabel}) {
        for (const QString &key : {kABAddressStreetKey, kABAddressCityKey, kABAddressStateKey})
            elements.append(personElement(kABAddressProperty, text,
                                          Comparison::ContainsSubStringCaseInsensitive, label,
                                          key));
    }
    return searchPeople(SearchElement::conjunction(SearchElement::Conjunction::Or, elements));
}

QList<PersonPtr> peopleWithOrganizationString(const QString &text)
{
    return peopleContaining(text,
                            {kABOrganizationProperty, kABDepartmentProperty, kABJobTitleProperty});
}

QList<PersonPtr> peopleWithNameString(const QString &text)
{
    return peopleContaining(text, {kABTitleProperty, kABFirstNameProperty, kABNicknameProperty,
                                   kABLastNameProperty, kABSuffixProperty});
}

} // namespace AddressBookTool
