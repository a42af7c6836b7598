#include "tests/support/addressbook/abtestbook.h"

#include "addressbook/groups/groupancestry.h"
#include "addressbook/groups/groupediting.h"
#include "addressbook/groups/grouplists.h"
#include "addressbook/groups/groupmembers.h"
#include "addressbook/records/recordlookup.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"

namespace {

using namespace AddressBookTool;

SearchElement lastNameIs(const QString &last)
{
    return SearchElement::forProperty(RecordClass::Person, kABLastNameProperty, {}, {}, last,
                                      SearchElement::Comparison::Equal);
}

class GroupTest : public AddressBookTest
{
};

TEST_F(GroupTest, SmartAndManualGroups_AreToldApartAndNamedOnce)
{
    const GroupPtr manual = addGroup("Friends");
    const GroupPtr smart = addSmartGroup("Smiths", lastNameIs("Smith"));
    EXPECT_EQ(smartABGroups(), QList<GroupPtr>{smart});
    EXPECT_EQ(nonSmartABGroups(), QList<GroupPtr>{manual});
    EXPECT_TRUE(isSmartGroup(smart->uniqueId()));
    EXPECT_FALSE(isSmartGroup(manual->uniqueId()));
    EXPECT_FALSE(isSmartGroup("no such group"));
    const QSet<QString> all{manual->uniqueId(), smart->uniqueId()};
    EXPECT_EQ(groupIDsIncludeSmart(false), all);
    EXPECT_EQ(groupIDsIncludeSmart(true), all);
    // The smart group's name once, with or without the flag.
    EXPECT_EQ(groupNamesIncludeSmart(true), (QStringList{"Friends", "Smiths"}));
    EXPECT_EQ(groupNamesIncludeSmart(false), (QStringList{"Friends", "Smiths"}));
}

TEST_F(GroupTest, Members_FilteredByKindAndSorted)
{
    const GroupPtr group = addGroup("Mixed");
    const PersonPtr bea = addPerson("Bea", "Young");
    const PersonPtr abe = addPerson("Abe", "Zimmer");
    const PersonPtr acme = addCompany("Acme");
    for (const PersonPtr &member : {bea, abe, acme})
        group->addMember(member);
    EXPECT_EQ(membersOfABGroup(group, true, true), (QList<PersonPtr>{acme, abe, bea}));
    EXPECT_EQ(membersOfABGroup(group, true, false), (QList<PersonPtr>{abe, bea}));
    EXPECT_EQ(membersOfGroupID(group->uniqueId(), false, true), QList<PersonPtr>{acme});
    EXPECT_TRUE(membersOfGroupName("Mixed", false, false).isEmpty());
    EXPECT_TRUE(membersOfGroupName("Missing", true, true).isEmpty());
}

TEST_F(GroupTest, RecursiveMembers_EachOnceByLastNameWithSubgroups)
{
    const GroupPtr parent = addGroup("Parent");
    const GroupPtr child = addGroup("Child");
    ASSERT_TRUE(parent->addSubgroup(child));
    const PersonPtr zoe = addPerson("Zoe", "Adams");
    const PersonPtr al = addPerson("Al", "Brown");
    parent->addMember(al);
    parent->addMember(zoe);
    child->addMember(zoe);
    EXPECT_EQ(recursiveMembersOfABGroup(parent, true, true), (QList<PersonPtr>{zoe, al}));
    EXPECT_EQ(recursiveMembersOfGroupID(child->uniqueId(), true, true), QList<PersonPtr>{zoe});
    EXPECT_TRUE(recursiveMembersOfABGroup(nullptr, true, true).isEmpty());
}

TEST_F(GroupTest, RecordsWithNoGroup_LeaveOutManualAndSmartMembers)
{
    const PersonPtr loose = addPerson("Loose", "One");
    const PersonPtr grouped = addPerson("In", "Group");
    addGroup("G")->addMember(grouped);
    addPerson("Sam", "Smith");
    const PersonPtr company = addCompany("Alone Inc");
    addSmartGroup("Smiths", lastNameIs("Smith"));
    const QList<PersonPtr> people = recordsWithNoGroupIncludePeople(true, false);
    EXPECT_TRUE(people.contains(loose));
    EXPECT_TRUE(people.contains(meAB()));
    EXPECT_EQ(people.size(), 2);
    EXPECT_EQ(recordsWithNoGroupIncludePeople(false, true), QList<PersonPtr>{company});
    EXPECT_EQ(countNoGroupIncludePeople(true, true), 3);
    EXPECT_EQ(countNoGroupIncludePeople(false, false), 0);
}

TEST_F(GroupTest, GroupsOfAPerson_DirectRecursiveAndSmart)
{
    const GroupPtr b = addGroup("B");
    const GroupPtr a = addGroup("A");
    ASSERT_TRUE(b->addSubgroup(a));
    const PersonPtr person = addPerson("Sue", "Smith");
    a->addMember(person);
    const GroupPtr smart = addSmartGroup("S", lastNameIs("Smith"));
    const QString abid = person->uniqueId();

    EXPECT_EQ(allGroupIDsForABID(abid), (QSet<QString>{a->uniqueId(), smart->uniqueId()}));
    EXPECT_EQ(allRecursiveGroupIDsForABID(abid),
              (QSet<QString>{a->uniqueId(), b->uniqueId(), smart->uniqueId()}));
    EXPECT_EQ(recursiveParentGroupsForABPerson(person), (QList<GroupPtr>{a, b}));
    EXPECT_EQ(recursiveParentGroupsOfABGroup(a), QList<GroupPtr>{b});
    EXPECT_EQ(recursiveSubGroupsOfABGroup(b), QList<GroupPtr>{a});
    EXPECT_TRUE(recursiveSubGroupsOfABGroup(a).isEmpty());
    EXPECT_EQ(smartGroupsForABPerson(person), QList<GroupPtr>{smart});
    EXPECT_EQ(countOfGroupsForPerson(person), 1);
    EXPECT_TRUE(hasSubGroups(b->uniqueId()));
    EXPECT_FALSE(groupHasSubGroups(a));

    const QList<QVariantMap> described = groupsForABID(abid);
    ASSERT_EQ(described.size(), 1);
    EXPECT_EQ(described.first().value("ABID"), a->uniqueId());
    EXPECT_EQ(described.first().value("ABName"), "A");
    EXPECT_EQ(abGroupsForABID(abid), QList<GroupPtr>{a});
    EXPECT_FALSE(abGroupsForABID("missing").has_value());
}

TEST_F(GroupTest, GroupsForABID_OfAPersonInNoGroupIsNone)
{
    const QList<QVariantMap> expected{{{"ABID", ""}, {"ABName", "None"}}};
    EXPECT_EQ(groupsForABID(addPerson("No", "Group")->uniqueId()), expected);
    EXPECT_EQ(groupsForABID("missing"), expected);
}

TEST_F(GroupTest, Editing_ChangesMembershipsAndSaves)
{
    const PersonPtr person = addPerson("Ed", "It");
    const GroupPtr group = addNewGroup("Club");
    ASSERT_NE(group, nullptr);
    EXPECT_FALSE(AddressBook::shared()->hasUnsavedChanges());

    AddressBookTool::addPerson(person, "Club");
    EXPECT_EQ(group->members(), QList<PersonPtr>{person});
    EXPECT_FALSE(AddressBook::shared()->hasUnsavedChanges());
    removePerson(person, "Club");
    EXPECT_TRUE(group->members().isEmpty());
    addPersonForABID(person->uniqueId(), group);
    EXPECT_EQ(group->members(), QList<PersonPtr>{person});

    removeAllMembersFromGroup(group);
    EXPECT_TRUE(group->members().isEmpty());
    EXPECT_TRUE(AddressBook::shared()->hasUnsavedChanges());

    const GroupPtr sub = addNewGroup("Sub");
    EXPECT_TRUE(addGroupNamed("Sub", "Club"));
    EXPECT_EQ(group->subgroups(), QList<GroupPtr>{sub});
    EXPECT_FALSE(addGroupRecord(sub, "Club")); // already held
    EXPECT_FALSE(addNewSubGroup(nullptr, group));

    EXPECT_TRUE(deleteGroup("Sub"));
    EXPECT_FALSE(deleteGroup("Sub"));
    EXPECT_EQ(groupByName("Sub"), nullptr);
}

TEST_F(GroupTest, AllMembersOfDock_SkipsTheKeyTextAndUnknownRecords)
{
    const PersonPtr person = addPerson("Do", "Ck");
    const QList<QVariantMap> dock{
        {{"abid", "abid"}}, {{"abid", person->uniqueId()}}, {{"abid", "missing"}}};
    EXPECT_EQ(allMembersOfDock(dock), QList<PersonPtr>{person});
}

} // namespace
