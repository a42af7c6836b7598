#include "tests/platform/addressbook/fullperson.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/builtinproperties.h"
#include "platform/addressbook/vcard/vcardwriter.h"

#include <QDate>

#include <gtest/gtest.h>

namespace {

QString text(const PersonPtr &person, const QString &property)
{
    return person->valueForProperty(property).toString();
}

struct Entry
{
    QString label;
    QVariant value;
    bool primary = false;

    friend bool operator==(const Entry &, const Entry &) = default;
    friend void PrintTo(const Entry &entry, std::ostream *out)
    {
        *out << entry.label.toStdString() << "=" << entry.value.toString().toStdString()
             << (entry.primary ? " (primary)" : "");
    }
};

QList<Entry> entries(const PersonPtr &person, const QString &property)
{
    QList<Entry> result;
    const MultiValue values = person->multiValueForProperty(property);
    for (int i = 0; i < values.count(); ++i)
        result.append({values.labelAt(i), values.valueAt(i),
                       values.identifierAt(i) == values.primaryIdentifier()});
    return result;
}

} // namespace

TEST(VCardReader, ReadsAVersion21Card)
{
    const QByteArray data =
        "BEGIN:VCARD\r\n"
        "VERSION:2.1\r\n"
        "N;CHARSET=ISO-8859-1:M\xfcller;J\xfcrgen\r\n"
        "FN:J\xfcrgen M\xfcller\r\n"
        "TEL;WORK;VOICE;PREF:+49 30 1234\r\n"
        "TEL;CELL:+49 170 1234\r\n"
        "TEL;HOME;FAX:+49 30 9999\r\n"
        "EMAIL;INTERNET:j@example.de\r\n"
        "ADR;HOME;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:;;Hauptstra=C3=9Fe 1=0D=0A=\r\n"
        "Hinterhaus;Berlin;;10115;Germany\r\n"
        "NOTE;ENCODING=QUOTED-PRINTABLE:First=0D=0ASecond\r\n"
        "PHOTO;PNG;ENCODING=BASE64:\r\n"
        "    " +
        smallPicture().toBase64() +
        "\r\n"
        "\r\n"
        "END:VCARD\r\n";
    QString error;
    const PersonPtr person = Person::fromVCardRepresentation(data, &error);
    ASSERT_TRUE(person) << error.toStdString();
    EXPECT_EQ(text(person, kABLastNameProperty), QStringLiteral("Müller"));
    EXPECT_EQ(text(person, kABFirstNameProperty), QStringLiteral("Jürgen"));
    EXPECT_EQ(entries(person, kABPhoneProperty),
              (QList<Entry>{{kABWorkLabel, QStringLiteral("+49 30 1234"), true},
                            {kABPhoneMobileLabel, QStringLiteral("+49 170 1234")},
                            {kABPhoneHomeFAXLabel, QStringLiteral("+49 30 9999")}}));
    EXPECT_EQ(entries(person, kABEmailProperty),
              (QList<Entry>{{QString(), QStringLiteral("j@example.de")}}));
    const QVariantMap address =
        person->multiValueForProperty(kABAddressProperty).valueAt(0).toMap();
    EXPECT_EQ(address.value(kABAddressStreetKey).toString(),
              QStringLiteral("Hauptstraße 1\nHinterhaus"));
    EXPECT_EQ(address.value(kABAddressZIPKey).toString(), QStringLiteral("10115"));
    EXPECT_EQ(text(person, kABNoteProperty), QStringLiteral("First\r\nSecond"));
    EXPECT_EQ(person->imageData(), smallPicture());
}

