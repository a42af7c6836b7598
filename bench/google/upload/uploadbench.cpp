// A full "Simple" upload of an address book of 25,000 people in 20 groups (no photos) to the
// loopback server: the upload decisions for the groups and the people, then the group starter,
// whose completion chain sends the contacts in feeds of 100 and writes their links back; and the
// next run over the same book, in which nothing has changed. On each protocol, into an empty
// account of the same server and from a book filled anew.

#include "bench/google/benchengine.h"
#include "bench/google/samplepeople.h"
#include "bench/platform/gdata/benchprotocol.h"
#include "bench/platform/gdata/loopbackserver.h"
#include "tests/support/google/downloadroad.h"

#include "google/engine/googlecontacttooldatadelegate.h"
#include "platform/addressbook/addressbook.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kPeople = 25000;
constexpr int kGroups = 20;
constexpr int kUploadTimeoutMs = 600000;

// Hands the completion chain the contact queue, as the data loader does, and hears the chain end.
class QueueDelegate : public GoogleContactToolDataDelegate
{
public:
    BatchActionQueue batchActionContactArray() override { return queue; }
    void listenForNotifications() override { ended = true; }

    BatchActionQueue queue;
    bool ended = false;
};

// One server for the whole program, and one account and book at a time: the no-change run of a
// protocol needs the book uploaded on it.
struct Account
{
    GDataServiceGoogleContact::Protocol protocol;
    QList<PersonPtr> people;
    std::unique_ptr<GoogleContactTool> engine;
    QueueDelegate delegate;
    bool uploaded = false;
};

LoopbackServer *startedServer()
{
    static LoopbackServer server;
    static const bool started = server.start();
    return started ? &server : nullptr;
}

// An empty account on the protocol and the book filled anew; the engine is null when any of it
// failed.
std::unique_ptr<Account> freshAccount(GDataServiceGoogleContact::Protocol protocol)
{
    auto made = std::make_unique<Account>();
    made->protocol = protocol;
    LoopbackServer *server = startedServer();
    if (!server || !server->reset() ||
        !server->addAccount(benchengine::kUser, benchengine::kPassword) ||
        !benchengine::usePreferences(server->baseUrl()))
        return made;
    const QString secret = benchengine::useProtocol(*server, protocol);
    if (secret.isEmpty() || !downloadroad::emptyBook())
        return made;
    made->people = samplepeople::fillBook(kPeople, kGroups);
    made->engine = benchengine::signedInEngine(secret);
    if (made->engine)
        made->engine->setDataDelegate(&made->delegate);
    return made;
}

Account *account(GDataServiceGoogleContact::Protocol protocol)
{
    static std::unique_ptr<Account> current;
    if (!current || current->protocol != protocol) {
        current.reset();
        current = freshAccount(protocol);
    }
    return current.get();
}

struct Run
{
    size_t groupActions = 0;
    size_t contactActions = 0;
    bool ended = false;
};

// The decisions, then the starters when there is anything to send, waited for to the end.
Run uploadOnce(Account &account)
{
    GoogleContactTool &engine = *account.engine;
    Run run;
    const BatchActionQueue groups =
        engine.buildBatchArrayForABGroupArray(AddressBook::shared()->groups());
    account.delegate.queue = engine.buildBatchArrayForABContactArray(account.people);
    run.groupActions = groups.size();
    run.contactActions = account.delegate.queue.size();
    account.delegate.ended = false;
    if (!groups.empty())
        engine.batchSimpleABGroupActions(groups);
    else if (!account.delegate.queue.empty())
        engine.batchSimpleABContactActions(account.delegate.queue);
    else
        return {0, 0, true};
    run.ended = benchengine::waitUntil([&] { return account.delegate.ended; }, kUploadTimeoutMs);
    return run;
}

// Uploads once per iteration; the counters tell what all the iterations sent together, so a
// no-change run that sends anything shows.
bool timeUploads(benchmark::State &state, Account &account)
{
    size_t groupActions = 0;
    size_t contactActions = 0;
    bool ended = true;
    for (auto _ : state) {
        const Run run = uploadOnce(account);
        groupActions += run.groupActions;
        contactActions += run.contactActions;
        if (!run.ended) {
            state.SkipWithError("the upload did not end");
            ended = false;
            break;
        }
    }
    state.counters["groups"] = double(groupActions);
    state.counters["contacts"] = double(contactActions);
    return ended;
}

void BM_SimpleUploadFullBook(benchmark::State &state)
{
    const auto protocol = benchprotocol::fromArgument(state.range(0));
    state.SetLabel(benchprotocol::label(protocol));
    Account *shared = account(protocol);
    if (!shared->engine || shared->people.size() != kPeople) {
        state.SkipWithError("the loopback server or the address book could not be set up");
        return;
    }
    shared->uploaded = timeUploads(state, *shared);
    state.counters["held"] = double(shared->engine->contactArray().size());
}

void BM_SimpleUploadNothingChanged(benchmark::State &state)
{
    const auto protocol = benchprotocol::fromArgument(state.range(0));
    state.SetLabel(benchprotocol::label(protocol));
    Account *shared = account(protocol);
    if (!shared->engine || !shared->uploaded) {
        state.SkipWithError("the book was not uploaded first");
        return;
    }
    timeUploads(state, *shared);
}

// Both runs of one protocol before the other's: its account and book are set up once for both.
BENCHMARK(BM_SimpleUploadFullBook)
    ->ArgName("people")
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK(BM_SimpleUploadNothingChanged)
    ->ArgName("people")
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_SimpleUploadFullBook)
    ->ArgName("people")
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK(BM_SimpleUploadNothingChanged)
    ->ArgName("people")
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

} // namespace
