// Contact batches against the loopback server when Google fails part of them: whatever fails,
// the job ends and says what failed, every contact Google created is linked and saved, and the
// next run sends only what is missing, so no contact exists twice.

#include "tests/support/google/uploadservertest.h"

#include "tests/support/httptestclient.h"

#include "google/batch/batchaction.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/gdata/gdataservicegooglecontact.h"

#include <QSet>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct FaultCase
{
    const char *name;
    int people;
    // Injects the fault for the people about to be sent; answers how many faults it set on
    // batch requests.
    std::function<int(GDataTestServer &, const QList<PersonPtr> &)> inject;
    // Whether the people of these indexes are exactly the ones Google did not create.
    std::function<bool(const QSet<int> &)> failedAsExpected;
    // Text the job's error report or its clean-up holds.
    const char *reported;
};

// The people of one feed of 100 entries (the last feed holds the rest).
bool oneWholeFeed(const QSet<int> &failed, int people)
{
    for (int first = 0; first < people; first += 100) {
        QSet<int> feed;
        for (int i = first; i < std::min(first + 100, people); ++i)
            feed.insert(i);
        if (failed == feed)
            return true;
    }
    return false;
}

const FaultCase kFaultCases[] = {
    {"MixedEntryResults", 5,
     [](GDataTestServer &server, const QList<PersonPtr> &people) {
         server.injectBatchEntryStatus(people[1]->uniqueId(), 500, QStringLiteral("Server Error"));
         server.injectBatchEntryStatus(people[3]->uniqueId(), 409, QStringLiteral("Conflict"));
         return 0;
     },
     [](const QSet<int> &failed) {
         return failed == QSet<int>{1, 3};
     },
     "Ann Mixed1: 500 - Server Error"},
    {"ServiceUnavailableAmongThreeFeeds", 201,
     [](GDataTestServer &server, const QList<PersonPtr> &) {
         server.injectFault(QStringLiteral("/batch"), 503);
         return 1;
     },
     [](const QSet<int> &failed) { return oneWholeFeed(failed, 201); }, "ticket failed"},
    {"DroppedConnection", 5,
     [](GDataTestServer &server, const QList<PersonPtr> &) {
         // More drops than the network layer's own quiet resends of a request whose
         // connection closed before any answer.
         server.injectFault(QStringLiteral("/batch"), 0, 5, 0, true);
         return 5;
     },
     [](const QSet<int> &failed) {
         return failed == QSet<int>{0, 1, 2, 3, 4};
     },
     "ticket failed"},
    {"InterruptedBatch", 5,
     [](GDataTestServer &server, const QList<PersonPtr> &) {
         server.interruptNextBatch(2, QStringLiteral("Server busy"));
         return 0;
     },
     [](const QSet<int> &failed) {
         return failed == QSet<int>{2, 3, 4};
     },
     "interrupted: GDataBatchInterrupted reason:Server busy"},
};

class ContactBatchFaultTest : public UploadServerTest,
                              public ::testing::WithParamInterface<FaultCase>
{
protected:
    // Faults on batch requests that the first run did not meet must not hit the next one.
    void spendFaultsLeft(int count)
    {
        QUrl url = server.baseUrl();
        url.setPath(QStringLiteral("/batch-faults-left"));
        for (int i = 0; i < count; ++i)
            httptest::send("GET", url);
    }
};

TEST_P(ContactBatchFaultTest, JobEnds_SuccessesAreLinked_NextRunSendsOnlyTheRest)
{
    const FaultCase &fault = GetParam();
    const QList<PersonPtr> people =
        addPeople(fault.people, QString::fromLatin1(fault.name).left(5));
    const int batchFaults = fault.inject(server, people);

    ASSERT_TRUE(uploadPeople(people));
    spendFaultsLeft(batchFaults - int(requestsTo(QStringLiteral("/batch")).size()));

    const QString reports = engine->lastBatchErrorReport();
    EXPECT_TRUE(reports.contains(QString::fromLatin1(fault.reported))) << reports.toStdString();
    QSet<int> failed;
    for (int i = 0; i < people.size(); ++i) {
        if (savedContactID(people[i]).isEmpty())
            failed.insert(i);
    }
    EXPECT_TRUE(fault.failedAsExpected(failed)) << failed.size() << " not linked";
    QStringList created = serverRecordIDs();
    EXPECT_EQ(created.size(), people.size() - failed.size());

    // The next run adds only the people Google did not create.
    const BatchActionQueue next = engine->buildBatchArrayForABContactArray(people);
    EXPECT_EQ(next.size(), size_t(failed.size()));
    for (const BatchAction &action : next)
        EXPECT_EQ(action.action, batchactions::add);
    ASSERT_TRUE(uploadPeople(people));
    created = serverRecordIDs();
    EXPECT_EQ(created.size(), people.size());
    EXPECT_EQ(QSet<QString>(created.cbegin(), created.cend()).size(), people.size());
    for (const PersonPtr &person : people)
        EXPECT_FALSE(savedContactID(person).isEmpty());
    EXPECT_TRUE(engine->buildBatchArrayForABContactArray(people).empty());
}

