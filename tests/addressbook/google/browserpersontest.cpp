#include "tests/support/addressbook/abtestbook.h"
#include "tests/support/addressbook/storedentries.h"

#include "addressbook/google/browserdictionarykeys.h"
#include "addressbook/google/browserperson.h"
#include "foundation/parsers/parserkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "tests/support/logcapture.h"

#include <QLocale>

namespace {

using namespace AddressBookTool;

class BrowserPersonTest : public AddressBookTest
{
protected:
    void SetUp() override
    {
        AddressBookTest::SetUp();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
};

QVariantMap names(const QString &first, const QString &last)
{
    return {{browserkeys::first, first}, {browserkeys::last, last}};
}

struct SingleCase
{
    const char *name;
    QVariantMap dictionary;
    QString property;
    QVariant expected; // invalid: the person has no value
};

TEST_F(BrowserPersonTest, SingleValuedKeys)
{
    const QVariantMap company = {{browserkeys::isCompany, 1}};
    const QVariantMap person = {{browserkeys::isCompany, 0}};
    const SingleCase cases[] = {
        {"first name", {{browserkeys::nameDict, names("Ann", "Lee")}}, kABFirstNameProperty, "Ann"},
        {"last name", {{browserkeys::nameDict, names("Ann", "Lee")}}, kABLastNameProperty, "Lee"},
        {"no name dictionary: empty first", {}, kABFirstNameProperty, ""},
        {"no name dictionary: empty last", {}, kABLastNameProperty, ""},
        {"organisation", {{browserkeys::org, "Acme"}}, kABOrganizationProperty, "Acme"},
        {"empty organisation", {{browserkeys::org, ""}}, kABOrganizationProperty, {}},
        {"company", {{browserkeys::nameDict, company}}, kABPersonFlags, kABShowAsCompany},
        {"not a company", {{browserkeys::nameDict, person}}, kABPersonFlags, {}},
        {"job title", {{browserkeys::job, "Clerk"}}, kABJobTitleProperty, "Clerk"},
        {"empty job title", {{browserkeys::job, ""}}, kABJobTitleProperty, {}},
        {"note", {{browserkeys::notes, "Met in Oslo"}}, kABNoteProperty, "Met in Oslo"},
        {"keys outside the table are not read", {{"nick", "Bo"}}, kABNicknameProperty, {}},
    };
    for (const SingleCase &c : cases) {
        const PersonPtr made = personForBrowserDictionary(c.dictionary);
        ASSERT_TRUE(made) << c.name;
        EXPECT_EQ(made->valueForProperty(c.property), c.expected) << c.name;
        EXPECT_EQ(made->addressBook(), nullptr) << c.name;
    }
}

struct MultiCase
{
    const char *name;
    QVariantMap dictionary;
    QString property;
    QList<StoredEntry> expected;
};

TEST_F(BrowserPersonTest, EmailAndPhones)
{
    const MultiCase cases[] = {
        {"e-mail, work by default",
         {{browserkeys::email, "a@x.org"}},
         kABEmailProperty,
         {{kABEmailWorkLabel, "a@x.org", true}}},
        {"home e-mail",
         {{browserkeys::email, "a@x.org"}, {browserkeys::emailHome, true}},
         kABEmailProperty,
         {{kABEmailHomeLabel, "a@x.org", true}}},
        {"empty e-mail", {{browserkeys::email, ""}}, kABEmailProperty, {}},
        {"mobile alone",
         {{browserkeys::mobilePhone, "555 1"}},
         kABPhoneProperty,
         {{kABPhoneMobileLabel, "555 1", true}}},
        {"fax alone has no primary",
         {{browserkeys::fax, "555 2"}},
         kABPhoneProperty,
         {{kABPhoneWorkFAXLabel, "555 2", false}}},
        {"home phone without mobile is primary",
         {{browserkeys::phone, "555 3"}, {browserkeys::phoneHome, true}},
         kABPhoneProperty,
         {{kABPhoneHomeLabel, "555 3", true}}},
        {"all three: the mobile stays primary",
         {{browserkeys::mobilePhone, "555 1"},
          {browserkeys::fax, "555 2"},
          {browserkeys::phone, "555 3"}},
         kABPhoneProperty,
         {{kABPhoneMobileLabel, "555 1", true},
          {kABPhoneWorkFAXLabel, "555 2", false},
          {kABPhoneWorkLabel, "555 3", false}}},
        {"fax and work phone: the phone is primary",
         {{browserkeys::fax, "555 2"}, {browserkeys::phone, "555 3"}},
         kABPhoneProperty,
         {{kABPhoneWorkFAXLabel, "555 2", false}, {kABPhoneWorkLabel, "555 3", true}}},
        {"no phone", {{browserkeys::mobilePhone, ""}}, kABPhoneProperty, {}},
    };
    for (const MultiCase &c : cases) {
        const PersonPtr made = personForBrowserDictionary(c.dictionary);
        EXPECT_EQ(storedEntries(made, c.property), c.expected) << c.name;
    }
}

TEST_F(BrowserPersonTest, Address)
{
    const QVariantMap full = QVariantMap({{browserkeys::street, "1 Main St"},
                                          {browserkeys::street2, "Flat 2"},
                                          {browserkeys::city, "Springfield"},
                                          {browserkeys::state, "IL"},
                                          {browserkeys::postal, "62701"},
                                          {browserkeys::country, "USA"}});
    const MultiCase cases[] = {
        {"every part, home",
         {{browserkeys::addrDict, full}, {browserkeys::addressHome, true}},
         kABAddressProperty,
         {{kABAddressHomeLabel,
           QVariantMap{{kABAddressStreetKey, "1 Main St\rFlat 2"},
                       {kABAddressCityKey, "Springfield"},
                       {kABAddressStateKey, "IL"},
                       {kABAddressZIPKey, "62701"},
                       {kABAddressCountryKey, "USA"}},
           true}}},
        {"a country alone is no address",
         {{browserkeys::addrDict, QVariantMap({{browserkeys::country, "USA"}})}},
         kABAddressProperty,
         {}},
        {"second street line alone; an empty city is kept; the locale's country",
         {{browserkeys::addrDict,
           QVariantMap({{browserkeys::street2, "Flat 2"}, {browserkeys::city, ""}})}},
         kABAddressProperty,
         {{kABAddressWorkLabel,
           QVariantMap{{kABAddressStreetKey, "Flat 2"},
                       {kABAddressCityKey, ""},
                       {kABAddressCountryKey, "United States"}},
           true}}},
        {"postal code alone",
         {{browserkeys::addrDict, QVariantMap({{browserkeys::postal, "0150"}})}},
         kABAddressProperty,
         {{kABAddressWorkLabel,
           QVariantMap{{kABAddressZIPKey, "0150"}, {kABAddressCountryKey, "United States"}},
           true}}},
    };
    for (const MultiCase &c : cases) {
        const PersonPtr made = personForBrowserDictionary(c.dictionary);
        EXPECT_EQ(storedEntries(made, c.property), c.expected) << c.name;
    }
}

TEST_F(BrowserPersonTest, AddressWithoutCountry_TakesTheDefaultCountryWhenItHoldsText)
{
    const QVariantMap dictionary = {
        {browserkeys::addrDict, QVariantMap({{browserkeys::city, "Oslo"}})}};
    UserDefaults::standard().setString("Norway", zeltor::kDefaultCountryKey);
    EXPECT_EQ(storedEntries(personForBrowserDictionary(dictionary), kABAddressProperty)
                  .value(0)
                  .value.toMap()
                  .value(kABAddressCountryKey),
              "Norway");
    UserDefaults::standard().setString("", zeltor::kDefaultCountryKey);
    EXPECT_EQ(storedEntries(personForBrowserDictionary(dictionary), kABAddressProperty)
                  .value(0)
                  .value.toMap()
                  .value(kABAddressCountryKey),
              "United States");
}

TEST_F(BrowserPersonTest, PanelKeys_EveryWorkAndHomeEntryIsKeptWithTheWorkOnePrimary)
{
    const QVariantMap panel = {
        {browserkeys::workEmail, "grace@navy.example"},
        {browserkeys::homeEmail, "grace@home.example"},
        {browserkeys::mobilePhone, "555-0100"},
        {browserkeys::workPhone, "555-0101"},
        {browserkeys::homePhone, "555-0102"},
        {browserkeys::faxPhone, "555-0103"},
        {browserkeys::workAddrDict, QVariantMap{{"street1", "1 Navy Way"},
                                                {"street2", "Room 2"},
                                                {"city", "Arlington"},
                                                {"state", "VA"},
                                                {"postal", "22201"},
                                                {"country", "USA"}}},
        // The panel starts every address with the default country: that alone is no address.
        {browserkeys::homeAddrDict,
         QVariantMap{{"street1", ""}, {"street2", ""}, {"city", ""}, {"country", "USA"}}},
        {browserkeys::workIM, "ghopper"},
        {browserkeys::workIMType, browserkeys::imJabber},
        {browserkeys::homeIM, "amazinggrace"},
        {browserkeys::homeIMType, browserkeys::imGoogleTalk},
    };
    const PersonPtr made = personForBrowserDictionary(panel);
    EXPECT_EQ(storedEntries(made, kABEmailProperty),
              (QList<StoredEntry>{{kABEmailWorkLabel, "grace@navy.example", true},
                                  {kABEmailHomeLabel, "grace@home.example", false}}));
    EXPECT_EQ(storedEntries(made, kABPhoneProperty),
              (QList<StoredEntry>{{kABPhoneMobileLabel, "555-0100", true},
                                  {kABPhoneWorkLabel, "555-0101", false},
                                  {kABPhoneHomeLabel, "555-0102", false},
                                  {kABPhoneWorkFAXLabel, "555-0103", false}}));
    EXPECT_EQ(storedEntries(made, kABAddressProperty),
              (QList<StoredEntry>{{kABAddressWorkLabel,
                                   QVariantMap{{kABAddressStreetKey, "1 Navy Way\rRoom 2"},
                                               {kABAddressCityKey, "Arlington"},
                                               {kABAddressStateKey, "VA"},
                                               {kABAddressZIPKey, "22201"},
                                               {kABAddressCountryKey, "USA"}},
                                   true}}));
    // Both handles are Jabber's: they share its property.
    EXPECT_EQ(storedEntries(made, kABJabberInstantProperty),
              (QList<StoredEntry>{{kABJabberWorkLabel, "ghopper", true},
                                  {kABJabberHomeLabel, "amazinggrace", false}}));

    const PersonPtr homeOnly = personForBrowserDictionary(
        {{browserkeys::homeEmail, "h@x.org"},
         {browserkeys::homePhone, "555 9"},
         {browserkeys::homeAddrDict, QVariantMap{{"street1", "2 Elm"}, {"country", "Norway"}}}});
    EXPECT_EQ(storedEntries(homeOnly, kABEmailProperty),
              (QList<StoredEntry>{{kABEmailHomeLabel, "h@x.org", true}}));
    EXPECT_EQ(storedEntries(homeOnly, kABPhoneProperty),
              (QList<StoredEntry>{{kABPhoneHomeLabel, "555 9", true}}));
    EXPECT_EQ(storedEntries(homeOnly, kABAddressProperty),
              (QList<StoredEntry>{
                  {kABAddressHomeLabel,
                   QVariantMap{{kABAddressStreetKey, "2 Elm"}, {kABAddressCountryKey, "Norway"}},
                   true}}));
}

struct InstantCase
{
    int code;
    bool home;
    QString property;
    QString label;
    bool logged;
};

TEST_F(BrowserPersonTest, InstantMessaging_EveryServiceCodeKeepsTheHandle)
{
    const InstantCase cases[] = {
        {0, true, kABAIMInstantProperty, kABAIMHomeLabel, false},
        {0, false, kABAIMInstantProperty, kABAIMWorkLabel, false},
        {1, true, kABJabberInstantProperty, kABJabberHomeLabel, false},
        {2, false, kABICQInstantProperty, kABICQWorkLabel, false},
        {3, false, kABJabberInstantProperty, kABJabberWorkLabel, false},
        {4, true, kABMSNInstantProperty, kABMSNHomeLabel, false},
        {7, false, kABYahooInstantProperty, kABYahooWorkLabel, false},
        {5, true, kABOtherInstantProperty, "QQ", true},
        {6, false, kABOtherInstantProperty, "Skype", true},
        {-1, true, kABOtherInstantProperty, "", true},
        {12, false, kABOtherInstantProperty, "", true},
    };
    LogCapture::setLevel(1);
    for (const InstantCase &c : cases) {
        LogCapture log;
        const PersonPtr made = personForBrowserDictionary({{browserkeys::im, "handle"},
                                                           {browserkeys::imType, c.code},
                                                           {browserkeys::imHome, c.home}});
        EXPECT_EQ(storedEntries(made, c.property), (QList<StoredEntry>{{c.label, "handle", true}}))
            << c.code;
        EXPECT_EQ(log.lines().size(), c.logged ? 1 : 0) << c.code;
        if (c.logged) {
            EXPECT_TRUE(log.lines().value(0).contains("handle")) << c.code;
        }
    }
}

TEST_F(BrowserPersonTest, InstantMessaging_NoHandleNoEntry)
{
    const PersonPtr made =
        personForBrowserDictionary({{browserkeys::im, ""}, {browserkeys::imType, 6}});
    for (const QString &property :
         {kABAIMInstantProperty, kABJabberInstantProperty, kABOtherInstantProperty})
        EXPECT_FALSE(made->valueForProperty(property).isValid()) << property.toStdString();
}

} // namespace
