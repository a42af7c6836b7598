#include "platform/addressbook/addressformatter.h"

#include "platform/addressbook/abconstants.h"

#include <QHash>
#include <QLocale>
#include <QStringList>

namespace {

enum class Part { Street, City, State, ZIP, Country };

struct Piece
{
    Part part;
    const char *separatorBefore;
};

using Line = std::initializer_list<Piece>;

struct Layout
{
    const char *countryCodes; // space separated; empty for the default
    std::initializer_list<Line> lines;
};

// "City, State ZIP" keeps the comma so that a city of several words reads back whole.
const Layout kLayouts[] = {
    {"us ca au",
     {{{Part::Street, ""}},
      {{Part::City, ""}, {Part::State, ", "}, {Part::ZIP, " "}},
      {{Part::Country, ""}}}},
    {"gb ie",
     {{{Part::Street, ""}},
      {{Part::City, ""}},
      {{Part::State, ""}},
      {{Part::ZIP, ""}},
      {{Part::Country, ""}}}},
    {"jp",
     {{{Part::ZIP, ""}},
      {{Part::State, ""}, {Part::City, " "}},
      {{Part::Street, ""}},
      {{Part::Country, ""}}}},
};

// Most of Europe and the rest of the world write the postal code before the city.
const Layout kDefaultLayout = {"",
                               {{{Part::Street, ""}},
                                {{Part::ZIP, ""}, {Part::City, " "}},
                                {{Part::State, ""}},
                                {{Part::Country, ""}}}};

const QString &keyOf(Part part)
{
    switch (part) {
    case Part::Street:
        return kABAddressStreetKey;
    case Part::City:
        return kABAddressCityKey;
    case Part::State:
        return kABAddressStateKey;
    case Part::ZIP:
        return kABAddressZIPKey;
    case Part::Country:
        break;
    }
    return kABAddressCountryKey;
}

const Layout &layoutFor(const QString &countryCode)
{
    for (const Layout &layout : kLayouts) {
        if (QString::fromLatin1(layout.countryCodes).split(u' ').contains(countryCode))
            return layout;
    }
    return kDefaultLayout;
}

QString countryCodeOf(const QVariantMap &address)
{
    const QString code = address.value(kABAddressCountryCodeKey).toString().trimmed().toLower();
    if (!code.isEmpty())
        return code;
    const QString byName =
        addressformatter::countryCodeForName(address.value(kABAddressCountryKey).toString());
    if (!byName.isEmpty())
        return byName;
    return QLocale::territoryToCode(QLocale().territory()).toLower();
}

QString lineText(const Line &line, const QVariantMap &address)
{
    QString text;
    for (const Piece &piece : line) {
        const QString value = address.value(keyOf(piece.part)).toString().trimmed();
        if (value.isEmpty())
            continue;
        if (!text.isEmpty())
            text += QString::fromLatin1(piece.separatorBefore);
        text += value;
    }
    return text;
}

QHash<QString, QString> buildCountryNames()
{
    QHash<QString, QString> codes;
    const QList<QLocale> locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    for (const QLocale &locale : locales) {
        const QString code = QLocale::territoryToCode(locale.territory()).toLower();
        if (code.isEmpty())
            continue;
        codes.insert(QLocale::territoryToString(locale.territory()).toCaseFolded(), code);
        codes.insert(locale.nativeTerritoryName().toCaseFolded(), code);
    }
    // Names that people write but Qt spells otherwise.
    codes.insert(QStringLiteral("usa"), QStringLiteral("us"));
    codes.insert(QStringLiteral("united states of america"), QStringLiteral("us"));
    codes.insert(QStringLiteral("uk"), QStringLiteral("gb"));
    codes.insert(QStringLiteral("great britain"), QStringLiteral("gb"));
    codes.insert(QStringLiteral("england"), QStringLiteral("gb"));
    return codes;
}

} // namespace

namespace addressformatter {

QString countryCodeForName(const QString &countryName)
{
    static const QHash<QString, QString> codes = buildCountryNames();
    const QString name = countryName.trimmed().toCaseFolded();
    const auto found = codes.constFind(name);
    if (found != codes.cend())
        return *found;
    // An abbreviation written with dots ("U.K.", "U.S.A.") is the one written without.
    return codes.value(QString(name).remove(u'.'));
}

QString formattedAddress(const QVariantMap &address)
{
    QStringList lines;
    for (const Line &line : layoutFor(countryCodeOf(address)).lines) {
        // A street may hold several lines of its own.
        for (const QString &text : lineText(line, address).split(u'\n')) {
            if (!text.trimmed().isEmpty())
                lines.append(text);
        }
    }
    return lines.join(u'\n');
}

} // namespace addressformatter
