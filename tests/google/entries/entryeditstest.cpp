// An edited browser dictionary written back into a Google entry: what is written reads back as
// written, only the element the user saw changes, and the company mark and gender stay apart.
#include "tests/support/google/googleentrytest.h"

#include "foundation/text/textdate.h"
#include "google/browser/browserdictionary.h"
#include "google/entries/contactaccessors.h"
#include "google/entries/entryedits.h"
#include "platform/gdata/atom/atomwriter.h"
#include "platform/gdata/gdataconstants.h"

#include <functional>

namespace {

using namespace tolvane;

const QString kHome = kGDataContactHome;
const QString kWork = kGDataContactWork;

class EntryEditsTest : public GoogleEntryTest
{
protected:
    static GDataExtendedProperty property(const std::vector<GDataExtendedProperty::XMLValue> &xml)
    {
        GDataExtendedProperty made = GDataExtendedProperty::propertyWithName(kContactProperty);
        made.setXMLValues(xml);
        return made;
    }

    // A person with one value of every kind the editor shows, and the program's property.
    static GDataEntryContactPtr fullContact()
    {
        const auto contact = GDataEntryContact::contactEntryWithTitle(QStringLiteral("Ada Byron"));
        contact->setIdentifier(QStringLiteral("http://c/base/1"));
        contact->setExtendedProperties(
            {property({{"aID", "P:ABPerson"}, {"isCo", "0"}, {"gender", "F"}})});
        contact->setEmailAddresses({{"ada@home", kHome, {}, true}, {"ada@work", kWork, {}, false}});
        contact->setPhoneNumbers({{"555-0100", QString(kGDataPhoneNumberMobile), {}, true},
                                  {"555-0101", QString(kGDataPhoneNumberHome), {}, false},
                                  {"555-0102", QString(kGDataPhoneNumberWork), {}, false}});
        contact->setIMAddresses({{"ada.h", QString(kGDataIMProtocolJabber), kHome, {}, true},
                                 {"ada.w", QString(kGDataIMProtocolAIM), kWork, {}, false}});
        contact->setPostalAddresses(
            {{"1 Main St\nSpringfield  IL  62701\nUnited States", kHome, {}, true},
             {"9 Mill Rd\nSpringfield  IL  62702\nUnited States", kWork, {}, false}});
        contact->setOrganizations({{"Engines", "Analyst", kWork, {}, true}});
        contact->setContentWithString(QStringLiteral("likes numbers"));
        return contact;
    }

    static QVariantMap address(const QString &street, const QString &city, const QString &postal)
    {
        return googleAddressDictionary({street, QString(), city, QStringLiteral("IL"), postal,
                                        QStringLiteral("United States")});
    }

