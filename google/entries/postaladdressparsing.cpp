#include "google/entries/postaladdressparsing.h"

#include "foundation/parsers/countrynames.h"
#include "foundation/parsers/parserkeys.h"
#include "foundation/text/textpieces.h"
#include "foundation/text/zeltorstring.h"
#include "google/engine/googlekeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/localizedpropertyorlabel.h"
#include "platform/defaults/userdefaults.h"

#include <QStringList>

namespace tolvane {

namespace {

constexpr int kRawLineCount = 5;

// Runs of line ends collapse to one, so blank lines between parts do not count.
QString withSingleLineEnds(QString text)
{
    for (const QString &lineEnd : {QStringLiteral("\n"), QStringLiteral("\r")}) {
        if (text.contains(lineEnd + lineEnd))
            text = zeltor::convertDoubleXToX(text, lineEnd);
    }
    return text;
}

// Lines split on line feeds, else on carriage returns; a carriage return that ends a line of a
// "\r\n" text goes with its line end.
QStringList linesOf(const QString &text)
{
    if (text.contains(u'\n')) {
        QStringList lines = text.split(u'\n');
        for (QString &line : lines) {
            if (line.endsWith(u'\r'))
                line.chop(1);
        }
        return lines;
    }
    if (text.contains(u'\r'))
        return text.split(u'\r');
    return {text};
}

bool isBlankLine(const QString &line)
{
    return line.size() <= 3 && line.count(u' ') == line.size();
}

void takeCityLine(zeltor::GoogleAddress &address, const QString &line, bool withPostal,
                  bool withCountry)
{
    const zeltor::CityStateZip csz = zeltor::parseCSZ(line);
    address.city = csz.city;
    address.state = csz.state;
    if (withPostal)
        address.postal = csz.zip;
    if (withCountry)
        address.country = csz.country;
}

bool startsWithStreetNumber(const QString &line)
{
    return !line.isEmpty() && line.at(0) >= u'1' && line.at(0) <= u'9';
}

bool hasDigit(const QString &line)
{
    return !zeltor::extractDigits(line).isEmpty();
}

zeltor::GoogleAddress partsByLineCount(const QStringList &lines)
{
    zeltor::GoogleAddress address;
    switch (lines.size()) {
    case 1:
        if (startsWithStreetNumber(lines[0]))
            address.street1 = lines[0];
        else
            takeCityLine(address, lines[0], true, true);
        break;
    case 2:
        address.street1 = lines[0];
        takeCityLine(address, lines[1], true, true);
        break;
    case 3:
        address.street1 = lines[0];
        if (!hasDigit(lines[2])) {
            takeCityLine(address, lines[1], true, false);
            address.country = lines[2];
        } else if (lines[2].size() > 10) {
            address.street2 = lines[1];
            takeCityLine(address, lines[2], true, false);
        } else {
            takeCityLine(address, lines[1], false, false);
            address.postal = lines[2];
        }
        break;
    case 4:
        address.street1 = lines[0];
        address.street2 = lines[1];
        takeCityLine(address, lines[2], true, false);
        address.country = lines[3];
        break;
    default:
        address.street1 = lines[0];
        address.street2 = lines[1];
        takeCityLine(address, lines[2], false, false);
        address.postal = lines[3];
        address.country = lines[4];
        break;
    }
    return address;
}

// A country code becomes the country's name; without a country the preferred one, when the user
// asks for it.
QString countryOf(const QString &country)
{
    UserDefaults &defaults = UserDefaults::standard();
    if (!country.isEmpty()) {
        const QString name = zeltor::countryNameForCode(country);
        return name.isEmpty() ? country : name;
    }
    if (!defaults.boolForKey(googlekeys::doDefaultCountry))
        return country;
    const QString preferred = defaults.stringForKey(zeltor::kDefaultCountryKey);
    return preferred.isEmpty() ? zeltor::localeCountryName() : preferred;
}

bool isLabelled(const QString &rel, const QString &label, const QString &word,
                const QString &localized)
{
    return rel.contains(word) || label.toLower() == localized.toLower();
}

} // namespace

std::optional<zeltor::GoogleAddress> tolvaneAddress(const GDataPostalAddress &postalAddress)
{
    const QString text = zeltor::clean(postalAddress.stringValue);
    if (text.isEmpty())
        return std::nullopt;
    QStringList lines = linesOf(withSingleLineEnds(text));
    lines.removeIf(isBlankLine);
    if (lines.isEmpty())
        return std::nullopt;
    zeltor::GoogleAddress address = partsByLineCount(lines);
    address.country = countryOf(address.country);
    return address;
}

QMap<QString, QString> tolvaneRawAddress(const GDataPostalAddress &address)
{
    const QStringList lines = address.stringValue.split(u'\n');
    QMap<QString, QString> raw;
    for (int i = 0; i < kRawLineCount; ++i)
        raw.insert(QStringLiteral("gLine%1").arg(i + 1), lines.value(i, QStringLiteral("")));
    return raw;
}

QString tolvaneLabel(const GDataPostalAddress &address)
{
    const QString rel = address.rel.value_or(QString());
    const QString label = address.label.value_or(QString());
    const QString home = localizedPropertyOrLabel(kABHomeLabel);
    if (isLabelled(rel, label, QStringLiteral("home"), home))
        return home;
    const QString work = localizedPropertyOrLabel(kABWorkLabel);
    if (isLabelled(rel, label, QStringLiteral("work"), work))
        return work;
    if (!label.isEmpty())
        return label;
    if (rel.contains(QStringLiteral("other")))
        return localizedPropertyOrLabel(kABOtherLabel);
    return QStringLiteral("address");
}

} // namespace tolvane
