#include "tests/support/addressbook/abtestbook.h"
#include "tests/support/addressbook/testpersons.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/mapurl.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/defaults/userdefaults.h"

#include <QUrl>
#include <QUrlQuery>

namespace {

using namespace AddressBookTool;

class MapURLTest : public AddressBookTest
{
protected:
    static QString withAddresses(const QList<LabelledEntry> &addresses)
    {
        const PersonPtr person =
            personWith(kABAddressProperty, PropertyType::MultiDictionary, addresses);
        AddressBook::shared()->addRecord(person);
        return person->uniqueId();
    }
    static QVariantMap address(const QString &street, const QString &city, const QString &state,
                               const QString &zip, const QString &country = QString())
    {
        QVariantMap parts;
        const QString keys[] = {kABAddressStreetKey, kABAddressCityKey, kABAddressStateKey,
                                kABAddressZIPKey, kABAddressCountryKey};
        const QString values[] = {street, city, state, zip, country};
        for (int index = 0; index < 5; ++index) {
            if (!values[index].isEmpty())
                parts[keys[index]] = values[index];
        }
        return parts;
    }
    static void useGoogleMaps(int value)
    {
        UserDefaults::standard().setInteger(value, abkeys::useGoogleMaps);
    }
};

TEST_F(MapURLTest, QueriesOfBothLayouts)
{
    const struct
    {
        const char *name;
        QVariantMap address;
        QString googleQuery;
        QString secondQuery;
    } cases[] = {
        {"street, city, state and ZIP", address("1 Main St", "Springfield", "IL", "62701"),
         "1+Main+St+Springfield+IL+62701+",
         "address=1+Main+St&city=Springfield&state=IL&zip=62701"},
        {"two-line street: the first line only",
         address("12 Elm Rd\nSuite 4", "Salem", "", "", "USA"), "12+Elm+Rd+Salem+USA",
         "country=USA&address=12+Elm+Rd&city=Salem&"},
        {"carriage return ends the street when there is no line feed",
         address("9 Oak Ln\rFlat 2", "Troy", "", ""), "9+Oak+Ln+Troy+",
         "address=9+Oak+Ln&city=Troy&"},
        {"city and ZIP only", address("", "Springfield", "", "62701"), "Springfield+62701+",
         "city=Springfield&zip=62701"},
        // Characters that would end a value, start a fragment or add a parameter are encoded.
        {"unsafe characters", address("A&B #5", "Q=1?x", "", "", "Côte+d'Ivoire"),
         "A%26B+%235+Q%3D1%3Fx+C%C3%B4te%2Bd%27Ivoire",
         "country=C%C3%B4te%2Bd%27Ivoire&address=A%26B+%235&city=Q%3D1%3Fx&"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString abid = withAddresses({{kABAddressWorkLabel, c.address}});
        useGoogleMaps(1);
        const QString google = mapURLForABID(abid, "Work");
        EXPECT_EQ(google, "https://maps.google.com/maps?q=" + c.googleQuery);
        EXPECT_EQ(QUrlQuery(QUrl(google)).queryItems().size(), 1);
        EXPECT_FALSE(QUrl(google).hasFragment());
        useGoogleMaps(0);
        const QString second = mapURLForABID(abid, "Work");
        EXPECT_EQ(second, "https://maps.zel-tor.com/maps/map.adp?" + c.secondQuery);
        EXPECT_FALSE(QUrl(second).hasFragment());
    }
}

TEST_F(MapURLTest, LastAddressOfTheTypeStands)
{
    useGoogleMaps(1);
    const QString abid = withAddresses({{kABAddressHomeLabel, address("", "First", "", "1")},
                                        {kABAddressWorkLabel, address("", "Work", "", "2")},
                                        {kABAddressHomeLabel, address("", "Second", "", "3")}});
    EXPECT_EQ(mapURLForABID(abid, "Home"), "https://maps.google.com/maps?q=Second+3+");
    EXPECT_EQ(mapURLForABID(abid, "Work"), "https://maps.google.com/maps?q=Work+2+");
    EXPECT_EQ(mapURLForABID(abid, "home"), "");
}

TEST_F(MapURLTest, AddressesThatCannotBePlaced)
{
    const QVariantMap cases[] = {
        address("", "", "", "", "France"),      // country only
        address("1 Main St", "", "", ""),       // street alone
        address("1 Main St", "", "", "", "US"), // street and country
        address("", "", "IL", ""),              // state alone
        address("", "", "IL", "", "US"),        // state and country
        address("", "", "", "62701", "US"),     // ZIP and country
        QVariantMap(),
    };
    for (int value : {0, 1}) {
        useGoogleMaps(value);
        for (const QVariantMap &parts : cases) {
            const QString abid = withAddresses({{kABAddressHomeLabel, parts}});
            EXPECT_EQ(mapURLForABID(abid, "Home"), "") << value;
        }
    }
    EXPECT_EQ(mapURLForABID(withAddresses({}), "Home"), "");
    EXPECT_EQ(mapURLForABID(QStringLiteral("none:ABPerson"), "Home"), "");
}

} // namespace