TEST(VCardReader, ReadsTheOldPlatformsOwnExport)
{
    QByteArray photo;
    const QByteArray base64 = smallPicture().toBase64();
    for (qsizetype i = 0; i < base64.size(); i += 76)
        photo += "  " + base64.mid(i, 76) + "\r\n";
    const QByteArray data =
        "BEGIN:VCARD\r\n"
        "VERSION:3.0\r\n"
        "N:Doe;John;;;\r\n"
        "FN:John Doe\r\n"
        "ORG:IBM;Research\r\n"
        "item1.EMAIL;type=INTERNET;type=pref:john@ibm.example\r\n"
        "item1.X-ABLabel:_$!<Other>!$_\r\n"
        "item2.ADR;type=WORK;type=pref:;;1 New Orchard Rd;Armonk;NY;10504;USA\r\n"
        "item2.X-ABADR:us\r\n"
        "item3.ADR:;;Fjordvei 2;Bergen;;5003;Norway\r\n"
        "item3.X-ABLabel:Cabin\r\n"
        "item3.X-ABADR:no\r\n"
        "item4.URL;type=pref:http\\://www.ibm.com\r\n"
        "item4.X-ABLabel:_$!<HomePage>!$_\r\n"
        "item5.X-ABRELATEDNAMES:Jane\r\n"
        "item5.X-ABLabel:_$!<Spouse>!$_\r\n"
        "item6.X-ABDATE;type=pref:2001-05-06\r\n"
        "item6.X-ABLabel:_$!<Anniversary>!$_\r\n"
        "X-AIM;type=HOME;type=pref:johnaim\r\n"
        "X-ABShowAs:COMPANY\r\n"
        "PHOTO;BASE64:\r\n" +
        photo +
        "CATEGORIES:Work\r\n"
        "X-ABUID:6B29A774-D124-4822-B8D0-2780EC117F60\\:ABPerson\r\n"
        "END:VCARD\r\n";
    const PersonPtr person = Person::fromVCardRepresentation(data);
    ASSERT_TRUE(person);
    EXPECT_TRUE(person->uniqueId().endsWith(QStringLiteral(":ABPerson")));
    EXPECT_FALSE(person->uniqueId().startsWith(QStringLiteral("6B29A774")));
    EXPECT_EQ(text(person, kABDepartmentProperty), QStringLiteral("Research"));
    EXPECT_EQ(entries(person, kABEmailProperty),
              (QList<Entry>{{kABOtherLabel, QStringLiteral("john@ibm.example"), true}}));
    EXPECT_EQ(entries(person, kABURLsProperty),
              (QList<Entry>{{kABHomePageLabel, QStringLiteral("http://www.ibm.com"), true}}));
    const MultiValue addresses = person->multiValueForProperty(kABAddressProperty);
    ASSERT_EQ(addresses.count(), 2);
    EXPECT_EQ(addresses.labelAt(0), kABWorkLabel);
    EXPECT_EQ(addresses.valueAt(0).toMap().value(kABAddressCountryCodeKey), QStringLiteral("us"));
    EXPECT_EQ(addresses.labelAt(1), QStringLiteral("Cabin"));
    EXPECT_EQ(addresses.valueAt(1).toMap().value(kABAddressCountryCodeKey), QStringLiteral("no"));
    EXPECT_EQ(entries(person, kABRelatedNamesProperty),
              (QList<Entry>{{kABSpouseLabel, QStringLiteral("Jane")}}));
    EXPECT_EQ(entries(person, kABOtherDatesProperty),
              (QList<Entry>{{kABAnniversaryLabel, QDate(2001, 5, 6), true}}));
    EXPECT_EQ(entries(person, kABAIMInstantProperty),
              (QList<Entry>{{kABHomeLabel, QStringLiteral("johnaim"), true}}));
    EXPECT_EQ(person->valueForProperty(kABPersonFlags).toInt() & kABShowAsMask, kABShowAsCompany);
    EXPECT_EQ(person->imageData(), smallPicture());
    EXPECT_TRUE(person->parentGroups().isEmpty());
}

TEST(VCardReader, ReadsAVersion40Card)
{
    const QByteArray data = "BEGIN:VCARD\r\n"
                            "VERSION:4.0\r\n"
                            "KIND:org\r\n"
                            "FN:Acme\r\n"
                            "ORG:Acme\r\n"
                            "EMAIL;TYPE=work;PREF=1:info@acme.example\r\n"
                            "TEL;VALUE=uri;TYPE=\"voice,home\":tel:+1-555-0100\r\n"
                            "IMPP;PREF=1:xmpp:acme@jabber.example\r\n"
                            "IMPP;X-SERVICE-TYPE=Skype:skype:acme.sales\r\n"
                            "BDAY:--0229\r\n"
                            "ANNIVERSARY:19960415T000000Z\r\n"
                            "PHOTO:data:image/png;base64," +
                            smallPicture().toBase64() +
                            "\r\n"
                            "END:VCARD\r\n";
    const PersonPtr person = Person::fromVCardRepresentation(data);
    ASSERT_TRUE(person);
    EXPECT_EQ(person->valueForProperty(kABPersonFlags).toInt(), kABShowAsCompany);
    EXPECT_FALSE(person->valueForProperty(kABFirstNameProperty).isValid());
    EXPECT_EQ(entries(person, kABEmailProperty),
              (QList<Entry>{{kABWorkLabel, QStringLiteral("info@acme.example"), true}}));
    EXPECT_EQ(entries(person, kABPhoneProperty),
              (QList<Entry>{{kABHomeLabel, QStringLiteral("+1-555-0100")}}));
    EXPECT_EQ(entries(person, kABJabberInstantProperty),
              (QList<Entry>{{QString(), QStringLiteral("acme@jabber.example"), true}}));
    EXPECT_EQ(entries(person, kABOtherInstantProperty),
              (QList<Entry>{{QStringLiteral("Skype"), QStringLiteral("acme.sales")}}));
    EXPECT_EQ(person->valueForProperty(kABBirthdayProperty).toDate().month(), 2);
    EXPECT_EQ(person->valueForProperty(kABBirthdayProperty).toDate().day(), 29);
    EXPECT_EQ(entries(person, kABOtherDatesProperty),
              (QList<Entry>{{kABAnniversaryLabel, QDate(1996, 4, 15)}}));
    EXPECT_EQ(person->imageData(), smallPicture());
}

