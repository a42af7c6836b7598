// Batch sends against the loopback server: a group batch whose links are written back and saved
// before its step runs, a group failure that ends the job, a missing ticket type.

#include "tests/support/google/uploadservertest.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/google/linkproperties.h"
#include "google/batch/batchkeys.h"
#include "google/engine/googlekeys.h"
#include "google/entries/contactaccessors.h"
#include "google/entries/groupaccessors.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdatacontactelements.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/gdataservicegooglecontact.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

class BatchSendingTest : public UploadServerTest
{
protected:
    bool cleanedUp() const { return journal.filter(QStringLiteral("cleanup:")).size() > 0; }
};

TEST_F(BatchSendingTest, GenericGroupFailure_SetsTheGroupFlagAndEndsTheJob)
{
    engine->contactService()->setIsServiceRetryEnabled(false);
    UserDefaults::standard().setBool(false, batchkeys::updateABGroupActionsComplete);
    UserDefaults::standard().setBool(false, batchkeys::updateABContactActionsComplete);
    server.injectFault(QStringLiteral("/batch"), 503);

    ASSERT_TRUE(engine->processGroupBatchArray(
        {{addGroup(QStringLiteral("Team")), nullptr, batchactions::add}}, tickettypes::generic));
    ASSERT_TRUE(runUntil([&] { return cleanedUp(); }));

    EXPECT_TRUE(flag(batchkeys::updateABGroupActionsComplete));
    EXPECT_FALSE(flag(batchkeys::updateABContactActionsComplete));
    EXPECT_TRUE(journal.contains(QStringLiteral("cleanup:Advanced Google Update//503")));
}

TEST_F(BatchSendingTest, GroupFailure_TheOtherTicketsGroupsAreListedSoTheNextRunAddsOnlyTheRest)
{
    QList<GroupPtr> groups;
    BatchActionQueue queue;
    for (int i = 0; i < 101; ++i) {
        groups << addGroup(QStringLiteral("Team %1").arg(i));
        queue.push_back({groups.last(), nullptr, batchactions::add});
    }
    server.injectFault(QStringLiteral("/batch"), 503);
    const GDataFeedPtr before = engine->groupFeed();

    ASSERT_TRUE(engine->processGroupBatchArray(queue, tickettypes::generic));
    ASSERT_TRUE(runUntil([&] { return cleanedUp() && engine->groupFeed() != before; }));

    int unlinked = 0;
    for (const GroupPtr &group : groups)
        unlinked += savedLink(group->uniqueId(), kGroupIDName).isEmpty() ? 1 : 0;
    // One of the two feeds (100 groups and 1) failed.
    EXPECT_TRUE(unlinked == 1 || unlinked == 100) << unlinked;
    const BatchActionQueue next = engine->buildBatchArrayForABGroupArray(groups);
    EXPECT_EQ(next.size(), size_t(unlinked));
    for (const BatchAction &action : next)
        EXPECT_EQ(action.action, batchactions::add);
}

TEST_F(BatchSendingTest, GenericGroupBatch_RunsTheGivenStepOnceGroupsAreRefetched)
{
    ui.offer(QStringLiteral("afterGroups"));
    const GroupPtr team = addGroup(QStringLiteral("Team"));

    ASSERT_TRUE(engine->processGroupBatchArray(
        {{team, nullptr, batchactions::add}}, tickettypes::generic, QStringLiteral("afterGroups")));
    ASSERT_TRUE(runUntil([&] { return journal.contains("step:afterGroups@ui"); }));

    // The Generic road writes the identifier alone.
    EXPECT_FALSE(savedLink(team->uniqueId(), kGroupIDName).isEmpty());
    EXPECT_TRUE(savedLink(team->uniqueId(), kGroupVersionName).isEmpty());
    EXPECT_NE(engine->lists().groupCount(), 0);
}

TEST_F(BatchSendingTest, MissingTicketType_LogsAndSendsNothing)
{
    setLevel(1);
    for (const QString &type : {QString(), QStringLiteral("Fancy")}) {
        server.clearRequestLog();
        EXPECT_FALSE(engine->processContactBatchArray(
            {{addPerson(QStringLiteral("Ann"), QStringLiteral("X")), nullptr, batchactions::add}},
            type));
        EXPECT_FALSE(engine->processGroupBatchArray(
            {{addGroup(QStringLiteral("G")), nullptr, batchactions::add}}, type));
        EXPECT_TRUE(requestsTo(QStringLiteral("/batch")).isEmpty());
    }
    EXPECT_EQ(lines().filter("Invalid parameter not satisfying: ticketType!=nil").size(), 4);
}

} // namespace
