#include "tests/support/google/googleentrytest.h"

#include "google/entries/contactaccessors.h"
#include "platform/gdata/gdataconstants.h"

namespace {

using namespace tolvane;
using zeltor::GoogleAddress;

const std::optional<QString> kNone = std::nullopt;
const QString kHome = kGDataContactHome;
const QString kWork = kGDataContactWork;
const QString kOther = kGDataContactOther;

class ContactAccessorsTest : public GoogleEntryTest
{
protected:
    static GDataPhoneNumber phone(const QString &number, const std::optional<QString> &rel,
                                  const std::optional<QString> &label = {}, bool primary = false)
    {
        return {number, rel, label, primary};
    }
    static GDataEmail email(const QString &address, const std::optional<QString> &rel,
                            const std::optional<QString> &label = {}, bool primary = false)
    {
        return {address, rel, label, primary};
    }
    static GDataIM im(const QString &address, const QString &protocol,
                      const std::optional<QString> &rel, const std::optional<QString> &label = {},
                      bool primary = false)
    {
        return {address, protocol, rel, label, primary};
    }
    static GDataPostalAddress postal(const QString &text, const std::optional<QString> &rel,
                                     const std::optional<QString> &label = {}, bool primary = false)
    {
        return {text, rel, label, primary};
    }
    static GDataExtendedProperty property(const std::vector<GDataExtendedProperty::XMLValue> &xml)
    {
        GDataExtendedProperty made = GDataExtendedProperty::propertyWithName(kContactProperty);
        made.setXMLValues(xml);
        return made;
    }
};

TEST_F(ContactAccessorsTest, Title_FallsBackToOrganisationEmailOrNoTitle)
{
    const auto org = [](const char *name, bool primary) {
        GDataOrganization made = GDataOrganization::organizationWithName(name);
        made.primary = primary;
        return made;
    };
    const struct
    {
        const char *name;
        std::optional<QString> title;
        std::vector<GDataOrganization> organizations;
        bool hasEmail;
        QString expected;
    } cases[] = {
        {"title", "Ada Lovelace", {org("Engines", true)}, true, "Ada Lovelace"},
        {"primary organisation", "", {org("First", false), org("Primary", true)}, true, "Primary"},
        {"first organisation",
         std::nullopt,
         {org("First", false), org("Second", false)},
         false,
         "First"},
        {"e-mail only", "", {}, true, "Email Address Only"},
        {"e-mail without title", std::nullopt, {}, true, "Email Address Only"},
        {"empty title alone", "", {}, false, ""},
        {"nothing", std::nullopt, {}, false, "No Title"},
    };
    for (const auto &c : cases) {
        const auto contact = GDataEntryContact::contactEntryWithTitle(c.title);
        contact->setOrganizations(c.organizations);
        if (c.hasEmail)
            contact->setEmailAddresses({email("a@b.c", kHome)});
        EXPECT_EQ(tolvaneTitle(*contact), c.expected) << c.name;
    }
}

TEST_F(ContactAccessorsTest, DisplayName_DeletedMarkTitleOrDescription)
{
    const auto contact = GDataEntryContact::contactEntryWithTitle(QStringLiteral(""));
    contact->setIdentifier(QStringLiteral("http://c/base/5"));
    EXPECT_EQ(entryDisplayName(*contact), contact->description());
    contact->setTitle(QStringLiteral("Ada"));
    EXPECT_EQ(entryDisplayName(*contact), "Ada");
    contact->setIsDeleted(true);
    EXPECT_EQ(entryDisplayName(*contact), QString::fromUtf8("\u2717 http://c/base/5"));
    EXPECT_EQ(tolvaneTitle(*contact), QString::fromUtf8("\u2717 http://c/base/5"));
}

TEST_F(ContactAccessorsTest, TwoProgramProperties_NoLinkButFlagsFromTheFirst)
{
    GDataEntryContact contact;
    contact.setExtendedProperties({property({{"aID", "P1"}, {"isCo", "1"}, {"gender", "F"}}),
                                   property({{"aID", "P2"}, {"isCo", "0"}, {"gender", "M"}})});
    EXPECT_EQ(tolvaneABID(contact), "");
    EXPECT_FALSE(tolvaneHasExtendedProperties(contact));
    EXPECT_FALSE(tolvaneExtendedPropertyXMLValuesDictionary(contact).has_value());
    EXPECT_TRUE(tolvaneIsCompany(contact));
    EXPECT_EQ(tolvaneGender(contact), "F");
    EXPECT_EQ(tolvaneGenderInt(contact), kGenderFemale);

    contact.setExtendedProperties({property({{"aID", "P1"}})});
    EXPECT_EQ(tolvaneABID(contact), "P1");
    EXPECT_TRUE(tolvaneHasExtendedProperties(contact));
    EXPECT_FALSE(tolvaneIsCompany(contact));
}

TEST_F(ContactAccessorsTest, Gender_ByTheStoredLetter)
{
    const struct
    {
        std::optional<QString> gender;
        QString text;
        int code;
    } cases[] = {{"M", "M", 1}, {"F", "F", 0}, {"", "", -1}, {"x", "x", -1}, {kNone, "", -1}};
    for (const auto &c : cases) {
        GDataEntryContact contact;
        if (c.gender)
            contact.setExtendedProperties({property({{"gender", *c.gender}})});
        EXPECT_EQ(tolvaneGender(contact), c.text);
        EXPECT_EQ(tolvaneGenderInt(contact), c.code);
    }
}

TEST_F(ContactAccessorsTest, Photo_StoredOnlyWhenTheLinkHasAnETag)
{
    GDataEntryContact contact;
    EXPECT_EQ(tolvanePhotoLink(contact), "");
    EXPECT_FALSE(tolvaneHasImage(contact));
    GDataLink link{kGDataLinkRelPhoto, "image/*", "http://c/photos/5", std::nullopt};
    contact.setLinks({link});
    EXPECT_EQ(tolvanePhotoLink(contact), "http://c/photos/5");
    EXPECT_EQ(tolvanePhotoETag(contact), "");
    EXPECT_FALSE(tolvaneHasImage(contact));
    link.etag = QStringLiteral("\"abc\"");
    contact.setLinks({link});
    EXPECT_EQ(tolvanePhotoETag(contact), "\"abc\"");
    EXPECT_TRUE(tolvaneHasImage(contact));
}

TEST_F(ContactAccessorsTest, OrganisationAndJob_PrimaryElseFirst)
{
    GDataOrganization first{"First Co", "Clerk", std::nullopt, std::nullopt, false};
    GDataOrganization second{"", "Boss", std::nullopt, std::nullopt, true};
    GDataEntryContact contact;
    EXPECT_EQ(tolvaneOrg(contact), "");
    contact.setOrganizations({first, second});
    EXPECT_EQ(tolvaneOrg(contact), "First Co");
    EXPECT_EQ(tolvaneJob(contact), "Boss");
    first.orgName.reset();
    contact.setOrganizations({first, second});
    EXPECT_EQ(tolvaneOrg(contact), "");
}

TEST_F(ContactAccessorsTest, Phones_ByKindAndPrimary)
{
    const struct
    {
        const char *name;
        std::vector<GDataPhoneNumber> phones;
        QString mobile, home, work, primary;
        bool isHome;
    } cases[] = {
        {"none", {}, "", "", "", "", false},
        {"by rel",
         {phone("1", QString(kGDataPhoneNumberWork)), phone("2", QString(kGDataPhoneNumberHome)),
          phone("3", QString(kGDataPhoneNumberMobile))},
         "3",
         "2",
         "1",
         "3",
         false},
        {"by label",
         {phone("1", kNone, "Cell"), phone("2", kNone, "HOME"), phone("3", kNone, "Work")},
         "1",
         "2",
         "3",
         "1",
         false},
        {"primary home",
         {phone("1", kNone, "work"), phone("2", kNone, "home", true)},
         "",
         "2",
         "1",
         "2",
         true},
        {"primary mobile, second home",
         {phone("1", QString(kGDataPhoneNumberMobile), kNone, true),
          phone("2", QString(kGDataContactHome))},
         "1",
         "2",
         "",
         "1",
         true},
        {"mobile alone",
         {phone("1", QString(kGDataPhoneNumberMobile), kNone, true)},
         "1",
         "",
         "",
         "1",
         false},
        {"no kind, no primary",
         {phone("7", kNone, "summer"), phone("8", kNone)},
         "",
         "",
         "",
         "7",
         false},
        {"first is home",
         {phone("7", kNone, "home"), phone("8", kNone, "work")},
         "",
         "7",
         "8",
         "8",
         true},
    };
    for (const auto &c : cases) {
        GDataEntryContact contact;
        contact.setPhoneNumbers(c.phones);
        EXPECT_EQ(tolvaneMobilePhone(contact), c.mobile) << c.name;
        EXPECT_EQ(tolvaneHomePhone(contact), c.home) << c.name;
        EXPECT_EQ(tolvaneWorkPhone(contact), c.work) << c.name;
        EXPECT_EQ(tolvanePrimaryPhone(contact), c.primary) << c.name;
        EXPECT_EQ(tolvanePhoneIsHome(contact), c.isHome) << c.name;
    }
}

TEST_F(ContactAccessorsTest, Emails_ByKindAndPrimary)
{
    const struct
    {
        const char *name;
        std::vector<GDataEmail> emails;
        QString home, work, primary;
    } cases[] = {
        {"none", {}, "", "", ""},
        {"primary",
         {email("h@x", kHome), email("w@x", kWork), email("p@x", kOther, kNone, true)},
         "h@x",
         "w@x",
         "p@x"},
        {"work before home",
         {email("h@x", kNone, "Home"), email("w@x", kNone, "WORK")},
         "h@x",
         "w@x",
         "w@x"},
        {"empty primary", {email("h@x", kHome), email("", kOther, kNone, true)}, "h@x", "", "h@x"},
        {"no kind", {email("a@x", kOther), email("b@x", kNone)}, "", "", "a@x"},
    };
    for (const auto &c : cases) {
        GDataEntryContact contact;
        contact.setEmailAddresses(c.emails);
        EXPECT_EQ(tolvaneHomeEmail(contact), c.home) << c.name;
        EXPECT_EQ(tolvaneWorkEmail(contact), c.work) << c.name;
        EXPECT_EQ(tolvanePrimaryEmail(contact), c.primary) << c.name;
    }
}

TEST_F(ContactAccessorsTest, IMs_HomeAndWorkByLabelThenByPosition)
{
    const QString aim = kGDataIMProtocolAIM;
    const QString skype = kGDataIMProtocolSkype;
    const QString jabber = kGDataIMProtocolJabber;
    const struct
    {
        const char *name;
        std::vector<GDataIM> ims;
        QString work;
        int workType;
        QString home;
        int homeType;
    } cases[] = {
        {"none", {}, "", -1, "", -1},
        {"one unlabelled", {im("a", aim, kOther)}, "a", 0, "", -1},
        {"two unlabelled", {im("a", aim, kNone), im("s", skype, kOther)}, "a", 0, "s", 6},
        // A home handle stays the home handle wherever it stands.
        {"home first", {im("h", aim, kHome), im("w", skype, kWork)}, "w", 6, "h", 0},
        {"home alone", {im("h", jabber, kHome)}, "", -1, "h", 3},
        {"by label", {im("h", aim, kNone, "Home"), im("w", skype, kNone, "work")}, "w", 6, "h", 0},
        {"home and unlabelled", {im("h", aim, kHome), im("o", skype, kOther)}, "o", 6, "h", 0},
        {"unlabelled and work", {im("o", aim, kOther), im("w", skype, kWork)}, "w", 6, "o", 0},
        {"two homes", {im("h1", aim, kHome), im("h2", skype, kHome)}, "", -1, "h1", 0},
    };
    for (const auto &c : cases) {
        GDataEntryContact contact;
        contact.setIMAddresses(c.ims);
        EXPECT_EQ(tolvaneWorkIM(contact), c.work) << c.name;
        EXPECT_EQ(tolvaneWorkIMType(contact), c.workType) << c.name;
        EXPECT_EQ(tolvaneHomeIM(contact), c.home) << c.name;
        EXPECT_EQ(tolvaneHomeIMType(contact), c.homeType) << c.name;
    }
}

TEST_F(ContactAccessorsTest, PrimaryIM_OnlyTheOneMarkedPrimary)
{
    GDataEntryContact contact;
    contact.setIMAddresses({im("a", kGDataIMProtocolAIM, kHome)});
    EXPECT_EQ(tolvanePrimaryIM(contact), "");
    EXPECT_EQ(tolvanePrimaryIMType(contact), -1);
    contact.setIMAddresses(
        {im("a", kGDataIMProtocolAIM, kHome), im("q", kGDataIMProtocolQQ, kWork, kNone, true)});
    EXPECT_EQ(tolvanePrimaryIM(contact), "q");
    EXPECT_EQ(tolvanePrimaryIMType(contact), 5);
}

TEST_F(ContactAccessorsTest, Addresses_LastOfTheirKindLocationsAndMaps)
{
    GDataEntryContact contact;
    EXPECT_EQ(tolvaneHomeAddress(contact), GoogleAddress{});
    EXPECT_EQ(tolvanePrimaryAddress(contact), std::nullopt);
    EXPECT_EQ(tolvaneHomeLocation(contact), "");
    EXPECT_EQ(tolvaneMapURLForHome(contact), "");

    contact.setPostalAddresses({postal("1 Old Rd\nPeoria IL 61602", kHome),
                                postal("2 New Rd\nSpringfield 62704", kNone, "Home"),
                                postal("9 Office Pl\nChicago IL", kWork)});
    const GoogleAddress home = {"2 New Rd", "", "Springfield", "", "62704", "United States"};
    EXPECT_EQ(tolvaneHomeAddress(contact), home);
    EXPECT_EQ(tolvaneHomeLocation(contact), "Springfield  62704");
    EXPECT_EQ(tolvaneWorkLocation(contact), "Chicago  IL");
    EXPECT_EQ(tolvaneMapURLForHome(contact),
              "http://maps.google.com/maps?q=2+New+Rd+Springfield+62704");
    EXPECT_EQ(tolvaneMapURLForWork(contact),
              "http://maps.google.com/maps?q=9+Office+Pl+Chicago+IL+");
    // No address marked primary: the work address stands in.
    EXPECT_EQ(tolvanePrimaryAddress(contact), tolvaneWorkAddress(contact));
}

TEST_F(ContactAccessorsTest, PrimaryAddress_MarkedOneElseWorkElseSixEmptyParts)
{
    GDataEntryContact contact;
    contact.setPostalAddresses({postal("5 Elm St\nAustin TX 78701", kOther, kNone, true)});
    EXPECT_EQ(tolvanePrimaryAddress(contact),
              (GoogleAddress{"5 Elm St", "", "Austin", "TX", "78701", "United States"}));
    contact.setPostalAddresses({postal(" ", kHome, kNone, true)});
    EXPECT_EQ(tolvanePrimaryAddress(contact), GoogleAddress{});
}

} // namespace
