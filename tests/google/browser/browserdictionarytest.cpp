#include "tests/support/google/googleentrytest.h"

#include "google/browser/browserdictionary.h"
#include "google/browser/browserextendedproperty.h"
#include "google/browser/namedictionary.h"
#include "google/engine/googlekeys.h"
#include "google/entries/contactaddresshints.h"
#include "google/entries/flatteneddictionary.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataconstants.h"

#include <QImage>
#include <QTimeZone>

namespace {

using namespace tolvane;
using Short = QMap<QString, QString>;

class BrowserDictionaryTest : public GoogleEntryTest
{
protected:
    static GDataExtendedProperty property(const std::vector<GDataExtendedProperty::XMLValue> &xml)
    {
        GDataExtendedProperty made = GDataExtendedProperty::propertyWithName(kContactProperty);
        made.setXMLValues(xml);
        return made;
    }
    static GDataLink photo(const std::optional<QString> &etag)
    {
        return {kGDataLinkRelPhoto, "image/*", "http://c/photos/9", etag};
    }
};

TEST_F(BrowserDictionaryTest, HasExactlyItsKeysWithTheContactsValues)
{
    const auto contact = GDataEntryContact::contactEntryWithTitle(QStringLiteral("Ada Lovelace"));
    contact->setIdentifier(QStringLiteral("http://c/base/9"));
    contact->setExtendedProperties({property({{"aID", "P:ABPerson"}, {"gender", "F"}})});
    contact->setLinks({photo(QString("\"e1\""))});
    contact->setEmailAddresses({{"ada@home", QString(kGDataContactHome), {}, false},
                                {"ada@work", QString(kGDataContactWork), {}, false}});
    contact->setPhoneNumbers({{"555-1", QString(kGDataPhoneNumberMobile), {}, false}});
    contact->setIMAddresses(
        {{"ada", QString(kGDataIMProtocolSkype), std::nullopt, std::nullopt, false}});
    contact->setPostalAddresses(
        {{"1 Main St\nSpringfield IL 62704", QString(kGDataContactHome), {}, false}});
    contact->setOrganizations({{"Engines", "Analyst", {}, {}, true}});
    contact->setContentWithString(QStringLiteral("note"));

    const QVariantMap dictionary = tolvaneBrowserDictionary(*contact);
    const QStringList keys = {
        "gID",         "abid",       "hasImage",     "gHasExP",       "photoLink",    "imageLoaded",
        "image",       "newImage",   "name",         "nameWithImage", "homeEmail",    "workEmail",
        "mobilePhone", "homePhone",  "workPhone",    "homeLocation",  "workLocation", "org",
        "job",         "nameDict",   "homeAddrDict", "workAddrDict",  "homeIM",       "homeIMType",
        "workIM",      "workIMType", "notes",        "isCo",          "gender",       "genderImage",
        "delta"};
    QStringList sorted = keys;
    sorted.sort();
    EXPECT_EQ(dictionary.keys(), sorted);

    const QVariantMap expected = {{"gID", "http://c/base/9"},
                                  {"abid", "P:ABPerson"},
                                  {"hasImage", true},
                                  {"gHasExP", true},
                                  {"photoLink", "http://c/photos/9"},
                                  {"imageLoaded", false},
                                  {"newImage", ""},
                                  {"name", "Ada Lovelace"},
                                  {"homeEmail", "ada@home"},
                                  {"workEmail", "ada@work"},
                                  {"mobilePhone", "555-1"},
                                  {"homePhone", ""},
                                  {"workPhone", ""},
                                  {"homeLocation", "Springfield  IL  62704"},
                                  {"workLocation", ""},
                                  {"org", "Engines"},
                                  {"job", "Analyst"},
                                  {"nameDict", QVariantMap{{"first", "Ada"},
                                                           {"last", "Lovelace"},
                                                           {"nick", ""},
                                                           {"middle", ""},
                                                           {"isCompany", false},
                                                           {"coName", ""}}},
                                  {"homeAddrDict", QVariantMap{{"street1", "1 Main St"},
                                                               {"street2", ""},
                                                               {"city", "Springfield"},
                                                               {"state", "IL"},
                                                               {"postal", "62704"},
                                                               {"country", "United States"}}},
                                  {"workAddrDict", QVariantMap{{"street1", ""},
                                                               {"street2", ""},
                                                               {"city", ""},
                                                               {"state", ""},
                                                               {"postal", ""},
                                                               {"country", ""}}},
                                  {"homeIM", ""},
                                  {"homeIMType", -1},
                                  {"workIM", "ada"},
                                  {"workIMType", 6},
                                  {"notes", "note"},
                                  {"isCo", false},
                                  {"gender", 0},
                                  {"delta", 0}};
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        EXPECT_EQ(dictionary.value(it.key()), it.value()) << it.key().toStdString();
    // The title with the type icon's name, for the item delegate to paint.
    EXPECT_EQ(dictionary.value("nameWithImage").value<NameWithImage>(),
              (NameWithImage{"Ada Lovelace", "Account"}));
}

TEST_F(BrowserDictionaryTest, Icons_ByKindPhotoAndGender)
{
    const struct
    {
        const char *name;
        bool company;
        std::optional<QString> etag;
        QString gender;
        bool genderImages;
        QString typeIcon;
        QString genderIcon;
    } cases[] = {
        {"company with photo", true, QString("e"), "F", true, "Company", "Blank32"},
        {"woman without photo", false, std::nullopt, "F", true, "Blank32", "Female"},
        {"man with photo", false, QString("e"), "M", true, "Account", "Male"},
        {"no gender", false, std::nullopt, "", true, "Blank32", "Blank32"},
        {"gender images off", false, std::nullopt, "M", false, "Blank32", "Blank32"},
    };
    for (const auto &c : cases) {
        UserDefaults::standard().setBool(c.genderImages, googlekeys::useGenderBasedImages);
        GDataEntryContact contact;
        contact.setExtendedProperties(
            {property({{"isCo", c.company ? "1" : "0"}, {"gender", c.gender}})});
        contact.setLinks({photo(c.etag)});
        EXPECT_EQ(typeIconName(contact), c.typeIcon) << c.name;
        EXPECT_EQ(genderIconName(contact), c.genderIcon) << c.name;
    }
}

TEST_F(BrowserDictionaryTest, PhotoLink_EmptyWithoutAStoredPhoto)
{
    GDataEntryContact contact;
    contact.setLinks({photo(std::nullopt)});
    const QVariantMap dictionary = tolvaneBrowserDictionary(contact);
    EXPECT_EQ(dictionary.value("photoLink"), "");
    EXPECT_EQ(dictionary.value("hasImage"), false);
}

TEST_F(BrowserDictionaryTest, NameDictionary_CompanyOrSplitTitle)
{
    const auto company = GDataEntryContact::contactEntryWithTitle(QStringLiteral("Acme, Inc"));
    company->setExtendedProperties({property({{"isCo", "1"}})});
    EXPECT_EQ(tolvaneNameDictionary(*company), (QVariantMap{{"first", ""},
                                                            {"last", ""},
                                                            {"nick", ""},
                                                            {"middle", ""},
                                                            {"isCompany", true},
                                                            {"coName", "Acme, Inc"}}));
    const auto person =
        GDataEntryContact::contactEntryWithTitle(QStringLiteral("Robert \"Bob\" Smith"));
    EXPECT_EQ(tolvaneNameDictionary(*person), (QVariantMap{{"first", "Robert"},
                                                           {"last", "Smith"},
                                                           {"nick", "Bob"},
                                                           {"middle", ""},
                                                           {"isCompany", false},
                                                           {"coName", ""}}));
    const GDataEntryContact untitled;
    EXPECT_EQ(tolvaneNameDictionary(untitled).value("first"), "");
    EXPECT_EQ(tolvaneNameDictionary(untitled).value("last"), "");
}

TEST_F(BrowserDictionaryTest, BrowserProperty_ExactXML)
{
    const QDateTime now(QDate(2009, 3, 14), QTime(22, 9, 26), QTimeZone::utc());
    const auto contact = GDataEntryContact::contactEntryWithTitle(QStringLiteral("Ada & Co"));
    const QVariantMap dictionary = {
        {"gID", "http://c/base/9"},
        {"isCo", 1},
        {"gender", 1},
        {"org", "Engines"},
        {"nameDict", QVariantMap{{"first", "Ada"}, {"last", "Lovelace"}}}};
    contact->addExtendedProperty(
        googleExtendedPropertiesForBrowserDictionary(*contact, dictionary, now));
    EXPECT_EQ(propertyXML(*contact),
              "<gd:extendedProperty name=\"tolvaneContact\"><aID>tolvaneBrowser</aID>"
              "<dm1111111111000>2009-03-14 15:09:26 -0700</dm1111111111000>"
              "<asOf>2009-03-14 15:09:26 -0700</asOf><isCo>1</isCo><gender>M</gender>"
              "<gT>Ada &amp; Co</gT><aF>Ada</aF><aN/><aL>Lovelace</aL><aC>Engines</aC>"
              "<gID>http://c/base/9</gID></gd:extendedProperty>");
}

TEST_F(BrowserDictionaryTest, BrowserProperty_GenderText)
{
    const struct
    {
        QVariant gender;
        QString text;
    } cases[] = {{1, "M"}, {2, "M"}, {0, "F"}, {-1, ""}, {QVariant(), ""}};
    const GDataEntryContact contact;
    for (const auto &c : cases) {
        QVariantMap dictionary;
        if (c.gender.isValid())
            dictionary.insert("gender", c.gender);
        const GDataExtendedProperty property =
            googleExtendedPropertiesForBrowserDictionary(contact, dictionary);
        EXPECT_EQ(property.XMLValueForKey("gender"), c.text) << c.gender.toInt();
        EXPECT_EQ(property.XMLValueForKey("isCo"), "0");
        EXPECT_EQ(property.XMLValueForKey("gID"), "");
    }
}

TEST_F(BrowserDictionaryTest, ReviewedAddresses_OnlyElementsNamedAddress)
{
    GDataEntryContact contact;
    contact.setExtendedProperties({property(
        {{"addr-1", "short"}, {"address-7", "first"}, {"aID", "x"}, {"address-300", "second"}})});
    EXPECT_EQ(tolvaneExPAddresses(contact), (QStringList{"first", "second"}));
    EXPECT_EQ(tolvaneRawAddresses(contact), (QStringList{"first", "second"}));
    contact.addExtendedProperty(property({{"address-8", "third"}}));
    EXPECT_EQ(tolvaneExPAddresses(contact), QStringList());
}

TEST_F(BrowserDictionaryTest, AddressDictionary_AlwaysTheShortKeys)
{
    const QString reviewed = flatteneddictionary::flattenDictionary(
        {{"abAddressHints", "YES"},
         {"label", "home"},
         {"street", "Smith &amp; Sons\rUnit 4"},
         {"city", "Lyon"},
         {"state", ""},
         {"postal", "69001"},
         {"country", "France"},
         {"googleAddressText", "SmithSonsUnit4Lyon69001France"}});
    const struct
    {
        const char *name;
        std::vector<GDataExtendedProperty> properties;
        std::vector<GDataPostalAddress> addresses;
        Short expected;
    } cases[] = {
        {"reviewed address",
         {property({{"address-5", reviewed}})},
         {GDataPostalAddress::postalAddressWithString("1 Main St\nSpringfield IL 62704")},
         {{"r", "Smith & Sons"},
          {"r2", "Unit 4"},
          {"c", "Lyon"},
          {"s", ""},
          {"p", "69001"},
          {"t", "France"}}},
        {"primary postal address",
         {},
         {GDataPostalAddress::postalAddressWithString("9 Other Rd\nPeoria IL 61602"),
          {"1 Main St\nSuite 2\nSpringfield IL 62704", {}, {}, true}},
         {{"r", "1 Main St"},
          {"r2", "Suite 2"},
          {"c", "Springfield"},
          {"s", "IL"},
          {"p", "62704"},
          {"t", "United States"}}},
        {"empty address text",
         {},
         {GDataPostalAddress::postalAddressWithString("")},
         {{"r", ""}, {"r2", ""}, {"c", ""}, {"s", ""}, {"p", ""}, {"t", ""}}},
        {"no address", {}, {}, {{"r", ""}, {"r2", ""}, {"c", ""}, {"s", ""}, {"p", ""}, {"t", ""}}},
    };
    for (const auto &c : cases) {
        GDataEntryContact contact;
        contact.setExtendedProperties(c.properties);
        contact.setPostalAddresses(c.addresses);
        EXPECT_EQ(tolvaneAddressDictionary(contact), c.expected) << c.name;
    }
}

} // namespace
