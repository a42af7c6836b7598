// The review window over an account of 25,000 contacts, one postal address each and no photos:
// from its opening (the controller made and given the engine) to both tables filled, with every
// contact under review. The figure has its limit as the counter "limit_s".
//
// The program runs under a session bus; nothing here needs a keyring:
//   build-bench/bench/loader/loader_reviewwindow_bench

#include "bench/google/benchengine.h"
#include "bench/platform/gdata/loopbackserver.h"

#include "loader/review/googlepreviewwindowcontroller.h"
#include "loader/review/reviewkeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"

#include <QElapsedTimer>

#include <benchmark/benchmark.h>

namespace {

constexpr int kContacts = 25000;
constexpr double kOpenLimit = 1;

struct Setting
{
    LoopbackServer server;
    std::unique_ptr<GoogleContactTool> engine;
    bool ready = false;
};

std::vector<GDataEntryPtr> sampleContacts()
{
    std::vector<GDataEntryPtr> contacts;
    contacts.reserve(kContacts);
    for (int i = 0; i < kContacts; ++i) {
        GDataEntryContactPtr contact = GDataEntryContact::contactEntryWithTitle(
            QStringLiteral("Person%1 Family%2").arg(i).arg(i % 977));
        contact->setPostalAddresses({GDataPostalAddress::postalAddressWithString(
            QStringLiteral("%1 Main Street\nSpringfield, IL %2").arg(i).arg(60000 + i % 9999))});
        contacts.push_back(contact);
    }
    return contacts;
}

Setting &setting()
{
    // Never destroyed: its engine must not outlive the application object.
    static Setting &s = *new Setting;
    static bool tried = false;
    if (tried)
        return s;
    tried = true;
    if (!s.server.start() || !s.server.addAccount(benchengine::kUser, benchengine::kPassword) ||
        !benchengine::usePreferences(s.server.baseUrl()) ||
        !s.server.seedContacts(benchengine::kUser, sampleContacts()))
        return s;
    UserDefaults::standard().setBool(true, reviewkeys::showAlreadyHintedNames);
    UserDefaults::standard().setBool(true, reviewkeys::showAlreadyHintedAddresses);
    s.engine = benchengine::signedInEngine();
    s.ready = s.engine && int(s.engine->contactArray().size()) == kContacts;
    return s;
}

void BM_ReviewWindowOpens(benchmark::State &state)
{
    Setting &s = setting();
    if (!s.ready) {
        state.SkipWithError("the account could not be set up");
        return;
    }
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        auto window = std::make_unique<GooglePreviewWindowController>();
        window->setGoogleTool(s.engine.get());
        window->showWindow();
        window->loadNamesForReview();
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        state.SetIterationTime(seconds);
        if (window->googleNames().size() != kContacts ||
            window->googleAddresses().size() != kContacts) {
            state.SkipWithError("the tables were not filled");
            return;
        }
        state.counters["paints"] = window->progressPaints();
    }
    state.counters["limit_s"] = kOpenLimit;
}
BENCHMARK(BM_ReviewWindowOpens)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
