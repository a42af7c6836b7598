#include "tests/support/addressbook/fakegoogleentries.h"

namespace {

QList<QHash<QString, QString>>
valuesNamed(const QList<std::pair<QString, QHash<QString, QString>>> &properties,
            const QString &name)
{
    QList<QHash<QString, QString>> values;
    for (const auto &[propertyName, xmlValues] : properties) {
        if (propertyName == name)
            values.append(xmlValues);
    }
    return values;
}

} // namespace

QList<QHash<QString, QString>> FakeGoogleGroup::extendedPropertyValues(const QString &name) const
{
    return valuesNamed(properties, name);
}

QList<QHash<QString, QString>> FakeGoogleContact::extendedPropertyValues(const QString &name) const
{
    return valuesNamed(properties, name);
}
