#include "tests/support/google/abpersontestbook.h"

#include "addressbook/addressbookkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"
#include "platform/defaults/userdefaults.h"

void ABPersonTest::SetUp()
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setInteger(0, QStringLiteral("appLogLevel"));
    defaults.setString(kContactIDProperty, abkeys::googleContactIDPropertyName);
    defaults.setString(kGroupIDProperty, abkeys::googleGroupIDPropertyName);
    defaults.setString(kContactExtended, abkeys::googleContactExtendedPropertyName);
    AddressBook::shared()->addPropertiesAndTypes(RecordClass::Group,
                                                 {{kGroupIDProperty, PropertyType::String}});
    AddressBook::shared()->addPropertiesAndTypes(RecordClass::Person,
                                                 {{kContactIDProperty, PropertyType::String}});
    ASSERT_TRUE(AddressBook::shared()->isOpen());
}

PersonPtr ABPersonTest::addPerson(const QString &first, const QString &last)
{
    const PersonPtr person = Person::create();
    if (!first.isEmpty())
        person->setValueForProperty(first, kABFirstNameProperty);
    if (!last.isEmpty())
        person->setValueForProperty(last, kABLastNameProperty);
    AddressBook::shared()->addRecord(person);
    return person;
}

PersonPtr ABPersonTest::addCompany(const QString &organization)
{
    const PersonPtr company = Person::create();
    company->setValueForProperty(organization, kABOrganizationProperty);
    company->setValueForProperty(kABShowAsCompany, kABPersonFlags);
    AddressBook::shared()->addRecord(company);
    return company;
}

GroupPtr ABPersonTest::addGroup(const QString &name, const QString &googleID)
{
    const GroupPtr group = Group::create();
    group->setValueForProperty(name, kABGroupNameProperty);
    AddressBook::shared()->addRecord(group);
    if (!googleID.isEmpty())
        group->setValueForProperty(googleID, kGroupIDProperty);
    return group;
}

void ABPersonTest::setValues(const PersonPtr &person, const QString &property, PropertyType type,
                             const Labelled &values, int primary)
{
    MutableMultiValue multi(type);
    for (int index = 0; index < values.size(); ++index) {
        const QString id = multi.addValue(values[index].second, values[index].first);
        if (index == primary)
            multi.setPrimaryIdentifier(id);
    }
    ASSERT_TRUE(person->setValueForProperty(QVariant::fromValue(MultiValue(multi)), property));
}

void ABPersonTest::setPrimaryToUnknown(const PersonPtr &person, const QString &property)
{
    const MultiValue current = person->multiValueForProperty(property);
    const MultiValue changed =
        MultiValue::fromEntries(current.propertyType(), current.entries(), QStringLiteral("gone"));
    ASSERT_TRUE(person->setValueForProperty(QVariant::fromValue(changed), property));
}

GDataEntryContactGroupPtr ABPersonTest::myContactsGroup(const QString &id)
{
    const GDataEntryContactGroupPtr group = GDataEntryContactGroup::contactGroupEntryWithTitle(
        QStringLiteral("System Group: My Contacts"));
    group->setIdentifier(id);
    group->setSystemGroup(QStringLiteral("Contacts"));
    return group;
}
