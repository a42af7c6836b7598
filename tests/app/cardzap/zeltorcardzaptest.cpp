#include "app/cardzap/zeltorcardzap.h"
#include "foundation/parsers/parserkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/localizedpropertyorlabel.h"
#include "platform/defaults/userdefaults.h"
#include "tests/support/logcapture.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

using Fields = ZeltorCardzap::Fields;

// A US user's settings: city, state and ZIP in that order, phone numbers of 7 digits or more.
class Cardzap : public LogCaptureTest
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
        UserDefaults &defaults = UserDefaults::standard();
        defaults.setString(localizedPropertyOrLabel(kABAddressCityKey), zeltor::kLabel1Key);
        defaults.setString(localizedPropertyOrLabel(kABAddressStateKey), zeltor::kLabel2Key);
        defaults.setString(localizedPropertyOrLabel(kABAddressZIPKey), zeltor::kLabel3Key);
        defaults.setString("United States", zeltor::kDefaultCountryKey);
        defaults.setInteger(7, zeltor::kMinPhoneNumberLengthKey);
        defaults.setBool(false, zeltor::kNameParserPesumeDoubleFirstKey);
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    static Fields name(const QString &first, const QString &last)
    {
        return {{"nameDict.prefix", ""},
                {"nameDict.first", first},
                {"nameDict.nick", ""},
                {"nameDict.last", last},
                {"nameDict.suffix", ""}};
    }
    static Fields address(const QString &street, const QString &city, const QString &state,
                          const QString &postal, const QString &country)
    {
        return {{"homeAddrDict.street", street},
                {"homeAddrDict.city", city},
                {"homeAddrDict.state", state},
                {"homeAddrDict.postal", postal},
                {"homeAddrDict.country", country}};
    }
    static Fields merged(std::initializer_list<Fields> parts)
    {
        Fields all;
        for (const Fields &part : parts)
            all.insert(part);
        return all;
    }
};

struct Block
{
    const char *what;
    QString text;
    Fields expected;
};

void expectFields(const Block &block)
{
    const Fields found = ZeltorCardzap::analyzeString(block.text, "home");
    EXPECT_EQ(found, block.expected)
        << block.what << "\nfound:    " << QStringList(found.keys()).join(u',').toStdString()
        << "\n"
        << QStringList(found.values()).join(u'|').toStdString();
}

TEST_F(Cardzap, FirstLineAlone)
{
    const Block blocks[] = {
        {"an address alone is lower-cased",
         "John.Smith@Example.com",
         {{"homeEmail", "john.smith@example.com"}}},
        {"a word is a first name", "Madonna", {{"nameDict.first", "Madonna"}}},
        {"a number alone is kept as typed", "555-123-4567", {{"homePhone", "555-123-4567"}}},
        {"a link alone", "www.example.com", {{"url", "www.example.com"}}},
        {"a name with an address, a number and a link",
         "John Smith john@example.com cell 555-123-4567 www.example.com",
         merged({name("John", "Smith"),
                 {{"homeEmail", "john@example.com"},
                  {"mobilePhone", "5551234567"},
                  {"url", "www.example.com"}}})},
    };
    for (const Block &block : blocks)
        expectFields(block);
}

