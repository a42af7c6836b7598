#include "google/browser/browseraddresselement.h"

#include "foundation/text/textpieces.h"
#include "foundation/text/zeltorescaping.h"
#include "google/entries/addresselements.h"
#include "google/entries/flatteneddictionary.h"

namespace tolvane {

std::pair<QString, QString> addressExPropForBrowserDictionary(const QVariantMap &shortKeyAddress,
                                                              const QSet<QString> &keysInUse)
{
    const auto part = [&](const char *key) {
        return shortKeyAddress.value(QLatin1String(key)).toString();
    };
    QString street = part("r");
    if (!part("r2").isEmpty())
        street += u'\r' + part("r2");
    const QString display = QStringLiteral("%1\r%2  %3  %4\r%5")
                                .arg(street, part("c"), part("s"), part("p"), part("t"));
    const flatteneddictionary::Pairs address = {
        {QStringLiteral("h"), QStringLiteral("YES")},
        {QStringLiteral("l"), QStringLiteral("work")},
        {QStringLiteral("1"), QStringLiteral("YES")},
        {QStringLiteral("r"), zeltor::xmlSafe(street)},
        {QStringLiteral("c"), part("c")},
        {QStringLiteral("s"), part("s")},
        {QStringLiteral("p"), part("p")},
        {QStringLiteral("t"), part("t")},
        {QStringLiteral("z"), QStringLiteral("")},
        {QStringLiteral("x"), zeltor::extractAlphanumerics(display)}};
    QSet<QString> taken = keysInUse;
    return {addresselements::uniqueAddressKey(taken),
            flatteneddictionary::flattenDictionary(address)};
}

} // namespace tolvane
