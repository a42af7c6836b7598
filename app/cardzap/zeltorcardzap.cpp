#include "app/cardzap/zeltorcardzap.h"

#include "app/cardzap/pastedlines.h"
#include "foundation/log.h"
#include "foundation/parsers/addressparser.h"
#include "foundation/parsers/countrynames.h"
#include "foundation/parsers/emailparser.h"
#include "foundation/parsers/nameparser.h"
#include "foundation/parsers/phoneparser.h"
#include "foundation/parsers/urlparser.h"
#include "foundation/text/textconversion.h"
#include "foundation/text/textpieces.h"
#include "foundation/text/zeltorstring.h"
#include "platform/defaults/userdefaults.h"

#include <QStringList>

namespace ZeltorCardzap {

namespace {

const QString kPrefixKey = QStringLiteral("nameDict.prefix");
const QString kFirstKey = QStringLiteral("nameDict.first");
const QString kNickKey = QStringLiteral("nameDict.nick");
const QString kLastKey = QStringLiteral("nameDict.last");
const QString kSuffixKey = QStringLiteral("nameDict.suffix");
const QString kOrgKey = QStringLiteral("org");
const QString kJobKey = QStringLiteral("job");
const QString kUrlKey = QStringLiteral("url");

// The keys that carry the panel's type: "homeEmail", "workAddrDict.city" and so on.
struct TypedKeys
{
    explicit TypedKeys(const QString &type)
        : email(type + QStringLiteral("Email"))
        , phone(type + QStringLiteral("Phone"))
        , street(type + QStringLiteral("AddrDict.street"))
        , city(type + QStringLiteral("AddrDict.city"))
        , state(type + QStringLiteral("AddrDict.state"))
        , postal(type + QStringLiteral("AddrDict.postal"))
        , country(type + QStringLiteral("AddrDict.country"))
    {}
    QString email, phone, street, city, state, postal, country;
};

bool hasDigits(const QString &line)
{
    return zeltor::countOfDigitsInString(line) > 0;
}

// "0 Main St" is no street: a house number starts with 1 to 9.
bool startsWithStreetNumber(const QString &line)
{
    return !line.isEmpty() && QStringView(u"123456789").contains(line.at(0));
}

QString joinedRest(const QString &pre, const QString &post)
{
    return zeltor::clean(pre + u' ' + post);
}

// Applies the rules to one pasted block and collects the fields found.
class Analysis
{
public:
    explicit Analysis(const QString &defaultType)
        : m_keys(defaultType)
    {}

    void readFirstLine(const QString &line);
    QStringList takeFieldLines(const QStringList &lines);
    void readRemainingLines(const QStringList &lines);
    void applyNameCase();

    Fields fields;

private:
    bool takeEmail(QString &text);
    bool takePhone(QString &text);
    bool takeUrl(QString &text);
    void storeName(const QString &text);
    void storeCityLine(const QString &line, bool withCountry = true);
    void storeNoCityLine();
    void readOneLine(const QString &line);
    void readTwoLines(const QString &first, const QString &second);
    void readFourLines(const QStringList &lines);
    void readFiveLines(const QStringList &lines);
    void readSixLines(const QStringList &lines);

