#pragma once

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantMap>

// People for tests, made in a line: by name parts, or with one multi-valued property given as
// (label, value) pairs and an optional primary.
struct LabelledEntry
{
    QString label;
    QVariant value;
};

inline MultiValue labelledValues(PropertyType type, const QList<LabelledEntry> &entries,
                                 int primary = -1)
{
    MutableMultiValue values(type);
    for (int index = 0; index < entries.size(); ++index) {
        const QString identifier = values.addValue(entries[index].value, entries[index].label);
        if (index == primary)
            values.setPrimaryIdentifier(identifier);
    }
    return values;
}

inline PersonPtr personWith(const QString &property, PropertyType type,
                            const QList<LabelledEntry> &entries, int primary = -1)
{
    const PersonPtr person = Person::create();
    person->setValueForProperty(QVariant::fromValue(labelledValues(type, entries, primary)),
                                property);
    return person;
}

inline PersonPtr personNamed(const QVariantMap &parts, bool company = false)
{
    const PersonPtr person = Person::create();
    for (auto it = parts.cbegin(); it != parts.cend(); ++it)
        person->setValueForProperty(it.value(), it.key());
    if (company)
        person->setValueForProperty(kABShowAsCompany, kABPersonFlags);
    return person;
}
