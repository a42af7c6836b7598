#include "platform/gdata/people/peopleclientdata.h"

#include "platform/gdata/people/peopleconstants.h"
#include "platform/gdata/people/peoplejson.h"
#include "platform/gdata/people/peoplesourceaccess.h"

#include <QJsonArray>

namespace peopleclientdata {

namespace {

const QString kKey = QStringLiteral("key");
const QString kValue = QStringLiteral("value");

// The children of an encoded value, or nothing when the value is not of this layer's form.
std::optional<std::vector<GDataExtendedProperty::XMLValue>> decodeChildren(const QJsonValue &value)
{
    if (value.isUndefined())
        return std::vector<GDataExtendedProperty::XMLValue>{};
    if (!value.isArray())
        return std::nullopt;
    std::vector<GDataExtendedProperty::XMLValue> children;
    for (const QJsonValue &pair : value.toArray()) {
        const QJsonArray parts = pair.toArray();
        if (parts.size() != 2 || !parts[0].isString() || !parts[1].isString())
            return std::nullopt;
        children.emplace_back(parts[0].toString(), parts[1].toString());
    }
    return children;
}

std::optional<GDataExtendedProperty> decodeOwnItem(const QString &key,
                                                   const std::optional<QString> &value)
{
    if (!key.startsWith(QLatin1String(kPeopleClientDataPrefix)) || !value)
        return std::nullopt;
    const auto encoded = peoplejson::parseObject(value->toUtf8());
    if (!encoded)
        return std::nullopt;
    const QJsonValue attribute = encoded->value(QLatin1String(kPeopleClientDataValueKey));
    if (!attribute.isUndefined() && !attribute.isString())
        return std::nullopt;
    const auto children =
        decodeChildren(encoded->value(QLatin1String(kPeopleClientDataChildrenKey)));
    if (!children)
        return std::nullopt;
    auto property = GDataExtendedProperty::propertyWithName(
        key.mid(qsizetype(sizeof kPeopleClientDataPrefix) - 1),
        attribute.isString() ? std::optional(attribute.toString()) : std::nullopt);
    property.setXMLValues(*children);
    return property;
}

QString encodeValue(const GDataExtendedProperty &property)
{
    QJsonObject encoded;
    if (property.value())
        encoded.insert(QLatin1String(kPeopleClientDataValueKey), *property.value());
    QJsonArray children;
    for (const auto &[name, text] : property.XMLValues())
        children.append(QJsonArray{name, text});
    encoded.insert(QLatin1String(kPeopleClientDataChildrenKey), children);
    return QString::fromUtf8(peoplejson::compact(encoded));
}

// Another client's item can go back in its own form while it holds a plain value.
bool keepsForeignForm(const GDataExtendedProperty &property, const QJsonObject &read)
{
    return !read.isEmpty() && read.value(kKey).toString() == property.name() &&
           property.XMLValues().empty() && property.value().has_value();
}

} // namespace

GDataExtendedProperty propertyFromItem(const QJsonObject &item, QByteArrayView text)
{
    const QString key = item.value(kKey).toString();
    const std::optional<QString> value = peoplejson::stringValue(item, kValue);
    GDataExtendedProperty property =
        decodeOwnItem(key, value).value_or(GDataExtendedProperty::propertyWithName(key, value));
    if (text.isEmpty())
        PeopleSourceAccess::setRead(property.peopleSource(), item);
    else
        PeopleSourceAccess::setReadText(property.peopleSource(), text);
    return property;
}

QJsonObject itemFromProperty(const GDataExtendedProperty &property)
{
    QJsonObject item = PeopleSourceAccess::read(property.peopleSource());
    if (keepsForeignForm(property, item)) {
        item.insert(kValue, *property.value());
        return item;
    }
    item.insert(kKey, QLatin1String(kPeopleClientDataPrefix) + property.name());
    item.insert(kValue, encodeValue(property));
    return item;
}

} // namespace peopleclientdata
