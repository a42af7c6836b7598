#include "foundation/parsers/addressparser.h"
#include "foundation/parsers/countrynames.h"
#include "foundation/parsers/parserkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/localizedpropertyorlabel.h"
#include "platform/defaults/userdefaults.h"
#include "tests/support/logcapture.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace zeltor {

// Shown when a case fails.
void PrintTo(const GoogleAddress &a, std::ostream *os)
{
    *os << "{" << a.street1.toStdString() << "|" << a.street2.toStdString() << "|"
        << a.city.toStdString() << "|" << a.state.toStdString() << "|" << a.postal.toStdString()
        << "|" << a.country.toStdString() << "}";
}

} // namespace zeltor

namespace {

// City, state and ZIP in that order, an English locale and a default country, as a US user has.
class AddressParser : public LogCaptureTest
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
    }
    void TearDown() override
    {
        QLocale::setDefault(QLocale::c());
        for (const QString &key : {zeltor::kLabel1Key, zeltor::kLabel2Key, zeltor::kLabel3Key,
                                   zeltor::kDefaultCountryKey})
            UserDefaults::standard().removeObjectForKey(key);
    }
};

struct CszCase
{
    const char *line;
    const char *city, *state, *zip, *country;
};

void expectCsz(const CszCase &c)
{
    const zeltor::CityStateZip parsed = zeltor::parseCSZ(QString::fromUtf8(c.line));
    EXPECT_EQ(parsed.city, QString::fromUtf8(c.city)) << c.line;
    EXPECT_EQ(parsed.state, QString::fromUtf8(c.state)) << c.line;
    EXPECT_EQ(parsed.zip, QString::fromUtf8(c.zip)) << c.line;
    EXPECT_EQ(parsed.country, QString::fromUtf8(c.country)) << c.line;
}

TEST_F(AddressParser, ParseCSZ_SplitsCityStateZipAndCountry)
{
    const CszCase cases[] = {
        {"Springfield, IL 62704", "Springfield", "IL", "62704", "United States"},
        {"springfield il 62704", "springfield", "IL", "62704", "United States"},
        {"New York NY 10001 USA", "New York", "NY", "10001", "United States"},
        {"62704", "", "", "62704", "United States"},
        {"Paris", "Paris", "", "", "United States"},
        {"75001 Paris", "", "", "75001", "Paris"},
        {"Chicago illinois 60601", "Chicago", "Illinois", "60601", "United States"},
        {"Springfield. IL 62704", "Springfield", "IL", "62704", "United States"},
        {"Lyon, Rhone 69001 FR", "Lyon", "Rhone", "69001", "France"},
        {"  Austin,   TX   78701  ", "Austin", "TX", "78701", "United States"},
        // the name of a city keeps its inner punctuation
        {"St. Louis, MO 63101", "St. Louis", "MO", "63101", "United States"},
        {"Coeur d'Alene ID 83814", "Coeur d'Alene", "ID", "83814", "United States"},
        {"Winston-Salem, NC 27101", "Winston-Salem", "NC", "27101", "United States"},
        // a two-letter word before the postal code is the state, however long the city
        {"San Luis Obispo CA 93401", "San Luis Obispo", "CA", "93401", "United States"},
        {"Rancho Santa Margarita CA 92688 US", "Rancho Santa Margarita", "CA", "92688",
         "United States"},
        {"Toronto ON M5V 3L9", "Toronto", "ON", "M5V 3L9", "United States"},
        // after a comma the postal code is found wherever it stands
        {"Paris, 75001 France", "Paris", "", "75001", "France"},
        {"Toronto, ON M5V 3L9 CA", "Toronto", "ON", "M5V 3L9", "Canada"},
        {"London, SW1A 1AA UK", "London", "", "SW1A 1AA", "UK"},
        // the two halves of a United Kingdom postcode stay together
        {"London SW1A 1AA", "London", "", "SW1A 1AA", "United States"},
        {"Kirkwall KW15 1AA UK", "Kirkwall", "", "KW15 1AA", "UK"},
        {"Milton Keynes MK9 3BZ", "Milton Keynes", "", "MK9 3BZ", "United States"},
    };
    for (const CszCase &c : cases)
        expectCsz(c);
}

TEST_F(AddressParser, ParseCSZ_CountryFallsBackToTheLocaleWithoutAPreference)
{
    UserDefaults::standard().setString("", zeltor::kDefaultCountryKey);
    expectCsz({"Boston MA 02108", "Boston", "MA", "02108", "United States"});
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    expectCsz({"Berlin 10115", "Berlin", "", "10115", "Deutschland"});
}

