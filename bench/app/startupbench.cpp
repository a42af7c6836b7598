// The main program's start, from its entry to the first window filled, over a full account
// (25,000 contacts) and an address book of 25,000 people: the first start of a new home (the
// reference data imported into a new store) and a later start, each beside the contact fetch alone
// measured in the same run. The first window is the program's browser window: the start ends when
// it is shown with every contact's row in its list, and the program's resident memory is taken
// then.
//
// The password comes from the keyring, so the program runs under a session bus with one:
//   dbus-run-session -- bash -c 'eval "$(echo -n test | gnome-keyring-daemon --daemonize
//       --unlock --components=secrets)"; build-bench/bench/app/app_startup_bench'
// (or through tests/support/privatesession, which does the same).

#include "bench/google/benchengine.h"
#include "bench/google/samplepeople.h"
#include "bench/platform/gdata/loopbackserver.h"
#include "bench/platform/gdata/samplecontacts.h"
#include "bench/support/residentmemory.h"

#include "app/bundleinfo.h"
#include "app/delegate/appdelegate.h"
#include "app/startup/programentry.h"
#include "app/windows/windowfactory.h"
#include "browser/models/contactarraycontroller.h"
#include "browser/window/browserwindowcontroller.h"
#include "foundation/keychain/emkeychainproxy.h"
#include "foundation/programfolder.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

constexpr int kContacts = 25000;
constexpr int kPeople = 25000;

// The people in the address book: 25,000, or as many as TOLVANE_BENCH_BOOK_PEOPLE says, so that
// a run of its own can show the program's memory beside a small book.
int peopleInBook()
{
    bool ok = false;
    const int people = qEnvironmentVariableIntValue("TOLVANE_BENCH_BOOK_PEOPLE", &ok);
    return ok && people > 0 ? people : kPeople;
}
constexpr int kSeedChunk = 2500;

struct Setting
{
    LoopbackServer server;
    bool ready = false;
};

Setting &setting()
{
    static Setting s;
    if (s.ready)
        return s;
    UserDefaults::setStandardDomain(bundleinfo::kBundleIdentifier);
    if (!s.server.start() || !s.server.addAccount(benchengine::kUser, benchengine::kPassword))
        return s;
    const QString group = s.server.myContactsGroupId(benchengine::kUser);
    for (int first = 0; first < kContacts; first += kSeedChunk) {
        std::vector<GDataEntryPtr> chunk;
        for (int i = first; i < first + kSeedChunk; ++i)
            chunk.push_back(samplecontacts::contact(i, group));
        if (!s.server.seedContacts(benchengine::kUser, chunk))
            return s;
    }
    if (!benchengine::usePreferences(s.server.baseUrl()) ||
        samplepeople::fillBook(peopleInBook(), 20).isEmpty())
        return s;
    UserDefaults &defaults = UserDefaults::standard();
    const QString service = QStringLiteral("tolvane-startup-bench");
    defaults.setString(service, googlekeys::keychainItemName);
    defaults.setString(benchengine::kUser, googlekeys::gsAccount);
    EMKeychainProxy &proxy = EMKeychainProxy::sharedProxy();
    if (!proxy.genericKeychainItemForService(service, benchengine::kUser) &&
        !proxy.addGenericKeychainItemForService(service, benchengine::kUser,
                                                benchengine::kPassword))
        return s;
    // The address book tool must be found beside the program.
    programfolder::setPathForTesting(QStringLiteral(TOLVANE_PROGRAM_FOLDER));
    s.ready = true;
    return s;
}

struct Start
{
    double seconds = 0;
    double residentMB = 0;
};

// Runs the program's entry once; the time from the entry to the browser shown with every row, and
// the resident memory then.
std::optional<Start> startOnce()
{
    QElapsedTimer clock;
    std::optional<Start> filled;
    windowfactory::setMaker(WindowController::Kind::Browser,
                            [] { return std::make_unique<BrowserWindowController>(); });
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        AppDelegate *const delegate = AppDelegate::shared();
        auto *const browser =
            delegate
                ? qobject_cast<BrowserWindowController *>(delegate->googleBrowserWindowController())
                : nullptr;
        if (!browser || !browser->contactArrayController() ||
            browser->contactArrayController()->rowCount() != kContacts ||
            !browser->WindowController::window()->isVisible())
            return;
        filled = Start{double(clock.nsecsElapsed()) / 1e9, residentMB()};
        watch.stop();
        QCoreApplication::exit(0);
    });
    clock.start();
    watch.start();
    programentry::runTolvane(*qobject_cast<QApplication *>(QCoreApplication::instance()));
    windowfactory::clear();
    return filled;
}

void removeStore()
{
    QDir(qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Tolvane/data"))
        .removeRecursively();
}

void runStarts(benchmark::State &state, bool firstStart)
{
    if (!setting().ready) {
        state.SkipWithError("the loopback server, the address book or the keyring is not ready");
        return;
    }
    for (auto _ : state) {
        if (firstStart)
            removeStore();
        const std::optional<Start> start = startOnce();
        if (!start) {
            state.SkipWithError("the browser was never filled");
            break;
        }
        state.SetIterationTime(start->seconds);
        state.counters["resident_MB"] = start->residentMB;
    }
}

void BM_FirstStart(benchmark::State &state)
{
    runStarts(state, true);
}
BENCHMARK(BM_FirstStart)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

void BM_LaterStart(benchmark::State &state)
{
    runStarts(state, false);
}
BENCHMARK(BM_LaterStart)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// The share of the start that the fetch of the account takes: an engine signed in and both feeds
// fetched, nothing else.
void BM_ContactFetchAlone(benchmark::State &state)
{
    if (!setting().ready) {
        state.SkipWithError("the loopback server is not ready");
        return;
    }
    for (auto _ : state) {
        const std::unique_ptr<GoogleContactTool> engine = benchengine::signedInEngine();
        if (!engine || engine->contactArray().size() != size_t(kContacts)) {
            state.SkipWithError("the fetch did not bring every contact");
            break;
        }
    }
}
BENCHMARK(BM_ContactFetchAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace
