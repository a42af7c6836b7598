// The analyser on what users paste: 10,000 blocks of mail signatures and business cards of 2 to 7
// lines, with names (initials, titles, particles), organisations, jobs, phone numbers of several
// countries and labels, e-mail and web addresses, and US and European postal addresses.

#include "app/cardzap/zeltorcardzap.h"
#include "foundation/parsers/parserkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/localizedpropertyorlabel.h"
#include "platform/defaults/userdefaults.h"

#include <QLocale>
#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

constexpr int kBlocks = 10000;

const char *const kFirstNames[] = {"Jane",  "John",   "Maria",   "Wei",  "Olivia", "Ahmed",
                                   "Sofia", "Pierre", "Kenji",   "Anna", "Robert", "Fatima",
                                   "Liam",  "Chloé",  "Thabo",   "Ines", "Marcus", "Priya",
                                   "Sean",  "Ewa",    "Giovanni"};
const char *const kLastNames[] = {"Smith",     "Johnson", "van der Berg", "Müller",   "O'Brien",
                                  "Nakamura",  "García",  "Okafor",       "Kowalski", "Dubois",
                                  "Rossi",     "Chen",    "de la Cruz",   "Ivanova",  "Williams",
                                  "MacDonald", "Singh",   "Esquivel",     "Larsen"};
const char *const kCompanies[] = {"Acme Corp",       "Globex Inc.",
                                  "Initech",         "Umbrella Pharma",
                                  "Beispiel GmbH",   "Northwind Traders",
                                  "Contoso Ltd",     "Blue Harbor Consulting",
                                  "Société Exemple", "Hooli",
                                  "Stark & Sons",    "Wayne Enterprises"};
const char *const kJobs[] = {"Senior Software Engineer", "Sales Manager",     "Account Executive",
                             "Chief Financial Officer",  "Office Manager",    "Product Designer",
                             "Attorney at Law",          "Head of Marketing", "Research Scientist",
                             "Customer Support"};
const char *const kDomains[] = {"example.com", "mail.example.org", "example.co.uk",
                                "beispiel.de", "acme.example",     "corp.example.net",
                                "exemple.fr",  "example.com.au"};
const char *const kStreets[] = {"12 Main St",       "450 Park Avenue",  "1600 Elm Street",
                                "221 Baker Street", "7 Harbour Road",   "33 Market St.",
                                "1 Infinite Loop",  "98 Rue de Rivoli", "5 Hauptstraße"};
const char *const kCityLines[] = {"Springfield, IL 62704",    "New York, NY 10022",
                                  "San Luis Obispo CA 93401", "St. Louis, MO 63101",
                                  "Austin TX 78701",          "Portland, OR 97205",
                                  "Seattle, WA 98101",        "Coeur d'Alene, ID 83814"};
const char *const kCountries[] = {"USA", "United States", "Canada", "Germany", "France"};
const char *const kPhones[] = {"(555) 123-4567",     "555-987-6543",      "+1 555 234 5678",
                               "555.345.6789",       "+44 20 7946 0958",  "+49 30 12345678",
                               "(555) 456-7890 x12", "+33 1 42 68 53 00", "555 321 7654"};
const char *const kPhoneLabels[] = {"",      "Tel: ",   "Phone ",   "Mobile: ", "Cell ",
                                    "Fax: ", "Office ", "Direct: ", "T "};

template <typename T, size_t N> QString pick(const T (&table)[N], int index)
{
    return QString::fromUtf8(table[size_t(index) % N]);
}

struct Sample
{
    QString first, last, company, job, email, phone, otherPhone, url, street, cityLine, country;
};

