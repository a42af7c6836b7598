#include "google/entries/entrybaseaccessors.h"

#include "foundation/text/textdate.h"

namespace entrybase {

std::optional<GDataExtendedProperty> programProperty(const GDataEntryBase &entry,
                                                     const QString &name)
{
    const GDataExtendedProperty *property = programPropertyIn(entry, name);
    return property ? std::optional(*property) : std::nullopt;
}

const GDataExtendedProperty *programPropertyIn(const GDataEntryBase &entry, const QString &name)
{
    const GDataExtendedProperty *found = nullptr;
    for (const GDataExtendedProperty &property : entry.extendedProperties()) {
        if (property.name() != name)
            continue;
        if (found)
            return nullptr;
        found = &property;
    }
    return found;
}

std::optional<QHash<QString, QString>> programPropertyValues(const GDataEntryBase &entry,
                                                             const QString &name)
{
    const auto property = programProperty(entry, name);
    if (!property)
        return std::nullopt;
    return property->XMLValuesDictionary();
}

QString recordID(const GDataEntryBase &entry, const QString &name)
{
    const auto values = programPropertyValues(entry, name);
    return values ? values->value(QStringLiteral("aID"), QStringLiteral("")) : QStringLiteral("");
}

QDateTime createDate(const GDataEntryBase &entry, const QString &name)
{
    const auto values = programPropertyValues(entry, name);
    if (values && values->contains(QStringLiteral("crD")))
        return textdate::parse(values->value(QStringLiteral("crD")));
    return entry.updatedDate();
}

QString deletedEntryMark(const GDataEntryBase &entry)
{
    return QChar(0x2717) + QStringLiteral(" ") + entry.identifier();
}

} // namespace entrybase