TEST_F(Cardzap, RemainingLinesByTheirNumber)
{
    setLevel(1);
    const Block blocks[] = {
        {"one line without digits is the organisation", "Jane Doe\nAcme Corp",
         merged({name("Jane", "Doe"), {{"org", "Acme Corp"}}})},
        {"one street line", "Jane Doe\n12 Main St",
         merged({name("Jane", "Doe"), {{"homeAddrDict.street", "12 Main St"}}})},
        {"one city line", "Jane Doe\nSpringfield, IL 62704",
         merged({name("Jane", "Doe"),
                 {{"homeAddrDict.city", "Springfield"},
                  {"homeAddrDict.state", "IL"},
                  {"homeAddrDict.postal", "62704"},
                  {"homeAddrDict.country", "United States"}}})},
        {"two lines without digits are job and organisation", "Jane Doe\nEngineer\nAcme Corp",
         merged({name("Jane", "Doe"), {{"job", "Engineer"}, {"org", "Acme Corp"}}})},
        {"organisation and street", "Jane Doe\nAcme Corp\n12 Main St",
         merged(
             {name("Jane", "Doe"), {{"org", "Acme Corp"}, {"homeAddrDict.street", "12 Main St"}}})},
        {"street and city line", "Jane Doe\n12 Main St\nSpringfield, IL 62704",
         merged({name("Jane", "Doe"),
                 address("12 Main St", "Springfield", "IL", "62704", "United States")})},
        {"digits only in the first of two lines place nothing", "Jane Doe\nSuite 5\nSpringfield",
         name("Jane", "Doe")},
        {"three lines", "Jane Doe\nAcme Corp\n12 Main St\nSpringfield, IL 62704",
         merged({name("Jane", "Doe"),
                 {{"org", "Acme Corp"}},
                 address("12 Main St", "Springfield", "IL", "62704", "United States")})},
        {"four lines", "Jane Doe\nEngineer\nAcme Corp\n12 Main St\nSpringfield, IL 62704",
         merged({name("Jane", "Doe"),
                 {{"job", "Engineer"}, {"org", "Acme Corp"}},
                 address("12 Main St", "Springfield", "IL", "62704", "United States")})},
        {"four lines, a country after the city line",
         "Jane Doe\nEngineer\n12 Main St\nSpringfield, IL 62704\nUSA",
         merged({name("Jane", "Doe"),
                 {{"job", "Engineer"}, {"org", ""}},
                 address("12 Main St", "Springfield", "IL", "62704", "USA")})},
        {"five lines with a second street line",
         "Jane Doe\nAcme Corp\nEngineer\n12 Main St\nBuilding B\nSpringfield IL 62704",
         merged(
             {name("Jane", "Doe"),
              {{"job", "Engineer"}, {"org", "Acme Corp"}},
              address("12 Main St\rBuilding B", "Springfield", "IL", "62704", "United States")})},
        {"five lines: the city line after a street is not glued to it",
         "Jane Doe\nJob\nOrg\n123 Main St\nSpringfield IL 62701\nUSA",
         merged({name("Jane", "Doe"),
                 {{"job", "Org"}, {"org", "Job"}},
                 address("123 Main St", "Springfield", "IL", "62701", "USA")})},
        {"five lines, a street on line 4 is kept",
         "Jane Doe\nAcme Corp\nSales\nEast Region\n12 Main St\nSpringfield IL 62704",
         merged({name("Jane", "Doe"),
                 {{"job", "East Region - Sales"}, {"org", "Acme Corp"}},
                 address("12 Main St", "Springfield", "IL", "62704", "United States")})},
        {"five lines, a street on line 5 is kept",
         "Jane Doe\nAcme Corp\nSales\nSpringfield IL 62704\nEast\n12 Main St",
         merged({name("Jane", "Doe"),
                 {{"job", "East - Sales"}, {"org", "Acme Corp"}},
                 address("12 Main St", "Springfield", "IL", "62704", "United States")})},
        {"six lines",
         "Jane Doe\nEngineer\nAcme Corp\n12 Main St\nSuite 5\nSpringfield, IL 62704\nCanada",
         merged({name("Jane", "Doe"),
                 {{"job", "Engineer"},
                  {"org", "Acme Corp"},
                  {"homeAddrDict.street", "12 Main St\rSuite 5"},
                  {"homeAddrDict.city", "Springfield"},
                  {"homeAddrDict.state", "IL"},
                  {"homeAddrDict.postal", "62704"},
                  {"homeAddrDict.country", "Canada"}}})},
        {"seven lines store nothing from them", "Jane Doe\na\nb\nc\nd\ne\nf\ng",
         name("Jane", "Doe")},
        {"no line break: the first line only", "Jane Doe", name("Jane", "Doe")},
    };
    for (const Block &block : blocks)
        expectFields(block);
    // the lines that fit no count are logged: seven of them, and none after a lone first line
    EXPECT_EQ(lines(), (QStringList{
                           "[ZeltorCardzap analyzeString:defaultType:] - UNEXPECTED workArray = "
                           "(a, b, c, d, e, f, g)",
                           "[ZeltorCardzap analyzeString:defaultType:] - UNEXPECTED workArray = ()",
                       }));
}

