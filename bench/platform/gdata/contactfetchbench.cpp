// Fetching a full account (25,000 contacts) from the loopback server through the contacts client:
// every page of the feed (25 of 1,000), sent, answered, read and joined into one feed, on each
// protocol against the same seeded server.

#include "bench/platform/gdata/benchprotocol.h"
#include "bench/platform/gdata/completion.h"
#include "bench/platform/gdata/loopbackserver.h"
#include "bench/platform/gdata/samplecontacts.h"

#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/gdataservicegooglecontact.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kContacts = 25000;
constexpr int kSeedChunk = 2500;
constexpr int kFetchTimeoutMs = 120000;
const QString kUser = QStringLiteral("bench@example.com");
const QString kPassword = QStringLiteral("bench");

bool seedAccount(LoopbackServer &server)
{
    if (!server.addAccount(kUser, kPassword))
        return false;
    const QString group = server.myContactsGroupId(kUser);
    for (int first = 0; first < kContacts; first += kSeedChunk) {
        std::vector<GDataEntryPtr> chunk;
        for (int i = first; i < first + kSeedChunk; ++i)
            chunk.push_back(samplecontacts::contact(i, group));
        if (!server.seedContacts(kUser, chunk))
            return false;
    }
    return true;
}

// The number of contacts fetched, or an empty value when the fetch failed.
std::optional<size_t> fetchAll(GDataServiceGoogleContact &service)
{
    auto query = GDataQueryContact::contactQueryWithFeedURL(
        service.feedURL(QLatin1String(kGDataGoogleContactDefaultFullFeed)));
    query.setShouldShowDeleted(true);
    query.setMaxResults(1000);
    query.setIsAscendingOrder(true);
    Completion completion;
    std::optional<size_t> fetched;
    service.fetchContactQuery(
        query, nullptr,
        [&](const GDataServiceTicketPtr &, const GDataFeedPtr &feed) {
            fetched = feed->entries().size();
            completion.done();
        },
        [&](const GDataServiceTicketPtr &, const GDataError &) { completion.done(); });
    if (!completion.wait(kFetchTimeoutMs))
        return std::nullopt;
    return fetched;
}

// One server for both protocols, started and seeded on first use.
LoopbackServer *seededServer()
{
    static LoopbackServer server;
    static const bool ready = server.start() && seedAccount(server);
    return ready ? &server : nullptr;
}

void BM_FetchFullAccount(benchmark::State &state)
{
    LoopbackServer *server = seededServer();
    if (!server) {
        state.SkipWithError("the loopback server could not be started and seeded");
        return;
    }
    const auto protocol = benchprotocol::fromArgument(state.range(0));
    state.SetLabel(benchprotocol::label(protocol));
    GDataServiceGoogleContact service;
    if (!benchprotocol::useAccount(*server, service, protocol, kUser, kPassword)) {
        state.SkipWithError("the account could not be set up");
        return;
    }
    // Signs in, so that every timed fetch measures the feed alone.
    if (fetchAll(service) != size_t(kContacts)) {
        state.SkipWithError("the first fetch did not bring every contact");
        return;
    }
    for (auto _ : state) {
        if (fetchAll(service) != size_t(kContacts)) {
            state.SkipWithError("a fetch did not bring every contact");
            break;
        }
    }
    state.counters["contacts"] = kContacts;
}
BENCHMARK(BM_FetchFullAccount)
    ->ArgName("people")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

} // namespace
