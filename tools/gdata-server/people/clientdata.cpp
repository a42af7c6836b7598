#include "tools/gdata-server/people/clientdata.h"

#include <QJsonDocument>

namespace {

const QString kPrefix = QStringLiteral("gdx:");

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

// The compact text written directly, "c" before "v" as a JSON object's sorted keys put them;
// nothing when a text needs the JSON writer's escaping. Rendering every person of a batch or a
// list page built and wrote one small JSON object per property.
std::optional<QString> plainEncoded(const GDataExtendedProperty &property)
{
    QString out;
    out.reserve(64);
    out += QLatin1String("{\"c\":[");
    bool first = true;
    for (const auto &[child, text] : property.XMLValues()) {
        if (!first)
            out += u',';
        first = false;
        out += u'[';
        if (!appendPlainString(out, child))
            return std::nullopt;
        out += u',';
        if (!appendPlainString(out, text))
            return std::nullopt;
        out += u']';
    }
    out += u']';
    if (property.value()) {
        out += QLatin1String(",\"v\":");
        if (!appendPlainString(out, *property.value()))
            return std::nullopt;
    }
    out += u'}';
    return out;
}

QString encoded(const GDataExtendedProperty &property)
{
    if (auto plain = plainEncoded(property))
        return *std::move(plain);
    QJsonObject value;
    if (property.value())
        value.insert("v", *property.value());
    QJsonArray children;
    for (const auto &[child, text] : property.XMLValues())
        children.append(QJsonArray{child, text});
    value.insert("c", children);
    return QString::fromUtf8(QJsonDocument(value).toJson(QJsonDocument::Compact));
}

std::optional<GDataExtendedProperty> decoded(const QString &key, const QString &text)
{
    if (!key.startsWith(kPrefix) || key.size() == kPrefix.size())
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject value = document.object();
    std::optional<QString> attribute;
    if (value.value("v").isString())
        attribute = value.value("v").toString();
    std::vector<GDataExtendedProperty::XMLValue> children;
    for (const QJsonValue &child : value.value("c").toArray()) {
        const QJsonArray pair = child.toArray();
        if (pair.size() != 2 || !pair.at(0).isString() || !pair.at(1).isString())
            return std::nullopt;
        children.emplace_back(pair.at(0).toString(), pair.at(1).toString());
    }
    GDataExtendedProperty property =
        GDataExtendedProperty::propertyWithName(key.mid(kPrefix.size()), attribute);
    property.setXMLValues(children);
    return property;
}

} // namespace

namespace clientdata {

QJsonArray render(const std::vector<GDataExtendedProperty> &properties, const QJsonObject &people)
{
    QJsonArray items;
    for (const GDataExtendedProperty &property : properties)
        items.append(QJsonObject{{"key", kPrefix + property.name()}, {"value", encoded(property)}});
    for (const QJsonValue &foreign : people.value("clientData").toArray())
        items.append(foreign);
    return items;
}

std::vector<GDataExtendedProperty> write(const QJsonArray &items, QJsonObject &people)
{
    std::vector<GDataExtendedProperty> properties;
    QJsonArray foreign;
    for (const QJsonValue &item : items) {
        const QJsonObject object = item.toObject();
        if (auto property =
                decoded(object.value("key").toString(), object.value("value").toString()))
            properties.push_back(*property);
        else
            foreign.append(object);
    }
    if (foreign.isEmpty())
        people.remove("clientData");
    else
        people.insert("clientData", foreign);
    return properties;
}

} // namespace clientdata
