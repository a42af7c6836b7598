// Filling an empty account with 25,000 contacts through the contacts client: 250 batch requests
// of 100 inserts each, sent one after another, every result read back.

#include "bench/platform/gdata/completion.h"
#include "bench/platform/gdata/loopbackserver.h"
#include "bench/platform/gdata/samplecontacts.h"

#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/gdataservicegooglecontact.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kBatches = 250;
constexpr int kBatchSize = kGDataMaxBatchEntries;
constexpr int kRequestTimeoutMs = 60000;
const QString kUser = QStringLiteral("bench@example.com");
const QString kPassword = QStringLiteral("bench");

std::vector<GDataFeed> insertBatches(const QString &group)
{
    std::vector<GDataFeed> batches;
    for (int batch = 0; batch < kBatches; ++batch) {
        GDataFeed feed(GDataEntryBase::Kind::Contact);
        for (int i = 0; i < kBatchSize; ++i) {
            const GDataEntryContactPtr contact =
                samplecontacts::contact(batch * kBatchSize + i, group);
            contact->setBatchID(QString::number(i));
            contact->setBatchOperation(QLatin1String(kGDataBatchOperationInsert));
            feed.addEntry(contact);
        }
        batches.push_back(feed);
    }
    return batches;
}

// An empty account, signed in to by the service.
bool freshAccount(LoopbackServer &server, GDataServiceGoogleContact &service)
{
    if (!server.reset() || !server.addAccount(kUser, kPassword))
        return false;
    service.setUserCredentials(kUser, kPassword);
    Completion completion;
    bool signedIn = false;
    service.fetchContactQuery(
        GDataQueryContact::contactQueryWithFeedURL(
            service.feedURL(QLatin1String(kGDataGoogleContactDefaultThinFeed))),
        nullptr,
        [&](const GDataServiceTicketPtr &, const GDataFeedPtr &) {
            signedIn = true;
            completion.done();
        },
        [&](const GDataServiceTicketPtr &, const GDataError &) { completion.done(); });
    return completion.wait(kRequestTimeoutMs) && signedIn;
}

// The number of entries the server reported as created.
int sendBatches(GDataServiceGoogleContact &service, const std::vector<GDataFeed> &batches)
{
    const QUrl url(service.feedURL(QLatin1String(kGDataGoogleContactDefaultFullFeed)).toString() +
                   QStringLiteral("/batch"));
    Completion completion;
    int created = 0;
    for (const GDataFeed &batch : batches) {
        service.fetchContactBatchFeedWithBatchFeed(
            batch, url, nullptr,
            [&](const GDataServiceTicketPtr &, const GDataFeedPtr &result) {
                for (const GDataEntryPtr &entry : result->entries())
                    created += entry->batchStatus() && entry->batchStatus()->code == 201 ? 1 : 0;
                completion.done();
            },
            [&](const GDataServiceTicketPtr &, const GDataError &) { completion.done(); });
        if (!completion.wait(kRequestTimeoutMs))
            break;
    }
    return created;
}

void BM_InsertFullAccountInBatches(benchmark::State &state)
{
    LoopbackServer server;
    if (!server.start()) {
        state.SkipWithError("the loopback server did not start");
        return;
    }
    const std::vector<GDataFeed> batches = insertBatches(server.myContactsGroupId(kUser));
    GDataServiceGoogleContact service;
    service.setBaseUrl(server.baseUrl());
    for (auto _ : state) {
        state.PauseTiming();
        const bool ready = freshAccount(server, service);
        state.ResumeTiming();
        if (!ready) {
            state.SkipWithError("the account could not be made afresh");
            break;
        }
        if (sendBatches(service, batches) != kBatches * kBatchSize) {
            state.SkipWithError("not every contact was created");
            break;
        }
    }
    state.counters["contacts"] = kBatches * kBatchSize;
}
BENCHMARK(BM_InsertFullAccountInBatches)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

} // namespace
