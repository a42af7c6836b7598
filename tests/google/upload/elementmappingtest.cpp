#include "tests/support/google/abpersontestbook.h"
#include "tests/support/google/elementdescriptions.h"

#include "google/upload/elementmapping.h"
#include "google/upload/labelmapping.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/gdata/gdataconstants.h"

#include <QVariantMap>

namespace {

using labelmapping::RelOrLabel;

RelOrLabel rel(const char *value)
{
    return {QString::fromLatin1(value), std::nullopt};
}

RelOrLabel label(const QString &value)
{
    return {std::nullopt, value};
}

struct LabelCase
{
    QString abLabel;
    RelOrLabel expected;
};

TEST(LabelMappingTest, EmailAndPostalLabels_StandardPairsBecomeRelsOthersStayText)
{
    const LabelCase cases[] = {
        {kABEmailWorkLabel, rel(kGDataContactWork)},
        {kABEmailHomeLabel, rel(kGDataContactHome)},
        {kABOtherLabel, rel(kGDataContactOther)},
        {QString(), rel(kGDataContactOther)},
        {QStringLiteral("Holiday flat"), label(QStringLiteral("Holiday flat"))},
        // A standard label of another kind travels unchanged.
        {kABPhoneMobileLabel, label(kABPhoneMobileLabel)},
        {QStringLiteral("work"), label(QStringLiteral("work"))},
    };
    for (const LabelCase &c : cases)
        EXPECT_EQ(labelmapping::googleRelForLabel(c.abLabel), c.expected)
            << c.abLabel.toStdString();
}

TEST(LabelMappingTest, PhoneLabels_StandardKindsCellAndMain)
{
    const LabelCase cases[] = {
        {kABPhoneWorkLabel, rel(kGDataPhoneNumberWork)},
        {kABPhoneHomeLabel, rel(kGDataPhoneNumberHome)},
        {kABPhoneMobileLabel, rel(kGDataPhoneNumberMobile)},
        {QStringLiteral("Cell"), rel(kGDataPhoneNumberMobile)},
        {QStringLiteral("my CELLPHONE"), rel(kGDataPhoneNumberMobile)},
        {kABPhoneWorkFAXLabel, rel(kGDataPhoneNumberWorkFax)},
        {kABPhoneHomeFAXLabel, rel(kGDataPhoneNumberHomeFax)},
        {kABPhonePagerLabel, rel(kGDataPhoneNumberPager)},
        {kABPhoneMainLabel, label(QStringLiteral("Main"))},
        {kABOtherLabel, rel(kGDataContactOther)},
        {QString(), rel(kGDataContactOther)},
        {QStringLiteral("Mobile"), label(QStringLiteral("Mobile"))},
        {QStringLiteral("Boat"), label(QStringLiteral("Boat"))},
    };
    for (const LabelCase &c : cases)
        EXPECT_EQ(labelmapping::googlePhoneRelForLabel(c.abLabel), c.expected)
            << c.abLabel.toStdString();
}

TEST(LabelMappingTest, IMLabels_WorkAndHomeGetEmptyLabelOtherHasNone)
{
    const QString work = kABJabberWorkLabel;
    const QString home = kABJabberHomeLabel;
    EXPECT_EQ(labelmapping::googleIMRelForLabel(work, work, home),
              (RelOrLabel{QString::fromLatin1(kGDataContactWork), QString()}));
    EXPECT_EQ(labelmapping::googleIMRelForLabel(home, work, home),
              (RelOrLabel{QString::fromLatin1(kGDataContactHome), QString()}));
    EXPECT_EQ(labelmapping::googleIMRelForLabel(QString(), work, home), rel(kGDataContactOther));
    EXPECT_EQ(labelmapping::googleIMRelForLabel(kABOtherLabel, work, home), label(kABOtherLabel));
    EXPECT_EQ(labelmapping::googleIMRelForLabel(QStringLiteral("Games"), work, home),
              label(QStringLiteral("Games")));
}

class ElementMappingTest : public ABPersonTest
{
protected:
    GDataEntryContact contact;
};

struct EmailCase
{
    const char *name;
    Labelled values;
    int primary;
    bool primaryUnknown;
    QStringList expected;
};

TEST_F(ElementMappingTest, Emails_PrimaryIndexLabelsAndEmptyValues)
{
    const QString work = kABEmailWorkLabel;
    const QString home = kABEmailHomeLabel;
    const EmailCase cases[] = {
        {"primary set on the second",
         {{work, "a@x.org"}, {home, "b@x.org"}},
         1,
         false,
         {"a@x.org rel=work", "b@x.org rel=home primary"}},
        {"no primary: the first",
         {{work, "a@x.org"}, {home, "b@x.org"}},
         -1,
         false,
         {"a@x.org rel=work primary", "b@x.org rel=home"}},
        {"primary not found: the first",
         {{work, "a@x.org"}, {home, "b@x.org"}},
         1,
         true,
         {"a@x.org rel=work primary", "b@x.org rel=home"}},
        {"empty primary is dropped, the other is not primary",
         {{work, "a@x.org"}, {home, " \t "}},
         1,
         false,
         {"a@x.org rel=work"}},
        {"custom label and cleaning",
         {{"Club", "  c@x.org "}},
         -1,
         false,
         {"c@x.org label=Club primary"}},
    };
    for (const EmailCase &c : cases) {
        const PersonPtr person = addPerson(QStringLiteral("Ann"));
        setValues(person, kABEmailProperty, PropertyType::MultiString, c.values, c.primary);
        if (c.primaryUnknown)
            setPrimaryToUnknown(person, kABEmailProperty);
        GDataEntryContact target;
        elementmapping::abEmailsFor(target, person);
        EXPECT_EQ(describe(target.emailAddresses()), c.expected) << c.name;
    }
}

TEST_F(ElementMappingTest, Emails_NoneClearsAllUnusableLeavesTheContactsAddresses)
{
    contact.setEmailAddresses({GDataEmail::emailWithLabel(std::nullopt, "old@x.org")});
    const PersonPtr unusable = addPerson(QStringLiteral("Ann"));
    setValues(unusable, kABEmailProperty, PropertyType::MultiString, {{kABWorkLabel, "  "}});
    elementmapping::abEmailsFor(contact, unusable);
    EXPECT_EQ(describe(contact.emailAddresses()), QStringList{"old@x.org"});

    elementmapping::abEmailsFor(contact, addPerson(QStringLiteral("Bob")));
    EXPECT_TRUE(contact.emailAddresses().empty());
}

TEST_F(ElementMappingTest, Phones_FormattedShortOnesDroppedAndNoneClears)
{
    const PersonPtr person = addPerson(QStringLiteral("Ann"));
    setValues(person, kABPhoneProperty, PropertyType::MultiString,
              {{kABPhoneMobileLabel, "5551234"}, {kABPhoneMainLabel, "7"}, {"Boat", "5559876"}}, 2);
    elementmapping::abPhonesFor(contact, person,
                                [](const QString &number) { return "+1 " + number; });
    EXPECT_EQ(
        describe(contact.phoneNumbers()),
        (QStringList{"+1 5551234 rel=mobile", "+1 7 label=Main", "+1 5559876 label=Boat primary"}));

    const PersonPtr unformatted = addPerson(QStringLiteral("Bob"));
    setValues(unformatted, kABPhoneProperty, PropertyType::MultiString,
              {{kABPhoneWorkFAXLabel, "5551234"}, {kABPhoneMainLabel, "7"}});
    elementmapping::abPhonesFor(contact, unformatted);
    EXPECT_EQ(describe(contact.phoneNumbers()), QStringList{"5551234 rel=work_fax primary"});

    const PersonPtr single = addPerson(QStringLiteral("Cy"));
    setValues(single, kABPhoneProperty, PropertyType::MultiString, {{kABPhoneHomeLabel, "7"}});
    elementmapping::abPhonesFor(contact, single);
    EXPECT_EQ(describe(contact.phoneNumbers()), QStringList{"5551234 rel=work_fax primary"});

    elementmapping::abPhonesFor(contact, addPerson(QStringLiteral("Di")));
    EXPECT_TRUE(contact.phoneNumbers().empty());
}

QVariantMap address(const QString &street, const QString &city, const QString &country)
{
    QVariantMap map;
    if (!street.isNull())
        map.insert(kABAddressStreetKey, street);
    if (!city.isNull())
        map.insert(kABAddressCityKey, city);
    if (!country.isNull())
        map.insert(kABAddressCountryKey, country);
    return map;
}

TEST_F(ElementMappingTest, Postals_CleanedFormattedCountryOnlyAndShortTextsDropped)
{
    contact.setPostalAddresses({GDataPostalAddress::postalAddressWithString("Old Road 1")});
    const PersonPtr person = addPerson(QStringLiteral("Ann"));
    setValues(person, kABAddressProperty, PropertyType::MultiDictionary,
              {{kABAddressHomeLabel, address("  ", " ", "France")},
               {kABAddressWorkLabel, address("1  Main\tSt", "Springfield", QString())},
               {"Cabin", address("A", QString(), QString())}},
              0);
    elementmapping::abPostalsFor(contact, person);
    EXPECT_EQ(describe(contact.postalAddresses()), QStringList{"1 Main St\nSpringfield rel=work"});

    const PersonPtr countryOnly = addPerson(QStringLiteral("Bob"));
    setValues(countryOnly, kABAddressProperty, PropertyType::MultiDictionary,
              {{kABAddressHomeLabel, address(QString(), QString(), "Germany")}});
    elementmapping::abPostalsFor(contact, countryOnly);
    EXPECT_EQ(describe(contact.postalAddresses()), QStringList{"1 Main St\nSpringfield rel=work"});

    elementmapping::abPostalsFor(contact, addPerson(QStringLiteral("Cy")));
    EXPECT_TRUE(contact.postalAddresses().empty());
}

TEST_F(ElementMappingTest, IMs_ServiceOrderLabelsAndLonePrimary)
{
    const PersonPtr person = addPerson(QStringLiteral("Ann"));
    setValues(person, kABJabberInstantProperty, PropertyType::MultiString,
              {{kABJabberHomeLabel, "ann@jabber.org"}, {QString(), "  "}});
    setValues(person, kABAIMInstantProperty, PropertyType::MultiString,
              {{kABAIMHomeLabel, " annaim "}});
    setValues(person, kABYahooInstantProperty, PropertyType::MultiString,
              {{"Games", "ann_y"}, {QString(), "ann_y2"}});
    elementmapping::abIMsFor(contact, person);
    EXPECT_EQ(describe(contact.IMAddresses()),
              (QStringList{"annaim AIM rel=home label=", "ann@jabber.org JABBER rel=home label=",
                           "ann_y YAHOO label=Games", "ann_y2 YAHOO rel=other"}));

    const PersonPtr lone = addPerson(QStringLiteral("Bob"));
    setValues(lone, kABMSNInstantProperty, PropertyType::MultiString, {{kABMSNWorkLabel, "bob"}});
    elementmapping::abIMsFor(contact, lone);
    EXPECT_EQ(describe(contact.IMAddresses()), QStringList{"bob MSN rel=work label= primary"});

    // Without usable handles the contact keeps its own.
    const PersonPtr empty = addPerson(QStringLiteral("Cy"));
    setValues(empty, kABICQInstantProperty, PropertyType::MultiString, {{QString(), " "}});
    elementmapping::abIMsFor(contact, empty);
    EXPECT_EQ(describe(contact.IMAddresses()), QStringList{"bob MSN rel=work label= primary"});
}

} // namespace
