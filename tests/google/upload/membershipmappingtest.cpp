#include "tests/support/google/abpersontestbook.h"
#include "tests/support/google/elementdescriptions.h"

#include "google/upload/googleelementkeys.h"
#include "google/upload/membershipmapping.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

namespace {

const QString kMyContacts = QStringLiteral("http://g/groups/6");

class MembershipMappingTest : public ABPersonTest
{
protected:
    GDataEntryContactGroupPtr googleGroup(const QString &id, const QString &title)
    {
        const GDataEntryContactGroupPtr group =
            GDataEntryContactGroup::contactGroupEntryWithTitle(title);
        group->setIdentifier(id);
        groups.push_back(group);
        return group;
    }

    void SetUp() override
    {
        ABPersonTest::SetUp();
        groups.push_back(myContactsGroup(kMyContacts));
    }

    QStringList membershipsOf(const PersonPtr &person)
    {
        membershipmapping::abMembershipsFor(contact, person, groups, kMyContacts);
        return describe(contact.groupMembershipInfos());
    }

    std::vector<GDataEntryContactGroupPtr> groups;
    GDataEntryContact contact;
};

TEST_F(MembershipMappingTest, MyContactsFirstThenGroupsByStoredIDByNameAndBySystemTitle)
{
    googleGroup("g/club", "Club");
    googleGroup("g/friends", "System Group: Friends");
    googleGroup("g/linked", "Renamed on Google");
    const PersonPtr ann = addPerson("Ann");
    const GroupPtr linked = addGroup("Bridge", "g/linked");
    const GroupPtr club = addGroup("Club");
    const GroupPtr friends = addGroup("Friends");
    for (const GroupPtr &group : {linked, club, friends})
        group->addMember(ann);

    QStringList expected{kMyContacts, "g/club", "g/friends", "g/linked"};
    const QStringList memberships = membershipsOf(ann);
    EXPECT_EQ(memberships.first(), kMyContacts);
    EXPECT_EQ(QSet<QString>(memberships.cbegin(), memberships.cend()),
              QSet<QString>(expected.cbegin(), expected.cend()));
    EXPECT_EQ(club->valueForProperty(kGroupIDProperty).toString(), "g/club");
    EXPECT_EQ(friends->valueForProperty(kGroupIDProperty).toString(), "g/friends");
    EXPECT_EQ(linked->valueForProperty(kGroupIDProperty).toString(), "g/linked");
}

TEST_F(MembershipMappingTest, AmbiguousOrMissingGoogleGroupGivesNoMembership)
{
    googleGroup("g/a", "Club");
    googleGroup("g/b", "Club");
    const PersonPtr ann = addPerson("Ann");
    const GroupPtr club = addGroup("Club");
    const GroupPtr lonely = addGroup("Nowhere on Google");
    club->addMember(ann);
    lonely->addMember(ann);

    EXPECT_EQ(membershipsOf(ann), QStringList{kMyContacts});
    EXPECT_FALSE(club->valueForProperty(kGroupIDProperty).isValid());
}

TEST_F(MembershipMappingTest, LeftLinkedGroupIsRemovedGoogleOnlyGroupStaysNoDuplicates)
{
    googleGroup("g/club", "Club");
    googleGroup("g/chess", "Chess");
    googleGroup("g/googleonly", "Made on Google");
    const PersonPtr ann = addPerson("Ann");
    addGroup("Club", "g/club")->addMember(ann);
    addGroup("Chess", "g/chess"); // Ann has left it
    contact.setGroupMembershipInfos({{kMyContacts}, {"g/club"}, {"g/chess"}, {"g/googleonly"}});

    EXPECT_EQ(membershipsOf(ann), (QStringList{kMyContacts, "g/club", "g/googleonly"}));
    // A second update changes nothing.
    EXPECT_EQ(membershipsOf(ann), (QStringList{kMyContacts, "g/club", "g/googleonly"}));
}

TEST_F(MembershipMappingTest, NestedGroupsCountOnlyWhenTheOptionsAskForThem)
{
    googleGroup("g/parent", "Parent");
    googleGroup("g/child", "Child");
    const PersonPtr ann = addPerson("Ann");
    const GroupPtr parent = addGroup("Parent", "g/parent");
    const GroupPtr child = addGroup("Child", "g/child");
    ASSERT_TRUE(parent->addSubgroup(child));
    child->addMember(ann);

    EXPECT_EQ(membershipmapping::googleGroupLinksForABPerson(ann, groups), QStringList{"g/child"});
    UserDefaults::standard().setInteger(1, googlekeys::gmRecurseGroups);
    const QStringList recursive = membershipmapping::googleGroupLinksForABPerson(ann, groups);
    EXPECT_EQ(QSet<QString>(recursive.cbegin(), recursive.cend()),
              (QSet<QString>{"g/child", "g/parent"}));
    UserDefaults::standard().setInteger(0, googlekeys::gmRecurseGroups);
    UserDefaults::standard().setBool(true, googlekeys::autoABSelectedGroupsIncludeNestedGroups);
    EXPECT_EQ(membershipmapping::googleGroupLinksForABPerson(ann, groups).size(), 2);
}

TEST_F(MembershipMappingTest, PersonOutsideTheBookJoinsMyContactsOnly)
{
    googleGroup("g/club", "Club");
    const PersonPtr outside = Person::create();
    EXPECT_EQ(membershipsOf(outside), QStringList{kMyContacts});

    GDataEntryContact noGroups;
    membershipmapping::abMembershipsFor(noGroups, outside, {}, QString());
    EXPECT_TRUE(noGroups.groupMembershipInfos().empty());
}

} // namespace
