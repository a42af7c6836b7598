// The agent's own work in its process, with its delegate started as the agent starts it against
// the loopback server: storing the push snapshot and comparing it with the address book for
// 25,000 people and 25,000 contacts, and one pasted block from the paste to the filled panel
// model. Each figure is printed beside its limit ("limit_ms") from the same run.
//
// The password is in the keyring, so the program runs under a session bus with one:
//   tests/support/privatesession build-bench/bench/agent/agent_delegate_bench

#include "bench/agent/agentrun.h"
#include "bench/google/samplepeople.h"
#include "bench/platform/gdata/samplecontacts.h"

#include "agent/agentkeys.h"
#include "agent/quickentrycontroller.h"
#include "agent/statusappdelegate.h"
#include "google/engine/googlecontacttool.h"
#include "platform/defaults/userdefaults.h"
#include "platform/ui/statusitem.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kContacts = 25000;
constexpr int kPeople = 25000;
constexpr int kSeedChunk = 2500;
constexpr double kSnapshotLimitMs = 2000;
constexpr double kPasteLimitMs = 20;
constexpr int kLoginTimeoutMs = 300000;

const QString kBlock =
    QStringLiteral("Dr. Jane van der Berg\nSenior Software Engineer\nNorthwind Traders\n"
                   "1200 Harbor Blvd, Suite 400\nSan Mateo, CA 94402\nPhone (650) 555-0142\n"
                   "jane.vanderberg@northwind.example\nhttp://www.northwind.example");

struct Setting
{
    LoopbackServer server;
    std::unique_ptr<StatusAppDelegate> delegate;
    bool ready = false;
};

Setting &setting()
{
    static Setting s;
    static bool tried = false;
    if (tried)
        return s;
    tried = true;
    QCoreApplication::setApplicationName(agentkeys::kApplicationName);
    UserDefaults::setStandardDomain(agentkeys::kAgentDomain);
    StatusItem::setTrayAvailableForTesting(false);
    const QString state = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/server.json");
    if (!s.server.start(state) || !s.server.addAccount(agentrun::kAccount, agentrun::kPassword))
        return s;
    const QString group = s.server.myContactsGroupId(agentrun::kAccount);
    for (int first = 0; first < kContacts; first += kSeedChunk) {
        std::vector<GDataEntryPtr> chunk;
        for (int i = first; i < first + kSeedChunk; ++i)
            chunk.push_back(samplecontacts::contact(i, group));
        if (!s.server.seedContacts(agentrun::kAccount, chunk))
            return s;
    }
    if (!agentrun::prepareHome(s.server.baseUrl()) ||
        samplepeople::fillBook(kPeople, 20).isEmpty() || !StatusAppDelegate::initialize())
        return s;
    s.delegate = std::make_unique<StatusAppDelegate>();
    // Gone while the application still runs (its quit steps are not what is measured).
    qAddPostRoutine([] { setting().delegate.reset(); });
    if (!s.delegate->awakeFromNib())
        return s;
    StatusAppDelegate *delegate = s.delegate.get();
    s.ready = agentrun::waitUntil(
        [delegate] {
            return delegate->appGoogleContactTool()->isLoggedIn() && !delegate->isPaused() &&
                   delegate->appGoogleContactTool()->contactArray().size() >= size_t(kContacts);
        },
        kLoginTimeoutMs);
    return s;
}

void BM_SnapshotStoreAndCompare(benchmark::State &state)
{
    Setting &s = setting();
    if (!s.ready) {
        state.SkipWithError("the server, the book or the agent is not ready");
        return;
    }
    double worst = 0, store = 0, compare = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        s.delegate->takePushSnapshot();
        const qint64 stored = clock.nsecsElapsed();
        s.delegate->loadPendingABChanges();
        const qint64 compared = clock.nsecsElapsed();
        const double ms = double(compared) / 1e6;
        worst = std::max(worst, ms);
        store += double(stored) / 1e6;
        compare += double(compared - stored) / 1e6;
        state.SetIterationTime(ms / 1e3);
    }
    state.counters["limit_ms"] = kSnapshotLimitMs;
    state.counters["worst_ms"] = worst;
    state.counters["store_ms"] = store / double(state.iterations());
    state.counters["compare_ms"] = compare / double(state.iterations());
    state.counters["people"] = kPeople;
    state.counters["contacts"] = double(s.delegate->appGoogleContactTool()->contactArray().size());
}
BENCHMARK(BM_SnapshotStoreAndCompare)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);

void BM_PasteToFilledPanel(benchmark::State &state)
{
    Setting &s = setting();
    if (!s.ready) {
        state.SkipWithError("the server, the book or the agent is not ready");
        return;
    }
    s.delegate->newContact();
    QuickEntryController *entry = s.delegate->quickEntry();
    double worst = 0;
    for (auto _ : state) {
        entry->setupNewGoogleContact();
        QElapsedTimer clock;
        clock.start();
        entry->processExpressString(kBlock);
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        worst = std::max(worst, ms);
        state.SetIterationTime(ms / 1e3);
    }
    if (entry->value(QStringLiteral("nameDict.last")).toString().isEmpty())
        state.SkipWithError("the analyser filled nothing");
    state.counters["limit_ms"] = kPasteLimitMs;
    state.counters["worst_ms"] = worst;
    state.counters["links"] = double(entry->linkifiedNotes().size());
}
BENCHMARK(BM_PasteToFilledPanel)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(200);

} // namespace
