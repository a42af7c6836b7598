#include "google/photos/reviewproperties.h"

#include "addressbook/addressbookkeys.h"
#include "foundation/log.h"
#include "foundation/text/textpieces.h"
#include "foundation/text/zeltorescaping.h"
#include "google/entries/flatteneddictionary.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/localizedpropertyorlabel.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataconstants.h"

#include <QSet>
#include <QStringList>

#include <cstdlib>
#include <functional>

namespace reviewproperties {

namespace {

using XMLValues = std::vector<GDataExtendedProperty::XMLValue>;

const QString kAddressPrefix = QStringLiteral("address-");
const QString kGoogleAddressText = QStringLiteral("googleAddressText");
constexpr int kAddressNumbers = 1000;

QString propertyName()
{
    return UserDefaults::standard().stringForKey(abkeys::googleContactExtendedPropertyName);
}

GDataExtendedProperty propertyWith(XMLValues values)
{
    GDataExtendedProperty property = GDataExtendedProperty::propertyWithName(propertyName());
    property.setXMLValues(std::move(values));
    return property;
}

// Replaces the first value of that name, else appends it.
void setValue(XMLValues &values, const QString &key, const QString &value)
{
    for (GDataExtendedProperty::XMLValue &existing : values) {
        if (existing.first == key) {
            existing.second = value;
            return;
        }
    }
    values.emplace_back(key, value);
}

XMLValues nameValues(const NameReviewRow &row, const GDataEntryContact &contact)
{
    return {{QStringLiteral("aNH"), QStringLiteral("1")},
            {QStringLiteral("isCo"), row.isCompany ? QStringLiteral("1") : QStringLiteral("0")},
            {QStringLiteral("aC"), row.aCo},
            {QStringLiteral("aF"), row.aFirst},
            {QStringLiteral("aN"), row.aNick},
            {QStringLiteral("aM"), row.aMiddle},
            {QStringLiteral("aL"), row.aLast},
            {QStringLiteral("gT"), contact.title().value_or(QString())},
            {QStringLiteral("gID"), contact.identifier()}};
}

QString street(const AddressReviewRow &row)
{
    if (!row.aLine1.isEmpty() && !row.aLine2.isEmpty())
        return row.aLine1 + u'\n' + row.aLine2;
    return row.aLine1.isEmpty() ? row.aLine2 : row.aLine1;
}

// The element of the property's hint for the same address; empty when it has none.
QString elementOfSameAddress(const XMLValues &values, const QString &googleAddressText)
{
    for (const GDataExtendedProperty::XMLValue &value : values) {
        if (value.first.contains(kAddressPrefix) &&
            flatteneddictionary::inflateString(value.second).value(kGoogleAddressText) ==
                googleAddressText)
            return value.first;
    }
    return QString();
}

// "address-" and a number below 1000 drawn with random(); a number in use is passed over for the
// next free one, so a new hint never overwrites another address's hint.
QString freeAddressElement(const XMLValues &values)
{
    QSet<QString> inUse;
    for (const GDataExtendedProperty::XMLValue &value : values)
        inUse.insert(value.first);
    const int drawn = int(random() % kAddressNumbers);
    for (int step = 0; step < kAddressNumbers; ++step) {
        const QString key = kAddressPrefix + QString::number((drawn + step) % kAddressNumbers);
        if (!inUse.contains(key))
            return key;
    }
    return QString();
}

void setAddressHint(XMLValues &values, const AddressReviewRow &row)
{
    const QString flattened = flattenedReviewedAddress(row);
    QString element = elementOfSameAddress(values, zeltor::extractAlphanumerics(row.gAddrText));
    if (element.isEmpty())
        element = freeAddressElement(values);
    if (element.isEmpty()) {
        tlog::labelled(QStringLiteral("GoogleContactTool"),
                       QStringLiteral("mergeExProp:addressReviewDict:forGoogleContact:"),
                       QStringLiteral("ERROR: no address element left for"), row.gAddrText);
        return;
    }
    setValue(values, element, flattened);
}

// Puts the program's property, made or merged, on the contact; other properties stay in order.
Placed
placeProperty(GDataEntryContact &contact, const std::function<GDataExtendedProperty()> &fresh,
              const std::function<GDataExtendedProperty(const GDataExtendedProperty &)> &merged,
              const QString &op)
{
    const std::vector<GDataExtendedProperty> &existing = contact.extendedProperties();
    if (existing.empty()) {
        contact.setExtendedProperties({fresh()});
        return true;
    }
    const QString name = propertyName();
    std::vector<GDataExtendedProperty> properties;
    bool replaced = false;
    for (const GDataExtendedProperty &property : existing) {
        if (property.name() == name) {
            properties.push_back(merged(property));
            replaced = true;
        } else {
            properties.push_back(property);
        }
    }
    const bool full = int(existing.size()) >= kGDataMaxExtendedProperties;
    if (!replaced && !full)
        properties.push_back(fresh());
    if (full) {
        QStringList names;
        for (const GDataExtendedProperty &property : existing)
            names << property.name();
        tlog::labelled(QStringLiteral("GoogleContactTool"), op,
                       QStringLiteral("ERROR: could not add extendedProperties"),
                       tlog::describe(names));
    }
    contact.setExtendedProperties(properties);
    return replaced || !full;
}

} // namespace

std::optional<QString> reviewedTitle(const NameReviewRow &row)
{
    if (row.isCompany)
        return row.aCo.isEmpty() ? std::nullopt : std::optional<QString>(row.aCo);
    QStringList parts;
    if (!row.aFirst.isEmpty())
        parts << row.aFirst;
    if (!row.aNick.isEmpty())
        parts << u'"' + row.aNick + u'"';
    if (!row.aMiddle.isEmpty())
        parts << row.aMiddle;
    if (!row.aLast.isEmpty())
        parts << row.aLast;
    if (parts.isEmpty())
        return std::nullopt;
    return parts.join(u' ');
}

Placed googleNameReviewPropertiesFor(GDataEntryContact &contact, const NameReviewRow &row)
{
    if (const std::optional<QString> title = reviewedTitle(row))
        contact.setTitle(*title);
    return placeProperty(
        contact, [&] { return googleExtendedPropertiesForNameReview(row, contact); },
        [&](const GDataExtendedProperty &existing) { return mergeExProp(existing, row, contact); },
        QStringLiteral("googleNameReviewPropertiesFor:using:"));
}

Placed googleAddressReviewPropertiesFor(GDataEntryContact &contact, const AddressReviewRow &row)
{
    return placeProperty(
        contact, [&] { return googleExtendedProperyForAddressReview(row, contact); },
        [&](const GDataExtendedProperty &existing) { return mergeExProp(existing, row, contact); },
        QStringLiteral("googleAddressReviewPropertiesFor:using:"));
}

GDataExtendedProperty googleExtendedPropertiesForNameReview(const NameReviewRow &row,
                                                            const GDataEntryContact &contact)
{
    return propertyWith(nameValues(row, contact));
}

GDataExtendedProperty mergeExProp(const GDataExtendedProperty &existing, const NameReviewRow &row,
                                  const GDataEntryContact &contact)
{
    XMLValues values = existing.XMLValues();
    for (const auto &[key, value] : nameValues(row, contact))
        setValue(values, key, value);
    return propertyWith(std::move(values));
}

GDataExtendedProperty googleExtendedProperyForAddressReview(const AddressReviewRow &row,
                                                            const GDataEntryContact &contact)
{
    XMLValues values = {{QStringLiteral("abid"), QStringLiteral("TolvaneHints")},
                        {QStringLiteral("gID"), contact.identifier()}};
    setAddressHint(values, row);
    return propertyWith(std::move(values));
}

GDataExtendedProperty mergeExProp(const GDataExtendedProperty &existing,
                                  const AddressReviewRow &row, const GDataEntryContact &contact)
{
    XMLValues values = existing.XMLValues();
    setAddressHint(values, row);
    setValue(values, QStringLiteral("gID"), contact.identifier());
    return propertyWith(std::move(values));
}

QString reviewedAddressLabel(const QString &thisLabel)
{
    const QString label = thisLabel.toLower();
    if (label == localizedPropertyOrLabel(kABHomeLabel).toLower())
        return QStringLiteral("home");
    if (label == localizedPropertyOrLabel(kABWorkLabel).toLower())
        return QStringLiteral("work");
    if (label.isEmpty() || label == QLatin1String("address"))
        return QStringLiteral("other");
    return thisLabel;
}

QString flattenedReviewedAddress(const AddressReviewRow &row)
{
    return flatteneddictionary::flattenDictionary(
        {{QStringLiteral("abAddressHints"), QStringLiteral("YES")},
         {QStringLiteral("label"), reviewedAddressLabel(row.thisLabel)},
         {QStringLiteral("street"), zeltor::xmlSafe(street(row))},
         {QStringLiteral("city"), row.aCity},
         {QStringLiteral("state"), row.aState},
         {QStringLiteral("postal"), row.aPostal},
         {QStringLiteral("country"), row.aCountry},
         {kGoogleAddressText, zeltor::extractAlphanumerics(row.gAddrText)}});
}

} // namespace reviewproperties
