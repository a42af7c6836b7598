// A vCard import job of 25,000 cards (no photos) dropped on a group of an account that holds
// 25,000 contacts in 200 groups, against the loopback server. The first figure is the program's
// own work, from the drop to the last of the 250 feeds handed to the ticket set: the look-up of
// each card's contact, building the new contacts, the photo probe and the feeds. The second is the
// whole job, Google's answers included, with no target.

#include "bench/google/benchengine.h"
#include "bench/platform/gdata/loopbackserver.h"
#include "bench/platform/gdata/samplecontacts.h"

#include "google/batch/batchkeys.h"
#include "platform/defaults/userdefaults.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kContacts = 25000;
constexpr int kCards = 25000;
constexpr int kGroups = 200;
constexpr int kJobTimeoutMs = 600000;

QList<QByteArray> sampleCards(int count, int run)
{
    QList<QByteArray> cards;
    cards.reserve(count);
    for (int i = 0; i < count; ++i)
        cards << QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Card%1;Run%2;;;\r\n"
                                "FN:Run%2 Card%1\r\nORG:Firm %1;\r\n"
                                "EMAIL;type=INTERNET;type=WORK:card%1.run%2@drop.example\r\n"
                                "TEL;type=WORK:555 %1\r\nNOTE:dropped card %1\r\nEND:VCARD\r\n")
                     .arg(i)
                     .arg(run)
                     .toUtf8();
    return cards;
}

struct Account
{
    LoopbackServer server;
    std::unique_ptr<GoogleContactTool> engine;
    QString groupID;
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
        // The groups first, made through the engine, so the contacts can be seeded into them.
        QStringList names;
        for (int i = 0; i < kGroups; ++i)
            names << QStringLiteral("Group %1").arg(i);
        GoogleContactTool &engine = *made->engine;
        engine.batchAddGroupNamesArray(names);
        if (!benchengine::waitUntil([&] { return engine.groupArray().size() >= size_t(kGroups); },
                                    kJobTimeoutMs))
            return made;
        std::vector<GDataEntryPtr> contacts;
        for (int i = 0; i < kContacts; ++i)
            contacts.push_back(samplecontacts::contact(
                i, engine.groupArray()[size_t(i) % engine.groupArray().size()]->identifier()));
        if (!made->server.seedContacts(benchengine::kUser, contacts))
            return made;
        engine.refetchAllContacts(QString());
        if (benchengine::waitUntil(
                [&] { return engine.contactArray().size() >= size_t(kContacts); }, kJobTimeoutMs))
            made->groupID = engine.groupArray().back()->identifier();
        return made;
    }();
    return shared;
}

bool jobEnded()
{
    return UserDefaults::standard().boolForKey(batchkeys::gmAdvancedABContactActionsComplete);
}

void BM_VCardImportToFeeds(benchmark::State &state)
{
    Account *shared = account();
    if (!shared->engine || shared->groupID.isEmpty()) {
        state.SkipWithError("the loopback server or the account could not be set up");
        return;
    }
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QList<QByteArray> cards = sampleCards(kCards, run++);
        state.ResumeTiming();
        shared->engine->addVCardArrayToGroupWithID(cards, shared->groupID, QString(), QString());
        state.PauseTiming();
        if (!benchengine::waitUntil([] { return jobEnded(); }, kJobTimeoutMs))
            state.SkipWithError("the job did not end");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_VCardImportToFeeds)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_VCardImportEndToEnd(benchmark::State &state)
{
    Account *shared = account();
    if (!shared->engine || shared->groupID.isEmpty()) {
        state.SkipWithError("the loopback server or the account could not be set up");
        return;
    }
    int run = 100;
    for (auto _ : state) {
        state.PauseTiming();
        const QList<QByteArray> cards = sampleCards(kCards, run++);
        state.ResumeTiming();
        shared->engine->addVCardArrayToGroupWithID(cards, shared->groupID, QString(), QString());
        if (!benchengine::waitUntil([] { return jobEnded(); }, kJobTimeoutMs))
            state.SkipWithError("the job did not end");
    }
}
BENCHMARK(BM_VCardImportEndToEnd)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace
