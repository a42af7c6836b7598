#pragma once

#include "platform/addressbook/properties/propertytype.h"

#include <QList>
#include <QMetaType>
#include <QSet>
#include <QString>
#include <QVariant>

// One entry of a multi-value: an identifier unique within its multi-value (kept across saves),
// a label (a standard label constant or any custom text) and a value.
struct MultiValueEntry
{
    QString identifier;
    QString label;
    QVariant value;

    friend bool operator==(const MultiValueEntry &, const MultiValueEntry &) = default;
};

// An ordered list of labelled values with an optional primary entry, as a multi-valued property
// holds it. Immutable; mutableCopy() gives an editable copy that keeps identifiers and primary.
// Nothing chooses a primary entry by itself: primaryIdentifier() is null until one is set.
class MutableMultiValue;

class MultiValue
{
public:
    MultiValue() = default;
    explicit MultiValue(PropertyType type)
        : m_type(type)
    {}

    int count() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    QVariant valueAt(int index) const;
    QString labelAt(int index) const;
    QString identifierAt(int index) const;
    int indexForIdentifier(const QString &identifier) const;
    QString primaryIdentifier() const { return m_primary; }
    PropertyType propertyType() const { return m_type; }
    const QList<MultiValueEntry> &entries() const { return m_entries; }

    MutableMultiValue mutableCopy() const;

    // For storage: a multi-value exactly as it was saved, identifiers and primary included.
    static MultiValue fromEntries(PropertyType type, QList<MultiValueEntry> entries,
                                  QString primaryIdentifier);

    friend bool operator==(const MultiValue &, const MultiValue &) = default;

protected:
    bool isValidIndex(int index) const { return index >= 0 && index < m_entries.size(); }

    PropertyType m_type = PropertyType::MultiString;
    QList<MultiValueEntry> m_entries;
    QString m_primary;
};

class MutableMultiValue : public MultiValue
{
public:
    MutableMultiValue() = default;
    explicit MutableMultiValue(PropertyType type)
        : MultiValue(type)
    {}

    // Each returns the new entry's identifier, or a null string when the value is invalid.
    QString addValue(const QVariant &value, const QString &label);
    QString insertValue(const QVariant &value, const QString &label, int index);

    bool replaceValueAt(int index, const QVariant &value);
    bool replaceLabelAt(int index, const QString &label);
    bool removeAt(int index);
    bool setPrimaryIdentifier(const QString &identifier);

private:
    QString newIdentifier();

    // The identifiers in use, made at the first new entry, so that adding each of a card's
    // 100,000 entries does not look through every entry before it.
    QSet<QString> m_identifiers;
    bool m_identifiersKnown = false;
};

Q_DECLARE_METATYPE(MultiValue)
Q_DECLARE_METATYPE(MutableMultiValue)

// The multi-value that a property value holds, whichever of the two classes was stored in it;
// an empty multi-value when the variant holds neither.
MultiValue multiValueFromVariant(const QVariant &value);
bool variantHoldsMultiValue(const QVariant &value);
