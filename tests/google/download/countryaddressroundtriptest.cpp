// A postal address goes up to Google in its country's layout and comes back down with every
// field where it was.

#include "tests/support/google/abpersontestbook.h"

#include "foundation/parsers/parserkeys.h"
#include "google/download/multivaluemapping.h"
#include "google/upload/elementmapping.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/localizedpropertyorlabel.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"

namespace {

struct AddressCase
{
    const char *name;
    const char *street;
    const char *city;
    const char *state;
    const char *zip;
    const char *country;
};

const AddressCase kCases[] = {
    {"UnitedStates", "1600 Pennsylvania Ave NW", "Washington", "DC", "20500", "United States"},
    {"UnitedStatesTwoStreetLines", "42 Elm Street\rApt 3", "Springfield", "IL", "62704-1234",
     "USA"},
    {"UnitedStatesCityOfSeveralWords", "350 5th Ave", "New York", "NY", "10118", "USA"},
    {"Canada", "24 Sussex Dr", "Ottawa", "ON", "K1M 1M4", "Canada"},
    {"UnitedKingdom", "10 Downing Street", "London", "", "SW1A 2AA", "United Kingdom"},
    {"UnitedKingdomWithCounty", "1 High Street", "Oxford", "Oxfordshire", "OX1 1AA", "UK"},
    {"Germany", "Unter den Linden 77", "Berlin", "", "10117", "Germany"},
    {"France", "12 rue de Rivoli", "Paris", "", "75001", "France"},
    {"Netherlands", "Dam 1", "Amsterdam", "", "1012 JS", "Netherlands"},
    {"Switzerland", "Bahnhofstrasse 1", "Zürich", "ZH", "8001", "Switzerland"},
    {"Japan", "1-1 Chiyoda", "Chiyoda-ku", "Tokyo", "100-8111", "Japan"},
    {"Australia", "1 Macquarie St", "Sydney", "NSW", "2000", "Australia"},
    {"Sweden", "Drottninggatan 1", "Stockholm", "", "111 51", "Sweden"},
};

QVariantMap addressOf(const AddressCase &c)
{
    QVariantMap address;
    const std::pair<const QString &, const char *> parts[] = {{kABAddressStreetKey, c.street},
                                                              {kABAddressCityKey, c.city},
                                                              {kABAddressStateKey, c.state},
                                                              {kABAddressZIPKey, c.zip},
                                                              {kABAddressCountryKey, c.country}};
    for (const auto &[key, value] : parts) {
        if (*value)
            address.insert(key, QString::fromUtf8(value));
    }
    return address;
}

void setLabelOrder(const QString &first, const QString &second, const QString &third)
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setObject(localizedPropertyOrLabel(first), zeltor::kLabel1Key);
    defaults.setObject(localizedPropertyOrLabel(second), zeltor::kLabel2Key);
    defaults.setObject(localizedPropertyOrLabel(third), zeltor::kLabel3Key);
}

class CountryAddressRoundTripTest : public ABPersonTest,
                                    public ::testing::WithParamInterface<AddressCase>
{
protected:
    void SetUp() override
    {
        ABPersonTest::SetUp();
        // The order the application shell registers for a United States locale.
        setLabelOrder(kABAddressCityKey, kABAddressStateKey, kABAddressZIPKey);
    }

    // The address as the download writes it after the upload sent it.
    QVariantMap roundTrip(const QVariantMap &address)
    {
        const PersonPtr sent = addPerson(QStringLiteral("Ann"), QStringLiteral("Lee"));
        setValues(sent, kABAddressProperty, PropertyType::MultiDictionary,
                  {{kABAddressHomeLabel, address}}, 0);
        GDataEntryContact contact;
        elementmapping::abPostalsFor(contact, sent);
        const PersonPtr received = addPerson(QStringLiteral("Bo"), QStringLiteral("Lee"));
        tolvane::googlizeAddressesFor(received, contact);
        const MultiValue values = received->multiValueForProperty(kABAddressProperty);
        return values.count() == 1 ? values.valueAt(0).toMap() : QVariantMap();
    }
};

