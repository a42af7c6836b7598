#include "foundation/valuetransformers.h"

#include "platform/defaults/preferenceconversion.h"

namespace {

// A missing value reads as 0, which gives each transformer its answer for a missing value.
int integerValue(const QVariant &value)
{
    return preferenceconversion::toInt(value);
}

bool isArray(const QVariant &value)
{
    return value.typeId() == QMetaType::QVariantList || value.typeId() == QMetaType::QStringList;
}

// Only numbers and arrays have a size to compare.
bool exceeds(const QVariant &value, int limit)
{
    if (preferenceconversion::isNumber(value))
        return integerValue(value) > limit;
    if (isArray(value))
        return value.toList().size() > limit;
    return false;
}

} // namespace

QMetaType YesNoTransformer::transformedValueType() const
{
    return QMetaType::fromType<bool>();
}

bool YesNoTransformer::allowsReverseTransformation() const
{
    return false;
}

QVariant IsNotZeroTransformer::transformedValue(const QVariant &value) const
{
    return integerValue(value) != 0;
}

QVariant IsNotOneTransformer::transformedValue(const QVariant &value) const
{
    return integerValue(value) != 1;
}

QVariant IsNotTwoTransformer::transformedValue(const QVariant &value) const
{
    return integerValue(value) != 2;
}

QVariant IsNilZeroOrFalseTransformer::transformedValue(const QVariant &value) const
{
    return integerValue(value) == 0;
}

QVariant IsOneOrTrueTransformer::transformedValue(const QVariant &value) const
{
    return preferenceconversion::toBool(value) || integerValue(value) == 1;
}

QVariant IsEqualToTwoTransformer::transformedValue(const QVariant &value) const
{
    return integerValue(value) == 2;
}

QVariant IsGreaterThanZeroTransformer::transformedValue(const QVariant &value) const
{
    return exceeds(value, 0);
}

QVariant IsGreaterThanOneTransformer::transformedValue(const QVariant &value) const
{
    return exceeds(value, 1);
}
