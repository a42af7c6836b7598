#pragma once

#include <QMetaType>
#include <QString>
#include <QVariant>

#include <memory>

// A one-way (or two-way) conversion of a bound value that interface bindings find by name.
class ValueTransformer
{
public:
    virtual ~ValueTransformer();

    virtual QMetaType transformedValueType() const = 0;
    virtual bool allowsReverseTransformation() const = 0;
    virtual QVariant transformedValue(const QVariant &value) const = 0;

    // The registry of named transformers, filled by the programs at start. Registering under a
    // name already taken replaces the transformer; a null transformer removes the name.
    static void setValueTransformer(std::shared_ptr<const ValueTransformer> transformer,
                                    const QString &name);
    static std::shared_ptr<const ValueTransformer> valueTransformerForName(const QString &name);
};
