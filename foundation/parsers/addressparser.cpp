#include "foundation/parsers/addressparser.h"

#include "foundation/log.h"
#include "foundation/parsers/countrynames.h"
#include "foundation/parsers/parserkeys.h"
#include "foundation/text/textconversion.h"
#include "foundation/text/textpieces.h"
#include "foundation/text/zeltorstring.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/localizedpropertyorlabel.h"
#include "platform/defaults/userdefaults.h"

#include <QRegularExpression>
#include <QStringList>

namespace zeltor {

namespace {

using Words = QStringList;

// The three positions of a city line and the country written in it.
struct Positions
{
    QString p1;
    QString p2;
    QString p3;
    QString country;
};

bool hasDigit(const QString &word)
{
    return countOfDigitsInString(word) > 0;
}

QString joined(const Words &words, qsizetype from, qsizetype to)
{
    if (from >= to)
        return QString();
    return words.mid(from, to - from).join(u' ');
}

qsizetype firstDigitWord(const Words &words)
{
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (hasDigit(words.at(i)))
            return i;
    }
    return -1;
}

// A postal code may be written in two words ("M5V 3L9", "SW1A 1AA").
qsizetype endOfDigitRun(const Words &words, qsizetype start)
{
    qsizetype end = start;
    while (end < words.size() && hasDigit(words.at(end)))
        ++end;
    return end;
}

bool isTwoLetterWord(const QString &word)
{
    return word.size() == 2 && word.at(0).isLetter() && word.at(1).isLetter();
}

// "San Luis Obispo CA 93401": a two-letter word before the postal code is the state, whatever
// the number of words of the city.
std::optional<Positions> stateBeforePostalCode(const Words &w)
{
    const qsizetype zip = firstDigitWord(w);
    if (zip < 2 || !isTwoLetterWord(w.at(zip - 1)))
        return std::nullopt;
    const qsizetype end = endOfDigitRun(w, zip);
    return Positions{joined(w, 0, zip - 1), w.at(zip - 1), joined(w, zip, end),
                     joined(w, end, w.size())};
}

// A line without a comma, by its number of words; rows of one count are tried top to bottom.
Positions positionsWithoutComma(const Words &w)
{
    if (std::optional<Positions> found = stateBeforePostalCode(w))
        return *found;
    const auto digit = [&](qsizetype number) {
        return hasDigit(w.at(number - 1));
    };
    const auto words = [&](qsizetype from, qsizetype to) {
        return joined(w, from - 1, to);
    };
    switch (w.size()) {
    case 0:
        return {};
    case 1:
        return digit(1) ? Positions{"", "", w[0], ""} : Positions{w[0], "", "", ""};
    case 2:
        if (digit(1))
            return {"", "", w[0], w[1]};
        if (digit(2))
            return {w[0], "", w[1], ""};
        return {w[0], w[1], "", ""};
    case 3:
        if (digit(3))
            return {w[0], w[1], w[2], ""};
        return {words(1, 2), w[2], "", ""};
    case 4:
        if (digit(3))
            return {w[0], w[1], w[2], w[3]};
        if (digit(4))
            return {words(1, 2), w[2], w[3], ""};
        if (digit(2))
            return {w[0], "", w[1], words(3, 4)};
        return {words(1, 2), words(3, 4), "", ""};
    case 5:
        if (digit(4))
            return {words(1, 2), w[2], w[3], w[4]};
        if (digit(5))
            return {words(1, 2), words(3, 4), w[4], ""};
        if (digit(3))
            return {w[0], w[1], w[2], words(4, 5)};
        return {words(1, 2), w[2], "", words(4, 5)};
    default:
        return {words(1, w.size() - 2), w[w.size() - 2], w.last(), ""};
    }
}

// The words after the comma: the postal code is the first word with a digit, wherever it stands
// ("Paris, 75001 France"); what is before it is the state, what is after it the country.
Positions positionsAfterComma(const QString &beforeComma, const Words &v)
{
    const qsizetype zip = firstDigitWord(v);
    if (zip >= 0) {
        const qsizetype end = endOfDigitRun(v, zip);
        return {beforeComma, joined(v, 0, zip), joined(v, zip, end), joined(v, end, v.size())};
    }
    const auto words = [&](qsizetype from, qsizetype to) {
        return joined(v, from - 1, to);
    };
    switch (v.size()) {
    case 0:
        return {beforeComma, "", "", ""};
    case 1:
    case 2:
        return {beforeComma, words(1, v.size()), "", ""};
    case 3:
        return {beforeComma, words(1, 2), "", v[2]};
    case 4:
        return {beforeComma, words(1, 2), "", words(3, 4)};
    case 5:
        return {beforeComma, words(1, 3), "", words(4, 5)};
    default:
        return {beforeComma, words(1, v.size() - 1), v.last(), ""};
    }
}

// The two halves of a United Kingdom or Canadian postal code ("SW1A 1AA", "M5V 3L9") as one word,
// so that the outward half is not taken for a state.
Words withPostcodesJoined(Words words)
{
    static const QRegularExpression halves(
        QStringLiteral("^(?:[A-Z]{1,2}\\d[A-Z\\d]? \\d[A-Z]{2}|[A-Z]\\d[A-Z] \\d[A-Z]\\d)$"),
        QRegularExpression::CaseInsensitiveOption);
    for (qsizetype i = 0; i + 1 < words.size(); ++i) {
        const QString pair = words.at(i) + u' ' + words.at(i + 1);
        if (halves.match(pair).hasMatch()) {
            words[i] = pair;
            words.removeAt(i + 1);
        }
    }
    return words;
}

Positions positionsOf(const QString &line)
{
    const QString squeezed = squeeze(line);
    const QStringList pieces = squeezed.split(u',');
    if (pieces.size() == 2)
        return positionsAfterComma(pieces.at(0),
                                   clean(pieces.at(1)).split(u' ', Qt::SkipEmptyParts));
    const Words words = withPostcodesJoined(squeezed.split(u' ', Qt::SkipEmptyParts));
    if (std::optional<Positions> found = stateBeforePostalCode(words))
        return *found;
    // "London SW1A 1AA": what stands before a joined postcode is the city.
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (words.at(i).contains(u' '))
            return {joined(words, 0, i), "", words.at(i), joined(words, i + 1, words.size())};
    }
    return positionsWithoutComma(words);
}

