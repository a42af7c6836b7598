#pragma once

#include <QString>
#include <QVariantMap>

// Postal addresses as text in the layout of their country.
namespace addressformatter {

// The address dictionary (kABAddress...Key) as lines joined by "\n"; a part that is empty is left
// out with its separator, and a line left empty is dropped. The country is chosen by the country
// code, else by the country name, else by the user's locale.
QString formattedAddress(const QVariantMap &address);

// The lower-case ISO code of a country name in English or in the country's own language, or an
// empty string when the name is unknown.
QString countryCodeForName(const QString &countryName);

} // namespace addressformatter
