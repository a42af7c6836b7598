#include "google/entries/addresselements.h"

#include "foundation/log.h"
#include "foundation/text/textpieces.h"
#include "foundation/text/zeltorescaping.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/localizedpropertyorlabel.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"

#include <QVarLengthArray>

#include <algorithm>
#include <cstdlib>

namespace addresselements {

namespace {

constexpr int kAddressKeyCount = 1000;

QString yesNo(bool yes)
{
    return yes ? QStringLiteral("YES") : QStringLiteral("NO");
}

flatteneddictionary::Pairs shortKeyAddress(const QVariantMap &address, const QString &label,
                                           bool primary)
{
    const auto part = [&](const QString &key) {
        return address.value(key).toString();
    };
    const QString formatted = AddressBook::shared()->formattedAddress(address);
    return {{QStringLiteral("h"), QStringLiteral("YES")},
            {QStringLiteral("l"), localizedPropertyOrLabel(label).toLower()},
            {QStringLiteral("1"), yesNo(primary)},
            {QStringLiteral("r"), zeltor::xmlSafe(part(kABAddressStreetKey))},
            {QStringLiteral("c"), part(kABAddressCityKey)},
            {QStringLiteral("s"), part(kABAddressStateKey)},
            {QStringLiteral("p"), part(kABAddressZIPKey)},
            {QStringLiteral("t"), part(kABAddressCountryKey)},
            {QStringLiteral("z"), part(kABAddressCountryCodeKey)},
            {QStringLiteral("x"), zeltor::extractAlphanumerics(formatted)}};
}

} // namespace

QString decodedStreet(const QString &text)
{
    static const std::pair<QString, QChar> entities[] = {{QStringLiteral("&amp;"), u'&'},
                                                         {QStringLiteral("&lt;"), u'<'},
                                                         {QStringLiteral("&gt;"), u'>'},
                                                         {QStringLiteral("&quot;"), u'"'}};
    QString decoded;
    decoded.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        bool replaced = false;
        if (text.at(i) == u'&') {
            for (const auto &[entity, character] : entities) {
                if (QStringView(text).mid(i).startsWith(entity)) {
                    decoded += character;
                    i += entity.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced)
            decoded += text.at(i++);
    }
    return decoded;
}

namespace {

QString addressKey(int number)
{
    return QStringLiteral("addr-%1").arg(number);
}

// A number drawn with random(), or the next one after it that is not taken; -1 when all are.
template <typename Taken> int freeAddressNumber(const Taken &taken)
{
    const int drawn = int(random() % kAddressKeyCount);
    for (int step = 0; step < kAddressKeyCount; ++step) {
        const int number = (drawn + step) % kAddressKeyCount;
        if (!taken(number))
            return number;
    }
    return -1;
}

} // namespace

QString uniqueAddressKey(QSet<QString> &keysInUse)
{
    const int number =
        freeAddressNumber([&keysInUse](int n) { return keysInUse.contains(addressKey(n)); });
    if (number < 0)
        return QString();
    const QString key = addressKey(number);
    keysInUse.insert(key);
    return key;
}

flatteneddictionary::Pairs addressExPropForABPerson(const PersonPtr &person)
{
    flatteneddictionary::Pairs elements;
    const MultiValue addresses = person->multiValueForProperty(kABAddressProperty);
    if (addresses.isEmpty())
        return elements;
    const int primary = std::max(0, addresses.indexForIdentifier(addresses.primaryIdentifier()));
    // Every upload draws keys for every person: the few numbers of one person are kept in a
    // list, not a set of texts.
    QVarLengthArray<int, 4> numbersInUse;
    const auto taken = [&numbersInUse](int number) {
        return numbersInUse.contains(number);
    };
    for (int i = 0; i < addresses.count(); ++i) {
        const int number = freeAddressNumber(taken);
        if (number < 0) {
            tlog::labelled(QStringLiteral("GoogleContactTool"),
                           QStringLiteral("addressExPropForABPerson:"),
                           QStringLiteral("ERROR: no address element left for address"), i);
            break;
        }
        numbersInUse.append(number);
        const auto address =
            shortKeyAddress(addresses.valueAt(i).toMap(), addresses.labelAt(i), i == primary);
        elements.append({addressKey(number), flatteneddictionary::flattenDictionary(address)});
    }
    return elements;
}

QVariantMap unpackExPropAddress(const QMap<QString, QString> &shortKeyAddress)
{
    static const std::pair<QString, QString> keys[] = {{QStringLiteral("r"), kABAddressStreetKey},
                                                       {QStringLiteral("c"), kABAddressCityKey},
                                                       {QStringLiteral("s"), kABAddressStateKey},
                                                       {QStringLiteral("p"), kABAddressZIPKey},
                                                       {QStringLiteral("t"), kABAddressCountryKey}};
    QVariantMap address;
    for (const auto &[shortKey, addressKey] : keys) {
        const auto found = shortKeyAddress.constFind(shortKey);
        if (found == shortKeyAddress.cend())
            continue;
        address.insert(addressKey, shortKey == u"r" ? decodedStreet(*found) : *found);
    }
    return address;
}

} // namespace addresselements
