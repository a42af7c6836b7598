#include "platform/addressbook/addressformatter.h"
#include "platform/addressbook/abconstants.h"

#include <gtest/gtest.h>

TEST(AddressFormatter, LaysOutEachCountryAndLeavesOutEmptyParts)
{
    const auto address = [](const QString &street, const QString &city, const QString &state,
                            const QString &zip, const QString &country, const QString &code) {
        return QVariantMap{{kABAddressStreetKey, street},   {kABAddressCityKey, city},
                           {kABAddressStateKey, state},     {kABAddressZIPKey, zip},
                           {kABAddressCountryKey, country}, {kABAddressCountryCodeKey, code}};
    };
    const struct
    {
        const char *what;
        QVariantMap address;
        QString expected;
    } cases[] = {
        {"us",
         address(QStringLiteral("1 Main St"), QStringLiteral("Salt Lake City"),
                 QStringLiteral("UT"), QStringLiteral("84101"), QStringLiteral("USA"),
                 QStringLiteral("us")),
         QStringLiteral("1 Main St\nSalt Lake City, UT 84101\nUSA")},
        {"us without state",
         address(QStringLiteral("1 Main St"), QStringLiteral("Springfield"), {},
                 QStringLiteral("62704"), {}, QStringLiteral("us")),
         QStringLiteral("1 Main St\nSpringfield 62704")},
        {"gb",
         address(QStringLiteral("10 Downing St"), QStringLiteral("London"), {},
                 QStringLiteral("SW1A 2AA"), QStringLiteral("United Kingdom"),
                 QStringLiteral("GB")),
         QStringLiteral("10 Downing St\nLondon\nSW1A 2AA\nUnited Kingdom")},
        {"de by name, street of two lines",
         address(QStringLiteral("Hauptstr. 1\nHinterhaus"), QStringLiteral("Berlin"), {},
                 QStringLiteral("10115"), QStringLiteral("Germany"), {}),
         QStringLiteral("Hauptstr. 1\nHinterhaus\n10115 Berlin\nGermany")},
        {"jp",
         address(QStringLiteral("1-1 Chiyoda"), QStringLiteral("Chiyoda-ku"),
                 QStringLiteral("Tokyo"), QStringLiteral("100-0001"), QStringLiteral("Japan"),
                 QStringLiteral("jp")),
         QStringLiteral("100-0001\nTokyo Chiyoda-ku\n1-1 Chiyoda\nJapan")},
        {"nothing", QVariantMap(), QString()},
    };
    for (const auto &c : cases)
        EXPECT_EQ(addressformatter::formattedAddress(c.address), c.expected) << c.what;
}

TEST(AddressFormatter, CountryNamesInEnglishOrTheirOwnLanguageGiveTheirCode)
{
    EXPECT_EQ(addressformatter::countryCodeForName(QStringLiteral("Germany")),
              QStringLiteral("de"));
    EXPECT_EQ(addressformatter::countryCodeForName(QStringLiteral("deutschland")),
              QStringLiteral("de"));
    EXPECT_EQ(addressformatter::countryCodeForName(QStringLiteral("USA")), QStringLiteral("us"));
    EXPECT_EQ(addressformatter::countryCodeForName(QStringLiteral("Atlantis")), QString());
}