TEST_F(AddressParser, ParseCSZ_PositionsGoToTheFieldsTheLabelsName)
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setString(localizedPropertyOrLabel(kABAddressStateKey), zeltor::kLabel1Key);
    defaults.setString(localizedPropertyOrLabel(kABAddressCityKey), zeltor::kLabel2Key);
    expectCsz({"Bavaria Munich 80331", "Munich", "Bavaria", "80331", "United States"});
    defaults.removeObjectForKey(zeltor::kLabel3Key);
    expectCsz({"Bavaria Munich 80331", "Munich", "Bavaria", "", "United States"});
}

TEST_F(AddressParser, UnpackAddress_ReadsRowsByTheirNumber)
{
    struct Case
    {
        const char *text;
        zeltor::GoogleAddress expected; // street1, street2, city, state, postal, country
    };
    const Case cases[] = {
        {"12 Main St\nApt 4\nSpringfield, IL 62704\nUSA",
         {"12 Main St", "Apt 4", "Springfield", "IL", "62704", "USA"}},
        {"12 Main St\nSpringfield, IL\n62704",
         {"12 Main St", "", "Springfield", "IL", "62704", ""}},
        {"5 Elm Street", {"5 Elm Street", "", "", "", "", ""}},
        {"05 Elm Street", {"", "", "05 Elm", "Street", "", "United States"}},
        {"Springfield, IL 62704", {"", "", "Springfield", "IL", "62704", "United States"}},
        {"12 Main St\rSpringfield, IL 62704",
         {"12 Main St", "", "Springfield", "IL", "62704", "United States"}},
        {"12 Main St\nSpringfield, IL 62704\nUSA",
         {"12 Main St", "", "Springfield", "IL", "62704", "USA"}},
        {"12 Main St\nBuilding 7, Floor 3\nSpringfield, IL 62704",
         {"12 Main St", "Building 7, Floor 3", "Springfield", "IL", "62704", ""}},
        {"12 Main St\n \n   \nSpringfield, IL 62704\n",
         {"12 Main St", "", "Springfield", "IL", "62704", "United States"}},
        // line ends of pasted text do not stay in the fields
        {"12 Main St\r\nApt 4\r\nSpringfield, IL 62704\r\nUSA",
         {"12 Main St", "Apt 4", "Springfield", "IL", "62704", "USA"}},
        {"12 Main St\nApt 4\nSpringfield, IL\n62704\nUSA",
         {"12 Main St", "Apt 4", "Springfield", "IL", "62704", "USA"}},
        // street rows beyond the second are kept, not dropped
        {"Acme Corp\n12 Main St\nSuite 5\nSpringfield, IL\n62704\nUSA",
         {"Acme Corp", "12 Main St\nSuite 5", "Springfield", "IL", "62704", "USA"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(zeltor::unpackAddress(c.text), c.expected) << c.text;
}

TEST_F(AddressParser, UnpackAddress_WithACountryTestATownAfterThePostalCodeIsTheCity)
{
    struct Case
    {
        const char *text;
        zeltor::GoogleAddress expected; // street1, street2, city, state, postal, country
    };
    const Case cases[] = {
        {"8 rue de la Paix\n75002 Paris",
         {"8 rue de la Paix", "", "Paris", "", "75002", "United States"}},
        {"12 rue de Rivoli\n75001 Paris\nFrance",
         {"12 rue de Rivoli", "", "Paris", "", "75001", "France"}},
        // a country stays a country, and a city before the postal code stays the city
        {"4 Kirchstrasse\n10115 Germany", {"4 Kirchstrasse", "", "", "", "10115", "Germany"}},
        {"4 Kirchstrasse\n10115 DE", {"4 Kirchstrasse", "", "", "", "10115", "Germany"}},
        {"12 Main St\nSpringfield, IL 62704",
         {"12 Main St", "", "Springfield", "IL", "62704", "United States"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(zeltor::unpackAddress(c.text, zeltor::isCountryName), c.expected) << c.text;
    // Without a test the word stays where the line put it.
    EXPECT_EQ(zeltor::unpackAddress("8 rue de la Paix\n75002 Paris").country, "Paris");
}

TEST_F(AddressParser, UnpackAddress_WithoutRowsLogsAndGivesEmptyFields)
{
    setLevel(1);
    for (const char *text : {"", "  \n ", "\r\r"})
        EXPECT_EQ(zeltor::unpackAddress(text), zeltor::GoogleAddress{}) << text;
    EXPECT_EQ(lines(), QStringList(3, "[NSString unpackAddress] - No Rows in googleAddress"));
}

} // namespace
