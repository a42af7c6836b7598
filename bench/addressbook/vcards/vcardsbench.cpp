// vCards at the size of a large personal book: a 25,000-card file split and imported into the
// address book, and 25,000 people of the book exported through the user's export preferences,
// beside the plain writer writing the same people.

#include "addressbook/vcards/vcardexport.h"
#include "addressbook/vcards/vcardexportoptions.h"
#include "addressbook/vcards/vcardimport.h"
#include "addressbook/vcards/vcardsplitter.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"
#include "platform/defaults/userdefaults.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kCards = 25000;

// A card as address book programs write them: grouped items with labels, a folded note, a
// primary e-mail, non-ASCII names; every fifth card in vCard 2.1 with LF line ends.
QByteArray card(int i)
{
    const QByteArray n = QByteArray::number(i);
    if (i % 5 == 4)
        return "BEGIN:VCARD\nVERSION:2.1\nN:Lindqvist" + n + ";Åsa;;;\nFN:Åsa Lindqvist" + n +
               "\nORG:Exempel AB;Sales\nTEL;WORK;VOICE:+46 8 123 45" + n +
               "\nTEL;CELL:+46 70 555 " + n + "\nEMAIL;INTERNET;PREF:asa" + n +
               "@exempel.se\nADR;WORK:;;Storgatan " + n + ";Stockholm;;111 22;Sweden\nEND:VCARD\n";
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Smith" + n +
           ";Jane;Q.;Dr.;PhD\r\nFN:Dr. Jane Q. Smith" + n +
           " PhD\r\nNICKNAME:JJ\r\nORG:Acme Corp;Research\r\nTITLE:Senior Engineer\r\n"
           "item1.EMAIL;type=INTERNET;type=pref:jane" +
           n +
           "@acme.example\r\nitem1.X-ABLabel:_$!<Work>!$_\r\nEMAIL;type=INTERNET;type=HOME:jane" +
           n + "@mail.example.org\r\nTEL;type=WORK;type=pref:(555) 123-" + n +
           "\r\nTEL;type=CELL:555-987-" + n + "\r\nTEL;type=HOME;type=FAX:555 321 " + n +
           "\r\nitem2.ADR;type=WORK;type=pref:;Suite 400;" + n +
           " Main St;Springfield;IL;62704;USA\r\nitem2.X-ABADR:us\r\n"
           "ADR;type=HOME:;;12 Elm Street;Portland;OR;97205;USA\r\n"
           "item3.URL;type=pref:https://acme.example/people/jane" +
           n + "\r\nitem3.X-ABLabel:_$!<HomePage>!$_\r\nBDAY;value=date:1970-03-" +
           QByteArray::number(1 + i % 28).rightJustified(2, '0') +
           "\r\nX-AIM;type=HOME;type=pref:jane" + n +
           "\r\nitem4.X-ABRELATEDNAMES;type=pref:John Smith\r\nitem4.X-ABLabel:_$!<Spouse>!$_\r\n"
           "NOTE:Met at the trade fair\\, booth 12.\\nFollow up about the order; call before "
           "noon\r\n  on weekdays.\r\nEND:VCARD\r\n";
}

QString cardFile(QTemporaryDir &dir)
{
    QFile file(dir.filePath(QStringLiteral("cards.vcf")));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    for (int i = 0; i < kCards; ++i)
        file.write(card(i));
    return file.fileName();
}

void removePeople(const QStringList &ids)
{
    AddressBook *book = AddressBook::shared();
    for (const QString &id : ids)
        book->removeRecord(book->personForUniqueId(id));
    book->save();
}

void BM_SplitAndImportFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = cardFile(dir);
    for (auto _ : state) {
        const QVariantMap result = AddressBookTool::processDroppedVCards({path});
        state.PauseTiming();
        const QStringList ids = result.value(kVCardImportNewPeople).toStringList();
        if (ids.size() != kCards || result.value(kVCardImportErrorCode).toInt() != -1) {
            state.SkipWithError("the import lost cards");
            break;
        }
        // Each round imports into the same book as the first.
        removePeople(ids);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kCards);
}
BENCHMARK(BM_SplitAndImportFile)->Unit(benchmark::kMillisecond);

void BM_SplitFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = cardFile(dir);
    for (auto _ : state)
        benchmark::DoNotOptimize(AddressBookTool::extractPeople(path).size());
    state.SetItemsProcessed(state.iterations() * kCards);
}
BENCHMARK(BM_SplitFile)->Unit(benchmark::kMillisecond);

// The people the export benchmarks write, imported once into the book.
const QList<PersonPtr> &bookPeople()
{
    static const QList<PersonPtr> people = [] {
        QTemporaryDir dir;
        const QVariantMap result = AddressBookTool::processDroppedVCards({cardFile(dir)});
        QList<PersonPtr> found;
        for (const QString &id : result.value(kVCardImportNewPeople).toStringList())
            found.append(AddressBook::shared()->personForUniqueId(id));
        return found;
    }();
    return people;
}

// Argument 0: nothing filtered; 1: a user who keeps only work e-mail and phones, no notes, no
// pictures and no related names.
void setExportPreferences(int filtering)
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setBool(filtering != 0, kVCardNotNotes);
    defaults.setBool(filtering != 0, kVCardNotPicture);
    defaults.setBool(filtering != 0, kVCardNotRelatedName);
    defaults.setInteger(filtering != 0 ? VCardKeepWork : VCardKeepAll, kVCardEmail);
    defaults.setInteger(filtering != 0 ? VCardKeepWork : VCardKeepAll, kVCardTelephone);
}

void BM_ExportPeople(benchmark::State &state)
{
    const QList<PersonPtr> &people = bookPeople();
    if (people.size() != kCards) {
        state.SkipWithError("the book was not filled");
        return;
    }
    setExportPreferences(int(state.range(0)));
    qsizetype bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (const PersonPtr &person : people)
            bytes += AddressBookTool::vCardForABPerson(person).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = double(bytes);
    state.SetItemsProcessed(state.iterations() * kCards);
}
BENCHMARK(BM_ExportPeople)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The limit: the address book's own vCard of the same people, written by the plain writer with
// nothing read, filtered or added.
void BM_ExportPeople_PlainWriter(benchmark::State &state)
{
    const QList<PersonPtr> &people = bookPeople();
    if (people.size() != kCards) {
        state.SkipWithError("the book was not filled");
        return;
    }
    qsizetype bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (const PersonPtr &person : people)
            bytes += person->vCardRepresentation().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = double(bytes);
    state.SetItemsProcessed(state.iterations() * kCards);
}
BENCHMARK(BM_ExportPeople_PlainWriter)->Unit(benchmark::kMillisecond);

} // namespace
