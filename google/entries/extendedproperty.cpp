#include "google/entries/extendedproperty.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/groups/grouplists.h"
#include "addressbook/records/recordlookup.h"
#include "foundation/log.h"
#include "foundation/text/textdate.h"
#include "foundation/text/zeltorescaping.h"
#include "google/engine/googlekeys.h"
#include "google/entries/addresselements.h"
#include "google/entries/flatteneddictionary.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataconstants.h"

#include <QVariantMap>

namespace extendedproperty {

namespace {

QString preference(const QString &key)
{
    return UserDefaults::standard().stringForKey(key);
}

QString textValue(const RecordPtr &record, const QString &property)
{
    return record->valueForProperty(property).toString();
}

// The record's version: its modification date, else its creation date.
QString versionDate(const RecordPtr &record)
{
    QVariant date = record->valueForProperty(kABModificationDateProperty);
    if (!date.isValid())
        date = record->valueForProperty(kABCreationDateProperty);
    return textdate::format(date.toDateTime());
}

GDataExtendedProperty propertyWithElements(const QString &name,
                                           const std::vector<GDataExtendedProperty::XMLValue> &xml)
{
    GDataExtendedProperty property = GDataExtendedProperty::propertyWithName(name);
    property.setXMLValues(xml);
    return property;
}

std::optional<GDataExtendedProperty> restoredProperty(const QString &name,
                                                      const QVariantList &array,
                                                      const QString &valuesKey,
                                                      const QStringList &elementNames)
{
    std::vector<GDataExtendedProperty::XMLValue> elements;
    for (const QVariant &item : array) {
        const QVariantMap values = item.toMap().value(valuesKey).toMap();
        for (const QString &element : elementNames)
            addElementToXML(elements, values.value(element).toString(), element);
    }
    if (elements.empty())
        return std::nullopt;
    return propertyWithElements(name, elements);
}

} // namespace

GDataExtendedProperty googleExtendedPropertiesForABPerson(const PersonPtr &person,
                                                          const GDataEntryContact &contact,
                                                          const QDateTime &now)
{
    const QString stamp = textdate::format(now);
    std::vector<GDataExtendedProperty::XMLValue> xml = {
        {QStringLiteral("aID"), person->uniqueId()},
        {QStringLiteral("crD"), stamp},
        {preference(googlekeys::googleDataMask), versionDate(person)},
        {QStringLiteral("asOf"), stamp},
        {QStringLiteral("isCo"),
         AddressBookTool::personIsCompany(person) ? QStringLiteral("1") : QStringLiteral("0")}};
    if (!contact.identifier().isEmpty())
        xml.emplace_back(QStringLiteral("gID"), contact.identifier());
    xml.emplace_back(QStringLiteral("aC"), textValue(person, kABOrganizationProperty));
    xml.emplace_back(QStringLiteral("gT"), contact.title().value_or(QStringLiteral("")));
    xml.emplace_back(QStringLiteral("aF"), textValue(person, kABFirstNameProperty));
    xml.emplace_back(QStringLiteral("aN"), textValue(person, kABNicknameProperty));
    xml.emplace_back(QStringLiteral("aL"), textValue(person, kABLastNameProperty));
    for (const auto &element : addresselements::addressExPropForABPerson(person))
        xml.push_back(element);
    return propertyWithElements(preference(abkeys::googleContactExtendedPropertyName), xml);
}

namespace {

bool isUploadElement(const QString &name, const GDataExtendedProperty &fresh)
{
    return name.startsWith(QLatin1String("addr-")) || fresh.findXMLValue(name);
}

QString oneKindOfLineBreak(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

// The review's name hint still describes the person: the names it was given are the person's.
bool nameHintHolds(const GDataExtendedProperty &existing, const PersonPtr &person)
{
    const std::pair<QString, QString> parts[] = {{QStringLiteral("aF"), kABFirstNameProperty},
                                                 {QStringLiteral("aN"), kABNicknameProperty},
                                                 {QStringLiteral("aM"), kABMiddleNameProperty},
                                                 {QStringLiteral("aL"), kABLastNameProperty}};
    for (const auto &[element, property] : parts) {
        if (existing.XMLValueForKey(element).value_or(QString()) != textValue(person, property))
            return false;
    }
    return true;
}

// A reviewed address still describes one of the person's addresses.
bool addressHintHolds(const QString &flattened, const PersonPtr &person)
{
    const QMap<QString, QString> hint = flatteneddictionary::inflateString(flattened);
    const QString street =
        oneKindOfLineBreak(addresselements::decodedStreet(hint.value(QStringLiteral("street"))));
    const MultiValue addresses = person->multiValueForProperty(kABAddressProperty);
    for (int i = 0; i < addresses.count(); ++i) {
        const QVariantMap address = addresses.valueAt(i).toMap();
        if (oneKindOfLineBreak(address.value(kABAddressStreetKey).toString()) == street &&
            address.value(kABAddressCityKey).toString() == hint.value(QStringLiteral("city")) &&
            address.value(kABAddressStateKey).toString() == hint.value(QStringLiteral("state")) &&
            address.value(kABAddressZIPKey).toString() == hint.value(QStringLiteral("postal")) &&
            address.value(kABAddressCountryKey).toString() ==
                hint.value(QStringLiteral("country")))
            return true;
    }
    return false;
}

// The upload's own elements come new from the person; every other element of the program's
// property stays, so the review's hints survive an upload of the same person. A hint goes only
// once the field it describes was changed in the address book.
GDataExtendedProperty withKeptElements(GDataExtendedProperty fresh,
                                       const GDataExtendedProperty &existing,
                                       const PersonPtr &person)
{
    std::vector<GDataExtendedProperty::XMLValue> values = fresh.XMLValues();
    const bool names = nameHintHolds(existing, person);
    for (const GDataExtendedProperty::XMLValue &value : existing.XMLValues()) {
        const QString &name = value.first;
        if (isUploadElement(name, fresh))
            continue;
        if ((name == QLatin1String("aNH") || name == QLatin1String("aM")) && !names)
            continue;
        if (name.contains(QLatin1String("address-")) && !addressHintHolds(value.second, person))
            continue;
        values.push_back(value);
    }
    fresh.setXMLValues(values);
    return fresh;
}

} // namespace

void abExtendedPropertiesFor(GDataEntryContact &contact, const PersonPtr &person,
                             const QDateTime &now)
{
    const QString name = preference(abkeys::googleContactExtendedPropertyName);
    const std::vector<GDataExtendedProperty> &existing = contact.extendedProperties();
    std::vector<GDataExtendedProperty> properties;
    properties.reserve(existing.size() + 1);
    bool replaced = false;
    for (const GDataExtendedProperty &property : existing) {
        if (property.name() == name) {
            properties.push_back(withKeptElements(
                googleExtendedPropertiesForABPerson(person, contact, now), property, person));
            replaced = true;
        } else {
            properties.push_back(property);
        }
    }
    if (!replaced) {
        if (int(existing.size()) < kGDataMaxExtendedProperties) {
            properties.push_back(googleExtendedPropertiesForABPerson(person, contact, now));
        } else {
            QStringList names;
            for (const GDataExtendedProperty &property : properties)
                names.append(property.name());
            tlog::labelled(QStringLiteral("GoogleContactTool"),
                           QStringLiteral("abExtendedPropertiesFor:using:"),
                           QStringLiteral("ERROR: could not add extendedProperties"),
                           tlog::describe(names));
        }
    }
    contact.setExtendedProperties(std::move(properties));
}

void stampAsOf(GDataFeed &feed, const QDateTime &now)
{
    const QString name = preference(abkeys::googleContactExtendedPropertyName);
    const QString asOf = QStringLiteral("asOf");
    const QString stamp = textdate::format(now);
    for (const GDataEntryPtr &entry : feed.entries()) {
        std::vector<GDataExtendedProperty> properties = entry->extendedProperties();
        bool stamped = false;
        for (GDataExtendedProperty &property : properties) {
            if (property.name() == name && property.findXMLValue(asOf)) {
                property.setXMLValue(stamp, asOf);
                stamped = true;
            }
        }
        if (stamped)
            entry->setExtendedProperties(properties);
    }
}

std::optional<GDataExtendedProperty> googleExtendedProperyForABGroup(const GroupPtr &group)
{
    std::vector<GDataExtendedProperty::XMLValue> elements;
    addElementToXML(elements, group->uniqueId(), QStringLiteral("aID"));
    addElementToXML(elements, versionDate(group), QStringLiteral("aVer"));
    addElementToXML(elements,
                    AddressBookTool::isSmartGroup(group->uniqueId()) ? QStringLiteral("YES")
                                                                     : QStringLiteral("NO"),
                    QStringLiteral("aIsSmart"));
    if (elements.empty())
        return std::nullopt;
    return propertyWithElements(preference(abkeys::googleGroupExtendedPropertyName), elements);
}

std::optional<GDataExtendedProperty> googleContactExtendedProperyForArray(const QVariantList &array)
{
    return restoredProperty(preference(abkeys::googleContactExtendedPropertyName), array,
                            QStringLiteral("XMLValue"),
                            {QStringLiteral("aID"), QStringLiteral("isCo"), QStringLiteral("gID")});
}

std::optional<GDataExtendedProperty> googleGroupExtendedProperyForArray(const QVariantList &array)
{
    return restoredProperty(preference(abkeys::googleGroupExtendedPropertyName), array,
                            QStringLiteral("XMLArray"),
                            {QStringLiteral("aID"), QStringLiteral("aIsSmart")});
}

void addElementToXML(std::vector<GDataExtendedProperty::XMLValue> &elements, const QString &value,
                     const QString &label)
{
    if (value.isEmpty() || label.isEmpty())
        return;
    elements.emplace_back(label, zeltor::xmlSafe(value));
}

} // namespace extendedproperty