    TypedKeys m_keys;
};

bool Analysis::takeEmail(QString &text)
{
    if (text.isEmpty() || !zeltor::containsEmailAddress(text))
        return false;
    const zeltor::EmailFind found = zeltor::extractEmailAddress(text);
    fields.insert(m_keys.email, found.email);
    text = joinedRest(found.pre, found.post);
    return true;
}

bool Analysis::takePhone(QString &text)
{
    if (text.isEmpty() || !zeltor::containsPhoneNumber(text))
        return false;
    const zeltor::PhoneFind found = zeltor::extractPhoneNumber(text);
    fields.insert(found.type == zeltor::kPlainPhoneType ? m_keys.phone : found.type, found.phone);
    text = joinedRest(found.pre, found.post);
    return true;
}

bool Analysis::takeUrl(QString &text)
{
    if (text.isEmpty() || !zeltor::containsURL(text))
        return false;
    const zeltor::UrlFind found = zeltor::extractURL(text);
    fields.insert(kUrlKey, found.url);
    text = joinedRest(found.pre, found.post);
    return true;
}

void Analysis::storeName(const QString &text)
{
    const std::optional<zeltor::NameParts> name = zeltor::parseName(text);
    if (!name)
        return;
    fields.insert(kPrefixKey, name->prefix);
    fields.insert(kFirstKey, name->first);
    fields.insert(kNickKey, name->nick);
    fields.insert(kLastKey, name->last);
    fields.insert(kSuffixKey, name->suffix);
}

// The first line names the person; an address, a number or a link in it are taken out first.
void Analysis::readFirstLine(const QString &line)
{
    if (line.contains(u' ')) {
        QString rest = line;
        takeEmail(rest);
        takePhone(rest);
        takeUrl(rest);
        if (!rest.isEmpty())
            storeName(rest);
        return;
    }
    if (zeltor::containsEmailAddress(line))
        fields.insert(m_keys.email, zeltor::extractEmailAddress(line).email);
    else if (zeltor::containsPhoneNumber(line))
        fields.insert(m_keys.phone, line);
    else if (zeltor::containsURL(line))
        fields.insert(kUrlKey, line);
    else
        fields.insert(kFirstKey, line);
}

// Lines that hold an e-mail address, a phone number or a link give those fields and are done;
// the others are left for the rules by count.
QStringList Analysis::takeFieldLines(const QStringList &lines)
{
    QStringList left;
    for (const QString &line : lines) {
        if (line.isEmpty())
            continue;
        QString rest = line;
        const bool tookEmail = takeEmail(rest);
        const bool tookPhone = takePhone(rest);
        const bool tookUrl = takeUrl(rest);
        if (!tookEmail && !tookPhone && !tookUrl)
            left.append(line);
    }
    return left;
}

void Analysis::storeCityLine(const QString &line, bool withCountry)
{
    const zeltor::CityStateZip parsed = zeltor::parseCSZ(line);
    fields.insert(m_keys.city, parsed.city);
    fields.insert(m_keys.state, parsed.state);
    fields.insert(m_keys.postal, parsed.zip);
    if (withCountry)
        fields.insert(m_keys.country, parsed.country);
}

void Analysis::storeNoCityLine()
{
    for (const QString *key : {&m_keys.city, &m_keys.state, &m_keys.postal, &m_keys.country})
        fields.insert(*key, QString());
}

void Analysis::readOneLine(const QString &line)
{
    if (!hasDigits(line))
        fields.insert(kOrgKey, line);
    else if (startsWithStreetNumber(line))
        fields.insert(m_keys.street, line);
    else
        storeCityLine(line);
}

void Analysis::readTwoLines(const QString &first, const QString &second)
{
    if (!hasDigits(first) && !hasDigits(second)) {
        fields.insert(kJobKey, first);
        fields.insert(kOrgKey, second);
    } else if (!hasDigits(first)) {
        fields.insert(kOrgKey, first);
        fields.insert(m_keys.street, second);
    } else if (hasDigits(second)) {
        fields.insert(m_keys.street, first);
        storeCityLine(second);
    }
}

// Street and city lines by their digits; digit-free lines are the job, then the organisation,
// except that one right after the city line that names a country is the country.
void Analysis::readFourLines(const QStringList &lines)
{
    QString job, org, street;
    std::optional<QString> cityLine;
    std::optional<QString> country;
    bool afterCityLine = false;
    for (const QString &line : lines) {
        const bool wasAfterCityLine = std::exchange(afterCityLine, false);
        if (hasDigits(line) && startsWithStreetNumber(line)) {
            street = line;
        } else if (hasDigits(line)) {
            cityLine = line;
            country.reset();
            afterCityLine = true;
        } else if (wasAfterCityLine && zeltor::isCountryName(line)) {
            country = line;
        } else if (job.isEmpty()) {
            job = line;
        } else {
            org = line;
        }
    }
    fields.insert(kJobKey, job);
    fields.insert(kOrgKey, org);
    fields.insert(m_keys.street, street);
    if (cityLine)
        storeCityLine(*cityLine);
    else
        storeNoCityLine();
    if (country)
        fields.insert(m_keys.country, *country);
}

// Digit-free lines fill the organisation, then the job, then lead the job; a street line takes
// the next line with it only when that line is a second street line (no digits); a line right
// after the city line that names a country is the country.
void Analysis::readFiveLines(const QStringList &lines)
{
    QString job, org, street;
    std::optional<QString> cityLine;
    std::optional<QString> country;
    bool afterCityLine = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        const bool wasAfterCityLine = std::exchange(afterCityLine, false);
        if (!hasDigits(line)) {
            if (wasAfterCityLine && zeltor::isCountryName(line))
                country = line;
            else if (org.isEmpty())
                org = line;
            else if (job.isEmpty())
                job = line;
            else
                job = line + QStringLiteral(" - ") + job;
        } else if (!startsWithStreetNumber(line)) {
            cityLine = line;
            country.reset();
            afterCityLine = true;
        } else if (i <= 2) {
            street = line;
            if (!hasDigits(lines.at(i + 1)))
                street += u'\r' + lines.at(++i);
        } else {
            street = line;
            if (i == 3) {
                cityLine = lines.at(4);
                country.reset();
            }
            break;
        }
    }
    fields.insert(kJobKey, job);
    fields.insert(kOrgKey, org);
    fields.insert(m_keys.street, street);
    if (cityLine)
        storeCityLine(*cityLine);
    else
        storeNoCityLine();
    if (country)
        fields.insert(m_keys.country, *country);
}

void Analysis::readSixLines(const QStringList &lines)
{
    fields.insert(kJobKey, lines.at(0));
    fields.insert(kOrgKey, lines.at(1));
    fields.insert(m_keys.street, lines.at(2) + u'\r' + lines.at(3));
    storeCityLine(lines.at(4), false);
    fields.insert(m_keys.country, lines.at(5));
}

void Analysis::readRemainingLines(const QStringList &lines)
{
    switch (lines.size()) {
    case 1:
        readOneLine(lines.at(0));
        break;
    case 2:
        readTwoLines(lines.at(0), lines.at(1));
        break;
    case 3:
        fields.insert(kOrgKey, lines.at(0));
        fields.insert(m_keys.street, lines.at(1));
        storeCityLine(lines.at(2));
        break;
    case 4:
        readFourLines(lines);
        break;
    case 5:
        readFiveLines(lines);
        break;
    case 6:
        readSixLines(lines);
        break;
    default:
        tlog::message(
            QStringLiteral("ZeltorCardzap"), QStringLiteral("analyzeString:defaultType:"),
            QStringLiteral("UNEXPECTED workArray = (%1)").arg(lines.join(QStringLiteral(", "))));
        break;
    }
}

void Analysis::applyNameCase()
{
    QString (*convert)(const QString &) = nullptr;
    switch (UserDefaults::standard().integerForKey(kNameCaseKey)) {
    case 2:
        convert = zeltor::capitalizedString;
        break;
    case 3:
        convert = [](const QString &text) {
            return text.toLower();
        };
        break;
    case 1:
        convert = [](const QString &text) {
            return text.toUpper();
        };
        break;
    default:
        return;
    }
    for (const QString &key : {kPrefixKey, kFirstKey, kNickKey, kLastKey, kSuffixKey, kJobKey,
                               kOrgKey, m_keys.street, m_keys.city}) {
        const auto field = fields.find(key);
        if (field != fields.end())
            *field = convert(*field);
    }
}

} // namespace

Fields analyzeString(const QString &text, const QString &defaultType)
{
    const PastedLines pasted = splitPastedText(text);
    Analysis analysis(defaultType);
    analysis.readFirstLine(pasted.first);
    analysis.readRemainingLines(analysis.takeFieldLines(pasted.others));
    analysis.applyNameCase();
    return analysis.fields;
}

} // namespace ZeltorCardzap
