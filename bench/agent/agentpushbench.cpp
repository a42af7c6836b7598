// Agent Tolvane's push, measured with the real agent program and the loopback server: one person
// saved by abtool until it is on the server (on a small account, then on one of 25,000
// contacts), one save of 1,000 people (new, then changed) on an account of 25,000 contacts, and
// the recovery of 1,000 pending changes once the server is back. Each figure is printed beside
// its limit ("limit_s") from the same run. The times run from abtool's return (or the server's
// return) to the request log holding the last of the changes.
//
// The password is in the keyring, so the program runs under a session bus with one:
//   tests/support/privatesession build-bench/bench/agent/agent_push_bench

#include "bench/agent/agentrun.h"
#include "bench/platform/gdata/samplecontacts.h"

#include "google/push/pushkeys.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

// The account's limit is 25,000 contacts: the seeded ones leave room for the people this program
// adds (20 + 5 single saves and the 1,000 of the bulk save), so the bulk save fills the account.
constexpr int kAccountContacts = 25000;
constexpr int kSingles = 25;
constexpr int kBulk = 1000;
constexpr int kSeeded = kAccountContacts - kBulk - kSingles;
constexpr int kSeedChunk = 2500;
constexpr int kBatchLimit = 100;
constexpr double kOneSaveLimit = 1.0;
constexpr double kBulkLimit = 10.0;
// One poll interval, then the bulk push.
constexpr double kRecoveryLimit = 5.0 + 10.0;
// The journal's poll runs every 2 s: a save seen only by it arrives that late.
constexpr double kJournalPollSeconds = 1.5;
constexpr int kWaitMs = 120000;

struct Setting
{
    LoopbackServer server;
    QProcess agent;
    bool ready = false;
    bool seeded = false;
    int singles = 0;
    QStringList bulk;
};

Setting &setting()
{
    static Setting s;
    static bool tried = false;
    if (tried)
        return s;
    tried = true;
    // The agent is asked to quit while the application still runs.
    qAddPostRoutine([] { agentrun::quitAgent(setting().agent); });
    const QString state = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/server.json");
    QDir().mkpath(qEnvironmentVariable("XDG_DATA_HOME"));
    s.ready = s.server.start(state) &&
              s.server.addAccount(agentrun::kAccount, agentrun::kPassword) &&
              agentrun::prepareHome(s.server.baseUrl()) && agentrun::startAgent(s.agent);
    return s;
}

// Another client fills the account while the agent runs.
bool seedAccount(Setting &s)
{
    if (s.seeded)
        return true;
    const QString group = s.server.myContactsGroupId(agentrun::kAccount);
    for (int first = 0; first < kSeeded; first += kSeedChunk) {
        std::vector<GDataEntryPtr> chunk;
        for (int i = first; i < std::min(first + kSeedChunk, kSeeded); ++i)
            chunk.push_back(samplecontacts::contact(i, group));
        if (!s.server.seedContacts(agentrun::kAccount, chunk))
            return false;
    }
    s.seeded = true;
    return true;
}

// One person per iteration, each its own save.
void runOneSave(benchmark::State &state, bool fullAccount)
{
    Setting &s = setting();
    if (!s.ready || (fullAccount && !seedAccount(s))) {
        state.SkipWithError("the server, the home or the agent is not ready");
        return;
    }
    const QString last = fullAccount ? QStringLiteral("Full") : QStringLiteral("Small");
    int over = 0, polled = 0;
    double worst = 0;
    for (auto _ : state) {
        s.server.clearRequestLog();
        const int index = s.singles++;
        const QString cards = agentrun::writeCards(last, index, 1);
        const QString mail = QStringLiteral("p%1.%2@bench.example").arg(index).arg(last.toLower());
        if (!agentrun::abtool({QStringLiteral("import"), cards})) {
            state.SkipWithError("abtool failed");
            break;
        }
        QElapsedTimer clock;
        clock.start();
        if (!agentrun::waitUntil(
                [&] { return agentrun::tallyBatches(s.server.requestLog()).holds(mail); },
                kWaitMs)) {
            state.SkipWithError("the person never reached the server");
            break;
        }
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        worst = std::max(worst, seconds);
        over += seconds > kOneSaveLimit ? 1 : 0;
        polled += seconds > kJournalPollSeconds ? 1 : 0;
        state.SetIterationTime(seconds);
    }
    state.counters["limit_s"] = kOneSaveLimit;
    state.counters["worst_s"] = worst;
    state.counters["over_limit"] = over;
    // On a full account the push's fetch takes longer than the poll's period: only the small
    // account tells the saves the file watch missed.
    if (!fullAccount)
        state.counters["seen_by_poll"] = polled;
}

