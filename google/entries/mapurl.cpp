#include "google/entries/mapurl.h"

#include <QUrl>
#include <QUrlQuery>

namespace tolvane {

namespace {

bool isTooThin(const zeltor::GoogleAddress &a)
{
    const bool hasStreet = !a.street1.isEmpty() || !a.street2.isEmpty();
    const bool hasPlace = !a.city.isEmpty() || !a.state.isEmpty() || !a.postal.isEmpty();
    const bool stateAlone =
        !a.state.isEmpty() && a.street1.isEmpty() && a.city.isEmpty() && a.postal.isEmpty();
    const bool countryAlone = !a.country.isEmpty() && a.street1.isEmpty() && a.city.isEmpty();
    return (hasStreet && !hasPlace) || stateAlone || countryAlone;
}

// Each word percent-encoded on its own, so a "+" of the user's own stays a "+" and not a blank.
QString queryPart(const QString &part)
{
    QStringList words;
    for (const QString &word : part.split(u' '))
        words.append(QString::fromLatin1(QUrl::toPercentEncoding(word)));
    return words.join(u'+');
}

} // namespace

QString mapURLForAddressDict(const zeltor::GoogleAddress &address)
{
    if (isTooThin(address))
        return QString();
    QString query;
    for (const QString &part : {address.street1, address.street2, address.city, address.state}) {
        if (!part.isEmpty())
            query += queryPart(part) + u'+';
    }
    if (!address.postal.isEmpty())
        query += queryPart(address.postal);
    if (query.isEmpty())
        return QString();
    QUrlQuery items;
    items.addQueryItem(QStringLiteral("q"), query);
    QUrl url(QStringLiteral("http://maps.google.com/maps"));
    url.setQuery(items);
    return url.toString(QUrl::FullyEncoded);
}

} // namespace tolvane
