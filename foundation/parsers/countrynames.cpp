#include "foundation/parsers/countrynames.h"

#include "foundation/parsers/parserkeys.h"
#include "platform/addressbook/addressformatter.h"
#include "platform/defaults/userdefaults.h"

#include <QLocale>

namespace zeltor {

QString localeCountryName()
{
    return QLocale().nativeTerritoryName();
}

QString countryNameForCode(const QString &code)
{
    if (code.size() != 2)
        return QString();
    const QLocale::Territory territory = QLocale::codeToTerritory(code.toUpper());
    if (territory == QLocale::AnyTerritory)
        return QString();
    // The locale data names a country in the user's language only where that language is spoken
    // there; elsewhere the English name stands in.
    const QLocale local(QLocale().language(), territory);
    if (local.territory() == territory && local.language() == QLocale().language())
        return local.nativeTerritoryName();
    return QLocale::territoryToString(territory);
}

bool isCountryName(const QString &text)
{
    const QString trimmed = text.trimmed();
    return !addressformatter::countryCodeForName(trimmed).isEmpty() ||
           !countryNameForCode(trimmed).isEmpty();
}

} // namespace zeltor

namespace VozuVeva {

QString defaultCountry()
{
    const QVariant stored = UserDefaults::standard().objectForKey(zeltor::kDefaultCountryKey);
    if (stored.isValid())
        return stored.toString();
    return zeltor::localeCountryName();
}

} // namespace VozuVeva
