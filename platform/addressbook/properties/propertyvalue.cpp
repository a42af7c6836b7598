#include "platform/addressbook/properties/propertyvalue.h"

#include "platform/addressbook/properties/multivalue.h"

#include <QDate>
#include <QDateTime>

#include <limits>

namespace {

bool holds(const QVariant &value, QMetaType::Type type)
{
    return value.metaType().id() == type;
}

std::optional<QVariant> normalizedInteger(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Bool: {
        const qlonglong number = value.toLongLong();
        if (number >= std::numeric_limits<int>::min() && number <= std::numeric_limits<int>::max())
            return QVariant(int(number));
        return QVariant(number);
    }
    default:
        return std::nullopt;
    }
}

std::optional<QVariant> normalizedSingle(const QVariant &value, PropertyType type)
{
    switch (type) {
    case PropertyType::String:
        return holds(value, QMetaType::QString) ? std::optional(value) : std::nullopt;
    case PropertyType::Integer:
        return normalizedInteger(value);
    case PropertyType::Real:
        if (holds(value, QMetaType::Double) || normalizedInteger(value))
            return QVariant(value.toDouble());
        return std::nullopt;
    case PropertyType::Date:
        if (holds(value, QMetaType::QDateTime) && value.toDateTime().isValid())
            return QVariant(value.toDateTime().toUTC());
        return std::nullopt;
    case PropertyType::DateComponents:
        if (holds(value, QMetaType::QDate) && value.toDate().isValid())
            return value;
        if (holds(value, QMetaType::QDateTime) && value.toDateTime().isValid())
            return QVariant(value.toDateTime().date());
        return std::nullopt;
    case PropertyType::Array:
        return holds(value, QMetaType::QVariantList) || holds(value, QMetaType::QStringList)
                   ? std::optional(QVariant(value.toList()))
                   : std::nullopt;
    case PropertyType::Dictionary:
        return holds(value, QMetaType::QVariantMap) ? std::optional(value) : std::nullopt;
    case PropertyType::Data:
        return holds(value, QMetaType::QByteArray) ? std::optional(value) : std::nullopt;
    default:
        return std::nullopt;
    }
}

std::optional<QVariant> normalizedMulti(const QVariant &value, PropertyType type)
{
    if (!variantHoldsMultiValue(value))
        return std::nullopt;
    const MultiValue multi = multiValueFromVariant(value);
    QList<MultiValueEntry> entries;
    entries.reserve(multi.count());
    for (const MultiValueEntry &entry : multi.entries()) {
        const std::optional<QVariant> normalized = normalizedSingle(entry.value, entryTypeOf(type));
        if (!normalized)
            return std::nullopt;
        entries.append({entry.identifier, entry.label, *normalized});
    }
    return QVariant::fromValue(MultiValue::fromEntries(type, entries, multi.primaryIdentifier()));
}

} // namespace

std::optional<QVariant> normalizedPropertyValue(const QVariant &value, PropertyType type)
{
    if (!value.isValid())
        return std::nullopt;
    return isMultiValueType(type) ? normalizedMulti(value, type) : normalizedSingle(value, type);
}
