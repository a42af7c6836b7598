// The browser's edits of groups against the loopback server: group feeds hold at most 100
// entries, every send ends with one report and one fetch of the lists, and a renamed group can
// be renamed again.
#include "tests/support/google/browseredittest.h"

#include "google/lookups/grouplookups.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class GroupBatchesTest : public BrowserEditTest
{
protected:
    QStringList titles(int count, const QString &stem)
    {
        QStringList made;
        for (int i = 0; i < count; ++i)
            made << QStringLiteral("%1 %2").arg(stem).arg(i, 3, 10, QChar(u'0'));
        return made;
    }
    QList<int> sortedBatchEntryCounts()
    {
        QList<int> counts = batchEntryCounts();
        std::sort(counts.begin(), counts.end());
        return counts;
    }
    int reportedResults()
    {
        static const QRegularExpression line(QStringLiteral("^batchID_\\d+$"),
                                             QRegularExpression::MultilineOption);
        int count = 0;
        for (auto it = line.globalMatch(engine->lastBatchReport()); it.hasNext(); it.next())
            ++count;
        return count;
    }
};

TEST_F(GroupBatchesTest, Delete150_TwoFeedsOfAtMost100AndOneFetchOfEachList)
{
    seedAndLogIn(titles(152, "Group"), 0);
    QStringList doomed = groupIDs.mid(0, 150);
    doomed << QStringLiteral("http://nowhere/groups/1");
    engine->batchDeleteGroups(doomed);
    ASSERT_TRUE(runUntilRefreshed());

    EXPECT_EQ(sortedBatchEntryCounts(), QList<int>({50, 100}));
    EXPECT_EQ(serverGroupTitles(), QStringList({"Group 150", "Group 151"}));
    EXPECT_EQ(reportedResults(), 150);
    EXPECT_EQ(fetchesOf("groups"), 1);
    EXPECT_EQ(fetchesOf("contacts"), 1);
    EXPECT_TRUE(grouplookups::groupForID(engine->lists(), groupIDs[151]));
    EXPECT_FALSE(grouplookups::groupForID(engine->lists(), groupIDs[0]));
}

TEST_F(GroupBatchesTest, DeleteNone_StillSendsOneFeedAndEnds)
{
    seedAndLogIn({"Friends"}, 0);
    engine->batchDeleteGroups({});
    ASSERT_TRUE(runUntilRefreshed());
    EXPECT_EQ(batchEntryCounts(), QList<int>({0}));
    EXPECT_EQ(serverGroupTitles(), QStringList({"Friends"}));
}

TEST_F(GroupBatchesTest, ABGroups_BecomeGoogleGroupsInFeedsOfAtMost100)
{
    seedAndLogIn({}, 0);
    QList<GroupPtr> abGroups;
    for (const QString &name : titles(150, "Book")) {
        const GroupPtr group = Group::create();
        group->setValueForProperty(name, kABGroupNameProperty);
        AddressBook::shared()->addRecord(group);
        abGroups << group;
    }
    engine->batchDeleteABGroups(abGroups);
    EXPECT_TRUE(engine->isGoogleContactFetchPending());
    ASSERT_TRUE(runUntilRefreshed());

    EXPECT_FALSE(engine->isGoogleContactFetchPending());
    EXPECT_EQ(sortedBatchEntryCounts(), QList<int>({50, 100}));
    EXPECT_EQ(serverGroupTitles(), titles(150, "Book"));
    EXPECT_EQ(reportedResults(), 150);
}

TEST_F(GroupBatchesTest, WithoutGroupFeed_BeepsAndSendsNothing)
{
    const GroupPtr group = Group::create();
    group->setValueForProperty(QStringLiteral("Book"), kABGroupNameProperty);
    engine->batchDeleteABGroups({group});
    engine->batchUpdateGroups({});
    runUntil([] { return false; }, 200);
    EXPECT_EQ(beeps, 2);
    EXPECT_FALSE(engine->isGoogleContactFetchPending());
    EXPECT_TRUE(server.requestLog().isEmpty());
}

TEST_F(GroupBatchesTest, UpdateGroups_DatesTheNotesOfGroupsThatHaveOne)
{
    seedAndLogIn({"Noted", "Plain"}, 0);
    const GDataEntryContactGroupPtr noted = grouplookups::groupForID(engine->lists(), groupIDs[0]);
    const GDataEntryContactGroupPtr plain = grouplookups::groupForID(engine->lists(), groupIDs[1]);
    ASSERT_TRUE(noted && plain);
    noted->setContentWithString(QStringLiteral("a note"));

    engine->batchUpdateGroups({plain});
    EXPECT_EQ(beeps, 1);
    engine->batchUpdateGroups({noted, plain});
    ASSERT_TRUE(runUntilRefreshed());

    EXPECT_EQ(batchEntryCounts(), QList<int>({1}));
    const GDataEntryContactGroupPtr stored = grouplookups::groupForID(engine->lists(), groupIDs[0]);
    ASSERT_TRUE(stored);
    EXPECT_TRUE(
        QRegularExpression(
            QStringLiteral("^a note\n\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d [+-]\\d{4}$"))
            .match(stored->content().value_or(QString()))
            .hasMatch())
        << stored->content().value_or(QString()).toStdString();
}

TEST_F(GroupBatchesTest, Rename_WaitsForGoogleAndCanBeRepeated)
{
    seedAndLogIn({"Friends"}, 0);
    engine->updateGroupIDWithName(groupIDs[0], QStringLiteral("Pals"));
    // The call waited for the answer.
    EXPECT_EQ(serverGroupTitles(), QStringList({"Pals"}));
    // The answer's version is the one held, so Google takes the next rename too.
    engine->updateGroupIDWithName(groupIDs[0], QStringLiteral("Mates"));
    EXPECT_EQ(serverGroupTitles(), QStringList({"Mates"}));
    EXPECT_EQ(journal.count("closeUserInfo"), 2);
    EXPECT_TRUE(prompter.shown().isEmpty());
    EXPECT_EQ(grouplookups::groupForID(engine->lists(), groupIDs[0])->title(),
              QStringLiteral("Mates"));
}

TEST_F(GroupBatchesTest, RenameRefused_ShowsTheFailureOnTheWindow)
{
    seedAndLogIn({"Friends"}, 0);
    server.injectFault(QStringLiteral("/groups/"), 500, 3, 0, false, "PUT");
    engine->updateGroupIDWithName(groupIDs[0], QStringLiteral("Pals"));
    ASSERT_TRUE(runUntil([&] { return !prompter.shown().isEmpty(); }));
    EXPECT_EQ(prompter.shown().front().prompt.message, "Update failed");
    EXPECT_TRUE(
        prompter.shown().front().prompt.informativeText.startsWith("Group update failed: "));
    EXPECT_TRUE(prompter.shown().front().prompt.informativeText.contains("\nUser info:"));
    EXPECT_EQ(serverGroupTitles(), QStringList({"Friends"}));
    EXPECT_FALSE(journal.contains("closeUserInfo"));
}

TEST_F(GroupBatchesTest, RenameOfUnknownGroup_SendsNothing)
{
    seedAndLogIn({"Friends"}, 0);
    engine->updateGroupIDWithName(QStringLiteral("http://nowhere/groups/1"), "Pals");
    EXPECT_TRUE(server.requestLog().isEmpty());
}

} // namespace