// The user's order of the three positions: the label each preference names.
struct LabelOrder
{
    QString label1;
    QString label2;
    QString label3;

    static LabelOrder read()
    {
        UserDefaults &defaults = UserDefaults::standard();
        return {defaults.stringForKey(kLabel1Key), defaults.stringForKey(kLabel2Key),
                defaults.stringForKey(kLabel3Key)};
    }

    // The position whose label names the field; "" when none does.
    QString fieldAt(const Positions &positions, const QString &addressKey) const
    {
        const QString label = localizedPropertyOrLabel(addressKey);
        if (label1 == label)
            return positions.p1;
        if (label2 == label)
            return positions.p2;
        if (label3 == label)
            return positions.p3;
        return QString();
    }
};

bool isNameCharacter(QChar c)
{
    return c.isLetterOrNumber() || c.isMark() || c == u' ' || c == u'-' || c == u'.' ||
           c == u'\'' || c == QChar(0x2019);
}

// The value up to the first character that no place name holds ("Springfield;" or
// "Springfield (IL)"); a full stop that only ends the value goes too, an abbreviation's stays.
QString trimmedValue(const QString &value)
{
    qsizetype start = 0;
    while (start < value.size() && value.at(start).isSpace())
        ++start;
    if (start == value.size() || !isNameCharacter(value.at(start)))
        return value;
    qsizetype end = start;
    while (end < value.size() && isNameCharacter(value.at(end)))
        ++end;
    QString trimmed = value.mid(start, end - start).trimmed();
    const QString lastWord = trimmed.section(u' ', -1);
    if (trimmed.endsWith(u'.') && lastWord.count(u'.') == 1)
        trimmed.chop(1);
    return trimmed;
}

QString stateSpelling(const QString &state)
{
    return state.size() == 2 ? state.toUpper() : capitalizedString(state);
}

