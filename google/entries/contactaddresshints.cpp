#include "google/entries/contactaddresshints.h"

#include "google/entries/addresselements.h"
#include "google/entries/contactaccessors.h"
#include "google/entries/flatteneddictionary.h"
#include "google/entries/postaladdressparsing.h"

#include <algorithm>

namespace tolvane {

namespace {

QMap<QString, QString> shortKeys(const QString &street1, const QString &street2,
                                 const QString &city, const QString &state, const QString &postal,
                                 const QString &country)
{
    return {{QStringLiteral("r"), street1}, {QStringLiteral("r2"), street2},
            {QStringLiteral("c"), city},    {QStringLiteral("s"), state},
            {QStringLiteral("p"), postal},  {QStringLiteral("t"), country}};
}

QMap<QString, QString> fromReviewedAddress(const QString &flattened)
{
    const QMap<QString, QString> reviewed = flatteneddictionary::inflateString(flattened);
    const QString street = addresselements::decodedStreet(reviewed.value(QStringLiteral("street")));
    const qsizetype lineEnd = street.indexOf(u'\r');
    return shortKeys(
        lineEnd < 0 ? street : street.left(lineEnd),
        lineEnd < 0 ? QStringLiteral("") : street.mid(lineEnd + 1),
        reviewed.value(QStringLiteral("city")), reviewed.value(QStringLiteral("state")),
        reviewed.value(QStringLiteral("postal")), reviewed.value(QStringLiteral("country")));
}

const GDataPostalAddress *primaryOrFirst(const std::vector<GDataPostalAddress> &addresses)
{
    if (addresses.empty())
        return nullptr;
    const auto primary = std::find_if(addresses.begin(), addresses.end(),
                                      [](const GDataPostalAddress &a) { return a.primary; });
    return primary != addresses.end() ? &*primary : &addresses.front();
}

} // namespace

QStringList tolvaneExPAddresses(const GDataEntryContact &contact)
{
    QStringList addresses;
    const auto property = tolvaneExtendedProperty(contact);
    if (!property)
        return addresses;
    for (const auto &[name, text] : property->XMLValues()) {
        if (name.contains(QStringLiteral("address-")))
            addresses.append(text);
    }
    return addresses;
}

QMap<QString, QString> tolvaneAddressDictionary(const GDataEntryContact &contact)
{
    const QStringList reviewed = tolvaneExPAddresses(contact);
    if (!reviewed.isEmpty())
        return fromReviewedAddress(reviewed.first());
    zeltor::GoogleAddress parts;
    if (const GDataPostalAddress *address = primaryOrFirst(contact.postalAddresses()))
        parts = tolvaneAddress(*address).value_or(zeltor::GoogleAddress{});
    return shortKeys(parts.street1, parts.street2, parts.city, parts.state, parts.postal,
                     parts.country);
}

} // namespace tolvane
