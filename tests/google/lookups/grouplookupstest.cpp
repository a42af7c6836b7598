#include "google/lookups/grouplookups.h"

#include "tests/support/google/googleentrybuilders.h"

#include <gtest/gtest.h>

namespace {

class GroupLookupsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto withABID = [](GDataEntryContactGroupPtr group, const QString &propertyName,
                           const QString &abid) {
            group->addExtendedProperty(makeProperty(propertyName, {{u"aID"_qs, abid}}));
            return group;
        };
        lists.setGroups({
            makeGroup(u"sys-contacts"_qs, u"System Group: My Contacts"_qs, u"Contacts"_qs),
            makeGroup(u"sys-friends"_qs, u"System Group: Friends"_qs, u"Friends"_qs),
            withABID(makeGroup(u"g1"_qs, u"Golf"_qs), u"tolvaneGroup"_qs, u"ab1:ABGroup"_qs),
            withABID(makeGroup(u"g2"_qs, u"Choir"_qs), u"someOtherProgram"_qs, u"ab2:ABGroup"_qs),
            withABID(makeGroup(u"g3"_qs, u"Choir"_qs), u"tolvaneGroup"_qs, u"ab2:ABGroup"_qs),
            makeGroup(u"dup"_qs, u"Twin A"_qs),
            makeGroup(u"dup"_qs, u"Twin B"_qs),
        });
        lists.setContacts({makeContact({u"c1"_qs, u"Ann"_qs, {}, {u"g1"_qs}}),
                           makeContact({u"c2"_qs, u"Bo"_qs, {}, {u"g1"_qs, u"g2"_qs}})});
    }

    static QString idOf(const GDataEntryContactGroupPtr &group)
    {
        return group ? group->identifier() : QString();
    }

    GoogleContactLists lists;
};

struct KeyCase
{
    const char *name;
    QString key;
    QString expected;
};

TEST_F(GroupLookupsTest, GroupForID_AnswersOnlyAUniqueIdentifier)
{
    const KeyCase cases[] = {
        {"unique", u"g1"_qs, u"g1"_qs},
        {"held twice", u"dup"_qs, {}},
        {"missing", u"g9"_qs, {}},
        {"null", QString(), {}},
    };
    for (const KeyCase &c : cases)
        EXPECT_EQ(idOf(grouplookups::groupForID(lists, c.key)), c.expected) << c.name;
}

TEST_F(GroupLookupsTest, GroupForABID_ReadsAnyPropertyAndTakesTheFirst)
{
    const KeyCase cases[] = {
        {"the program's property", u"ab1:ABGroup"_qs, u"g1"_qs},
        {"another property first, then the program's", u"ab2:ABGroup"_qs, u"g2"_qs},
        {"missing", u"ab9:ABGroup"_qs, {}},
        {"null", QString(), {}},
    };
    for (const KeyCase &c : cases)
        EXPECT_EQ(idOf(grouplookups::groupForABID(lists, c.key)), c.expected) << c.name;
}

TEST_F(GroupLookupsTest, NamesAndIdentifiers_NeedExactlyOneGroup)
{
    EXPECT_EQ(grouplookups::idOfGroupWithName(lists, u"Golf"_qs), u"g1"_qs);
    EXPECT_EQ(grouplookups::idOfGroupWithName(lists, u"Choir"_qs), u""_qs);
    EXPECT_EQ(grouplookups::idOfGroupWithName(lists, u"golf"_qs), u""_qs);
    EXPECT_EQ(grouplookups::nameOfGroupWithID(lists, u"g2"_qs), u"Choir"_qs);
    EXPECT_EQ(grouplookups::nameOfGroupWithID(lists, u"dup"_qs), u""_qs);
    EXPECT_EQ(grouplookups::membersOfGroupName(lists, u"Golf"_qs).size(), 2);
    EXPECT_TRUE(grouplookups::membersOfGroupName(lists, u"Choir"_qs).isEmpty());
}

TEST_F(GroupLookupsTest, GroupForName_TakesTheFirstDisplayNameAndRefusesNoName)
{
    auto deleted = makeGroup(u"gone"_qs, u"Golf"_qs);
    deleted->setIsDeleted(true);
    std::vector<GDataEntryContactGroupPtr> groups = lists.groups();
    groups.push_back(deleted);
    lists.setGroups(groups);
    const KeyCase cases[] = {
        {"one group", u"Golf"_qs, u"g1"_qs},
        {"two groups", u"Choir"_qs, u"g2"_qs},
        {"a deleted group by its mark", QChar(0x2717) + u" gone"_qs, u"gone"_qs},
        {"other case", u"golf"_qs, {}},
        {"no name", QString(), {}},
    };
    for (const KeyCase &c : cases)
        EXPECT_EQ(idOf(grouplookups::groupForName(lists, c.key)), c.expected) << c.name;
}

TEST_F(GroupLookupsTest, SystemGroupIDs_AreNullWithoutThatGroup)
{
    EXPECT_EQ(grouplookups::myContactsID(lists), u"sys-contacts"_qs);
    EXPECT_EQ(grouplookups::friendsSysGroupID(lists), u"sys-friends"_qs);
    EXPECT_TRUE(grouplookups::familySysGroupID(lists).isNull());
    EXPECT_TRUE(grouplookups::coworkersSysGroupID(lists).isNull());
    lists.setGroups({});
    EXPECT_TRUE(grouplookups::myContactsID(lists).isNull());
}

} // namespace
