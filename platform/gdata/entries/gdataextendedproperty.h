// gd:extendedProperty: a name, an optional value attribute and child elements read by their local
// names. Texts are held unescaped; the writer escapes them once.
#pragma once

#include <QHash>
#include <QString>
#include <QStringView>

#include <optional>
#include <utility>
#include <vector>

class GDataExtendedProperty
{
public:
    using XMLValue = std::pair<QString, QString>; // child local name, text

    GDataExtendedProperty() = default;
    static GDataExtendedProperty propertyWithName(const QString &name,
                                                  const std::optional<QString> &value = {});

    const QString &name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    std::optional<QString> value() const { return m_value; }
    void setValue(const std::optional<QString> &value) { m_value = value; }

    // Children in document order.
    const std::vector<XMLValue> &XMLValues() const { return m_xmlValues; }
    void setXMLValues(const std::vector<XMLValue> &values) { m_xmlValues = values; }

    // Child local name to text; the first child of a name wins.
    QHash<QString, QString> XMLValuesDictionary() const;
    // Replaces every child; the order of the children is left to the dictionary.
    void setXMLValuesDictionary(const QHash<QString, QString> &values);
    std::optional<QString> XMLValueForKey(const QString &key) const;
    // The same text read in place, for passes over every entry; null when there is none.
    const QString *findXMLValue(QStringView key) const;
    // Replaces the first child of that name, or appends one.
    void setXMLValue(const QString &value, const QString &key);

    bool operator==(const GDataExtendedProperty &other) const = default;

private:
    QString m_name;
    std::optional<QString> m_value;
    std::vector<XMLValue> m_xmlValues;
};
