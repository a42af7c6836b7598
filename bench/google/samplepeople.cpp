#include "bench/google/samplepeople.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"

namespace {

QString indexed(const char *format, int index)
{
    return QString::fromLatin1(format).arg(index, 5, 10, QLatin1Char('0'));
}

void setMulti(const PersonPtr &person, const QString &property, PropertyType type,
              const QList<std::pair<QVariant, QString>> &entries)
{
    MutableMultiValue multi(type);
    QString first;
    for (const auto &[value, label] : entries) {
        const QString id = multi.addValue(value, label);
        if (first.isEmpty())
            first = id;
    }
    multi.setPrimaryIdentifier(first);
    person->setValueForProperty(QVariant::fromValue(MultiValue(multi)), property);
}

PersonPtr samplePerson(int index)
{
    const PersonPtr person = Person::create();
    const bool company = index % 5 == 0;
    person->setValueForProperty(indexed("Company %1 Incorporated", index), kABOrganizationProperty);
    if (company) {
        person->setValueForProperty(kABShowAsCompany, kABPersonFlags);
    } else {
        person->setValueForProperty(indexed("Firstname%1", index), kABFirstNameProperty);
        person->setValueForProperty(indexed("Lastname%1", index), kABLastNameProperty);
        person->setValueForProperty(QStringLiteral("Senior Engineer"), kABJobTitleProperty);
    }
    person->setValueForProperty(
        indexed("Met at the regional meeting (%1).\rPrefers e-mail before noon.", index),
        kABNoteProperty);
    setMulti(person, kABEmailProperty, PropertyType::MultiString,
             {{indexed("person%1@home.example.org", index), kABEmailHomeLabel},
              {indexed("person%1@work.example.com", index), kABEmailWorkLabel}});
    setMulti(person, kABPhoneProperty, PropertyType::MultiString,
             {{indexed("+1 555 01%1", index), kABPhoneMobileLabel},
              {indexed("+1 555 02%1", index), kABPhoneWorkLabel}});
    setMulti(person, kABAddressProperty, PropertyType::MultiDictionary,
             {{QVariantMap{{kABAddressStreetKey, indexed("%1 Main Street", index)},
                           {kABAddressCityKey, QStringLiteral("Springfield")},
                           {kABAddressStateKey, QStringLiteral("IL")},
                           {kABAddressZIPKey, QStringLiteral("62704")},
                           {kABAddressCountryKey, QStringLiteral("United States")}},
               kABAddressHomeLabel}});
    return person;
}

} // namespace

QList<PersonPtr> samplepeople::fillBook(int people, int groups)
{
    AddressBook *book = AddressBook::shared();
    QList<GroupPtr> groupList;
    for (int index = 0; index < groups; ++index) {
        const GroupPtr group = Group::create();
        group->setValueForProperty(indexed("Group %1", index), kABGroupNameProperty);
        book->addRecord(group);
        groupList << group;
    }
    QList<PersonPtr> peopleList;
    for (int index = 0; index < people; ++index) {
        const PersonPtr person = samplePerson(index);
        book->addRecord(person);
        if (!groupList.isEmpty())
            groupList[index % groupList.size()]->addMember(person);
        peopleList << person;
    }
    return book->save() ? peopleList : QList<PersonPtr>();
}
