// The contacts of an upload wait for the group batch's answer, however late it comes: they carry
// memberships of the groups that batch creates.

#include "tests/support/google/uploadservertest.h"

#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/gdata/entries/gdataentrycontact.h"

#include <gtest/gtest.h>

namespace {

using GroupBatchWaitTest = UploadServerTest;

TEST_F(GroupBatchWaitTest, SlowGroupAnswer_ContactsGoAfterItWithTheirMemberships)
{
    const GroupPtr team = addGroup(QStringLiteral("Team"));
    const PersonPtr ann = addPerson(QStringLiteral("Ann"), QStringLiteral("Alpha"));
    team->addMember(ann);
    ASSERT_TRUE(AddressBook::shared()->save());
    // Longer than the three seconds a run-loop wait gives an answer.
    server.injectFault(QStringLiteral("/groups/"), 0, 1, 4000, false, "POST");

    queueData.queue = engine->buildBatchArrayForABContactArray({ann});
    engine->batchSimpleABGroupActions(engine->buildBatchArrayForABGroupArray({team}));
    ASSERT_TRUE(runUntil([&] { return queueData.ended; }));

    const QString teamID = savedLink(team->uniqueId(), kGroupIDName);
    ASSERT_FALSE(teamID.isEmpty());
    const std::vector<GDataEntryPtr> contacts = serverEntries(GDataEntryBase::Kind::Contact);
    ASSERT_EQ(contacts.size(), 1u);
    QStringList memberships;
    for (const GDataGroupMembershipInfo &info :
         std::static_pointer_cast<GDataEntryContact>(contacts.front())->groupMembershipInfos())
        memberships << info.href;
    EXPECT_TRUE(memberships.contains(teamID)) << memberships.join(u' ').toStdString();
}

} // namespace
