#include "loader/matching/recordmatching.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/google/linkproperties.h"
#include "google/engine/googlecontactlists.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"
#include "platform/defaults/userdefaults.h"
#include "tests/support/addressbook/testpersons.h"
#include "tests/support/google/googleentrybuilders.h"
#include "tests/support/google/linkpreferences.h"

#include <gtest/gtest.h>

namespace {

// The link property names a record needs before its properties can be added.
void useLinkProperties()
{
    ASSERT_TRUE(linkpreferences::useTestLinkProperties());
}

struct ContactMatchCase
{
    const char *name;
    QString first;
    QString last;
    QString email;
    // The contacts of the account: identifier, title, e-mail; "aID" marks the one that carries the
    // record's identifier in its own property.
    std::vector<ContactSpec> contacts;
    QString ownABIDOf;
    // The identifier expected to be linked; empty for none (an "add").
    QString expected;
};

void PrintTo(const ContactMatchCase &c, std::ostream *os)
{
    *os << c.name;
}

class RecordMatchingTest : public ::testing::TestWithParam<ContactMatchCase>
{
protected:
    void SetUp() override { useLinkProperties(); }
};

TEST_P(RecordMatchingTest, LinksOnlyTheContactThatIsTheRecords)
{
    const ContactMatchCase &c = GetParam();
    const PersonPtr person = Person::create();
    person->setValueForProperty(c.first, kABFirstNameProperty);
    person->setValueForProperty(c.last, kABLastNameProperty);
    if (!c.email.isEmpty())
        person->setValueForProperty(QVariant::fromValue(labelledValues(PropertyType::MultiString,
                                                                       {{kABEmailWorkLabel, c.email}})),
                                    kABEmailProperty);
    ASSERT_TRUE(AddressBook::shared()->addRecord(person));
    std::vector<GDataEntryContactPtr> contacts;
    for (const ContactSpec &spec : c.contacts) {
        GDataEntryContactPtr contact = makeContact(spec);
        if (spec.identifier == c.ownABIDOf)
            contact->setExtendedProperties(
                {makeProperty(QStringLiteral("tolvaneContact"), {{QStringLiteral("aID"), person->uniqueId()}})});
        contacts.push_back(contact);
    }
    GoogleContactLists lists;
    lists.setContacts(contacts);
    lists.setContactListComplete(true);

    const GDataEntryContactPtr found = recordmatching::googleContactFor(lists, person);
    EXPECT_EQ(found ? found->identifier() : QString(), c.expected);
    EXPECT_EQ(person->valueForProperty(AddressBookTool::contactIDPropertyName()).toString(),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecordMatchingTest,
    ::testing::Values(
        ContactMatchCase{"NamesArePartsOfOtherWords", "Al", "Li", "", {{"c1", QStringLiteral("Alice Lindqvist")}}, "", ""},
        ContactMatchCase{"WholeNamesInEitherOrder", "Al", "Li", "", {{"c1", QStringLiteral("Li, Al")}}, "", "c1"},
        ContactMatchCase{"TwoTitlesHoldTheNames", "Al", "Li", "",
                         {{"c1", QStringLiteral("Al Li Jr")}, {"c2", QStringLiteral("Dr. Al Li")}}, "", ""},
        ContactMatchCase{"AddressDiffersInCase", "Anna", "Berg", "Anna@Example.org",
                         {{"c1", QStringLiteral("Someone Else"), {"anna@example.org"}}}, "", "c1"},
        ContactMatchCase{"ContactCarriesTheRecord", "Nobody", "Known", "",
                         {{"c1", std::nullopt}, {"c2", QStringLiteral("Other")}}, "c1", "c1"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(GroupMatchingTest, TakesTheStoredIdentifierThenTheTitleThenTheSystemGroupAndTheFirstOfSeveral)
{
    useLinkProperties();
    GoogleContactLists lists;
    lists.setGroups({makeGroup("g1", QStringLiteral("System Group: Friends"), QStringLiteral("Friends")),
                     makeGroup("g2", QStringLiteral("Club")), makeGroup("g3", QStringLiteral("Club")),
                     makeGroup("g4", QStringLiteral("Band"))});
    lists.setGroupListComplete(true);
    const auto groupNamed = [](const QString &name) {
        const GroupPtr group = Group::create();
        group->setValueForProperty(name, kABGroupNameProperty);
        return group;
    };
    const GDataEntryContactGroupPtr friends =
        recordmatching::googleGroupFor(lists, groupNamed(QStringLiteral("Friends")));
    ASSERT_TRUE(friends);
    EXPECT_EQ(friends->identifier(), QStringLiteral("g1"));
    const GroupPtr club = groupNamed(QStringLiteral("Club"));
    const GDataEntryContactGroupPtr clubMatch = recordmatching::googleGroupFor(lists, club);
    ASSERT_TRUE(clubMatch);
    // Two groups of one title: the first in list order.
    EXPECT_EQ(clubMatch->identifier(), QStringLiteral("g2"));
    const GroupPtr renamed = groupNamed(QStringLiteral("Renamed"));
    AddressBookTool::setGoogleID(QStringLiteral("g4"), renamed);
    ASSERT_TRUE(recordmatching::googleGroupFor(lists, renamed));
    EXPECT_EQ(recordmatching::googleGroupFor(lists, renamed)->identifier(), QStringLiteral("g4"));
    EXPECT_FALSE(recordmatching::googleGroupFor(lists, groupNamed(QStringLiteral("Nowhere"))));
}

} // namespace
