#include "google/download/countryaddressreading.h"

#include "foundation/parsers/countrynames.h"
#include "platform/addressbook/addressformatter.h"

#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace tolvane {
namespace {

// Where the city line and the postal code stand, as the upload writes them.
enum class Shape {
    CityStateZip,  // street, "City, State ZIP"
    PostcodeLine,  // street, city, county, postal code on a line of its own
    PostcodeFirst, // postal code, "State City", street
    PostcodeCity,  // street, "ZIP City", state
};

struct CountryLayout
{
    const char *countryCodes; // space separated
    Shape shape;
    const char *postcode; // the pattern of a whole postal code
};

// A postal code of a country not listed: one word holding a digit.
constexpr const char *kAnyPostcode = R"(\S*\d\S*)";

const CountryLayout kCountryLayouts[] = {
    {"us", Shape::CityStateZip, R"(\d{5}(?:-\d{4})?)"},
    {"ca", Shape::CityStateZip, R"([A-Z]\d[A-Z] ?\d[A-Z]\d)"},
    {"au", Shape::CityStateZip, R"(\d{4})"},
    {"gb", Shape::PostcodeLine, R"([A-Z]{1,2}\d[A-Z\d]? ?\d[A-Z]{2})"},
    {"ie", Shape::PostcodeLine, R"([A-Z]\d[\dW] ?[A-Z\d]{4})"},
    {"jp", Shape::PostcodeFirst, R"(〒?\d{3}-?\d{4})"},
    {"nl", Shape::PostcodeCity, R"(\d{4} ?[A-Z]{2})"},
    {"se cz sk gr", Shape::PostcodeCity, R"(\d{3} ?\d{2})"},
};

// A text that does not fit its country's layout, typed on Google's side perhaps, is tried in
// the other layouts in this order.
constexpr Shape kShapes[] = {Shape::CityStateZip, Shape::PostcodeCity, Shape::PostcodeLine,
                             Shape::PostcodeFirst};

struct Layout
{
    Shape shape;
    QString postcode;
};

Layout layoutFor(const QString &countryCode)
{
    for (const CountryLayout &layout : kCountryLayouts) {
        if (QString::fromLatin1(layout.countryCodes).split(u' ').contains(countryCode))
            return {layout.shape, QString::fromUtf8(layout.postcode)};
    }
    return {Shape::PostcodeCity, QString::fromLatin1(kAnyPostcode)};
}

QString codeOfCountry(const QString &name)
{
    const QString byName = addressformatter::countryCodeForName(name);
    if (!byName.isEmpty())
        return byName;
    if (!zeltor::countryNameForCode(name.trimmed()).isEmpty())
        return name.trimmed().toLower();
    return QString();
}

QString defaultCountryCode()
{
    const QString code = codeOfCountry(VozuVeva::defaultCountry());
    return code.isEmpty() ? QLocale::territoryToCode(QLocale().territory()).toLower() : code;
}

// The text's lines; blank lines and lines of up to three blanks say nothing.
QStringList rowsOf(const QString &text)
{
    QString unified = text;
    unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!unified.contains(u'\n'))
        unified.replace(u'\r', u'\n');
    QStringList rows;
    for (const QString &row : unified.split(u'\n')) {
        if (row.size() > 3 || row.count(u' ') != row.size())
            rows.append(row.trimmed());
    }
    return rows;
}

// Each country's postal code makes a few expressions that every address of that country matches
// against: made once per thread (a compiled expression is not shared between threads) and kept.
const QRegularExpression &compiled(const QString &pattern,
                                   QRegularExpression::PatternOptions options)
{
    thread_local QHash<std::pair<QString, int>, QRegularExpression> made;
    const std::pair<QString, int> key{pattern, int(options.toInt())};
    auto found = made.find(key);
    if (found == made.end())
        found = made.insert(key, QRegularExpression(pattern, options));
    return *found;
}

const QRegularExpression &whole(const QString &pattern)
{
    return compiled(QStringLiteral("^(?:%1)$").arg(pattern),
                    QRegularExpression::CaseInsensitiveOption |
                        QRegularExpression::UseUnicodePropertiesOption);
}

void takeStreet(zeltor::GoogleAddress &address, const QStringList &rows)
{
    address.street1 = rows.value(0);
    address.street2 = rows.mid(1).join(u'\n');
}

bool isWordOfLetters(const QString &word)
{
    static const QRegularExpression letters(QStringLiteral("^[A-Z]{2,3}$"));
    return letters.match(word).hasMatch();
}

