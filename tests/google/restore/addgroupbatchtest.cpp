#include "tests/support/google/commandservertest.h"

#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"

namespace {

class AddGroupBatchTest : public CommandServerTest
{
protected:
    // Sends the groups and waits for the outcome sheet and the refetch of the groups after it.
    Prompt addAndWait(const QList<GroupPtr> &groups)
    {
        const qsizetype before = prompter.shown().size();
        engine->batchAddABGroups(groups);
        EXPECT_TRUE(runUntil([&] { return prompter.shown().size() > before; }));
        EXPECT_TRUE(runUntil([&] { return !engine->isGoogleContactFetchPending(); }));
        return lastPrompt();
    }
};

TEST_F(AddGroupBatchTest, EveryGroupMadeIsLinkedToTheAddressBookGroupItCameFrom)
{
    const GroupPtr friends = addGroup(QStringLiteral("Climbing"), {});
    const GroupPtr work = addGroup(QStringLiteral("Choir"), {});
    const Prompt outcome = addAndWait({friends, work});
    EXPECT_EQ(outcome.message, QStringLiteral("Batch Add Group Completed"));
    EXPECT_TRUE(outcome.informativeText.startsWith(
        QStringLiteral("Batch Add Group Completed.\nhttp status:200\n\n")))
        << outcome.informativeText.toStdString();
    // The report names each group's batch identifier, without the new identifiers.
    EXPECT_TRUE(outcome.informativeText.contains(friends->uniqueId()));
    EXPECT_FALSE(outcome.informativeText.contains(serverGroupID(QStringLiteral("Climbing"))));
    EXPECT_EQ(googleID(friends), serverGroupID(QStringLiteral("Climbing")));
    EXPECT_EQ(googleID(work), serverGroupID(QStringLiteral("Choir")));
    EXPECT_FALSE(AddressBook::shared()->hasUnsavedChanges());
    // The groups were fetched again: the engine knows both.
    EXPECT_TRUE(runUntil([&] {
        return engine->lists().groups().size() >= 2 &&
               serverGroupTitles().contains(QStringLiteral("Choir"));
    }));
}

TEST_F(AddGroupBatchTest, AFailedSendIsShownAndLinksNothing)
{
    const GroupPtr group = addGroup(QStringLiteral("Climbing"), {});
    server.injectFault(QStringLiteral("/batch"), 503, 4, 0, false, "POST");
    const Prompt outcome = addAndWait({group});
    EXPECT_EQ(outcome.message, QStringLiteral("Batch Add Group Failed"));
    EXPECT_TRUE(outcome.informativeText.startsWith(QStringLiteral("Add Group Failed: ")));
    EXPECT_TRUE(googleID(group).isEmpty());
    EXPECT_FALSE(serverGroupTitles().contains(QStringLiteral("Climbing")));
}

} // namespace
