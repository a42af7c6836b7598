#include "platform/gdata/entries/gdataextendedproperty.h"

GDataExtendedProperty GDataExtendedProperty::propertyWithName(const QString &name,
                                                              const std::optional<QString> &value)
{
    GDataExtendedProperty property;
    property.m_name = name;
    property.m_value = value;
    return property;
}

void GDataExtendedProperty::setName(const QString &name)
{
    m_name = name;
    m_sourceXML.clear();
}

void GDataExtendedProperty::setValue(const std::optional<QString> &value)
{
    m_value = value;
    m_sourceXML.clear();
}

void GDataExtendedProperty::setValueIsText(bool isText)
{
    m_valueIsText = isText;
    m_sourceXML.clear();
}

void GDataExtendedProperty::setXMLValues(std::vector<XMLValue> values)
{
    m_xmlValues = std::move(values);
    m_sourceXML.clear();
}

bool GDataExtendedProperty::operator==(const GDataExtendedProperty &other) const
{
    return m_name == other.m_name && m_value == other.m_value && m_xmlValues == other.m_xmlValues;
}

QHash<QString, QString> GDataExtendedProperty::XMLValuesDictionary() const
{
    QHash<QString, QString> values;
    for (const auto &[key, text] : m_xmlValues) {
        if (!values.contains(key))
            values.insert(key, text);
    }
    return values;
}

void GDataExtendedProperty::setXMLValuesDictionary(const QHash<QString, QString> &values)
{
    m_sourceXML.clear();
    m_xmlValues.clear();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        m_xmlValues.emplace_back(it.key(), it.value());
}

std::optional<QString> GDataExtendedProperty::XMLValueForKey(const QString &key) const
{
    const QString *text = findXMLValue(key);
    return text ? std::optional(*text) : std::nullopt;
}

const QString *GDataExtendedProperty::findXMLValue(QStringView key) const
{
    for (const auto &[name, text] : m_xmlValues) {
        if (name == key)
            return &text;
    }
    return nullptr;
}

void GDataExtendedProperty::setXMLValue(const QString &value, const QString &key)
{
    m_sourceXML.clear();
    for (auto &[name, text] : m_xmlValues) {
        if (name == key) {
            text = value;
            return;
        }
    }
    m_xmlValues.emplace_back(key, value);
}
