// gd:extendedProperty: a name, an optional value (the value attribute, or the element's own text,
// as some programs write it) and child elements read by their local names. Texts are held
// unescaped; the writer escapes them once. A property read from a feed keeps the XML it came in,
// and goes back as that XML until something changes it: it may belong to another program, and
// what this layer does not model must not be lost on Google.
#pragma once

#include "platform/gdata/entries/gdatapeoplesource.h"

#include <QByteArray>
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
    void setName(const QString &name);
    std::optional<QString> value() const { return m_value; }
    void setValue(const std::optional<QString> &value);
    // Whether the value is written as the element's text rather than as its value attribute.
    bool isValueText() const { return m_valueIsText; }
    void setValueIsText(bool isText);

    // Children in document order.
    const std::vector<XMLValue> &XMLValues() const { return m_xmlValues; }
    void setXMLValues(std::vector<XMLValue> values);

    // The element as it was read, namespaces declared on it; empty once anything was changed.
    const QByteArray &sourceXML() const { return m_sourceXML; }
    void setSourceXML(QByteArray xml) { m_sourceXML = std::move(xml); }

    // The clientData item the property was read from on the People protocol.
    const GDataPeopleSource &peopleSource() const { return m_peopleSource; }
    GDataPeopleSource &peopleSource() { return m_peopleSource; }

    // Child local name to text; the first child of a name wins.
    QHash<QString, QString> XMLValuesDictionary() const;
    // Replaces every child; the order of the children is left to the dictionary.
    void setXMLValuesDictionary(const QHash<QString, QString> &values);
    std::optional<QString> XMLValueForKey(const QString &key) const;
    // The same text read in place, for passes over every entry; null when there is none.
    const QString *findXMLValue(QStringView key) const;
    // Replaces the first child of that name, or appends one.
    void setXMLValue(const QString &value, const QString &key);

    // Equal in what they hold, whichever form they were read or are written in.
    bool operator==(const GDataExtendedProperty &other) const;

private:
    QString m_name;
    std::optional<QString> m_value;
    bool m_valueIsText = false;
    std::vector<XMLValue> m_xmlValues;
    QByteArray m_sourceXML;
    GDataPeopleSource m_peopleSource;
};
