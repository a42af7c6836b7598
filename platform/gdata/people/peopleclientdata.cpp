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

// Appends the text as a JSON string when it holds only printable ASCII, which JSON writes as it is
// but for the quote and the backslash; false for any other text.
bool appendPlainString(QString &out, const QString &text)
{
    out += u'"';
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u > 0x7e)
            return false;
        if (u == u'"' || u == u'\\')
            out += u'\\';
        out += c;
    }
    out += u'"';
    return true;
}

// The compact text of an encoded value written directly, children first as the sorted keys of a
// JSON object put them; nothing when a text needs more escaping than the plain form knows, for the
// JSON writer to do. Building and writing a JSON object for every property of every contact sent
// was a large part of making a batch's request.
std::optional<QString> plainEncodedValue(const GDataExtendedProperty &property)
{
    QString out;
    out.reserve(64);
    out += QLatin1String("{\"") + QLatin1String(kPeopleClientDataChildrenKey) +
           QLatin1String("\":[");
    bool first = true;
    for (const auto &[name, text] : property.XMLValues()) {
        if (!first)
            out += u',';
        first = false;
        out += u'[';
        if (!appendPlainString(out, name))
            return std::nullopt;
        out += u',';
        if (!appendPlainString(out, text))
            return std::nullopt;
        out += u']';
    }
    out += u']';
    if (property.value()) {
        out += QLatin1String(",\"") + QLatin1String(kPeopleClientDataValueKey) +
               QLatin1String("\":");
        if (!appendPlainString(out, *property.value()))
            return std::nullopt;
    }
    out += u'}';
    return out;
}

QString encodeValue(const GDataExtendedProperty &property)
{
    if (auto plain = plainEncodedValue(property))
        return *std::move(plain);
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

GDataExtendedProperty propertyFromItem(const QString &key, const std::optional<QString> &value)
{
    return decodeOwnItem(key, value).value_or(GDataExtendedProperty::propertyWithName(key, value));
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
