// A restore of a backup archive of a full account (25,000 contacts, no photos) into an empty
// account on the loopback server: the archive unpacked and read, every contact created in batches,
// the account fetched again and checked for copies, the outcome shown.

#include "bench/google/benchengine.h"
#include "bench/loader/answeringprompter.h"
#include "bench/platform/gdata/loopbackserver.h"
#include "bench/platform/gdata/samplecontacts.h"

#include "addressbook/addressbookkeys.h"
#include "foundation/propertylist.h"
#include "foundation/zeltorfiletool.h"
#include "google/backup/backuprecords.h"
#include "google/engine/googlecontactlists.h"
#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kContacts = 25000;

// The archive as a backup of such an account writes it; its path, or empty when it failed.
QString writeArchive(const QTemporaryDir &folder)
{
    const GoogleContactLists lists;
    const QString own = UserDefaults::standard().stringForKey(abkeys::googleContactExtendedPropertyName);
    QVariantList records;
    for (int i = 0; i < kContacts; ++i) {
        const GDataEntryContactPtr contact = samplecontacts::contact(i, QString());
        contact->setIdentifier(QStringLiteral("http://elsewhere/m8/feeds/contacts/x/base/%1").arg(i));
        records << backuprecords::contactRecord(*contact, lists, own);
    }
    const QString archiveFolder = folder.filePath(QStringLiteral("made/Archive"));
    const QString archive = folder.filePath(QStringLiteral("google_20090301_142205_1.zip"));
    if (!QDir().mkpath(archiveFolder) ||
        !propertylist::writeFile(
            QDir(archiveFolder).filePath(QStringLiteral("googleArchive_20090301_142205_1.contacts")),
            records, nullptr) ||
        !ZeltorFileTool::zipSource(archiveFolder, archive))
        return {};
    return archive;
}

void BM_RestoreFullArchiveIntoAnEmptyAccount(benchmark::State &state)
{
    LoopbackServer server;
    QTemporaryDir folder;
    if (!server.start() || !benchengine::usePreferences(server.baseUrl()) || !folder.isValid()) {
        state.SkipWithError("the loopback server could not be started");
        return;
    }
    UserDefaults &ud = UserDefaults::standard();
    ud.setString(folder.filePath(QStringLiteral("tmp")), googlekeys::tmpFolderPath);
    ud.setString(folder.filePath(QStringLiteral("backups")), googlekeys::googleBackupFolderPath);
    QDir().mkpath(folder.filePath(QStringLiteral("tmp")));
    const QString archive = writeArchive(folder);
    if (archive.isEmpty()) {
        state.SkipWithError("the archive could not be written");
        return;
    }
    AnsweringPrompter prompter;
    size_t created = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<GoogleContactTool> engine;
        if (server.reset() && server.addAccount(benchengine::kUser, benchengine::kPassword))
            engine = benchengine::signedInEngine();
        if (!engine) {
            state.SkipWithError("the empty account could not be signed in to");
            break;
        }
        const qsizetype shown = prompter.shown().size();
        state.ResumeTiming();
        engine->googleArchivePanelDidEnd(1, archive);
        if (!benchengine::waitUntil([&] { return prompter.shown().size() > shown; }, 600000) ||
            prompter.shown().back().message != QStringLiteral("Batch update completed")) {
            state.SkipWithError("the restore did not complete");
            break;
        }
        created = engine->contactArray().size();
    }
    state.counters["contacts"] = double(created);
}
BENCHMARK(BM_RestoreFullArchiveIntoAnEmptyAccount)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);

} // namespace
