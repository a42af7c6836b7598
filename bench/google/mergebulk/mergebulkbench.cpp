// The browser's bulk work over an account of 25,000 contacts in 200 groups, against the loopback
// server. Find-and-replace over every contact: the counter "toFeeds_ms" runs from the call to the
// last of its 250 update feeds handed to the ticket set. Merge of 100 contacts: the benchmark's
// time runs from the call to the answer of its last feed, the fetch that follows not counted;
// "cold_ms" is the first merge alone.
// The find-and-replace's benchmark time is the whole send, which has no target.

#include "bench/google/benchengine.h"
#include "bench/platform/gdata/loopbackserver.h"
#include "bench/platform/gdata/samplecontacts.h"

#include "google/browser/browserdictionary.h"
#include "google/browser/bulkupdatekeys.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/engine/googlekeys.h"
#include "google/lookups/contactlookups.h"
#include "platform/defaults/userdefaults.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>

namespace {

constexpr int kContacts = 25000;
constexpr int kGroups = 200;
constexpr int kMerged = 100;
constexpr int kTimeoutMs = 600000;
const QString kRefreshing = QStringLiteral("Refreshing local Google data...");

// Hears a send end: its answer sets this progress message before the lists are fetched again; the
// lists are back once the views are refreshed after it.
class EndingDelegate : public GoogleContactToolUIDelegate
{
public:
    void openUserInfoWithMessage(const QString &, int) override {}
    void updateUserInfoWithMessage(const QString &) override {}
    void closeUserInfo() override {}
    void setStatusMessage(const QString &) override {}
    void setProgressMessage(const QString &message) override { ended |= message == kRefreshing; }
    void setProgressMaxValue(double) override {}
    void setProgressCurValue(double) override {}
    void refreshView() override { refreshed |= ended; }
    void openLoginPanel(GoogleContactTool *) override {}
    void setGoogleDataMask() override {}
    void showWindow() override {}
    QWidget *window() override { return nullptr; }

    void expectSend()
    {
        ended = false;
        refreshed = false;
    }

    bool ended = false;
    bool refreshed = false;
};

struct Account
{
    LoopbackServer server;
    std::unique_ptr<GoogleContactTool> engine;
    EndingDelegate ui;
};

bool flag(const QString &key)
{
    return UserDefaults::standard().boolForKey(key);
}

bool refetched(GoogleContactTool &engine)
{
    UserDefaults::standard().setBool(false, googlekeys::gmRefetchAllContactsComplete);
    engine.refetchAllContacts(QString());
    return benchengine::waitUntil([] { return flag(googlekeys::gmRefetchAllContactsComplete); },
                                  kTimeoutMs);
}

// The end of a send fetches the lists once; the next run waits for that fetch, which would
// otherwise parse 25,000 contacts in the middle of it. A second fetch of the bench's own would do
// the same.
bool listsBack(Account &shared)
{
    return benchengine::waitUntil([&] { return shared.ui.refreshed; }, kTimeoutMs);
}

Account *account()
{
    static Account *shared = [] {
        auto *made = new Account;
        if (!made->server.start() ||
            !made->server.addAccount(benchengine::kUser, benchengine::kPassword) ||
            !benchengine::usePreferences(made->server.baseUrl()))
            return made;
        made->engine = benchengine::signedInEngine();
        if (!made->engine)
            return made;
        GoogleContactTool &engine = *made->engine;
        QStringList names;
        for (int i = 0; i < kGroups; ++i)
            names << QStringLiteral("Group %1").arg(i);
        engine.batchAddGroupNamesArray(names);
        if (!benchengine::waitUntil([&] { return engine.groupArray().size() >= size_t(kGroups); },
                                    kTimeoutMs))
            return made;
        std::vector<GDataEntryPtr> contacts;
        for (int i = 0; i < kContacts; ++i)
            contacts.push_back(samplecontacts::contact(
                i, engine.groupArray()[size_t(i) % engine.groupArray().size()]->identifier()));
        if (made->server.seedContacts(benchengine::kUser, contacts) && refetched(engine))
            engine.setUIDelegate(&made->ui);
        return made;
    }();
    return shared;
}

QList<QVariantMap> rowsOf(const GoogleContactTool &engine, size_t count)
{
    QList<QVariantMap> rows;
    for (size_t i = 0; i < count && i < engine.contactArray().size(); ++i)
        rows << tolvane::tolvaneBrowserDictionary(*engine.contactArray()[i]);
    return rows;
}

bool ready(benchmark::State &state, Account *shared)
{
    if (!shared->engine || shared->engine->contactArray().size() < size_t(kContacts)) {
        state.SkipWithError("the loopback server or the account could not be set up");
        return false;
    }
    return true;
}

void BM_FindAndReplaceAll(benchmark::State &state)
{
    Account *shared = account();
    if (!ready(state, shared))
        return;
    GoogleContactTool &engine = *shared->engine;
    UserDefaults &ud = UserDefaults::standard();
    ud.setInteger(0, bulkupdatekeys::bulkFieldTag);
    ud.setString(QStringLiteral("Lastname"), bulkupdatekeys::bulkFindString);
    ud.setString(QStringLiteral("Surname"), bulkupdatekeys::bulkReplaceString);
    double toFeeds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QList<QVariantMap> rows = rowsOf(engine, kContacts);
        shared->ui.expectSend();
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        engine.batchBulkUpdateContacts(rows);
        toFeeds += double(timer.elapsed());
        if (!benchengine::waitUntil([&] { return shared->ui.ended; }, kTimeoutMs))
            state.SkipWithError("the send did not end");
    }
    state.counters["toFeeds_ms"] = toFeeds / double(state.iterations());
    listsBack(*shared);
}
BENCHMARK(BM_FindAndReplaceAll)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_Merge100(benchmark::State &state)
{
    Account *shared = account();
    if (!ready(state, shared))
        return;
    GoogleContactTool &engine = *shared->engine;
    UserDefaults &ud = UserDefaults::standard();
    ud.setBool(true, bulkupdatekeys::includeMergeInfo);
    ud.setBool(true, bulkupdatekeys::includeMergeGroups);
    // The first merge of the run, after the find-and-replace's send: "cold_ms".
    double coldMs = -1;
    for (auto _ : state) {
        state.PauseTiming();
        const QList<QVariantMap> rows = rowsOf(engine, kMerged);
        const QString master = rows.front().value(QStringLiteral("gID")).toString();
        // The lookups index a new list on first use; the browser has long used it by the time
        // the user merges.
        contactlookups::contactForID(engine.lists(), master);
        shared->ui.expectSend();
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        engine.batchMergeArray(rows, master);
        if (!benchengine::waitUntil([&] { return shared->ui.ended; }, kTimeoutMs))
            state.SkipWithError("the merge did not end");
        if (coldMs < 0)
            coldMs = double(timer.elapsed());
        state.PauseTiming();
        if (!listsBack(*shared))
            state.SkipWithError("the lists were not fetched again");
        state.ResumeTiming();
    }
    state.counters["held"] = double(engine.contactArray().size());
    state.counters["cold_ms"] = coldMs;
}
BENCHMARK(BM_Merge100)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace
