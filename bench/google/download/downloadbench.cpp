// A download of a full account (25,000 contacts) from the loopback server into an empty address
// book, as the data loader drives it: groups and contacts fetched, every group and contact paired
// with its record or made into one, each contact written into its person, one save; on each
// protocol from the same seeded server.

#include "bench/google/benchengine.h"
#include "bench/platform/gdata/benchprotocol.h"
#include "bench/platform/gdata/loopbackserver.h"
#include "bench/platform/gdata/samplecontacts.h"
#include "tests/support/google/downloadroad.h"

#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kContacts = 25000;
constexpr int kSeedChunk = 2500;

bool seedAccount(LoopbackServer &server)
{
    if (!server.addAccount(benchengine::kUser, benchengine::kPassword))
        return false;
    const QString group = server.myContactsGroupId(benchengine::kUser);
    for (int first = 0; first < kContacts; first += kSeedChunk) {
        std::vector<GDataEntryPtr> chunk;
        for (int i = first; i < first + kSeedChunk; ++i)
            chunk.push_back(samplecontacts::contact(i, group));
        if (!server.seedContacts(benchengine::kUser, chunk))
            return false;
    }
    return true;
}

// One server for both protocols, started and seeded on first use.
LoopbackServer *seededServer()
{
    static LoopbackServer server;
    static const bool ready =
        server.start() && seedAccount(server) && benchengine::usePreferences(server.baseUrl());
    return ready ? &server : nullptr;
}

void BM_DownloadFullAccount(benchmark::State &state)
{
    LoopbackServer *server = seededServer();
    if (!server) {
        state.SkipWithError("the loopback server could not be started and seeded");
        return;
    }
    const auto protocol = benchprotocol::fromArgument(state.range(0));
    state.SetLabel(benchprotocol::label(protocol));
    const QString secret = benchengine::useProtocol(*server, protocol);
    if (secret.isEmpty()) {
        state.SkipWithError("the account could not be set up");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        if (!downloadroad::emptyBook()) {
            state.SkipWithError("the address book could not be emptied");
            break;
        }
        state.ResumeTiming();
        const std::unique_ptr<GoogleContactTool> engine = benchengine::signedInEngine(secret);
        if (!engine || engine->contactArray().size() != size_t(kContacts) ||
            !downloadroad::downloadIntoAddressBook(*engine)) {
            state.SkipWithError("the download did not bring every contact");
            break;
        }
    }
    state.counters["people"] = double(AddressBook::shared()->people().size() - 1);
}
BENCHMARK(BM_DownloadFullAccount)
    ->ArgName("people")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

} // namespace
