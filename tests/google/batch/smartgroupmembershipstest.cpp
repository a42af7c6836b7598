#include "tests/support/google/abpersontestbook.h"
#include "tests/support/google/googleentrybuilders.h"

#include "google/batch/smartgroupmemberships.h"
#include "google/engine/googlecontactlists.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/searchelement.h"
#include "tests/support/logcapture.h"

namespace {

using smartgroupmemberships::ContactMembershipChange;

class SmartGroupMembershipsTest : public ABPersonTest
{
protected:
    // A smart group of the people with that last name.
    static GroupPtr addSmartGroup(const QString &name, const QString &lastName,
                                  const QString &googleID = {})
    {
        const GroupPtr group = Group::createSmartGroup(
            SearchElement::forProperty(RecordClass::Person, kABLastNameProperty, {}, {}, lastName,
                                       SearchElement::Comparison::Equal));
        group->setValueForProperty(name, kABGroupNameProperty);
        AddressBook::shared()->addRecord(group);
        if (!googleID.isEmpty())
            group->setValueForProperty(googleID, kGroupIDProperty);
        return group;
    }

    PersonPtr linkedPerson(const QString &last, const QString &contactID, const QStringList &hrefs)
    {
        const PersonPtr person = addPerson("Ann", last);
        person->setValueForProperty(contactID, kContactIDProperty);
        contacts.push_back(makeContact({contactID, last, {}, hrefs}));
        return person;
    }

    std::vector<ContactMembershipChange>
    changesFor(const QList<GroupPtr> &smartGroups,
               const smartgroupmemberships::Progress &progress = {})
    {
        lists.setGroups(groups);
        lists.setContacts(contacts);
        return smartgroupmemberships::smartGroupChanges(lists, smartGroups, progress);
    }

    std::vector<GDataEntryContactGroupPtr> groups;
    std::vector<GDataEntryContactPtr> contacts;
    GoogleContactLists lists;
};

TEST_F(SmartGroupMembershipsTest, SeveralSmartGroups_OneChangePerContact)
{
    groups.push_back(makeGroup("g/lees", QStringLiteral("Lees")));
    groups.push_back(makeGroup("g/alsolees", QStringLiteral("Also Lees")));
    linkedPerson("Lee", "c/lee", {});
    const GroupPtr lees = addSmartGroup("Lees", "Lee", "g/lees");
    const GroupPtr alsoLees = addSmartGroup("Also Lees", "Lee", "g/alsolees");

    const std::vector<ContactMembershipChange> changes = changesFor({lees, alsoLees});
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].contact->identifier(), "c/lee");
    EXPECT_EQ(changes[0].member, (QStringList{"g/lees", "g/alsolees"}));
    EXPECT_TRUE(changes[0].remove.isEmpty());

    smartgroupmemberships::applyChange(changes[0]);
    EXPECT_EQ(changes[0].contact->groupMembershipInfos().size(), 2u);
}

TEST_F(SmartGroupMembershipsTest, UpToDateNothing_LeftMembersRemoved_UnlinkedGroupSkipped)
{
    groups.push_back(makeGroup("g/lees", QStringLiteral("Lees")));
    linkedPerson("Lee", "c/lee", {"g/lees"});
    linkedPerson("Moss", "c/moss", {"g/lees", "g/other"});
    const GroupPtr lees = addSmartGroup("Lees", "Lee");
    const GroupPtr unlinked = addSmartGroup("Mosses", "Moss");

    const std::vector<ContactMembershipChange> changes = changesFor({lees, unlinked});
    EXPECT_EQ(lees->valueForProperty(kGroupIDProperty).toString(), "g/lees");
    EXPECT_TRUE(unlinked->valueForProperty(kGroupIDProperty).toString().isEmpty());
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].contact->identifier(), "c/moss");
    EXPECT_TRUE(changes[0].member.isEmpty());
    EXPECT_EQ(changes[0].remove, QStringList{"g/lees"});

    smartgroupmemberships::applyChange(changes[0]);
    ASSERT_EQ(changes[0].contact->groupMembershipInfos().size(), 1u);
    EXPECT_EQ(changes[0].contact->groupMembershipInfos()[0].href, "g/other");
}

// Every member is shown as it is examined; one that cannot be sent says why in the log.
TEST_F(SmartGroupMembershipsTest, Members_ShownOneByOne_UnsendableOnesLogged)
{
    groups.push_back(makeGroup("g/lees", QStringLiteral("Lees")));
    linkedPerson("Lee", "c/lee", {});
    const PersonPtr unlinked = addPerson("Bo", "Lee");
    const PersonPtr gone = addPerson("Cy", "Lee");
    gone->setValueForProperty(QStringLiteral("c/gone"), kContactIDProperty);
    const GroupPtr lees = addSmartGroup("Lees", "Lee", "g/lees");
    LogCapture::setLevel(1);
    LogCapture log;
    QStringList shown;

    const std::vector<ContactMembershipChange> changes =
        changesFor({lees}, [&](const QString &message) { shown << message; });
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].contact->identifier(), "c/lee");
    EXPECT_EQ(shown, QStringList(3, QStringLiteral("Smart Group:Lees ... Lee")));
    const QString prefix = QStringLiteral("[GoogleContactTool buildSmartGroupActions] ");
    EXPECT_TRUE(log.lines().contains(prefix + "[sGMembers count] = 3"));
    EXPECT_TRUE(log.lines().contains(
        prefix + "This ABContact does NOT have identifier: " + unlinked->uniqueId()));
    EXPECT_TRUE(log.lines().contains(
        prefix + "No Google Contacts with this identifier: " + gone->uniqueId()));
}

} // namespace