TEST(VCardReader, MalformedCardGivesNoPersonAndAnError)
{
    QString error;
    EXPECT_FALSE(Person::fromVCardRepresentation("BEGIN:VCARD\r\nFN:Cut", &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(VCardReader, RoundTripLosesNoField)
{
    const PersonPtr original = fullPerson();
    const PersonPtr copy = Person::fromVCardRepresentation(
        vcardwriter::write(*original, {}, {/*includePhoto*/ true, /*includeNote*/ true}));
    ASSERT_TRUE(copy);
    EXPECT_NE(copy->uniqueId(), original->uniqueId());
    for (const QString &property : builtinproperties::names(RecordClass::Person)) {
        if (builtinproperties::isReadOnly(property))
            continue;
        const QVariant value = original->valueForProperty(property);
        if (variantHoldsMultiValue(value))
            EXPECT_EQ(entries(copy, property), entries(original, property))
                << property.toStdString();
        else
            EXPECT_EQ(copy->valueForProperty(property), value) << property.toStdString();
    }
    EXPECT_EQ(copy->imageData(), original->imageData());
}

TEST(VCardReader, TelephoneUrisBecomeNumbersAndOtherUrisKeepTheirText)
{
    const struct
    {
        const char *line;
        const QString &property;
        const char *value;
    } cases[] = {
        {"TEL;VALUE=uri:tel:+1-555-0100;ext=12", kABPhoneProperty, "+1-555-0100 ext. 12"},
        {"TEL;VALUE=uri;TYPE=cell:tel:+44%2020%207946%200958", kABPhoneProperty,
         "+44 20 7946 0958"},
        {"TEL:TEL:+1-555-0100;phone-context=example.com", kABPhoneProperty, "+1-555-0100"},
        {"TEL;TYPE=work:+49 30 1234", kABPhoneProperty, "+49 30 1234"},
        {"IMPP:xmpp:ann%40jabber.example", kABJabberInstantProperty, "ann@jabber.example"},
        {"URL;VALUE=uri:https://example.com/a?b=c", kABURLsProperty, "https://example.com/a?b=c"},
    };
    for (const auto &c : cases) {
        const PersonPtr person = Person::fromVCardRepresentation(
            "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Ann\r\n" + QByteArray(c.line) + "\r\nEND:VCARD\r\n");
        ASSERT_TRUE(person) << c.line;
        EXPECT_EQ(person->multiValueForProperty(c.property).valueAt(0).toString(),
                  QString::fromUtf8(c.value))
            << c.line;
    }
}

TEST(VCardReader, APictureIsKeptOnlyWhenItsBytesMakeOne)
{
    const QByteArray good = smallPicture().toBase64();
    const struct
    {
        const char *name;
        QByteArray photo;
        bool kept;
    } cases[] = {
        {"a = too many", "PHOTO;ENCODING=b;TYPE=PNG:" + good + "=", true},
        {"missing padding", "PHOTO;ENCODING=b;TYPE=PNG:" + QByteArray(good).replace('=', ""), true},
        {"a data URI with escaped commas", "PHOTO:data:image/png;base64\\," + good, true},
        {"bytes that are no picture",
         "PHOTO;ENCODING=b;TYPE=JPEG:" + QByteArray("no picture at all").toBase64(), false},
    };
    for (const auto &c : cases) {
        QStringList skipped;
        const PersonPtr person = Person::fromVCardRepresentation(
            "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Doe;Jane;;;\r\nEMAIL:j@example.com\r\n" + c.photo +
                "\r\nEND:VCARD\r\n",
            nullptr, &skipped);
        ASSERT_TRUE(person) << c.name;
        EXPECT_EQ(text(person, kABFirstNameProperty), QStringLiteral("Jane")) << c.name;
        EXPECT_EQ(person->multiValueForProperty(kABEmailProperty).count(), 1) << c.name;
        EXPECT_EQ(person->imageData(), c.kept ? smallPicture() : QByteArray()) << c.name;
        EXPECT_EQ(skipped.size(), c.kept ? 0 : 1) << c.name;
        if (!c.kept) {
            EXPECT_TRUE(skipped.value(0).contains(QStringLiteral("PHOTO")));
        }
    }
}
