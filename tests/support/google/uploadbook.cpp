#include "tests/support/google/uploadbook.h"

#include "addressbook/fields/personimages.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"
#include "platform/addressbook/searchelement.h"

#include <QColor>
#include <QDate>
#include <QImage>

namespace {

using Entries = QList<std::pair<QString, QVariant>>; // label, value

void setMulti(const PersonPtr &person, const QString &property, PropertyType type,
              const Entries &entries, int primary)
{
    MutableMultiValue value(type);
    for (const auto &[label, entry] : entries)
        value.addValue(entry, label);
    value.setPrimaryIdentifier(value.identifierAt(primary));
    person->setValueForProperty(QVariant::fromValue(MultiValue(value)), property);
}

QVariantMap address(const QString &street, const QString &city, const QString &country)
{
    return {{kABAddressStreetKey, street},
            {kABAddressCityKey, city},
            {kABAddressZIPKey, QStringLiteral("0150")},
            {kABAddressCountryKey, country}};
}

void setNames(const PersonPtr &person, int i)
{
    static const char *const kFirst[] = {"Ann", "Bo", "Cy", "Di", "Ed", "Flo", "Gus", "Hal"};
    if (i % 10 == 9) {
        person->setValueForProperty(QStringLiteral("Firm %1").arg(i), kABOrganizationProperty);
        person->setValueForProperty(kABShowAsCompany, kABPersonFlags);
        return;
    }
    person->setValueForProperty(QString::fromLatin1(kFirst[i % 8]), kABFirstNameProperty);
    person->setValueForProperty(QStringLiteral("Family%1").arg(i, 3, 10, QLatin1Char('0')),
                                kABLastNameProperty);
    if (i % 3 == 0)
        person->setValueForProperty(QStringLiteral("Q."), kABMiddleNameProperty);
    if (i % 11 == 0) {
        person->setValueForProperty(QStringLiteral("Dr."), kABTitleProperty);
        person->setValueForProperty(QStringLiteral("Jr."), kABSuffixProperty);
    }
    person->setValueForProperty(QStringLiteral("Nick%1").arg(i), kABNicknameProperty);
    person->setValueForProperty(QStringLiteral("Works %1").arg(i % 5), kABOrganizationProperty);
    person->setValueForProperty(QDate(1960 + i % 40, 1 + i % 12, 1 + i % 28), kABBirthdayProperty);
}

void setFields(const PersonPtr &person, int i)
{
    const QString key = QString::number(i);
    person->setValueForProperty(i % 20 == 0 ? kUploadBookPilot : QStringLiteral("Clerk"),
                                kABJobTitleProperty);
    person->setValueForProperty(i % 25 == 0 ? kUploadBookSails : QStringLiteral("Desk"),
                                kABDepartmentProperty);
    person->setValueForProperty(QStringLiteral("Met at fair %1\nsecond line").arg(i),
                                kABNoteProperty);
    setMulti(person, kABEmailProperty, PropertyType::MultiString,
             {{kABHomeLabel, "p" + key + "@home.example"},
              {kABWorkLabel, "p" + key + "@work.example"},
              {kUploadBookCustomLabel, "p" + key + "@boat.example"}},
             i % 3);
    setMulti(person, kABPhoneProperty, PropertyType::MultiString,
             {{kABPhoneMobileLabel, "555-1" + key},
              {kABPhoneWorkFAXLabel, "555-2" + key},
              {kUploadBookCustomLabel, "555-3" + key}},
             0);
    setMulti(person, kABAddressProperty, PropertyType::MultiDictionary,
             {{kABHomeLabel,
               address(key + " Main St", QStringLiteral("Springfield"), QStringLiteral("USA"))},
              {kUploadBookCustomLabel,
               address(key + " Quay", QStringLiteral("Bergen"), QStringLiteral("Norway"))}},
             0);
    setMulti(person, kABAIMInstantProperty, PropertyType::MultiString,
             {{kABHomeLabel, "aim" + key}}, 0);
    setMulti(person, kABJabberInstantProperty, PropertyType::MultiString,
             {{kABWorkLabel, "j" + key + "@jabber.example"}}, 0);
    setMulti(person, kABURLsProperty, PropertyType::MultiString,
             {{kABHomePageLabel, "https://p" + key + ".example"},
              {kUploadBookCustomLabel, "https://boat" + key + ".example"}},
             0);
    setMulti(person, kABRelatedNamesProperty, PropertyType::MultiString,
             {{kABSpouseLabel, QStringLiteral("Sam")}, {kUploadBookCustomLabel, "Skipper"}}, 0);
    setMulti(person, kABOtherDatesProperty, PropertyType::MultiDate,
             {{kABAnniversaryLabel, QDate(1990, 6, 1 + i % 28)},
              {kUploadBookCustomLabel, QDate(2001, 5, 4)}},
             0);
    if (i % 7 == 0) {
        QImage picture(16, 16, QImage::Format_RGB32);
        picture.fill(QColor::fromHsv((i * 13) % 360, 200, 200));
        AddressBookTool::setImageForPerson(picture, person);
    }
}

GroupPtr addSmartGroup(const QString &name, const QString &property, const QString &value)
{
    const GroupPtr smart = Group::createSmartGroup(SearchElement::forProperty(
        RecordClass::Person, property, {}, {}, value, SearchElement::Comparison::Equal));
    smart->setValueForProperty(name, kABGroupNameProperty);
    AddressBook::shared()->addRecord(smart);
    return smart;
}

} // namespace

UploadBook makeUploadBook(int count)
{
    AddressBook *book = AddressBook::shared();
    UploadBook made;
    for (int i = 0; i < 10; ++i) {
        const GroupPtr group = Group::create();
        group->setValueForProperty(QStringLiteral("Team %1").arg(i), kABGroupNameProperty);
        book->addRecord(group);
        made.groups << group;
    }
    made.smartGroups << addSmartGroup(QStringLiteral("Pilots"), kABJobTitleProperty,
                                      kUploadBookPilot)
                     << addSmartGroup(QStringLiteral("Sailors"), kABDepartmentProperty,
                                      kUploadBookSails);
    made.me = book->me();
    if (!made.me) {
        made.me = Person::create();
        book->addRecord(made.me);
        book->setMe(made.me);
    }
    for (int i = 0; i < count; ++i) {
        const PersonPtr person = i == 0 ? made.me : Person::create();
        if (i > 0)
            book->addRecord(person);
        setNames(person, i);
        setFields(person, i);
        made.groups[i % 10]->addMember(person);
        if ((i * 3) % 10 != i % 10)
            made.groups[(i * 3) % 10]->addMember(person);
        made.people << person;
    }
    return made;
}