// A line after the city line is its country only when it names one; otherwise it keeps its place
// among the job and organisation lines, whichever comes first.
TEST_F(Cardzap, CountryLine_OnlyWhenItNamesACountry)
{
    const Block blocks[] = {
        {"four lines, the organisation after the city line",
         "Jane Doe\n42 Elm Street\nSpringfield, IL 62704\nAcme Widgets\nSales Manager",
         merged({name("Jane", "Doe"),
                 {{"job", "Acme Widgets"}, {"org", "Sales Manager"}},
                 address("42 Elm Street", "Springfield", "IL", "62704", "United States")})},
        {"four lines, a spelling of a country after the city line",
         "Jane Doe\nEngineer\n10 High St\nLondon SW1A 1AA\nU.K.",
         merged({name("Jane", "Doe"),
                 {{"job", "Engineer"}, {"org", ""}},
                 address("10 High St", "London", "", "SW1A 1AA", "U.K.")})},
        {"five lines, the organisation and the job after the city line",
         "Jane Doe\n42 Elm Street\nSpringfield, IL 62704\nAcme Widgets\nSales Manager\n"
         "Engineering",
         merged({name("Jane", "Doe"),
                 {{"job", "Engineering - Sales Manager"}, {"org", "Acme Widgets"}},
                 address("42 Elm Street", "Springfield", "IL", "62704", "United States")})},
        {"five lines, the organisation and the job before the city line, a country after it",
         "Jane Doe\nAcme Widgets\nSales Manager\n42 Elm Street\nSpringfield, IL 62704\nCanada",
         merged({name("Jane", "Doe"),
                 {{"job", "Sales Manager"}, {"org", "Acme Widgets"}},
                 address("42 Elm Street", "Springfield", "IL", "62704", "Canada")})},
    };
    for (const Block &block : blocks)
        expectFields(block);
}

TEST_F(Cardzap, LinesWithAddressesNumbersAndLinksAreTakenOut)
{
    const Block blocks[] = {
        {"the e-mail line leaves the organisation alone", "Jane Doe\nAcme Corp\njane@acme.example",
         merged({name("Jane", "Doe"), {{"org", "Acme Corp"}, {"homeEmail", "jane@acme.example"}}})},
        {"one line gives an address and a number and is dropped once",
         "Jane Doe\nAcme Corp\njane@acme.example 555-123-4567",
         merged({name("Jane", "Doe"),
                 {{"org", "Acme Corp"},
                  {"homeEmail", "jane@acme.example"},
                  {"homePhone", "5551234567"}}})},
        {"a labelled number goes under its kind",
         "Jane Doe\nMobile: (555) 123-4567\nFax 555 765 4321",
         merged(
             {name("Jane", "Doe"), {{"mobilePhone", "5551234567"}, {"faxPhone", "5557654321"}}})},
        {"a link line", "Jane Doe\nhttps://acme.example/jane",
         merged({name("Jane", "Doe"), {{"url", "https://acme.example/jane"}}})},
    };
    for (const Block &block : blocks)
        expectFields(block);
    // an unlabelled number goes under the panel's own type
    const Fields work = ZeltorCardzap::analyzeString("Jane Doe\n555-123-4567", "work");
    EXPECT_EQ(work.value("workPhone"), "5551234567");
}

// Pasted mail and web text ends its lines with CR LF: no field keeps a carriage return.
TEST_F(Cardzap, CarriageReturnLineFeedLineEnds)
{
    expectFields({"CR LF", "Jane Doe\r\nAcme Corp\r\n12 Main St\r\nSpringfield, IL 62704\r\n",
                  merged({name("Jane", "Doe"),
                          {{"org", "Acme Corp"}},
                          address("12 Main St", "Springfield", "IL", "62704", "United States")})});
    expectFields(
        {"CR", "Jane Doe\rAcme Corp", merged({name("Jane", "Doe"), {{"org", "Acme Corp"}}})});
}

TEST_F(Cardzap, NameCaseSetsTheLettersOfNamesAndPlaces)
{
    const QString text = "jANE dOE\nacme CORP\n12 main st\nspringfield, il 62704";
    struct Case
    {
        int nameCase;
        const char *first, *org, *street, *city;
    };
    const Case cases[] = {
        {0, "jANE", "acme CORP", "12 main st", "springfield"},
        {1, "JANE", "ACME CORP", "12 MAIN ST", "SPRINGFIELD"},
        {2, "Jane", "Acme Corp", "12 Main St", "Springfield"},
        {3, "jane", "acme corp", "12 main st", "springfield"},
    };
    for (const Case &c : cases) {
        UserDefaults::standard().setInteger(c.nameCase, ZeltorCardzap::kNameCaseKey);
        const Fields found = ZeltorCardzap::analyzeString(text, "home");
        EXPECT_EQ(found.value("nameDict.first"), c.first) << c.nameCase;
        EXPECT_EQ(found.value("org"), c.org) << c.nameCase;
        EXPECT_EQ(found.value("homeAddrDict.street"), c.street) << c.nameCase;
        EXPECT_EQ(found.value("homeAddrDict.city"), c.city) << c.nameCase;
        // state, postal code and country keep their letters
        EXPECT_EQ(found.value("homeAddrDict.state"), "IL") << c.nameCase;
        EXPECT_FALSE(found.contains("job")) << c.nameCase;
    }
}

} // namespace
