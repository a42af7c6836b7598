// The data loader's full updates over an address book of 25,000 people in 20 groups and an
// account that comes to hold their 25,000 contacts (no photos), each driven through the window's
// own buttons, its sheets answered from a script, on the offscreen platform against the loopback
// server: a Simple upload into the empty account, the rerun with nothing changed (with the shares
// of its own fetch and of its comparison), the Advanced comparison of every record with nothing to
// send, the Google backup archive made before an upload, and a Simple download into an emptied
// book. Beside them, the fetch of the whole account by an engine alone, the reference for the
// rerun's fetch share. Each figure has its limit as the counter "limit_s".
//
// The programs run under a session bus; nothing here needs a keyring:
//   build-bench/bench/loader/loader_dataloader_bench

#include "bench/google/benchengine.h"
#include "bench/google/samplepeople.h"
#include "bench/loader/answeringprompter.h"
#include "bench/platform/gdata/loopbackserver.h"

#include "addressbook/addressbookkeys.h"
#include "google/backup/backuptexts.h"
#include "google/batch/batchkeys.h"
#include "google/download/downloadkeys.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlekeys.h"
#include "google/upload/uploadkeys.h"
#include "loader/loaderkeys.h"
#include "loader/window/datamoverwindowcontroller.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>

#include <benchmark/benchmark.h>

#include <optional>

namespace {

constexpr int kPeople = 25000;
constexpr int kGroups = 20;
constexpr int kPassTimeoutMs = 900000;

// The limits the figures are held to, in seconds.
constexpr double kUploadLimit = 30;
constexpr double kRerunLimit = 3;
constexpr double kDownloadLimit = 20;
constexpr double kMatchingLimit = 1;
constexpr double kBackupLimit = 10;

// The data loader, which also notes when the backup's progress opens and closes.
class TimedLoader : public DataMoverWindowController
{
public:
    explicit TimedLoader(const QElapsedTimer &clock)
        : m_clock(clock)
    {}

    void openUserInfoWithMessage(const QString &message, int progressMax) override
    {
        if (message == backuptexts::initializing)
            backupOpened = m_clock.nsecsElapsed();
        DataMoverWindowController::openUserInfoWithMessage(message, progressMax);
    }
    void closeUserInfo() override
    {
        if (backupOpened >= 0 && backupClosed < 0)
            backupClosed = m_clock.nsecsElapsed();
        DataMoverWindowController::closeUserInfo();
    }

