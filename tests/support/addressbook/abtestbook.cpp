#include "tests/support/addressbook/abtestbook.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/google/linkproperties.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

void AddressBookTest::SetUp()
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setInteger(0, QStringLiteral("appLogLevel"));
    defaults.setString(kContactIDProperty, abkeys::googleContactIDPropertyName);
    defaults.setString(QStringLiteral("com.test.version"),
                       abkeys::googleContactVersionPropertyName);
    defaults.setString(QStringLiteral("com.test.asOf"), abkeys::googleContactAsOfDatePropertyName);
    defaults.setString(QStringLiteral("com.test.mask"), abkeys::googleContactDataMaskPropertyName);
    defaults.setString(kGroupIDProperty, abkeys::googleGroupIDPropertyName);
    defaults.setString(QStringLiteral("com.test.groupVersion"),
                       abkeys::googleGroupVersionPropertyName);
    defaults.setString(QStringLiteral("com.test.groupAsOf"),
                       abkeys::googleGroupAsOfDatePropertyName);
    defaults.setString(QStringLiteral("com.test.groupMask"),
                       abkeys::googleGroupDataMaskPropertyName);
    defaults.setString(kContactExtended, abkeys::googleContactExtendedPropertyName);
    defaults.setString(kGroupExtended, abkeys::googleGroupExtendedPropertyName);
    ASSERT_TRUE(AddressBook::shared()->isOpen());
}

PersonPtr AddressBookTest::addPerson(const QString &first, const QString &last,
                                     const QStringList &emails)
{
    const PersonPtr person = Person::create();
    if (!first.isNull())
        person->setValueForProperty(first, kABFirstNameProperty);
    if (!last.isNull())
        person->setValueForProperty(last, kABLastNameProperty);
    setEmails(person, emails);
    AddressBook::shared()->addRecord(person);
    return person;
}

PersonPtr AddressBookTest::addCompany(const QString &organization)
{
    const PersonPtr company = Person::create();
    company->setValueForProperty(organization, kABOrganizationProperty);
    company->setValueForProperty(kABShowAsCompany, kABPersonFlags);
    AddressBook::shared()->addRecord(company);
    return company;
}

GroupPtr AddressBookTest::addGroup(const QString &name)
{
    const GroupPtr group = Group::create();
    group->setValueForProperty(name, kABGroupNameProperty);
    AddressBook::shared()->addRecord(group);
    return group;
}

GroupPtr AddressBookTest::addSmartGroup(const QString &name, const SearchElement &criteria)
{
    const GroupPtr group = Group::createSmartGroup(criteria);
    group->setValueForProperty(name, kABGroupNameProperty);
    AddressBook::shared()->addRecord(group);
    return group;
}

void AddressBookTest::setEmails(const PersonPtr &person, const QStringList &emails)
{
    if (emails.isEmpty())
        return;
    MutableMultiValue values(PropertyType::MultiString);
    for (const QString &email : emails)
        values.addValue(email, kABWorkLabel);
    person->setValueForProperty(QVariant::fromValue(MultiValue(values)), kABEmailProperty);
}
