// A full "Simple" upload of an address book of 25,000 people in 20 groups (no photos) to the
// loopback server: the upload decisions for the groups and the people, then the group starter,
// whose completion chain sends the contacts in feeds of 100 and writes their links back; and the
// next run over the same book, in which nothing has changed.

#include "bench/google/benchengine.h"
#include "bench/google/samplepeople.h"
#include "bench/platform/gdata/loopbackserver.h"

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

// One server and one book for the whole program: the no-change run needs the book uploaded.
struct Account
{
    LoopbackServer server;
    QList<PersonPtr> people;
    std::unique_ptr<GoogleContactTool> engine;
    QueueDelegate delegate;
    bool uploaded = false;
};

Account *account()
{
    static Account *shared = [] {
        auto *made = new Account;
        if (!made->server.start() ||
            !made->server.addAccount(benchengine::kUser, benchengine::kPassword) ||
            !benchengine::usePreferences(made->server.baseUrl()))
            return made;
        made->people = samplepeople::fillBook(kPeople, kGroups);
        made->engine = benchengine::signedInEngine();
        if (made->engine)
            made->engine->setDataDelegate(&made->delegate);
        return made;
    }();
    return shared;
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
    Account *shared = account();
    if (!shared->engine || shared->people.size() != kPeople) {
        state.SkipWithError("the loopback server or the address book could not be set up");
        return;
    }
    shared->uploaded = timeUploads(state, *shared);
    state.counters["held"] = double(shared->engine->contactArray().size());
}
BENCHMARK(BM_SimpleUploadFullBook)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_SimpleUploadNothingChanged(benchmark::State &state)
{
    Account *shared = account();
    if (!shared->engine || !shared->uploaded) {
        state.SkipWithError("the book was not uploaded first");
        return;
    }
    timeUploads(state, *shared);
}
BENCHMARK(BM_SimpleUploadNothingChanged)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

} // namespace
