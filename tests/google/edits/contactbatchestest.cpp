// The browser's edits of many contacts against the loopback server: every send ends with one
// report of all its results and one fetch of the groups and contacts, a failure is always shown,
// and a drop on a group adds no membership twice.
#include "tests/support/google/browseredittest.h"

#include "google/batch/batchkeys.h"
#include "google/edits/contactflags.h"
#include "google/entries/contactaccessors.h"
#include "google/lookups/contactlookups.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdatahttpfetcher.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

// The numbers of the report's "batchID_%u" lines.
QList<int> reportedBatchNumbers(const QString &report)
{
    QList<int> numbers;
    static const QRegularExpression line(QStringLiteral("^batchID_(\\d+)$"),
                                         QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(report); it.hasNext();)
        numbers << it.next().captured(1).toInt();
    return numbers;
}

class ContactBatchesTest : public BrowserEditTest
{
};

TEST_F(ContactBatchesTest, Delete250_ThreeFeedsOneReportOfAllAndOneFetchOfEachList)
{
    seedAndLogIn({}, 251);
    engine->batchDeleteContacts(rowsOf(contactIDs.mid(0, 250)));
    ASSERT_TRUE(runUntilRefreshed());

    // The feeds go out side by side, so the server may take them in any order.
    QList<int> feeds = batchEntryCounts();
    std::sort(feeds.begin(), feeds.end());
    EXPECT_EQ(feeds, QList<int>({50, 100, 100}));
    EXPECT_EQ(fetchesOf("groups"), 1);
    EXPECT_EQ(fetchesOf("contacts"), 1);
    ASSERT_EQ(engine->contactArray().size(), 1u);
    EXPECT_EQ(engine->contactArray().front()->identifier(), contactIDs.last());
    EXPECT_TRUE(journal.contains("openUserInfo:Deleting Contacts.../250"));
    EXPECT_TRUE(journal.contains("updateUserInfo:Deleting .. Contact 249"));
    EXPECT_TRUE(journal.contains("progress:Waiting for Google response... "));
    // The report holds every result of the send, each numbered once, in one run of the counter.
    const QList<int> numbers = reportedBatchNumbers(engine->lastBatchReport());
    ASSERT_EQ(numbers.size(), 250);
    const int first = *std::min_element(numbers.begin(), numbers.end());
    EXPECT_EQ(QSet<int>(numbers.begin(), numbers.end()).size(), 250);
    EXPECT_EQ(*std::max_element(numbers.begin(), numbers.end()), first + 249);
    EXPECT_TRUE(engine->lastBatchReport().startsWith("http status:200\n\n"));
    EXPECT_TRUE(engine->lastBatchReport().contains("200 Success\n"));
    // No sheet without showGoogleAlerts.
    EXPECT_TRUE(prompter.shown().isEmpty());

    // The next delete goes on counting.
    journal.clear();
    engine->batchDeleteContacts(rowsOf({contactIDs.last()}));
    ASSERT_TRUE(runUntilRefreshed());
    EXPECT_EQ(reportedBatchNumbers(engine->lastBatchReport()), QList<int>({first + 250}));
    EXPECT_TRUE(engine->contactArray().empty());
}

TEST_F(ContactBatchesTest, EntryRefusedInsideAFeed_IsShownThoughReportsAreOff)
{
    seedAndLogIn({}, 3);
    // The counter runs for the life of the program: learn where it stands.
    engine->batchFlagContactsWithFlags({contactIDs[0]}, contactflags::male);
    ASSERT_TRUE(runUntilRefreshed());
    ASSERT_TRUE(prompter.shown().isEmpty());
    const int last = reportedBatchNumbers(engine->lastBatchReport()).value(0);
    const QString refused = QStringLiteral("batchID_%1").arg(last + 2);
    server.injectBatchEntryStatus(refused, 409, QStringLiteral("Conflict"));

    journal.clear();
    engine->batchFlagContactsWithFlags(contactIDs.mid(1), contactflags::male);
    ASSERT_TRUE(runUntilRefreshed());
    ASSERT_EQ(prompter.shown().size(), 1);
    EXPECT_EQ(prompter.shown().front().prompt.message, "Batch update failed");
    EXPECT_EQ(prompter.shown().front().prompt.informativeText,
              "Update failed: " + refused + "\n409 Conflict");
    EXPECT_EQ(serverFlag(contactIDs[1], "gender"), QStringLiteral("M"));
    EXPECT_EQ(serverFlag(contactIDs[2], "gender"), QStringLiteral("F"));
}

TEST_F(ContactBatchesTest, EmptyList_SendsAndShowsNothing)
{
    seedAndLogIn({"Friends"}, 1);
    engine->batchDeleteContacts({});
    engine->batchRemoveContactsFromGroups({}, groupIDs);
    engine->removeAllGroupMembershipsForContacts({});
    engine->batchFlagContactsWithFlags({}, contactflags::male);
    engine->addContactsToGroupWithID({}, groupIDs.front());
    runUntil([] { return false; }, 200);
    EXPECT_TRUE(server.requestLog().isEmpty());
    EXPECT_TRUE(journal.isEmpty());
}

