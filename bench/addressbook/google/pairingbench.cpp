// Pairing a whole Google account with the address book: 25,000 entries with 25,000 people, half
// linked by the identifier link property, a quarter found by e-mail address, the rest by name.

#include "addressbook/addressbookkeys.h"
#include "addressbook/google/googlecontactmatching.h"
#include "addressbook/google/linkproperties.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "tests/support/addressbook/fakegoogleentries.h"

#include <QThread>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kEntries = 25000;

void useLinkPropertyNames()
{
    UserDefaults &defaults = UserDefaults::standard();
    const QString keys[] = {
        abkeys::googleContactIDPropertyName, abkeys::googleContactVersionPropertyName,
        abkeys::googleContactAsOfDatePropertyName, abkeys::googleContactDataMaskPropertyName};
    for (const QString &key : keys)
        defaults.setString(QStringLiteral("bench.") + key, key);
    defaults.setString(QStringLiteral("benchContact"), abkeys::googleContactExtendedPropertyName);
    AddressBookTool::addTolvaneContactProperties();
}

QString googleID(int i)
{
    return QStringLiteral("http://www.google.com/m8/feeds/contacts/bench/base/%1").arg(i);
}

// Entry i pairs with person i: by link for the first half, by e-mail for the next quarter, by
// name for the rest.
std::vector<FakeGoogleContact> seedBookAndEntries()
{
    const QString linkProperty = AddressBookTool::contactLinkPropertyNames().identifier;
    std::vector<FakeGoogleContact> entries(kEntries);
    for (int i = 0; i < kEntries; ++i) {
        const QString first = QStringLiteral("First%1").arg(i);
        const QString last = QStringLiteral("Last%1").arg(i);
        const QString email = QStringLiteral("person%1@example.com").arg(i);
        const PersonPtr person = Person::create();
        person->setValueForProperty(first, kABFirstNameProperty);
        person->setValueForProperty(last, kABLastNameProperty);
        FakeGoogleContact &entry = entries[i];
        entry.id = googleID(i);
        entry.titleText = first + u' ' + last;
        if (i < kEntries / 2) {
            person->setValueForProperty(entry.id, linkProperty);
        } else if (i < kEntries * 3 / 4) {
            MutableMultiValue emails(PropertyType::MultiString);
            emails.addValue(email, kABWorkLabel);
            person->setValueForProperty(QVariant::fromValue(MultiValue(emails)), kABEmailProperty);
            entry.emails = {email};
        }
        AddressBook::shared()->addRecord(person);
    }
    return entries;
}

void BM_PairGoogleContactsWithPeople(benchmark::State &state)
{
    useLinkPropertyNames();
    const std::vector<FakeGoogleContact> entries = seedBookAndEntries();
    const qsizetype before = AddressBook::shared()->people().size();
    // In use the preferences were written long before a transfer; a preference file written in
    // the last two seconds is read again at every lookup, which would be measured instead.
    QThread::msleep(2100);
    for (auto _ : state) {
        for (const FakeGoogleContact &entry : entries)
            benchmark::DoNotOptimize(AddressBookTool::personForGoogleContact(entry));
    }
    // Every entry found its person: nothing was made.
    if (AddressBook::shared()->people().size() != before)
        state.SkipWithError("an entry was not paired with its person");
    state.counters["entries"] = kEntries;
}
BENCHMARK(BM_PairGoogleContactsWithPeople)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