    static std::optional<QString> property(const GDataEntryContact &contact, const QString &key)
    {
        const auto values = tolvaneExtendedPropertyXMLValuesDictionary(contact);
        if (!values || !values->contains(key))
            return std::nullopt;
        return values->value(key);
    }
};

TEST_F(EntryEditsTest, EditedValue_ReadsBackAsWritten)
{
    using Read = std::function<QVariant(const GDataEntryContact &)>;
    const auto readAddress = [](bool home) {
        return Read([home](const GDataEntryContact &c) {
            return googleAddressDictionary(home ? tolvaneHomeAddress(c) : tolvaneWorkAddress(c));
        });
    };
    const struct
    {
        const char *name;
        QString key;
        QVariant value;
        Read read;
    } cases[] = {
        {"home e-mail", "homeEmail", "new@home",
         [](auto &c) {
             return tolvaneHomeEmail(c);
         }},
        {"work e-mail", "workEmail", "new@work",
         [](auto &c) {
             return tolvaneWorkEmail(c);
         }},
        {"mobile", "mobilePhone", "555-0200",
         [](auto &c) {
             return tolvaneMobilePhone(c);
         }},
        {"home phone", "homePhone", "555-0201",
         [](auto &c) {
             return tolvaneHomePhone(c);
         }},
        {"work phone", "workPhone", "555-0202",
         [](auto &c) {
             return tolvaneWorkPhone(c);
         }},
        {"home handle", "homeIM", "ada.home",
         [](auto &c) {
             return tolvaneHomeIM(c);
         }},
        {"work handle", "workIM", "ada.work",
         [](auto &c) {
             return tolvaneWorkIM(c);
         }},
        {"home Skype code", "homeIMType", 6,
         [](auto &c) {
             return tolvaneHomeIMType(c);
         }},
        {"work IM code", "workIMType", 7,
         [](auto &c) {
             return tolvaneWorkIMType(c);
         }},
        {"organisation", "org", "Looms",
         [](auto &c) {
             return tolvaneOrg(c);
         }},
        {"job", "job", "Countess",
         [](auto &c) {
             return tolvaneJob(c);
         }},
        {"notes", "notes", "a new note",
         [](auto &c) {
             return tolvaneNote(c);
         }},
        {"home address", "homeAddrDict", address("2 Elm St", "Peoria", "61602"), readAddress(true)},
        {"work address", "workAddrDict", address("8 Oak Ave", "Joliet", "60431"),
         readAddress(false)},
    };
    // Into a contact that has each value, and into one that has none.
    for (const bool full : {true, false}) {
        for (const auto &c : cases) {
            const GDataEntryContactPtr contact =
                full ? fullContact() : GDataEntryContact::contactEntryWithTitle(QString("Ada"));
            QVariantMap dictionary = tolvaneBrowserDictionary(*contact);
            const QVariant value = c.value;
            // A handle is added only with a code, and a code belongs to a handle.
            if (c.key.endsWith(u"IMType") && !full)
                dictionary.insert(c.key.left(c.key.size() - 4), QStringLiteral("ada.any"));
            if (c.key.endsWith(u"IM") && !full)
                dictionary.insert(c.key + QStringLiteral("Type"), 3);
            dictionary.insert(c.key, value);
            assignValues(*contact, dictionary);
            EXPECT_EQ(c.read(*contact), value) << c.name << (full ? " (replaced)" : " (added)");
            // Nothing else the browser shows moved.
            QVariantMap expected = dictionary;
            QVariantMap actual = tolvaneBrowserDictionary(*contact);
            for (const char *key :
                 {"homeEmail", "workEmail", "mobilePhone", "homePhone", "workPhone", "homeIM",
                  "workIM", "org", "job", "notes", "homeAddrDict", "workAddrDict", "name"}) {
                if (c.key != QLatin1String(key)) {
                    EXPECT_EQ(actual.value(key), expected.value(key)) << c.name << ": " << key;
                }
            }
        }
    }
}

TEST_F(EntryEditsTest, NewElement_IsPrimaryOnlyWhenNoneOfItsKindIs)
{
    const auto contact = GDataEntryContact::contactEntryWithTitle(QStringLiteral("Ada"));
    updateEmail(*contact, QStringLiteral("ada@work"), false);
    updateEmail(*contact, QStringLiteral("ada@home"), true);
    ASSERT_EQ(contact->emailAddresses().size(), 2u);
    EXPECT_TRUE(contact->emailAddresses()[0].primary);
    EXPECT_FALSE(contact->emailAddresses()[1].primary);
    EXPECT_EQ(contact->emailAddresses()[1].rel, kHome);
    EXPECT_EQ(contact->emailAddresses()[1].label, std::nullopt);
}

TEST_F(EntryEditsTest, UnchangedDictionary_ChangesNothing)
{
    const GDataEntryContactPtr contact = fullContact();
    const QByteArray before = atomwriter::entryXML(*contact);
    assignValues(*contact, tolvaneBrowserDictionary(*contact));
    EXPECT_EQ(atomwriter::entryXML(*contact), before);
}

TEST_F(EntryEditsTest, ContactWithoutProgramProperty_GetsTheBrowsersProperty)
{
    const GDataEntryContactPtr contact = fullContact();
    contact->setExtendedProperties({});
    assignValues(*contact, tolvaneBrowserDictionary(*contact));
    ASSERT_TRUE(tolvaneHasExtendedProperties(*contact));
    EXPECT_EQ(property(*contact, "aID"), QStringLiteral("tolvaneBrowser"));
    EXPECT_EQ(property(*contact, "gT"), QStringLiteral("Ada Byron"));
}

TEST_F(EntryEditsTest, GenderAndCompanyMark_StayApartAndNoEditIsLost)
{
    const struct
    {
        const char *name;
        QString isCo, gender; // held
        bool newIsCo;
        int newGender;
        QString expectIsCo, expectGender;
    } cases[] = {
        {"gender only", "0", "F", false, kGenderMale, "0", "M"},
        {"gender cleared", "0", "F", false, kGenderNone, "0", ""},
        {"company only", "0", "F", true, kGenderFemale, "1", ""},
        {"person only keeps the gender", "1", "F", false, kGenderFemale, "0", "F"},
        {"both, to a person with a gender", "1", "", false, kGenderMale, "0", "M"},
        {"both, to a company", "0", "M", true, kGenderFemale, "1", ""},
    };
    for (const auto &c : cases) {
        const auto contact = GDataEntryContact::contactEntryWithTitle(QStringLiteral("Pat"));
        contact->setExtendedProperties(
            {property({{"aID", "P:ABPerson"}, {"isCo", c.isCo}, {"gender", c.gender}})});
        QVariantMap dictionary = tolvaneBrowserDictionary(*contact);
        dictionary.insert("isCo", c.newIsCo);
        dictionary.insert("gender", c.newGender);
        assignValues(*contact, dictionary);
        EXPECT_EQ(property(*contact, "isCo"), c.expectIsCo) << c.name;
        EXPECT_EQ(property(*contact, "gender"), c.expectGender) << c.name;
        EXPECT_EQ(property(*contact, "aID"), QStringLiteral("P:ABPerson")) << c.name;
    }
}

TEST_F(EntryEditsTest, FlagOnContactWithoutProperty_MakesTheBrowsersProperty)
{
    const struct
    {
        QString property, value;
        std::vector<GDataExtendedProperty::XMLValue> expected;
    } cases[] = {
        {"gender", "M", {{"gender", "M"}, {"isCo", "0"}}},
        {"isCo", "1", {{"isCo", "1"}, {"gender", ""}}},
        {"isCo", "0", {{"isCo", "0"}}},
    };
    for (const auto &c : cases) {
        const auto contact = GDataEntryContact::contactEntryWithTitle(QStringLiteral("Pat"));
        contact->setIdentifier(QStringLiteral("http://c/base/7"));
        assignExPropValue(*contact, c.value, c.property);
        ASSERT_EQ(contact->extendedProperties().size(), 1u);
        const GDataExtendedProperty &made = contact->extendedProperties().front();
        EXPECT_EQ(made.name(), kContactProperty);
        EXPECT_EQ(made.value(), std::nullopt);
        std::vector<GDataExtendedProperty::XMLValue> values = made.XMLValues();
        ASSERT_GE(values.size(), 3u);
        EXPECT_EQ(values[0], (GDataExtendedProperty::XMLValue{"aID", "tolvaneBrowser"}));
        EXPECT_EQ(values[1], (GDataExtendedProperty::XMLValue{"gID", "http://c/base/7"}));
        EXPECT_EQ(values[2].first, QStringLiteral("asOf"));
        EXPECT_TRUE(textdate::parse(values[2].second).isValid()) << values[2].second.toStdString();
        values.erase(values.begin(), values.begin() + 3);
        EXPECT_EQ(values, c.expected) << c.property.toStdString() << "=" << c.value.toStdString();
    }
}

TEST_F(EntryEditsTest, HomeAddressEdit_LeavesAWorkAddressInTheSameCity)
{
    const GDataEntryContactPtr contact = fullContact();
    updateAddress(*contact, address("2 Elm St", "Springfield", "62703"), true);
    ASSERT_EQ(contact->postalAddresses().size(), 2u);
    EXPECT_EQ(contact->postalAddresses()[0].stringValue,
              QStringLiteral("2 Elm St\rSpringfield  IL  62703\rUnited States"));
    EXPECT_EQ(contact->postalAddresses()[1].stringValue,
              QStringLiteral("9 Mill Rd\nSpringfield  IL  62702\nUnited States"));
    EXPECT_EQ(contact->postalAddresses()[1].rel, kWork);

    // Emptying it removes that one address alone.
    updateAddress(*contact, googleAddressDictionary({}), true);
    ASSERT_EQ(contact->postalAddresses().size(), 1u);
    EXPECT_EQ(contact->postalAddresses()[0].rel, kWork);
}

TEST_F(EntryEditsTest, OrganisationEdit_LeavesAnotherOrganisationWithTheSameJob)
{
    const GDataEntryContactPtr contact = fullContact();
    contact->setOrganizations({{"Engines", "Analyst", kWork, {}, true},
                               {"Society", "Analyst", std::nullopt, "club", false}});
    updateOrgAndJob(*contact, QStringLiteral("Looms"), QStringLiteral("Analyst"));
    ASSERT_EQ(contact->organizations().size(), 2u);
    EXPECT_EQ(contact->organizations()[0].orgName, QStringLiteral("Looms"));
    EXPECT_EQ(contact->organizations()[1].orgName, QStringLiteral("Society"));
    EXPECT_EQ(contact->organizations()[1].label, QStringLiteral("club"));

    // Emptying both keeps the element, with an empty name and title.
    updateOrgAndJob(*contact, QString(), QString());
    ASSERT_EQ(contact->organizations().size(), 2u);
    EXPECT_EQ(contact->organizations()[0].orgName, QStringLiteral(""));
    EXPECT_EQ(contact->organizations()[0].orgTitle, QStringLiteral(""));
}

TEST_F(EntryEditsTest, Name_ComposesTheTitleOrFollowsACompanysOrganisation)
{
    const struct
    {
        const char *name;
        bool company;
        QString first, nick, last, org;
        QString expectedTitle;
    } cases[] = {
        {"first and last", false, "Ada", "", "King", "", "Ada King"},
        {"first alone", false, "Ada", "", "", "", "Ada"},
        {"with nick", false, "Ada", "Countess", "King", "", "Ada \"Countess\" King"},
        {"nick without last", false, "Ada", "Countess", "", "", "Ada \"Countess\""},
        {"company renamed", true, "", "", "", "Looms Ltd", "Looms Ltd"},
        {"company without organisation keeps its title", true, "", "", "", "", "Ada Byron"},
    };
    for (const auto &c : cases) {
        const GDataEntryContactPtr contact = fullContact();
        QVariantMap dictionary = tolvaneBrowserDictionary(*contact);
        dictionary.insert("nameDict", QVariantMap{{"first", c.first},
                                                  {"nick", c.nick},
                                                  {"last", c.last},
                                                  {"middle", ""},
                                                  {"isCompany", false},
                                                  {"coName", ""}});
        dictionary.insert("isCo", c.company);
        dictionary.insert("org", c.org);
        assignValues(*contact, dictionary);
        EXPECT_EQ(contact->title(), c.expectedTitle) << c.name;
        if (c.company && !c.org.isEmpty()) {
            EXPECT_EQ(tolvaneTitle(*contact), c.org) << c.name;
            EXPECT_EQ(tolvaneOrg(*contact), c.org) << c.name;
        }
    }
}

TEST_F(EntryEditsTest, ClearedValues_RemoveTheirElements)
{
    const GDataEntryContactPtr contact = fullContact();
    // A second e-mail with the home address goes with it.
    std::vector<GDataEmail> emails = contact->emailAddresses();
    emails.push_back({"ada@home", std::nullopt, QStringLiteral("old"), false});
    contact->setEmailAddresses(emails);
    QVariantMap dictionary = tolvaneBrowserDictionary(*contact);
    for (const char *key : {"homeEmail", "mobilePhone", "workPhone", "homeIM"})
        dictionary.insert(key, QString());
    assignValues(*contact, dictionary);
    ASSERT_EQ(contact->emailAddresses().size(), 1u);
    EXPECT_EQ(contact->emailAddresses()[0].address, QStringLiteral("ada@work"));
    ASSERT_EQ(contact->phoneNumbers().size(), 1u);
    EXPECT_EQ(contact->phoneNumbers()[0].stringValue, QStringLiteral("555-0101"));
    ASSERT_EQ(contact->IMAddresses().size(), 1u);
    EXPECT_EQ(tolvaneWorkIM(*contact), QStringLiteral("ada.w"));
    EXPECT_EQ(tolvaneHomeIM(*contact), QStringLiteral(""));
}

} // namespace