TEST_F(ContactBatchesTest, ShowGoogleAlerts_ShowsTheReportOfEveryResult)
{
    UserDefaults::standard().setBool(true, batchkeys::showGoogleAlerts);
    seedAndLogIn({}, 120);
    engine->batchFlagContactsWithFlags(contactIDs, contactflags::male);
    ASSERT_TRUE(runUntilRefreshed());
    ASSERT_EQ(prompter.shown().size(), 1);
    const Prompt &prompt = prompter.shown().front().prompt;
    EXPECT_EQ(prompt.message, "Batch update completed");
    EXPECT_TRUE(prompt.informativeText.startsWith("Update completed.\nhttp status:200\n\n"));
    EXPECT_EQ(reportedBatchNumbers(prompt.informativeText).size(), 120);
    EXPECT_EQ(prompt.buttons, QStringList({"OK"}));
}

TEST_F(ContactBatchesTest, RemoveFromGroups_LeavesTheOtherMemberships)
{
    seedAndLogIn({"Friends", "Family", "Work"}, 3, [](int) { return QList<int>{0, 1, 2}; });
    engine->batchRemoveContactsFromGroups(rowsOf(contactIDs.mid(0, 2)), {groupIDs[0], groupIDs[2]});
    ASSERT_TRUE(runUntilRefreshed());
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(serverMemberships(contactIDs[i]), QStringList({myContactsID, groupIDs[1]})) << i;
    EXPECT_EQ(serverMemberships(contactIDs[2]).size(), 4);
    EXPECT_TRUE(journal.contains("updateUserInfo:Waiting for Google response... "));
    EXPECT_EQ(fetchesOf("groups"), 1);
    EXPECT_EQ(fetchesOf("contacts"), 1);
}

TEST_F(ContactBatchesTest, RemoveAllMemberships_LeavesMyContactsOnly)
{
    seedAndLogIn({"Friends", "Family"}, 2, [](int) { return QList<int>{0, 1}; });
    engine->removeAllGroupMembershipsForContacts({contactIDs[0]});
    ASSERT_TRUE(runUntilRefreshed());
    EXPECT_EQ(serverMemberships(contactIDs[0]), QStringList({myContactsID}));
    EXPECT_EQ(serverMemberships(contactIDs[1]).size(), 3);
}

// Every contact starts as a woman, not a company.
TEST_F(ContactBatchesTest, Flags_ThroughTheActionsAndThroughDropsOnPseudoGroups)
{
    const struct
    {
        const char *name;
        contactflags::Flags flags;
        QString pseudoGroup;
        QString isCo, gender;
    } cases[] = {
        {"male", contactflags::male, "Male", "0", "M"},
        {"female", contactflags::female, "Female", "0", "F"},
        {"person keeps the gender", contactflags::person, QString(), "0", "F"},
        {"company", contactflags::company, "Company", "1", ""},
        {"neither", contactflags::neither, "NoGender", "0", ""},
    };
    seedAndLogIn({}, 2 * int(std::size(cases)));
    int next = 0;
    for (const auto &c : cases) {
        for (const bool drop : {false, true}) {
            if (drop && c.pseudoGroup.isEmpty())
                continue;
            const QString identifier = contactIDs[next++];
            journal.clear();
            if (drop)
                engine->addContactsToGroupWithID({identifier}, c.pseudoGroup);
            else
                engine->batchFlagContactsWithFlags({identifier}, c.flags);
            ASSERT_TRUE(runUntilRefreshed()) << c.name;
            EXPECT_EQ(serverFlag(identifier, "isCo"), c.isCo) << c.name << (drop ? " (drop)" : "");
            EXPECT_EQ(serverFlag(identifier, "gender"), c.gender)
                << c.name << (drop ? " (drop)" : "");
            EXPECT_EQ(serverFlag(identifier, "aID"), QStringLiteral("P%1:ABPerson").arg(next - 1));
        }
    }
}

TEST_F(ContactBatchesTest, DropOnPseudoGroups_NoGroupLeavesMyContactsEmailOnlyBeepsRecentSends)
{
    seedAndLogIn({"Friends"}, 3, [](int) { return QList<int>{0}; });
    GDataHTTPFetcher::setIsLoggingEnabled(false);

    engine->addContactsToGroupWithID({contactIDs[0]}, "Email");
    engine->addContactsToGroupWithID({contactIDs[1]}, "Recent");
    runUntil([] { return false; }, 200);
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(batchRequests().isEmpty());
    EXPECT_TRUE(GDataHTTPFetcher::isLoggingEnabled());
    GDataHTTPFetcher::setIsLoggingEnabled(false);

    engine->addContactsToGroupWithID({contactIDs[2]}, "NoGroup");
    ASSERT_TRUE(runUntilRefreshed());
    EXPECT_EQ(serverMemberships(contactIDs[2]), QStringList({myContactsID}));
    EXPECT_EQ(serverMemberships(contactIDs[0]).size(), 2);
}

