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

// Both are read for every entry of a feed, so the property is read in place, not copied.
QString recordID(const GDataEntryBase &entry, const QString &name)
{
    const GDataExtendedProperty *property = programPropertyIn(entry, name);
    const QString *id = property ? property->findXMLValue(u"aID") : nullptr;
    return id ? *id : QStringLiteral("");
}

QDateTime createDate(const GDataEntryBase &entry, const QString &name)
{
    const GDataExtendedProperty *property = programPropertyIn(entry, name);
    if (const QString *created = property ? property->findXMLValue(u"crD") : nullptr)
        return textdate::parse(*created);
    return entry.updatedDate();
}

QString deletedEntryMark(const GDataEntryBase &entry)
{
    return QChar(0x2717) + QStringLiteral(" ") + entry.identifier();
}

} // namespace entrybase
