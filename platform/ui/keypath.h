#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>

// Values of nested dictionaries by key path ("homeAddrDict.street1"), as interface bindings read
// and write them.
namespace keypath {

// The value at the path; invalid when a step is missing or is no dictionary.
QVariant value(const QVariantMap &map, const QString &path);
// Sets the value at the path, making the dictionaries of missing steps.
void setValue(QVariantMap &map, const QString &path, const QVariant &value);

} // namespace keypath