    qint64 backupOpened = -1;
    qint64 backupClosed = -1;

private:
    const QElapsedTimer &m_clock;
};

// One pass from the click to its end, in seconds: until the comparison (or the first change)
// began, and until the process ended.
struct PassTimes
{
    double started = -1;
    double ended = -1;
};

struct Setting
{
    LoopbackServer server;
    QNetworkAccessManager network;
    std::unique_ptr<GoogleContactTool> engine;
    std::unique_ptr<AnsweringPrompter> prompter;
    std::unique_ptr<TimedLoader> loader;
    QElapsedTimer clock;
    bool ready = false;
    bool uploaded = false;
};

void usePassOptions()
{
    UserDefaults &ud = UserDefaults::standard();
    // The Me record stays out of the upload: with it the book would hold one record more than
    // the account may, and its refused insert would be tried again at every run.
    for (const QString &key :
         {loaderkeys::gmUpdateGroups, loaderkeys::abUpdateGroups, loaderkeys::abUpdateContacts,
          loaderkeys::gsNoGroup, googlekeys::gmUpdateNeverMoveMeCard})
        ud.setBool(true, key);
    for (const QString &key :
         {googlekeys::gmUpdatePicture, googlekeys::gmUpdateNeverRemoveGroups,
          googlekeys::gmUpdateNeverRemoveContacts, abkeys::abUpdateNeverRemovePeople,
          abkeys::abUpdateNeverRemoveCompanies, batchkeys::showGoogleAlerts,
          googlekeys::abUpdatePicture})
        ud.setBool(false, key);
    ud.setInteger(0, loaderkeys::gmUpdateBackupMode);
    ud.setInteger(0, loaderkeys::abUpdateBackupMode);
    const QString home = QDir::homePath();
    ud.setString(home + QStringLiteral("/backups"), googlekeys::googleBackupFolderPath);
    ud.setString(home + QStringLiteral("/tmp"), googlekeys::tmpFolderPath);
    QDir().mkpath(home + QStringLiteral("/tmp"));
}

Setting &setting()
{
    // Never destroyed: its window and engine must not outlive the application object.
    static Setting &s = *new Setting;
    static bool tried = false;
    if (tried)
        return s;
    tried = true;
    if (!s.server.start() || !s.server.addAccount(benchengine::kUser, benchengine::kPassword) ||
        !benchengine::usePreferences(s.server.baseUrl()))
        return s;
    usePassOptions();
    if (samplepeople::fillBook(kPeople, kGroups).size() != kPeople)
        return s;
    s.engine = benchengine::signedInEngine();
    if (!s.engine)
        return s;
    s.prompter = std::make_unique<AnsweringPrompter>();
    s.clock.start();
    s.loader = std::make_unique<TimedLoader>(s.clock);
    s.loader->setGoogleTool(s.engine.get());
    s.loader->showWindow();
    s.ready = benchengine::waitUntil([&] { return s.loader->isIdle(); }, kPassTimeoutMs);
    return s;
}

// The control endpoint's answer to a request, or nothing.
std::optional<QJsonObject> admin(Setting &s, const QByteArray &method, const QString &action)
{
    QNetworkRequest request(s.server.baseUrl().resolved(QUrl(QStringLiteral("/_admin/") + action)));
    QNetworkReply *reply = s.network.sendCustomRequest(request, method);
    benchengine::waitUntil([reply] { return reply->isFinished(); }, 60000);
    std::optional<QJsonObject> answer;
    if (reply->isFinished() && reply->error() == QNetworkReply::NoError)
        answer = QJsonDocument::fromJson(reply->readAll()).object();
    reply->deleteLater();
    return answer;
}

int batchRequests(Setting &s)
{
    const std::optional<QJsonObject> log = admin(s, "GET", QStringLiteral("log"));
    if (!log)
        return -1;
    int count = 0;
    for (const QJsonValue &entry : log->value(QStringLiteral("requests")).toArray())
        count +=
            entry.toObject().value(QStringLiteral("url")).toString().contains("/batch") ? 1 : 0;
    return count;
}

// Clicks the button, answers the confirmation with its second button and waits for the process
// to end; then for the fetch after it, which is not timed.
std::optional<PassTimes> runPass(Setting &s, QAbstractButton *button)
{
    PassTimes times;
    bool ended = false;
    const QMetaObject::Connection started =
        QObject::connect(s.loader.get(), &DataMoverWindowController::passStarting,
                         [&] { times.started = double(s.clock.nsecsElapsed()); });
    const QMetaObject::Connection finished =
        QObject::connect(s.loader.get(), &DataMoverWindowController::processEnded, [&] {
            times.ended = double(s.clock.nsecsElapsed());
            ended = true;
        });
    s.prompter->answer(kAlertSecondButtonReturn);
    const double clicked = double(s.clock.nsecsElapsed());
    button->click();
    const bool done = benchengine::waitUntil([&] { return ended; }, kPassTimeoutMs);
    QObject::disconnect(started);
    QObject::disconnect(finished);
    if (!done || !benchengine::waitUntil([&] { return s.loader->isIdle(); }, kPassTimeoutMs))
        return std::nullopt;
    times.started = times.started < 0 ? -1 : (times.started - clicked) / 1e9;
    times.ended = (times.ended - clicked) / 1e9;
    return times;
}

bool ready(benchmark::State &state, bool needsUpload)
{
    if (!setting().ready) {
        state.SkipWithError("the loopback server, the book or the window could not be set up");
        return false;
    }
    if (needsUpload && !setting().uploaded) {
        state.SkipWithError("the book was not uploaded first");
        return false;
    }
    return true;
}

void BM_ContactFetchAlone(benchmark::State &state)
{
    if (!ready(state, true))
        return;
    for (auto _ : state) {
        const std::unique_ptr<GoogleContactTool> engine = benchengine::signedInEngine();
        if (!engine || engine->contactArray().size() < size_t(kPeople)) {
            state.SkipWithError("the fetch did not bring every contact");
            break;
        }
    }
}

void BM_SimpleUploadIntoEmptyAccount(benchmark::State &state)
{
    if (!ready(state, false))
        return;
    Setting &s = setting();
    for (auto _ : state) {
        const std::optional<PassTimes> times = runPass(s, s.loader->simpleUploadButton());
        if (!times) {
            state.SkipWithError("the upload did not end");
            return;
        }
        state.SetIterationTime(times->ended);
    }
    state.counters["held"] = double(s.engine->contactArray().size());
    state.counters["limit_s"] = kUploadLimit;
    s.uploaded = s.engine->contactArray().size() >= size_t(kPeople);
}

void BM_SimpleUploadNothingChanged(benchmark::State &state)
{
    if (!ready(state, true))
        return;
    Setting &s = setting();
    double fetch = 0;
    double comparison = 0;
    int batches = 0;
    for (auto _ : state) {
        admin(s, "DELETE", QStringLiteral("log"));
        const std::optional<PassTimes> times = runPass(s, s.loader->simpleUploadButton());
        if (!times || times->started < 0) {
            state.SkipWithError("the rerun did not end");
            return;
        }
        state.SetIterationTime(times->ended);
        fetch += times->started;
        comparison += times->ended - times->started;
        batches += batchRequests(s);
    }
    state.counters["fetch_s"] = fetch / double(state.iterations());
    state.counters["comparison_s"] = comparison / double(state.iterations());
    state.counters["batches"] = batches;
    state.counters["limit_s"] = kRerunLimit;
}

void BM_AdvancedComparisonOfEveryRecord(benchmark::State &state)
{
    if (!ready(state, true))
        return;
    Setting &s = setting();
    int batches = 0;
    for (auto _ : state) {
        // Every group ticked, and the records in none.
        if (QAbstractButton *selectAll = s.loader->controlWithTag(25);
            selectAll && s.loader->isAGroupSelected() == 0)
            selectAll->click();
        admin(s, "DELETE", QStringLiteral("log"));
        const std::optional<PassTimes> times = runPass(s, s.loader->advancedUploadButton());
        if (!times || times->started < 0) {
            state.SkipWithError("the Advanced upload did not end");
            return;
        }
        state.SetIterationTime(times->ended - times->started);
        batches += batchRequests(s);
    }
    state.counters["batches"] = batches;
    state.counters["limit_s"] = kMatchingLimit;
}

void BM_GoogleBackupBeforeAnUpload(benchmark::State &state)
{
    if (!ready(state, true))
        return;
    Setting &s = setting();
    UserDefaults &ud = UserDefaults::standard();
    ud.setInteger(2, loaderkeys::gmUpdateBackupMode);
    for (auto _ : state) {
        ud.setBool(true, googlekeys::googleHasData);
        s.loader->backupOpened = -1;
        s.loader->backupClosed = -1;
        const std::optional<PassTimes> times = runPass(s, s.loader->simpleUploadButton());
        if (!times || s.loader->backupOpened < 0 || s.loader->backupClosed < 0) {
            state.SkipWithError("the backup did not run to its end");
            break;
        }
        state.SetIterationTime(double(s.loader->backupClosed - s.loader->backupOpened) / 1e9);
    }
    ud.setInteger(0, loaderkeys::gmUpdateBackupMode);
    state.counters["limit_s"] = kBackupLimit;
}

// Every record but the Me record leaves the book, then the account comes down into it.
void BM_SimpleDownloadIntoEmptyBook(benchmark::State &state)
{
    if (!ready(state, true))
        return;
    Setting &s = setting();
    AddressBook *book = AddressBook::shared();
    for (auto _ : state) {
        const PersonPtr me = book->me();
        for (const PersonPtr &person : book->people()) {
            if (!me || person->uniqueId() != me->uniqueId())
                book->removeRecord(person);
        }
        for (const GroupPtr &group : book->groups())
            book->removeRecord(group);
        if (!book->save()) {
            state.SkipWithError("the book could not be emptied");
            return;
        }
        s.loader->setABBackingData();
        const std::optional<PassTimes> times = runPass(s, s.loader->simpleDownloadButton());
        if (!times) {
            state.SkipWithError("the download did not end");
            return;
        }
        state.SetIterationTime(times->ended);
    }
    state.counters["people"] = double(book->people().size());
    state.counters["limit_s"] = kDownloadLimit;
}

BENCHMARK(BM_SimpleUploadIntoEmptyAccount)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);
BENCHMARK(BM_ContactFetchAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_SimpleUploadNothingChanged)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);
BENCHMARK(BM_AdvancedComparisonOfEveryRecord)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);
BENCHMARK(BM_GoogleBackupBeforeAnUpload)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);
BENCHMARK(BM_SimpleDownloadIntoEmptyBook)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);

} // namespace
