#include "tests/support/google/googleentrytest.h"

#include "foundation/text/textdate.h"
#include "google/entries/addresselements.h"
#include "google/entries/extendedproperty.h"
#include "google/entries/flatteneddictionary.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"
#include "platform/addressbook/searchelement.h"
#include "tests/support/logcapture.h"

#include <QRegularExpression>
#include <QSet>
#include <QTimeZone>

#include <cstdlib>

namespace {

using namespace extendedproperty;

const QDateTime kNow(QDate(2009, 3, 14), QTime(22, 9, 26), QTimeZone::utc());
const QString kNowText = QStringLiteral("2009-03-14 15:09:26 -0700");

class ExtendedPropertyTest : public GoogleEntryTest
{
protected:
    static PersonPtr ada()
    {
        const PersonPtr person = Person::create();
        person->setValueForProperty(QStringLiteral("Ada"), kABFirstNameProperty);
        person->setValueForProperty(QStringLiteral("Lovelace"), kABLastNameProperty);
        person->setValueForProperty(QStringLiteral("Countess"), kABNicknameProperty);
        person->setValueForProperty(QStringLiteral("Analytical Engines"), kABOrganizationProperty);
        return person;
    }

    static QVariantMap address(const QString &street, const QString &city)
    {
        return {{kABAddressStreetKey, street},
                {kABAddressCityKey, city},
                {kABAddressStateKey, QStringLiteral("IL")},
                {kABAddressZIPKey, QStringLiteral("62704")},
                {kABAddressCountryKey, QStringLiteral("United States")},
                {kABAddressCountryCodeKey, QStringLiteral("us")}};
    }

    // primary: the index made primary, or -1 for a primary identifier that names no address.
    static void setAddresses(const PersonPtr &person, const QList<QVariantMap> &addresses,
                             const QStringList &labels, int primary)
    {
        MutableMultiValue values(PropertyType::MultiDictionary);
        for (qsizetype i = 0; i < addresses.size(); ++i) {
            const QString id = values.addValue(addresses.at(i), labels.at(i));
            if (i == primary)
                values.setPrimaryIdentifier(id);
        }
        person->setValueForProperty(QVariant::fromValue(MultiValue(values)), kABAddressProperty);
    }