QString countryOf(QString written)
{
    if (written.isEmpty()) {
        const QString preferred = UserDefaults::standard().stringForKey(kDefaultCountryKey);
        return preferred.isEmpty() ? localeCountryName() : preferred;
    }
    if (written == QStringLiteral("USA"))
        written = QStringLiteral("US");
    const QString name = countryNameForCode(written);
    return name.isEmpty() ? written : name;
}

// Address rows: empty and blank rows are dropped, a carriage return before a line feed too.
QStringList addressRows(const QString &text, QChar &separator)
{
    separator = text.contains(u'\n') ? u'\n' : u'\r';
    QStringList rows;
    for (QString row : text.split(separator)) {
        if (separator == u'\n' && row.endsWith(u'\r'))
            row.chop(1);
        const bool blank = row.size() <= 3 && row.count(u' ') == row.size();
        if (!blank)
            rows.append(row);
    }
    return rows;
}

void takeCityLine(GoogleAddress &address, const QString &line, bool withPostal, bool withCountry,
                  const CountryTest &isCountry)
{
    CityStateZip parsed = parseCSZ(line);
    // A word after the postal code stands where a country would ("75002 Paris"); when it names
    // no country it is the town, and the line has no country of its own.
    if (isCountry && parsed.city.isEmpty() && !parsed.country.isEmpty() &&
        !isCountry(parsed.country)) {
        parsed.city = parsed.country;
        parsed.country = countryOf(QString());
    }
    address.city = parsed.city;
    address.state = parsed.state;
    if (withPostal)
        address.postal = parsed.zip;
    if (withCountry)
        address.country = parsed.country;
}

} // namespace

CityStateZip parseCSZ(const QString &line)
{
    const Positions positions = positionsOf(line);
    const LabelOrder order = LabelOrder::read();
    CityStateZip result;
    result.city = trimmedValue(order.fieldAt(positions, kABAddressCityKey));
    result.state = stateSpelling(trimmedValue(order.fieldAt(positions, kABAddressStateKey)));
    result.zip = trimmedValue(order.fieldAt(positions, kABAddressZIPKey));
    result.country = countryOf(trimmedValue(positions.country));
    return result;
}

GoogleAddress unpackAddress(const QString &text, const CountryTest &isCountry)
{
    QChar separator;
    const QStringList rows = addressRows(text, separator);
    GoogleAddress address;
    switch (rows.size()) {
    case 0:
        tlog::message(QStringLiteral("NSString"), QStringLiteral("unpackAddress"),
                      QStringLiteral("No Rows in googleAddress"));
        break;
    case 1:
        // A leading "0" is no street number.
        if (QStringView(u"123456789").contains(rows[0].at(0)))
            address.street1 = rows[0];
        else
            takeCityLine(address, rows[0], true, true, isCountry);
        break;
    case 2:
        address.street1 = rows[0];
        takeCityLine(address, rows[1], true, true, isCountry);
        break;
    case 3:
        address.street1 = rows[0];
        if (!hasDigit(rows[2])) {
            takeCityLine(address, rows[1], true, false, isCountry);
            address.country = rows[2];
        } else if (rows[2].size() > 10) {
            address.street2 = rows[1];
            takeCityLine(address, rows[2], true, false, isCountry);
        } else {
            takeCityLine(address, rows[1], false, false, isCountry);
            address.postal = rows[2];
        }
        break;
    case 4:
        address.street1 = rows[0];
        address.street2 = rows[1];
        takeCityLine(address, rows[2], true, false, isCountry);
        address.country = rows[3];
        break;
    default: {
        // The last three rows are the city line, the postal code and the country; every street
        // row after the first is the second street.
        const qsizetype cityRow = rows.size() - 3;
        address.street1 = rows[0];
        address.street2 = rows.mid(1, cityRow - 1).join(separator);
        takeCityLine(address, rows[cityRow], false, false, isCountry);
        address.postal = rows[cityRow + 1];
        address.country = rows[cityRow + 2];
        break;
    }
    }
    return address;
}

} // namespace zeltor
