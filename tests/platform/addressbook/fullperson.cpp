#include "fullperson.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"

#include <QBuffer>
#include <QDate>
#include <QImage>

#include <gtest/gtest.h>

namespace {

MultiValue multi(PropertyType type, const QList<std::pair<QString, QVariant>> &labelsAndValues,
                 int primary = -1)
{
    MutableMultiValue value(type);
    for (const auto &[label, entry] : labelsAndValues)
        value.addValue(entry, label);
    if (primary >= 0)
        value.setPrimaryIdentifier(value.identifierAt(primary));
    return value;
}

void set(const PersonPtr &person, const MultiValue &value, const QString &property)
{
    ASSERT_TRUE(person->setValueForProperty(QVariant::fromValue(value), property))
        << property.toStdString();
}

} // namespace

PersonPtr fullPerson()
{
    const PersonPtr person = Person::create();
    const QList<std::pair<QString, QString>> names = {
        {kABFirstNameProperty, QStringLiteral("Ann")},
        {kABLastNameProperty, QStringLiteral("Lee")},
        {kABMiddleNameProperty, QStringLiteral("Marie")},
        {kABTitleProperty, QStringLiteral("Dr.")},
        {kABSuffixProperty, QStringLiteral("Jr.")},
        {kABNicknameProperty, QStringLiteral("Annie")},
        {kABOrganizationProperty, QStringLiteral("Acme, Inc.")},
        {kABDepartmentProperty, QStringLiteral("R&D")},
        {kABJobTitleProperty, QStringLiteral("Engineer")},
        {kABNoteProperty, QStringLiteral("Line one\nLine; two")},
    };
    for (const auto &[property, value] : names)
        person->setValueForProperty(value, property);
    person->setValueForProperty(QDate(1970, 2, 28), kABBirthdayProperty);
    set(person,
        multi(PropertyType::MultiString,
              {{kABHomeLabel, QStringLiteral("ann@home.example")},
               {kABWorkLabel, QStringLiteral("ann@work.example")},
               {kABOtherLabel, QStringLiteral("ann@other.example")},
               {QStringLiteral("Boat"), QStringLiteral("ann@boat.example")},
               {QString(), QStringLiteral("ann@plain.example")}},
              1),
        kABEmailProperty);
    set(person,
        multi(PropertyType::MultiString,
              {{kABHomeLabel, QStringLiteral("555-0100")},
               {kABWorkLabel, QStringLiteral("555-0101")},
               {kABPhoneMobileLabel, QStringLiteral("555-0102")},
               {kABPhoneMainLabel, QStringLiteral("555-0103")},
               {kABPhoneHomeFAXLabel, QStringLiteral("555-0104")},
               {kABPhoneWorkFAXLabel, QStringLiteral("555-0105")},
               {kABPhonePagerLabel, QStringLiteral("555-0106")},
               {QStringLiteral("Boat"), QStringLiteral("555-0107")}},
              2),
        kABPhoneProperty);
    set(person,
        multi(
            PropertyType::MultiDictionary,
            {{kABHomeLabel, QVariantMap{{kABAddressStreetKey, QStringLiteral("1 Main St\nApt 2")},
                                        {kABAddressCityKey, QStringLiteral("Springfield")},
                                        {kABAddressStateKey, QStringLiteral("IL")},
                                        {kABAddressZIPKey, QStringLiteral("62704")},
                                        {kABAddressCountryKey, QStringLiteral("USA")},
                                        {kABAddressCountryCodeKey, QStringLiteral("us")}}},
             {QStringLiteral("Cabin"), QVariantMap{{kABAddressCityKey, QStringLiteral("Bergen")}}}},
            0),
        kABAddressProperty);
    set(person,
        multi(PropertyType::MultiString,
              {{kABHomeLabel, QStringLiteral("http://ann.example")},
               {kABHomePageLabel, QStringLiteral("http://acme.example")}},
              1),
        kABURLsProperty);
    set(person, multi(PropertyType::MultiString, {{kABHomeLabel, QStringLiteral("annaim")}}, 0),
        kABAIMInstantProperty);
    set(person, multi(PropertyType::MultiString, {{kABWorkLabel, QStringLiteral("ann@jabber")}}),
        kABJabberInstantProperty);
    set(person, multi(PropertyType::MultiString, {{kABHomeLabel, QStringLiteral("annmsn")}}),
        kABMSNInstantProperty);
    set(person, multi(PropertyType::MultiString, {{kABWorkLabel, QStringLiteral("12345")}}),
        kABICQInstantProperty);
    set(person,
        multi(PropertyType::MultiString, {{QStringLiteral("Boat"), QStringLiteral("annyahoo")}}),
        kABYahooInstantProperty);
    set(person,
        multi(PropertyType::MultiString, {{QStringLiteral("Skype"), QStringLiteral("ann.lee")}}),
        kABOtherInstantProperty);
    set(person, multi(PropertyType::MultiString, {{kABSpouseLabel, QStringLiteral("Bob Lee")}}),
        kABRelatedNamesProperty);
    set(person,
        multi(PropertyType::MultiDateComponents, {{kABAnniversaryLabel, QDate(1995, 6, 1)}}, 0),
        kABOtherDatesProperty);
    person->setValueForProperty(kABShowAsCompany, kABPersonFlags);
    person->setImageData(smallPicture());
    return person;
}

QByteArray smallPicture()
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}
