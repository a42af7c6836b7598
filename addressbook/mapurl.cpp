#include "addressbook/mapurl.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/fields/labelledvalues.h"
#include "addressbook/records/recordlookup.h"
#include "platform/addressbook/abconstants.h"
#include "platform/defaults/userdefaults.h"

#include <QStringList>
#include <QUrl>

namespace AddressBookTool {

namespace {

const QString kGoogleMapsPage = QStringLiteral("https://maps.google.com/maps?q=");
const QString kSecondMapServicePage = QStringLiteral("https://maps.zel-tor.com/maps/map.adp?");

struct MapAddress
{
    QString street;
    QString city;
    QString state;
    QString zip;
    QString country;
};

QString addressLabelFor(const QString &addrType)
{
    if (addrType == QLatin1String("Work"))
        return kABAddressWorkLabel;
    if (addrType == QLatin1String("Home"))
        return kABAddressHomeLabel;
    return QString();
}

QString firstLine(const QString &text)
{
    const qsizetype lineFeed = text.indexOf(u'\n');
    return text.left(lineFeed >= 0 ? lineFeed : text.indexOf(u'\r'));
}

// Words joined by "+", each percent-encoded ("&", "#", "=", "+" and letters beyond ASCII
// included).
QString queryWords(const QString &text)
{
    QStringList words = text.split(u' ');
    for (QString &word : words)
        word = QString::fromLatin1(QUrl::toPercentEncoding(word));
    return words.join(u'+');
}

MapAddress lastAddressOfType(const QString &abid, const QString &addrType)
{
    const QString label = addressLabelFor(addrType);
    if (label.isNull())
        return {};
    const MultiValue addresses = labelledvalues::valuesOf(personByABID(abid), kABAddressProperty);
    const int index = labelledvalues::lastIndexOfLabel(addresses, label);
    if (index < 0)
        return {};
    const QVariantMap address = addresses.valueAt(index).toMap();
    const auto part = [&address](const QString &key) {
        return address.value(key).toString();
    };
    return {firstLine(part(kABAddressStreetKey)), part(kABAddressCityKey), part(kABAddressStateKey),
            part(kABAddressZIPKey), part(kABAddressCountryKey)};
}

bool canBePlaced(const MapAddress &a)
{
    const bool hasStreet = !a.street.isEmpty();
    const bool hasCity = !a.city.isEmpty();
    const bool hasState = !a.state.isEmpty();
    const bool hasZIP = !a.zip.isEmpty();
    const bool hasCountry = !a.country.isEmpty();
    if (!hasStreet && !hasCity && !hasState && !hasZIP && !hasCountry)
        return false;
    if (hasStreet && !hasCity && !hasState && !hasZIP)
        return false;
    if (hasState && !hasStreet && !hasCity && !hasZIP)
        return false;
    return !(hasCountry && !hasStreet && !hasCity);
}

QString googleMapsQuery(const MapAddress &a)
{
    QString query;
    for (const QString &part : {a.street, a.city, a.state, a.zip}) {
        if (!part.isEmpty())
            query += queryWords(part) + u'+';
    }
    if (!a.country.isEmpty())
        query += queryWords(a.country);
    return query;
}

QString secondMapServiceQuery(const MapAddress &a)
{
    QString query;
    const struct
    {
        const char *name;
        const QString &value;
        bool closed;
    } parameters[] = {
        {"country", a.country, true}, {"address", a.street, true}, {"city", a.city, true},
        {"state", a.state, true},     {"zip", a.zip, false},
    };
    for (const auto &parameter : parameters) {
        if (parameter.value.isEmpty())
            continue;
        query += QString::fromLatin1(parameter.name) + u'=' + queryWords(parameter.value);
        if (parameter.closed)
            query += u'&';
    }
    return query;
}

} // namespace

QString mapURLForABID(const QString &abid, const QString &addrType)
{
    const MapAddress address = lastAddressOfType(abid, addrType);
    if (!canBePlaced(address))
        return QStringLiteral("");
    if (UserDefaults::standard().integerForKey(abkeys::useGoogleMaps) != 0)
        return kGoogleMapsPage + googleMapsQuery(address);
    return kSecondMapServicePage + secondMapServiceQuery(address);
}

} // namespace AddressBookTool
