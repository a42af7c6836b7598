// The whole-book backup and its restore at the size of a large personal book: 25,000 people with
// e-mails, phones, an address and a note each. Each is measured beside its limit, the bare
// SQLite work on the same file: VACUUM INTO and a plain file copy for the backup, the attached
// copy of every row in one transaction for the restore.

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>

namespace {

constexpr int kPeople = 25000;

MultiValue labelled(const QString &format, int person, int count)
{
    MutableMultiValue value(PropertyType::MultiString);
    const QString labels[] = {kABHomeLabel, kABWorkLabel, kABOtherLabel};
    for (int i = 0; i < count; ++i)
        value.addValue(format.arg(person).arg(i), labels[i % 3]);
    value.setPrimaryIdentifier(value.identifierAt(0));
    return value;
}

PersonPtr samplePerson(int index)
{
    const PersonPtr person = Person::create();
    person->setValueForProperty(QStringLiteral("Given%1").arg(index), kABFirstNameProperty);
    person->setValueForProperty(QStringLiteral("Family%1").arg(index), kABLastNameProperty);
    person->setValueForProperty(QStringLiteral("Firm %1").arg(index % 250),
                                kABOrganizationProperty);
    person->setValueForProperty(
        QVariant::fromValue(labelled(QStringLiteral("someone%1-%2@example.org"), index, 3)),
        kABEmailProperty);
    person->setValueForProperty(
        QVariant::fromValue(labelled(QStringLiteral("+1 555 %1 %2"), index, 2)), kABPhoneProperty);
    MutableMultiValue addresses(PropertyType::MultiDictionary);
    addresses.addValue(QVariantMap{{kABAddressStreetKey, QStringLiteral("%1 Elm Row").arg(index)},
                                   {kABAddressCityKey, QStringLiteral("Riverton")},
                                   {kABAddressZIPKey, QStringLiteral("10001")},
                                   {kABAddressCountryCodeKey, QStringLiteral("us")}},
                       kABHomeLabel);
    person->setValueForProperty(QVariant::fromValue(addresses), kABAddressProperty);
    person->setValueForProperty(QStringLiteral("Met at the spring fair, year %1.").arg(index % 40),
                                kABNoteProperty);
    return person;
}

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

QString pathOf(const char *name)
{
    return folder().filePath(QString::fromLatin1(name));
}

// The full book, made once; its file holds every row (the log written into it).
const QString &populatedDatabase()
{
    static const QString path = [] {
        const QString file = pathOf("AddressBook.sqlite");
        AddressBook book(file, 1);
        for (int i = 0; i < kPeople; ++i)
            book.addRecord(samplePerson(i));
        book.save();
        book.close();
        return file;
    }();
    return path;
}

// A backup of the full book, made once, for the restores.
const QString &archive()
{
    static const QString path = [] {
        const QString file = pathOf("book.backup");
        AddressBook book(populatedDatabase(), 2);
        book.exportArchive(file);
        return file;
    }();
    return path;
}

void BM_BackupAddressBook(benchmark::State &state)
{
    AddressBook book(populatedDatabase(), 3);
    const QString target = pathOf("bench.backup");
    for (auto _ : state) {
        if (!book.exportArchive(target)) {
            state.SkipWithError("the backup was not written");
            break;
        }
    }
    state.counters["archive_bytes"] = double(QFile(target).size());
}
BENCHMARK(BM_BackupAddressBook)->Unit(benchmark::kMillisecond);

// The limit: the bare library writing the same copy.
void BM_Backup_SQLiteVacuumIntoAlone(benchmark::State &state)
{
    const QByteArray source = QFile::encodeName(populatedDatabase());
    const QString target = pathOf("vacuum.backup");
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(target);
        state.ResumeTiming();
        sqlite3 *db = nullptr;
        const QByteArray sql = "VACUUM INTO '" + QFile::encodeName(target) + "'";
        const bool ok = sqlite3_open_v2(source.constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
                            SQLITE_OK &&
                        sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_close(db);
        if (!ok) {
            state.SkipWithError("VACUUM INTO failed");
            break;
        }
    }
}
BENCHMARK(BM_Backup_SQLiteVacuumIntoAlone)->Unit(benchmark::kMillisecond);

// The floor: copying the database file as it lies.
void BM_Backup_FileCopyAlone(benchmark::State &state)
{
    const QString target = pathOf("copy.backup");
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(target);
        state.ResumeTiming();
        if (!QFile::copy(populatedDatabase(), target)) {
            state.SkipWithError("the copy failed");
            break;
        }
    }
}
BENCHMARK(BM_Backup_FileCopyAlone)->Unit(benchmark::kMillisecond);

// The restore as the program runs it: the archive checked whole, every row replaced in one
// transaction, journalled, and the book read in again.
void BM_RestoreAddressBook(benchmark::State &state)
{
    AddressBook book(pathOf("Restored.sqlite"), 4);
    const QString source = archive();
    for (auto _ : state) {
        if (!book.restoreArchive(source) || book.people().size() < kPeople) {
            state.SkipWithError(qPrintable(book.errorString()));
            break;
        }
    }
}
BENCHMARK(BM_RestoreAddressBook)->Unit(benchmark::kMillisecond);

// The limit: the bare library replacing every row of a book with the archive's.
void BM_Restore_SQLiteAttachedCopyAlone(benchmark::State &state)
{
    {
        AddressBook made(pathOf("Bare.sqlite"), 5);
    }
    const QByteArray target = QFile::encodeName(pathOf("Bare.sqlite"));
    const QByteArray attach = "ATTACH DATABASE '" + QFile::encodeName(archive()) + "' AS archive";
    sqlite3 *db = nullptr;
    if (sqlite3_open(target.constData(), &db) != SQLITE_OK ||
        sqlite3_exec(db, attach.constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        state.SkipWithError("the databases did not open");
        return;
    }
    for (auto _ : state) {
        const bool ok = sqlite3_exec(db,
                                     "BEGIN IMMEDIATE;"
                                     "DELETE FROM main.records; DELETE FROM main.images;"
                                     "INSERT INTO main.records (rowid, uid, kind, body)"
                                     " SELECT rowid, uid, kind, body FROM archive.records;"
                                     "INSERT INTO main.images (uid, data)"
                                     " SELECT uid, data FROM archive.images;"
                                     "COMMIT",
                                     nullptr, nullptr, nullptr) == SQLITE_OK;
        if (!ok) {
            state.SkipWithError(sqlite3_errmsg(db));
            break;
        }
    }
    sqlite3_close(db);
}
BENCHMARK(BM_Restore_SQLiteAttachedCopyAlone)->Unit(benchmark::kMillisecond);

} // namespace