TEST_P(CountryAddressRoundTripTest, UploadThenDownload_KeepsEveryField)
{
    const QVariantMap address = addressOf(GetParam());
    EXPECT_EQ(roundTrip(address), address);
}

// The city line of a United States address is written "City, State ZIP" whatever order the user
// gave the three labels, so it is read that way too.
TEST_P(CountryAddressRoundTripTest, UploadThenDownload_KeepsEveryFieldWithZipFirstLabelOrder)
{
    setLabelOrder(kABAddressZIPKey, kABAddressCityKey, kABAddressStateKey);
    const QVariantMap address = addressOf(GetParam());
    EXPECT_EQ(roundTrip(address), address);
}

INSTANTIATE_TEST_SUITE_P(Countries, CountryAddressRoundTripTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<AddressCase> &info) {
                             return std::string(info.param.name);
                         });

class CountryAddressReadingTest : public ABPersonTest
{
protected:
    void SetUp() override
    {
        ABPersonTest::SetUp();
        setLabelOrder(kABAddressCityKey, kABAddressStateKey, kABAddressZIPKey);
    }

    QVariantMap downloaded(const QString &text)
    {
        const PersonPtr person = addPerson(QStringLiteral("Ann"), QStringLiteral("Lee"));
        GDataEntryContact contact;
        contact.setPostalAddresses({{text, std::nullopt, std::nullopt, false}});
        tolvane::googlizeAddressesFor(person, contact);
        return person->multiValueForProperty(kABAddressProperty).valueAt(0).toMap();
    }
};

// Without a country line the default country chooses the layout, and its name is the country.
TEST_F(CountryAddressReadingTest, NoCountryLine_ReadInTheDefaultCountrysLayout)
{
    UserDefaults::standard().setObject(QStringLiteral("Germany"), zeltor::kDefaultCountryKey);
    const QVariantMap address = downloaded(QStringLiteral("Unter den Linden 77\n10117 Berlin"));
    EXPECT_EQ(address.value(kABAddressStreetKey).toString(), QStringLiteral("Unter den Linden 77"));
    EXPECT_EQ(address.value(kABAddressCityKey).toString(), QStringLiteral("Berlin"));
    EXPECT_EQ(address.value(kABAddressZIPKey).toString(), QStringLiteral("10117"));
    EXPECT_EQ(address.value(kABAddressCountryKey).toString(), QStringLiteral("Germany"));
}

// A text typed in another country's layout is still split where its shape is plain.
TEST_F(CountryAddressReadingTest, OtherLayoutThanTheCountrys_StillSplit)
{
    const QVariantMap address =
        downloaded(QStringLiteral("1 Lake Rd\nBergen, Hordaland 5003\nNorway"));
    EXPECT_EQ(address.value(kABAddressCityKey).toString(), QStringLiteral("Bergen"));
    EXPECT_EQ(address.value(kABAddressStateKey).toString(), QStringLiteral("Hordaland"));
    EXPECT_EQ(address.value(kABAddressZIPKey).toString(), QStringLiteral("5003"));
}

// Lines the reader cannot place all stay in the street; none is lost.
TEST_F(CountryAddressReadingTest, TextThatFitsNoLayout_KeepsEveryLineInTheStreet)
{
    const QVariantMap address =
        downloaded(QStringLiteral("Rose Cottage\nThe Green\nLittle Snoring\nUnited Kingdom"));
    EXPECT_EQ(address.value(kABAddressStreetKey).toString(),
              QStringLiteral("Rose Cottage\rThe Green\nLittle Snoring"));
    EXPECT_EQ(address.value(kABAddressCountryKey).toString(), QStringLiteral("United Kingdom"));
    EXPECT_FALSE(address.contains(kABAddressCityKey));
}

} // namespace
