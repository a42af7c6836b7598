#include "platform/addressbook/record.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/properties/builtinproperties.h"
#include "platform/addressbook/properties/propertyvalue.h"
#include "platform/addressbook/sqlite/recordcodec.h"

#include <QUuid>

Record::Record(QString uniqueId)
    : m_uniqueId(std::move(uniqueId))
{}

Record::~Record() = default;

QString Record::newUniqueId(const QString &recordType)
{
    // Upper-cased as bytes: hexadecimal digits and dashes need no Unicode case mapping.
    return QString::fromLatin1(QUuid::createUuid().toByteArray(QUuid::WithoutBraces).toUpper()) +
           u':' + recordType;
}

PropertyValues &Record::values()
{
    return const_cast<PropertyValues &>(std::as_const(*this).values());
}

const PropertyValues &Record::values() const
{
    if (!m_storedValues.isNull()) {
        // The stored form was checked whole when the book was read, so it reads here.
        RecordCodec::decodeValues(std::exchange(m_storedValues, QByteArray()), m_values);
    }
    return m_values;
}

QVariant Record::valueForProperty(const QString &property) const
{
    if (property == kABUIDProperty)
        return m_uniqueId;
    return values().value(property);
}

MultiValue Record::multiValueForProperty(const QString &property) const
{
    return multiValueFromVariant(values().value(property));
}

bool Record::setValueForProperty(const QVariant &value, const QString &property)
{
    return setValue(value, property, true);
}

bool Record::removeValueForProperty(const QString &property)
{
    return removeValue(property, true);
}

bool Record::setLinkValueForProperty(const QVariant &value, const QString &property)
{
    return setValue(value, property, false);
}

bool Record::removeLinkValueForProperty(const QString &property)
{
    return removeValue(property, false);
}

bool Record::setValue(const QVariant &value, const QString &property, bool touch)
{
    if (builtinproperties::isReadOnly(property))
        return false;
    const std::optional<QVariant> normalized =
        normalizedPropertyValue(value, typeInClass(property));
    if (!normalized)
        return false;
    values().insert(property, *normalized);
    markChanged(property, touch);
    return true;
}

bool Record::removeValue(const QString &property, bool touch)
{
    if (builtinproperties::isReadOnly(property) || typeInClass(property) == PropertyType::Error)
        return false;
    if (values().remove(property) > 0)
        markChanged(property, touch);
    return true;
}

QStringList Record::classProperties() const
{
    const AddressBook *book = m_book ? m_book : AddressBook::shared();
    return book->properties(recordClass());
}

PropertyType Record::typeInClass(const QString &property) const
{
    // Built-in properties need no book, so a person read from a vCard never opens one.
    const PropertyType builtin = builtinproperties::typeOf(recordClass(), property);
    if (builtin != PropertyType::Error)
        return builtin;
    const AddressBook *book = m_book ? m_book : AddressBook::shared();
    return book->typeOfProperty(recordClass(), property);
}

QList<GroupPtr> Record::parentGroups() const
{
    QList<GroupPtr> parents;
    if (!m_book)
        return parents;
    for (const GroupPtr &group : m_book->groups()) {
        if (group->m_memberIds.contains(m_uniqueId) || group->m_subgroupIds.contains(m_uniqueId))
            parents.append(group);
    }
    return parents;
}

void Record::markChanged(const QString &property, bool touch)
{
    if (m_book)
        m_book->recordChanged(*this, property, touch);
}
