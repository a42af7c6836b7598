// One membership comparison over several records, as a full upload runs it.

#include "tests/support/google/abpersontestbook.h"

#include "google/engine/googlecontactlists.h"
#include "google/upload/googleelementkeys.h"
#include "google/upload/membershipcomparison.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

namespace {

const QString kMyContacts = QStringLiteral("http://g/groups/6");

class MembershipComparisonTest : public ABPersonTest
{
protected:
    void SetUp() override
    {
        ABPersonTest::SetUp();
        googleGroups.push_back(myContactsGroup(kMyContacts));
    }

    void googleGroup(const QString &id, const QString &title)
    {
        const GDataEntryContactGroupPtr group =
            GDataEntryContactGroup::contactGroupEntryWithTitle(title);
        group->setIdentifier(id);
        googleGroups.push_back(group);
    }

    static GDataEntryContact contactHolding(const QStringList &hrefs)
    {
        GDataEntryContact contact;
        std::vector<GDataGroupMembershipInfo> memberships;
        for (const QString &href : hrefs)
            memberships.push_back(GDataGroupMembershipInfo::groupMembershipInfoWithHref(href));
        contact.setGroupMembershipInfos(memberships);
        return contact;
    }

    GoogleContactLists &listsNow()
    {
        lists.setGroups(googleGroups);
        lists.setGroupListComplete(true);
        return lists;
    }

    std::vector<GDataEntryContactGroupPtr> googleGroups;
    GoogleContactLists lists;
};

TEST_F(MembershipComparisonTest, AGroupLinkedByNameForOneRecordCountsForTheRecordsAfterIt)
{
    googleGroup("g/club", "Club");
    const PersonPtr ann = addPerson("Ann");
    const PersonPtr bo = addPerson("Bo");
    const GroupPtr club = addGroup("Club");
    club->addMember(ann);
    MembershipComparison comparison(listsNow(), true);

    EXPECT_FALSE(comparison.differ(contactHolding({kMyContacts, "g/club"}), ann));
    EXPECT_EQ(club->valueForProperty(kGroupIDProperty).toString(), "g/club");
    // Bo is in no group, so the club membership his contact holds is one he left.
    EXPECT_TRUE(comparison.differ(contactHolding({kMyContacts, "g/club"}), bo));
    EXPECT_FALSE(comparison.differ(contactHolding({kMyContacts}), bo));
}

TEST_F(MembershipComparisonTest, NestedGroupsCountForEveryRecordOnlyWhenTheOptionsAskForThem)
{
    googleGroup("g/parent", "Parent");
    googleGroup("g/child", "Child");
    const PersonPtr ann = addPerson("Ann");
    const PersonPtr bo = addPerson("Bo");
    const GroupPtr parent = addGroup("Parent", "g/parent");
    const GroupPtr child = addGroup("Child", "g/child");
    ASSERT_TRUE(parent->addSubgroup(child));
    child->addMember(ann);
    child->addMember(bo);
    struct Case
    {
        bool recursive;
        QStringList held;
        bool differ;
    };
    const Case cases[] = {
        {false, {kMyContacts, "g/child"}, false},
        {false, {kMyContacts, "g/child", "g/parent"}, true},
        {true, {kMyContacts, "g/child"}, true},
        {true, {kMyContacts, "g/child", "g/parent"}, false},
    };
    for (const Case &c : cases) {
        UserDefaults::standard().setInteger(c.recursive ? 1 : 0, googlekeys::gmRecurseGroups);
        MembershipComparison comparison(listsNow(), true);
        for (const PersonPtr &person : {ann, bo})
            EXPECT_EQ(comparison.differ(contactHolding(c.held), person), c.differ)
                << c.recursive << c.held.join(' ').toStdString();
    }
}

TEST_F(MembershipComparisonTest, HeldMembershipsCompareAsASetWhateverTheirOrderOrRepeats)
{
    googleGroup("g/club", "Club");
    googleGroup("g/choir", "Choir");
    googleGroup("g/team", "Team");
    const PersonPtr ann = addPerson("Ann");
    const GroupPtr club = addGroup("Club", "g/club");
    const GroupPtr choir = addGroup("Choir", "g/choir");
    addGroup("Team", "g/team");
    club->addMember(ann);
    choir->addMember(ann);
    struct Case
    {
        QStringList held;
        bool differ;
    };
    const Case cases[] = {
        {{"g/choir", kMyContacts, "g/club"}, false},
        {{"g/club", "g/club", "g/choir"}, false},
        {{"g/club", "g/club"}, true},
        {{"g/club", "g/choir", "g/team"}, true},
        // A Google group no address book group links to is none of the comparison's business.
        {{"g/club", "g/choir", "g/elsewhere"}, false},
    };
    MembershipComparison comparison(listsNow(), true);
    for (const Case &c : cases)
        EXPECT_EQ(comparison.differ(contactHolding(c.held), ann), c.differ)
            << c.held.join(' ').toStdString();
}

} // namespace
