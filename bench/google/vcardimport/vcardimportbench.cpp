// vCard import jobs of 25,000 cards (no photos) dropped on one of 200 groups, against the
// loopback server: first as new contacts into an account that holds none (an account holds at
// most 25,000), then the same cards again, now each the update of a contact of the full account.
// The counter "toFeeds_ms" is the program's own work, from the drop to the last of the 250 feeds
// handed to the ticket set: the look-up of each card's contact, building the contacts, the photo
// probe and the feeds. The benchmark's time is the whole job, Google's answers included, which
// has no target.

#include "bench/google/benchengine.h"
#include "bench/platform/gdata/loopbackserver.h"

#include "google/batch/batchkeys.h"
#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>

namespace {

constexpr int kCards = 25000;
constexpr int kGroups = 200;
constexpr int kJobTimeoutMs = 600000;

QList<QByteArray> sampleCards()
{
    QList<QByteArray> cards;
    cards.reserve(kCards);
    for (int i = 0; i < kCards; ++i)
        cards << QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Card%1;Ann;;;\r\n"
                                "FN:Ann Card%1\r\nORG:Firm %1;\r\n"
                                "EMAIL;type=INTERNET;type=WORK:card%1@drop.example\r\n"
                                "TEL;type=WORK:555 %1\r\nNOTE:dropped card %1\r\nEND:VCARD\r\n")
                     .arg(i)
                     .toUtf8();
    return cards;
}

struct Account
{
    LoopbackServer server;
    std::unique_ptr<GoogleContactTool> engine;
    QString groupID;
    QList<QByteArray> cards = sampleCards();
};

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
        QStringList names;
        for (int i = 0; i < kGroups; ++i)
            names << QStringLiteral("Group %1").arg(i);
        GoogleContactTool &engine = *made->engine;
        engine.batchAddGroupNamesArray(names);
        if (benchengine::waitUntil([&] { return engine.groupArray().size() >= size_t(kGroups); },
                                   kJobTimeoutMs))
            made->groupID = engine.groupArray().back()->identifier();
        return made;
    }();
    return shared;
}

bool flag(const QString &key)
{
    return UserDefaults::standard().boolForKey(key);
}

// One job per iteration, its contacts fetched again after it (not timed).
void timeJobs(benchmark::State &state)
{
    Account *shared = account();
    if (!shared->engine || shared->groupID.isEmpty()) {
        state.SkipWithError("the loopback server or the account could not be set up");
        return;
    }
    GoogleContactTool &engine = *shared->engine;
    double toFeeds = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        engine.addVCardArrayToGroupWithID(shared->cards, shared->groupID, QString(), QString());
        toFeeds += double(timer.elapsed());
        if (!benchengine::waitUntil(
                [] { return flag(batchkeys::gmAdvancedABContactActionsComplete); }, kJobTimeoutMs))
            state.SkipWithError("the job did not end");
        state.PauseTiming();
        UserDefaults::standard().setBool(false, googlekeys::gmRefetchAllContactsComplete);
        engine.refetchAllContacts(QString());
        benchengine::waitUntil([] { return flag(googlekeys::gmRefetchAllContactsComplete); },
                               kJobTimeoutMs);
        state.ResumeTiming();
    }
    state.counters["toFeeds_ms"] = toFeeds / double(state.iterations());
    state.counters["held"] = double(engine.contactArray().size());
}

void BM_VCardImportNewCards(benchmark::State &state)
{
    timeJobs(state);
}
BENCHMARK(BM_VCardImportNewCards)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_VCardImportKnownCards(benchmark::State &state)
{
    timeJobs(state);
}
BENCHMARK(BM_VCardImportKnownCards)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

} // namespace
