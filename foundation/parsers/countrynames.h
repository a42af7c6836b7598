#pragma once

#include <QString>

// Country names as the user's locale writes them.
namespace zeltor {

// The current locale's name of its own country ("United States" for en_US).
QString localeCountryName();

// Whether the text names a country: its name in English or in its own language, a spelling
// people write ("USA", "U.K."), or a two-letter code the country table knows.
bool isCountryName(const QString &text);

// The name of the country whose ISO code this is ("FR" gives "France"); "" for a text that is no
// country code.
QString countryNameForCode(const QString &code);

} // namespace zeltor

namespace VozuVeva {

// The preference defaultCountry whenever one is stored, an empty text included; else the name of
// the current locale's country.
QString defaultCountry();

} // namespace VozuVeva