INSTANTIATE_TEST_SUITE_P(Faults, ContactBatchFaultTest, ::testing::ValuesIn(kFaultCases),
                         [](const auto &info) { return std::string(info.param.name); });

using ContactUpdateFaultTest = UploadServerTest;

TEST_F(ContactUpdateFaultTest, RefusedUpdate_IsReportedAndSentAgainNextRun)
{
    const QList<PersonPtr> people = addPeople(2, QStringLiteral("Upd"));
    ASSERT_TRUE(uploadPeople(people));
    const QString refusedID = savedContactID(people[0]);
    waitBeforeEditing(people[1]);
    people[0]->setValueForProperty(QStringLiteral("Bea"), kABFirstNameProperty);
    people[1]->setValueForProperty(QStringLiteral("Cy"), kABFirstNameProperty);
    server.injectBatchEntryStatus(people[0]->uniqueId(), 412,
                                  QStringLiteral("Precondition Failed"));

    ASSERT_TRUE(uploadPeople(people));
    ASSERT_EQ(queueData.queue.size(), 2u);
    EXPECT_TRUE(engine->lastBatchErrorReport().contains("Bea Upd0: 412 - Precondition Failed"));
    QStringList titles;
    for (const GDataEntryPtr &entry : serverEntries(GDataEntryBase::Kind::Contact))
        titles << entry->title().value_or(QString());
    titles.sort();
    EXPECT_EQ(titles, QStringList({"Ann Upd0", "Cy Upd1"}));

    // The refused update is not lost: the next run sends it, to the same contact.
    const BatchActionQueue next = engine->buildBatchArrayForABContactArray(people);
    ASSERT_EQ(next.size(), 1u);
    EXPECT_EQ(next[0].abObj, people[0]);
    EXPECT_EQ(next[0].action, batchactions::update);
    ASSERT_TRUE(uploadPeople(people));
    titles.clear();
    for (const GDataEntryPtr &entry : serverEntries(GDataEntryBase::Kind::Contact))
        titles << entry->title().value_or(QString());
    titles.sort();
    EXPECT_EQ(titles, QStringList({"Bea Upd0", "Cy Upd1"}));
    EXPECT_EQ(savedContactID(people[0]), refusedID);
}

// A batch the server applied but answered too late: the job fails with the time-out, and the
// next run finds the contacts by the record identifier they carry instead of adding them again.
TEST_F(ContactUpdateFaultTest, SlowAnswerToAnAppliedBatch_NextRunAddsNothingTwice)
{
    const QList<PersonPtr> people = addPeople(5, QStringLiteral("Slow"));
    GDataServiceGoogleContact *service = engine->contactService();
    const int timeout = service->requestTimeoutMs();
    service->setRequestTimeoutMs(500);
    server.injectFault(QStringLiteral("/batch"), 0, 1, 2000, false, "POST");

    ASSERT_TRUE(uploadPeople(people));
    EXPECT_TRUE(engine->lastBatchErrorReport().contains(QStringLiteral("Operation canceled")))
        << engine->lastBatchErrorReport().toStdString();
    service->setRequestTimeoutMs(timeout);
    const QStringList created = serverRecordIDs();
    EXPECT_EQ(QSet<QString>(created.cbegin(), created.cend()),
              QSet<QString>({people[0]->uniqueId(), people[1]->uniqueId(), people[2]->uniqueId(),
                             people[3]->uniqueId(), people[4]->uniqueId()}));
    EXPECT_EQ(created.size(), people.size());

    for (const BatchAction &action : engine->buildBatchArrayForABContactArray(people))
        EXPECT_NE(action.action, batchactions::add) << action.abObj->uniqueId().toStdString();
}

// The chain fetches the contacts again after the batch; when that fails, the steps after it are
// not taken, but the job still ends, with every created contact linked.
TEST_F(ContactUpdateFaultTest, FailedRefetchAfterTheBatch_EndsTheJob)
{
    const QList<PersonPtr> people = addPeople(3, QStringLiteral("Ref"));
    server.injectFault(QStringLiteral("/m8/feeds/contacts/"), 500, 50, 0, false, "GET");

    journal.clear();
    queueData.queue = engine->buildBatchArrayForABContactArray(people);
    engine->batchSimpleABContactActions(queueData.queue);
    ASSERT_TRUE(runUntil([&] { return queueData.ended; }));
    EXPECT_TRUE(journal.contains(QStringLiteral("closeUserInfo")));
    ASSERT_TRUE(engine->contactFetchError());
    EXPECT_EQ(engine->contactFetchError()->code, 500);
    for (const PersonPtr &person : people)
        EXPECT_FALSE(savedContactID(person).isEmpty());
}

} // namespace
