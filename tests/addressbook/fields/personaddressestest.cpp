#include "tests/support/addressbook/abtestbook.h"
#include "tests/support/addressbook/testpersons.h"

#include "addressbook/fields/personaddresses.h"
#include "addressbook/fields/personrelatednames.h"
#include "platform/addressbook/abconstants.h"

namespace {

using namespace AddressBookTool;

QVariantMap address(const QString &city)
{
    return {{kABAddressCityKey, city}};
}

struct AddressCase
{
    const char *name;
    QList<LabelledEntry> entries;
    int primary;
    QString primaryCity;        // "" for an empty dictionary
    QString workCity, homeCity; // null for none
    int workIndex, homeIndex;
};

TEST(PersonAddresses, AddressesByLabel)
{
    const AddressCase cases[] = {
        {"two home addresses: the first",
         {{kABAddressWorkLabel, address("W")},
          {kABAddressHomeLabel, address("H1")},
          {kABAddressHomeLabel, address("H2")}},
         -1,
         "W",
         "W",
         "H1",
         0,
         1},
        {"primary entry",
         {{kABAddressHomeLabel, address("H")}, {"Cabin", address("C")}},
         1,
         "C",
         QString(),
         "H",
         -1,
         0},
        {"custom labels only", {{"work", address("w")}}, -1, "w", QString(), QString(), -1, -1},
        {"empty list", {}, -1, "", QString(), QString(), -1, -1},
    };
    for (const AddressCase &c : cases) {
        SCOPED_TRACE(c.name);
        const PersonPtr person =
            personWith(kABAddressProperty, PropertyType::MultiDictionary, c.entries, c.primary);
        const QVariantMap primary = primaryAddressForPerson(person);
        EXPECT_EQ(primary.isEmpty(), c.primaryCity.isEmpty());
        EXPECT_EQ(primary.value(kABAddressCityKey).toString(), c.primaryCity);
        const std::optional<QVariantMap> work = workAddressForPerson(person);
        const std::optional<QVariantMap> home = homeAddressForPerson(person);
        EXPECT_EQ(work.has_value(), !c.workCity.isNull());
        EXPECT_EQ(home.has_value(), !c.homeCity.isNull());
        EXPECT_EQ(work.value_or(QVariantMap()), work ? address(c.workCity) : QVariantMap());
        EXPECT_EQ(home.value_or(QVariantMap()), home ? address(c.homeCity) : QVariantMap());
        EXPECT_EQ(indexOfWorkAddressForPerson(person), c.workIndex);
        EXPECT_EQ(indexOfHomeAddressForPerson(person), c.homeIndex);
    }
}

TEST(PersonAddresses, NoPerson_NoAddresses)
{
    EXPECT_TRUE(primaryAddressForPerson(nullptr).isEmpty());
    EXPECT_FALSE(workAddressForPerson(nullptr).has_value());
    EXPECT_FALSE(homeAddressForPerson(nullptr).has_value());
    EXPECT_EQ(indexOfWorkAddressForPerson(nullptr), -1);
    EXPECT_EQ(indexOfHomeAddressForPerson(nullptr), -1);
}

TEST(PersonAddresses, SpouseByLabel)
{
    const struct
    {
        QList<LabelledEntry> names;
        QString spouse;
    } cases[] = {
        {{{kABFriendLabel, "Pal"}, {kABSpouseLabel, "Sam"}, {kABSpouseLabel, "Two"}}, "Sam"},
        {{{"HUSBAND", "Hal"}}, "Hal"},
        {{{"Wife", "Wil"}}, "Wil"},
        {{{"Partner", "Pat"}, {"my wife", "Not"}}, ""},
        {{}, ""},
    };
    for (const auto &c : cases) {
        const PersonPtr person =
            personWith(kABRelatedNamesProperty, PropertyType::MultiString, c.names);
        EXPECT_EQ(spouseForPerson(person), c.spouse) << c.spouse.toStdString();
    }
    EXPECT_FALSE(spouseForPerson(nullptr).isNull());
    EXPECT_EQ(spouseForPerson(nullptr), "");
}

} // namespace
