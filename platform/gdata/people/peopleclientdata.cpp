#include "platform/gdata/people/peopleclientdata.h"

#include "platform/gdata/people/peopleconstants.h"
#include "platform/gdata/people/peoplejson.h"
#include "platform/gdata/people/peoplejsonviews.h"
#include "platform/gdata/people/peoplesourceaccess.h"

#include <QJsonArray>

namespace peopleclientdata {

namespace {

const QString kKey = QStringLiteral("key");
const QString kValue = QStringLiteral("value");

// The children of an encoded value, or nothing when the value is not of this layer's form.
template <typename View>
std::optional<std::vector<GDataExtendedProperty::XMLValue>> decodeChildren(const View &value)
{
    if (value.isAbsent())
        return std::vector<GDataExtendedProperty::XMLValue>{};
    if (!value.isList())
        return std::nullopt;
    std::vector<GDataExtendedProperty::XMLValue> children;
    for (const View &pair : value.items()) {
        const std::vector<View> parts = pair.items();
        const auto name = parts.size() == 2 ? parts[0].string() : std::nullopt;
        const auto text = parts.size() == 2 ? parts[1].string() : std::nullopt;
        if (!name || !text)
            return std::nullopt;
        children.emplace_back(*name, *text);
    }
    return children;
}

template <typename View>
std::optional<GDataExtendedProperty> decodeEncoded(const QString &name, const View &encoded)
{
    const View attribute = encoded.member(QLatin1StringView(kPeopleClientDataValueKey));
    const auto value = attribute.string();
    if (!attribute.isAbsent() && !value)
        return std::nullopt;
    const auto children =
        decodeChildren(encoded.member(QLatin1StringView(kPeopleClientDataChildrenKey)));
    if (!children)
        return std::nullopt;
    auto property = GDataExtendedProperty::propertyWithName(name, value);
    property.setXMLValues(*children);
    return property;
}

// Read from the text where it is written plainly, as this layer writes it; the parser reads any
// other value, to the same property.
std::optional<GDataExtendedProperty> decodeOwnItem(const QString &key,
                                                   const std::optional<QString> &value)
{
    if (!key.startsWith(QLatin1String(kPeopleClientDataPrefix)) || !value)
        return std::nullopt;
    const QString name = key.mid(qsizetype(sizeof kPeopleClientDataPrefix) - 1);
    const QByteArray text = value->toUtf8();
    if (peoplejson::isPlainJSON(text)) {
        const QByteArrayView object = QByteArrayView(text).trimmed();
        if (!object.startsWith('{'))
            return std::nullopt;
        bool unusual = false;
        const peoplejsonviews::TextView encoded(object, &unusual);
        auto property = decodeEncoded(name, encoded);
        if (encoded.readsAlike())
            return property;
    }
    const auto encoded = peoplejson::parseObject(text);
    if (!encoded)
        return std::nullopt;
    return decodeEncoded(name, peoplejsonviews::ParsedView(*encoded, {}));
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
