#include "tests/support/google/engineservertest.h"

#include "google/batch/ticketset.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdatafeedcontact.h"
#include "platform/gdata/gdataservicegooglecontact.h"

#include <algorithm>

namespace {

class TicketSetTest : public EngineServerTest
{
protected:
    void SetUp() override
    {
        EngineServerTest::SetUp();
        storePassword(kPassword);
        engine = makeEngine();
        ASSERT_TRUE(logIn(*engine));
    }

    // Feeds of one new contact each, titled by their place.
    static std::vector<GDataFeedPtr> feeds(int count)
    {
        std::vector<GDataFeedPtr> made;
        for (int i = 0; i < count; ++i) {
            const GDataFeedPtr feed = GDataFeedContact::contactFeed();
            const GDataEntryPtr entry =
                GDataEntryContact::contactEntryWithTitle(QStringLiteral("Person %1").arg(i));
            entry->setBatchOperation(QStringLiteral("insert"));
            feed->addEntry(entry);
            made.push_back(feed);
        }
        return made;
    }

    std::unique_ptr<OfferingEngine> engine;
};

// A long queue goes out a few feeds at a time, each prepared just before it is sent, and the set
// still completes once, after the last answer.
TEST_F(TicketSetTest, ManyFeeds_SentAFewAtATimeEachPreparedJustBeforeItGoes)
{
    constexpr int kFeeds = 20;
    int prepared = 0;
    int ended = 0;
    int mostInFlight = 0;
    int completions = 0;
    size_t results = 0;
    QStringList preparedTitles;
    TicketSet::sendBatchFeeds(
        *engine->contactService(), engine.get(), engine->contactFeed()->batchLink()->URL(),
        feeds(kFeeds),
        [&](TicketSet &set) {
            ++completions;
            results = set.results().size();
            EXPECT_TRUE(set.failures().empty());
        },
        [&](TicketSet &) { ++ended; },
        [&](GDataFeed &feed) {
            ++prepared;
            mostInFlight = std::max(mostInFlight, prepared - ended);
            preparedTitles << feed.entries().at(0)->title().value_or(QString());
        });
    EXPECT_LT(prepared, kFeeds); // the rest wait for answers
    ASSERT_TRUE(runUntil([&] { return completions > 0; }));
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(prepared, kFeeds);
    EXPECT_EQ(results, size_t(kFeeds));
    EXPECT_GT(mostInFlight, 1);
    EXPECT_LE(mostInFlight, engine->contactService()->maximumConcurrentWrites());
    EXPECT_EQ(preparedTitles.first(), QStringLiteral("Person 0"));
    EXPECT_EQ(preparedTitles.last(), QStringLiteral("Person 19"));
}

// What a sender puts on its tickets comes back with the ticket that ended last, at each end and
// at the completion.
TEST_F(TicketSetTest, TheTicketThatEndedLastKeepsThePropertiesItWasSentWith)
{
    QList<int> endedPlaces;
    int completedWith = -1;
    const std::shared_ptr<TicketSet> set = TicketSet::sendBatchFeeds(
        *engine->contactService(), engine.get(), engine->contactFeed()->batchLink()->URL(),
        feeds(3),
        [&](TicketSet &done) { completedWith = done.lastTicket()->propertyAs<int>("place", -1); },
        [&](TicketSet &ended) { endedPlaces << ended.lastTicket()->propertyAs<int>("place", -1); });
    ASSERT_EQ(set->tickets().size(), 3u);
    EXPECT_FALSE(set->lastTicket());
    for (size_t i = 0; i < set->tickets().size(); ++i)
        set->tickets()[i]->setProperty("place", int(i));
    ASSERT_TRUE(runUntil([&] { return completedWith >= 0; }));
    QList<int> sorted = endedPlaces;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (QList<int>{0, 1, 2}));
    EXPECT_EQ(completedWith, endedPlaces.last());
    EXPECT_TRUE(set->tickets().empty());
}

// On the People protocol the writes of an account go one after another: each feed is prepared and
// sent only once the one before has answered, whatever it answered.
TEST_F(TicketSetTest, OnPeople_OneFeedInFlightAtATime)
{
    GDataServiceGoogleContact service;
    service.setBaseUrl(server.baseUrl());
    service.setProtocol(GDataServiceGoogleContact::Protocol::People);
    service.setIsServiceRetryEnabled(false);
    constexpr int kFeeds = 5;
    int prepared = 0;
    int ended = 0;
    int mostInFlight = 0;
    int completions = 0;
    TicketSet::sendBatchFeeds(
        service, engine.get(), engine->contactFeed()->batchLink()->URL(), feeds(kFeeds),
        [&](TicketSet &) { ++completions; },
        [&](TicketSet &) { ++ended; },
        [&](GDataFeed &) {
            ++prepared;
            mostInFlight = std::max(mostInFlight, prepared - ended);
        });
    EXPECT_EQ(prepared, 1);
    ASSERT_TRUE(runUntil([&] { return completions > 0; }));
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(prepared, kFeeds);
    EXPECT_EQ(ended, kFeeds);
    EXPECT_EQ(mostInFlight, 1);
}

TEST_F(TicketSetTest, NoFeeds_CompletesAtOnceWithNothing)
{
    int completions = 0;
    TicketSet::sendBatchFeeds(*engine->contactService(), engine.get(),
                              engine->contactFeed()->batchLink()->URL(), {}, [&](TicketSet &set) {
                                  ++completions;
                                  EXPECT_TRUE(set.results().empty());
                              });
    EXPECT_EQ(completions, 1);
}

} // namespace
