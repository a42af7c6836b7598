// The address book at the size of a large personal book: 25,000 people with three e-mails,
// three phones and two addresses each. Opening and loading it is measured beside its limit, the
// SQLite C API reading every row of the same file.

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/vcard/vcardwriter.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>

namespace {

constexpr int kPeople = 25000;
constexpr int kChanged = 1000;

MultiValue threeOf(const QString &prefix, int person)
{
    MutableMultiValue value(PropertyType::MultiString);
    const QString labels[] = {kABHomeLabel, kABWorkLabel, kABOtherLabel};
    for (int i = 0; i < 3; ++i)
        value.addValue(QStringLiteral("%1%2-%3@example.com").arg(prefix).arg(person).arg(i),
                       labels[i]);
    value.setPrimaryIdentifier(value.identifierAt(0));
    return value;
}

PersonPtr samplePerson(int index)
{
    const PersonPtr person = Person::create();
    person->setValueForProperty(QStringLiteral("First%1").arg(index), kABFirstNameProperty);
    person->setValueForProperty(QStringLiteral("Last%1").arg(index), kABLastNameProperty);
    person->setValueForProperty(QStringLiteral("Company %1").arg(index % 100),
                                kABOrganizationProperty);
    person->setValueForProperty(QVariant::fromValue(threeOf(QStringLiteral("mail"), index)),
                                kABEmailProperty);
    person->setValueForProperty(QVariant::fromValue(threeOf(QStringLiteral("+1 555 "), index)),
                                kABPhoneProperty);
    MutableMultiValue addresses(PropertyType::MultiDictionary);
    for (const QString &label : {kABHomeLabel, kABWorkLabel}) {
        addresses.addValue(
            QVariantMap{{kABAddressStreetKey, QStringLiteral("%1 Main St").arg(index)},
                        {kABAddressCityKey, QStringLiteral("Springfield")},
                        {kABAddressStateKey, QStringLiteral("IL")},
                        {kABAddressZIPKey, QStringLiteral("62704")},
                        {kABAddressCountryKey, QStringLiteral("USA")},
                        {kABAddressCountryCodeKey, QStringLiteral("us")}},
            label);
    }
    person->setValueForProperty(QVariant::fromValue(addresses), kABAddressProperty);
    return person;
}

// One database of the full size, made once for every benchmark.
const QString &populatedDatabase()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath(QStringLiteral("AddressBook.sqlite"));
        AddressBook book(file, 1);
        for (int i = 0; i < kPeople; ++i)
            book.addRecord(samplePerson(i));
        book.save();
        return file;
    }();
    return path;
}

void BM_OpenAndLoad(benchmark::State &state)
{
    const QString path = populatedDatabase();
    for (auto _ : state) {
        auto book = std::make_unique<AddressBook>(path, 2);
        benchmark::DoNotOptimize(book->people().size());
        state.PauseTiming();
        book.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenAndLoad)->Unit(benchmark::kMillisecond);

// The same with every person's values looked at once, as a program does that goes through the
// whole book.
void BM_OpenLoadAndReadEveryPerson(benchmark::State &state)
{
    const QString path = populatedDatabase();
    for (auto _ : state) {
        auto book = std::make_unique<AddressBook>(path, 2);
        qsizetype values = 0;
        for (const PersonPtr &person : book->people())
            values += person->multiValueForProperty(kABEmailProperty).count();
        if (values != 3 * kPeople) {
            state.SkipWithError("values are missing");
            break;
        }
        state.PauseTiming();
        book.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenLoadAndReadEveryPerson)->Unit(benchmark::kMillisecond);

// The limit: the bare library opening the file and stepping through every record's row, looking
// at its identifier, kind and stored bytes without decoding them.
void BM_OpenAndLoad_SQLiteRowsAlone(benchmark::State &state)
{
    const QByteArray path = QFile::encodeName(populatedDatabase());
    for (auto _ : state) {
        sqlite3 *db = nullptr;
        sqlite3_stmt *rows = nullptr;
        if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK ||
            sqlite3_prepare_v2(db, "SELECT uid, kind, body FROM records ORDER BY rowid", -1, &rows,
                               nullptr) != SQLITE_OK) {
            sqlite3_close(db);
            state.SkipWithError("the database did not open");
            break;
        }
        int count = 0;
        qint64 bytes = 0;
        while (sqlite3_step(rows) == SQLITE_ROW) {
            bytes += sqlite3_column_bytes(rows, 0) + sqlite3_column_int(rows, 1) +
                     sqlite3_column_bytes(rows, 2);
            benchmark::DoNotOptimize(sqlite3_column_text(rows, 0));
            benchmark::DoNotOptimize(sqlite3_column_blob(rows, 2));
            ++count;
        }
        sqlite3_finalize(rows);
        sqlite3_close(db);
        if (count < kPeople) {
            state.SkipWithError("rows are missing");
            break;
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_OpenAndLoad_SQLiteRowsAlone)->Unit(benchmark::kMillisecond);

void BM_SaveThousandChangedPeople(benchmark::State &state)
{
    AddressBook book(populatedDatabase(), 3);
    const QList<PersonPtr> people = book.people().mid(0, kChanged);
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++round;
        for (const PersonPtr &person : people)
            person->setValueForProperty(QStringLiteral("Changed%1").arg(round), kABNoteProperty);
        state.ResumeTiming();
        book.save();
    }
}
BENCHMARK(BM_SaveThousandChangedPeople)->Unit(benchmark::kMillisecond);

QList<PersonPtr> freePeople()
{
    QList<PersonPtr> people;
    people.reserve(kPeople);
    for (int i = 0; i < kPeople; ++i)
        people.append(samplePerson(i));
    return people;
}

void BM_WriteVCards(benchmark::State &state)
{
    const QList<PersonPtr> people = freePeople();
    for (auto _ : state) {
        for (const PersonPtr &person : people)
            benchmark::DoNotOptimize(vcardwriter::write(*person, {}, {}));
    }
}
BENCHMARK(BM_WriteVCards)->Unit(benchmark::kMillisecond);

void BM_ReadVCards(benchmark::State &state)
{
    QList<QByteArray> cards;
    for (const PersonPtr &person : freePeople())
        cards.append(vcardwriter::write(*person, {}, {}));
    for (auto _ : state) {
        for (const QByteArray &card : cards)
            benchmark::DoNotOptimize(Person::fromVCardRepresentation(card));
    }
}
BENCHMARK(BM_ReadVCards)->Unit(benchmark::kMillisecond);

} // namespace