    static QList<GDataExtendedProperty::XMLValue>
    addressElements(const GDataExtendedProperty &property)
    {
        QList<GDataExtendedProperty::XMLValue> found;
        for (const auto &element : property.XMLValues()) {
            if (element.first.startsWith(QStringLiteral("addr-")))
                found.append(element);
        }
        return found;
    }
};

TEST_F(ExtendedPropertyTest, UploadWriter_NewContact_ExactXMLWithoutGID)
{
    const PersonPtr person = ada();
    const auto contact = GDataEntryContact::contactEntryWithTitle(QStringLiteral("Ada Lovelace"));
    contact->addExtendedProperty(googleExtendedPropertiesForABPerson(person, *contact, kNow));
    // A person outside the book has neither modification nor creation date.
    EXPECT_EQ(propertyXML(*contact),
              "<gd:extendedProperty name=\"tolvaneContact\"><aID>" + person->uniqueId() +
                  "</aID><crD>" + kNowText + "</crD><dm1111111111000/><asOf>" + kNowText +
                  "</asOf><isCo>0</isCo><aC>Analytical Engines</aC><gT>Ada Lovelace</gT>"
                  "<aF>Ada</aF><aN>Countess</aN><aL>Lovelace</aL></gd:extendedProperty>");
}

TEST_F(ExtendedPropertyTest, UploadWriter_CreatedContact_CarriesGIDAndMissingValuesAreEmpty)
{
    const PersonPtr person = Person::create();
    person->setValueForProperty(kABShowAsCompany, kABPersonFlags);
    AddressBook::shared()->addRecord(person);
    GDataEntryContact contact;
    contact.setIdentifier(QStringLiteral("http://www.google.com/m8/feeds/contacts/a/base/7"));
    const GDataExtendedProperty property =
        googleExtendedPropertiesForABPerson(person, contact, kNow);
    const std::vector<GDataExtendedProperty::XMLValue> expected = {
        {"aID", person->uniqueId()},
        {"crD", kNowText},
        {kDataMask,
         textdate::format(person->valueForProperty(kABModificationDateProperty).toDateTime())},
        {"asOf", kNowText},
        {"isCo", "1"},
        {"gID", "http://www.google.com/m8/feeds/contacts/a/base/7"},
        {"aC", ""},
        {"gT", ""},
        {"aF", ""},
        {"aN", ""},
        {"aL", ""}};
    EXPECT_EQ(property.name(), kContactProperty);
    EXPECT_EQ(property.XMLValues(), expected);
    EXPECT_FALSE(expected[2].second.isEmpty());
}

TEST_F(ExtendedPropertyTest, UploadWriter_AddressElements_ExactFlattenedText)
{
    const PersonPtr person = ada();
    setAddresses(person,
                 {address("1 A & B St", "Springfield"), address("9 <Elm> \"Rd\"", "Peoria")},
                 {kABHomeLabel, kABWorkLabel}, 1);
    const auto contact = GDataEntryContact::contactEntryWithTitle(QStringLiteral("Ada"));
    contact->addExtendedProperty(googleExtendedPropertiesForABPerson(person, *contact, kNow));
    const auto elements = addressElements(contact->extendedProperties().front());
    ASSERT_EQ(elements.size(), 2);
    EXPECT_EQ(elements[0].second, "h##l##1##r##c##s##p##t##z##x$$YES##home##NO##1 A &amp; B St##"
                                  "Springfield##IL##62704##United States##us##"
                                  "1ABStSpringfieldIL62704UnitedStates");
    EXPECT_EQ(elements[1].second,
              "h##l##1##r##c##s##p##t##z##x$$YES##work##YES##9 &lt;Elm&gt; &quot;Rd&quot;##"
              "Peoria##IL##62704##United States##us##9ElmRdPeoriaIL62704UnitedStates");
    // The element text holds the escaped street, and the feed writer escapes it once more.
    EXPECT_TRUE(propertyXML(*contact).contains("1 A &amp;amp; B St"));
}

TEST_F(ExtendedPropertyTest, UploadWriter_PrimaryNotFound_FirstAddressIsPrimary)
{
    const PersonPtr person = ada();
    setAddresses(person, {address("1 Main St", "Springfield"), address("2 Oak St", "Peoria")},
                 {kABWorkLabel, kABHomeLabel}, -1);
    const auto elements = addresselements::addressExPropForABPerson(person);
    ASSERT_EQ(elements.size(), 2);
    EXPECT_EQ(flatteneddictionary::inflateString(elements[0].second).value("1"), "YES");
    EXPECT_EQ(flatteneddictionary::inflateString(elements[1].second).value("1"), "NO");
}

TEST_F(ExtendedPropertyTest, UploadWriter_ManyAddresses_EveryOneKeepsItsOwnElement)
{
    // Two hundred draws from a thousand numbers collide almost surely; no address may be lost.
    const PersonPtr person = ada();
    QList<QVariantMap> addresses;
    QStringList labels;
    for (int i = 0; i < 200; ++i) {
        addresses.append(address(QStringLiteral("%1 Main St").arg(i + 1), "Springfield"));
        labels.append(kABHomeLabel);
    }
    setAddresses(person, addresses, labels, 0);
    srandom(1);
    const auto elements = addresselements::addressExPropForABPerson(person);
    ASSERT_EQ(elements.size(), 200);
    QSet<QString> keys;
    QSet<QString> streets;
    for (const auto &[key, text] : elements) {
        EXPECT_TRUE(
            QRegularExpression("^addr-([0-9]|[1-9][0-9]|[1-9][0-9][0-9])$").match(key).hasMatch())
            << key.toStdString();
        keys.insert(key);
        streets.insert(flatteneddictionary::inflateString(text).value("r"));
    }
    EXPECT_EQ(keys.size(), 200);
    EXPECT_EQ(streets.size(), 200);
}

TEST_F(ExtendedPropertyTest, UnpackExPropAddress_DecodesTheStreetOnceAndSkipsMissingKeys)
{
    const struct
    {
        QMap<QString, QString> shortKeys;
        QVariantMap expected;
    } cases[] = {
        {{{"r", "1 A &amp; B St"},
          {"c", "Springfield"},
          {"s", "IL"},
          {"p", "62704"},
          {"t", "United States"},
          {"z", "us"},
          {"h", "YES"}},
         {{kABAddressStreetKey, "1 A & B St"},
          {kABAddressCityKey, "Springfield"},
          {kABAddressStateKey, "IL"},
          {kABAddressZIPKey, "62704"},
          {kABAddressCountryKey, "United States"}}},
        {{{"r", "&lt;Tom&gt; &quot;&amp;amp;&quot; Co"}},
         {{kABAddressStreetKey, "<Tom> \"&amp;\" Co"}}},
        {{{"r", "Tom & Co &amp"}, {"c", "Lyon &amp; more"}},
         {{kABAddressStreetKey, "Tom & Co &amp"}, {kABAddressCityKey, "Lyon &amp; more"}}},
        {{}, {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(addresselements::unpackExPropAddress(c.shortKeys), c.expected);
}

TEST_F(ExtendedPropertyTest, UnpackExPropAddress_GivesBackTheStreetThatWasUploaded)
{
    const PersonPtr person = ada();
    setAddresses(person, {address("Smith & Sons\r<Unit 4>", "Springfield")}, {kABHomeLabel}, 0);
    const auto elements = addresselements::addressExPropForABPerson(person);
    ASSERT_EQ(elements.size(), 1);
    const QVariantMap unpacked = addresselements::unpackExPropAddress(
        flatteneddictionary::inflateString(elements[0].second));
    EXPECT_EQ(unpacked.value(kABAddressStreetKey), "Smith & Sons\r<Unit 4>");
}

TEST_F(ExtendedPropertyTest, AttachProperty_ByTheNumberOfPropertiesAlreadyThere)
{
    const auto foreign = [](int n) {
        return GDataExtendedProperty::propertyWithName(QStringLiteral("other%1").arg(n),
                                                       QStringLiteral("v"));
    };
    const auto ours = GDataExtendedProperty::propertyWithName(kContactProperty, QString("old"));
    const struct
    {
        const char *name;
        std::vector<GDataExtendedProperty> before;
        QStringList namesAfter;
        bool logged;
    } cases[] = {
        {"none", {}, {kContactProperty}, false},
        {"ours between foreign",
         {foreign(1), ours, foreign(2)},
         {"other1", kContactProperty, "other2"},
         false},
        {"two of ours", {ours, ours}, {kContactProperty, kContactProperty}, false},
        {"nine foreign",
         {foreign(0), foreign(1), foreign(2), foreign(3), foreign(4), foreign(5), foreign(6),
          foreign(7), foreign(8)},
         {"other0", "other1", "other2", "other3", "other4", "other5", "other6", "other7", "other8",
          kContactProperty},
         false},
        {"ten foreign",
         {foreign(0), foreign(1), foreign(2), foreign(3), foreign(4), foreign(5), foreign(6),
          foreign(7), foreign(8), foreign(9)},
         {"other0", "other1", "other2", "other3", "other4", "other5", "other6", "other7", "other8",
          "other9"},
         true},
    };
    LogCapture::setLevel(1);
    const PersonPtr person = ada();
    for (const auto &c : cases) {
        LogCapture log;
        GDataEntryContact contact;
        contact.setExtendedProperties(c.before);
        abExtendedPropertiesFor(contact, person, kNow);
        QStringList names;
        for (const GDataExtendedProperty &property : contact.extendedProperties()) {
            names.append(property.name());
            if (property.name() == kContactProperty) {
                EXPECT_FALSE(property.value().has_value()) << c.name;
                EXPECT_EQ(property.XMLValueForKey("aID"), person->uniqueId()) << c.name;
            } else {
                EXPECT_EQ(property.value(), QString("v")) << c.name;
            }
        }
        EXPECT_EQ(names, c.namesAfter) << c.name;
        EXPECT_EQ(log.lines().isEmpty(), !c.logged) << c.name;
        if (c.logged) {
            EXPECT_TRUE(log.lines().value(0).startsWith(
                "[GoogleContactTool abExtendedPropertiesFor:using:] ERROR: could not add "
                "extendedProperties: "));
        }
    }
}

TEST_F(ExtendedPropertyTest, StampAsOf_MovesOnlyOurPropertysStampAndKeepsItsElements)
{
    const QDateTime built = kNow.addSecs(-60);
    const QString builtText = textdate::format(built);
    const PersonPtr person = ada();
    const auto ours = GDataEntryContact::contactEntryWithTitle(QStringLiteral("Ada Lovelace"));
    abExtendedPropertiesFor(*ours, person, built);
    const auto foreign = GDataEntryContact::contactEntryWithTitle(QStringLiteral("Other"));
    GDataExtendedProperty theirs = GDataExtendedProperty::propertyWithName(QStringLiteral("x"));
    theirs.setXMLValues({{QStringLiteral("asOf"), builtText}});
    foreign->addExtendedProperty(theirs);
    // Our property without an asOf element gets none.
    const auto bare = GDataEntryContact::contactEntryWithTitle(QStringLiteral("Bare"));
    GDataExtendedProperty noStamp = GDataExtendedProperty::propertyWithName(kContactProperty);
    noStamp.setXMLValues({{QStringLiteral("aID"), QStringLiteral("1")}});
    bare->addExtendedProperty(noStamp);
    GDataFeed feed(GDataEntryBase::Kind::Contact);
    for (const auto &entry : {ours, foreign, bare})
        feed.addEntry(entry);

    stampAsOf(feed, kNow);

    std::vector<GDataExtendedProperty::XMLValue> expected =
        googleExtendedPropertiesForABPerson(person, *ours, built).XMLValues();
    expected[3].second = kNowText;
    EXPECT_EQ(ours->extendedProperties().at(0).XMLValues(), expected);
    EXPECT_EQ(foreign->extendedProperties().at(0).XMLValueForKey("asOf"), builtText);
    EXPECT_EQ(bare->extendedProperties().at(0).XMLValues(), noStamp.XMLValues());
}

TEST_F(ExtendedPropertyTest, GroupProperty_ElementsInOrderAndSmartness)
{
    const GroupPtr group = Group::create();
    group->setValueForProperty(QStringLiteral("Friends"), kABGroupNameProperty);
    AddressBook::shared()->addRecord(group);
    const GroupPtr smart = Group::createSmartGroup(
        SearchElement::forProperty(RecordClass::Person, kABLastNameProperty, {}, {},
                                   QStringLiteral("Smith"), SearchElement::Comparison::Equal));
    AddressBook::shared()->addRecord(smart);

    for (const auto &[record, isSmart] : {std::pair{group, "NO"}, std::pair{smart, "YES"}}) {
        const auto property = googleExtendedProperyForABGroup(record);
        ASSERT_TRUE(property.has_value());
        const std::vector<GDataExtendedProperty::XMLValue> expected = {
            {"aID", record->uniqueId()},
            {"aVer",
             textdate::format(record->valueForProperty(kABModificationDateProperty).toDateTime())},
            {"aIsSmart", isSmart}};
        EXPECT_EQ(property->name(), kGroupProperty);
        EXPECT_EQ(property->XMLValues(), expected);
    }
}

TEST_F(ExtendedPropertyTest, RestoreProperties_TakeTheirElementsInArrayOrderEscaped)
{
    const QVariantList contactArray = {
        QVariantMap{{"XMLValue", QVariantMap{{"gID", "g1"}, {"aID", "A&B"}, {"isCo", ""}}}},
        QVariantMap{{"XMLValue", QVariantMap{{"isCo", "1"}}}},
        QVariantMap{{"other", QVariantMap{{"aID", "ignored"}}}}};
    const auto contact = googleContactExtendedProperyForArray(contactArray);
    ASSERT_TRUE(contact.has_value());
    EXPECT_EQ(contact->name(), kContactProperty);
    EXPECT_EQ(contact->XMLValues(), (std::vector<GDataExtendedProperty::XMLValue>{
                                        {"aID", "A&amp;B"}, {"gID", "g1"}, {"isCo", "1"}}));

    const QVariantList groupArray = {
        QVariantMap{{"XMLArray", QVariantMap{{"aIsSmart", "NO"}, {"aID", "G:ABGroup"}}}}};
    const auto group = googleGroupExtendedProperyForArray(groupArray);
    ASSERT_TRUE(group.has_value());
    EXPECT_EQ(group->name(), kGroupProperty);
    EXPECT_EQ(group->XMLValues(), (std::vector<GDataExtendedProperty::XMLValue>{
                                      {"aID", "G:ABGroup"}, {"aIsSmart", "NO"}}));

    EXPECT_FALSE(
        googleContactExtendedProperyForArray({QVariantMap{{"XMLValue", QVariantMap{{"aID", ""}}}}})
            .has_value());
    EXPECT_FALSE(googleGroupExtendedProperyForArray({}).has_value());
}

} // namespace