TEST_F(ContactBatchesTest, DropOnGroup_SendsOnlyContactsNotInItYet)
{
    seedAndLogIn({"Friends", "Family"}, 3,
                 [](int i) { return i == 0 ? QList<int>{0} : QList<int>{1}; });
    engine->addContactsToGroupWithID(contactIDs, groupIDs[0]);
    // Answered as a "Generic" send, which ends with the window's clean-up.
    ASSERT_TRUE(runUntil([&] { return journal.contains("cleanup:Simple Google Update//"); }));

    EXPECT_EQ(batchEntryCounts(), QList<int>({2}));
    EXPECT_EQ(serverMemberships(contactIDs[0]), QStringList({myContactsID, groupIDs[0]}));
    for (int i = 1; i < 3; ++i)
        EXPECT_EQ(serverMemberships(contactIDs[i]),
                  QStringList({myContactsID, groupIDs[1], groupIDs[0]}))
            << i;
    EXPECT_TRUE(journal.contains("updateUserInfo:Updating Group memberships: Contact 001"));
    EXPECT_EQ(engine->currentContactBatchArray().size(), 2u);
    EXPECT_EQ(fetchesOf("contacts"), 1);
}

TEST_F(ContactBatchesTest, NothingToSend_StillEndsAfterTheCallerIsDone)
{
    seedAndLogIn({"Friends"}, 1, [](int) { return QList<int>{0}; });
    engine->batchDeleteContacts(rowsOf({"http://nowhere/contacts/1"}));
    ASSERT_TRUE(runUntilRefreshed());
    EXPECT_TRUE(batchRequests().isEmpty());
    EXPECT_LT(journal.indexOf("progress:Waiting for Google response... "),
              journal.indexOf("progress:Refreshing local Google data..."));

    // Every contact dropped on the group is in it already.
    journal.clear();
    engine->addContactsToGroupWithID(contactIDs, groupIDs[0]);
    ASSERT_TRUE(runUntil([&] { return journal.contains("cleanup:Simple Google Update//"); }));
    EXPECT_TRUE(batchRequests().isEmpty());
    EXPECT_EQ(serverMemberships(contactIDs[0]), QStringList({myContactsID, groupIDs[0]}));
}

TEST_F(ContactBatchesTest, DropOnUnknownGroup_SendsNothing)
{
    seedAndLogIn({}, 1);
    engine->addContactsToGroupWithID(contactIDs, "http://nowhere/groups/9");
    runUntil([] { return false; }, 200);
    EXPECT_TRUE(server.requestLog().isEmpty());
}

struct FeedFault
{
    const char *name;
    std::function<void(GDataTestServer &)> inject;
    bool applied; // whether Google took the feed whose answer failed
};

class FailedFeedTest : public BrowserEditTest, public ::testing::WithParamInterface<FeedFault>
{
};

// Whatever fails, the send ends: the failure is shown, and the lists are fetched again, so the
// browser shows what Google holds rather than the held entries' changes.
TEST_P(FailedFeedTest, EndsTheSendShowsTheFailureAndFetchesOnce)
{
    seedAndLogIn({}, 150);
    GetParam().inject(server);
    engine->batchFlagContactsWithFlags(contactIDs, contactflags::male);
    ASSERT_TRUE(runUntilRefreshed());

    ASSERT_EQ(prompter.shown().size(), 1);
    EXPECT_EQ(prompter.shown().front().prompt.message, "Batch update failed");
    EXPECT_TRUE(prompter.shown().front().prompt.informativeText.startsWith("Update failed: "));
    EXPECT_EQ(fetchesOf("groups"), 1);
    EXPECT_EQ(fetchesOf("contacts"), 1);
    int flaggedOnServer = 0;
    int flaggedHeld = 0;
    for (const QString &identifier : contactIDs) {
        flaggedOnServer += serverFlag(identifier, "gender") == QStringLiteral("M");
        const GDataEntryContactPtr held = contactlookups::contactForID(engine->lists(), identifier);
        ASSERT_TRUE(held);
        flaggedHeld += tolvane::tolvaneGenderInt(*held) == tolvane::kGenderMale;
    }
    if (GetParam().applied)
        EXPECT_EQ(flaggedOnServer, 150);
    else
        EXPECT_TRUE(flaggedOnServer == 50 || flaggedOnServer == 100) << flaggedOnServer;
    EXPECT_EQ(flaggedHeld, flaggedOnServer);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FailedFeedTest,
    ::testing::Values(
        FeedFault{"Refused", [](GDataTestServer &s) { s.injectFault("/batch", 503); }, false},
        // More than the network layer's own quiet resends of a request whose connection closed.
        FeedFault{"AppliedAnswerLost",
                  [](GDataTestServer &s) { s.injectApplyThenDrop("/batch", 5); }, true}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