// "City, State ZIP"; without a state "City ZIP", without a city "State ZIP". A postal code
// typed on a line of its own below "City, State" counts too.
std::optional<zeltor::GoogleAddress> readCityStateZip(QStringList rows, const QString &postcode)
{
    if (rows.isEmpty())
        return std::nullopt;
    zeltor::GoogleAddress address;
    if (rows.size() >= 2 && whole(postcode).match(rows.last()).hasMatch())
        address.postal = rows.takeLast();
    QString beforeZip = rows.takeLast();
    const QRegularExpression &trailing =
        compiled(QStringLiteral("^(.*?)[ ,]*\\b(%1)$").arg(postcode),
                 QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch match = trailing.match(beforeZip);
        address.postal.isEmpty() && match.hasMatch()) {
        beforeZip = match.captured(1);
        address.postal = match.captured(2);
    }
    beforeZip = beforeZip.trimmed();
    const qsizetype comma = beforeZip.lastIndexOf(u',');
    if (comma >= 0) {
        address.city = beforeZip.left(comma).trimmed();
        address.state = beforeZip.mid(comma + 1).trimmed();
    } else if (address.postal.isEmpty()) {
        return std::nullopt;
    } else if (isWordOfLetters(beforeZip)) {
        address.state = beforeZip;
    } else {
        address.city = beforeZip;
    }
    takeStreet(address, rows);
    return address;
}

// The last line that starts with a postal code holds the city after it; a line below it is the
// state or region.
std::optional<zeltor::GoogleAddress> readPostcodeCity(const QStringList &rows,
                                                      const QString &postcode)
{
    const QRegularExpression &leading =
        compiled(QStringLiteral("^(%1)(?:\\s+(.*))?$").arg(postcode),
                 QRegularExpression::CaseInsensitiveOption);
    // A lone line may as well be a street with its house number first.
    const qsizetype lowest = rows.size() > 1 ? 1 : 0;
    for (qsizetype index = rows.size() - 1; index >= lowest; --index) {
        const QRegularExpressionMatch match = leading.match(rows[index]);
        if (!match.hasMatch() || (rows.size() == 1 && match.captured(2).isEmpty()))
            continue;
        zeltor::GoogleAddress address;
        address.postal = match.captured(1);
        address.city = match.captured(2).trimmed();
        address.state = rows.mid(index + 1).join(u' ');
        takeStreet(address, rows.mid(0, index));
        return address;
    }
    return std::nullopt;
}

bool hasDigit(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
}

// The postal code on the last line, the city above it; a county stands between them where the
// two lines above the code hold no house number and a street line is left above them.
std::optional<zeltor::GoogleAddress> readPostcodeLine(const QStringList &rows,
                                                      const QString &postcode)
{
    if (rows.size() < 2 || !whole(postcode).match(rows.last()).hasMatch())
        return std::nullopt;
    zeltor::GoogleAddress address;
    address.postal = rows.last();
    QStringList above = rows.mid(0, rows.size() - 1);
    if (above.size() >= 3 && !hasDigit(above.last()) && !hasDigit(above[above.size() - 2]))
        address.state = above.takeLast();
    address.city = above.takeLast();
    takeStreet(address, above);
    return address;
}

// The postal code first, then "State City", then the street.
std::optional<zeltor::GoogleAddress> readPostcodeFirst(const QStringList &rows,
                                                       const QString &postcode)
{
    if (rows.size() < 2 || !whole(postcode).match(rows.first()).hasMatch())
        return std::nullopt;
    zeltor::GoogleAddress address;
    address.postal = rows.first();
    const QString region = rows[1];
    const qsizetype space = region.indexOf(u' ');
    if (space < 0) {
        address.city = region;
    } else {
        address.state = region.left(space);
        address.city = region.mid(space + 1).trimmed();
    }
    takeStreet(address, rows.mid(2));
    return address;
}

std::optional<zeltor::GoogleAddress> readInShape(Shape shape, const QStringList &rows,
                                                 const QString &postcode)
{
    switch (shape) {
    case Shape::CityStateZip:
        return readCityStateZip(rows, postcode);
    case Shape::PostcodeLine:
        return readPostcodeLine(rows, postcode);
    case Shape::PostcodeFirst:
        return readPostcodeFirst(rows, postcode);
    case Shape::PostcodeCity:
        break;
    }
    return readPostcodeCity(rows, postcode);
}

} // namespace

zeltor::GoogleAddress readAddressInCountryLayout(const QString &text)
{
    QStringList rows = rowsOf(text);
    QString country;
    QString code;
    if (!rows.isEmpty())
        code = codeOfCountry(rows.last());
    if (code.isEmpty()) {
        country = VozuVeva::defaultCountry();
        code = defaultCountryCode();
    } else {
        country = rows.takeLast();
    }
    const Layout own = layoutFor(code);
    std::optional<zeltor::GoogleAddress> address = readInShape(own.shape, rows, own.postcode);
    for (const Shape shape : kShapes) {
        if (address)
            break;
        if (shape != own.shape)
            address = readInShape(shape, rows, layoutFor(QString()).postcode);
    }
    if (!address) {
        address = zeltor::GoogleAddress{};
        takeStreet(*address, rows);
    }
    address->country = country;
    return *address;
}

} // namespace tolvane
