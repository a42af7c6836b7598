#pragma once

#include "platform/ui/valuetransformer.h"

// The yes/no transformers that interface bindings use to enable, hide or check controls from a
// preference or a count. Each answers a boolean and cannot be reversed. The integer and boolean
// readings of the bound value are the preferences' own: a text reads as the number it starts
// with, a missing value as 0. Each class carries the name it is registered under, the name by which
// the interface refers to it.
class YesNoTransformer : public ValueTransformer
{
public:
    QMetaType transformedValueType() const override;
    bool allowsReverseTransformation() const override;
};

// "IsNotZero": the integer value is not 0; a missing value is NO.
class IsNotZeroTransformer : public YesNoTransformer
{
public:
    static constexpr char kName[] = "IsNotZero";
    QVariant transformedValue(const QVariant &value) const override;
};

// "IsNotOne": the integer value is not 1; a missing value is YES.
class IsNotOneTransformer : public YesNoTransformer
{
public:
    static constexpr char kName[] = "IsNotOne";
    QVariant transformedValue(const QVariant &value) const override;
};

// "IsNotTwo": the integer value is not 2; a missing value is YES.
class IsNotTwoTransformer : public YesNoTransformer
{
public:
    static constexpr char kName[] = "IsNotTwo";
    QVariant transformedValue(const QVariant &value) const override;
};

// "IsNilZeroOrFalse": the integer value is 0; a missing value is YES.
class IsNilZeroOrFalseTransformer : public YesNoTransformer
{
public:
    static constexpr char kName[] = "IsNilZeroOrFalse";
    QVariant transformedValue(const QVariant &value) const override;
};

// "IsOneOrTrue": the boolean value is YES (any non-zero number) or the integer value is 1.
class IsOneOrTrueTransformer : public YesNoTransformer
{
public:
    static constexpr char kName[] = "IsOneOrTrue";
    QVariant transformedValue(const QVariant &value) const override;
};

// "IsTwo": the integer value is 2.
class IsEqualToTwoTransformer : public YesNoTransformer
{
public:
    static constexpr char kName[] = "IsTwo";
    QVariant transformedValue(const QVariant &value) const override;
};

// "IsGreaterThanZero": a number above 0, or an array of at least one element; anything else NO.
class IsGreaterThanZeroTransformer : public YesNoTransformer
{
public:
    static constexpr char kName[] = "IsGreaterThanZero";
    QVariant transformedValue(const QVariant &value) const override;
};

// "IsGreaterThanOne": a number above 1, or an array of at least two elements; anything else NO.
class IsGreaterThanOneTransformer : public YesNoTransformer
{
public:
    static constexpr char kName[] = "IsGreaterThanOne";
    QVariant transformedValue(const QVariant &value) const override;
};