void BM_OneSaveOnGoogle_SmallAccount(benchmark::State &state)
{
    runOneSave(state, false);
}
BENCHMARK(BM_OneSaveOnGoogle_SmallAccount)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20);

void BM_OneSaveOnGoogle_FullAccount(benchmark::State &state)
{
    runOneSave(state, true);
}
BENCHMARK(BM_OneSaveOnGoogle_FullAccount)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);

// Waits until the log holds the operations; the time since the clock started, or nullopt.
std::optional<double> timeUntilSent(Setting &s, const QElapsedTimer &clock, bool inserts,
                                    agentrun::BatchTally *tally)
{
    const bool sent = agentrun::waitUntil(
        [&] {
            *tally = agentrun::tallyBatches(s.server.requestLog());
            return (inserts ? tally->inserts : tally->updates) >= kBulk;
        },
        kWaitMs, 20);
    if (!sent)
        return std::nullopt;
    return double(clock.nsecsElapsed()) / 1e9;
}

void reportBatches(benchmark::State &state, const agentrun::BatchTally &tally, double limit)
{
    state.counters["limit_s"] = limit;
    state.counters["batches"] = tally.batches;
    state.counters["largest_batch"] = tally.largest;
    state.counters["batch_limit"] = kBatchLimit;
    state.counters["account_contacts"] = kSeeded + kSingles + kBulk;
}

// The 1,000 new people of one save, and then the same people changed in one save.
void BM_ThousandPeopleOneSave(benchmark::State &state)
{
    Setting &s = setting();
    if (!s.ready || !seedAccount(s)) {
        state.SkipWithError("the server, the home or the agent is not ready");
        return;
    }
    const bool inserts = state.range(0) == 0;
    agentrun::BatchTally tally;
    for (auto _ : state) {
        s.server.clearRequestLog();
        std::optional<QString> out;
        if (inserts) {
            out = agentrun::abtool(
                {QStringLiteral("import"), agentrun::writeCards(QStringLiteral("Bulk"), 0, kBulk)});
            if (out)
                s.bulk = out->split(u'\n', Qt::SkipEmptyParts);
        } else {
            out = agentrun::abtool(
                QStringList{QStringLiteral("set")} + s.bulk +
                QStringList{QStringLiteral("JobTitle"), QStringLiteral("Changed")});
        }
        if (!out || s.bulk.size() != kBulk) {
            state.SkipWithError("abtool failed");
            break;
        }
        QElapsedTimer clock;
        clock.start();
        const std::optional<double> seconds = timeUntilSent(s, clock, inserts, &tally);
        if (!seconds) {
            state.SkipWithError("the changes never all reached the server");
            break;
        }
        state.SetIterationTime(*seconds);
    }
    reportBatches(state, tally, kBulkLimit);
}
BENCHMARK(BM_ThousandPeopleOneSave)
    ->ArgName("changed")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);

int pendingCount(const QString &name)
{
    QFile file(QDir(agentrun::pendingFolder()).filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return int(file.readAll().count('\r')) + 1;
}

// The server stops, 1,000 people change in one save and go to the pending files; from the
// server's return to the last of them on it.
void BM_RecoveryOfAThousandPendingChanges(benchmark::State &state)
{
    Setting &s = setting();
    if (!s.ready || s.bulk.size() != kBulk) {
        state.SkipWithError("the bulk people are not there");
        return;
    }
    agentrun::BatchTally tally;
    int round = 0;
    for (auto _ : state) {
        s.server.stop();
        const QString title = QStringLiteral("Away %1").arg(round++);
        if (!agentrun::abtool(QStringList{QStringLiteral("set")} + s.bulk +
                              QStringList{QStringLiteral("JobTitle"), title}) ||
            !agentrun::waitUntil([] { return pendingCount(pushkeys::kChangeFile) >= kBulk; },
                                 kWaitMs, 20)) {
            state.SkipWithError("the changes never reached the pending files");
            break;
        }
        QElapsedTimer clock;
        clock.start();
        if (!s.server.restart()) {
            state.SkipWithError("the server did not come back");
            break;
        }
        const std::optional<double> seconds = timeUntilSent(s, clock, false, &tally);
        if (!seconds) {
            std::fprintf(stderr, "updates sent: %d in %d batches; the agent's log ends:\n%s\n",
                         tally.updates, tally.batches, qPrintable(agentrun::agentLogTail(40)));
            state.SkipWithError("the pending changes never all reached the server");
            break;
        }
        state.SetIterationTime(*seconds);
    }
    reportBatches(state, tally, kRecoveryLimit);
}
BENCHMARK(BM_RecoveryOfAThousandPendingChanges)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);

} // namespace
