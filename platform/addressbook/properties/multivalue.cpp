#include "platform/addressbook/properties/multivalue.h"

#include <QUuid>

QVariant MultiValue::valueAt(int index) const
{
    return isValidIndex(index) ? m_entries.at(index).value : QVariant();
}

QString MultiValue::labelAt(int index) const
{
    return isValidIndex(index) ? m_entries.at(index).label : QString();
}

QString MultiValue::identifierAt(int index) const
{
    return isValidIndex(index) ? m_entries.at(index).identifier : QString();
}

int MultiValue::indexForIdentifier(const QString &identifier) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).identifier == identifier)
            return i;
    }
    return -1;
}

MutableMultiValue MultiValue::mutableCopy() const
{
    MutableMultiValue copy(m_type);
    static_cast<MultiValue &>(copy) = *this;
    return copy;
}

MultiValue MultiValue::fromEntries(PropertyType type, QList<MultiValueEntry> entries,
                                   QString primaryIdentifier)
{
    MultiValue value(type);
    value.m_entries = std::move(entries);
    value.m_primary = std::move(primaryIdentifier);
    return value;
}

QString MutableMultiValue::addValue(const QVariant &value, const QString &label)
{
    return insertValue(value, label, count());
}

QString MutableMultiValue::insertValue(const QVariant &value, const QString &label, int index)
{
    if (!value.isValid() || index < 0 || index > count())
        return {};
    MultiValueEntry entry{newIdentifier(), label, value};
    m_entries.insert(index, entry);
    m_identifiers.insert(entry.identifier);
    return entry.identifier;
}

bool MutableMultiValue::replaceValueAt(int index, const QVariant &value)
{
    if (!isValidIndex(index) || !value.isValid())
        return false;
    m_entries[index].value = value;
    return true;
}

bool MutableMultiValue::replaceLabelAt(int index, const QString &label)
{
    if (!isValidIndex(index))
        return false;
    m_entries[index].label = label;
    return true;
}

bool MutableMultiValue::removeAt(int index)
{
    if (!isValidIndex(index))
        return false;
    if (m_entries.at(index).identifier == m_primary)
        m_primary.clear();
    m_identifiers.remove(m_entries.at(index).identifier);
    m_entries.removeAt(index);
    return true;
}

bool MutableMultiValue::setPrimaryIdentifier(const QString &identifier)
{
    if (indexForIdentifier(identifier) < 0)
        return false;
    m_primary = identifier;
    return true;
}

QString MutableMultiValue::newIdentifier()
{
    if (!m_identifiersKnown) {
        m_identifiers.reserve(m_entries.size());
        for (const MultiValueEntry &entry : std::as_const(m_entries))
            m_identifiers.insert(entry.identifier);
        m_identifiersKnown = true;
    }
    // Identifiers are kept by callers across saves (a record's link to a remote entry names
    // one), so they are random rather than positional and never reused within the value.
    QString id;
    do {
        // Upper-cased as bytes: the text is hexadecimal digits and dashes, and a full Unicode
        // case mapping for every entry of an imported file showed in the import's profile.
        id = QString::fromLatin1(QUuid::createUuid().toByteArray(QUuid::WithoutBraces).toUpper());
    } while (m_identifiers.contains(id));
    return id;
}

MultiValue multiValueFromVariant(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<MutableMultiValue>())
        return value.value<MutableMultiValue>();
    if (value.metaType() == QMetaType::fromType<MultiValue>())
        return value.value<MultiValue>();
    return {};
}

bool variantHoldsMultiValue(const QVariant &value)
{
    return value.metaType() == QMetaType::fromType<MutableMultiValue>() ||
           value.metaType() == QMetaType::fromType<MultiValue>();
}