// A different person for every index; the tables' sizes are coprime enough to mix them well.
Sample sampleFor(int i)
{
    Sample p;
    p.first = pick(kFirstNames, i);
    p.last = pick(kLastNames, i / 3 + i);
    p.company = pick(kCompanies, i * 7 + 3);
    p.job = pick(kJobs, i / 2 + 5);
    const QString domain = pick(kDomains, i * 5 + 1);
    const QString local = (p.first + u'.' + p.last).toLower().remove(u' ').remove(u'\'');
    p.email = i % 9 == 0 ? local + QStringLiteral("+cards@") + domain : local + u'@' + domain;
    p.phone = pick(kPhoneLabels, i) + pick(kPhones, i * 3 + 2);
    p.otherPhone = pick(kPhoneLabels, i + 4) + pick(kPhones, i + 5);
    p.url = i % 2
                ? QStringLiteral("www.") + domain
                : QStringLiteral("https://www.%1/team/%2?ref=card").arg(domain, p.first.toLower());
    p.street = pick(kStreets, i * 11 + 4);
    p.cityLine = pick(kCityLines, i * 13 + 1);
    p.country = pick(kCountries, i);
    return p;
}

QString nameLine(const Sample &p, int i)
{
    switch (i % 6) {
    case 0:
        return QStringLiteral("Dr. %1 %2").arg(p.first, p.last);
    case 1:
        return QStringLiteral("%1 J. %2").arg(p.first, p.last);
    case 2:
        return QStringLiteral("%1 %2, Jr.").arg(p.first, p.last);
    default:
        return p.first + u' ' + p.last;
    }
}

QString block(int i)
{
    const Sample p = sampleFor(i);
    const QString name = nameLine(p, i);
    QStringList lines;
    switch (i % 10) {
    case 0: // a mail signature
        lines = {name, p.job, p.company, p.phone, p.email, p.url};
        break;
    case 1: // a short signature with the number and the address on one line
        lines = {name, p.company, p.phone + QStringLiteral(" | ") + p.email};
        break;
    case 2: // two lines
        lines = {name, p.email};
        break;
    case 3: // three lines
        lines = {name, p.company, p.phone};
        break;
    case 4: // four lines
        lines = {name, p.job, p.company, p.street};
        break;
    case 5: // five lines: a postal address card
        lines = {name, p.company, p.street, p.cityLine, p.phone};
        break;
    case 6: // six lines
        lines = {name, p.job, p.company, p.street, p.cityLine, p.country};
        break;
    case 7: // seven lines: the full card
        lines = {name, p.job, p.company, p.street, p.cityLine, p.phone, p.email};
        break;
    case 8: // a card with two numbers and a link
        lines = {name, p.job, p.company, p.phone, p.otherPhone, p.url};
        break;
    default: // a name line holding the address, then the address block
        lines = {name + u' ' + p.email, p.street, p.cityLine, p.country};
        break;
    }
    // Pasted mail text often keeps CR LF line ends.
    return lines.join(i % 4 == 3 ? QStringLiteral("\r\n") : QStringLiteral("\n"));
}

QStringList pastedBlocks()
{
    QStringList blocks;
    blocks.reserve(kBlocks);
    for (int i = 0; i < kBlocks; ++i)
        blocks.append(block(i));
    return blocks;
}

// A US user's settings, as the program registers and the user sets them.
void setUSPreferences()
{
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setString(localizedPropertyOrLabel(kABAddressCityKey), zeltor::kLabel1Key);
    defaults.setString(localizedPropertyOrLabel(kABAddressStateKey), zeltor::kLabel2Key);
    defaults.setString(localizedPropertyOrLabel(kABAddressZIPKey), zeltor::kLabel3Key);
    defaults.setString(QStringLiteral("United States"), zeltor::kDefaultCountryKey);
    defaults.setInteger(7, zeltor::kMinPhoneNumberLengthKey);
    defaults.setBool(false, zeltor::kNameParserPesumeDoubleFirstKey);
    defaults.setInteger(2, ZeltorCardzap::kNameCaseKey);
}

void BM_AnalyzeTenThousandBlocks(benchmark::State &state)
{
    setUSPreferences();
    const QStringList blocks = pastedBlocks();
    qsizetype fields = 0;
    for (auto _ : state) {
        fields = 0;
        for (const QString &text : blocks)
            fields += ZeltorCardzap::analyzeString(text, QStringLiteral("work")).size();
        benchmark::DoNotOptimize(fields);
    }
    state.counters["fields"] = double(fields);
    state.SetItemsProcessed(state.iterations() * kBlocks);
}
BENCHMARK(BM_AnalyzeTenThousandBlocks)->Unit(benchmark::kMillisecond);

} // namespace
