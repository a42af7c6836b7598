#pragma once

#include <QString>

#include <functional>

// Free address text split into its fields.
namespace zeltor {

// One line of city, state or region, postal code and perhaps a country.
struct CityStateZip
{
    QString city;
    QString state;
    QString zip;
    QString country; // the line's own country, else the preference defaultCountry or the locale's
};

// Which position of the line is the city, the state and the postal code follows the preferences
// label1 to label3 (the address book's names of the three fields, in the user's order); the postal
// code is found by its digits, and a two-letter word in front of it is the state.
CityStateZip parseCSZ(const QString &line);

// A postal address as Google keeps it.
struct GoogleAddress
{
    QString street1;
    QString street2;
    QString city;
    QString state;
    QString postal;
    QString country;

    friend bool operator==(const GoogleAddress &, const GoogleAddress &) = default;
};

// Whether a text names a country.
using CountryTest = std::function<bool(const QString &)>;

// A block of address rows: street rows first, then the city line, the postal code and the
// country as far as the rows go; street rows beyond the second are kept in street2. Given a
// country test, a word after the postal code of the city line that names no country is the city.
GoogleAddress unpackAddress(const QString &text, const CountryTest &isCountry = {});

} // namespace zeltor
